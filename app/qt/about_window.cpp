#include "qt/about_window.h"

#include <qdrawutil.h>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "form/contrast.h"
#include "form/layout.h"
#include "qt/controls.h"
#include "qt/conversions.h"
#include "qt/fonts.h"
#include "qt/qt_text.h"
#include "qt/twips.h"

namespace pelmora {

namespace {

using layout::AboutPlacement;

// The label's stored font and colour; a label that fits its text grows from its stored corner,
// with its text at the top, and one of fixed size keeps its text centred in its height.
void dress(QLabel* label, const AboutPlacement& placed) {
    if (!placed.fits_text) {
        label->setAlignment(alignment(placed.align) | Qt::AlignVCenter);
    }
    if (placed.font.points != 0) {
        label->setFont(font_of(placed.font));
    }
    if (placed.colour) {
        QPalette palette = label->palette();
        const Rgb shown = own_colour_or_text(*placed.colour, rgb(palette.color(QPalette::Window)),
                                             rgb(palette.color(QPalette::WindowText)), false);
        palette.setColor(QPalette::WindowText, colour(shown));
        label->setPalette(palette);
    }
    if (placed.fits_text) {
        label->resize(label->sizeHint());
    }
}

}  // namespace

AboutWindow::AboutWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), form_(*this) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(pixels(layout::kAboutClientArea).size());
    for (const AboutPlacement& placed : layout::about_window()) {
        // Everything stands in the frame, which comes first.
        QWidget* control = create_control(placed.kind, placed.caption, placed.align,
                                          frame_ != nullptr ? static_cast<QWidget*>(frame_) : this);
        control->setObjectName(QString::fromLatin1(placed.name));
        control->setGeometry(pixels(placed.at));
        if (auto* frame = qobject_cast<QGroupBox*>(control)) {
            frame_ = frame;
        } else if (auto* button = qobject_cast<QPushButton*>(control)) {
            button_ = button;
        } else {
            dress(static_cast<QLabel*>(control), placed);
        }
    }
    frame_->installEventFilter(this);
    button_->installEventFilter(this);
    connect(button_, &QPushButton::clicked, this, [this] { form_.Command1_Click(); });
    installEventFilter(this);
    button_->setFocus();
}

void AboutWindow::open_modally() {
    setWindowModality(Qt::ApplicationModal);
    const QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen->availableGeometry();
    move(layout::centred(work.x(), work.width(), width()),
         layout::centred(work.y(), work.height(), height()));
    // The window takes the keyboard at once: every key that produces a character may close it.
    show();
    activateWindow();
    exec();
}

void AboutWindow::unload() {
    accept();
}

void AboutWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    form_.Form_QueryUnload();
    event->setAccepted(isHidden());
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (const QChar ch : static_cast<QKeyEvent*>(event)->text()) {
            form_.Form_KeyPress(ch.unicode());
            if (isHidden()) {
                return true;
            }
        }
    }
    // A click on the frame itself, where no label or button covers it; a click on a label
    // reaches the frame too, as labels take no clicks of their own.
    if (watched == frame_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* click = static_cast<QMouseEvent*>(event);
        const QPoint at = click->position().toPoint();
        if (frame_->rect().contains(at) && frame_->childAt(at) == nullptr) {
            const Qt::MouseButton button = click->button();
            form_.Frame1_Click(button == Qt::LeftButton    ? AboutForm::Button::Left
                               : button == Qt::RightButton ? AboutForm::Button::Right
                                                           : AboutForm::Button::Middle);
        }
    }
    return false;
}

}  // namespace pelmora
