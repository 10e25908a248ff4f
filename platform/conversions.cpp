#include "conversions.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "runtime_error.h"

namespace varvik {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == '.' || c == ','; }

std::string_view TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string_view StripLeadingZeros(std::string_view digits)
{
    const auto first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view{} : digits.substr(first);
}

bool AllZeros(std::string_view digits) { return digits.find_first_not_of('0') == std::string_view::npos; }

} // namespace

std::optional<NumberText> ScanNumber(std::string_view text)
{
    std::string_view rest = TrimBlanks(text);
    NumberText number;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        number.negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    std::size_t i = 0;
    while (i < rest.size() && IsDigit(rest[i]))
        ++i;
    number.integerDigits = rest.substr(0, i);
    if (i < rest.size() && IsSeparator(rest[i])) {
        const std::size_t start = ++i;
        while (i < rest.size() && IsDigit(rest[i]))
            ++i;
        number.fractionDigits = rest.substr(start, i - start);
    }
    if (i != rest.size() || (number.integerDigits.empty() && number.fractionDigits.empty()))
        return std::nullopt;
    return number;
}

bool IsNumeric(std::string_view text) { return ScanNumber(text).has_value(); }

double TextToDouble(std::string_view text)
{
    const auto number = ScanNumber(text);
    if (!number)
        RaiseTypeMismatch();

    // The text in the plain form both readers below take: the comma turned
    // into a point and the plus sign dropped.
    std::string plain;
    plain.reserve(number->integerDigits.size() + number->fractionDigits.size() + 3);
    if (number->negative)
        plain += '-';
    plain += number->integerDigits.empty() ? std::string_view{"0"} : number->integerDigits;
    if (!number->fractionDigits.empty()) {
        plain += '.';
        plain += number->fractionDigits;
    }

#ifdef __cpp_lib_to_chars
    // from_chars is correctly rounded and ignores the locale.
    double value = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value,
                                              std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Without an exponent, only a whole part of 309 digits or more is too
        // large; anything else out of range is a fraction too small.
        const bool tooLarge = !StripLeadingZeros(number->integerDigits).empty();
        const double magnitude = tooLarge ? std::numeric_limits<double>::infinity() : 0.0;
        value = number->negative ? -magnitude : magnitude;
    }
    return value;
#else
    // A standard library without a floating-point from_chars (the web
    // build's): strtod rounds as correctly and, out of range, gives the same
    // infinity or zero of the text's sign. It reads the decimal point of the
    // C library's locale, which is put in the point's place.
    const char point = *std::localeconv()->decimal_point;
    if (!number->fractionDigits.empty())
        plain[plain.size() - number->fractionDigits.size() - 1] = point;
    return std::strtod(plain.c_str(), nullptr);
#endif
}

std::int32_t TextToInt32(std::string_view text)
{
    const auto number = ScanNumber(text);
    if (!number)
        RaiseTypeMismatch();

    const std::string_view whole = StripLeadingZeros(number->integerDigits);
    if (whole.size() > 10)
        RaiseOverflow();
    std::int64_t magnitude = 0;
    for (const char digit : whole)
        magnitude = magnitude * 10 + (digit - '0');

    // Round on the decimal digits themselves, so that no digit is lost on the
    // way: 2147483647.5 must overflow and 46340.5 must give 46340.
    const std::string_view fraction = number->fractionDigits;
    if (!fraction.empty()) {
        const char first = fraction.front();
        const bool beyondHalf = first > '5' || (first == '5' && !AllZeros(fraction.substr(1)));
        const bool exactHalf = first == '5' && AllZeros(fraction.substr(1));
        if (beyondHalf || (exactHalf && magnitude % 2 != 0))
            ++magnitude;
    }

    const std::int64_t value = number->negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        RaiseOverflow();
    return static_cast<std::int32_t>(value);
}

std::int32_t DoubleToInt32(double value)
{
    if (!std::isfinite(value))
        RaiseOverflow();
    // value - floor(value) is exact for every double, so the comparison with
    // one half is too.
    double rounded = std::floor(value);
    const double excess = value - rounded;
    if (excess > 0.5 || (excess == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        RaiseOverflow();
    return static_cast<std::int32_t>(rounded);
}

std::string Int32ToText(std::int32_t value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

} // namespace varvik
