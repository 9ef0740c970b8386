#include <QScreen>
#include <QTimer>
#include <functional>

#include "qt/frm_splash.h"
#include "support/test_main.h"
#include "support/window_harness.h"

using pelmora::FrmSplash;

class AboutTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowHarness> w_;

    bool about(const std::function<void(FrmSplash*)>& while_open) { return w_->about(while_open); }

    static void expect_open(FrmSplash* splash) {
        QVERIFY(splash->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), splash);
    }

  private slots:
    void init() {
        w_ = std::make_unique<WindowHarness>();
        QVERIFY(w_->active());
    }

    void cleanup() { w_.reset(); }

    void opensModalCentredWithoutTitleBar() {
        QVERIFY(about([](FrmSplash* splash) {
            QCOMPARE(splash->objectName(), QStringLiteral("frmSplash"));
            QCOMPARE(splash->windowModality(), Qt::ApplicationModal);
            QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
            QCOMPARE(splash->size(), QSize(492, 296));
            QCOMPARE(splash->geometry().center(), splash->screen()->geometry().center());
            // Owned by the main window, so it gets no task-bar entry of its own.
            QVERIFY(splash->parentWidget() != nullptr);
            QCOMPARE(QApplication::focusWidget(), splash->Command1);
            QCOMPARE(splash->findChild<QLabel*>("lblPlatform")->text(),
                     QStringLiteral("Windows Me/NT/XP/2000"));
            QCOMPARE(splash->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ"));
            QCOMPARE(splash->findChild<QLabel*>("lblWarning")->text(),
                     QStringLiteral("System version 4.00 release 2"));
            QVERIFY(splash->findChild<QLabel*>("lblCompanyProduct")->text().endsWith(u'の'));
            QCOMPARE(splash->findChild<QLabel*>("lblProductName")->text(),
                     QStringLiteral("Pelmora"));
            QVERIFY(splash->findChild<QLabel*>("Label1")->text().contains("@example.jp"));
            QTest::mouseClick(splash->Command1, Qt::LeftButton);
        }));
    }

    void closesOnAKeyThatProducesACharacter_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("Esc") << int(Qt::Key_Escape) << "\x1b";
        QTest::newRow("Enter") << int(Qt::Key_Return) << "\r";
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "\b";
        QTest::newRow("space") << int(Qt::Key_Space) << " ";
        QTest::newRow("letter") << int(Qt::Key_A) << "a";
        QTest::newRow("digit") << int(Qt::Key_7) << "7";
    }

    void closesOnAKeyThatProducesACharacter() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QVERIFY(about([&](FrmSplash* splash) {
            QTest::sendKeyEvent(QTest::Press, QApplication::focusWidget(), Qt::Key(key), text,
                                Qt::NoModifier);
            QVERIFY(!splash->isVisible());
        }));
    }

    // Tab and Delete come with a control character as their text, as X11 delivers them.
    void staysOpenOnKeysWithoutCharacter_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("arrow") << int(Qt::Key_Left) << "";
        QTest::newRow("function key") << int(Qt::Key_F5) << "";
        QTest::newRow("Shift") << int(Qt::Key_Shift) << "";
        QTest::newRow("Ctrl") << int(Qt::Key_Control) << "";
        QTest::newRow("Tab") << int(Qt::Key_Tab) << "\t";
        QTest::newRow("Delete") << int(Qt::Key_Delete) << "\x7f";
    }

    void staysOpenOnKeysWithoutCharacter() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QVERIFY(about([&](FrmSplash* splash) {
            QTest::sendKeyEvent(QTest::Press, QApplication::focusWidget(), Qt::Key(key), text,
                                Qt::NoModifier);
            expect_open(splash);
            QTest::mouseClick(splash->Command1, Qt::LeftButton);
        }));
    }

    void closesOnAClickOnTheFrame() {
        QVERIFY(about([](FrmSplash* splash) {
            QTest::mouseClick(splash->Frame1, Qt::LeftButton, {}, QPoint(6, 120));
            QVERIFY(!splash->isVisible());
        }));
    }

    void staysOpenOnRightAndMiddleClicksOnTheFrame() {
        QVERIFY(about([](FrmSplash* splash) {
            QTest::mouseClick(splash->Frame1, Qt::RightButton, {}, QPoint(6, 120));
            QTest::mouseClick(splash->Frame1, Qt::MiddleButton, {}, QPoint(6, 120));
            expect_open(splash);
            QTest::mouseClick(splash->Command1, Qt::LeftButton);
        }));
    }

    void staysOpenOnAClickOnALabelOrTheStripAroundTheFrame() {
        QVERIFY(about([](FrmSplash* splash) {
            auto* product = splash->findChild<QLabel*>("lblProductName");
            QTest::mouseClick(product, Qt::LeftButton, {}, product->rect().center());
            expect_open(splash);
            QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(4, 150));
            expect_open(splash);
            QTest::mouseClick(splash->Command1, Qt::LeftButton);
        }));
    }

    void mainWindowIsBlockedWhileOpenAndUnchangedAfterwards() {
        w_->type(w_->c().Text2, QStringLiteral("240"));
        w_->select_tab(1);
        QVERIFY(about([this](FrmSplash* splash) {
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
            QTest::keyClick(splash->Command1, Qt::Key_Escape);
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
        FrmSplash* first = nullptr;
        QVERIFY(about([&](FrmSplash* splash) {
            first = splash;
            splash->Command1->setText(QStringLiteral("changed"));
            QTest::keyClick(splash->Command1, Qt::Key_Space);
        }));
        QVERIFY(about([&](FrmSplash* splash) {
            QCOMPARE(splash->Command1->text(), QStringLiteral("閉じる"));
            QCOMPARE(QApplication::focusWidget(), splash->Command1);
            QTest::keyClick(splash->Command1, Qt::Key_Escape);
        }));
        QVERIFY(w_->window->findChildren<FrmSplash*>().isEmpty());
    }

    // The blue names stay readable on a dark desktop theme: the window keeps light colours.
    void staysLightOnADarkTheme() {
        const QPalette theme = QApplication::palette();
        QPalette dark = theme;
        dark.setColor(QPalette::Window, QColor(40, 40, 40));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        QApplication::setPalette(dark);
        int lightness = 0;
        const bool closed = about([&](FrmSplash* splash) {
            lightness = splash->palette().color(QPalette::Window).lightness();
            QTest::mouseClick(splash->Command1, Qt::LeftButton);
        });
        QApplication::setPalette(theme);
        QVERIFY(closed);
        QVERIFY2(lightness > 160, qPrintable(QString::number(lightness)));
    }

    void mainWindowCarriesTheIcon() {
        const QList<QSize> sizes = w_->window->windowIcon().availableSizes();
        QVERIFY(sizes.contains(QSize(16, 16)));
        QVERIFY(sizes.contains(QSize(32, 32)));
    }
};

PELMORA_QT_TEST_MAIN(AboutTest)
#include "about_test.moc"
