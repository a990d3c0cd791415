// The file types page's loader on a registry with 5,000 more extensions than
// the sandbox's (each with its own type key, one in ten with a ShellNew key):
// the type list built, the list filled and the selectors that show it
// refilled, as "&Odczytaj" and every removal or registration do; the list
// alone; and the New menu page's loader on the same registry.
//
//   file_types_bench [--benchmark_filter=...]   (offscreen unless QT_QPA_PLATFORM is set)

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "pages/shell/file_type_list.h"
#include "store/registry_handle.h"
#include "tools/bench/bench_sandbox.h"

namespace fs = std::filesystem;
using namespace kelvaro;

namespace {

constexpr int kExtensions = 5000;

// The sandbox with the extra extensions.
struct Sandbox : bench::BenchSandbox {
  Sandbox() : BenchSandbox("filetypes") {
    RegistryHandle reg(environment->registry());
    reg.setRoot(Root::ClassesRoot);
    char name[16];
    for (int i = 0; i < kExtensions; ++i) {
      // Mixed case and digits, in no order, as a crowded HKEY_CLASSES_ROOT is.
      std::snprintf(name, sizeof name, "%c%04d", i % 2 ? 'q' : 'Q', (i * 7919) % 10000);
      const std::string type = std::string(name) + "file";
      reg.closeKey();
      reg.openKey("\\." + std::string(name), true);
      reg.writeString("", type);
      if (i % 10 == 0) {
        reg.closeKey();
        reg.openKey("\\." + std::string(name) + "\\ShellNew", true);
        reg.writeString("NullFile", "");
      }
      reg.closeKey();
      reg.openKey("\\" + type, true);
      reg.writeString("", "Typ pliku " + std::string(name));
      reg.closeKey();
      reg.openKey("\\" + type + "\\shell\\open\\command", true);
      reg.writeString("", "C:\\WINDOWS\\NOTEPAD.EXE \"%1\"");
    }
  }
};

void pageLoad(benchmark::State& state, const char* id) {
  Sandbox sandbox;
  bench::runPageLoader(state, *sandbox.environment, id);
}

void fileTypesLoad(benchmark::State& state) { pageLoad(state, "typyplikow"); }
BENCHMARK(fileTypesLoad)->Unit(benchmark::kMillisecond);

void newMenuLoad(benchmark::State& state) { pageLoad(state, "MenuNOWY"); }
BENCHMARK(newMenuLoad)->Unit(benchmark::kMillisecond);

void typeListBuild(benchmark::State& state) {
  Sandbox sandbox;
  std::size_t types = 0;
  for (auto _ : state) types = readTypeList(sandbox.environment->registry()).size();
  state.counters["types"] = static_cast<double>(types);
}
BENCHMARK(typeListBuild)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
