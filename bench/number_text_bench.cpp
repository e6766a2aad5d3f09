// Number text against the C library on the same inputs: DoubleToText
// against snprintf("%.13g"), TextToNumber against strtod, for a fixed set of
// random doubles of mixed magnitudes and for typical calculator values; and
// the commands ToText / ToNumber with their result block. Each iteration is
// one call; a summary after the run gives the ratios ours / C library.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "runtime/commands/conversion.h"
#include "runtime/commands/number_text.h"
#include "runtime/core/command_call.h"
#include "runtime/core/heap.h"

namespace {

using namespace talv;

constexpr size_t kSetSize = 1024;  // a power of two: index & (size - 1)

const std::vector<double>& MixedDoubles() {
  static const std::vector<double> set = [] {
    std::mt19937_64 rng(12345);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> power(-20, 20);
    std::vector<double> v;
    for (size_t i = 0; i < kSetSize; ++i) {
      v.push_back((rng() & 1 ? -1 : 1) * mantissa(rng) * std::pow(10.0, power(rng)));
    }
    return v;
  }();
  return set;
}

const std::vector<double>& CalculatorDoubles() {
  static const std::vector<double> set = [] {
    const double values[] = {8, 0.5, 1234.5, 3.14159265359, -2.5, 1e-5, 100, 0.1 + 0.2};
    std::vector<double> v;
    for (size_t i = 0; i < kSetSize; ++i) v.push_back(values[i % (sizeof values / sizeof *values)]);
    return v;
  }();
  return set;
}

// 17-digit texts of the mixed set ("-1.2345678901234567e-05").
const std::vector<std::string>& SeventeenDigitTexts() {
  static const std::vector<std::string> set = [] {
    std::vector<std::string> v;
    for (double d : MixedDoubles()) {
      char buf[40];
      auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific, 16);
      v.emplace_back(buf, r.ptr);
    }
    return v;
  }();
  return set;
}

const std::vector<std::string>& CalculatorTexts() {
  static const std::vector<std::string> set = [] {
    const char* texts[] = {"8", "0.5", "1234.5", "3.14159265359", "-2.5", "1e-005", "100", "0.3"};
    std::vector<std::string> v;
    for (size_t i = 0; i < kSetSize; ++i) v.push_back(texts[i % (sizeof texts / sizeof *texts)]);
    return v;
  }();
  return set;
}

template <const std::vector<double>& (*Set)()>
void BM_DoubleToText(benchmark::State& state) {
  const std::vector<double>& set = Set();
  char buf[kNumberTextCapacity];
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DoubleToText(set[i++ & (kSetSize - 1)], buf));
    benchmark::ClobberMemory();
  }
}

template <const std::vector<double>& (*Set)()>
void BM_Snprintf13g(benchmark::State& state) {
  const std::vector<double>& set = Set();
  char buf[kNumberTextCapacity];
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::snprintf(buf, sizeof buf, "%.13g", set[i++ & (kSetSize - 1)]));
    benchmark::ClobberMemory();
  }
}

template <const std::vector<double>& (*Set)()>
void BM_ToTextCommand(benchmark::State& state) {
  const std::vector<double>& set = Set();
  size_t i = 0;
  for (auto _ : state) {
    TypedValue arg = DoubleValue(set[i++ & (kSetSize - 1)]);
    TypedValue r = InvokeCommand(ToText, 1, &arg);
    Free(AsPointer(r));
  }
}

template <const std::vector<std::string>& (*Set)()>
void BM_TextToNumber(benchmark::State& state) {
  const std::vector<std::string>& set = Set();
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(TextToNumber(set[i++ & (kSetSize - 1)].c_str()));
}

template <const std::vector<std::string>& (*Set)()>
void BM_Strtod(benchmark::State& state) {
  const std::vector<std::string>& set = Set();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtod(set[i++ & (kSetSize - 1)].c_str(), nullptr));
  }
}

template <const std::vector<std::string>& (*Set)()>
void BM_ToNumberCommand(benchmark::State& state) {
  const std::vector<std::string>& set = Set();
  size_t i = 0;
  for (auto _ : state) {
    TypedValue arg = TextValue(set[i++ & (kSetSize - 1)].c_str());
    benchmark::DoNotOptimize(InvokeCommand(ToNumber, 1, &arg));
  }
}

BENCHMARK(BM_DoubleToText<MixedDoubles>)->Name("DoubleToText/mixed");
BENCHMARK(BM_Snprintf13g<MixedDoubles>)->Name("snprintf_13g/mixed");
BENCHMARK(BM_ToTextCommand<MixedDoubles>)->Name("ToText_command/mixed");
BENCHMARK(BM_DoubleToText<CalculatorDoubles>)->Name("DoubleToText/calculator");
BENCHMARK(BM_Snprintf13g<CalculatorDoubles>)->Name("snprintf_13g/calculator");
BENCHMARK(BM_ToTextCommand<CalculatorDoubles>)->Name("ToText_command/calculator");
BENCHMARK(BM_TextToNumber<SeventeenDigitTexts>)->Name("TextToNumber/17digits");
BENCHMARK(BM_Strtod<SeventeenDigitTexts>)->Name("strtod/17digits");
BENCHMARK(BM_ToNumberCommand<SeventeenDigitTexts>)->Name("ToNumber_command/17digits");
BENCHMARK(BM_TextToNumber<CalculatorTexts>)->Name("TextToNumber/calculator");
BENCHMARK(BM_Strtod<CalculatorTexts>)->Name("strtod/calculator");
BENCHMARK(BM_ToNumberCommand<CalculatorTexts>)->Name("ToNumber_command/calculator");

// The console output plus a closing table of ours / C library, per input set.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (!run.error_occurred) ns_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nratio (ns per call, ours / C library):\n");
    Ratio("DoubleToText/mixed", "snprintf_13g/mixed");
    Ratio("ToText_command/mixed", "snprintf_13g/mixed");
    Ratio("DoubleToText/calculator", "snprintf_13g/calculator");
    Ratio("ToText_command/calculator", "snprintf_13g/calculator");
    Ratio("TextToNumber/17digits", "strtod/17digits");
    Ratio("ToNumber_command/17digits", "strtod/17digits");
    Ratio("TextToNumber/calculator", "strtod/calculator");
    Ratio("ToNumber_command/calculator", "strtod/calculator");
  }

 private:
  void Ratio(const std::string& ours, const std::string& theirs) {
    auto a = ns_.find(ours);
    auto b = ns_.find(theirs);
    if (a == ns_.end() || b == ns_.end() || b->second <= 0) return;
    std::printf("  %-28s %7.1f ns  vs %-24s %7.1f ns  = %.2fx\n", ours.c_str(), a->second,
                theirs.c_str(), b->second, a->second / b->second);
  }
  std::map<std::string, double> ns_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
