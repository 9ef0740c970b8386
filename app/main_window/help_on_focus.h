#ifndef PELMORA_HELP_ON_FOCUS_H
#define PELMORA_HELP_ON_FOCUS_H

#include <QObject>
#include <QWidget>
#include <initializer_list>

#include "main_window/help_panel.h"

namespace pelmora {

// The focus reaction of the boxes Text2 to Text12 and the buttons Command1 to Command3: whatever
// moved the focus there, the help panel is overwritten with the control's help text.
class HelpOnFocus : public QObject {
    Q_OBJECT

  public:
    HelpOnFocus(HelpPanel* panel, std::initializer_list<QWidget*> controls);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    HelpPanel* panel_;
};

}  // namespace pelmora

#endif
