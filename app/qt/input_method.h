#ifndef PELMORA_QT_INPUT_METHOD_H
#define PELMORA_QT_INPUT_METHOD_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <utility>

namespace pelmora {

// Keeps what an input method composes in the box it was composed in, once. Before the focus
// leaves a box (a click anywhere in the window, or a move the window makes), the composition in
// progress is committed to its box, and one the user cancelled is forgotten.
//
// When the focus moves, Qt's ibus module sends its own copy of a composition, even one the user
// cancelled with Esc, then asks ibus to reset, whereupon an engine such as Mozc commits the same
// text again, to whatever box has the focus by then; fcitx5 commits twice as well. A second copy
// is dropped here: it repeats the commit that ended the last composition, arrives with no
// composition of its own, and nothing the user typed comes between.
class InputMethodGuard : public QObject {
  public:
    // Runs what the box's reactions to a commit left for after the event; answers whether there
    // was any.
    using AfterCommit = std::function<bool()>;

    explicit InputMethodGuard(AfterCommit after_commit) : after_commit_(std::move(after_commit)) {}

    // Follows the compositions of a box (the help panel takes them too).
    void watch(QWidget* box);
    // Follows the mouse presses in a window, which reach it before any control takes the focus.
    // A press that commits a composition whose reaction has more to do (a refusal) goes no
    // further: the click is not also a click on a button.
    void watch_presses(QObject* window);

    // Commits the composition in progress to its box, or forgets one that shows no more; answers
    // whether it committed one.
    bool settle();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AfterCommit after_commit_;
    QPointer<QWidget> composing_;
    QString composition_;
    // The commit that ended the last composition, which the input method may send again.
    QString echo_;
};

}  // namespace pelmora

#endif
