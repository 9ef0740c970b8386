#ifndef PELMORA_TESTS_WINDOW_HARNESS_H
#define PELMORA_TESTS_WINDOW_HARNESS_H

#include <QApplication>
#include <QInputMethodEvent>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "form/engine.h"
#include "qt/about_window.h"
#include "qt/engine_library.h"
#include "qt/main_window.h"
#include "recording_message_boxes.h"
#include "support/controls.h"

// The real main window, shown and active on the offscreen platform, with its message boxes
// answered by a recorder, its clock under the test's control and the engine bound as the program
// binds it (unless a test points it elsewhere). The helpers use QtTest's checks, so a failed
// step fails the calling test.
class WindowHarness {
  public:
    explicit WindowHarness(
        QStringList engine_directories = pelmora::InstalledLibrary::installation_directories())
        : library(std::move(engine_directories)),
          window(std::make_unique<pelmora::MainWindow>(messages, engine, [this] { return now; })),
          controls(window.get()) {
        window->show();
    }

    bool active() { return QTest::qWaitForWindowActive(window.get()); }

    const Controls& c() const { return controls; }

    QLineEdit* box(const QString& name) const { return window->findChild<QLineEdit*>(name); }

    // The control that has the keyboard focus, by name; the tab strip's tab bar counts as the
    // tab strip.
    static QString focused() {
        QWidget* widget = QApplication::focusWidget();
        if (widget == nullptr) {
            return QString();
        }
        if (qobject_cast<QTabBar*>(widget) != nullptr) {
            return widget->parentWidget()->objectName();
        }
        return widget->objectName();
    }

    void select_tab(int index) {
        QTabBar* bar = c().TabStrip1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    // Selects the page a control stands on, so that it can take the focus.
    void show_page_of(QWidget* control) {
        const std::array frames{c().Frame1, c().Frame2, c().Frame3};
        for (int page = 0; page < 3; ++page) {
            if (frames[page]->isAncestorOf(control) && !frames[page]->isVisible()) {
                select_tab(page);
            }
        }
    }

    void focus(QWidget* control) {
        show_page_of(control);
        control->setFocus(Qt::MouseFocusReason);
        QCOMPARE(QApplication::focusWidget(), control);
    }

    // ASCII arrives as key presses; anything else as the commit of an input method, the way a
    // Japanese input method hands over full-width characters. The event loop goes on between
    // keystrokes, as it does for a user.
    void type(QLineEdit* target, const QString& text) {
        focus(target);
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80) {
                QTest::keyClicks(target, QString(ch));
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(ch));
                QApplication::sendEvent(target, &commit);
            }
            QCoreApplication::processEvents();
        }
    }

    // Replaces a box's text the way a user would: select all, then type.
    void retype(QLineEdit* target, const QString& text) {
        focus(target);
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        type(target, text);
    }

    void click(QPushButton* button) {
        show_page_of(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Chooses "About" and, while the about window is up (the menu action has not returned), does
    // `while_open` with it. Returns whether the window closed of its own accord and the main window
    // became active again; an about window still open a few seconds later is closed here, so that
    // no test waits for ever.
    bool about(const std::function<void(pelmora::AboutWindow*)>& while_open) {
        bool closed_by_watchdog = false;
        QTimer::singleShot(0, [&] {
            auto* splash = qobject_cast<pelmora::AboutWindow*>(QApplication::activeModalWidget());
            QVERIFY(splash != nullptr);
            QTRY_VERIFY(splash->isActiveWindow());
            while_open(splash);
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            if (auto* splash =
                    qobject_cast<pelmora::AboutWindow*>(QApplication::activeModalWidget())) {
                closed_by_watchdog = true;
                splash->reject();
            }
        });
        watchdog.start(3000);
        window->findChild<QAction*>(QStringLiteral("about"))->trigger();
        // The main window takes the keyboard back once the about window has gone, as the next
        // input of a user would find it.
        const bool main_window_active =
            QTest::qWaitFor([this] { return window->isActiveWindow(); });
        return !closed_by_watchdog && main_window_active;
    }

    // Whether a box shows the first character of its text at its left edge, as painted now.
    static bool shows_start(QLineEdit* box) {
        box->grab();
        return box->cursorPositionAt(QPoint(0, box->height() / 2)) == 0;
    }

    RecordingMessageBoxes messages;
    QDateTime now{QDate(2004, 6, 25), QTime(22, 9)};
    pelmora::InstalledLibrary library;
    pelmora::BoundEngine engine{library};
    std::unique_ptr<pelmora::MainWindow> window;
    Controls controls;
};

#endif
