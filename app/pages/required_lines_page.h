#ifndef PELMORA_REQUIRED_LINES_PAGE_H
#define PELMORA_REQUIRED_LINES_PAGE_H

#include <QObject>

#include "common/message_boxes.h"
#include "main_window/controls.h"
#include "pages/engine_binding.h"

namespace pelmora {

// Page 2, Frame2: the number of lines that a traffic in erlangs (Text6) needs at a loss
// probability (Text7), from the engine's cal_trunk, shown in Text8 on its 0.01-line grid.
class RequiredLinesPage : public QObject {
    Q_OBJECT

  public:
    RequiredLinesPage(const Controls& controls, MessageBoxes& messages, EngineBinding& engine,
                      QObject* parent);

  private:
    void Command2_Click();

    const Controls& c_;
    MessageBoxes& messages_;
    EngineBinding& engine_;
};

}  // namespace pelmora

#endif
