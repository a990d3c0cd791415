// Load and save speed of the Wine registry files: a generated system.reg of
// more than 50 MB, and the files of a real prefix (KELVARO_WINE_PREFIX, as
// the Wine tests make it under build-ci/tests/wine/prefix). Peak memory is
// measured in a fresh process that loads, changes one value and saves.
//
//   wine_registry_bench [--benchmark_filter=...]

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "store/registry_handle.h"
#include "store/wine_registry_files.h"

namespace fs = std::filesystem;
using kelvaro::RegistryHandle;
using kelvaro::Root;
using kelvaro::WineRegistryFiles;

namespace {

constexpr std::size_t kGeneratedSize = 52 * 1024 * 1024;

// A system.reg shaped like Wine's: class registrations, driver keys with
// Polish strings, DWORDs and wrapped binary data, in wineserver's order.
std::string generateSystemReg() {
  std::string out = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";
  out.reserve(kGeneratedSize + (1 << 20));
  char line[512];
  for (unsigned i = 0; out.size() < kGeneratedSize / 4; ++i) {
    std::snprintf(
        line, sizeof line,
        "\n[Software\\\\Classes\\\\CLSID\\\\{%08X-0000-0000-C000-000000000046}\\\\InprocServer32] %u\n"
        "#time=1dd8896%09x\n@=\"C:\\\\windows\\\\system32\\\\biblioteka%u.dll\"\n"
        "\"ThreadingModel\"=\"Both\"\n",
        i, 1796900000 + i % 1000, i, i);
    out += line;
  }
  for (unsigned i = 0; out.size() < kGeneratedSize; ++i) {
    std::snprintf(line, sizeof line,
                  "\n[Software\\\\Kelvaro\\\\Sterowniki\\\\Urz\\x0105dzenie %06u] %u\n#time=1dd8896%09x\n"
                  "\"Nazwa\"=\"Za\\x17c\\xf3\\x142\\x107 g\\x119\\x15bl\\x105 ja\\x17a\\x144 %u\"\n"
                  "\"Licznik\"=dword:%08x\n\"Opis\"=str(2):\"%%SystemRoot%%\\\\system32\\\\%u.sys\"\n",
                  i, 1796900000 + i % 1000, i, i, i * 2654435761u, i);
    out += line;
    out += "\"Dane\"=hex:";
    for (int b = 0; b < 96; ++b) {
      std::snprintf(line, sizeof line, "%02x", (i + b * 7) & 0xFF);
      out += line;
      if (b < 95) out += (b == 21 || b == 46 || b == 71) ? ",\\\n  " : ",";
    }
    out += "\n";
  }
  return out;
}

struct Generated {
  fs::path dir;
  std::size_t size = 0;
  Generated() {
    std::string pattern = (fs::temp_directory_path() / "kelvaro-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    dir = pattern;
    const std::string text = generateSystemReg();
    size = text.size();
    std::ofstream(dir / "system.reg", std::ios::binary) << text;
    std::ofstream(dir / "user.reg", std::ios::binary)
        << "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
           "#arch=win64\n";
  }
  ~Generated() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

const Generated& generated() {
  static const Generated g;
  return g;
}

// A copy of the real prefix's registry files, so saving does not touch it.
struct RealCopy {
  fs::path dir;
  std::size_t size = 0;
  bool ok = false;
  RealCopy() {
    const char* prefix = std::getenv("KELVARO_WINE_PREFIX");
    if (!prefix || !fs::exists(fs::path(prefix) / "system.reg")) return;
    std::string pattern = (fs::temp_directory_path() / "kelvaro-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    dir = pattern;
    for (const char* name : {"system.reg", "user.reg", "userdef.reg"}) {
      fs::copy_file(fs::path(prefix) / name, dir / name);
      size += fs::file_size(dir / name);
    }
    ok = true;
  }
  ~RealCopy() {
    std::error_code ec;
    if (!dir.empty()) fs::remove_all(dir, ec);
  }
};

const RealCopy& realCopy() {
  static const RealCopy r;
  return r;
}

void load(benchmark::State& state, const fs::path& dir, std::size_t size) {
  for (auto _ : state) {
    auto files = WineRegistryFiles::open(dir);
    benchmark::DoNotOptimize(files.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// One changed value, then flush: the whole file is rendered, written, synced and renamed.
void save(benchmark::State& state, const fs::path& dir, std::size_t size, const char* key) {
  auto files = WineRegistryFiles::open(dir);
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  reg.openKey(key, true);
  int n = 0;
  for (auto _ : state) {
    reg.writeDword("Benchmark", ++n);
    files->flush();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_LoadGenerated(benchmark::State& state) { load(state, generated().dir, generated().size); }
void BM_SaveGenerated(benchmark::State& state) {
  save(state, generated().dir, generated().size,
       "Software\\Kelvaro\\Sterowniki\\Urz\xc4\x85"
       "dzenie 001000");
}
void BM_LoadRealPrefix(benchmark::State& state) {
  if (!realCopy().ok) return state.SkipWithError("KELVARO_WINE_PREFIX names no prefix");
  load(state, realCopy().dir, realCopy().size);
}
void BM_SaveRealPrefix(benchmark::State& state) {
  if (!realCopy().ok) return state.SkipWithError("KELVARO_WINE_PREFIX names no prefix");
  save(state, realCopy().dir, fs::file_size(realCopy().dir / "system.reg"), "Software\\Wine");
}

// Peak resident memory (MB) of a fresh process that loads the prefix, and
// of the same process after it changed one value and saved.
bool peakMemory(const fs::path& dir, double& afterLoad, double& afterSave) {
  int out[2];
  if (::pipe(out) != 0) return false;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::execl("/proc/self/exe", "wine_registry_bench", "--peak-memory", dir.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);
  char buffer[128] = {};
  const ssize_t n = ::read(out[0], buffer, sizeof buffer - 1);
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return n > 0 && std::sscanf(buffer, "%lf %lf", &afterLoad, &afterSave) == 2;
}

// The high-water mark of this process's resident memory, in MB. Unlike
// getrusage it starts afresh with exec.
double residentPeakMb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

int peakMemoryChild(const char* dir) {
  auto files = WineRegistryFiles::open(dir);
  const double afterLoad = residentPeakMb();
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  reg.openKey("Software\\Wine", true);
  reg.writeString("PeakMemory", "1");
  files->flush();
  std::printf("%.1f %.1f\n", afterLoad, residentPeakMb());
  return 0;
}

void BM_PeakMemory(benchmark::State& state, bool real) {
  if (real && !realCopy().ok) return state.SkipWithError("KELVARO_WINE_PREFIX names no prefix");
  const fs::path dir = real ? realCopy().dir : generated().dir;
  double afterLoad = 0, afterSave = 0;
  for (auto _ : state) {
    if (!peakMemory(dir, afterLoad, afterSave)) return state.SkipWithError("the measuring process failed");
  }
  state.counters["file_MB"] =
      static_cast<double>(real ? realCopy().size : generated().size) / (1024.0 * 1024.0);
  state.counters["peak_load_MB"] = afterLoad;
  state.counters["peak_save_MB"] = afterSave;
}

}  // namespace

BENCHMARK(BM_LoadGenerated)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_SaveGenerated)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_LoadRealPrefix)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveRealPrefix)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_PeakMemory, generated, false)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PeakMemory, real_prefix, true)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--peak-memory") == 0) return peakMemoryChild(argv[2]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
