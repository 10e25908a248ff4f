#pragma once

#include <string_view>

#include "field_set.h"
#include "runtime_error.h"
#include "runtime_services.h"

namespace varvik {

enum class Command {
    EpCost,   // "Beräkna EP"
    Purchase, // "Beräkna FVb"
};

inline constexpr std::string_view kMsgNotDigits = "Varvik kan endast räkna med siffror.";
inline constexpr std::string_view kMsgInvalidGev = "Ogiltigt GEV!";
inline constexpr std::string_view kMsgInvalidEp = "Ogiltigt antal EP!";
inline constexpr std::string_view kMsgDifferenceTooLarge =
    "VB overflow! Programmet klarar inte så stora skillnader mellan FV/FVb och GEV";

// Largest GEV, largest EP budget and largest distance above GEV that the
// 32-bit arithmetic can carry (46340 squared still fits in 32 bits).
inline constexpr double kMaxGev = 1000.0;
inline constexpr double kMaxEp = 1000000.0;
inline constexpr double kMaxDifference = 46340.0;

enum class CheckResult {
    Proceed, // the command's computation may follow
    Refused, // one message was shown, fields were reset, the command ends
};

// The checks both commands start with: empty fields become "0" silently;
// non-numeric fields, a GEV above 1000, an EP above 1000000 ("Beräkna FVb"
// only) and a distance of FV or FVb above GEV of more than 46340 are refused
// with a message and reset to "0".
CheckResult CheckFields(Command command, FieldSet& fields, RunTimeServices& services);

// "Beräkna EP": the cost of going from FV to FVb, written into EP.
CheckResult ComputeEpCost(FieldSet& fields, RunTimeServices& services);

// "Beräkna FVb": how far EP takes FV, written into FVb, and what is left,
// written into EP.
CheckResult ComputePurchase(FieldSet& fields, RunTimeServices& services);

enum class ClickOutcome { Computed, Refused, ErrorReported };

// A whole click on a calculation button: the command, and the report of a
// run-time error in a message box. The error ends the click, not the program;
// what the click wrote before the error stays and nothing more is written.
ClickOutcome RunClick(Command command, FieldSet& fields, RunTimeServices& services);

} // namespace varvik
