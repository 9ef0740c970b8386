#ifndef PELMORA_CALCULATION_H
#define PELMORA_CALCULATION_H

#include <QLineEdit>
#include <QString>
#include <functional>
#include <initializer_list>
#include <optional>

#include "common/message_boxes.h"
#include "main_window/help_panel.h"
#include "pages/engine_binding.h"

namespace pelmora {

// The number text of a result as pages 1 and 2 show it: without its leading blank, a minus sign
// stays.
QString shown_without_blank(double value);

// What the pages share once their checks have passed: the end of a calculation on a page whose
// first input box is `first_box`, with the help panel `panel`.
class Calculation {
  public:
    Calculation(MessageBoxes& messages, HelpPanel* panel, QLineEdit* first_box)
        : messages_(messages), panel_(panel), first_box_(first_box) {}

    // Runs an engine search: the wait notice is written into the help panel and painted (window
    // events that are already waiting are handled too, but no user input, so no second
    // calculation can start inside this one), then the engine is called. Returns its answer when
    // it has one; otherwise it has told the user why (library missing, or no answer) and ended
    // the calculation.
    std::optional<double> search(const std::function<EngineAnswer()>& call_engine);

    // The calculation has no answer for these inputs (a non-finite result, or an input that read
    // as infinity): says so and ends the calculation with the results unchanged.
    void no_answer();

    // Ends the calculation: the help panel is emptied and the focus goes back to the first box,
    // whose focus reaction shows its help.
    void finish();

    // Whether every value is a finite number.
    static bool all_finite(std::initializer_list<double> values);

  private:
    MessageBoxes& messages_;
    HelpPanel* panel_;
    QLineEdit* first_box_;
};

}  // namespace pelmora

#endif
