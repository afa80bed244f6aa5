// Number reading and writing against the standard library's conversions on the same
// numbers: std::from_chars for TryStrToFloat, std::to_chars (shortest, and fixed with two
// decimals) plus the UTF-16 text for FloatToStr and FormatFloat.
#include <charconv>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "NumberReading.h"
#include "NumberWriting.h"
#include "RatioReporter.h"

namespace {

using namespace ostrafel;

// Texts as the entry box holds them; the baseline reads the same number with ".".
struct ReadSample {
    const char* Name;
    std::u16string_view Text;
    char16_t Separator;
    std::string_view BaselineText;
};
constexpr ReadSample kReadSamples[] = {
    {"22", u"22", u'.', "22"},
    {"1234.5", u"1234.5", u'.', "1234.5"},
    {"12,5", u"12,5", u',', "12.5"},
    {"2.5E-1", u"2.5E-1", u'.', "2.5E-1"},
};

void ReadOurs(benchmark::State& state, const ReadSample& sample) {
    TFormatSettings settings = TFormatSettings::Invariant();
    settings.DecimalSeparator = sample.Separator;
    double value = 0;
    for (auto _ : state) {
        std::u16string_view text = sample.Text;
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(TryStrToFloat(text, value, settings));
        benchmark::DoNotOptimize(value);
    }
}

void ReadBaseline(benchmark::State& state, const ReadSample& sample) {
    double value = 0;
    for (auto _ : state) {
        std::string_view text = sample.BaselineText;
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(std::from_chars(text.data(), text.data() + text.size(), value));
        benchmark::DoNotOptimize(value);
    }
}

// Typical demands and loads as the result box shows them.
constexpr double kWriteSamples[] = {20.36, 237.016, 3.125, 460.232};

template <class Write> void WriteEach(benchmark::State& state, Write write) {
    std::size_t i = 0;
    for (auto _ : state) {
        double x = kWriteSamples[i++ % std::size(kWriteSamples)];
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(write(x));
    }
}

std::u16string Widen(const char* first, const char* last) {
    return std::u16string(first, last);
}

void Register() {
    for (const ReadSample& sample : kReadSamples) {
        const std::string name = std::string("TryStrToFloat/") + sample.Name;
        benchmark::RegisterBenchmark(name.c_str(), ReadOurs, sample);
        benchmark::RegisterBenchmark(("baseline/" + name).c_str(), ReadBaseline, sample);
    }
    const TFormatSettings invariant = TFormatSettings::Invariant();
    benchmark::RegisterBenchmark("FloatToStr", [=](benchmark::State& state) {
        WriteEach(state, [&](double x) { return FloatToStr(x, invariant); });
    });
    benchmark::RegisterBenchmark("baseline/FloatToStr", [](benchmark::State& state) {
        WriteEach(state, [](double x) {
            char buffer[32];
            return Widen(buffer, std::to_chars(buffer, buffer + sizeof buffer, x).ptr);
        });
    });
    benchmark::RegisterBenchmark("FormatFloat", [=](benchmark::State& state) {
        WriteEach(state, [&](double x) { return FormatFloat(u"0.00", x, invariant); });
    });
    benchmark::RegisterBenchmark("baseline/FormatFloat", [](benchmark::State& state) {
        WriteEach(state, [](double x) {
            char buffer[32];
            const auto end =
                std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, 2).ptr;
            return Widen(buffer, end);
        });
    });
}

const bool registered = (Register(), true);

} // namespace

OSTRAFEL_BENCHMARK_MAIN_WITH_RATIOS()
