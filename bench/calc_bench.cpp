// Times the calculation against what the C library would do for the same
// job, in one run, and prints each ratio (ours / baseline; below 1 is
// faster). Run: build/native/bench/calc_bench
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "calc/calc.h"

namespace {

const char* const length = "100";
const char* const cross_section = "1.5";
const char* const voltage = "12";
const char* const current = "0.5";

void compute_end_voltage_ours(benchmark::State& state) {
    for (auto _ : state) {
        std::string text = calc::compute_end_voltage(length, cross_section, voltage, current, 0.01851);
        benchmark::DoNotOptimize(text);
    }
}

// The naive job: four strtod, the formula in double, one snprintf.
void compute_end_voltage_naive(benchmark::State& state) {
    for (auto _ : state) {
        const double v = std::strtod(voltage, nullptr);
        const double i = std::strtod(current, nullptr);
        const double l = std::strtod(length, nullptr);
        const double s = std::strtod(cross_section, nullptr);
        benchmark::DoNotOptimize(s);
        char text[32];
        std::snprintf(text, sizeof text, "%.13g", v - 2 * i * 0.01851 * l / s);
        std::string result = text;
        benchmark::DoNotOptimize(result);
    }
}

const std::vector<std::string> number_texts = {"100", "1.5", "12", "0.5", "220", "0.01851", "12345.678e-3"};

void text_to_number_ours(benchmark::State& state) {
    for (auto _ : state) {
        for (const auto& text : number_texts) benchmark::DoNotOptimize(calc::text_to_number(text));
    }
}

void text_to_number_from_chars(benchmark::State& state) {
    for (auto _ : state) {
        for (const auto& text : number_texts) {
            double value = 0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            benchmark::DoNotOptimize(value);
        }
    }
}

const std::vector<double> numbers = {10.766, 10.533333333333333, -7.744, 2.842170943040401e-14, 1e100, 0.0001};

void number_to_text_ours(benchmark::State& state) {
    for (auto _ : state) {
        for (const double value : numbers) {
            std::string text = calc::number_to_text(value);
            benchmark::DoNotOptimize(text);
        }
    }
}

void number_to_text_snprintf(benchmark::State& state) {
    for (auto _ : state) {
        for (const double value : numbers) {
            char text[32];
            std::snprintf(text, sizeof text, "%.13g", value);
            std::string result = text;
            benchmark::DoNotOptimize(result);
        }
    }
}

// Long hostile texts: the time per megabyte.
void text_to_number_megabyte(benchmark::State& state) {
    std::string text;
    switch (state.range(0)) {
    case 0: text.assign(1 << 20, '7'); break;
    case 1: for (int i = 0; i < (1 << 19); ++i) text += "\xA3\xB3"; break;  // full-width digits
    case 2: text.assign(1 << 20, '\xA3'); break;                            // only lead bytes
    default: text = "1e" + std::string((1 << 20) - 2, '9'); break;          // a huge exponent
    }
    for (auto _ : state) benchmark::DoNotOptimize(calc::text_to_number(text));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

BENCHMARK(compute_end_voltage_ours);
BENCHMARK(compute_end_voltage_naive);
BENCHMARK(text_to_number_ours);
BENCHMARK(text_to_number_from_chars);
BENCHMARK(number_to_text_ours);
BENCHMARK(number_to_text_snprintf);
BENCHMARK(text_to_number_megabyte)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// Keeps each run's time per iteration so that the ratios can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const std::pair<const char*, const char*> pairs[] = {
        {"compute_end_voltage_ours", "compute_end_voltage_naive"},
        {"text_to_number_ours", "text_to_number_from_chars"},
        {"number_to_text_ours", "number_to_text_snprintf"},
    };
    for (const auto& [ours, baseline] : pairs) {
        if (!reporter.times.count(ours) || !reporter.times.count(baseline)) continue;
        std::printf("ratio %s / %s = %.2f\n", ours, baseline, reporter.times[ours] / reporter.times[baseline]);
    }
    benchmark::Shutdown();
    return 0;
}
