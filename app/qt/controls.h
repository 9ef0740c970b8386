#ifndef PELMORA_CONTROLS_H
#define PELMORA_CONTROLS_H

#include <QMainWindow>

#include <string_view>

#include "form/layout.h"
#include "qt/status_bar.h"
#include "qt/widgets.h"

namespace pelmora {

// Creates the main window's controls as stored: every one at its place and size, with its caption
// and font, named as in the design (the Qt object names, which tests use), and
// docks the status bar. The first tab is selected.
Widgets build_controls(QMainWindow& window, StatusBar::Clock clock);

// A control of a stored kind, as every window of the program has it, with its caption (labels
// aligned as stored, at the top), not yet placed. Not for the status bar, which has a clock.
QWidget* create_control(layout::Kind kind, std::u16string_view caption, layout::Align align,
                        QWidget* parent);

}  // namespace pelmora

#endif
