#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "driver.h"
#include "form/layout.h"
#include "support/test_main.h"
#include "support/window_harness.h"

namespace pelmora::conformance {

namespace {

// clang-format off
const std::map<Key, QKeyCombination> kKeys = {
    {Key::Enter, Qt::Key_Return}, {Key::HeldEnter, Qt::Key_Return},
    {Key::KeypadEnter, Qt::KeypadModifier | Qt::Key_Enter},
    {Key::ShiftEnter, Qt::SHIFT | Qt::Key_Return}, {Key::CtrlEnter, Qt::CTRL | Qt::Key_Return},
    {Key::ShiftKeypadEnter, Qt::ShiftModifier | Qt::KeypadModifier | Qt::Key_Enter},
    {Key::CtrlKeypadEnter, Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_Enter},
    {Key::AltEnter, Qt::ALT | Qt::Key_Return}, {Key::Space, Qt::Key_Space},
    {Key::Tab, Qt::Key_Tab}, {Key::ShiftTab, Qt::SHIFT | Qt::Key_Backtab},
    {Key::Esc, Qt::Key_Escape}, {Key::CtrlTab, Qt::CTRL | Qt::Key_Tab},
    {Key::CtrlShiftTab, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab},
    {Key::CtrlPageDown, Qt::CTRL | Qt::Key_PageDown}, {Key::CtrlPageUp, Qt::CTRL | Qt::Key_PageUp},
    {Key::CtrlShiftPageDown, Qt::CTRL | Qt::SHIFT | Qt::Key_PageDown},
    {Key::CtrlShiftPageUp, Qt::CTRL | Qt::SHIFT | Qt::Key_PageUp},
    {Key::CtrlAltTab, Qt::CTRL | Qt::ALT | Qt::Key_Tab},
    {Key::CtrlAltPageDown, Qt::CTRL | Qt::ALT | Qt::Key_PageDown},
    {Key::Home, Qt::Key_Home}, {Key::End, Qt::Key_End}, {Key::Left, Qt::Key_Left},
    {Key::Right, Qt::Key_Right}, {Key::Up, Qt::Key_Up}, {Key::Down, Qt::Key_Down},
    {Key::Backspace, Qt::Key_Backspace}, {Key::Delete, Qt::Key_Delete}, {Key::F1, Qt::Key_F1},
    {Key::F10, Qt::Key_F10}, {Key::ShiftF10, Qt::SHIFT | Qt::Key_F10}, {Key::Alt, Qt::Key_Alt},
    {Key::AltSpace, Qt::ALT | Qt::Key_Space}, {Key::ContextMenu, Qt::Key_Menu},
    {Key::CtrlA, Qt::CTRL | Qt::Key_A}, {Key::CtrlC, Qt::CTRL | Qt::Key_C},
    {Key::CtrlV, Qt::CTRL | Qt::Key_V}, {Key::CtrlX, Qt::CTRL | Qt::Key_X},
    {Key::CtrlZ, Qt::CTRL | Qt::Key_Z}, {Key::CtrlSpace, Qt::CTRL | Qt::Key_Space},
};
// clang-format on

// The event loop's turn between two inputs of a user.
void next_input() {
    QCoreApplication::processEvents();
}

class QtDriver : public Driver {
  public:
    QtDriver() {
        EXPECT_TRUE(w_.active());
        // A box's modal loop handles what is waiting, as a real box's does.
        w_.messages.while_shown = [this] {
            EXPECT_FALSE(committing_) << "a message box opened inside an input method's commit";
            EXPECT_FALSE(std::exchange(showing_, true)) << "a message box opened inside another";
            next_input();
            showing_ = false;
        };
    }

    void click(Control control) override {
        QWidget* widget = find(control);
        if (auto* panel = qobject_cast<HelpPanel*>(widget)) {
            widget = panel->viewport();
        }
        // Through the window, as the window system hands a click over.
        QWidget* window = widget->window();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          widget->mapTo(window, widget->rect().center()));
        next_input();
    }

    void type(std::u16string_view text) override {
        for (const char16_t ch : text) {
            QWidget* target = QApplication::focusWidget();
            if (target == nullptr) {
                QTest::keyClick(w_.window->windowHandle(), static_cast<char>(ch & 0x7f));
            } else if (ch < 0x80) {
                QTest::keyClicks(target, QString(QChar(ch)));
            } else {
                send_commit(QString(QChar(ch)));
            }
            next_input();
        }
    }

    // As an input method updates its composition, a character at a time.
    void compose(std::u16string_view text) override {
        composition_.clear();
        for (const char16_t ch : text) {
            composition_ += QChar(ch);
            QInputMethodEvent update(composition_, {});
            QApplication::sendEvent(QApplication::focusWidget(), &update);
            next_input();
        }
    }

    void commit() override {
        send_commit(std::exchange(composition_, QString()));
        next_input();
    }

    void press(Key key) override {
        // A window manager turns Alt+F4 into a request to close the active window.
        if (key == Key::AltF4) {
            QApplication::activeWindow()->close();
            return;
        }
        const QKeyCombination keys = kKeys.at(key);
        // Apart in time, as a keyboard's presses are: a press at the time of the last release is
        // how X11 hands over a held key's repeat.
        QTest::qSleep(2);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick((focus != nullptr ? focus->window() : w_.window.get())->windowHandle(),
                        keys.key(), keys.keyboardModifiers());
        if (key == Key::HeldEnter && QApplication::focusWidget() != nullptr) {
            QKeyEvent repeat(QEvent::KeyPress, keys.key(), {}, QStringLiteral("\r"), true);
            QApplication::sendEvent(QApplication::focusWidget(), &repeat);
        }
        // The context menu that a desktop's window system makes of the menu key.
        if (key == Key::ContextMenu && QApplication::focusWidget() != nullptr) {
            QWidget* focus = QApplication::focusWidget();
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(4, 4),
                                   focus->mapToGlobal(QPoint(4, 4)));
            QApplication::sendEvent(focus, &menu);
        }
        next_input();
        answer_menu();
    }

    void paste(std::u16string_view text) override {
        QGuiApplication::clipboard()->setText(QString::fromStdU16String(std::u16string(text)));
        press(Key::CtrlV);
    }

    void open_menu() override {
        QMenuBar* bar = w_.window->menuBar();
        const QRect help = bar->actionGeometry(bar->actions().constFirst());
        QTest::mouseClick(w_.window->windowHandle(), Qt::LeftButton, {},
                          bar->mapTo(w_.window.get(), help.center()));
        next_input();
        answer_menu();
    }

    void select_tab(int index) override {
        w_.select_tab(index);
        next_input();
    }

    bool about(AboutAction action) override {
        bool acted = false;
        bool closed = false;
        QTimer::singleShot(0, [&] {
            auto* splash = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
            if (splash == nullptr || !QTest::qWaitFor([&] { return splash->isActiveWindow(); })) {
                return;
            }
            act_on(*splash, action);
            acted = true;
            QApplication::processEvents();
            closed = !splash->isVisible();
            if (!closed) {
                splash->reject();
            }
        });
        w_.window->findChild<QAction*>(QStringLiteral("about"))->trigger();
        EXPECT_TRUE(acted) << "the about window did not come up active";
        EXPECT_TRUE(QTest::qWaitFor([this] { return w_.window->isActiveWindow(); }));
        return closed;
    }

    std::u16string text(Control box) override { return w_.window->text(box); }

    // A mark is a palette of the box's own.
    Mark mark(Control box) override {
        QWidget* widget = find(box);
        if (!widget->testAttribute(Qt::WA_SetPalette)) {
            return Mark::None;
        }
        const QColor base = widget->palette().color(QPalette::Base);
        return base == QColor(kErrorBackground.red, kErrorBackground.green, kErrorBackground.blue)
                   ? Mark::Error
                   : Mark::Accepted;
    }

    Control focused() override { return control_named(WindowHarness::focused()); }

    Control shown_page() override { return w_.window->shown_page(); }

    bool shows_start(Control box) override {
        return WindowHarness::shows_start(static_cast<QLineEdit*>(find(box)));
    }

    bool running() override { return w_.window->isVisible(); }

    bool enabled() override {
        return w_.window->isEnabled() && QApplication::activeModalWidget() == nullptr;
    }

    int random_events() override { return 700; }

    const std::vector<RecordingMessageBoxes::Shown>& messages() override {
        return w_.messages.shown;
    }

    void write(Control box, std::u16string_view text) override { w_.window->set_text(box, text); }

    int text_limit(Control box) override { return static_cast<QLineEdit*>(find(box))->maxLength(); }

    std::u16string caption() override { return w_.window->windowTitle().toStdU16String(); }

    Rect place(Control control) override {
        QWidget* widget = find(control);
        const QPoint at = widget->mapTo(w_.window.get(), QPoint(0, 0));
        return {at.x(), at.y() - menu_height(), widget->width(), widget->height()};
    }

    Rect client() override {
        return {0, 0, w_.window->width(), w_.window->height() - menu_height()};
    }

    void resize(int wider, int taller) override {
        w_.window->resize(w_.window->width() + wider, w_.window->height() + taller);
        EXPECT_TRUE(
            QTest::qWaitFor([this] { return w_.c().StatusBar1->width() == w_.window->width(); }));
    }

    std::vector<std::u16string> tab_captions() override {
        std::vector<std::u16string> all;
        for (int i = 0; i < w_.c().TabStrip1->count(); ++i) {
            all.push_back(w_.c().TabStrip1->tabText(i).toStdU16String());
        }
        return all;
    }

    std::vector<std::u16string> tab_tooltips() override {
        std::vector<std::u16string> all;
        for (int i = 0; i < w_.c().TabStrip1->count(); ++i) {
            all.push_back(w_.c().TabStrip1->tabToolTip(i).toStdU16String());
        }
        return all;
    }

    std::u16string screen_reader_name(Control control) override {
        return QAccessible::queryAccessibleInterface(find(control))
            ->text(QAccessible::Name)
            .toStdU16String();
    }

    std::vector<std::u16string> status_texts() override {
        std::vector<std::u16string> all;
        for (int panel = 1; panel <= 4; ++panel) {
            all.push_back(w_.c().StatusBar1->panel(panel)->text().toStdU16String());
        }
        return all;
    }

    std::vector<int> status_widths() override {
        std::vector<int> all;
        for (int panel = 1; panel <= 4; ++panel) {
            all.push_back(w_.c().StatusBar1->panel(panel)->width());
        }
        return all;
    }

    void set_clock(int year, int month, int day, int hour, int minute, int second) override {
        w_.now = QDateTime(QDate(year, month, day), QTime(hour, minute, second));
        w_.c().StatusBar1->refresh();
    }

    std::u16string short_date(int year, int month, int day) override {
        return QLocale::system()
            .toString(QDate(year, month, day), QLocale::ShortFormat)
            .toStdU16String();
    }

    void use_theme(Rgb face, Rgb text) override {
        theme_ = QApplication::palette();
        QPalette theme = *theme_;
        theme.setColor(QPalette::Window, QColor(face.red, face.green, face.blue));
        theme.setColor(QPalette::WindowText, QColor(text.red, text.green, text.blue));
        QApplication::setPalette(theme);
    }

    AboutLook about_look() override {
        AboutLook look;
        QTimer::singleShot(0, [&] {
            auto* splash = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
            if (splash == nullptr || !QTest::qWaitFor([&] { return splash->isActiveWindow(); })) {
                return;
            }
            const QRect window = splash->geometry();
            const QRect work = w_.window->screen()->availableGeometry();
            look.window = {window.x(), window.y(), window.width(), window.height()};
            look.work_area = {work.x(), work.y(), work.width(), work.height()};
            look.face = rgb(splash->palette().color(QPalette::Window));
            look.title_bar = !splash->windowFlags().testFlag(Qt::FramelessWindowHint);
            look.owned = splash->parentWidget() == w_.window.get();
            look.main_blocked = splash->windowModality() == Qt::ApplicationModal &&
                                QApplication::activeModalWidget() == splash;
            look.focus_on_button = QApplication::focusWidget() == splash->button();
            for (const QLabel* label : splash->findChildren<QLabel*>()) {
                look.texts.push_back(label->text().toStdU16String());
            }
            for (const layout::AboutPlacement& placed : layout::about_window()) {
                if (placed.colour) {
                    auto* label = splash->findChild<QLabel*>(
                        QString::fromLatin1(placed.name.data(), qsizetype(placed.name.size())));
                    look.names.push_back(rgb(label->palette().color(QPalette::WindowText)));
                }
            }
            splash->reject();
        });
        w_.window->findChild<QAction*>(QStringLiteral("about"))->trigger();
        EXPECT_EQ(look.names.size(), 2U) << "the about window did not come up active";
        return look;
    }

  private:
    // By turns one of a menu's items (undo, cut, paste, delete and select all in a box's) or
    // none; an about window an item opens is closed at once. The offscreen platform then gives
    // the keyboard back to no window, where a desktop gives it back to the main window.
    void answer_menu() {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr) {
            return;
        }
        const QList<QAction*> actions = popup->actions();
        const auto choice = static_cast<qsizetype>(menus_++ % (2 * actions.size() + 1));
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        });
        if (choice < actions.size() && actions[choice]->isEnabled()) {
            actions[choice]->trigger();
        }
        popup->close();
        w_.window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w_.window.get()));
    }

    static Rgb rgb(const QColor& colour) { return {colour.red(), colour.green(), colour.blue()}; }

    int menu_height() const { return w_.window->menuBar()->height(); }

    void send_commit(const QString& text) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        committing_ = true;
        QApplication::sendEvent(QApplication::focusWidget(), &commit);
        committing_ = false;
    }

    QWidget* find(Control control) const {
        return w_.window->findChild<QWidget*>(QString::fromLatin1(name_of(control)));
    }

    static void act_on(AboutWindow& splash, AboutAction action) {
        const auto key = [](Qt::Key key, const char* text) {
            QTest::sendKeyEvent(QTest::Press, QApplication::focusWidget(), key,
                                QString::fromLatin1(text), Qt::NoModifier);
        };
        const QPoint frame_space(6, 120);
        switch (action) {
            case AboutAction::Character:
                return key(Qt::Key_Q, "q");
            case AboutAction::Esc:
                return key(Qt::Key_Escape, "\x1b");
            case AboutAction::Enter:
                return key(Qt::Key_Return, "\r");
            case AboutAction::Tab:
                return key(Qt::Key_Tab, "\t");
            case AboutAction::Delete:
                return key(Qt::Key_Delete, "\x7f");
            case AboutAction::Arrow:
                return key(Qt::Key_Left, "");
            case AboutAction::AltF4:
            case AboutAction::EndTask:
                // Both reach a window on Linux as the window manager's request to close it.
                splash.close();
                return;
            case AboutAction::Button:
                return QTest::mouseClick(splash.button(), Qt::LeftButton);
            case AboutAction::FrameClick:
                return QTest::mouseClick(splash.frame(), Qt::LeftButton, {}, frame_space);
            case AboutAction::RightClickOnFrame:
                return QTest::mouseClick(splash.frame(), Qt::RightButton, {}, frame_space);
            case AboutAction::MiddleClickOnFrame:
                return QTest::mouseClick(splash.frame(), Qt::MiddleButton, {}, frame_space);
            case AboutAction::ClickOnTheStripAroundTheFrame:
                return QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(3, 150));
            case AboutAction::ClickOnName: {
                auto* name = splash.findChild<QLabel*>(QStringLiteral("lblProductName"));
                return QTest::mouseClick(name, Qt::LeftButton, {}, name->rect().center());
            }
        }
    }

    WindowHarness w_;
    QString composition_;
    std::optional<QPalette> theme_;
    int menus_ = 0;
    bool committing_ = false;
    bool showing_ = false;
};

}  // namespace

}  // namespace pelmora::conformance

int main(int argc, char* argv[]) {
    // Offscreen unless told otherwise, also when ctest lists the scenarios.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    testing::InitGoogleTest(&argc, argv);
    pelmora::conformance::register_scenarios(
        "qt", [] { return std::make_unique<pelmora::conformance::QtDriver>(); });
    const int result = RUN_ALL_TESTS();
    pelmora::test::wait_for_pool_threads_to_leave();
    return result;
}
