#ifndef PELMORA_QT_INPUT_METHOD_H
#define PELMORA_QT_INPUT_METHOD_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace pelmora {

// Keeps what an input method composes in the box it was composed in, once: the form has the
// composition in progress committed to its box, or one the user cancelled forgotten, before the
// focus leaves it; and so does the focus leaving in a way no one saw coming.
//
// When the focus moves, Qt's ibus module sends its own copy of a composition, even one the user
// cancelled with Esc, then asks ibus to reset, whereupon an engine such as Mozc commits the same
// text again, to whatever box has the focus by then; fcitx5 commits twice as well. A second copy
// is dropped here: it repeats the commit that ended the last composition, arrives with no
// composition of its own, and nothing the user typed comes between.
class InputMethodGuard : public QObject {
  public:
    // Follows the compositions of a box (the help panel takes them too).
    void watch(QWidget* box);

    // Commits the composition in progress to its box, or forgets one that shows no more; answers
    // whether it committed one.
    bool settle();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> composing_;
    QString composition_;
    // The commit that ended the last composition, which the input method may send again.
    QString echo_;
};

}  // namespace pelmora

#endif
