#include "qt/main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "form/layout.h"
#include "qt/about_window.h"
#include "qt/accessibility.h"
#include "qt/controls.h"
#include "qt/conversions.h"
#include "qt/help_panel.h"
#include "qt/input_events.h"
#include "qt/qt_text.h"
#include "qt/text_box.h"
#include "qt/twips.h"

namespace pelmora {

MainWindow::MainWindow(MessageBoxes& messages, Engine& engine, StatusBar::Clock clock)
    : widgets_(build_controls(*this, std::move(clock))), messages_(messages), form_(*this, engine) {
    setObjectName(QString::fromLatin1(name_of(Control::Pelmora_Main)));
    setWindowTitle(qt_string(layout::kMainCaption));
    setWindowIcon(QIcon(QStringLiteral(":/resources/pelmora.ico")));
    add_menu();
    describe_for_screen_readers(widgets_);
    forward_events();
    form_.Form_Load();
    const QRect client = pixels(layout::kMainClientArea);
    resize(client.width(), menuBar()->sizeHint().height() + client.height());
}

MainWindow::~MainWindow() {
    // The controls outlive this part of the window: nothing they do while they are torn down may
    // reach the form.
    for (const QObject* watched : watched_.keys()) {
        const_cast<QObject*>(watched)->removeEventFilter(this);
        QObject::disconnect(watched, nullptr, this, nullptr);
    }
}

void MainWindow::add_menu() {
    QMenu* help = menuBar()->addMenu(qt_string(layout::kHelpMenu));
    help->setObjectName(QStringLiteral("help"));
    QAction* about = help->addAction(qt_string(layout::kAboutItem));
    about->setObjectName(QStringLiteral("about"));
    connect(about, &QAction::triggered, this, [this] { form_.about_Click(); });
    watch(menuBar(), Control::Pelmora_Main);
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
        if (placed.kind == layout::Kind::TextBox || placed.kind == layout::Kind::HelpPanel) {
            input_method_.watch(widget);
        }
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
    if (watched->isWindowType()) {
        const bool press = event->type() == QEvent::MouseButtonPress ||
                           event->type() == QEvent::MouseButtonDblClick;
        return press && form_.MouseDown();
    }
    if (watched == menuBar() && event->type() != QEvent::FocusIn) {
        return false;
    }
    const Control control = watched_.value(watched);
    switch (event->type()) {
        case QEvent::FocusIn:
            // Qt gives the focus back to a menu bar that had the keyboard when the window went
            // inactive, though it is out of use: the form hands it on.
            if (watched != menuBar() ||
                (static_cast<QFocusEvent*>(event)->reason() != Qt::MenuBarFocusReason &&
                 menuBar()->activeAction() == nullptr)) {
                form_.GotFocus(control);
            }
            return false;
        case QEvent::FocusOut:
            form_.FocusLeft(control, focus_target(static_cast<QFocusEvent*>(event)->reason()));
            return false;
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat()) {
                released_key_ = key->key();
                released_at_ = key->timestamp();
            }
            return false;
        }
        case QEvent::KeyPress: {
            // A key the focused control leaves alone goes on to its parents: it was reported.
            if (watched != QApplication::focusWidget()) {
                return false;
            }
            const auto* key = static_cast<QKeyEvent*>(event);
            // X11 hands a repeat over as a release and a press of one time, which Qt marks a
            // repeat only if the press had arrived when it handled the release.
            const bool repeat =
                key->isAutoRepeat() || (key->timestamp() != 0 && released_key_ == key->key() &&
                                        released_at_ == key->timestamp());
            if (form_.KeyDown(control, key_down(*key, repeat))) {
                return true;
            }
            const QString text = key->text();
            return std::any_of(text.begin(), text.end(),
                               [&](QChar ch) { return form_.Character(control, ch.unicode()); });
        }
        default:
            return false;
    }
}

// The window's presses reach the form before a control takes the focus with them.
void MainWindow::showEvent(QShowEvent* event) {
    windowHandle()->installEventFilter(this);
    QMainWindow::showEvent(event);
}

// Qt's own focus moves (the arrow keys on a button, the focus leaving a page as it hides) are
// none: the form moves the focus, on Tab above all.
bool MainWindow::focusNextPrevChild(bool) {
    return true;
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
        writing_ = writing;
    }
}

void MainWindow::show_start(Control box) {
    if (auto* text_box = qobject_cast<TextBox*>(widgets_.at(box))) {
        text_box->show_start();
    }
}

void MainWindow::select_all(Control box) {
    if (auto* text_box = qobject_cast<TextBox*>(widgets_.at(box))) {
        const auto length = static_cast<int>(text_box->text().size());
        text_box->setSelection(length, -length);
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

void MainWindow::wake_after_event() {
    // Nothing is left to do once the window has closed: a box then would keep the program running
    // with no window.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (isVisible()) {
                form_.EventOver();
            }
        },
        Qt::QueuedConnection);
}

bool MainWindow::commit_composition() {
    return input_method_.settle();
}

void MainWindow::message_box(std::u16string_view title, std::u16string_view text) {
    messages_.show(title, text);
}

void MainWindow::handle_waiting_events() {
    // No user input: a second calculation cannot start inside this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::select_tab(int index) {
    static_cast<QTabWidget*>(widgets_.at(Control::TabStrip1))->setCurrentIndex(index);
}

void MainWindow::show_page(Control frame) {
    // In the order of the frames, as the design shows and hides them.
    for (const layout::Placement& placed : layout::main_window()) {
        if (placed.kind == layout::Kind::Frame) {
            widgets_.at(placed.control)->setVisible(placed.control == frame);
        }
    }
}

Control MainWindow::shown_page() const {
    for (const layout::Placement& placed : layout::main_window()) {
        // Visible in itself, even while the window is not yet shown.
        if (placed.kind == layout::Kind::Frame && !widgets_.at(placed.control)->isHidden()) {
            return placed.control;
        }
    }
    return Control::Pelmora_Main;
}

void MainWindow::open_about() {
    AboutWindow splash(this);
    splash.open_modally();
    // Take the keyboard back, with the focus where it was, rather than rely on the window
    // system to hand it over.
    activateWindow();
}

void MainWindow::end_program() {
    close();
}

}  // namespace pelmora
