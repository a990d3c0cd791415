// Kelvaro's first start on the drawn template: the sandbox it makes, what the
// pages then see, and a damaged sandbox made anew.
#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>

#include "platform/environment_factory.h"
#include "platform/file_system.h"
#include "platform/sandbox_repair.h"
#include "store/registry_handle.h"
#include "store/store_error.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

class SandboxOnTemplate : public ::testing::Test {
 protected:
  void SetUp() override {
    home = fs::temp_directory_path() / ("kelvaro-sandbox-env-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(home);
    fs::create_directories(home);
    sandbox = home / "kelvaro" / "sandbox";
  }
  void TearDown() override { fs::remove_all(home); }
  std::unique_ptr<Environment> open(Environment::Kind kind = Environment::Kind::Sandbox) {
    EnvironmentOptions options;
    options.programDataFolder = KELVARO_DATA_DIR;
    return openEnvironment({kind, kind == Environment::Kind::Sandbox ? sandbox : prefix}, options);
  }
  static std::string value(Environment& environment, Root root, const std::string& key,
                           const std::string& name) {
    RegistryHandle handle(environment.registry());
    handle.setRoot(root);
    if (!handle.openKey(key, false)) return "(no key)";
    return handle.readString(name);
  }
  fs::path home, sandbox, prefix;
};

TEST_F(SandboxOnTemplate, FirstStartGivesAPolishWindows98SecondEdition) {
  auto environment = open();
  EXPECT_EQ(windowsVersionName(environment->version()), "Windows 98 SE");
  EXPECT_EQ(environment->windowsDirectory(), "C:\\WINDOWS");
  EXPECT_EQ(environment->documentsDirectory(), "C:\\Moje dokumenty\\");
  EXPECT_EQ(value(*environment, Root::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion",
                  "ProductName"),
            "Microsoft Windows 98");
  EXPECT_EQ(value(*environment, Root::ClassesRoot, "\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}", ""),
            "Kosz");
  FileSystem& files = environment->files();
  EXPECT_TRUE(files.fileExists("C:\\WINDOWS\\SYSTEM\\Shell32.dll"));
  EXPECT_TRUE(files.fileExists("C:\\logo.sys"));
  EXPECT_TRUE(files.directoryExists("C:\\WINDOWS\\Menu Start\\Programy\\Akcesoria"));
  EXPECT_FALSE(files.listDirectory("C:\\WINDOWS\\Recent", "*.*").empty());
  const auto systemIni = files.readFile("C:\\WINDOWS\\SYSTEM.INI");
  ASSERT_TRUE(systemIni.has_value());
  EXPECT_NE(systemIni->find("shell=Explorer.exe\r\n"), std::string::npos);
  // The program's own folder, seen through drive Z:, holds the logo schemes.
  const std::string program = environment->programDirectory();
  ASSERT_FALSE(program.empty());
  EXPECT_TRUE(files.fileExists(program + "\\Logo\\LogoWin\\Win98Logo.bmp"));
  EXPECT_TRUE(files.fileExists(program + "\\Logo\\logowin\\ZagłobaLogo.bmp"));
  EXPECT_TRUE(files.directoryExists(program + "\\Kursory"));
  // A change is kept in the sandbox's registry files, not in the template.
  {
    RegistryHandle handle(environment->registry());
    handle.setRoot(Root::CurrentUser);
    ASSERT_TRUE(handle.openKey("\\Control Panel\\desktop", false));
    handle.writeString("Wallpaper", "");
    environment->flush();
  }
  auto again = open();
  EXPECT_EQ(value(*again, Root::CurrentUser, "\\Control Panel\\desktop", "Wallpaper"), "");
  EXPECT_FALSE(fs::exists(sandbox.parent_path() / "sandbox.damaged-1"));
}

TEST_F(SandboxOnTemplate, ADamagedSandboxIsSetAsideAndMadeAnew) {
  open();
  std::ofstream(sandbox / "drive_c" / "Moje dokumenty" / "mine.txt") << "keep me";
  fs::resize_file(sandbox / "user.reg", 10);
  auto environment = open();
  EXPECT_EQ(value(*environment, Root::CurrentUser, "\\Control Panel\\desktop", "Wallpaper"),
            "C:\\WINDOWS\\Chmury.bmp");
  const fs::path aside = sandbox.parent_path() / "sandbox.damaged-1";
  EXPECT_TRUE(fs::exists(aside / "drive_c" / "Moje dokumenty" / "mine.txt"));
  EXPECT_FALSE(fs::exists(sandbox / "drive_c" / "Moje dokumenty" / "mine.txt"));
}

TEST_F(SandboxOnTemplate, AnAbandonedHalfMadeSandboxIsCleanedUp) {
  const fs::path half = sandbox.parent_path() / ".sandbox-new-Xy12Ab";
  fs::create_directories(half / "drive_c");
  fs::last_write_time(half, fs::file_time_type::clock::now() - std::chrono::hours(2));
  open();
  EXPECT_FALSE(fs::exists(half));
  EXPECT_TRUE(fs::exists(sandbox / kSandboxMarkFile));
}

// A Wine prefix of the user's is never replaced, even when it looks damaged
// and even when it is where the sandbox would be.
TEST_F(SandboxOnTemplate, APrefixWithoutTheMarkIsNeverReplaced) {
  prefix = home / "wine";
  fs::create_directories(prefix / "dosdevices");
  fs::create_directories(prefix / "drive_c");
  std::ofstream(prefix / "user.reg") << "WINE REGISTRY Version 2\n";
  EXPECT_THROW(open(Environment::Kind::WinePrefix), StoreError);
  EXPECT_TRUE(fs::exists(prefix / "user.reg"));
  fs::create_directories(sandbox.parent_path());
  fs::rename(prefix, sandbox);
  EXPECT_THROW(open(), StoreError);
  EXPECT_TRUE(fs::exists(sandbox / "user.reg"));
  EXPECT_FALSE(fs::exists(sandbox.parent_path() / "sandbox.damaged-1"));
}

}  // namespace
}  // namespace kelvaro
