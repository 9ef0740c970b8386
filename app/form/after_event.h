#ifndef PELMORA_FORM_AFTER_EVENT_H
#define PELMORA_FORM_AFTER_EVENT_H

#include <deque>
#include <functional>
#include <utility>

namespace pelmora {

// What the form leaves for after the event being handled, run in the order left and one after
// the other. A front end wakes the queue once for each batch, when the first call is left: were
// each call woken by itself, the modal loop of a box that one call opens would run the next call
// inside that box.
class AfterEvent {
  public:
    // Leaves a call; answers whether the front end must wake the queue for it.
    bool leave(std::function<void()> then) {
        calls_.push_back(std::move(then));
        return calls_.size() == 1 && !running_;
    }

    // Runs the calls left, those left meanwhile included; answers whether there were any.
    bool run() {
        const bool any = !calls_.empty();
        running_ = true;
        while (!calls_.empty()) {
            const std::function<void()> then = std::move(calls_.front());
            calls_.pop_front();
            then();
        }
        running_ = false;
        return any;
    }

  private:
    std::deque<std::function<void()>> calls_;
    bool running_ = false;
};

}  // namespace pelmora

#endif
