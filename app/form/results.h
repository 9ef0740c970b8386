#ifndef PELMORA_FORM_RESULTS_H
#define PELMORA_FORM_RESULTS_H

#include <initializer_list>
#include <string>

namespace pelmora {

// The number text of a result as the offered-traffic and required-lines pages show it: without
// its leading blank; a minus sign stays.
std::u16string shown_without_blank(double value);

// The number text of a result as the processable-calls page shows it: with its leading blank,
// padded with blanks to 256 characters.
std::u16string shown_padded(double value);

// Whether every value is a finite number: a result computed from an input that read as infinity,
// or one that overflowed, is no answer.
bool all_finite(std::initializer_list<double> values);

}  // namespace pelmora

#endif
