#include <QTimer>
#include <functional>

#include "qt/about_window.h"
#include "support/test_main.h"
#include "support/window_harness.h"

using pelmora::AboutWindow;

class AboutTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowHarness> w_;

    bool about(const std::function<void(AboutWindow*)>& while_open) {
        return w_->about(while_open);
    }

    static void expect_open(AboutWindow* splash) {
        QVERIFY(splash->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), splash);
    }

  private slots:
    void init() {
        w_ = std::make_unique<WindowHarness>();
        QVERIFY(w_->active());
    }

    void cleanup() { w_.reset(); }

    void opensModalWithoutTitleBar() {
        QVERIFY(about([](AboutWindow* splash) {
            QCOMPARE(splash->objectName(), QStringLiteral("frmSplash"));
            QCOMPARE(splash->size(), QSize(492, 296));
            QTest::mouseClick(splash->button(), Qt::LeftButton);
        }));
    }

    void mainWindowIsBlockedWhileOpenAndUnchangedAfterwards() {
        w_->type(w_->c().Text2, QStringLiteral("240"));
        w_->select_tab(1);
        QVERIFY(about([this](AboutWindow* splash) {
            // Clicks as the window system delivers them, where a modal window blocks them.
            QWindow* main = w_->window->windowHandle();
            const auto at = [this](QWidget* widget, QPoint point) {
                return widget->mapTo(w_->window.get(), point);
            };
            QTest::mouseClick(main, Qt::LeftButton, {},
                              at(w_->c().Command4, w_->c().Command4->rect().center()));
            QTabBar* bar = w_->c().TabStrip1->tabBar();
            QTest::mouseClick(main, Qt::LeftButton, {}, at(bar, bar->tabRect(2).center()));
            expect_open(splash);
            QVERIFY(w_->window->isVisible());
            QTest::keyClick(splash->button(), Qt::Key_Escape);
        }));
        QVERIFY(w_->window->isVisible());
        QTRY_VERIFY(w_->window->isActiveWindow());
        QCOMPARE(WindowHarness::focused(), QStringLiteral("Text6"));
        QCOMPARE(w_->c().TabStrip1->currentIndex(), 1);
        QVERIFY(w_->c().Frame2->isVisible());
        QCOMPARE(w_->c().Text2->text(), QStringLiteral("240"));
        QVERIFY(w_->messages.shown.empty());
    }

    void opensAgainFreshAfterClosing() {
        AboutWindow* first = nullptr;
        QVERIFY(about([&](AboutWindow* splash) {
            first = splash;
            splash->button()->setText(QStringLiteral("changed"));
            QTest::keyClick(splash->button(), Qt::Key_Space);
        }));
        QVERIFY(about([&](AboutWindow* splash) {
            QCOMPARE(splash->button()->text(), QStringLiteral("閉じる"));
            QCOMPARE(QApplication::focusWidget(), splash->button());
            QTest::keyClick(splash->button(), Qt::Key_Escape);
        }));
        QVERIFY(w_->window->findChildren<AboutWindow*>().isEmpty());
    }

    void mainWindowCarriesTheIcon() {
        const QList<QSize> sizes = w_->window->windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
    }
};

PELMORA_QT_TEST_MAIN(AboutTest)
#include "about_test.moc"
