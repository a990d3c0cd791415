// The sandbox registry holds what every page reads, with the values a Polish
// Windows 98 SE installation has.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "store/registry_handle.h"
#include "tools/sandbox/registry_text.h"

namespace kelvaro::sandbox {
namespace {

constexpr const char* kCv = "\\Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kSf = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class TemplateRegistry : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registry_ = new MemoryRegistry;
    loadRegistryFolder(*registry_, KELVARO_SANDBOX_REGISTRY_DIR);
  }
  static void TearDownTestSuite() {
    delete registry_;
    registry_ = nullptr;
  }
  static RegistryHandle open(Root root, const std::string& key) {
    RegistryHandle handle(*registry_);
    handle.setRoot(root);
    EXPECT_TRUE(handle.openKey(key, false)) << key;
    return handle;
  }
  static MemoryRegistry* registry_;
};
MemoryRegistry* TemplateRegistry::registry_ = nullptr;

struct Expected {
  Root root;
  std::string key;
  std::string value;  // "" is the default value
  ValueKind kind;
  bool mayBeEmpty = false;  // a present empty string is what Windows keeps there
};

std::string describe(const Expected& e) { return e.key + " : " + (e.value.empty() ? "@" : e.value); }

// What the pages read, page by page.
std::vector<Expected> pageReads() {
  using R = Root;
  const ValueKind S = ValueKind::String, D = ValueKind::Dword, B = ValueKind::Binary;
  std::vector<Expected> t;
  // Windows information page.
  for (const char* v :
       {"ProductName", "Version", "ProductType", "VersionNumber", "SubVersionNumber", "ProductId",
        "RegisteredOrganization", "RegisteredOwner", "Plus! VersionNumber", "ProgramFilesDir"})
    t.push_back({R::LocalMachine, kCv, v, S});
  t.push_back({R::LocalMachine, std::string(kCv) + "\\Setup", "SourcePath", S});
  t.push_back({R::LocalMachine, "\\System\\CurrentControlSet\\control\\ComputerName\\ComputerName",
               "ComputerName", S});
  t.push_back({R::LocalMachine, "\\Enum\\Root\\*PNP0C01\\0000", "SetupMachineType", S});
  // Shell folders page, and the folders other pages take from it.
  for (const char* v :
       {"AppData", "Cache", "Cookies", "Desktop", "Favorites", "Fonts", "History", "My Pictures", "NetHood",
        "Personal", "Programs", "Recent", "SendTo", "Start Menu", "Startup"})
    t.push_back({R::CurrentUser, kSf, v, S});
  for (const char* v : {"WinDir", "SysDir", "ConfigPath", "MediaPath"})
    t.push_back({R::LocalMachine, std::string(kCv) + "\\Setup", v, S});
  // Colours: the registry wins over win.ini when it holds ScrollBar.
  for (const char* v : {"Scrollbar",
                        "Background",
                        "ActiveTitle",
                        "InactiveTitle",
                        "Menu",
                        "Window",
                        "WindowFrame",
                        "MenuText",
                        "WindowText",
                        "TitleText",
                        "ActiveBorder",
                        "InactiveBorder",
                        "AppWorkspace",
                        "Hilight",
                        "HilightText",
                        "ButtonFace",
                        "ButtonShadow",
                        "GrayText",
                        "ButtonText",
                        "InactiveTitleText",
                        "ButtonHilight",
                        "ButtonDkShadow",
                        "ButtonLight",
                        "InfoText",
                        "InfoWindow",
                        "ButtonAlternateFace",
                        "HotTrackingColor",
                        "GradientActiveTitle",
                        "GradientInactiveTitle"})
    t.push_back({R::CurrentUser, "\\Control Panel\\Colors", v, S});
  // Cursors.
  t.push_back({R::CurrentUser, "\\Control Panel\\Cursors", "", S});
  for (const char* v : {"Arrow", "Help", "AppStarting", "Wait", "Crosshair", "IBeam", "NWPen", "No", "SizeNS",
                        "SizeWE", "SizeNWSE", "SizeNESW", "SizeAll", "UpArrow", "Hand"})
    t.push_back({R::CurrentUser, "\\Control Panel\\Cursors", v, S});
  t.push_back({R::CurrentUser, "\\Control Panel\\Cursors\\Schemes", "Trójwymiarowy biały", S});
  // Sounds: every event of the page has a current sound.
  t.push_back({R::CurrentUser, "\\AppEvents\\Schemes", "", S});
  for (const char* e :
       {".Default\\.Default", ".Default\\AppGPFault", ".Default\\Close", "Explorer\\EmptyRecycleBin",
        ".Default\\Maximize", ".Default\\MenuCommand", ".Default\\MenuPopup", ".Default\\Minimize",
        ".Default\\Open", ".Default\\RestoreDown", ".Default\\RestoreUp", ".Default\\SystemAsterisk",
        ".Default\\SystemExclamation", ".Default\\SystemExit", ".Default\\SystemHand",
        ".Default\\SystemQuestion", ".Default\\SystemStart"})
    t.push_back({R::CurrentUser, std::string("\\AppEvents\\Schemes\\Apps\\") + e + "\\.Current", "", S});
  // Desktop: wallpaper, pattern, screen saver, settings and metrics.
  for (const char* v :
       {"Wallpaper", "TileWallpaper", "WallpaperStyle", "Pattern", "ScreenSaveActive", "ScreenSaveTimeOut",
        "ScreenSaveLowPowerActive", "ScreenSaveLowPowerTimeout", "ScreenSavePowerOffActive",
        "ScreenSavePowerOffTimeout", "DragFullWindows", "FontSmoothing", "MenuShowDelay"})
    t.push_back({R::CurrentUser, "\\Control Panel\\desktop", v, S});
  t.push_back({R::CurrentUser, "\\Control Panel\\desktop", "ScreenSaveUsePassword", D});
  for (const char* v :
       {"Shell Icon Size", "Shell Icon BPP", "MinAnimate", "IconSpacing", "IconVerticalSpacing"})
    t.push_back({R::CurrentUser, "\\Control Panel\\desktop\\WindowMetrics", v, S});
  t.push_back(
      {R::ClassesRoot, "\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder", "Attributes", B});
  // System icons: the class icons and the recycle bin's two.
  for (const char* c : {"{208D2C60-3AEA-1069-A2D7-08002B30309D}", "{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
                        "{21EC2020-3AEA-1069-A2DD-08002B30309D}", "{871C5380-42A0-1069-A2EA-08002B30309D}",
                        "{450D8FBA-AD25-11D0-98A8-0800361B1103}", "{FF393560-C2A7-11CF-BFF4-444553540000}",
                        "{85BBD920-42A0-1069-A2E4-08002B30309D}", "{8369AB20-56C9-11D0-94E8-00AA0059CE02}",
                        "{8E6E6079-0CB7-11d2-8F10-0000F87ABD16}", "{992CFFA0-F557-101A-88EC-00DD010CCC48}",
                        "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}", "{BD84B380-8CA2-1069-AB1D-08000948F534}"})
    t.push_back({R::ClassesRoot, std::string("\\CLSID\\") + c + "\\DefaultIcon", "", S});
  t.push_back({R::ClassesRoot, "\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon", "Empty", S});
  t.push_back({R::ClassesRoot, "\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon", "Full", S});
  // Object names and info tips.
  for (const char* c : {"{645FF040-5081-101B-9F08-00AA002F954E}", "{21EC2020-3AEA-1069-A2DD-08002B30309D}",
                        "{2227A280-3AEA-1069-A2DE-08002B30309D}", "{992CFFA0-F557-101A-88EC-00DD010CCC48}",
                        "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}", "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}",
                        "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "{450D8FBA-AD25-11D0-98A8-0800361B1103}"})
    t.push_back({R::ClassesRoot, std::string("\\CLSID\\") + c, "", S});
  for (const char* c : {"{D6277990-4C6A-11CF-8D87-00AA0060F5BF}", "{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
                        "{208D2C60-3AEA-1069-A2D7-08002B30309D}", "{21EC2020-3AEA-1069-A2DD-08002B30309D}",
                        "{2227A280-3AEA-1069-A2DE-08002B30309D}", "{450D8FBA-AD25-11D0-98A8-0800361B1103}",
                        "{645FF040-5081-101B-9F08-00AA002F954E}", "{85BBD920-42A0-1069-A2E4-08002B30309D}",
                        "{871C5380-42A0-1069-A2EA-08002B30309D}", "{992CFFA0-F557-101A-88EC-00DD010CCC48}"})
    t.push_back({R::ClassesRoot, std::string("\\CLSID\\") + c, "InfoTip", S});
  // Context menus of the special objects, and Explorer's switches.
  t.push_back({R::ClassesRoot, "\\Unknown\\shell", "", S});
  t.push_back({R::ClassesRoot, "\\Unknown\\shell\\openas\\command", "", S});
  t.push_back({R::ClassesRoot, "\\Folder\\shell\\open\\command", "", S});
  t.push_back({R::ClassesRoot, "\\Folder\\shellex\\ContextMenuHandlers\\BriefcaseMenu", "", S});
  t.push_back({R::ClassesRoot, "\\*\\shellex\\ContextMenuHandlers\\WinZip", "", S});
  t.push_back({R::ClassesRoot, "\\Drive\\shellex\\ContextMenuHandlers\\Sharing", "", S});
  t.push_back({R::ClassesRoot, "\\Directory\\shell\\find\\command", "", S});
  t.push_back({R::ClassesRoot, "\\Directory\\Background\\shellex\\ContextMenuHandlers\\New", "", S});
  t.push_back({R::ClassesRoot, "\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To", "", S});
  t.push_back({R::ClassesRoot, "\\lnkfile", "IsShortcut", S, true});
  t.push_back({R::ClassesRoot, "\\piffile", "IsShortcut", S, true});
  t.push_back({R::ClassesRoot, "\\.reg", "", S});
  t.push_back({R::ClassesRoot, "\\.txt", "", S});
  t.push_back({R::ClassesRoot, "\\.bmp", "", S});
  t.push_back({R::ClassesRoot, "\\Paint.Picture\\DefaultIcon", "", S});
  t.push_back({R::ClassesRoot, "\\.txt\\ShellNew", "NullFile", S, true});
  t.push_back({R::CurrentUser, std::string(kCv) + "\\Policies\\Explorer", "NoDriveTypeAutoRun", B});
  t.push_back({R::CurrentUser, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer", "link", B});
  t.push_back({R::LocalMachine, "\\System\\CurrentControlSet\\Control\\Update", "UpdateMode", B});
  t.push_back({R::CurrentUser, std::string(kCv) + "\\Explorer\\Advanced", "TaskbarSizeMove", D});
  t.push_back({R::CurrentUser, std::string(kCv) + "\\Explorer\\Advanced", "ShowInfoTip", D});
  // Start-up programs: every Run key has entries.
  t.push_back({R::LocalMachine, std::string(kCv) + "\\Run", "ScanRegistry", S});
  t.push_back({R::LocalMachine, std::string(kCv) + "\\RunServices", "SchedulingAgent", S});
  t.push_back({R::LocalMachine, std::string(kCv) + "\\RunOnce", "Rejestracja", S});
  t.push_back({R::CurrentUser, std::string(kCv) + "\\Run", "Winamp", S});
  // Internet Explorer and Outlook Express with its identity.
  t.push_back({R::LocalMachine, "\\SOFTWARE\\Microsoft\\Internet Explorer\\Main", "Window Title", S});
  t.push_back({R::CurrentUser, "\\Software\\Microsoft\\Internet Explorer", "Download Directory", S});
  for (const char* v : {"Save Directory", "Local Page", "Start Page", "Show_ChannelBand", "FullScreen"})
    t.push_back({R::CurrentUser, "\\Software\\Microsoft\\Internet Explorer\\Main", v, S});
  for (const char* v : {"LinksFolderName", "ShowDiscussionButton", "ShowFonts"})
    t.push_back({R::CurrentUser, "\\Software\\Microsoft\\Internet Explorer\\Toolbar", v, S});
  t.push_back({R::CurrentUser, "\\Identities", "Last User ID", S});
  t.push_back(
      {R::CurrentUser,
       "\\Identities\\{3F2504E0-4F89-11D3-9A0C-0305E82C3301}\\Software\\Microsoft\\Outlook Express\\5.0",
       "NoSplash", D});
  t.push_back({R::CurrentUser, "\\SOFTWARE\\Microsoft\\Outlook Express", "Disable Hotmail", D});
  // Network.
  for (const char* v : {"ComputerName", "Comment", "Workgroup"})
    t.push_back({R::LocalMachine, "\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP", v, S});
  for (const char* v : {"HostName", "Domain"})
    t.push_back({R::LocalMachine, "\\System\\CurrentControlSet\\Services\\VxD\\MSTCP", v, S});
  t.push_back({R::LocalMachine, std::string(kCv) + "\\Policies\\Network", "HideSharePwds", D});
  // History lists.
  for (const char* k : {"RunMRU", "Doc Find Spec MRU", "FindComputerMRU"})
    t.push_back({R::CurrentUser, std::string(kCv) + "\\Explorer\\" + k, "MRUList", S});
  return t;
}

TEST_F(TemplateRegistry, HoldsEveryValueThePagesRead) {
  for (const Expected& e : pageReads()) {
    RegistryHandle handle(*registry_);
    handle.setRoot(e.root);
    ASSERT_TRUE(handle.openKey(e.key, false)) << describe(e);
    EXPECT_TRUE(handle.valueExists(e.value)) << describe(e);
    EXPECT_EQ(handle.valueKind(e.value), e.kind) << describe(e);
    if (e.kind == ValueKind::String && !e.value.empty() && !e.mayBeEmpty) {
      EXPECT_FALSE(handle.readString(e.value).empty()) << describe(e);
    }
  }
}

TEST_F(TemplateRegistry, IsWindows98SecondEdition) {
  auto cv = open(Root::LocalMachine, kCv);
  EXPECT_EQ(cv.readString("ProductName"), "Microsoft Windows 98");
  EXPECT_EQ(cv.readString("VersionNumber"), "4.10.2222");
  EXPECT_EQ(cv.readString("SubVersionNumber"), " A ");
  // The pages fall back to the NT locations only on NT; the sandbox has none.
  RegistryHandle nt(*registry_);
  nt.setRoot(Root::LocalMachine);
  EXPECT_FALSE(nt.keyExists("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"));
}

TEST_F(TemplateRegistry, ShellFoldersHaveTheirPolishNames) {
  auto sf = open(Root::CurrentUser, kSf);
  EXPECT_EQ(sf.readString("Desktop"), "C:\\WINDOWS\\Pulpit");
  EXPECT_EQ(sf.readString("Start Menu"), "C:\\WINDOWS\\Menu Start");
  EXPECT_EQ(sf.readString("Programs"), "C:\\WINDOWS\\Menu Start\\Programy");
  EXPECT_EQ(sf.readString("Startup"), "C:\\WINDOWS\\Menu Start\\Programy\\Autostart");
  EXPECT_EQ(sf.readString("Personal"), "C:\\Moje dokumenty");
  EXPECT_EQ(sf.readString("Favorites"), "C:\\WINDOWS\\Ulubione");
  EXPECT_EQ(sf.readString("AppData"), "C:\\WINDOWS\\Dane aplikacji");
}

// The file types page lists an extension when its type key exists.
TEST_F(TemplateRegistry, RegistersAtLeast150FileTypesWithDescriptions) {
  RegistryHandle classes(*registry_);
  classes.setRoot(Root::LocalMachine);
  ASSERT_TRUE(classes.openKey("\\Software\\Classes", false));
  std::vector<std::string> names = classes.subkeyNames();
  int listed = 0;
  std::set<std::string> types;
  for (const std::string& name : names) {
    if (name.empty() || name[0] != '.') continue;
    RegistryHandle ext(*registry_);
    ext.setRoot(Root::ClassesRoot);
    ASSERT_TRUE(ext.openKey("\\" + name, false));
    const std::string type = ext.readString("");
    if (type.empty()) continue;
    RegistryHandle typeKey(*registry_);
    typeKey.setRoot(Root::ClassesRoot);
    if (!typeKey.openKey("\\" + type, false)) continue;
    ++listed;
    types.insert(type);
    EXPECT_FALSE(typeKey.readString("").empty()) << type << " has no description";
  }
  EXPECT_GE(listed, 150);
  EXPECT_GE(types.size(), 100u);
}

// The cursor page takes a scheme as fourteen paths joined by commas.
TEST_F(TemplateRegistry, CursorSchemesHoldFourteenPaths) {
  auto schemes = open(Root::CurrentUser, "\\Control Panel\\Cursors\\Schemes");
  const auto names = schemes.valueNames();
  ASSERT_GE(names.size(), 2u);
  for (const std::string& name : names) {
    const std::string text = schemes.readString(name);
    EXPECT_EQ(std::count(text.begin(), text.end(), ','), 13) << name;
  }
}

}  // namespace
}  // namespace kelvaro::sandbox
