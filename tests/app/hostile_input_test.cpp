#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "support/test_main.h"
#include "support/window_harness.h"

namespace {

const QString kNoAnswer = QStringLiteral("この条件では計算できません。入力値を見直してください");
const QString kRefusal = QStringLiteral("呼損率の値は１以下で入力してください");
constexpr int kLongPaste = 100'000;

}  // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowHarness> w_;
    const Controls& c() const { return w_->c(); }

    void paste(QLineEdit* box, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        w_->focus(box);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }

    QString last_message() const {
        return w_->messages.shown.empty() ? QString() : w_->messages.shown.back().text;
    }

  private slots:
    void init() {
        w_ = std::make_unique<WindowHarness>();
        QVERIFY(w_->active());
    }

    void cleanup() { w_.reset(); }

    // The whole reaction, copies and refusal included, is over when the paste event returns.
    void longPasteIntoEachBox_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("twin");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        const QString ones(kLongPaste, QLatin1Char('1'));
        const QString small = QStringLiteral("0.") + QString(kLongPaste, QLatin1Char('1'));
        const QString letters(kLongPaste, QLatin1Char('x'));
        const QString wide(kLongPaste, QChar(0xFF19));
        for (const char* box : {"Text2", "Text4", "Text5", "Text6", "Text12"}) {
            QTest::newRow(box) << box << "" << ones << false;
        }
        QTest::newRow("Text3") << "Text3"
                               << "Text11" << letters << false;
        QTest::newRow("Text11") << "Text11"
                                << "Text3" << wide << false;
        QTest::newRow("Text8") << "Text8"
                               << "Text10" << ones << false;
        QTest::newRow("Text10") << "Text10"
                                << "Text8" << letters << false;
        QTest::newRow("Text7 below 1") << "Text7"
                                       << "Text9" << small << false;
        QTest::newRow("Text9 below 1") << "Text9"
                                       << "Text7" << small << false;
        QTest::newRow("Text7 infinite") << "Text7"
                                        << "Text9" << ones << true;
        QTest::newRow("Text9 full width") << "Text9"
                                          << "Text7" << wide << true;
    }

    void longPasteIntoEachBox() {
        QFETCH(QString, box);
        QFETCH(QString, twin);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        paste(w_->box(box), text);
        const QString expected = refused ? QString() : text;
        QCOMPARE(w_->box(box)->text().size(), expected.size());
        QCOMPARE(w_->box(box)->text(), expected);
        if (!twin.isEmpty()) {
            QCOMPARE(w_->box(twin)->text(), expected);
        }
        QCOMPARE(int(w_->messages.shown.size()), refused ? 1 : 0);
    }

    void longTextsReadByACalculation() {
        paste(c().Text6, QStringLiteral("10") + QString(kLongPaste, QLatin1Char(' ')));
        paste(c().Text7, QStringLiteral("0.01") + QString(kLongPaste, QLatin1Char('z')));
        w_->click(c().Command2);
        QVERIFY(w_->messages.shown.empty());
        QCOMPARE(c().Text8->text(), QStringLiteral("17.4499999999999"));
    }

    // Texts at the edges of the reading, each where a calculation reads it: a defined answer, a
    // check's message, or the message that there is no answer; never a crash or inf and nan.
    void hostileNumbersGiveDefinedOutcomes_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("result");
        const QString traffic_invalid = QStringLiteral("呼量を０以上で正しく入力して下さい");
        const QString loss_invalid = QStringLiteral("呼損率を０以上で正しく入力して下さい");
        QTest::newRow("traffic 1e400") << 2 << QStringList{"1e400", "0.01"} << kNoAnswer << "";
        QTest::newRow("traffic -1e400")
            << 2 << QStringList{"-1e400", "0.01"} << traffic_invalid << "";
        QTest::newRow("traffic 1e-400")
            << 2 << QStringList{"1e-400", "0.01"} << traffic_invalid << "";
        for (const char* zero : {"-", ".", "&H", "&O9"}) {
            QTest::newRow(qPrintable(QStringLiteral("traffic %1").arg(zero)))
                << 2 << QStringList{zero, "0.01"} << traffic_invalid << "";
            QTest::newRow(qPrintable(QStringLiteral("loss probability %1").arg(zero)))
                << 2 << QStringList{"10", zero} << loss_invalid << "";
        }
        QTest::newRow("traffic &HFFFFFFFFFFFFFFFFFFFF")
            << 2 << QStringList{"&HFFFFFFFFFFFFFFFFFFFF", "0.01"} << kNoAnswer << "";
        QTest::newRow("traffic &H10") << 2 << QStringList{"&H10", "0.5"} << ""
                                      << "8.85999999999986";
        QTest::newRow("loss probability 1e-400")
            << 2 << QStringList{"10", "1e-400"} << loss_invalid << "";
        QTest::newRow("lines 1e400") << 3 << QStringList{"0.01", "1e400", "3"} << kNoAnswer << "";
        QTest::newRow("lines &HFFFFFFFFFFFFFFFFFFFF")
            << 3 << QStringList{"0.01", "&HFFFFFFFFFFFFFFFFFFFF", "3"} << kNoAnswer << "";
        QTest::newRow("call time 1e-400") << 3 << QStringList{"0.01", "10", "1e-400"}
                                          << "平均通話時間を０以上で正しく入力して下さい"
                                          << "";
        QTest::newRow("call time 4.9e-324")
            << 3 << QStringList{"0.01", "10", "4.9e-324"} << kNoAnswer << "";
        QTest::newRow("calls 1e400") << 1 << QStringList{"1e400", "3", "8"} << kNoAnswer << "";
        QTest::newRow("hours &HFFFFFFFFFFFFFFFFFFFF")
            << 1 << QStringList{"1", "1", "&HFFFFFFFFFFFFFFFFFFFF"} << ""
            << "1.37863435425505E-26";
    }

    void hostileNumbersGiveDefinedOutcomes() {
        QFETCH(int, page);
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        QFETCH(QString, result);
        const std::array<QStringList, 3> inputs{QStringList{"Text2", "Text3", "Text4"},
                                                QStringList{"Text6", "Text7"},
                                                QStringList{"Text9", "Text10", "Text11"}};
        const std::array results{c().Text5, c().Text8, c().Text12};
        const std::array buttons{c().Command1, c().Command2, c().Command3};
        for (int i = 0; i < texts.size(); ++i) {
            w_->retype(w_->box(inputs[page - 1][i]), texts[i]);
        }
        QLineEdit* answer = results[page - 1];
        answer->setText(QStringLiteral("earlier"));
        w_->click(buttons[page - 1]);
        QCOMPARE(last_message(), message);
        QCOMPARE(answer->text().trimmed(), result.isEmpty() ? QStringLiteral("earlier") : result);
    }

    void aLibraryPlantedInTheCurrentDirectoryIsNeverLoaded() {
        QTemporaryDir planted;
        for (const char* name : {"libvantrel.so.1", "libvantrel.so", "vantrel.so"}) {
            QVERIFY(QFile::copy(QStringLiteral(PARTIAL_ENGINE_DIRECTORY "/libvantrel.so.1"),
                                QDir(planted.path()).filePath(QString::fromLatin1(name))));
        }
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(planted.path()));
        w_->retype(c().Text6, QStringLiteral("10"));
        w_->retype(c().Text7, QStringLiteral("0.01"));
        w_->click(c().Command2);
        QDir::setCurrent(before);
        QVERIFY(w_->messages.shown.empty());
        QCOMPARE(c().Text8->text(), QStringLiteral("17.4499999999999"));
    }
};

PELMORA_QT_TEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
