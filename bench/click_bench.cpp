#include <benchmark/benchmark.h>

#include <string>

#include "calculator.h"

namespace {

using namespace varvik;

class QuietServices : public StandardRunTimeServices {
public:
    void MsgBox(std::string_view) override {}
};

// A whole click, as the window runs it, on fields that hold the given texts
// again before every click.
void Click(benchmark::State& state, Command command, const char* fv, const char* gev, const char* fvb, const char* ep)
{
    QuietServices services;
    FieldTexts fields;
    for (auto _ : state) {
        fields.Replace(Field::FV, fv);
        fields.Replace(Field::GEV, gev);
        fields.Replace(Field::FVb, fvb);
        fields.Replace(Field::EP, ep);
        benchmark::DoNotOptimize(RunClick(command, fields, services));
    }
}

} // namespace

BENCHMARK_CAPTURE(Click, EpCostTypical, Command::EpCost, "10", "12", "15", "0");
BENCHMARK_CAPTURE(Click, EpCostLargest, Command::EpCost, "-100000", "1000", "47340,5", "0");
BENCHMARK_CAPTURE(Click, PurchaseTypical, Command::Purchase, "10", "12", "0", "25");
BENCHMARK_CAPTURE(Click, PurchaseWorst, Command::Purchase, "0", "0", "0", "1000000");
BENCHMARK_CAPTURE(Click, PurchaseWorstFromBelow, Command::Purchase, "999", "1000", "0", "1000000");
BENCHMARK_CAPTURE(Click, RefusedNotDigits, Command::EpCost, "abc", "", "x", "1e5");
