// A seeded random-input run of the real window: typing, special keys (Esc, the context-menu key,
// Tab, the page keys), long pastes, page switches, presses of the three calculate buttons and the
// about window, every message box answered through the seam. After every event the linked boxes
// agree, no loss probability of 1 or more stands, each result box holds its previous text or a
// valid answer, and every box the focus is not in shows the start of its text. A broken invariant
// prints the seed and the events that led there; PELMORA_MONKEY_SEED and PELMORA_MONKEY_EVENTS
// replay it.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <array>
#include <map>
#include <random>
#include <set>

#include "form/layout.h"
#include "monkey_invariants.h"
#include "support/test_main.h"
#include "support/window_harness.h"

namespace {

const QStringList kTokens = {"0",   "1",  "2",  "5",  "9",  "00",    ".",  "-",  "+",  "e",
                             "E",   "d",  "D",  "&H", "&O", "F",     "7",  "a",  "x",  "Z",
                             " ",   "\t", "０", "１", "５", "．",    "－", "ｅ", "　", "1e",
                             "e-3", "99", ".5", "0.", "1d", "1e400", "-1", "abc"};

const std::array<std::pair<Qt::Key, Qt::KeyboardModifiers>, 10> kKeys{{
    {Qt::Key_Escape, Qt::NoModifier},
    {Qt::Key_Menu, Qt::NoModifier},
    {Qt::Key_Tab, Qt::NoModifier},
    {Qt::Key_Backtab, Qt::ShiftModifier},
    {Qt::Key_Tab, Qt::ControlModifier},
    {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
    {Qt::Key_PageUp, Qt::ControlModifier},
    {Qt::Key_PageDown, Qt::ControlModifier},
    {Qt::Key_Return, Qt::ControlModifier},
    {Qt::Key_F10, Qt::NoModifier},
}};

// The messages a press or an edit may show.
const std::set<QString> kMessages = {
    pelmora::qt_string(pelmora::texts::kLossProbabilityAtMostOne),
    pelmora::qt_string(pelmora::texts::kCallsMissing),
    pelmora::qt_string(pelmora::texts::kCallTimeMissing),
    pelmora::qt_string(pelmora::texts::kOperatingTimeMissing),
    pelmora::qt_string(pelmora::texts::kOperatingTimeInvalid),
    pelmora::qt_string(pelmora::texts::kTrafficMissing),
    pelmora::qt_string(pelmora::texts::kTrafficInvalid),
    pelmora::qt_string(pelmora::texts::kLossProbabilityMissing),
    pelmora::qt_string(pelmora::texts::kLossProbabilityInvalid),
    pelmora::qt_string(pelmora::texts::kLinesMissing),
    pelmora::qt_string(pelmora::texts::kLinesInvalid),
    pelmora::qt_string(pelmora::texts::kCallTimeInvalid),
    pelmora::qt_string(pelmora::texts::kNoAnswer),
};

int environment_number(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

}  // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WindowHarness> w_;
    std::mt19937_64 random_;
    QStringList events_;

    const Controls& c() const { return w_->c(); }

    int pick(int count) { return static_cast<int>(random_() % static_cast<std::uint64_t>(count)); }

    QLineEdit* some_input_box() {
        const std::array<std::vector<QLineEdit*>, 3> inputs{
            std::vector{c().Text2, c().Text3, c().Text4}, std::vector{c().Text6, c().Text7},
            std::vector{c().Text9, c().Text10, c().Text11}};
        const auto& page = inputs[c().TabStrip1->currentIndex()];
        return page[pick(static_cast<int>(page.size()))];
    }

    QString random_text(int tokens) {
        QString text;
        for (int i = 0; i < tokens; ++i) {
            text += kTokens[pick(static_cast<int>(kTokens.size()))];
        }
        return text;
    }

    // One random event; returns the calculate button it pressed, if any.
    QPushButton* act() {
        const int kind = pick(100);
        if (kind < 45) {
            QLineEdit* box = some_input_box();
            const QString text = random_text(1 + pick(3));
            events_ << QStringLiteral("type \"%1\" into %2").arg(text, box->objectName());
            w_->type(box, text);
        } else if (kind < 52) {
            QLineEdit* box = some_input_box();
            const Qt::Key key = std::array{Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete,
                                           Qt::Key_Left, Qt::Key_Home}[pick(5)];
            events_ << QStringLiteral("key %1 in %2").arg(key).arg(box->objectName());
            w_->focus(box);
            QTest::keyClick(box, key);
        } else if (kind < 60) {
            // Keys with a meaning of their own to the toolkit, wherever the focus is, through the
            // window system as a keyboard's come; a context menu they open is closed unused.
            const auto& [key, modifiers] = kKeys[pick(static_cast<int>(kKeys.size()))];
            events_ << QStringLiteral("key %1 with %2 in %3")
                           .arg(key)
                           .arg(modifiers.toInt())
                           .arg(WindowHarness::focused());
            QTest::keyClick(w_->window->windowHandle(), key, modifiers);
            // The context menu that a desktop's window system makes of the menu key.
            if (key == Qt::Key_Menu && QApplication::focusWidget() != nullptr) {
                QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(4, 4),
                                       QApplication::focusWidget()->mapToGlobal(QPoint(4, 4)));
                QApplication::sendEvent(QApplication::focusWidget(), &menu);
                answer_popup();
            }
        } else if (kind < 66) {
            QLineEdit* box = some_input_box();
            events_ << QStringLiteral("clear %1").arg(box->objectName());
            w_->focus(box);
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
        } else if (kind < 68) {
            QLineEdit* box = some_input_box();
            const int length = 100 + pick(20'000);
            QString text = random_text(1);
            text = text.repeated(length / qMax<qsizetype>(1, text.size()) + 1).left(length);
            events_ << QStringLiteral("paste %1 characters of \"%2\" into %3")
                           .arg(length)
                           .arg(text.left(8), box->objectName());
            QGuiApplication::clipboard()->setText(text);
            w_->focus(box);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (kind < 78) {
            const int tab = pick(3);
            events_ << QStringLiteral("select tab %1").arg(tab + 1);
            w_->select_tab(tab);
        } else if (kind < 98) {
            QPushButton* button = std::array{c().Command1, c().Command2, c().Command3}[pick(3)];
            events_ << QStringLiteral("press %1").arg(button->objectName());
            w_->click(button);
            return button;
        } else {
            events_ << QStringLiteral("about, then a key");
            const bool closed = w_->about(
                [](pelmora::AboutWindow* splash) { QTest::keyClick(splash->button(), Qt::Key_Q); });
            // Records a failure for the loop to report; a bare QVERIFY cannot return a button.
            QTest::qVerify(closed, "closed", "the about window stayed open", __FILE__, __LINE__);
        }
        return nullptr;
    }

    // Chooses one of a context menu's actions now and then (undo, cut, paste, delete, select
    // all), and closes it.
    void answer_popup() {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr) {
            return;
        }
        const QList<QAction*> actions = popup->actions();
        const int choice = pick(2 * static_cast<int>(actions.size()) + 1);
        QAction* chosen = choice < actions.size() ? actions[choice] : nullptr;
        events_ << QStringLiteral("  menu: %1").arg(chosen != nullptr ? chosen->text() : "none");
        if (chosen != nullptr && chosen->isEnabled() && !chosen->isSeparator()) {
            chosen->trigger();
        }
        popup->close();
        // The offscreen platform gives the keyboard back to no window once a popup has gone; a
        // desktop gives it back to the main window.
        w_->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_->window.get()));
    }

    void fail_with_replay(const QString& what, int seed) {
        qWarning().noquote()
            << QStringLiteral("monkey seed %1, %2 events:").arg(seed).arg(events_.size());
        for (int i = 0; i < events_.size(); ++i) {
            qWarning().noquote() << QStringLiteral("  %1: %2").arg(i + 1).arg(events_[i]);
        }
        QFAIL(qPrintable(QStringLiteral("%1 (replay: PELMORA_MONKEY_SEED=%2 "
                                        "PELMORA_MONKEY_EVENTS=%3)")
                             .arg(what)
                             .arg(seed)
                             .arg(events_.size())));
    }

  private slots:
    void randomInputKeepsEveryInvariant() {
        const int seed = environment_number("PELMORA_MONKEY_SEED", 1);
        const int count = environment_number("PELMORA_MONKEY_EVENTS", 700);
        random_.seed(static_cast<std::uint64_t>(seed));
        w_ = std::make_unique<WindowHarness>();
        QVERIFY(w_->active());
        for (int event = 0; event < count; ++event) {
            std::map<pelmora::Control, std::u16string> before;
            for (const pelmora::layout::Placement& placed : pelmora::layout::main_window()) {
                if (placed.kind == pelmora::layout::Kind::TextBox) {
                    before[placed.control] = w_->window->text(placed.control);
                }
            }
            const std::size_t messages = w_->messages.shown.size();
            QPushButton* pressed = act();
            // The event loop's turn between two inputs of a user.
            QCoreApplication::processEvents();
            if (QTest::currentTestFailed()) {
                return fail_with_replay(QStringLiteral("the event failed"), seed);
            }
            const auto find = [this](pelmora::Control box) {
                return w_->window->findChild<QWidget*>(QString::fromLatin1(pelmora::name_of(box)));
            };
            const std::string broken = pelmora::monkey::broken(
                {[this](pelmora::Control box) { return w_->window->text(box); },
                 [&](pelmora::Control box) {
                     return pressed != nullptr &&
                            find(box == pelmora::Control::Text5 ? pelmora::Control::Command1
                                 : box == pelmora::Control::Text8
                                     ? pelmora::Control::Command2
                                     : pelmora::Control::Command3) == pressed;
                 },
                 [&](pelmora::Control box) {
                     return box == pelmora::Control::Text8 && pressed == nullptr &&
                            w_->window->text(pelmora::Control::Text10) !=
                                before[pelmora::Control::Text10];
                 },
                 [&](pelmora::Control box) {
                     QWidget* widget = find(box);
                     return widget == QApplication::focusWidget() ||
                                    WindowHarness::shows_start(static_cast<QLineEdit*>(widget))
                                ? std::string()
                                : std::string(" of its text");
                 }},
                before);
            if (!broken.empty()) {
                return fail_with_replay(QString::fromStdString(broken), seed);
            }
            for (std::size_t i = messages; i < w_->messages.shown.size(); ++i) {
                const auto& shown = w_->messages.shown[i];
                if (pelmora::qt_string(shown.title) != QLatin1String("Error") ||
                    (!kMessages.count(pelmora::qt_string(shown.text)) &&
                     !pelmora::qt_string(shown.text)
                          .startsWith(QStringLiteral("計算ライブラリ")))) {
                    return fail_with_replay(
                        QStringLiteral("unexpected message ") + pelmora::qt_string(shown.text),
                        seed);
                }
            }
        }
        qInfo("monkey seed %d: %d events, %zu message boxes", seed, count,
              w_->messages.shown.size());
    }
};

PELMORA_QT_TEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
