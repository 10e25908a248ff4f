#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "conversions.h"
#include "runtime_error.h"

namespace varvik {
namespace {

struct GrammarCase {
    const char* text;
    bool numeric;
};

TEST(NumberGrammar, AcceptsAndRefuses)
{
    const GrammarCase cases[] = {
        {"0", true},        {"12", true},         {"-3", true},        {"+7", true},
        {"10.5", true},     {"10,5", true},       {".5", true},        {",5", true},
        {"5.", true},       {"5,", true},         {"-,5", true},       {"+.5", true},
        {"  12", true},     {"12  ", true},       {" -4,25 ", true},   {"007", true},
        {"", false},        {" ", false},         {"   ", false},      {".", false},
        {",", false},       {"-", false},         {"+", false},        {"- 5", false},
        {"+-5", false},     {"--5", false},       {"1.2.3", false},    {"1,2.3", false},
        {"1e5", false},     {"1E5", false},       {"1 000", false},    {"0x1A", false},
        {"&H1A", false},    {"(5)", false},       {"5kr", false},      {"$5", false},
        {"abc", false},     {"\t5", false},       {"5-", false},       {"inf", false},
        {"nan", false},     {"١٢", false},        {"\xe2\x88\x92" "3", false},
        {"/", false},       {":", false},         {"1/2", false},      {"5:", false},
        {"/5", false},      {":0", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsNumeric(c.text), c.numeric) << '"' << c.text << '"';
}

TEST(TextToDouble, ReadsBothSeparatorsSignsAndBlanks)
{
    const std::pair<const char*, double> cases[] = {
        {"0", 0.0},           {"1000", 1000.0},  {"1000,5", 1000.5},   {"1000.5", 1000.5},
        {" -46340,5 ", -46340.5}, {"+.25", 0.25}, {"5.", 5.0},          {"0001000000", 1000000.0},
        {"0.1", 0.1},         {"2147483647.5", 2147483647.5},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(TextToDouble(text), expected) << text;
}

TEST(TextToDouble, OutOfRangeTextsBecomeInfinityOrZero)
{
    const std::string huge(400, '9');
    EXPECT_EQ(TextToDouble(huge), std::numeric_limits<double>::infinity());
    EXPECT_EQ(TextToDouble("-" + huge), -std::numeric_limits<double>::infinity());
    const std::string tiny = "0." + std::string(400, '0') + "1";
    EXPECT_EQ(TextToDouble(tiny), 0.0);
    EXPECT_TRUE(std::signbit(TextToDouble("-" + tiny)));
}

struct RoundCase {
    const char* text;
    std::int32_t expected;
};

TEST(TextToInt32, RoundsHalvesToEvenOnBothSidesOfZero)
{
    const RoundCase cases[] = {
        {"10.5", 10},       {"11.5", 12},        {"-10.5", -10},       {"-11.5", -12},
        {"0.5", 0},         {"-0.5", 0},         {"1.5", 2},           {"-1.5", -2},
        {"2,5", 2},         {"46340.5", 46340},  {"46341.5", 46342},   {"10.49999999", 10},
        {"10.50000001", 11}, {"-10.50000001", -11}, {"10.5000", 10},   {".5", 0},
        {"0.4999999999999999999999", 0},  {"0.5000000000000000000001", 1},
        {"2147483647", 2147483647}, {"2147483647.4", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"-2147483648.5", -2147483647 - 1}, {"00000000000000000042", 42}, {" +7 ", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToInt32(c.text), c.expected) << c.text;
}

TEST(TextToInt32, OverflowsOutsideThe32BitRange)
{
    const char* cases[] = {"2147483648", "2147483647.5", "-2147483649", "-2147483648.6",
                           "-5000000000", "99999999999", "12345678901234567890",
                           "18446744073709551616", "-18446744073709551616"}; // 2 to the 64th wraps to 0
    for (const char* text : cases) {
        try {
            TextToInt32(text);
            ADD_FAILURE() << text << " did not overflow";
        } catch (const RunTimeError& error) {
            EXPECT_EQ(error.kind(), RunTimeError::Kind::Overflow) << text;
        }
    }
}

TEST(DoubleToInt32, RoundsHalvesToEvenAndOverflowsOutOfRange)
{
    const std::pair<double, std::int32_t> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {3.49, 3}, {-3.51, -4},
        {3.7, 4}, {-3.7, -4},
        {1073720970.0, 1073720970}, {2147483647.0, 2147483647}, {2147483647.4, 2147483647},
        {-2147483648.5, -2147483647 - 1},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(DoubleToInt32(value), expected) << value;

    const double overflowing[] = {2147483647.5, 3073720970.0, -2147483648.6, 1e300,
                                  std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
    for (const double value : overflowing)
        EXPECT_THROW(DoubleToInt32(value), RunTimeError) << value;
}

TEST(Int32ToText, PlainDecimal)
{
    EXPECT_EQ(Int32ToText(0), "0");
    EXPECT_EQ(Int32ToText(-2), "-2");
    EXPECT_EQ(Int32ToText(1073720970), "1073720970");
    EXPECT_EQ(Int32ToText(-2147483647 - 1), "-2147483648");
}

} // namespace
} // namespace varvik

namespace varvik {
namespace {

// The calculator converts only what passed the numeric test; anything else
// must fail loudly, not read as zero.
TEST(Conversions, RefuseTextsThatAreNotNumbers)
{
    for (const char* text : {"", " ", "abc", "1e3", "1 000"}) {
        for (auto convert : {+[](const char* t) { TextToInt32(t); }, +[](const char* t) { TextToDouble(t); }}) {
            try {
                convert(text);
                ADD_FAILURE() << '"' << text << "\" converted";
            } catch (const RunTimeError& error) {
                EXPECT_EQ(error.kind(), RunTimeError::Kind::TypeMismatch) << text;
                EXPECT_STREQ(error.what(), "Ett fält innehåller inget tal (typfel).");
            }
        }
    }
}

} // namespace
} // namespace varvik
