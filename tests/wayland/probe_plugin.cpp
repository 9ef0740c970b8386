// A Qt plugin that the Wayland test loads into the program (QT_QPA_GENERIC_PLUGINS): once the main
// window is shown and has the keyboard, it types the first page through the compositor's keyboard
// (weston_keys.c): 200 calls, Enter, 3 minutes, Enter, 8 hours, Enter, and Enter again on the
// calculate button. It ends the program with exit code 0 when the boxes hold what was typed and the
// answer, 1.25 erlangs; 1 when not.
//
// With PELMORA_PROBE=mouse, on a compositor without a seat, where no window gets the keyboard, it
// clicks through the window as the platform hands a click over: the tab of the second page, which
// must show that page, then the close button, which must end the program (with exit code 0).
#include <fcntl.h>
#include <linux/input-event-codes.h>
#include <unistd.h>

#include <QApplication>
#include <QGenericPlugin>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPollMilliseconds = 50;
constexpr int kGiveUpMilliseconds = 20000;
constexpr int kKeys[] = {
    KEY_2, KEY_0, KEY_0, KEY_ENTER, KEY_3, KEY_ENTER, KEY_8, KEY_ENTER, KEY_ENTER,
};

QWidget* main_window() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("Pelmora_Main") && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

const QStringList kBoxes = {QStringLiteral("Text2"), QStringLiteral("Text3"),
                            QStringLiteral("Text4"), QStringLiteral("Text5")};
const QStringList kExpected = {QStringLiteral("200"), QStringLiteral("3"), QStringLiteral("8"),
                               QStringLiteral("1.25")};

QString text(QWidget* window, const QString& box) {
    return window->findChild<QLineEdit*>(box)->text();
}

bool type_keys() {
    QByteArray lines;
    for (const int key : kKeys) {
        lines += QByteArray::number(key) + '\n';
    }
    const int fd = open(std::getenv("PELMORA_KEYS_FIFO"), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    const bool written = fd >= 0 && write(fd, lines.data(), lines.size()) == lines.size();
    if (fd >= 0) {
        close(fd);
    }
    return written;
}

class Probe : public QObject {
  public:
    Probe() {
        connect(&poll_, &QTimer::timeout, this, &Probe::poll);
        poll_.start(kPollMilliseconds);
        QTimer::singleShot(kGiveUpMilliseconds, this, [this] {
            finish(typed_ ? "no answer after the keys" : "no shown window with the keyboard");
        });
    }

  private:
    void poll() {
        QWidget* window = main_window();
        if (window == nullptr) {
            return;
        }
        if (!typed_) {
            // The keys go to the surface with the keyboard focus, which weston gives the window
            // only once it is shown.
            QWindow* handle = window->windowHandle();
            if (!handle->isExposed() || QGuiApplication::focusWindow() != handle) {
                return;
            }
            typed_ = true;
            if (!type_keys()) {
                return finish("cannot write to the keys' FIFO");
            }
        } else if (!text(window, kBoxes.last()).isEmpty()) {
            finish(nullptr);
        }
    }

    void finish(const char* failure) {
        poll_.stop();
        QStringList texts;
        if (QWidget* window = main_window()) {
            for (const QString& box : kBoxes) {
                texts += text(window, box);
            }
            std::fprintf(stderr, "probe: %s = %s\n", qPrintable(kBoxes.join(u',')),
                         qPrintable(texts.join(u',')));
        }
        if (failure != nullptr) {
            std::fprintf(stderr, "probe: %s\n", failure);
        }
        QCoreApplication::exit(failure == nullptr && texts == kExpected ? 0 : 1);
    }

    QTimer poll_;
    bool typed_ = false;
};

}  // namespace

// Clicks at a control's centre through its window.
void click(QWidget* window, QWidget* control, QPoint at) {
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, control->mapTo(window, at));
}

class MouseProbe : public QObject {
  public:
    MouseProbe() {
        connect(&poll_, &QTimer::timeout, this, &MouseProbe::poll);
        poll_.start(kPollMilliseconds);
        QTimer::singleShot(kGiveUpMilliseconds, this, [this] {
            finish(clicked_ ? "still running after a click on the close button"
                            : "no shown window");
        });
    }

  private:
    void poll() {
        QWidget* window = main_window();
        if (clicked_ || window == nullptr || !window->windowHandle()->isExposed()) {
            return;
        }
        clicked_ = true;
        auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
        QTabBar* bar = tabs->tabBar();
        click(window, bar, bar->tabRect(1).center());
        if (!window->findChild<QWidget*>(QStringLiteral("Frame2"))->isVisible()) {
            return finish("a click on the second tab did not show its page");
        }
        auto* close = window->findChild<QPushButton*>(QStringLiteral("Command4"));
        click(window, close, close->rect().center());
    }

    void finish(const char* failure) {
        poll_.stop();
        std::fprintf(stderr, "probe: %s\n", failure);
        QCoreApplication::exit(1);
    }

    QTimer poll_;
    bool clicked_ = false;
};

class ProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "probe.json")

  public:
    QObject* create(const QString&, const QString&) override {
        if (qgetenv("PELMORA_PROBE") == "mouse") {
            return new MouseProbe;
        }
        return new Probe;
    }
};

#include "probe_plugin.moc"
