// Icon extraction for every icon group of a large icon library, as the icon
// picker lists them. The library is Wine's shell32.dll (184 groups) unless
// KELVARO_BENCH_ICON_LIBRARY names another file.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include <benchmark/benchmark.h>

#include "platform/formats/file_bytes.h"
#include "platform/formats/icon_extractor.h"

namespace {

std::filesystem::path library() {
  if (const char* path = std::getenv("KELVARO_BENCH_ICON_LIBRARY"); path && *path) return path;
  return "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
}

void extractAllGroups(benchmark::State& state) {
  const std::filesystem::path path = library();
  for (auto _ : state) {
    const kelvaro::formats::FileBytes bytes(path);
    if (!bytes.isOpen()) {
      state.SkipWithError(("cannot read " + path.string()).c_str());
      return;
    }
    const kelvaro::formats::IconExtractor extractor(bytes.view());
    const auto icons = extractor.all();
    benchmark::DoNotOptimize(icons.data());
    state.counters["groups"] = static_cast<double>(icons.size());
  }
}
BENCHMARK(extractAllGroups)->Unit(benchmark::kMillisecond);

void countGroups(benchmark::State& state) {
  const std::filesystem::path path = library();
  for (auto _ : state) {
    const kelvaro::formats::FileBytes bytes(path);
    const kelvaro::formats::IconExtractor extractor(bytes.view());
    benchmark::DoNotOptimize(extractor.count());
  }
}
BENCHMARK(countGroups)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
