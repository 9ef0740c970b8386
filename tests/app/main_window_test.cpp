#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QTranslator>
#include <array>
#include <functional>
#include <memory>
#include <tuple>

#include "qt/translations.h"
#include "support/test_main.h"
#include "support/window_harness.h"

namespace {

const QString kLossProbabilityRefusal = QStringLiteral("呼損率の値は１以下で入力してください");

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
    QLineEdit* box(const QString& name) const { return w_->box(name); }
    static QString focused() { return WindowHarness::focused(); }
    void select_tab(int index) { w_->select_tab(index); }
    void focus(QWidget* control) { w_->focus(control); }
    void type(QLineEdit* target, const QString& text) { w_->type(target, text); }

  private slots:
    void init() {
        w_ = std::make_unique<WindowHarness>();
        QVERIFY(w_->active());
    }

    void cleanup() { w_.reset(); }

    void startsOnTheFirstPageWithEmptyBoxesAndTheFirstBoxsHelp() {
        QVERIFY(c().Frame1->isVisible());
        QVERIFY(!c().Frame2->isVisible());
        QVERIFY(!c().Frame3->isVisible());
        QCOMPARE(c().TabStrip1->currentIndex(), 0);
        for (int i = 2; i <= 12; ++i) {
            QVERIFY2(box(QStringLiteral("Text%1").arg(i))->text().isEmpty(),
                     qPrintable(QString::number(i)));
        }
        QCOMPARE(focused(), QStringLiteral("Text2"));
        QCOMPARE(c().Text1->text(), help_of(QStringLiteral("Text2")));
        QVERIFY(w_->messages.shown.empty());
        QCOMPARE(w_->window->objectName(), QStringLiteral("Pelmora_Main"));
        QCOMPARE(w_->window->windowTitle(), QStringLiteral("呼損率の計算"));
        QCOMPARE(w_->window->centralWidget()->size(), QSize(569, 372 - 25));
    }

    void pageSwitchShowsItsFrameAndTheFirstBoxsHelp_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("first_box");
        QTest::newRow("アーラン") << 0 << "Frame1"
                                  << "Text2";
        QTest::newRow("必要回線数") << 1 << "Frame2"
                                    << "Text6";
        QTest::newRow("処理可能呼数") << 2 << "Frame3"
                                      << "Text9";
    }

    void pageSwitchShowsItsFrameAndTheFirstBoxsHelp() {
        QFETCH(int, tab);
        QFETCH(QString, frame);
        QFETCH(QString, first_box);
        // Leave the first page and another control's help behind first.
        select_tab(tab == 0 ? 1 : 0);
        focus(tab == 0 ? c().Command2 : c().Command1);
        select_tab(tab);
        for (QGroupBox* each : {c().Frame1, c().Frame2, c().Frame3}) {
            QCOMPARE(each->isVisible(), each->objectName() == frame);
        }
        QCOMPARE(focused(), first_box);
        QCOMPARE(c().Text1->text(), help_of(first_box));
        QVERIFY(w_->messages.shown.empty());
    }

    // Ctrl+Tab and Ctrl+PageDown go to the next page, with Shift or PageUp to the previous one,
    // round the three, wherever the focus is.
    void pageKeysSelectTheNextOrPreviousTab() {
        const std::array<std::pair<QKeyCombination, int>, 5> steps{
            {{Qt::CTRL | Qt::Key_Tab, 1},
             {Qt::CTRL | Qt::Key_PageDown, 2},
             {Qt::CTRL | Qt::Key_Tab, 0},
             {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 2},
             {Qt::CTRL | Qt::Key_PageUp, 1}}};
        const QStringList first_boxes{"Text2", "Text6", "Text9"};
        for (const auto& [keys, page] : steps) {
            QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
            QCOMPARE(c().TabStrip1->currentIndex(), page);
            QCOMPARE(focused(), first_boxes[page]);
        }
    }

    void tabsCarryTheirCaptionsAndTooltips() {
        const QStringList captions{"アーラン", "必要回線数", "処理可能呼数"};
        const QStringList tooltips{"呼損率の計算を行います", "コール数から必要回線数を計算します",
                                   "回線数から処理可能呼数を計算します"};
        QCOMPARE(c().TabStrip1->count(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(c().TabStrip1->tabText(i), captions[i]);
            QCOMPARE(c().TabStrip1->tabToolTip(i), tooltips[i]);
        }
        // The frames and the help panel stand above the tab strip.
        const QObjectList& stack = w_->window->centralWidget()->children();
        QVERIFY(stack.indexOf(c().TabStrip1) < stack.indexOf(c().Frame1));
        QVERIFY(stack.indexOf(c().TabStrip1) < stack.indexOf(c().Text1));
    }

    void tabKeyFollowsTheTabIndices_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("page 1") << 0 << QStringList{"Text2", "Text3",     "Text4",    "Command1",
                                                    "Text5", "TabStrip1", "Command4", "Text2"};
        QTest::newRow("page 2") << 1 << QStringList{"Text6",    "Text7",     "Command2", "Text8",
                                                    "Command4", "TabStrip1", "Text6"};
        QTest::newRow("page 3") << 2 << QStringList{"Text9",  "Text10",   "Text11",    "Command3",
                                                    "Text12", "Command4", "TabStrip1", "Text9"};
    }

    void tabKeyFollowsTheTabIndices() {
        QFETCH(int, tab);
        QFETCH(QStringList, order);
        select_tab(tab);
        QStringList visited{focused()};
        while (visited.size() < order.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << focused();
        }
        QCOMPARE(visited, order);
    }

    // Every focus arrival reaches the form, whatever the control.
    void focusShowsTheControlsHelpText() {
        for (const char* name :
             {"Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9", "Text10",
              "Text11", "Text12", "Command1", "Command2", "Command3"}) {
            const QString control = QString::fromLatin1(name);
            focus(w_->window->findChild<QWidget*>(control));
            QCOMPARE(c().Text1->text(), help_of(control));
        }
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

    void enterMovesToTheNextBoxOrTheCalculateButton_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("Text4") << "Text4"
                               << "Command1";
        QTest::newRow("Text11") << "Text11"
                                << "Command3";
        QTest::newRow("Text8 (result)") << "Text8"
                                        << "Text8";
    }

    void enterMovesToTheNextBoxOrTheCalculateButton() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QLineEdit* start = box(from);
        type(start, QStringLiteral(".5"));
        // Shift+Enter is Enter too; Ctrl+ and Alt+Enter are not, as on Windows.
        const std::array<std::tuple<Qt::Key, Qt::KeyboardModifiers, bool>, 5> keys{
            {{Qt::Key_Return, Qt::NoModifier, true},
             {Qt::Key_Enter, Qt::KeypadModifier, true},
             {Qt::Key_Return, Qt::ShiftModifier, true},
             {Qt::Key_Return, Qt::ControlModifier, false},
             {Qt::Key_Return, Qt::AltModifier, false}}};
        for (const auto& [key, modifiers, moves] : keys) {
            focus(start);
            QTest::keyClick(start, key, modifiers);
            QCOMPARE(focused(), moves ? to : from);
            QCOMPARE(start->text(), QStringLiteral(".5"));
        }
        QCOMPARE(c().Text1->text(), help_of(from));
        QVERIFY(w_->messages.shown.empty());
    }

    void linkedBoxesCopyEachKeystrokeVerbatim_data() {
        QTest::addColumn<QString>("typed_in");
        QTest::addColumn<QString>("twin");
        QTest::addColumn<QString>("text");
        QTest::newRow("Text3 to Text11") << "Text3"
                                         << "Text11"
                                         << " 3.50 min";
        QTest::newRow("Text9 to Text7") << "Text9"
                                        << "Text7"
                                        << ".5 ";
    }

    void linkedBoxesCopyEachKeystrokeVerbatim() {
        QFETCH(QString, typed_in);
        QFETCH(QString, twin);
        QFETCH(QString, text);
        QLineEdit* source = box(typed_in);
        QLineEdit* copy = box(twin);
        const QPalette palette = copy->palette();
        QSignalSpy copied(copy, &QLineEdit::textChanged);
        focus(source);
        for (int i = 0; i < text.size(); ++i) {
            QTest::keyClicks(source, text.mid(i, 1));
            QCOMPARE(copy->text(), text.left(i + 1));
        }
        // One change of the twin per keystroke: the copy back is no change.
        QCOMPARE(copied.count(), text.size());
        QCOMPARE(copy->palette(), palette);
        QCOMPARE(focused(), typed_in);
        QVERIFY(w_->messages.shown.empty());
        // Emptying the box empties the twin.
        source->selectAll();
        QTest::keyClick(source, Qt::Key_Delete);
        QCOMPARE(copy->text(), QString());
    }

    void lossProbabilityOfOneOrMoreIsRefused_data() {
        QTest::addColumn<QString>("typed_in");
        QTest::addColumn<QString>("twin");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("left");
        QTest::newRow("Text7, full width") << "Text7"
                                           << "Text9"
                                           << "２"
                                           << "２"
                                           << "";
        QTest::newRow("Text7, 1.5") << "Text7"
                                    << "Text9"
                                    << "1.5"
                                    << "1"
                                    << ".5";
    }

    void lossProbabilityOfOneOrMoreIsRefused() {
        QFETCH(QString, typed_in);
        QFETCH(QString, twin);
        QFETCH(QString, text);
        QFETCH(QString, refused);
        QFETCH(QString, left);
        QLineEdit* source = box(typed_in);
        QLineEdit* copy = box(twin);
        const QPalette source_palette = source->palette();
        const QPalette twin_palette = copy->palette();
        QString shown_during_message;
        w_->messages.while_shown = [&](const QString&) { shown_during_message = source->text(); };
        type(source, text);
        QCOMPARE(int(w_->messages.shown.size()), 1);
        QCOMPARE(w_->messages.shown[0].title, QStringLiteral("Error"));
        QCOMPARE(w_->messages.shown[0].text, kLossProbabilityRefusal);
        QCOMPARE(w_->messages.shown[0].answered_with, QStringLiteral("OK"));
        QCOMPARE(shown_during_message, refused);
        QCOMPARE(source->text(), left);
        QCOMPARE(copy->text(), left);
        QCOMPARE(focused(), typed_in);
        QCOMPARE(source->palette(), source_palette);
        QCOMPARE(copy->palette(), twin_palette);
    }

    void deletingTheDecimalPointCanBeRefused() {
        type(c().Text7, QStringLiteral("0.15"));
        QCOMPARE(c().Text9->text(), QStringLiteral("0.15"));
        c().Text7->setCursorPosition(2);
        QTest::keyClick(c().Text7, Qt::Key_Backspace);
        QCOMPARE(int(w_->messages.shown.size()), 1);
        QCOMPARE(c().Text7->text(), QString());
        QCOMPARE(c().Text9->text(), QString());
    }

    // The window reports the user's own edits to the form, once each, and never its writes on the
    // form's behalf: the form runs their reactions itself, and an echo would run them twice.
    void onlyTheUsersEditsReachTheForm() {
        QSignalSpy twin_writes(c().Text11, &QLineEdit::textChanged);
        w_->window->set_text(pelmora::Control::Text3, u"5");
        QCOMPARE(c().Text3->text(), QStringLiteral("5"));
        QCOMPARE(c().Text11->text(), QString());
        type(c().Text3, QStringLiteral("7"));
        QCOMPARE(c().Text11->text(), QStringLiteral("75"));
        QCOMPARE(twin_writes.count(), 1);
        QTest::keyClick(c().Text3, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(c().Text3->text(), QStringLiteral("5"));
        QCOMPARE(c().Text11->text(), QStringLiteral("5"));
        QCOMPARE(twin_writes.count(), 2);
        // A refused text written by the program is no edit: no message comes of it.
        w_->window->set_text(pelmora::Control::Text7, u"5");
        QVERIFY(w_->messages.shown.empty());
        QCOMPARE(c().Text9->text(), QString());
    }

    // An assistive tool or speech input edits a box through the accessibility interface, which
    // Qt reports only as a changed text: the box's reactions run all the same.
    void editsThroughTheAccessibilityInterfaceReachTheForm() {
        QAccessibleInterface* text7 = QAccessible::queryAccessibleInterface(c().Text7);
        text7->editableTextInterface()->insertText(0, QStringLiteral("5"));
        QCOMPARE(int(w_->messages.shown.size()), 1);
        QCOMPARE(w_->messages.shown[0].text, kLossProbabilityRefusal);
        QCOMPARE(c().Text7->text(), QString());
        text7->setText(QAccessible::Value, QStringLiteral(".25"));
        QCOMPARE(c().Text9->text(), QStringLiteral(".25"));
    }

    // An answer wider than its box, and the blank-padded processable-calls answer, show their
    // start when Tab (or Shift+Tab) brings the focus in, and every box shows its start once the
    // focus has left it.
    void boxesShowTheStartOfTheirText_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("Text8") << "Text8"
                               << "17.4499999999999"
                               << "Command2"
                               << "Command4";
        QTest::newRow("Text12") << "Text12" << QStringLiteral(" 90").leftJustified(256)
                                << "Command3"
                                << "Command4";
        QTest::newRow("Text10, typed") << "Text10"
                                       << "123456789012345678901234567890"
                                       << "Text9"
                                       << "Text11";
    }

    void boxesShowTheStartOfTheirText() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QLineEdit* target = box(name);
        w_->show_page_of(target);
        w_->retype(target, text);
        QVERIFY2(target->fontMetrics().horizontalAdvance(text) > target->width(),
                 "the text fits its box");
        QVERIFY(!WindowHarness::shows_start(target));
        focus(w_->window->findChild<QWidget*>(after));
        QVERIFY(WindowHarness::shows_start(target));
        focus(w_->window->findChild<QWidget*>(before));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focused(), name);
        QVERIFY(WindowHarness::shows_start(target));
        QCOMPARE(target->selectedText(), text);
        QTest::keyClick(target, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(focused(), name);
        QVERIFY(WindowHarness::shows_start(target));
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

    void statusBarShowsTheClocksDateAndTime() {
        QCOMPARE(c().StatusBar1->panel(3)->text(),
                 QLocale::system().toString(QDate(2004, 6, 25), QLocale::ShortFormat));
        QCOMPARE(c().StatusBar1->panel(4)->text(), QStringLiteral("22:09"));
        QCOMPARE(c().StatusBar1->panel(1)->text(), QString());
        QCOMPARE(c().StatusBar1->panel(2)->text(), QString());
        w_->now = QDateTime(QDate(2004, 6, 26), QTime(0, 1));
        c().StatusBar1->refresh();
        QCOMPARE(c().StatusBar1->panel(4)->text(), QStringLiteral("00:01"));
        QCOMPARE(c().StatusBar1->panel(3)->text(),
                 QLocale::system().toString(QDate(2004, 6, 26), QLocale::ShortFormat));
        QVERIFY(c().StatusBar1->timer().isActive());
        QVERIFY(c().StatusBar1->timer().interval() <= 1000);
    }

    void resizingMovesOnlyTheStatusBar() {
        QList<QRect> before;
        const auto controls = w_->window->centralWidget()->findChildren<QWidget*>();
        for (QWidget* control : controls) {
            before << control->geometry();
        }
        const int spring_before = c().StatusBar1->panel(1)->width();
        w_->window->resize(w_->window->width() + 200, w_->window->height() + 100);
        QTRY_COMPARE(c().StatusBar1->width(), w_->window->width());
        for (int i = 0; i < controls.size(); ++i) {
            QCOMPARE(controls[i]->geometry(), before[i]);
        }
        QCOMPARE(c().StatusBar1->geometry().bottom(), w_->window->rect().bottom());
        QCOMPARE(c().StatusBar1->panel(1)->width(), spring_before + 200);
    }

    void closeButtonEndsTheProgramWithoutAQuestion_data() {
        QTest::addColumn<int>("key");  // 0: a mouse click
        QTest::newRow("click") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("space") << int(Qt::Key_Space);
    }

    void closeButtonEndsTheProgramWithoutAQuestion() {
        QFETCH(int, key);
        type(c().Text2, QStringLiteral("240"));
        const auto press = [&] {
            if (key == 0) {
                // Clicked the way the window system delivers it.
                QTest::mouseClick(
                    w_->window->windowHandle(), Qt::LeftButton, {},
                    c().Command4->mapTo(w_->window.get(), c().Command4->rect().center()));
            } else {
                focus(c().Command4);
                QTest::keyClick(c().Command4, Qt::Key(key));
            }
        };
        QVERIFY(program_ends_after(press));
        QVERIFY(w_->messages.shown.empty());
    }

    void closingTheWindowEndsTheProgram() {
        const auto close = [&] { QVERIFY(w_->window->close()); };
        QVERIFY(program_ends_after(close));
        QVERIFY(w_->messages.shown.empty());
    }

    // What a screen reader announces: each box by its label, with its help; each calculate button
    // by its caption, with its help; the help panel by a name of its own.
    void assistiveToolsFindEveryControlByItsLabel_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        const char* rows[][3] = {
            {"Text2", "呼数", "Label1"},
            {"Text3", "平均通話時間", "Label2"},
            {"Text4", "１日の稼働時間", "Label3"},
            {"Text5", "呼量 （ｱｰﾗﾝ）", "Label4"},
            {"Text6", "呼量 （ｱｰﾗﾝ）", "Label5"},
            {"Text7", "呼損率", "Label6"},
            {"Text8", "必要回線数", "Label7"},
            {"Text9", "呼損率", "Label8"},
            {"Text10", "必要回線数", "Label9"},
            {"Text11", "平均通話時間", "Label10"},
            {"Text12", "処理可能呼数", "Label11"},
            {"Command1", "↓ 呼量計算", ""},
            {"Command2", "↓ 必要回線数計算", ""},
            {"Command3", "↓ １時間当たりの処理可能呼数", ""},
            {"Text1", "ヘルプ", ""},
        };
        for (const auto& row : rows) {
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1])
                                  << QString::fromUtf8(row[2]);
        }
    }

    void assistiveToolsFindEveryControlByItsLabel() {
        QFETCH(QString, control);
        QFETCH(QString, name);
        QFETCH(QString, label);
        QWidget* widget = w_->window->findChild<QWidget*>(control);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible != nullptr);
        QCOMPARE(accessible->text(QAccessible::Name), name);
        QCOMPARE(accessible->text(QAccessible::Description), help_of(control));
        if (!label.isEmpty()) {
            QStringList labelled_by;
            for (const auto& [relative, relation] : accessible->relations(QAccessible::Label)) {
                labelled_by << relative->object()->objectName();
            }
            QVERIFY2(labelled_by.contains(label), qPrintable(labelled_by.join(u' ')));
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
