#pragma once

// The program's numbers, the same whatever the user's locale:
//
//   blanks* [+|-] digits-with-at-most-one-separator blanks*
//
// where a blank is a space, the separator is a point or a comma (both are the
// decimal point; Swedish users type a comma) and there is at least one digit.
// ".5", "5." and ",5" are numbers; "", blanks alone, exponents, grouping,
// hexadecimal and anything else are not.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varvik {

struct NumberText {
    bool negative = false;
    std::string_view integerDigits;  // may be empty (".5")
    std::string_view fractionDigits; // may be empty ("5" or "5.")
};

// The parts of a number text, or nothing when the text is not a number.
std::optional<NumberText> ScanNumber(std::string_view text);

bool IsNumeric(std::string_view text);

// The nearest double. A value too large for a double reads as an infinity of
// its sign, one too small as zero, so every number converts without error.
double TextToDouble(std::string_view text);

// Rounded exactly from the decimal text, a half going to the even neighbour.
// Raises the overflow error outside the signed 32-bit range and the type
// mismatch error for a text that is not a number.
std::int32_t TextToInt32(std::string_view text);

// Nearest integer, a half going to the even neighbour; raises the overflow
// error outside the signed 32-bit range (and for infinities and NaN).
std::int32_t DoubleToInt32(double value);

// Plain decimal, "-" before negatives, no blanks, no grouping.
std::string Int32ToText(std::int32_t value);

} // namespace varvik
