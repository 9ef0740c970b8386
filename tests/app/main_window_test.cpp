#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QTranslator>
#include <functional>
#include <memory>

#include "form/layout.h"
#include "qt/translations.h"
#include "support/test_main.h"
#include "support/window_harness.h"

namespace {

// Runs the application's event loop, as the program's main does, and does `act` inside it.
// Answers whether the program ended by itself (the loop quit) rather than at the time limit.
bool program_ends_after(const std::function<void()>& act) {
    QTimer::singleShot(0, act);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [] { QApplication::exit(1); });
    limit.start(5000);
    return QApplication::exec() == 0;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowHarness> w_;

    const Controls& c() const { return w_->c(); }
    void focus(QWidget* control) { w_->focus(control); }
    void type(QLineEdit* target, const QString& text) { w_->type(target, text); }

  private slots:
    void init() {
        w_ = std::make_unique<WindowHarness>();
        QVERIFY(w_->active());
    }

    void cleanup() { w_.reset(); }

    void isNamedAsStored() {
        QCOMPARE(w_->window->objectName(), QStringLiteral("Pelmora_Main"));
        QCOMPARE(w_->window->centralWidget()->size(), QSize(569, 372 - 25));
    }

    void theFramesAndTheHelpPanelStandAboveTheTabStrip() {
        const QObjectList& stack = w_->window->centralWidget()->children();
        QVERIFY(stack.indexOf(c().TabStrip1) < stack.indexOf(c().Frame1));
        QVERIFY(stack.indexOf(c().TabStrip1) < stack.indexOf(c().Text1));
    }

    void helpPanelShowsEachLineBreakAsOneLine() {
        focus(c().Text7);
        QCOMPARE(c().Text1->document()->blockCount(), 4);
        QCOMPARE(c().Text1->document()->findBlockByNumber(1).text(), QString());
        QVERIFY(!c().Text1->toPlainText().contains(QLatin1Char('\r')));
    }

    void focusOnControlsWithoutHelpLeavesThePanel() {
        focus(c().Text4);
        for (QWidget* control :
             {static_cast<QWidget*>(c().Command4), static_cast<QWidget*>(c().TabStrip1->tabBar()),
              static_cast<QWidget*>(c().Text1)}) {
            control->setFocus(Qt::MouseFocusReason);
            QCOMPARE(c().Text1->text(), help_of(QStringLiteral("Text4")));
        }
    }

    // Qt's own undo is an edit of the user's too, reported once like typing.
    void anUndoReachesTheFormOnce() {
        QSignalSpy twin_writes(c().Text11, &QLineEdit::textChanged);
        w_->window->set_text(pelmora::Control::Text3, u"5");
        type(c().Text3, QStringLiteral("7"));
        QCOMPARE(twin_writes.count(), 1);
        QTest::keyClick(c().Text3, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(c().Text3->text(), QStringLiteral("5"));
        QCOMPARE(c().Text11->text(), QStringLiteral("5"));
        QCOMPARE(twin_writes.count(), 2);
    }

    // X11 hands a held key's repeat over as a release and a press of one time, which Qt does not
    // always mark as a repeat: a press at the time of the last release is no press of a button.
    void aRepeatAtTheTimeOfTheReleaseDoesNotPressAButton() {
        c().Command1->setFocus();
        const auto send = [&](QEvent::Type type, quint64 time) {
            QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            key.setTimestamp(time);
            QApplication::sendEvent(c().Command1, &key);
        };
        send(QEvent::KeyRelease, 1000);
        send(QEvent::KeyPress, 1000);
        QVERIFY(w_->messages.shown.empty());
        send(QEvent::KeyPress, 2000);
        QCOMPARE(int(w_->messages.shown.size()), 1);
    }

    // An assistive tool or speech input edits a box through the accessibility interface, which
    // Qt reports only as a changed text: the box's reactions run all the same.
    void editsThroughTheAccessibilityInterfaceReachTheForm() {
        QAccessibleInterface* text7 = QAccessible::queryAccessibleInterface(c().Text7);
        text7->editableTextInterface()->insertText(0, QStringLiteral("5"));
        QCoreApplication::processEvents();
        QCOMPARE(int(w_->messages.shown.size()), 1);
        QCOMPARE(pelmora::qt_string(w_->messages.shown[0].text),
                 pelmora::qt_string(pelmora::texts::kLossProbabilityAtMostOne));
        QCOMPARE(c().Text7->text(), QString());
        text7->setText(QAccessible::Value, QStringLiteral(".25"));
        QCOMPARE(c().Text9->text(), QStringLiteral(".25"));
    }

    // Qt's own texts, such as a box's context menu, come in Japanese for a Japanese user.
    void qtsOwnTextsAreJapaneseForAJapaneseUser() {
        QCOMPARE(pelmora::install_qt_translations(QLocale(QLocale::English)), nullptr);
        QTranslator* japanese =
            pelmora::install_qt_translations(QLocale(QLocale::Japanese, QLocale::Japan));
        QVERIFY(japanese != nullptr);
        const std::unique_ptr<QMenu> menu(c().Text2->createStandardContextMenu());
        const QString undo = menu->actions().constFirst()->text();
        QCoreApplication::removeTranslator(japanese);
        QVERIFY2(!undo.contains(QStringLiteral("Undo")), qPrintable(undo));
    }

    // Woken just after the next minute starts, not every second.
    void theClockWakesOnceAMinute() {
        w_->now = QDateTime(QDate(2004, 6, 26), QTime(0, 1));
        c().StatusBar1->refresh();
        QVERIFY(c().StatusBar1->timer().isActive());
        QVERIFY(c().StatusBar1->timer().isSingleShot());
        QCOMPARE(c().StatusBar1->timer().interval(), 60'000 + 100);
    }

    // Alt gives the menu bar the keyboard; leaving the window and coming back, the keyboard is the
    // box's again.
    void theKeyboardComesBackFromTheMenuBarAfterAnotherWindow() {
        focus(c().Text2);
        QTest::keyClick(w_->window->windowHandle(), Qt::Key_Alt);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        other.close();
        w_->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
        QCOMPARE(WindowHarness::focused(), QStringLiteral("Text2"));
        type(c().Text2, QStringLiteral("5"));
        QCOMPARE(c().Text2->text(), QStringLiteral("5"));
    }

    // The application's loop ends with the window, whichever way it closes.
    void closingTheWindowEndsTheProgram() {
        type(c().Text2, QStringLiteral("240"));
        QVERIFY(program_ends_after([&] { QVERIFY(w_->window->close()); }));
        QVERIFY(w_->messages.shown.empty());
    }

    // What a screen reader announces: each box by its label, with its help; each calculate button
    // by its caption, with its help; the help panel by a name of its own.
    void assistiveToolsFindEveryControlByItsLabel() {
        for (const pelmora::layout::Placement& placed : pelmora::layout::main_window()) {
            const bool button = placed.kind == pelmora::layout::Kind::Button;
            if (placed.kind != pelmora::layout::Kind::TextBox && !button &&
                placed.control != pelmora::Control::Text1) {
                continue;
            }
            const QString control = QString::fromLatin1(pelmora::name_of(placed.control));
            QAccessibleInterface* accessible =
                QAccessible::queryAccessibleInterface(w_->window->findChild<QWidget*>(control));
            QVERIFY(accessible != nullptr);
            const std::u16string name = button ? std::u16string(placed.caption)
                                        : placed.control == pelmora::Control::Text1
                                            ? std::u16string(pelmora::texts::kHelpPanelName)
                                            : pelmora::texts::screen_reader_name(placed.control);
            QCOMPARE(accessible->text(QAccessible::Name), pelmora::qt_string(name));
            QCOMPARE(accessible->text(QAccessible::Description), help_of(control));
            if (const auto label = pelmora::layout::label_of(placed.control)) {
                QStringList labelled_by;
                for (const auto& [relative, relation] : accessible->relations(QAccessible::Label)) {
                    labelled_by << relative->object()->objectName();
                }
                QVERIFY2(labelled_by.contains(QString::fromLatin1(pelmora::name_of(*label))),
                         qPrintable(control));
            }
        }
    }

    void boxesAndLabelsUseAJapaneseFace() {
        for (QWidget* control :
             {static_cast<QWidget*>(c().Text2), static_cast<QWidget*>(c().Label1),
              static_cast<QWidget*>(c().Text1)}) {
            QVERIFY2(QFontMetrics(control->font()).inFontUcs4(U'呼'),
                     qPrintable(QFontInfo(control->font()).family()));
        }
        QVERIFY(c().Text2->font().bold());
        QCOMPARE(c().Text2->font().pointSizeF(), 14.25);
        QCOMPARE(c().Label1->font().pointSizeF(), 12.0);
        QCOMPARE(c().Text1->font().pointSizeF(), 11.25);
    }
};

PELMORA_QT_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
