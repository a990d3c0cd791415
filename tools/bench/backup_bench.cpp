// What a run's backup costs against cp: a system.reg of 50 MB kept before its
// first change (copied in the kernel, flushed, hashed, named in the manifest),
// next to `cp` of the same file and `cp` followed by a sync of the copy.
//
//   backup_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/run_backup.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kSize = 50 * 1024 * 1024;

struct Scratch {
  fs::path dir;
  fs::path systemReg;
  Scratch() {
    std::string pattern = (fs::temp_directory_path() / "kelvaro-backup-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    dir = pattern;
    systemReg = dir / "system.reg";
    std::ofstream out(systemReg, std::ios::binary);
    std::string text =
        "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";
    char line[256];
    for (unsigned i = 0; text.size() < kSize; ++i) {
      std::snprintf(line, sizeof line,
                    "\n[Software\\\\Classes\\\\CLSID\\\\{%08X-0000-0000-C000-000000000046}] 1700000000\n"
                    "#time=1d9a1b2c3d4e5f6\n@=\"Sterownik %u\"\n\"ThreadingModel\"=\"Both\"\n",
                    i, i);
      text += line;
    }
    text.resize(kSize);
    out << text;
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

Scratch& scratch() {
  static Scratch s;
  return s;
}

void run(const std::string& command) {
  if (std::system(command.c_str()) != 0) std::abort();
}

// The copy made by a shell command, `then` run on the copy afterwards
// ("" or a flush to disk), timed as a whole.
void BM_Cp(benchmark::State& state, const std::string& then) {
  const fs::path copy = scratch().dir / "copy.reg";
  std::string command = "cp '" + scratch().systemReg.string() + "' '" + copy.string() + "'";
  if (!then.empty()) command += " && " + then + " '" + copy.string() + "'";
  for (auto _ : state) {
    run(command);
    state.PauseTiming();
    fs::remove(copy);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK_CAPTURE(BM_Cp, plain, std::string())->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Cp, then_sync, std::string("sync"))->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RunBackup(benchmark::State& state) {
  const fs::path folder = scratch().dir / "backups";
  for (auto _ : state) {
    kelvaro::RunBackup backup({.environmentFolder = folder, .prefixDirectory = scratch().dir});
    backup.beforeChange(scratch().systemReg, "");
    state.PauseTiming();
    fs::remove_all(folder);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(BM_RunBackup)->Unit(benchmark::kMillisecond)->UseRealTime();

// The hash alone, to tell its share.
void BM_Sha256(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(kelvaro::fileSha256(scratch().systemReg));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSize));
}
BENCHMARK(BM_Sha256)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
