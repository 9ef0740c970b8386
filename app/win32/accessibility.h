#ifndef PELMORA_WIN32_ACCESSIBILITY_H
#define PELMORA_WIN32_ACCESSIBILITY_H

namespace pelmora {

class MainWindow;

// Names every box for screen readers as its label reads without the colon, describes every box
// and calculate button by its help text, and names the help panel, through the accessibility
// annotation service. Where the service is missing, the boxes still take their names from the
// labels that stand right before them.
void describe_for_screen_readers(const MainWindow& window);

}  // namespace pelmora

#endif
