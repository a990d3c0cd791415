#include "tools/sandbox/registry_text.h"

#include <gtest/gtest.h>

#include <array>

#include "store/registry_handle.h"

namespace kelvaro::sandbox {
namespace {

class RegistryTextTest : public ::testing::Test {
 protected:
  RegistryHandle at(Root root, const char* path) {
    RegistryHandle handle(registry);
    handle.setRoot(root);
    EXPECT_TRUE(handle.openKey(path, false)) << path;
    return handle;
  }
  MemoryRegistry registry;
};

TEST_F(RegistryTextTest, ReadsEveryKindOfValue) {
  loadRegistryText(registry,
                   "REGEDIT4\r\n"
                   "; a comment\r\n"
                   "\r\n"
                   "[HKEY_CLASSES_ROOT\\.txt]\r\n"
                   "@=\"txtfile\"\r\n"
                   "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion]\r\n"
                   "\"SubVersionNumber\"=\" A \"\r\n"
                   "\"Quoted\"=\"C:\\\\Program Files\\\\\\\"x\\\"\"\r\n"
                   "\"Count\"=dword:0000002a\r\n"
                   "\"Bytes\"=hex:40,01,\\\r\n"
                   "  00,20\r\n"
                   "\"Expand\"=str(2):\"%SystemRoot%\\\\a\"\r\n"
                   "\"Raw\"=hex(7):61,00,00,00,00,00\r\n"
                   "[HKCU\\Control Panel\\Desktop]\r\n"
                   "\"Wallpaper\"=\"C:\\\\WINDOWS\\\\Chmury.bmp\"\r\n"
                   "\"Pożegnanie\"=\"Zażółć gęślą jaźń\"\r\n",
                   "test.reg");
  auto classes = at(Root::ClassesRoot, "\\.txt");
  EXPECT_EQ(classes.readString(""), "txtfile");
  auto machine = at(Root::LocalMachine, "\\Software\\Classes\\.txt");
  EXPECT_EQ(machine.readString(""), "txtfile");

  auto version = at(Root::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion");
  EXPECT_EQ(version.readString("SubVersionNumber"), " A ");
  EXPECT_EQ(version.readString("Quoted"), "C:\\Program Files\\\"x\"");
  EXPECT_EQ(version.readDword("Count"), 42);
  std::array<std::uint8_t, 4> bytes{};
  EXPECT_EQ(version.readBinary("Bytes", bytes), 4u);
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 4>{0x40, 0x01, 0x00, 0x20}));
  EXPECT_EQ(version.valueKind("Expand"), ValueKind::ExpandString);
  EXPECT_EQ(version.readString("Expand"), "%SystemRoot%\\a");
  ASSERT_NE(version.rawValue("Raw"), nullptr);
  EXPECT_EQ(version.rawValue("Raw")->type, kRegMultiSz);
  EXPECT_EQ(version.rawValue("Raw")->data.size(), 6u);

  auto desktop = at(Root::CurrentUser, "\\Control Panel\\desktop");
  EXPECT_EQ(desktop.readString("Wallpaper"), "C:\\WINDOWS\\Chmury.bmp");
  EXPECT_EQ(desktop.readString("pożegnanie"), "Zażółć gęślą jaźń");
}

TEST_F(RegistryTextTest, RemovesValuesAndKeysLaterFilesDoNotWant) {
  loadRegistryText(registry, "REGEDIT4\n[HKCU\\A\\B]\n\"x\"=\"1\"\n\"y\"=\"2\"\n[HKCU\\A\\C]\n@=\"c\"\n",
                   "first.reg");
  loadRegistryText(registry, "REGEDIT4\n[HKCU\\A\\B]\n\"x\"=-\n[-HKCU\\A\\C]\n", "second.reg");
  auto b = at(Root::CurrentUser, "\\A\\B");
  EXPECT_FALSE(b.valueExists("x"));
  EXPECT_EQ(b.readString("y"), "2");
  RegistryHandle handle(registry);
  EXPECT_FALSE(handle.keyExists("\\A\\C"));
}

struct BadText {
  const char* text;
  int line;
};

class RegistryTextErrors : public ::testing::TestWithParam<BadText> {};

TEST_P(RegistryTextErrors, NameTheLine) {
  MemoryRegistry registry;
  try {
    loadRegistryText(registry, GetParam().text, "bad.reg");
    FAIL() << "accepted: " << GetParam().text;
  } catch (const RegistryTextError& e) {
    EXPECT_EQ(e.line(), GetParam().line) << e.what();
    EXPECT_EQ(e.source(), "bad.reg");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, RegistryTextErrors,
                         ::testing::Values(BadText{"[HKCU\\A]\n", 1},                  // no header
                                           BadText{"REGEDIT4\n\"x\"=\"1\"\n", 2},      // value before a key
                                           BadText{"REGEDIT4\n[HKEY_USERS\\A]\n", 2},  // unknown root
                                           BadText{"REGEDIT4\n[HKCU\\A\n", 2},         // unclosed key
                                           BadText{"REGEDIT4\n[HKCU\\A]\n\"x\"=\"open\n",
                                                   3},  // unclosed text
                                           BadText{"REGEDIT4\n[HKCU\\A]\n\"x\"=dword:12\n", 3},
                                           BadText{"REGEDIT4\n[HKCU\\A]\n\"x\"=hex:4g\n", 3},
                                           BadText{"REGEDIT4\n[HKCU\\A]\n\"x\"=\"a\\q\"\n", 3},
                                           BadText{"REGEDIT4\n[HKCU\\A]\nx=1\n", 3}));

}  // namespace
}  // namespace kelvaro::sandbox
