#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "support/test_main.h"
#include "support/window_harness.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QString kNoAnswer = QStringLiteral("この条件では計算できません。入力値を見直してください");
const QString kLibraryMissing = QStringLiteral("計算ライブラリ vantrel を読み込めませんでした\r\n");
const QString kWaitText = QStringLiteral(
    "\r\n\r\n\r\nただいま計算しております\r\n\r\n少々お待ち下さい\r\n\r\n"
    "条件によっては、数分から数時間かかることもあります");

QColor background(const QLineEdit* box) {
    return box->palette().color(QPalette::Base);
}

// The darkest channel value painted inside a box, away from its frame: low where dark text shows.
int darkest_inside(QLineEdit* box) {
    const QImage shot = box->grab().toImage();
    int darkest = 255;
    for (int y = 4; y < shot.height() - 4; ++y) {
        for (int x = 4; x < shot.width() - 4; ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            darkest = std::min(darkest, std::max({pixel.red(), pixel.green(), pixel.blue()}));
        }
    }
    return darkest;
}

// Every background the watched boxes take, in order: a box marked white and then red in one press
// shows both marks, a box left alone shows none.
class BackgroundLog : public QObject {
  public:
    explicit BackgroundLog(const std::vector<QLineEdit*>& boxes) {
        for (QLineEdit* box : boxes) {
            box->installEventFilter(this);
        }
    }

    QString of(const QLineEdit* box) const { return log_.value(box).join(QLatin1Char(' ')); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange) {
            const auto* box = static_cast<QLineEdit*>(watched);
            const QColor colour = background(box);
            log_[box] << (colour == kWhite ? QStringLiteral("white")
                          : colour == kRed ? QStringLiteral("red")
                                           : colour.name());
        }
        return false;
    }

  private:
    QHash<const QLineEdit*, QStringList> log_;
};

// The texts the help panel held whenever it was painted.
class PaintedTexts : public QObject {
  public:
    explicit PaintedTexts(pelmora::HelpPanel* panel) : panel_(panel) {
        panel->viewport()->installEventFilter(this);
    }
    QStringList texts;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            texts << panel_->text();
        }
        return false;
    }

  private:
    pelmora::HelpPanel* panel_;
};

}  // namespace

class PagesTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowHarness> w_;
    const Controls& c() const { return w_->c(); }

    // Types each box's text; an empty text leaves the box empty.
    void fill(const QStringList& boxes, const QStringList& texts) {
        for (int i = 0; i < boxes.size(); ++i) {
            if (!texts[i].isEmpty()) {
                w_->retype(w_->box(boxes[i]), texts[i]);
            }
        }
    }

    std::vector<QLineEdit*> boxes_named(const QStringList& names) const {
        std::vector<QLineEdit*> boxes;
        for (const QString& name : names) {
            boxes.push_back(w_->box(name));
        }
        return boxes;
    }

    void expect_one_message(const QString& text) {
        QCOMPARE(int(w_->messages.shown.size()), 1);
        QCOMPARE(w_->messages.shown[0].title, QStringLiteral("Error"));
        QCOMPARE(w_->messages.shown[0].text, text);
        QCOMPARE(w_->messages.shown[0].answered_with, QStringLiteral("OK"));
    }

    // The calculation ended on the page's first box: the help panel was emptied, and the box's
    // focus reaction filled it again.
    void expect_back_at(const QString& first_box) {
        QCOMPARE(WindowHarness::focused(), first_box);
        QCOMPARE(c().Text1->text(), help_of(first_box));
    }

    // Presses a page's button on the given inputs, with every result box holding an earlier
    // result, and checks the input error report: one message, the marks each input box took in
    // the press, the focus on the failing box, and every result unchanged.
    void expect_report(QPushButton* button, const QStringList& inputs, const QStringList& texts,
                       const QString& failing, const QString& message, const QStringList& marks,
                       const QStringList& results) {
        fill(inputs, texts);
        for (const QString& result : results) {
            w_->box(result)->setText(QStringLiteral("earlier"));
        }
        const BackgroundLog log(boxes_named(inputs));
        w_->messages.shown.clear();
        w_->click(button);
        expect_one_message(message);
        QCOMPARE(WindowHarness::focused(), failing);
        QCOMPARE(c().Text1->text(), help_of(failing));
        for (int i = 0; i < inputs.size(); ++i) {
            QCOMPARE(log.of(w_->box(inputs[i])), marks[i]);
        }
        for (const QString& result : results) {
            QCOMPARE(w_->box(result)->text(), QStringLiteral("earlier"));
        }
    }

    static void report_columns() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("marks");
    }

  private slots:
    void init() {
        w_ = std::make_unique<WindowHarness>();
        QVERIFY(w_->active());
    }

    void cleanup() { w_.reset(); }

    void offeredTrafficChecks_data() {
        report_columns();
        QTest::newRow("all empty") << QStringList{"", "", ""} << "Text2"
                                   << "呼数を入力して下さい" << QStringList{"red", "", ""};
        QTest::newRow("no call time")
            << QStringList{"240", "", ""} << "Text3"
            << "平均通話時間を入力して下さい" << QStringList{"white", "red", ""};
        QTest::newRow("no operating time")
            << QStringList{"240", "3", ""} << "Text4"
            << "一日の稼働時間を入力して下さい" << QStringList{"white", "white", "red"};
        for (const char* hours : {"abc"}) {
            QTest::newRow(qPrintable(QStringLiteral("operating time %1").arg(hours)))
                << QStringList{"240", "3", hours} << "Text4"
                << "一日の稼働時間を時間単位で０以上を入力して下さい"
                << QStringList{"white", "white", "white red"};
        }
    }

    void offeredTrafficChecks() {
        QFETCH(QStringList, texts);
        QFETCH(QString, failing);
        QFETCH(QString, message);
        QFETCH(QStringList, marks);
        expect_report(c().Command1, {"Text2", "Text3", "Text4"}, texts, failing, message, marks,
                      {"Text5", "Text6"});
    }

    void offeredTrafficResult_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("traffic");
        QTest::newRow("240 calls, 3 min, 8 h") << QStringList{"240", "3", "8"} << "1.5";
        QTest::newRow("below one") << QStringList{"60", "2", "8"} << ".25";
        QTest::newRow("negative calls") << QStringList{"-240", "3", "8"} << "-1.5";
    }

    void offeredTrafficResult() {
        QFETCH(QStringList, texts);
        QFETCH(QString, traffic);
        fill({"Text2", "Text3", "Text4"}, texts);
        w_->click(c().Command1);
        QVERIFY(w_->messages.shown.empty());
        QCOMPARE(c().Text5->text(), traffic);
        QCOMPARE(c().Text6->text(), traffic);
        for (QLineEdit* box : {c().Text2, c().Text3, c().Text4}) {
            QCOMPARE(background(box), kWhite);
        }
        expect_back_at(QStringLiteral("Text2"));
        QCOMPARE(c().Text1->text().count(QStringLiteral("\r\n")), 2);
    }

    void offeredTrafficWithoutAnswer_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("overflow") << QStringList{"1e300", "1e300", "1"};
        QTest::newRow("calls beyond range") << QStringList{"1e400", "3", "8"};
        QTest::newRow("hours beyond range") << QStringList{"240", "3", "1e400"};
    }

    void offeredTrafficWithoutAnswer() {
        QFETCH(QStringList, texts);
        fill({"Text2", "Text3", "Text4"}, texts);
        c().Text5->setText(QStringLiteral("earlier"));
        c().Text6->setText(QStringLiteral("earlier"));
        w_->click(c().Command1);
        expect_one_message(kNoAnswer);
        QCOMPARE(c().Text5->text(), QStringLiteral("earlier"));
        QCOMPARE(c().Text6->text(), QStringLiteral("earlier"));
        expect_back_at(QStringLiteral("Text2"));
    }

    void requiredLinesChecks_data() {
        report_columns();
        QTest::newRow("both empty") << QStringList{"", ""} << "Text6"
                                    << "呼量を入力して下さい" << QStringList{"red", ""};
        for (const char* traffic : {"   "}) {
            QTest::newRow(qPrintable(QStringLiteral("traffic %1").arg(traffic)))
                << QStringList{traffic, "0.01"} << "Text6"
                << "呼量を０以上で正しく入力して下さい" << QStringList{"white red", ""};
        }
        QTest::newRow("no loss probability")
            << QStringList{"10", ""} << "Text7"
            << "呼損率を入力して下さい" << QStringList{"white", "red"};
        for (const char* loss : {"0"}) {
            QTest::newRow(qPrintable(QStringLiteral("loss probability %1").arg(loss)))
                << QStringList{"10", loss} << "Text7"
                << "呼損率を０以上で正しく入力して下さい" << QStringList{"white", "white red"};
        }
    }

    void requiredLinesChecks() {
        QFETCH(QStringList, texts);
        QFETCH(QString, failing);
        QFETCH(QString, message);
        QFETCH(QStringList, marks);
        expect_report(c().Command2, {"Text6", "Text7"}, texts, failing, message, marks, {"Text8"});
    }

    void requiredLinesResult_data() {
        QTest::addColumn<QString>("traffic");
        QTest::addColumn<QString>("loss");
        QTest::addColumn<QString>("lines");
        QTest::newRow("10 E, 1 %") << "10"
                                   << "0.01"
                                   << "17.4499999999999";
        QTest::newRow("1 E, 1 %") << "1"
                                  << "0.01"
                                  << "4.34999999999995";
        QTest::newRow("100 E, 1 %") << "100"
                                    << "0.01"
                                    << "116.880000000023";
        QTest::newRow("0.5 E, 50 %") << "0.5"
                                     << "0.5"
                                     << "1";
    }

    void requiredLinesResult() {
        QFETCH(QString, traffic);
        QFETCH(QString, loss);
        QFETCH(QString, lines);
        fill({"Text6", "Text7"}, {traffic, loss});
        const PaintedTexts painted(c().Text1);
        w_->click(c().Command2);
        QVERIFY(w_->messages.shown.empty());
        QVERIFY2(painted.texts.contains(kWaitText), "the wait notice was never painted");
        QCOMPARE(c().Text8->text(), lines);
        QCOMPARE(c().Text10->text(), lines);
        QCOMPARE(background(c().Text6), kWhite);
        QCOMPARE(background(c().Text7), kWhite);
        expect_back_at(QStringLiteral("Text6"));
    }

    void requiredLinesWithoutAnswer() {
        fill({"Text6", "Text7"}, {"1e300", "0.01"});
        c().Text8->setText(QStringLiteral("earlier"));
        w_->click(c().Command2);
        expect_one_message(kNoAnswer);
        QCOMPARE(c().Text8->text(), QStringLiteral("earlier"));
        expect_back_at(QStringLiteral("Text6"));
    }

    void processableCallsChecks_data() {
        report_columns();
        QTest::newRow("all empty") << QStringList{"", "", ""} << "Text9"
                                   << "呼損率を入力して下さい" << QStringList{"red", "", ""};
        QTest::newRow("no lines") << QStringList{"0.01", "", ""} << "Text10"
                                  << "必要回線数を入力して下さい"
                                  << QStringList{"white", "red", ""};
        QTest::newRow("no call time")
            << QStringList{"0.01", "10", ""} << "Text11"
            << "平均通話時間を入力して下さい" << QStringList{"white", "white", "red"};
        for (const char* loss : {"-0.5"}) {
            QTest::newRow(qPrintable(QStringLiteral("loss probability %1").arg(loss)))
                << QStringList{loss, "10", "3"} << "Text9"
                << "呼損率を０以上で正しく入力して下さい"
                << QStringList{"white red", "white", "white"};
        }
        for (const char* lines : {"abc"}) {
            QTest::newRow(qPrintable(QStringLiteral("lines %1").arg(lines)))
                << QStringList{"0.01", lines, "3"} << "Text10"
                << "必要回線数を０以上で正しく入力して下さい"
                << QStringList{"white", "white red", "white"};
        }
        for (const char* minutes : {"0"}) {
            QTest::newRow(qPrintable(QStringLiteral("call time %1").arg(minutes)))
                << QStringList{"0.01", "10", minutes} << "Text11"
                << "平均通話時間を０以上で正しく入力して下さい"
                << QStringList{"white", "white", "white red"};
        }
    }

    void processableCallsChecks() {
        QFETCH(QStringList, texts);
        QFETCH(QString, failing);
        QFETCH(QString, message);
        QFETCH(QStringList, marks);
        expect_report(c().Command3, {"Text9", "Text10", "Text11"}, texts, failing, message, marks,
                      {"Text12"});
    }

    void processableCallsResult_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("calls");
        QTest::newRow("10 lines") << QStringList{"0.01", "10", "3"} << " 90";
        QTest::newRow("18 lines") << QStringList{"0.01", "18", "3"} << " 210";
        QTest::newRow("5 lines, 5 %") << QStringList{"0.05", "5", "2"} << " 69";
        QTest::newRow("half a line") << QStringList{"0.5", "0.5", "3"} << " 2";
    }

    void processableCallsResult() {
        QFETCH(QStringList, texts);
        QFETCH(QString, calls);
        fill({"Text9", "Text10", "Text11"}, texts);
        const PaintedTexts painted(c().Text1);
        w_->click(c().Command3);
        QVERIFY(w_->messages.shown.empty());
        QVERIFY2(painted.texts.contains(kWaitText), "the wait notice was never painted");
        QCOMPARE(c().Text12->text().size(), 256);
        QCOMPARE(c().Text12->text(), calls.leftJustified(256));
        QVERIFY2(darkest_inside(c().Text12) < 64, "the answer is not in view");
        for (QLineEdit* box : {c().Text9, c().Text10, c().Text11}) {
            QCOMPARE(background(box), kWhite);
        }
        expect_back_at(QStringLiteral("Text9"));
    }

    // A day's calls become erlangs, the erlangs a line count, the line count calls per hour,
    // without retyping: the hand-over and the linked boxes carry every figure.
    void answersFlowFromPageToPage() {
        fill({"Text2", "Text3", "Text4"}, {"240", "3", "8"});
        w_->click(c().Command1);
        QCOMPARE(c().Text6->text(), QStringLiteral("1.5"));
        w_->retype(c().Text7, QStringLiteral("0.01"));
        w_->click(c().Command2);
        const QString lines = c().Text8->text();
        QVERIFY(!lines.isEmpty());
        w_->select_tab(2);
        QCOMPARE(c().Text9->text(), QStringLiteral("0.01"));
        QCOMPARE(c().Text10->text(), lines);
        QCOMPARE(c().Text11->text(), QStringLiteral("3"));
        w_->click(c().Command3);
        QVERIFY(w_->messages.shown.empty());
        QVERIFY(c().Text12->text().startsWith(QLatin1Char(' ')));
        QVERIFY(c().Text12->text().trimmed().toDouble() > 0);
    }

    void aRejectedBoxIsRedOnScreen() {
        w_->click(c().Command2);
        const QImage shot = c().Text6->grab().toImage();
        const QColor inside = shot.pixelColor(shot.width() - 6, shot.height() / 2);
        QCOMPARE(inside, kRed);
        w_->retype(c().Text6, QStringLiteral("10"));
        QCOMPARE(background(c().Text6), kRed);  // editing changes no colour
    }

    // A keyboard user walks a page with Enter, typing each figure, and presses the calculate
    // button with Enter as well: the same checks and answers as a click.
    void enterChainReachesTheAnswer_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("enter");
        QTest::addColumn<QString>("result_box");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("page 1") << 0 << QStringList{"240", "3", "8"} << int(Qt::Key_Return)
                                << "Text5"
                                << "1.5" << QString();
        QTest::newRow("page 2, keypad")
            << 1 << QStringList{"10", "0.01"} << int(Qt::Key_Enter) << "Text8"
            << "17.4499999999999" << QString();
        QTest::newRow("page 3") << 2 << QStringList{"0.01", "10", "3"} << int(Qt::Key_Return)
                                << "Text12" << QStringLiteral(" 90").leftJustified(256)
                                << QString();
        QTest::newRow("page 2, nothing typed") << 1 << QStringList{"", ""} << int(Qt::Key_Return)
                                               << "Text8" << QString() << "呼量を入力して下さい";
    }

    void enterChainReachesTheAnswer() {
        QFETCH(int, tab);
        QFETCH(QStringList, typed);
        QFETCH(int, enter);
        QFETCH(QString, result_box);
        QFETCH(QString, result);
        QFETCH(QString, message);
        w_->select_tab(tab);
        const Qt::KeyboardModifiers keypad =
            enter == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        for (const QString& text : typed) {
            QTest::keyClicks(QApplication::focusWidget(), text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(enter), keypad);
        }
        QVERIFY(qobject_cast<QPushButton*>(QApplication::focusWidget()) != nullptr);
        QVERIFY(w_->messages.shown.empty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(enter), keypad);
        QCOMPARE(w_->box(result_box)->text(), result);
        if (message.isEmpty()) {
            QVERIFY(w_->messages.shown.empty());
        } else {
            expect_one_message(message);
        }
    }

    // On a dark desktop theme the boxes' text is light; a marked box must still be readable.
    void markedBoxesKeepDarkTextOnADarkTheme() {
        QPalette dark = w_->window->palette();
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        w_->window->setPalette(dark);
        fill({"Text6", "Text7"}, {"10", "abc"});
        w_->click(c().Command2);
        QCOMPARE(background(c().Text6), kWhite);
        QCOMPARE(background(c().Text7), kRed);
        QVERIFY2(darkest_inside(c().Text6) < 64, "light text on the white mark");
        QVERIFY2(darkest_inside(c().Text7) < 64, "light text on the red mark");
        QCOMPARE(c().Text8->palette().color(QPalette::Text), QColor(230, 230, 230));
    }

    void missingLibraryIsReportedAndTriedAgainAtTheNextPress() {
        QTemporaryDir empty;
        w_ = std::make_unique<WindowHarness>(QStringList{empty.path()});
        QVERIFY(w_->active());
        fill({"Text6", "Text7"}, {"10", "0.01"});
        c().Text8->setText(QStringLiteral("earlier"));
        w_->click(c().Command2);
        QCOMPARE(int(w_->messages.shown.size()), 1);
        QVERIFY(w_->messages.shown[0].text.startsWith(kLibraryMissing));
        QVERIFY2(w_->messages.shown[0].text.contains(empty.path()),
                 qPrintable(w_->messages.shown[0].text));
        QCOMPARE(c().Text8->text(), QStringLiteral("earlier"));
        expect_back_at(QStringLiteral("Text6"));

        const QString installed = pelmora::InstalledLibrary::installation_directories().last();
        QVERIFY(QFile::copy(QDir(installed).filePath(QStringLiteral(VANTREL_FILE_NAME)),
                            QDir(empty.path()).filePath(QStringLiteral(VANTREL_FILE_NAME))));
        w_->messages.shown.clear();
        w_->click(c().Command2);
        QVERIFY(w_->messages.shown.empty());
        QCOMPARE(c().Text8->text(), QStringLiteral("17.4499999999999"));
    }

    void missingExportIsReported() {
        w_ = std::make_unique<WindowHarness>(QStringList{QStringLiteral(PARTIAL_ENGINE_DIRECTORY)});
        QVERIFY(w_->active());
        fill({"Text6", "Text7"}, {"10", "0.01"});
        w_->click(c().Command2);
        QCOMPARE(c().Text8->text(), QStringLiteral("42"));
        w_->select_tab(2);
        fill({"Text11"}, {"3"});
        c().Text12->setText(QStringLiteral("earlier"));
        w_->click(c().Command3);
        QCOMPARE(int(w_->messages.shown.size()), 1);
        QVERIFY(w_->messages.shown[0].text.startsWith(kLibraryMissing));
        QVERIFY2(w_->messages.shown[0].text.contains(QStringLiteral("cal_traffic")),
                 qPrintable(w_->messages.shown[0].text));
        QCOMPARE(c().Text12->text(), QStringLiteral("earlier"));
        expect_back_at(QStringLiteral("Text9"));
    }
};

PELMORA_QT_TEST_MAIN(PagesTest)
#include "pages_test.moc"
