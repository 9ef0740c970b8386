#ifndef PELMORA_TESTS_RECORDING_MESSAGE_BOXES_H
#define PELMORA_TESTS_RECORDING_MESSAGE_BOXES_H

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "form/message_boxes.h"

// Answers every message box at once with its only button, OK, and keeps what was shown. A test
// can look at the window while a box is up through `while_shown`.
class RecordingMessageBoxes : public pelmora::MessageBoxes {
  public:
    struct Shown {
        std::u16string title;
        std::u16string text;
    };

    void show(std::u16string_view title, std::u16string_view text) override {
        if (while_shown) {
            while_shown();
        }
        shown.push_back({std::u16string(title), std::u16string(text)});
    }

    std::vector<Shown> shown;
    std::function<void()> while_shown;
};

#endif
