#ifndef PELMORA_QT_TWIPS_H
#define PELMORA_QT_TWIPS_H

#include <QRect>

#include "form/layout.h"

namespace pelmora {

// A length in twips in Qt's device-independent pixels, which are those of a 96-dot-per-inch screen
// (Qt scales them for the screen itself), rounded where it is no whole number of them.
constexpr int rounded_pixels(int twips) {
    return (twips + layout::kTwipsPerPixelAt96Dpi / 2) / layout::kTwipsPerPixelAt96Dpi;
}

// A stored place, whose every position and size is a multiple of 15 twips: a whole pixel.
constexpr QRect pixels(layout::Twips at) {
    return {rounded_pixels(at.left), rounded_pixels(at.top), rounded_pixels(at.width),
            rounded_pixels(at.height)};
}

}  // namespace pelmora

#endif
