#include <QColor>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "support/test_main.h"
#include "support/window_harness.h"

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QString kLibraryMissing = pelmora::qt_string(pelmora::texts::kLibraryMissing) +
                                pelmora::qt_string(pelmora::texts::kLineBreak);
const QString kWaitText = pelmora::qt_string(pelmora::texts::wait_text());

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

    // The calculation ended on the page's first box: the help panel was emptied, and the box's
    // focus reaction filled it again.
    void expect_back_at(const QString& first_box) {
        QCOMPARE(WindowHarness::focused(), first_box);
        QCOMPARE(c().Text1->text(), help_of(first_box));
    }

  private slots:
    void init() {
        w_ = std::make_unique<WindowHarness>();
        QVERIFY(w_->active());
    }

    void cleanup() { w_.reset(); }

    // The wait notice is painted before the long search, and the answer shows once it ends, the
    // processable calls' too, padded with blanks.
    void waitNoticeIsPaintedAndTheAnswerShows_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("result");
        QTest::newRow("lines") << 1 << QStringList{"Text6", "Text7"} << QStringList{"10", "0.01"}
                               << "Text8";
        QTest::newRow("calls") << 2 << QStringList{"Text9", "Text10", "Text11"}
                               << QStringList{"0.01", "10", "3"} << "Text12";
    }

    void waitNoticeIsPaintedAndTheAnswerShows() {
        QFETCH(int, tab);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, texts);
        QFETCH(QString, result);
        w_->select_tab(tab);
        fill(boxes, texts);
        const PaintedTexts painted(c().Text1);
        w_->click(tab == 1 ? c().Command2 : c().Command3);
        QVERIFY(w_->messages.shown.empty());
        QVERIFY2(painted.texts.contains(kWaitText), "the wait notice was never painted");
        QVERIFY2(darkest_inside(w_->box(result)) < 64, "the answer is not in view");
    }

    void aRejectedBoxIsRedOnScreen() {
        w_->click(c().Command2);
        const QImage shot = c().Text6->grab().toImage();
        const QColor inside = shot.pixelColor(shot.width() - 6, shot.height() / 2);
        QCOMPARE(inside, kRed);
        w_->retype(c().Text6, QStringLiteral("10"));
        QCOMPARE(background(c().Text6), kRed);  // editing changes no colour
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
        QVERIFY(pelmora::qt_string(w_->messages.shown[0].text).startsWith(kLibraryMissing));
        QVERIFY2(pelmora::qt_string(w_->messages.shown[0].text).contains(empty.path()),
                 qPrintable(pelmora::qt_string(w_->messages.shown[0].text)));
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
        QVERIFY(pelmora::qt_string(w_->messages.shown[0].text).startsWith(kLibraryMissing));
        QVERIFY2(
            pelmora::qt_string(w_->messages.shown[0].text).contains(QStringLiteral("cal_traffic")),
            qPrintable(pelmora::qt_string(w_->messages.shown[0].text)));
        QCOMPARE(c().Text12->text(), QStringLiteral("earlier"));
        expect_back_at(QStringLiteral("Text9"));
    }
};

PELMORA_QT_TEST_MAIN(PagesTest)
#include "pages_test.moc"
