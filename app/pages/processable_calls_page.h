#ifndef PELMORA_PROCESSABLE_CALLS_PAGE_H
#define PELMORA_PROCESSABLE_CALLS_PAGE_H

#include <QObject>

#include "common/message_boxes.h"
#include "main_window/controls.h"
#include "pages/engine_binding.h"

namespace pelmora {

// Page 3, Frame3: the calls per hour that a number of lines (Text10) carries at a loss
// probability (Text9) and a mean call time in minutes (Text11), from the engine's cal_traffic,
// shown in Text12 padded to 256 characters.
class ProcessableCallsPage : public QObject {
    Q_OBJECT

  public:
    ProcessableCallsPage(const Controls& controls, MessageBoxes& messages, EngineBinding& engine,
                         QObject* parent);

  private:
    void Command3_Click();

    const Controls& c_;
    MessageBoxes& messages_;
    EngineBinding& engine_;
};

}  // namespace pelmora

#endif
