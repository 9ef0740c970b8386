// A Qt plugin that a test loads into the installed program (QT_QPA_GENERIC_PLUGINS): once the main
// window is up, it asks the required-lines page for 10 erlangs at 0.01, which needs the engine,
// and ends the program with exit code 0 when the answer is the engine's, 1 when it is not, and 2
// when a message box comes up instead.
#include <QApplication>
#include <QGenericPlugin>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPollMilliseconds = 50;
constexpr int kGiveUpMilliseconds = 30000;

QWidget* main_window() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("Pelmora_Main") && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

class Probe : public QObject {
  public:
    Probe() {
        connect(&poll_, &QTimer::timeout, this, &Probe::poll);
        poll_.start(kPollMilliseconds);
        // A timer of its own: Qt does not fire a timer again while its slot still runs, and a
        // message box's modal loop would run inside the slot that pressed the button.
        connect(&watch_for_message_boxes_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                std::fprintf(stderr, "probe: message box: %s\n", qPrintable(box->text()));
                std::_Exit(2);
            }
        });
        watch_for_message_boxes_.start(kPollMilliseconds);
        QTimer::singleShot(kGiveUpMilliseconds, [] {
            std::fprintf(stderr, "probe: no main window\n");
            std::_Exit(3);
        });
    }

  private:
    void poll() {
        QWidget* window = main_window();
        if (window == nullptr || pressed_) {
            return;
        }
        pressed_ = true;
        std::fprintf(stderr, "probe: version %s, icon %s\n",
                     qPrintable(QCoreApplication::applicationVersion()),
                     window->windowIcon().isNull() ? "missing" : "present");
        window->findChild<QLineEdit*>(QStringLiteral("Text6"))->setText(QStringLiteral("10"));
        window->findChild<QLineEdit*>(QStringLiteral("Text7"))->setText(QStringLiteral("0.01"));
        window->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        const QString lines = window->findChild<QLineEdit*>(QStringLiteral("Text8"))->text();
        std::fprintf(stderr, "probe: Text8 = %s\n", qPrintable(lines));
        QCoreApplication::exit(lines == QLatin1String("17.4499999999999") ? 0 : 1);
    }

    QTimer poll_;
    QTimer watch_for_message_boxes_;
    bool pressed_ = false;
};

}  // namespace

class ProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "probe.json")

  public:
    QObject* create(const QString&, const QString&) override { return new Probe; }
};

#include "probe_plugin.moc"
