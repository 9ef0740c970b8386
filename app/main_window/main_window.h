#ifndef PELMORA_MAIN_WINDOW_H
#define PELMORA_MAIN_WINDOW_H

#include <QAction>
#include <QMainWindow>

#include "common/message_boxes.h"
#include "main_window/controls.h"
#include "main_window/status_bar.h"
#include "pages/engine_binding.h"

namespace pelmora {

// Pelmora_Main, the program's main window: a tab strip with one page per question, the help
// panel beside the pages, the close button and the status bar, laid out as stored and never laid
// out again. The window keeps no data of its own: its state is its controls'.
class PelmoraMain : public QMainWindow {
    Q_OBJECT

  public:
    static QDateTime system_clock() { return QDateTime::currentDateTime(); }

    PelmoraMain(MessageBoxes& messages, EngineBinding& engine,
                StatusBar::Clock clock = system_clock);

    const Controls& controls() const { return c_; }

  private:
    void start_up();
    // Shows one page's frame and hides the other two, in the order of the frames.
    void show_only(QGroupBox* page);
    void TabStrip1_Click();
    void Command4_Click();
    void about_Click();

    Controls c_;
};

}  // namespace pelmora

#endif
