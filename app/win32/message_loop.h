#ifndef PELMORA_WIN32_MESSAGE_LOOP_H
#define PELMORA_WIN32_MESSAGE_LOOP_H

#include <windows.h>

namespace pelmora {

class MainWindow;

// Handles one message as the program's loop does: the form decides on the keys and presses in the
// window first, the dialog manager takes the other keys of the window's controls (Space on a
// button), and everything else is dispatched.
void handle_message(MainWindow& window, MSG& message);

// Runs until the main window has closed; answers the program's exit code.
int run_message_loop(MainWindow& window);

}  // namespace pelmora

#endif
