#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "calculator.h"
#include "conversions.h"

namespace varvik {
namespace {

class SilentServices : public StandardRunTimeServices {
public:
    void MsgBox(std::string_view text) override { ADD_FAILURE() << "unexpected message: " << text; }
};

std::int64_t CostByClick(std::int32_t fv, std::int32_t gev, std::int32_t fvb)
{
    SilentServices services;
    FieldTexts fields(Int32ToText(fv), Int32ToText(gev), Int32ToText(fvb), "0");
    EXPECT_EQ(RunClick(Command::EpCost, fields, services), ClickOutcome::Computed);
    return std::stoll(fields.Read(Field::EP));
}

// "Beräkna FVb" spends a budget the way "Beräkna EP" prices it: the skill it
// reaches costs exactly what was spent, and one point more costs more than
// the whole budget.
TEST(RoundTrip, PurchaseIsTheInverseOfTheCost)
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::int32_t> budget(0, 1000000);
    std::uniform_int_distribution<std::int32_t> base(-1000, 1000);
    std::uniform_int_distribution<std::int32_t> offset(-60000, 45000);
    int checked = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::int32_t ep = i < 100 ? i : budget(random);
        const std::int32_t gev = base(random);
        const std::int32_t fv = gev + (i % 3 == 0 ? offset(random) % 50 : offset(random));

        SilentServices services;
        FieldTexts fields(Int32ToText(fv), Int32ToText(gev), "0", Int32ToText(ep));
        ASSERT_EQ(RunClick(Command::Purchase, fields, services), ClickOutcome::Computed);
        const std::int32_t fvb = std::stoi(fields.Read(Field::FVb));
        const std::int32_t left = std::stoi(fields.Read(Field::EP));
        SCOPED_TRACE("FV " + std::to_string(fv) + " GEV " + std::to_string(gev) + " EP " + std::to_string(ep));
        ASSERT_GE(fvb, fv);
        ASSERT_GE(left, 0);
        ASSERT_LE(left, ep);
        if (fvb + 1 - gev > 46340)
            continue; // "Beräkna EP" would refuse to price it
        ASSERT_EQ(CostByClick(fv, gev, fvb), ep - left);
        ASSERT_GT(CostByClick(fv, gev, fvb + 1), ep);
        ++checked;
    }
    EXPECT_GT(checked, 2500);
}

} // namespace
} // namespace varvik
