// The cost of saving the tape with every step, on a 1 MiB tape (about
// 50,000 lines): the usual step, which appends its line to an unchanged
// file; the step after another instance saved, which reads, merges and
// replaces the whole file; and, for comparison, replacing the whole file as
// a save at close did.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/file_system.h"
#include "app/tape_store.h"

using namespace talv::app;

namespace {

namespace fs = std::filesystem;

struct Folder {
  Folder() {
    root = fs::temp_directory_path() / ("talv_bench_" + std::to_string(std::random_device{}()));
    fs::create_directories(root);
    places.beside = (root / "steps.txt").string();
    places.beside_backup = (root / "steps.bak").string();
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  fs::path root;
  TapePlaces places;
};

std::string MebibyteTape() {
  std::string tape;
  for (int i = 0; tape.size() < (1u << 20); ++i)
    tape += std::to_string(i) + "+" + std::to_string(i % 97) + "=" + std::to_string(i + i % 97) + "\r\n";
  return tape;
}

void BM_StepOnAMebibyteTape(benchmark::State& state) {
  Folder folder;
  std::string tape = MebibyteTape();
  std::ofstream(folder.places.beside, std::ios::binary) << tape;
  TapeStore store;
  store.Shown(store.Load(folder.places));
  for (auto _ : state) {
    tape += "5+3=8\r\n";
    benchmark::DoNotOptimize(store.Save(folder.places, tape));
  }
  state.SetLabel(std::to_string(fs::file_size(folder.places.beside) >> 10) + " KiB at the end");
}
BENCHMARK(BM_StepOnAMebibyteTape)->Unit(benchmark::kMicrosecond);

void BM_StepAfterAnotherInstanceSaved(benchmark::State& state) {
  Folder folder;
  std::string tape = MebibyteTape();
  std::ofstream(folder.places.beside, std::ios::binary) << tape;
  TapeStore mine, other;
  mine.Shown(mine.Load(folder.places));
  std::string theirs = tape;
  other.Shown(other.Load(folder.places));
  for (auto _ : state) {
    theirs += "1+1=2\r\n";
    TapeStore::Saved s = other.Save(folder.places, theirs);
    if (s.show) other.Shown(theirs = s.bytes);
    tape += "5+3=8\r\n";
    TapeStore::Saved m = mine.Save(folder.places, tape);
    if (m.show) mine.Shown(tape = m.bytes);
  }
}
BENCHMARK(BM_StepAfterAnotherInstanceSaved)->Unit(benchmark::kMicrosecond);

void BM_ReplaceTheWholeMebibyteFile(benchmark::State& state) {
  Folder folder;
  const std::string tape = MebibyteTape();
  for (auto _ : state)
    benchmark::DoNotOptimize(ReplaceFileContents(folder.places.beside.c_str(), tape.data(), tape.size()));
}
BENCHMARK(BM_ReplaceTheWholeMebibyteFile)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
