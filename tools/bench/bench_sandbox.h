#pragma once

// What the page benchmarks share: a sandbox made from the template in a
// temporary folder, and one page's loader run as start-up runs it.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/page_factory.h"
#include "platform/environment_factory.h"
#include "platform/linux_platform.h"
#include "platform/scripted_dialogs.h"

namespace kelvaro::bench {

struct BenchSandbox {
  explicit BenchSandbox(const std::string& name) {
    std::string pattern = (std::filesystem::temp_directory_path() / ("kelvaro-" + name + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) std::abort();
    root = pattern;
    EnvironmentOptions options;
    options.programDataFolder = KELVARO_BENCH_DATA_DIR;
    environment = openEnvironment({Environment::Kind::Sandbox, root / "sandbox"}, options);
  }
  ~BenchSandbox() {
    environment.reset();
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  std::filesystem::path root;
  std::unique_ptr<Environment> environment;
};

// One page's loader alone, in the program's window on the environment.
inline void runPageLoader(benchmark::State& state, Environment& environment, const std::string& id) {
  ScriptedDialogs dialogs;
  const LinuxPlatform services(environment, dialogs);
  AppContext app(services.platform());
  TKelvaro window(app, createPage);
  Page* page = window.page(id);
  if (!page) {
    state.SkipWithError("no such page");
    return;
  }
  for (auto _ : state) app.run([page] { page->reload(); });
  if (!dialogs.boxes().empty()) state.SkipWithError(dialogs.boxes().front().text.c_str());
}

}  // namespace kelvaro::bench
