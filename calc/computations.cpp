#include <cstdint>
#include <limits>

#include "calculator.h"
#include "checked.h"

namespace varvik {

namespace {

// Half of the square plus half of the distance: T(n) = n(n + 1)/2, the cost of
// the first n points above GEV. n·n + n is even, so the halves add up to a
// whole number.
double HalfSquarePlusHalf(std::int32_t n)
{
    return FpAdd(static_cast<double>(CheckedMul(n, n)) / 2.0, static_cast<double>(n) / 2.0);
}

struct Bought {
    std::int32_t points = 0;
    std::int32_t spent = 0;
};

// Buys points one at a time while the budget covers the next, which costs its
// distance above GEV: d + 1, d + 2, ... for a start d >= 0 points above GEV.
//
// Counted in 64 bits: every sum in the loop only grows, so a 32-bit overflow
// anywhere in it would show as the price of the next point leaving the 32-bit
// range, which is checked where the loop stops. This keeps the longest
// purchase (1413 points) to a handful of instructions a point.
Bought BuyPoints(std::int32_t d, std::int32_t budget)
{
    std::int64_t points = 0;
    std::int64_t spent = 0;
    for (;;) {
        const std::int64_t afterNext = spent + points + 1 + d;
        if (afterNext > budget) {
            if (afterNext > std::numeric_limits<std::int32_t>::max())
                RaiseOverflow();
            break;
        }
        spent = afterNext;
        ++points;
    }
    return {static_cast<std::int32_t>(points), static_cast<std::int32_t>(spent)};
}

} // namespace

CheckResult ComputeEpCost(FieldSet& fields, RunTimeServices& services)
{
    if (CheckFields(Command::EpCost, fields, services) == CheckResult::Refused)
        return CheckResult::Refused;

    const std::int32_t fv = services.TextToInt32(fields.Read(Field::FV));
    const std::int32_t gev = services.TextToInt32(fields.Read(Field::GEV));
    const std::int32_t fvb = services.TextToInt32(fields.Read(Field::FVb));

    // The rules are tried in order and each that applies overwrites the cost;
    // from FV = GEV upwards the last two agree. Going down from above GEV to
    // at or below it matches no rule and costs 0.
    std::int32_t ep = 0;
    if (fvb <= gev && fv <= gev)
        ep = CheckedSub(fvb, fv);
    if (fvb > gev && fv >= gev) {
        const std::int32_t n = CheckedSub(fvb, gev);
        const std::int32_t m = CheckedSub(fv, gev);
        ep = services.DoubleToInt32(FpSub(HalfSquarePlusHalf(n), HalfSquarePlusHalf(m)));
    }
    if (fvb > gev && fv <= gev) {
        const std::int32_t n = CheckedSub(fvb, gev);
        const double belowBase = static_cast<double>(CheckedSub(gev, fv));
        const double halfSquare = static_cast<double>(CheckedMul(n, n)) / 2.0;
        ep = services.DoubleToInt32(FpAdd(FpAdd(halfSquare, belowBase), static_cast<double>(n) / 2.0));
    }

    fields.Replace(Field::EP, services.Int32ToText(ep));
    return CheckResult::Proceed;
}

CheckResult ComputePurchase(FieldSet& fields, RunTimeServices& services)
{
    if (CheckFields(Command::Purchase, fields, services) == CheckResult::Refused)
        return CheckResult::Refused;

    const std::int32_t fv = services.TextToInt32(fields.Read(Field::FV));
    const std::int32_t gev = services.TextToInt32(fields.Read(Field::GEV));
    const std::int32_t ep = services.TextToInt32(fields.Read(Field::EP));

    std::int32_t fvb = 0;
    std::int32_t left = ep;

    // The budget does not reach past GEV: every point costs 1. A negative
    // budget lands here too and lowers the skill.
    const std::int32_t reachedAtOneEach = CheckedAdd(fv, ep);
    if (reachedAtOneEach <= gev) {
        fvb = reachedAtOneEach;
        left = 0;
    }

    // From below GEV past it: the points up to GEV at 1 each, then 1, 2, 3...
    if (CheckedAdd(fv, left) > gev && fv < gev) {
        left = CheckedSub(left, CheckedSub(gev, fv));
        const Bought bought = BuyPoints(0, left);
        left = CheckedSub(left, bought.spent);
        fvb = CheckedAdd(gev, bought.points);
    }

    // From at or above GEV: the next point costs its distance above GEV.
    if (fv >= gev) {
        const Bought bought = BuyPoints(CheckedSub(fv, gev), left);
        left = CheckedSub(left, bought.spent);
        fvb = CheckedAdd(fv, bought.points);
    }

    fields.Replace(Field::FVb, services.Int32ToText(fvb));
    fields.Replace(Field::EP, services.Int32ToText(left));
    return CheckResult::Proceed;
}

ClickOutcome RunClick(Command command, FieldSet& fields, RunTimeServices& services)
{
    try {
        const CheckResult result = command == Command::EpCost ? ComputeEpCost(fields, services)
                                                              : ComputePurchase(fields, services);
        return result == CheckResult::Proceed ? ClickOutcome::Computed : ClickOutcome::Refused;
    } catch (const RunTimeError& error) {
        services.MsgBox(error.what());
        return ClickOutcome::ErrorReported;
    }
}

} // namespace varvik
