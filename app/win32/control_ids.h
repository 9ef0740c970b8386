#ifndef PELMORA_WIN32_CONTROL_IDS_H
#define PELMORA_WIN32_CONTROL_IDS_H

#include <cstdint>

#include "form/controls.h"

namespace pelmora {

// The child-window identifiers of the main window's controls. They stay clear of IDOK and
// IDCANCEL, which the dialog manager sends for Enter and Esc: no control answers to those.
constexpr int kFirstControlId = 100;
constexpr int kAboutCommand = 40001;
// The timer that keeps the status bar's date and time current.
constexpr std::uintptr_t kClockTimer = 1;
// Posted to the main window to run what the form left for after the events being handled.
constexpr unsigned kAfterEventMessage = 0x8000 + 1;

constexpr int id_of(Control control) {
    return kFirstControlId + index_of(control);
}

// The control of an identifier; the window itself for any other.
constexpr Control control_of_id(int id) {
    return id > kFirstControlId && id < kFirstControlId + kControlCount
               ? static_cast<Control>(id - kFirstControlId)
               : Control::Pelmora_Main;
}

}  // namespace pelmora

#endif
