#ifndef PELMORA_WIN32_FONTS_H
#define PELMORA_WIN32_FONTS_H

#include <windows.h>

#include <map>
#include <utility>

#include "form/layout.h"

namespace pelmora {

// The fonts of a window at one DPI, made once each and deleted with the set. The Japanese face is
// used where it is installed; elsewhere (non-Japanese Windows, wine) the system's interface font
// asked for with the Japanese character set, which Windows maps to a face with Japanese glyphs.
class Fonts {
  public:
    explicit Fonts(UINT dpi) : dpi_(dpi) {}
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    HFONT get(layout::Font font);

  private:
    UINT dpi_;
    std::map<std::pair<int, bool>, HFONT> fonts_;
};

}  // namespace pelmora

#endif
