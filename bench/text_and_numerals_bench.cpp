// Speed of the commands on the equals key's path (the money reading and the
// text edits around it) and of the day count, called through the gate.
#include <benchmark/benchmark.h>

#include <string>

#include "runtime/commands/chinese_numerals.h"
#include "runtime/commands/date_commands.h"
#include "runtime/commands/text_commands.h"
#include "runtime/core/command_call.h"
#include "runtime/core/heap.h"

using namespace talv;

namespace {

void RunAndFree(Command command, TypedValue* args, int32_t count) {
  TypedValue r = InvokeCommand(command, count, args);
  benchmark::DoNotOptimize(r);
  Free(AsPointer(r));
}

void BM_ToChineseAmount(benchmark::State& state, double x) {
  TypedValue args[2] = {DoubleValue(x), BoolValue(true)};
  for (auto _ : state) RunAndFree(ToChineseAmount, args, 2);
}
BENCHMARK_CAPTURE(BM_ToChineseAmount, typical, 1234.5);
BENCHMARK_CAPTURE(BM_ToChineseAmount, longest, 9999999999999.99);

void BM_ToChineseNumerals(benchmark::State& state) {
  TypedValue args[2] = {DoubleValue(100005.25), BoolValue(true)};
  for (auto _ : state) RunAndFree(ToChineseNumerals, args, 2);
}
BENCHMARK(BM_ToChineseNumerals);

void BM_ReplaceTextMoneyEnding(benchmark::State& state) {
  TypedValue args[6] = {TextValue("一千二百三十四元整"), TextValue("元整"), Omitted(),
                        Omitted(), Omitted(), BoolValue(true)};
  for (auto _ : state) RunAndFree(ReplaceText, args, 6);
}
BENCHMARK(BM_ReplaceTextMoneyEnding);

// A 4 KB tape of GBK and ASCII, searched for a text that is not in it.
void BM_FindTextMissLongTape(benchmark::State& state) {
  std::string tape;
  while (tape.size() < 4096) tape += "五加三等于八 5+3=8\r\n";
  TypedValue args[4] = {TextValue(tape.c_str()), TextValue("角分"), Omitted(), BoolValue(true)};
  for (auto _ : state) benchmark::DoNotOptimize(InvokeCommand(FindText, 4, args));
}
BENCHMARK(BM_FindTextMissLongTape);

void BM_TimeInterval(benchmark::State& state) {
  TypedValue args[3] = {DateTimeValue(45352.5), DateTimeValue(36526.25),
                        IntValue(int32_t(state.range(0)))};
  for (auto _ : state) benchmark::DoNotOptimize(InvokeCommand(TimeInterval, 3, args));
}
BENCHMARK(BM_TimeInterval)->Arg(TimeUnit::Days)->Arg(TimeUnit::Weeks);

}  // namespace

BENCHMARK_MAIN();
