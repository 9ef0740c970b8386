#include "about/frm_splash.h"

#include <qdrawutil.h>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "common/fonts.h"
#include "common/qt_text.h"
#include "common/twips.h"

namespace pelmora {

namespace {

// Below this lightness of its window colour, a desktop theme counts as dark.
constexpr int kDarkThemeLightness = 128;
// The window colour of a light desktop theme; Qt derives the other colours from it.
const QColor kLightWindow(240, 240, 240);

// The texts that belong to the product and its maker.
constexpr const char* kMakerPossessive = "空巡通信の";
constexpr const char* kProductName = "Pelmora";
constexpr const char* kCopyright = "© 2004 空巡通信";
constexpr const char* kCompany = "空巡通信株式会社";
constexpr const char* kContact = "ご意見・ご感想などは pelmora@example.jp まで。";

QLabel* label(QWidget* frame, const char* name, const char* text, Twips at) {
    auto* label = new QLabel(qt(text), frame);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(pixels(at));
    return label;
}

// A label that takes the size its text needs, from its stored top-left corner.
QLabel* fitted_label(QWidget* frame, const char* name, const char* text, Twips at, QFont font,
                     Qt::Alignment alignment, QColor colour = QColor()) {
    QLabel* fitted = label(frame, name, text, at);
    fitted->setFont(font);
    fitted->setAlignment(alignment | Qt::AlignTop);
    if (colour.isValid()) {
        QPalette palette = fitted->palette();
        palette.setColor(QPalette::WindowText, colour);
        fitted->setPalette(palette);
    }
    fitted->resize(fitted->sizeHint());
    return fitted;
}

// Letters, digits, punctuation, the space bar, Enter, Esc and Backspace. Tab and Delete carry a
// control character in Qt's key text, but they are editing and focus keys, not characters.
bool produces_character(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return false;
        default:
            return !key.text().isEmpty();
    }
}

}  // namespace

FrmSplash::FrmSplash(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(pixels({0, 0, 7380, 4440}).size());
    // The maker's and the product's names are dark blue; on a dark desktop theme they would hardly
    // show, so the window then takes light colours of its own.
    if (palette().color(QPalette::Window).lightness() < kDarkThemeLightness) {
        setPalette(QPalette(kLightWindow));
    }

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(pixels({150, 60, 7080, 4275}));
    Frame1->installEventFilter(this);

    fitted_label(Frame1, "lblCompanyProduct", kMakerPossessive, {240, 705, 1530, 360},
                 japanese_font(18, true), Qt::AlignLeft, QColor(0, 0, 192));
    fitted_label(Frame1, "lblProductName", kProductName, {480, 1320, 5775, 645},
                 japanese_font(32.25, true), Qt::AlignHCenter, QColor(0, 0, 255));
    fitted_label(Frame1, "lblPlatform", "Windows Me/NT/XP/2000", {3330, 2340, 3525, 285},
                 japanese_font(14.25, true), Qt::AlignRight);
    fitted_label(Frame1, "lblVersion", "ﾊﾞｰｼﾞｮﾝ", {5970, 2700, 885, 285}, japanese_font(12, true),
                 Qt::AlignRight);

    Command1 = new QPushButton(qt("閉じる"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(pixels({600, 2520, 2055, 615}));
    Command1->setAutoDefault(false);
    Command1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &FrmSplash::Command1_Click);

    label(Frame1, "lblCopyright", kCopyright, {4560, 3060, 2415, 255});
    label(Frame1, "lblCompany", kCompany, {4320, 3315, 2655, 255});
    label(Frame1, "lblWarning", "System version 4.00 release 2", {150, 3660, 6855, 195});
    label(Frame1, "Label1", kContact, {120, 3960, 6855, 255});

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
    // The window takes the keyboard at once: every key that produces a character closes it.
    show();
    activateWindow();
    exec();
}

void FrmSplash::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), false);
}

bool FrmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && produces_character(*static_cast<QKeyEvent*>(event))) {
        accept();
        return true;
    }
    // A left click on the frame itself, where no label or button covers it; a click on a label
    // reaches the frame too, as labels take no clicks of their own.
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* click = static_cast<QMouseEvent*>(event);
        if (click->button() == Qt::LeftButton &&
            Frame1->rect().contains(click->position().toPoint()) &&
            Frame1->childAt(click->position().toPoint()) == nullptr) {
            Frame1_Click();
        }
    }
    return false;
}

void FrmSplash::Frame1_Click() {
    accept();
}

void FrmSplash::Command1_Click() {
    accept();
}

}  // namespace pelmora
