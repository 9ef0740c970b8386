#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "form/engine.h"
#include "qt/engine_library.h"
#include "qt/main_window.h"
#include "qt/message_boxes.h"
#include "support/controls.h"
#include "support/test_main.h"

// The program's real modal message boxes over the real window, answered as a keyboard user
// answers them, with Enter. Afterwards the main window must have the keyboard again, with the
// focus and its help text where the rules put them, whatever the window system does about it.
class MessageBoxTest : public QObject {
    Q_OBJECT

  private:
    // What the box showed while it was up.
    struct Seen {
        QString title;
        QString text;
        int buttons = 0;
        bool only_ok = false;
        bool no_icon = false;
    };

    // Answers the first message box that comes up with Enter, once it has the keyboard. A poll
    // rather than a one-shot timer: a calculation handles waiting events before its box comes up.
    // A box still up some seconds later is closed, so that a failing test never waits for ever.
    // The poll belongs to the window: its deferred deletion may still be pending when a row ends.
    static void answer_next_box(QObject& owner, Seen& seen) {
        auto* poll = new QTimer(&owner);
        int ticks = 0;
        QObject::connect(poll, &QTimer::timeout, [poll, ticks, &seen]() mutable {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isActiveWindow()) {
                if (++ticks > 1000 && box != nullptr) {
                    box->reject();
                }
                return;
            }
            poll->deleteLater();
            poll->stop();
            seen = {box->windowTitle(), box->text(), int(box->buttons().size()),
                    box->standardButtons() == QMessageBox::Ok,
                    box->icon() == QMessageBox::NoIcon && box->iconPixmap().isNull()};
            QTest::keyClick(box, Qt::Key_Return);
        });
        poll->start(10);
    }

  private slots:
    void theWindowHasTheKeyboardAgainAfterEveryBox_data() {
        QTest::addColumn<bool>("with_engine");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("typed");  // box, text, box, text, ...
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("input error report")
            << true << 1 << QStringList{} << "Command2"
            << pelmora::qt_string(pelmora::texts::kTrafficMissing) << "Text6";
        QTest::newRow("refusal") << true << 2 << QStringList{"Text9", "5"} << ""
                                 << pelmora::qt_string(pelmora::texts::kLossProbabilityAtMostOne)
                                 << "Text9";
        QTest::newRow("no answer")
            << true << 1 << QStringList{"Text6", "1e300", "Text7", "0.01"} << "Command2"
            << pelmora::qt_string(pelmora::texts::kNoAnswer) << "Text6";
        QTest::newRow("missing library")
            << false << 2 << QStringList{"Text9", "0.01", "Text10", "10", "Text11", "3"}
            << "Command3" << pelmora::qt_string(pelmora::texts::kLibraryMissing) << "Text9";
    }

    void theWindowHasTheKeyboardAgainAfterEveryBox() {
        QFETCH(bool, with_engine);
        QFETCH(int, tab);
        QFETCH(QStringList, typed);
        QFETCH(QString, button);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        const QTemporaryDir no_engine;
        pelmora::ModalMessageBoxes messages;
        pelmora::InstalledLibrary library(
            with_engine ? pelmora::InstalledLibrary::installation_directories()
                        : QStringList{no_engine.path()});
        pelmora::BoundEngine engine(library);
        pelmora::MainWindow window(messages, engine);
        messages.set_owner(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        Controls(&window).TabStrip1->setCurrentIndex(tab);

        Seen seen;
        answer_next_box(window, seen);
        for (int i = 0; i < typed.size(); i += 2) {
            QLineEdit* box = window.findChild<QLineEdit*>(typed[i]);
            box->setFocus(Qt::MouseFocusReason);
            QTest::keyClicks(box, typed[i + 1]);
            QCoreApplication::processEvents();
        }
        if (!button.isEmpty()) {
            QWidget* pressed = window.findChild<QPushButton*>(button);
            pressed->setFocus(Qt::TabFocusReason);
            QTest::keyClick(pressed, Qt::Key_Space);
        }

        QCOMPARE(seen.title, QStringLiteral("Error"));
        QVERIFY2(seen.text.startsWith(message), qPrintable(seen.text));
        QCOMPARE(seen.buttons, 1);
        QVERIFY(seen.only_ok);
        QVERIFY(seen.no_icon);
        QTRY_VERIFY(window.isActiveWindow());
        QCOMPARE(QApplication::focusWidget(), window.findChild<QLineEdit*>(focus));
        QCOMPARE(Controls(&window).Text1->text(), help_of(focus));
    }
};

PELMORA_QT_TEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
