#ifndef PELMORA_QT_CONVERSIONS_H
#define PELMORA_QT_CONVERSIONS_H

#include <QColor>

#include "form/controls.h"
#include "form/layout.h"

// The form's colours and alignments as Qt takes them.
namespace pelmora {

inline QColor colour(Rgb rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

inline Rgb rgb(const QColor& colour) {
    return {colour.red(), colour.green(), colour.blue()};
}

// The horizontal alignment of a text.
inline Qt::Alignment alignment(layout::Align align) {
    switch (align) {
        case layout::Align::Centre:
            return Qt::AlignHCenter;
        case layout::Align::Right:
            return Qt::AlignRight;
        case layout::Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace pelmora

#endif
