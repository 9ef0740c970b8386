#ifndef PELMORA_QT_TWIPS_H
#define PELMORA_QT_TWIPS_H

#include <QRect>

#include "form/layout.h"

namespace pelmora {

// A stored place in Qt's device-independent pixels, which are those of a 96-dot-per-inch screen;
// Qt scales them for the screen itself. Every stored position and size is a multiple of 15.
constexpr QRect pixels(layout::Twips at) {
    constexpr int per_pixel = layout::kTwipsPerPixelAt96Dpi;
    return {at.left / per_pixel, at.top / per_pixel, at.width / per_pixel, at.height / per_pixel};
}

// A width in twips that need not be a whole number of pixels, rounded.
constexpr int rounded_pixels(int twips) {
    constexpr int per_pixel = layout::kTwipsPerPixelAt96Dpi;
    return (twips + per_pixel / 2) / per_pixel;
}

}  // namespace pelmora

#endif
