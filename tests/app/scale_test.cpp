#include <QImage>
#include <QTransform>
#include <utility>

#include "support/test_main.h"
#include "support/window_harness.h"

// Runs once per scale factor, which Qt reads from QT_SCALE_FACTOR as the application starts.
class ScaleTest : public QObject {
    Q_OBJECT

  private slots:
    void helpPanelKeepsItsWholeFrame() {
        WindowHarness w;
        QVERIFY(w.active());
        const qreal ratio = w.window->devicePixelRatio();
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());

        QWidget* panel = w.c().Text1;
        QImage unscaled(panel->size(), QImage::Format_RGB32);
        panel->render(&unscaled);
        const QRgb frame = unscaled.pixel(0, unscaled.height() / 2);

        // Some line of the device pixels under the panel's outermost logical pixels on a side has
        // to carry the frame over nearly the whole side.
        const QImage shot = w.window->grab().toImage();
        const auto drawn = [&](const QRectF& side) {
            QImage under =
                shot.copy(QTransform::fromScale(ratio, ratio).mapRect(side).toAlignedRect());
            if (under.height() > under.width()) {
                under = under.transformed(QTransform().rotate(90));
            }
            for (int y = 0; y < under.height(); ++y) {
                int framed = 0;
                for (int x = 0; x < under.width(); ++x) {
                    framed += under.pixel(x, y) == frame ? 1 : 0;
                }
                if (framed >= under.width() * 9 / 10) {
                    return true;
                }
            }
            return false;
        };
        const QRectF at(panel->mapTo(w.window.get(), QPoint()), panel->size());
        for (const auto& [name, side] : {
                 std::pair{"top", QRectF(at.left(), at.top(), at.width(), 1)},
                 std::pair{"bottom", QRectF(at.left(), at.bottom() - 1, at.width(), 1)},
                 std::pair{"left", QRectF(at.left(), at.top(), 1, at.height())},
                 std::pair{"right", QRectF(at.right() - 1, at.top(), 1, at.height())},
             }) {
            QVERIFY2(drawn(side), name);
        }
    }
};

PELMORA_QT_TEST_MAIN(ScaleTest)
#include "scale_test.moc"
