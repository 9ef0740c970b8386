#include "qt/main_window.h"

#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <utility>

#include "form/layout.h"
#include "qt/accessibility.h"
#include "qt/build_controls.h"
#include "qt/enter_on_button.h"
#include "qt/frm_splash.h"
#include "qt/help_panel.h"
#include "qt/qt_text.h"
#include "qt/text_box.h"
#include "qt/twips.h"

namespace pelmora {

namespace {

QColor colour(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

// The character a key press types. Enter, main or keypad, alone or with Shift, types a carriage
// return whatever text the window system hands over with it; with Ctrl or Alt it is no Enter, as
// on Windows.
QString typed(const QKeyEvent& key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        return key.modifiers() & (Qt::ControlModifier | Qt::AltModifier) ? QString()
                                                                         : QStringLiteral("\r");
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
    add_page_keys();
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

// Ctrl+Tab and Ctrl+PageDown select the next page's tab from anywhere in the window, with Shift
// or PageUp the previous one, as if it were clicked.
void MainWindow::add_page_keys() {
    auto* strip = static_cast<QTabWidget*>(widgets_.at(Control::TabStrip1));
    const auto add = [this, strip](QKeyCombination keys, int step) {
        auto* shortcut = new QShortcut(QKeySequence(keys), this);
        connect(shortcut, &QShortcut::activated, strip, [strip, step] {
            strip->setCurrentIndex((strip->currentIndex() + step + strip->count()) %
                                   strip->count());
        });
    };
    add(Qt::CTRL | Qt::Key_Tab, 1);
    add(Qt::CTRL | Qt::Key_PageDown, 1);
    // A desktop hands Ctrl+Shift+Tab over as Tab with Shift; other ways as Backtab.
    add(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1);
    add(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1);
    add(Qt::CTRL | Qt::Key_PageUp, -1);
}

void MainWindow::watch(QObject* object, Control control) {
    watched_.insert(object, control);
    object->installEventFilter(this);
}

// Only the user's own edits are reported as changes; the writes that the form asks for are not,
// as the form runs their reactions itself. textEdited would miss the edits of assistive tools and
// speech input, which set a box's text through the accessibility interface.
void MainWindow::forward_events() {
    for (const layout::Placement& placed : layout::main_window()) {
        const Control control = placed.control;
        QWidget* widget = widgets_.at(control);
        if (placed.kind == layout::Kind::StatusBar) {
            continue;
        }
        watch(widget, control);
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            connect(box, &QLineEdit::textChanged, this, [this, control] {
                if (!writing_) {
                    form_.Change(control);
                }
            });
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
    } else if (auto* box = qobject_cast<TextBox*>(widget)) {
        const bool writing = std::exchange(writing_, true);
        box->setText(qt_string(text));
        box->show_start();
        writing_ = writing;
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
