#include "qt/frm_splash.h"

#include <qdrawutil.h>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "form/layout.h"
#include "qt/fonts.h"
#include "qt/qt_text.h"
#include "qt/twips.h"

namespace pelmora {

namespace {

using layout::AboutPlacement;

// Below this lightness of its window colour, a desktop theme counts as dark.
constexpr int kDarkThemeLightness = 128;
// The window colour of a light desktop theme; Qt derives the other colours from it.
const QColor kLightWindow(240, 240, 240);

Qt::Alignment alignment_of(layout::Align align) {
    switch (align) {
        case layout::Align::Centre:
            return Qt::AlignHCenter;
        case layout::Align::Right:
            return Qt::AlignRight;
        case layout::Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

QLabel* label(QWidget* frame, const AboutPlacement& placed) {
    auto* label = new QLabel(qt_string(placed.caption), frame);
    label->setGeometry(pixels(placed.at));
    if (placed.fits_text) {
        // Grown from the stored corner, so the text starts at the top; a label of fixed size
        // keeps its text centred in its height.
        label->setAlignment(alignment_of(placed.align) | Qt::AlignTop);
    }
    if (placed.font.points != 0) {
        label->setFont(font_of(placed.font));
    }
    if (placed.colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText,
                         QColor(placed.colour->red, placed.colour->green, placed.colour->blue));
        label->setPalette(palette);
    }
    if (placed.fits_text) {
        label->resize(label->sizeHint());
    }
    return label;
}

AboutForm::Button button_of(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return AboutForm::Button::Left;
        case Qt::RightButton:
            return AboutForm::Button::Right;
        default:
            return AboutForm::Button::Middle;
    }
}

}  // namespace

FrmSplash::FrmSplash(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), form_(*this) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(pixels(layout::kAboutClientArea).size());
    // The maker's and the product's names are dark blue; on a dark desktop theme they would hardly
    // show, so the window then takes light colours of its own.
    if (palette().color(QPalette::Window).lightness() < kDarkThemeLightness) {
        setPalette(QPalette(kLightWindow));
    }
    for (const AboutPlacement& placed : layout::about_window()) {
        QWidget* control = nullptr;
        switch (placed.kind) {
            case layout::Kind::Frame:
                Frame1 = new QGroupBox(this);
                Frame1->setGeometry(pixels(placed.at));
                control = Frame1;
                break;
            case layout::Kind::Button:
                Command1 = new QPushButton(qt_string(placed.caption), Frame1);
                Command1->setGeometry(pixels(placed.at));
                Command1->setAutoDefault(false);
                control = Command1;
                break;
            default:
                control = label(Frame1, placed);
                break;
        }
        control->setObjectName(QString::fromLatin1(placed.name));
    }
    Frame1->installEventFilter(this);
    Command1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] { form_.Command1_Click(); });
    installEventFilter(this);
    Command1->setFocus();
}

void FrmSplash::open_modally() {
    setWindowModality(Qt::ApplicationModal);
    const QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    QRect placed = rect();
    placed.moveCenter(screen->geometry().center());
    move(placed.topLeft());
    // The window takes the keyboard at once: every key that produces a character may close it.
    show();
    activateWindow();
    exec();
}

void FrmSplash::unload() {
    accept();
}

void FrmSplash::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

void FrmSplash::closeEvent(QCloseEvent* event) {
    form_.Form_QueryUnload();
    event->setAccepted(isHidden());
}

bool FrmSplash::eventFilter(QObject* watched, QEvent* event) {
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
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* click = static_cast<QMouseEvent*>(event);
        const QPoint at = click->position().toPoint();
        if (Frame1->rect().contains(at) && Frame1->childAt(at) == nullptr) {
            form_.Frame1_Click(button_of(click->button()));
        }
    }
    return false;
}

}  // namespace pelmora
