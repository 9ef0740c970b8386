#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "support/test_main.h"
#include "support/window_harness.h"

namespace {

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
        QCoreApplication::processEvents();
    }

  private slots:
    void init() {
        w_ = std::make_unique<WindowHarness>();
        QVERIFY(w_->active());
    }

    void cleanup() { w_.reset(); }

    // The whole reaction, copies and refusal included, is over once the event loop has had its
    // turn after the paste.
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
