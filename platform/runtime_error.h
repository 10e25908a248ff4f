#pragma once

#include <stdexcept>
#include <string>

namespace varvik {

// A run-time error is a failure that gets past the input checks: a 32-bit
// overflow in the skill arithmetic or a conversion, or a floating-point fault.
// It leaves the calculator unhandled and is reported once, at the click
// handler, after which the program goes on.
class RunTimeError : public std::runtime_error {
public:
    enum class Kind { Overflow, FloatingPoint, TypeMismatch };

    explicit RunTimeError(Kind kind);

    Kind kind() const noexcept { return kind_; }

private:
    Kind kind_;
};

// The Swedish text the user sees for an error of this kind.
const char* RunTimeErrorText(RunTimeError::Kind kind) noexcept;

[[noreturn]] void RaiseOverflow();
[[noreturn]] void RaiseFloatingPointError();
[[noreturn]] void RaiseTypeMismatch();

} // namespace varvik
