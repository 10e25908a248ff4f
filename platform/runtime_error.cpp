#include "runtime_error.h"

namespace varvik {

RunTimeError::RunTimeError(Kind kind) : std::runtime_error(RunTimeErrorText(kind)), kind_(kind) {}

const char* RunTimeErrorText(RunTimeError::Kind kind) noexcept
{
    switch (kind) {
    case RunTimeError::Kind::Overflow:
        return "Talen är för stora för att Varvik ska kunna räkna med dem (spill).";
    case RunTimeError::Kind::FloatingPoint:
        return "Beräkningen gav inget giltigt tal (flyttalsfel).";
    case RunTimeError::Kind::TypeMismatch:
        return "Ett fält innehåller inget tal (typfel).";
    }
    return "Okänt fel.";
}

void RaiseOverflow() { throw RunTimeError(RunTimeError::Kind::Overflow); }
void RaiseFloatingPointError() { throw RunTimeError(RunTimeError::Kind::FloatingPoint); }
void RaiseTypeMismatch() { throw RunTimeError(RunTimeError::Kind::TypeMismatch); }

} // namespace varvik
