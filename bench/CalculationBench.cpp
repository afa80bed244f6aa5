// The demand lookup against a plain binary search with double arithmetic, and the
// cost per term of long sums in the entry box.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "CalculationOutcome.h"
#include "DemandTable.h"

namespace {

using namespace ostrafel;

std::vector<double> LoadsAcrossTheTable() {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> load(1.0, 5000.0);
    std::vector<double> loads;
    for (int i = 0; i < 4096; ++i)
        loads.push_back(i % 8 == 0 ? SFUValues[i % kDemandRows] : load(random));
    return loads;
}

double BinarySearchInDoubles(double sfu) {
    if (!(sfu >= SFUValues.front() && sfu <= SFUValues.back()))
        return -1.0;
    const auto upper = std::upper_bound(SFUValues.begin(), SFUValues.end(), sfu);
    const auto row = static_cast<std::size_t>(upper - SFUValues.begin()) - 1;
    if (SFUValues[row] == sfu)
        return GPMValues[row];
    return GPMValues[row] + (sfu - SFUValues[row]) / (SFUValues[row + 1] - SFUValues[row]) *
                                (GPMValues[row + 1] - GPMValues[row]);
}

template <double (*Lookup)(double)> void BM_Lookup(benchmark::State& state) {
    const auto loads = LoadsAcrossTheTable();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Lookup(loads[i]));
        i = (i + 1) % loads.size();
    }
}
BENCHMARK(BM_Lookup<BinarySearchInDoubles>)->Name("baseline/BinarySearchInDoubles");
BENCHMARK(BM_Lookup<ConvertOstrafel>)->Name("ConvertOstrafel");

void BM_EvaluateSum(benchmark::State& state) {
    const auto terms = state.range(0);
    std::u16string entry = u"12.5";
    for (int i = 1; i < terms; ++i)
        entry += i % 2 ? u"+3,25" : u"+0.5";
    for (auto _ : state)
        benchmark::DoNotOptimize(EvaluateEntry(entry));
    state.SetItemsProcessed(state.iterations() * terms);
}
BENCHMARK(BM_EvaluateSum)->Name("EvaluateEntry/terms")->Arg(10)->Arg(10000);

} // namespace

BENCHMARK_MAIN();
