#ifndef PELMORA_FORM_CONTRAST_H
#define PELMORA_FORM_CONTRAST_H

#include "form/controls.h"

namespace pelmora {

// The contrast ratio of two colours as the web's accessibility guidelines define it, from 1 (the
// same lightness) to 21 (black on white).
double contrast_ratio(Rgb first, Rgb second);

// Whether text of one colour reads on a background of the other: a ratio of 4.5 or more.
bool readable_on(Rgb text, Rgb background);

// The colour of a name the design paints in a colour of its own: that colour, unless the user's
// colours would swallow it (a high-contrast scheme, or a background too dark or too like it),
// then the user's text colour.
Rgb own_colour_or_text(Rgb own, Rgb background, Rgb text, bool high_contrast);

}  // namespace pelmora

#endif
