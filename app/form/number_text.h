#ifndef PELMORA_NUMBER_TEXT_H
#define PELMORA_NUMBER_TEXT_H

#include <string>

namespace pelmora {

// The text form of a number that the pages show: rounded to at most 15 significant digits, no
// trailing zeros after the point and no point without a digit after it, "." as the decimal point
// whatever the locale, no digit grouping, and a blank in front of a value that is not negative or
// "-" in front of a negative one. A magnitude below 1 has no zero before the point: 0.5 is " .5",
// -0.25 is "-.25"; 209.99999999999957 is " 210", 4.166666666666667 is " 4.16666666666667".
//
// When the magnitude, rounded to 15 significant digits, is 10^15 or more or below 10^-4 (but not
// 0), the text is in exponent form: the mantissa as above, then "E", the exponent's sign and at
// least two digits (" 1E+15", " 1.5E-05", "-2.5E+100"). Zero of either sign is " 0"; the values
// the pages never show read " inf", "-inf" and " nan".
std::string number_text(double x);

}  // namespace pelmora

#endif
