#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording.h"

namespace varvik {
namespace {

using testing::Click;
using testing::Log;
using Texts = std::vector<std::string>;

const std::string kNotDigits = "msg: " + std::string(kMsgNotDigits);
const std::string kInvalidGev = "msg: " + std::string(kMsgInvalidGev);
const std::string kInvalidEp = "msg: " + std::string(kMsgInvalidEp);
const std::string kTooFar = "msg: " + std::string(kMsgDifferenceTooLarge);
const std::string kOverflow = "msg: Talen är för stora för att Varvik ska kunna räkna med dem (spill).";
const Log kResetAll{kTooFar, "FV=0", "GEV=0", "FVb=0", "EP=0"};
const Texts kZeros{"0", "0", "0", "0"};

struct CostCase {
    const char* fv;
    const char* gev;
    const char* fvb;
    const char* ep;
};

TEST(EpCost, ExampleTable)
{
    const CostCase cases[] = {
        {"10", "12", "12", "2"},       {"10", "12", "15", "8"},        {"12", "12", "15", "6"},
        {"14", "12", "15", "3"},       {"12", "12", "12", "0"},        {"0", "0", "0", "0"},
        {"10", "12", "8", "-2"},       {"15", "12", "14", "-3"},       {"15", "12", "10", "0"},
        {"-100000", "0", "10", "100055"}, {"0", "0", "46340", "1073720970"},
        {"10.5", "12", "15", "8"},     {"11.5", "12", "15", "6"},      {"0.5", "0.5", "46340.5", "1073720970"},
        {"10,5", "12", "15", "8"},     {"0,5", "0,5", "46340,5", "1073720970"},
        {"-2000000000", "1000", "1000", "2000001000"},
        {"15", "12", "12", "0"}, // down from above GEV to exactly GEV
        {"0", "0", "-2147483648", "-2147483648"}, {"-2147483647", "0", "0", "2147483647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fv) + " " + c.gev + " " + c.fvb);
        Click click(Command::EpCost, c.fv, c.gev, c.fvb, "777");
        EXPECT_EQ(click.outcome, ClickOutcome::Computed);
        // Only EP is written: the other fields keep their texts as typed.
        EXPECT_EQ(click.log, Log{"EP=" + std::string(c.ep)});
        EXPECT_EQ(click.fields.Texts(), (Texts{c.fv, c.gev, c.fvb, c.ep}));
    }
}

struct PurchaseCase {
    const char* fv;
    const char* gev;
    const char* ep;
    const char* fvb;
    const char* left;
};

TEST(Purchase, ExampleTable)
{
    const PurchaseCase cases[] = {
        {"10", "12", "1", "11", "0"},   {"10", "12", "2", "12", "0"},   {"10", "12", "3", "13", "0"},
        {"10", "12", "4", "13", "1"},   {"10", "12", "8", "15", "0"},   {"10", "12", "9", "15", "1"},
        {"14", "12", "3", "15", "0"},   {"14", "12", "2", "14", "2"},   {"12", "12", "6", "15", "0"},
        {"12", "12", "0", "12", "0"},   {"0", "0", "1000000", "1413", "1009"},
        {"15", "12", "-2", "15", "-2"}, {"15", "12", "-5", "15", "0"},  {"5", "12", "-3", "2", "0"},
        {"46340", "0", "100000", "46342", "7317"},
        {"-2000000000", "0", "-100000000", "-2100000000", "0"},
        {"9,5", "12", "8,5", "15", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fv) + " " + c.gev + " " + c.ep);
        Click click(Command::Purchase, c.fv, c.gev, "3", c.ep);
        EXPECT_EQ(click.outcome, ClickOutcome::Computed);
        EXPECT_EQ(click.log, (Log{"FVb=" + std::string(c.fvb), "EP=" + std::string(c.left)}));
        EXPECT_EQ(click.fields.Texts(), (Texts{c.fv, c.gev, c.fvb, c.left}));
    }
}

struct CheckCase {
    const char* name;
    Command command;
    Texts before;
    ClickOutcome outcome;
    Log log; // messages and writes, in order
    Texts after;
};

TEST(CheckFields, MessagesAndResetsInOrder)
{
    const CheckCase cases[] = {
        {"all empty compute on zeros", Command::EpCost, {"", "", "", ""}, ClickOutcome::Computed,
         {"FV=0", "GEV=0", "FVb=0", "EP=0", "EP=0"}, kZeros},
        {"two empty and two filled compute", Command::EpCost, {"", "12", "15", ""}, ClickOutcome::Computed,
         {"FV=0", "EP=0", "EP=18"}, {"0", "12", "15", "18"}},
        {"empty FV filled before GEV is refused", Command::EpCost, {"", "abc", "5", "0"}, ClickOutcome::Refused,
         {"FV=0", kNotDigits, "GEV=0"}, {"0", "0", "5", "0"}},
        {"output EP must still be numeric", Command::EpCost, {"1", "2", "3", "abc"}, ClickOutcome::Refused,
         {kNotDigits, "EP=0"}, {"1", "2", "3", "0"}},
        {"every non-numeric field reset in order", Command::Purchase, {"x", "5", " ", "1e3"}, ClickOutcome::Refused,
         {kNotDigits, "FV=0", "FVb=0", "EP=0"}, {"0", "5", "0", "0"}},
        {"GEV 1000 passes", Command::EpCost, {"1000", "1000", "1001", "0"}, ClickOutcome::Computed,
         {"EP=1"}, {"1000", "1000", "1001", "1"}},
        {"GEV 1000.5 refused", Command::EpCost, {"5", "1000.5", "6", "7"}, ClickOutcome::Refused,
         {kInvalidGev, "GEV=0"}, {"5", "0", "6", "7"}},
        {"GEV 1001 refused", Command::Purchase, {"5", "1001", "6", "7"}, ClickOutcome::Refused,
         {kInvalidGev, "GEV=0"}, {"5", "0", "6", "7"}},
        {"GEV has no lower limit", Command::EpCost, {"-5000", "-5000", "-4999", "0"}, ClickOutcome::Computed,
         {"EP=1"}, {"-5000", "-5000", "-4999", "1"}},
        {"EP 1000000 passes", Command::Purchase, {"0", "0", "0", "1000000"}, ClickOutcome::Computed,
         {"FVb=1413", "EP=1009"}, {"0", "0", "1413", "1009"}},
        {"EP 1000001 refused", Command::Purchase, {"1", "2", "3", "1000001"}, ClickOutcome::Refused,
         {kInvalidEp, "EP=0"}, {"1", "2", "3", "0"}},
        {"EP 1000000.5 refused", Command::Purchase, {"1", "2", "3", "1000000,5"}, ClickOutcome::Refused,
         {kInvalidEp, "EP=0"}, {"1", "2", "3", "0"}},
        {"EP size ignored by Beräkna EP", Command::EpCost, {"1", "2", "3", "1000001"}, ClickOutcome::Computed,
         {"EP=2"}, {"1", "2", "3", "2"}},
        {"FV 46340 above GEV 0 passes", Command::EpCost, {"46340", "0", "46340", "5"}, ClickOutcome::Computed,
         {"EP=0"}, {"46340", "0", "46340", "0"}},
        {"FV 46341 above GEV 0 refused", Command::EpCost, {"46341", "0", "5", "5"}, ClickOutcome::Refused,
         kResetAll, kZeros},
        {"FVb 46341 above GEV 0 refused", Command::EpCost, {"0", "0", "46341", "5"}, ClickOutcome::Refused,
         kResetAll, kZeros},
        {"FV far below GEV passes", Command::EpCost, {"-500000", "0", "-500000", "9"}, ClickOutcome::Computed,
         {"EP=0"}, {"-500000", "0", "-500000", "0"}},
        {"leftover FVb limited under Beräkna FVb", Command::Purchase, {"1", "0", "50000", "5"}, ClickOutcome::Refused,
         kResetAll, kZeros},
        // Halves round to even, so a distance of 46340 never rounds to 46341.
        {"halves round together", Command::EpCost, {"0", "-0.5", "46339.5", "0"}, ClickOutcome::Computed,
         {"EP=1073720970"}, {"0", "-0.5", "46339.5", "1073720970"}},
        {"halves pass the distance check", Command::EpCost, {"0.5", "0.5", "46340.5", "0"}, ClickOutcome::Computed,
         {"EP=1073720970"}, {"0.5", "0.5", "46340.5", "1073720970"}},
        {"GEV checked before the distances", Command::EpCost, {"60000", "2000", "0", "0"}, ClickOutcome::Refused,
         {kInvalidGev, "GEV=0"}, {"60000", "0", "0", "0"}},
        {"GEV checked before EP", Command::Purchase, {"0", "2000", "0", "2000000"}, ClickOutcome::Refused,
         {kInvalidGev, "GEV=0"}, {"0", "0", "0", "2000000"}},
        {"EP checked before the distances", Command::Purchase, {"60000", "0", "0", "2000000"}, ClickOutcome::Refused,
         {kInvalidEp, "EP=0"}, {"60000", "0", "0", "0"}},
        {"a huge number is too far above GEV", Command::EpCost, {std::string(400, '9'), "0", "0", "0"},
         ClickOutcome::Refused, kResetAll, kZeros},
        {"a huge GEV is refused", Command::EpCost, {"0", std::string(400, '9'), "0", "0"}, ClickOutcome::Refused,
         {kInvalidGev, "GEV=0"}, {"0", "0", "0", "0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Click click(c.command, c.before[0], c.before[1], c.before[2], c.before[3]);
        EXPECT_EQ(click.outcome, c.outcome);
        EXPECT_EQ(click.log, c.log);
        EXPECT_EQ(click.fields.Texts(), c.after);
    }
}

// Failures that get past the checks end the click with one error message and
// leave the fields as the click had them when the error came.
TEST(RunTimeErrors, ReportedOnceAndNothingFurtherWritten)
{
    const std::string hugeNegative = "-" + std::string(400, '9');
    const std::string kFpError = "msg: Beräkningen gav inget giltigt tal (flyttalsfel).";
    const CheckCase cases[] = {
        {"FV outside 32 bits", Command::EpCost, {"-5000000000", "0", "10", "4"}, ClickOutcome::ErrorReported,
         {kOverflow}, {"-5000000000", "0", "10", "4"}},
        {"across-the-base cost beyond 32 bits", Command::EpCost, {"-2000000000", "0", "46340", "4"},
         ClickOutcome::ErrorReported, {kOverflow}, {"-2000000000", "0", "46340", "4"}},
        {"below-the-base difference beyond 32 bits", Command::EpCost, {"1000", "1000", "-2147483648", ""},
         ClickOutcome::ErrorReported, {"EP=0", kOverflow}, {"1000", "1000", "-2147483648", "0"}},
        {"GEV minus FV beyond 32 bits", Command::EpCost, {"-2147483648", "1000", "1001", ""},
         ClickOutcome::ErrorReported, {"EP=0", kOverflow}, {"-2147483648", "1000", "1001", "0"}},
        {"FV + EP beyond 32 bits", Command::Purchase, {"-2000000000", "0", "", "-2000000000"},
         ClickOutcome::ErrorReported, {"FVb=0", kOverflow}, {"-2000000000", "0", "0", "-2000000000"}},
        {"cost one below the 32-bit range", Command::EpCost, {"1", "1", "-2147483648", ""},
         ClickOutcome::ErrorReported, {"EP=0", kOverflow}, {"1", "1", "-2147483648", "0"}},
        {"cost one above the 32-bit range", Command::EpCost, {"-2147483648", "0", "0", ""},
         ClickOutcome::ErrorReported, {"EP=0", kOverflow}, {"-2147483648", "0", "0", "0"}},
        {"EP outside 32 bits", Command::Purchase, {"0", "0", "0", "-3000000000"}, ClickOutcome::ErrorReported,
         {kOverflow}, {"0", "0", "0", "-3000000000"}},
        {"infinite minus infinite", Command::EpCost, {hugeNegative, hugeNegative, "0", "0"},
         ClickOutcome::ErrorReported, {kFpError}, {hugeNegative, hugeNegative, "0", "0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Click click(c.command, c.before[0], c.before[1], c.before[2], c.before[3]);
        EXPECT_EQ(click.outcome, c.outcome);
        EXPECT_EQ(click.log, c.log);
        EXPECT_EQ(click.fields.Texts(), c.after);
    }
}

TEST(RunTimeErrors, LargeResultRefusedOnTheNextClick)
{
    Log log;
    testing::RecordingFields fields(log, "46340", "0", "0", "100000");
    testing::RecordingServices services(log);
    ASSERT_EQ(RunClick(Command::Purchase, fields, services), ClickOutcome::Computed);
    EXPECT_EQ(fields.Texts(), (Texts{"46340", "0", "46342", "7317"}));
    log.clear();
    EXPECT_EQ(RunClick(Command::EpCost, fields, services), ClickOutcome::Refused);
    EXPECT_EQ(log, kResetAll);
}

} // namespace
} // namespace varvik
