#pragma once

#include <functional>
#include <stdexcept>

#include "platform/environment.h"
#include "store/registry_tree.h"
#include "store/store_error.h"

namespace kelvaro::testing {

// A Registry in memory whose writes can be refused, as a real backend refuses
// them while something else owns the files.
class RefusingMemoryRegistry : public MemoryRegistry {
 public:
  void checkWritable() override {
    if (refuseWrites) throw StoreError(refusal);
  }
  bool refuseWrites = false;
  std::string refusal = "Rejestr jest zablokowany";
};

// An environment for tests: a registry in memory, a Polish Windows 98 SE
// version record, and a count of flushes.
class TestEnvironment : public Environment {
 public:
  Kind kind() const override { return Kind::Sandbox; }
  std::filesystem::path prefixDirectory() const override { return {}; }
  Registry& registry() override { return memory; }
  void flush() override {
    ++flushes;
    if (onFlush) onFlush();
  }
  std::string windowsDirectory() const override { return "C:\\WINDOWS"; }
  std::string systemDirectory() const override { return "C:\\WINDOWS\\SYSTEM"; }
  std::string documentsDirectory() const override { return "C:\\Moje dokumenty\\"; }
  std::string ansiCodePage() const override { return "CP1250"; }
  std::optional<VersionInfo> version() const override { return versionRecord; }
  std::string programDirectory() const override { return "Z:\\opt\\kelvaro"; }
  FileSystem& files() override { throw std::logic_error("this test environment has no file system"); }

  RefusingMemoryRegistry memory;
  std::optional<VersionInfo> versionRecord = VersionInfo{1, 4, 10, " A "};
  int flushes = 0;
  std::function<void()> onFlush;
};

}  // namespace kelvaro::testing
