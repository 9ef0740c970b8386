#include "qt/input_method.h"

#include <QApplication>
#include <QInputMethod>
#include <QInputMethodEvent>

namespace pelmora {

void InputMethodGuard::watch(QWidget* box) {
    box->installEventFilter(this);
}

namespace {

// An input method serves the window with the keyboard only, and Qt asks it nothing while no window
// has the keyboard; nor does the guard. Where a Wayland compositor has no seat no window ever gets
// the keyboard, and Qt's Wayland platform (6.4) crashes on any call to its input method there;
// Qt 6.4 has no public way to ask about the seat itself.
QInputMethod* serving_input_method() {
    return QGuiApplication::focusWindow() != nullptr ? QGuiApplication::inputMethod() : nullptr;
}

}  // namespace

bool InputMethodGuard::settle() {
    QInputMethod* input_method = serving_input_method();
    if (composing_ == nullptr) {
        // Whatever the input method may still hold shows nowhere: the user cancelled it.
        if (input_method != nullptr) {
            input_method->reset();
        }
        return false;
    }
    const QPointer<QWidget> box = composing_;
    if (input_method != nullptr && box == QApplication::focusWidget()) {
        input_method->commit();
    }
    // An input method that does not commit (or none at all, or a box that has lost the focus
    // already) leaves the composition to be committed here, as what the user saw in the box.
    if (box != nullptr && composing_ == box) {
        QInputMethodEvent commit;
        commit.setCommitString(composition_);
        QApplication::sendEvent(box, &commit);
        if (QInputMethod* after_commit = serving_input_method()) {
            after_commit->reset();
        }
    }
    return true;
}

bool InputMethodGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusOut:
            // The focus may leave in ways not seen coming: for another program, say.
            if (watched == composing_) {
                settle();
            }
            return false;
        case QEvent::KeyPress:
            echo_.clear();
            return false;
        case QEvent::InputMethod: {
            auto* box = qobject_cast<QWidget*>(watched);
            const auto* input = static_cast<const QInputMethodEvent*>(event);
            if (box == nullptr) {
                return false;
            }
            if (input->preeditString().isEmpty() && input->replacementLength() == 0 &&
                !input->commitString().isEmpty()) {
                if (composing_ == nullptr && input->commitString() == echo_) {
                    return true;
                }
                if (composing_ != nullptr) {
                    echo_ = input->commitString();
                }
            }
            if (input->preeditString().isEmpty()) {
                composing_ = nullptr;
                composition_.clear();
            } else {
                composing_ = box;
                composition_ = input->preeditString();
                echo_.clear();
            }
            return false;
        }
        default:
            return false;
    }
}

}  // namespace pelmora
