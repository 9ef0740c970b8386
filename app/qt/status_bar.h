#ifndef PELMORA_STATUS_BAR_H
#define PELMORA_STATUS_BAR_H

#include <QDateTime>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <array>
#include <functional>

namespace pelmora {

// StatusBar1: four inset panels along the bottom edge: an empty one that takes the spare width,
// an empty one of fixed width, the date and the time in the locale's short forms. The date and time
// keep themselves current; nothing else writes to the panels.
class StatusBar : public QStatusBar {
    Q_OBJECT

  public:
    // Where the date and time come from; tests put a clock of their own here.
    using Clock = std::function<QDateTime()>;

    explicit StatusBar(Clock clock, QWidget* parent = nullptr);

    // Panels 1 to 4, from left to right.
    QLabel* panel(int number) const { return panels_.at(number - 1); }

    // Shows the clock's date and time now, and sets the timer for just after the next minute
    // starts.
    void refresh();

    const QTimer& timer() const { return timer_; }

  private:
    Clock clock_;
    std::array<QLabel*, 4> panels_{};
    QLabel* date_ = nullptr;
    QLabel* time_ = nullptr;
    QTimer timer_;
};

}  // namespace pelmora

#endif
