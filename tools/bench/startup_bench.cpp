// Start-up time: the main window with its pages created and every page
// loader run, as the program does before the window shows, on a sandbox
// made from the template. "all" is the program's pages; "without/<id>"
// leaves one page out (an empty page in its place), which is what that page
// costs at start-up; KELVARO_BENCH_LEAVE_OUT="a,b,c" adds one run that leaves
// those pages out together.
//
//   startup_bench [--benchmark_filter=...]   (offscreen unless QT_QPA_PLATFORM is set)

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/page_factory.h"
#include "app/startup.h"
#include "platform/environment_factory.h"
#include "platform/environment_fonts.h"
#include "platform/linux_platform.h"
#include "platform/scripted_dialogs.h"
#include "tools/bench/bench_sandbox.h"

namespace fs = std::filesystem;
using namespace kelvaro;

namespace {

struct Sandbox : bench::BenchSandbox {
  Sandbox() : BenchSandbox("startup") {}
};

void startUp(benchmark::State& state, const std::set<std::string>& leftOut) {
  Sandbox sandbox;
  ScriptedDialogs dialogs;
  const LinuxPlatform services(*sandbox.environment, dialogs);
  StartupOptions options;
  options.programFile = "Z:\\opt\\kelvaro\\kelvaro";
  options.fileExists = [](std::string_view) { return true; };
  options.pageFactory = [leftOut](AppContext& app, const PageInfo& info, QWidget* parent) -> Page* {
    return leftOut.contains(info.id) ? nullptr : createPage(app, info, parent);
  };
  for (auto _ : state) {
    AppContext app(services.platform());
    Startup startup(app, options);
    std::unique_ptr<TKelvaro> window = startup.run();
    benchmark::DoNotOptimize(window.get());
  }
  if (!dialogs.boxes().empty()) state.SkipWithError(dialogs.boxes().front().text.c_str());
}

// One page's loader alone, as start-up runs it.
void pageLoader(benchmark::State& state, const std::string& id) {
  Sandbox sandbox;
  bench::runPageLoader(state, *sandbox.environment, id);
}

// One page's making, as the window makes it before any loader runs.
void pageCreation(benchmark::State& state, const std::string& id) {
  Sandbox sandbox;
  ScriptedDialogs dialogs;
  const LinuxPlatform services(*sandbox.environment, dialogs);
  AppContext app(services.platform());
  const int index = pageIndex(id);
  if (index < 0) {
    state.SkipWithError("no such page");
    return;
  }
  const PageInfo& info = pageCatalog()[static_cast<std::size_t>(index)];
  for (auto _ : state) {
    QWidget parent;
    benchmark::DoNotOptimize(createPage(app, info, &parent));
  }
}

// The context menu page's loader with a type list of N registered types
// offered, as the file types page offers it: the selector is filled from it.
void contextMenuSelector(benchmark::State& state) {
  Sandbox sandbox;
  ScriptedDialogs dialogs;
  const LinuxPlatform services(*sandbox.environment, dialogs);
  AppContext app(services.platform());
  TKelvaro window(app, createPage);
  std::vector<FileTypeEntry> types;
  for (int i = 0; i < state.range(0); ++i)
    types.push_back({"E" + std::to_string(i), "type" + std::to_string(i), "Opis typu " + std::to_string(i)});
  app.frame().offerTypeList([types] { return types; });
  Page* page = window.page("menukontekstowe");
  for (auto _ : state) app.run([page] { page->reload(); });
}
BENCHMARK(contextMenuSelector)->Arg(5000)->Unit(benchmark::kMillisecond);

// The font families of the sandbox, listed afresh (what the fonts page asks
// for once, when the window is made).
void fontFamilies(benchmark::State& state) {
  Sandbox sandbox;
  for (auto _ : state) {
    EnvironmentFonts fonts(*sandbox.environment);
    benchmark::DoNotOptimize(fonts.families());
  }
}
BENCHMARK(fontFamilies)->Unit(benchmark::kMicrosecond);

// The pages built on the page toolkit so far.
const char* const kPages[] = {"ograniczenia",
                              "foldery",
                              "czcionki",
                              "kursory",
                              "dzwieki",
                              "AutoRUN",
                              "ustawienia",
                              "dodajusun",
                              "SystemNT",
                              "logo",
                              "OEM",
                              "ikony",
                              "pliki",
                              "typyplikow",
                              "MenuNOWY",
                              "IkonyFolderow",
                              "internet",
                              "Siec",
                              "SendTo",
                              "Doki",
                              "SzybkieUruchamianie",
                              "UlubionePage2",
                              "UkryjFolder",
                              "skroty",
                              "kolory",
                              "pulpit",
                              "Nazwy",
                              "podpowiedzi",
                              "menustart",
                              "triki",
                              "explorer2",
                              "menukontekstowe",
                              "Menu"};

void registerBenchmarks() {
  for (const char* id : kPages) {
    benchmark::RegisterBenchmark((std::string("pageLoader/") + id).c_str(), pageLoader, std::string(id))
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("pageCreation/") + id).c_str(), pageCreation, std::string(id))
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("startUp/all", startUp, std::set<std::string>{})
      ->Unit(benchmark::kMillisecond);
  for (const char* id : kPages) {
    benchmark::RegisterBenchmark((std::string("startUp/without_") + id).c_str(), startUp,
                                 std::set<std::string>{id})
        ->Unit(benchmark::kMillisecond);
  }
  if (const char* list = ::getenv("KELVARO_BENCH_LEAVE_OUT"); list && *list) {
    std::set<std::string> ids;
    std::string rest = list;
    for (std::size_t comma; (comma = rest.find(',')) != std::string::npos; rest.erase(0, comma + 1))
      ids.insert(rest.substr(0, comma));
    ids.insert(rest);
    benchmark::RegisterBenchmark((std::string("startUp/without_") + list).c_str(), startUp, ids)
        ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  registerBenchmarks();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
