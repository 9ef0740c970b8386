#ifndef PELMORA_TWIPS_H
#define PELMORA_TWIPS_H

#include <QRect>

namespace pelmora {

// The stored layouts are in twips, 1/1440 inch: 15 to a pixel at 96 dots per inch. Every
// position and size in them is a multiple of 15.
inline constexpr int kTwipsPerPixel = 15;

// A control's place in its container: top-left corner and size, in twips.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

constexpr QRect pixels(Twips at) {
    return {at.left / kTwipsPerPixel, at.top / kTwipsPerPixel, at.width / kTwipsPerPixel,
            at.height / kTwipsPerPixel};
}

}  // namespace pelmora

#endif
