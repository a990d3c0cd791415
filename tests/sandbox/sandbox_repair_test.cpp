#include "platform/sandbox_repair.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "store/store_error.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

class SandboxRepair : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("kelvaro-repair-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root);
    sandbox = root / "sandbox";
  }
  void TearDown() override { fs::remove_all(root); }

  static void write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
  }
  // A whole sandbox as the template makes it.
  void makeSandbox(const fs::path& at, bool marked = true) {
    write(at / "system.reg", "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n");
    write(at / "user.reg",
          "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n");
    fs::create_directories(at / "dosdevices");
    fs::create_directories(at / "drive_c" / "WINDOWS" / "SYSTEM");
    if (marked) write(at / kSandboxMarkFile, "");
  }
  fs::path root, sandbox;
};

struct Damage {
  const char* name;
  std::function<void(const fs::path&)> harm;
  bool damaged;
};

TEST_F(SandboxRepair, TellsADamagedSandboxFromAWholeOne) {
  const Damage cases[] = {
      {"whole", [](const fs::path&) {}, false},
      {"no system.reg", [](const fs::path& p) { fs::remove(p / "system.reg"); }, true},
      {"user.reg cut short",
       [](const fs::path& p) { std::ofstream(p / "user.reg", std::ios::trunc) << "WINE REG"; }, true},
      {"no dosdevices", [](const fs::path& p) { fs::remove_all(p / "dosdevices"); }, true},
      {"no C:\\WINDOWS\\SYSTEM", [](const fs::path& p) { fs::remove_all(p / "drive_c" / "WINDOWS"); }, true},
  };
  for (const Damage& c : cases) {
    fs::remove_all(sandbox);
    makeSandbox(sandbox);
    c.harm(sandbox);
    EXPECT_EQ(!sandboxDamage(sandbox).empty(), c.damaged) << c.name << ": " << sandboxDamage(sandbox);
  }
}

// A prefix without the mark may be the user's own: it is never called damaged.
TEST_F(SandboxRepair, LeavesAPrefixWithoutTheMarkAlone) {
  makeSandbox(sandbox, false);
  fs::remove(sandbox / "system.reg");
  EXPECT_EQ(sandboxDamage(sandbox), "");
  EXPECT_EQ(sandboxDamage(root / "missing"), "");
}

TEST_F(SandboxRepair, MovesDamagedSandboxesAsideWithoutLosingThem) {
  makeSandbox(sandbox);
  write(sandbox / "drive_c" / "Moje dokumenty" / "list.txt", "mine");
  const fs::path first = setAsideDamagedSandbox(sandbox);
  EXPECT_FALSE(fs::exists(sandbox));
  EXPECT_EQ(first, root / "sandbox.damaged-1");
  EXPECT_TRUE(fs::exists(first / "drive_c" / "Moje dokumenty" / "list.txt"));
  makeSandbox(sandbox);
  EXPECT_EQ(setAsideDamagedSandbox(sandbox), root / "sandbox.damaged-2");
  EXPECT_THROW(setAsideDamagedSandbox(root / "missing"), StoreError);
}

TEST_F(SandboxRepair, RemovesOnlyHalfMadeSandboxesThatWereAbandoned) {
  const fs::path old = root / ".sandbox-new-abc123", fresh = root / ".sandbox-new-def456",
                 other = root / ".other-new-abc123";
  for (const fs::path& p : {old, fresh, other}) makeSandbox(p);
  fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::hours(1));
  fs::last_write_time(other, fs::file_time_type::clock::now() - std::chrono::hours(1));
  // A link with the pattern's name is not followed into what it points at.
  fs::create_directory_symlink(other, root / ".sandbox-new-link");
  fs::last_write_time(root / ".sandbox-new-link", fs::file_time_type::clock::now() - std::chrono::hours(1));
  removeAbandonedSandboxes(sandbox);
  EXPECT_FALSE(fs::exists(old));
  EXPECT_TRUE(fs::exists(fresh));
  EXPECT_TRUE(fs::exists(other / "system.reg"));
  EXPECT_TRUE(fs::is_symlink(root / ".sandbox-new-link"));
}

}  // namespace
}  // namespace kelvaro
