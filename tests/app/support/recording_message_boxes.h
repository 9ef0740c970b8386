#ifndef PELMORA_TESTS_RECORDING_MESSAGE_BOXES_H
#define PELMORA_TESTS_RECORDING_MESSAGE_BOXES_H

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "qt/message_boxes.h"

// Answers every message box at once with its only button, OK, and keeps what was shown. A test
// can look at the window while a box is up through `while_shown`.
class RecordingMessageBoxes : public pelmora::MessageBoxes {
  public:
    struct Shown {
        QString title;
        QString text;
        QString answered_with;
    };

    void show(const QString& title, const QString& text) override {
        if (while_shown) {
            while_shown(text);
        }
        shown.push_back({title, text, QStringLiteral("OK")});
    }

    std::vector<Shown> shown;
    std::function<void(const QString& text)> while_shown;
};

#endif
