#ifndef PELMORA_BOX_VALUE_H
#define PELMORA_BOX_VALUE_H

#include <string_view>

namespace pelmora {

// The number that a box's text begins with, as the pages read it. Blanks, tabs and line feeds are
// skipped wherever they stand (so "1 000" is 1000); then come an optional sign, decimal digits
// with at most one "." as the decimal point (whatever the locale) and an optional exponent (E or
// D, either case, an optional sign and digits), or, after the prefix &H or &O, a hexadecimal or
// octal integer. Reading stops at the first character that cannot continue the number; a text
// that does not begin with a number has the value 0. No text is refused: "abc" is 0, "12abc" 12.
//
// Characters typed in full width with a Japanese input method ("１２．５", "－", "Ｅ", "＆Ｈ")
// read as their ASCII twins, and the ideographic space is a blank. A decimal number beyond the
// double range reads as +-infinity, one below the smallest double as 0; hexadecimal and octal
// integers are unsigned and grow to infinity the same way.
double box_value(std::u16string_view text);

}  // namespace pelmora

#endif
