#ifndef PELMORA_TESTS_WINDOW_HARNESS_H
#define PELMORA_TESTS_WINDOW_HARNESS_H

#include <QApplication>
#include <QInputMethodEvent>
#include <QTabBar>
#include <QTest>
#include <array>
#include <memory>

#include "main_window/main_window.h"
#include "pages/engine_binding.h"
#include "support/recording_message_boxes.h"

// The real main window, shown and active on the offscreen platform, with its message boxes
// answered by a recorder, its clock under the test's control and the engine bound as the program
// binds it (unless a test points it elsewhere). The helpers use QtTest's checks, so a failed
// step fails the calling test.
class WindowHarness {
  public:
    explicit WindowHarness(
        QStringList engine_directories = pelmora::EngineBinding::installation_directories())
        : engine(std::move(engine_directories)),
          window(std::make_unique<pelmora::PelmoraMain>(messages, engine, [this] { return now; })) {
        window->show();
    }

    bool active() { return QTest::qWaitForWindowActive(window.get()); }

    const pelmora::Controls& c() const { return window->controls(); }

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
    // Japanese input method hands over full-width characters.
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

    RecordingMessageBoxes messages;
    QDateTime now{QDate(2004, 6, 25), QTime(22, 9)};
    pelmora::EngineBinding engine;
    std::unique_ptr<pelmora::PelmoraMain> window;
};

#endif
