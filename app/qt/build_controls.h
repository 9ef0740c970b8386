#ifndef PELMORA_BUILD_CONTROLS_H
#define PELMORA_BUILD_CONTROLS_H

#include <QMainWindow>

#include "qt/status_bar.h"
#include "qt/widgets.h"

namespace pelmora {

// Creates the main window's controls as stored: every one at its place and size, with its caption,
// font and keyboard order, named as in the design (the Qt object names, which tests use), and
// docks the status bar. The first tab is selected.
Widgets build_controls(QMainWindow& window, StatusBar::Clock clock);

}  // namespace pelmora

#endif
