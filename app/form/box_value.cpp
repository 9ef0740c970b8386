#include "form/box_value.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace pelmora {

namespace {

constexpr char16_t kFullWidthFirst = u'\uFF01';
constexpr char16_t kFullWidthLast = u'\uFF5E';
constexpr char16_t kFullWidthOffset = u'\uFEE0';
constexpr char16_t kIdeographicSpace = u'\u3000';
// Typed for "." by a Japanese input method in kana mode, in full or half width.
constexpr char16_t kIdeographicFullStop = u'\u3002';
constexpr char16_t kHalfWidthIdeographicFullStop = u'\uFF61';

// The characters of a text as the reading sees them: full-width forms folded to ASCII, blanks
// skipped.
class Reader {
  public:
    explicit Reader(std::u16string_view text) : text_(text) {}

    // The next character that is not a blank, without taking it; 0 at the end.
    char peek() {
        while (position_ < text_.size()) {
            const char c = fold(text_[position_]);
            if (c != ' ' && c != '\t' && c != '\n') {
                return c;
            }
            ++position_;
        }
        return 0;
    }

    void take() { ++position_; }

    bool take_if(char wanted) {
        if (peek() != wanted) {
            return false;
        }
        take();
        return true;
    }

  private:
    // ASCII stays, full-width forms become their ASCII twins, the ideographic full stops the
    // decimal point and the ideographic space a blank; anything else is a character no number
    // contains.
    static char fold(char16_t c) {
        if (c >= kFullWidthFirst && c <= kFullWidthLast) {
            c = static_cast<char16_t>(c - kFullWidthOffset);
        } else if (c == kIdeographicFullStop || c == kHalfWidthIdeographicFullStop) {
            c = u'.';
        } else if (c == kIdeographicSpace) {
            c = u' ';
        }
        return c < 0x80 ? static_cast<char>(c) : '\x7f';
    }

    std::u16string_view text_;
    std::size_t position_ = 0;
};

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

int digit_value(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

double read_integer(Reader& reader, int base) {
    double value = 0;
    for (int digit = digit_value(reader.peek(), base); digit >= 0;
         digit = digit_value(reader.peek(), base)) {
        reader.take();
        value = value * base + digit;
    }
    return value;
}

// Exponents beyond this size already make any mantissa overflow or vanish; holding them here keeps
// the text handed to the conversion short.
constexpr long kExponentLimit = 1'000'000'000;

double read_decimal(Reader& reader) {
    const bool negative = reader.take_if('-');
    if (!negative) {
        reader.take_if('+');
    }
    // The significant digits without leading zeros, and the power of ten of the last of them.
    std::string digits;
    long scale = 0;
    bool any_digit = false;
    while (is_digit(reader.peek())) {
        any_digit = true;
        if (!digits.empty() || reader.peek() != '0') {
            digits += reader.peek();
        }
        reader.take();
    }
    if (reader.take_if('.')) {
        while (is_digit(reader.peek())) {
            any_digit = true;
            if (!digits.empty() || reader.peek() != '0') {
                digits += reader.peek();
            }
            --scale;
            reader.take();
        }
    }
    if (!any_digit || digits.empty()) {
        return 0;
    }
    const char marker = reader.peek();
    if (marker == 'e' || marker == 'E' || marker == 'd' || marker == 'D') {
        reader.take();
        const bool negative_exponent = reader.take_if('-');
        if (!negative_exponent) {
            reader.take_if('+');
        }
        long exponent = 0;
        while (is_digit(reader.peek())) {
            exponent = std::min(exponent * 10 + (reader.peek() - '0'), kExponentLimit);
            reader.take();
        }
        scale += negative_exponent ? -exponent : exponent;
    }
    const std::string number = digits + "e" + std::to_string(scale);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // The power of ten of the leading digit tells an overflow from an underflow.
        const long leading_power = scale + static_cast<long>(digits.size()) - 1;
        value = leading_power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace

double box_value(std::u16string_view text) {
    Reader reader(text);
    if (reader.take_if('&')) {
        const char prefix = reader.peek();
        if (prefix == 'H' || prefix == 'h') {
            reader.take();
            return read_integer(reader, 16);
        }
        if (prefix == 'O' || prefix == 'o') {
            reader.take();
            return read_integer(reader, 8);
        }
        return 0;
    }
    return read_decimal(reader);
}

}  // namespace pelmora
