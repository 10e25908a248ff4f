#pragma once

// Skill arithmetic: signed 32-bit integers that raise the overflow error
// instead of wrapping, and doubles whose invalid results raise the
// floating-point error before they are used.

#include <cmath>
#include <cstdint>
#include <limits>

#include "runtime_error.h"

namespace varvik {

namespace detail {
inline std::int32_t Narrow(std::int64_t wide)
{
    if (wide < std::numeric_limits<std::int32_t>::min() || wide > std::numeric_limits<std::int32_t>::max())
        RaiseOverflow();
    return static_cast<std::int32_t>(wide);
}
} // namespace detail

inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) { return detail::Narrow(std::int64_t{a} + b); }
inline std::int32_t CheckedSub(std::int32_t a, std::int32_t b) { return detail::Narrow(std::int64_t{a} - b); }
inline std::int32_t CheckedMul(std::int32_t a, std::int32_t b) { return detail::Narrow(std::int64_t{a} * b); }

// The result of an addition or subtraction is a fault when it is not a number
// (inf - inf) or when finite operands overflowed to an infinity. An infinity
// carried in from an operand is not a new fault: a huge field text reads as
// an infinite double, and the range checks refuse it with their own message.
inline double CheckedFp(double result, double a, double b)
{
    if (std::isnan(result) || (std::isinf(result) && std::isfinite(a) && std::isfinite(b)))
        RaiseFloatingPointError();
    return result;
}

inline double FpSub(double a, double b) { return CheckedFp(a - b, a, b); }
inline double FpAdd(double a, double b) { return CheckedFp(a + b, a, b); }

} // namespace varvik
