#include <gtest/gtest.h>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <map>
#include <memory>
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
    {Key::AltEnter, Qt::ALT | Qt::Key_Return}, {Key::Space, Qt::Key_Space},
    {Key::Tab, Qt::Key_Tab}, {Key::ShiftTab, Qt::SHIFT | Qt::Key_Backtab},
    {Key::Esc, Qt::Key_Escape}, {Key::CtrlTab, Qt::CTRL | Qt::Key_Tab},
    {Key::CtrlShiftTab, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab},
    {Key::CtrlPageDown, Qt::CTRL | Qt::Key_PageDown}, {Key::CtrlPageUp, Qt::CTRL | Qt::Key_PageUp},
    {Key::End, Qt::Key_End}, {Key::Left, Qt::Key_Left}, {Key::Down, Qt::Key_Down}, {Key::Backspace, Qt::Key_Backspace},
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
            if (ch < 0x80) {
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
        QTest::keyClick(QApplication::focusWidget()->window()->windowHandle(), keys.key(),
                        keys.keyboardModifiers());
        if (key == Key::HeldEnter) {
            QKeyEvent repeat(QEvent::KeyPress, keys.key(), {}, QStringLiteral("\r"), true);
            QApplication::sendEvent(QApplication::focusWidget(), &repeat);
        }
        next_input();
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

    const std::vector<RecordingMessageBoxes::Shown>& messages() override {
        return w_.messages.shown;
    }

  private:
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
