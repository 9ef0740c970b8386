#ifndef PELMORA_OFFERED_TRAFFIC_PAGE_H
#define PELMORA_OFFERED_TRAFFIC_PAGE_H

#include <QObject>

#include "common/message_boxes.h"
#include "main_window/controls.h"

namespace pelmora {

// Page 1, Frame1: the offered traffic in erlangs of a day's calls (Text2), their mean call time
// in minutes (Text3) and the daily operating time in hours (Text4), shown in Text5 and handed on
// to the required-lines page's traffic box Text6.
class OfferedTrafficPage : public QObject {
    Q_OBJECT

  public:
    OfferedTrafficPage(const Controls& controls, MessageBoxes& messages, QObject* parent);

  private:
    void Command1_Click();

    const Controls& c_;
    MessageBoxes& messages_;
};

}  // namespace pelmora

#endif
