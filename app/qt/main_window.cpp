#include "qt/main_window.h"

#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "form/layout.h"
#include "qt/accessibility.h"
#include "qt/build_controls.h"
#include "qt/enter_on_button.h"
#include "qt/frm_splash.h"
#include "qt/help_panel.h"
#include "qt/qt_text.h"
#include "qt/twips.h"

namespace pelmora {

namespace {

QColor colour(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

// The character a key press types. Enter, main or keypad, types a carriage return whatever text
// the window system hands over with it.
QString typed(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        return QStringLiteral("\r");
    }
    return key.text();
}

}  // namespace

MainWindow::MainWindow(MessageBoxes& messages, Engine& engine, StatusBar::Clock clock)
    : widgets_(build_controls(*this, std::move(clock))), messages_(messages), form_(*this, engine) {
    setObjectName(QString::fromLatin1(name_of(Control::Pelmora_Main)));
    setWindowTitle(qt_string(layout::kMainCaption));
    setWindowIcon(QIcon(QStringLiteral(":/resources/pelmora.ico")));
    add_menu();
    new EnterOnButton(this, {static_cast<QPushButton*>(widgets_.at(Control::Command1)),
                             static_cast<QPushButton*>(widgets_.at(Control::Command2)),
                             static_cast<QPushButton*>(widgets_.at(Control::Command3)),
                             static_cast<QPushButton*>(widgets_.at(Control::Command4))});
    describe_for_screen_readers(widgets_);
    forward_events();
    form_.Form_Load();
    const QRect client = pixels(layout::kMainClientArea);
    resize(client.width(), menuBar()->sizeHint().height() + client.height());
}

MainWindow::~MainWindow() {
    // The controls outlive this part of the window: nothing they do while they are torn down may
    // reach the form.
    for (auto watched = watched_.keyBegin(); watched != watched_.keyEnd(); ++watched) {
        auto* object = const_cast<QObject*>(*watched);
        object->removeEventFilter(this);
        QObject::disconnect(object, nullptr, this, nullptr);
    }
}

void MainWindow::add_menu() {
    QMenu* help = menuBar()->addMenu(qt_string(layout::kHelpMenu));
    help->setObjectName(QStringLiteral("help"));
    QAction* about = help->addAction(qt_string(layout::kAboutItem));
    about->setObjectName(QStringLiteral("about"));
    connect(about, &QAction::triggered, this, [this] { form_.about_Click(); });
}

void MainWindow::watch(QObject* object, Control control) {
    watched_.insert(object, control);
    object->installEventFilter(this);
}

// Only the user's own edits are reported as changes (textEdited); the writes that the form asks
// for (setText) are not, as the form runs their reactions itself.
void MainWindow::forward_events() {
    for (const layout::Placement& placed : layout::main_window()) {
        const Control control = placed.control;
        QWidget* widget = widgets_.at(control);
        if (placed.kind == layout::Kind::StatusBar) {
            continue;
        }
        watch(widget, control);
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            connect(box, &QLineEdit::textEdited, this, [this, control] { form_.Change(control); });
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            connect(button, &QPushButton::clicked, this, [this, control] { form_.Click(control); });
        } else if (auto* strip = qobject_cast<QTabWidget*>(widget)) {
            // The keyboard focus of a tab strip lies on its tab bar.
            watch(strip->tabBar(), control);
            connect(strip, &QTabWidget::currentChanged, this, [this, strip](int index) {
                form_.TabStrip1_Click(utf16(strip->tabText(index)));
            });
        }
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        form_.GotFocus(watched_.value(watched));
    } else if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched) != nullptr) {
        const Control box = watched_.value(watched);
        for (const QChar ch : typed(*static_cast<QKeyEvent*>(event))) {
            form_.KeyPress(box, ch.unicode());
        }
    }
    return false;
}

std::u16string MainWindow::text(Control box) const {
    QWidget* widget = widgets_.at(box);
    if (auto* panel = qobject_cast<HelpPanel*>(widget)) {
        return utf16(panel->text());
    }
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        return utf16(line->text());
    }
    return {};
}

void MainWindow::set_text(Control box, std::u16string_view text) {
    QWidget* widget = widgets_.at(box);
    if (auto* panel = qobject_cast<HelpPanel*>(widget)) {
        panel->setText(qt_string(text));
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        line->setText(qt_string(text));
        line->setCursorPosition(0);
    }
}

void MainWindow::mark(Control box, Mark mark) {
    QWidget* widget = widgets_.at(box);
    if (mark == Mark::None) {
        widget->setPalette(QPalette());
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base,
                     colour(mark == Mark::Accepted ? kAcceptedBackground : kErrorBackground));
    palette.setColor(QPalette::Text, colour(kMarkedText));
    widget->setPalette(palette);
}

void MainWindow::set_focus(Control control) {
    widgets_.at(control)->setFocus(Qt::OtherFocusReason);
}

void MainWindow::message_box(std::u16string_view title, std::u16string_view text) {
    messages_.show(qt_string(title), qt_string(text));
}

void MainWindow::handle_waiting_events() {
    // No user input: a second calculation cannot start inside this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::show_page(Control frame) {
    // In the order of the frames, as the design shows and hides them.
    for (const Control each : {Control::Frame1, Control::Frame2, Control::Frame3}) {
        widgets_.at(each)->setVisible(each == frame);
    }
}

void MainWindow::open_about() {
    FrmSplash splash(this);
    splash.open_modally();
    // Take the keyboard back, with the focus where it was, rather than rely on the window
    // system to hand it over.
    activateWindow();
}

void MainWindow::end_program() {
    close();
}

}  // namespace pelmora
