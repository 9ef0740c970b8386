#ifndef PELMORA_ENTER_NAVIGATION_H
#define PELMORA_ENTER_NAVIGATION_H

#include <QObject>
#include <QWidget>
#include <initializer_list>
#include <utility>
#include <vector>

namespace pelmora {

// Enter in an input box moves the focus to the next input box of its page, and from the last one
// to the page's calculate button; it starts no calculation and leaves the box's text alone.
class EnterNavigation : public QObject {
    Q_OBJECT

  public:
    using Move = std::pair<QWidget*, QWidget*>;  // Enter in first, focus to second

    EnterNavigation(QObject* parent, std::initializer_list<Move> moves);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::vector<Move> moves_;
};

}  // namespace pelmora

#endif
