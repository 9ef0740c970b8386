#ifndef PELMORA_LAYOUT_H
#define PELMORA_LAYOUT_H

#include <QMainWindow>

#include "main_window/controls.h"
#include "main_window/status_bar.h"

namespace pelmora {

// Creates the main window's controls at their stored positions and sizes, with their captions,
// fonts and keyboard order, and docks the status bar. Every control is named as in the design.
Controls build_main_window(QMainWindow& window, StatusBar::Clock clock);

}  // namespace pelmora

#endif
