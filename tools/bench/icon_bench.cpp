// Listing the icons of a library as the icon picker does, and extracting
// every icon group in full. The libraries: one of 400 icon groups made here
// (each group 48 x 48 8-bit, 32 x 32 and 16 x 16 4-bit, as libraries of
// Windows 9x hold them), and Wine's shell32.dll unless
// KELVARO_BENCH_ICON_LIBRARY names another file.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "platform/formats/file_bytes.h"
#include "platform/formats/icon_extractor.h"
#include "platform/linux_icons.h"
#include "store/registry_tree.h"
#include "tools/sandbox/icon_art.h"
#include "tools/sandbox/icon_file_writer.h"
#include "tools/sandbox/pe_module_writer.h"

namespace fs = std::filesystem;

namespace {

constexpr int kGroups = 400;

std::filesystem::path wineLibrary() {
  if (const char* path = std::getenv("KELVARO_BENCH_ICON_LIBRARY"); path && *path) return path;
  return "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll";
}

// A library of kGroups icon groups in a temporary folder.
const fs::path& largeLibrary() {
  static const fs::path path = [] {
    using namespace kelvaro::sandbox;
    std::vector<IconGroupData> groups;
    const char* motifs[] = {"folder", "document", "computer", "printer", "harddisk", "globe"};
    for (int i = 0; i < kGroups; ++i) {
      const QString motif = QString::fromLatin1(motifs[i % 6]);
      IconGroupData group;
      group.id = static_cast<std::uint16_t>(i + 1);
      group.images = {makeIconImage(drawIcon(motif, 48), 8), makeIconImage(drawIcon(motif, 32), 4),
                      makeIconImage(drawIcon(motif, 16), 4)};
      groups.push_back(std::move(group));
    }
    const std::vector<std::uint8_t> bytes = writePeModule(ModuleKind::Library, groups);
    const fs::path file = fs::temp_directory_path() / "kelvaro-bench-icons.dll";
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file;
  }();
  return path;
}

// The icon service on one host file, named C:\LIB.DLL.
struct Service {
  explicit Service(const fs::path& file)
      : icons(registry, [file](std::string_view) { return std::optional<fs::path>(file); },
              {"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\Program Files"}) {}
  kelvaro::MemoryRegistry registry;
  kelvaro::LinuxIcons icons;
};

// What the picker asks for when a file is selected: every 32 x 32 picture.
void pickerListing(benchmark::State& state, const fs::path& file) {
  Service service(file);
  for (auto _ : state) {
    const std::vector<QImage> icons = service.icons.largeIcons("C:\\LIB.DLL");
    benchmark::DoNotOptimize(icons.data());
    state.counters["icons"] = static_cast<double>(icons.size());
  }
}

// Every icon with both its sizes (what listing cost before the picker asked
// for the large pictures only).
void allIcons(benchmark::State& state, const fs::path& file) {
  Service service(file);
  for (auto _ : state) {
    const std::vector<kelvaro::Icon> icons = service.icons.allIcons("C:\\LIB.DLL");
    benchmark::DoNotOptimize(icons.data());
    state.counters["icons"] = static_cast<double>(icons.size());
  }
}

void countGroups(benchmark::State& state, const fs::path& file) {
  for (auto _ : state) {
    const kelvaro::formats::FileBytes bytes(file);
    const kelvaro::formats::IconExtractor extractor(bytes.view());
    benchmark::DoNotOptimize(extractor.count());
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);  // the icon art draws with QPainter
  const fs::path wine = wineLibrary();
  const fs::path large = largeLibrary();
  benchmark::RegisterBenchmark("pickerListing/400groups", pickerListing, large)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("allIcons/400groups", allIcons, large)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("countGroups/400groups", countGroups, large)->Unit(benchmark::kMicrosecond);
  if (fs::exists(wine)) {
    benchmark::RegisterBenchmark("pickerListing/wineShell32", pickerListing, wine)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("allIcons/wineShell32", allIcons, wine)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("countGroups/wineShell32", countGroups, wine)->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove(large, ec);
  return 0;
}
