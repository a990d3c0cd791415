// The desktop page's "Ustawienia", "Ograniczenia" and "Organizuj": desktop
// and icon settings with their twips and recycle bin values, the thirteen
// policies written then pruned, and the desktop folder's files and shortcuts.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <fstream>

#include "pages/desktop/desktop_page.h"
#include "pages/desktop/desktop_settings_tabs.h"
#include "pages/desktop/desktop_values.h"
#include "pages/shell/dos_folder_tree.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kDesktop[] = "Control Panel\\desktop";
constexpr char kMetrics[] = "Control Panel\\desktop\\WindowMetrics";
constexpr char kRecycleBin[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kActiveDesktop[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ActiveDesktop";

const Bytes kRenamable{0x70, 0x01, 0x00, 0x20};
const Bytes kFixed{0x40, 0x01, 0x00, 0x20};

// The thirteen policies by key, as the sub-page lists them.
const std::pair<const char*, const char*> kPolicies[] = {
    {kExplorer, "NoDesktop"},
    {kExplorer, "NoActiveDesktop"},
    {kExplorer, "NoActiveDesktopChanges"},
    {kActiveDesktop, "NoAddingComponents"},
    {kActiveDesktop, "NoDeletingComponents"},
    {kActiveDesktop, "NoEditingComponents"},
    {kActiveDesktop, "NoClosingComponents"},
    {kActiveDesktop, "NoChangingWallPaper"},
    {kActiveDesktop, "NoHTMLWallPaper"},
    {kExplorer, "NoSaveSettings"},
    {kExplorer, "NoInternetIcon"},
    {kExplorer, "NoNetHood"},
    {kExplorer, "NoWinKeys"},
};

class DesktopSettingsTest : public PageHarness {
 protected:
  void SetUp() override { ASSERT_NE(start(), nullptr); }

  DesktopSettingsTabs& show(const char* subPage) {
    auto& page = static_cast<DesktopPage&>(showAndLoad("pulpit"));
    frame().showPage("pulpit", subPage);
    return *page.settingsTabs();
  }
  Page& desktopPage() { return page("pulpit"); }
  void deleteKey(Root root, const char* key) {
    RegistryHandle reg(app->registry());
    reg.setRoot(root);
    reg.deleteKey(key);
    app->flush();
  }
  QCheckBox* box(const char* name) { return find<QCheckBox>(name); }
  QPushButton* button(const char* name) { return find<QPushButton>(name); }
  std::optional<StoredValue> desktop(const char* name) { return stored(Root::CurrentUser, kDesktop, name); }
  std::optional<StoredValue> metrics(const char* name) { return stored(Root::CurrentUser, kMetrics, name); }
  std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const auto& shown : dialogs.shown)
      if (shown.kind == "box") texts.push_back(shown.box.text);
    return texts;
  }
  // Types into a number field and leaves it, as a user moving on does.
  void typeNumber(QSpinBox* spin, const char* text) {
    type(spin, text);
    spin->clearFocus();
  }
};

std::string text(const char* s) { return s; }

TEST_F(DesktopSettingsTest, SpacingTwipsAndRecycleBinBytesConvertBothWays) {
  const std::pair<std::optional<std::string>, int> loads[] = {
      {"-1125", 43},      {"-1365", 59}, {"75", -37},
      {"-480", 0},        {"-494", 0},   {"-495", 1},
      {std::nullopt, 43}, {"duże", 43},  {"-2147483648", 143165544}};
  for (const auto& [stored, field] : loads)
    EXPECT_EQ(spacingFieldFromStored(stored), field) << stored.value_or("-");
  EXPECT_EQ(storedSpacing(43), "-1125");
  EXPECT_EQ(storedSpacing(59), "-1365");
  EXPECT_EQ(storedSpacing(0), "-480");
  EXPECT_EQ(storedSpacing(150), "-2730");
  EXPECT_EQ(iconSizeFromStored(std::string("48")), 48);
  EXPECT_EQ(iconSizeFromStored(std::string("4 8")), 32);
  EXPECT_EQ(iconSizeFromStored(std::nullopt), 32);

  EXPECT_TRUE(recycleBinRenamable(kRenamable));
  for (const Bytes& other : {kFixed, Bytes{0x70, 0x01, 0x00}, Bytes{0x70, 0x01, 0x00, 0x20, 0x00}, Bytes{}})
    EXPECT_FALSE(recycleBinRenamable(other)) << other.size();
  for (const auto& [renamable, bytes] : {std::pair{true, kRenamable}, std::pair{false, kFixed}}) {
    const auto written = recycleBinAttributes(renamable);
    EXPECT_EQ(Bytes(written.begin(), written.end()), bytes);
  }
}

TEST_F(DesktopSettingsTest, SettingsLoadAsStoredWithTheirDefaultsAndClamps) {
  struct Case {
    const char* what;
    std::optional<StoredValue> version, spacing, size, bpp;
    std::optional<StoredValue> attributes;
    bool versionShown;
    int spacingShown, sizeShown;
    bool largeShown, coloursShown, binShown;
  };
  const Case cases[] = {
      {"version as the text 1", text("1"), text("-1125"), text("32"), text("16"), kRenamable, true, 43, 32,
       false, true, true},
      {"version as a DWORD", 7, text("75"), text("48"), text("24"), kFixed, true, 0, 48, true, true, false},
      {"version 0, spacing too wide", 0, text("-5000"), text("100"), text("32"),
       Bytes{0x70, 0x01, 0x00, 0x20, 0}, false, 150, 72, false, true, false},
      {"version the text 0, nothing else", text("0"), std::nullopt, std::nullopt, text("4"), std::nullopt,
       false, 43, 32, false, false, false},
      {"no numbers", std::nullopt, text("szeroko"), text("duże"), text("8"), StoredValue(0x20000170), false,
       43, 32, false, false, false},
      {"size below its minimum", text("1"), text("-1365"), text("8"), 16, kRenamable, true, 59, 16, false,
       false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto put = [&](const char* key, const char* name, const std::optional<StoredValue>& v, Root root) {
      remove(root, key, name);
      if (v) set(root, key, name, *v);
    };
    put(kDesktop, "PaintDesktopVersion", c.version, Root::CurrentUser);
    put(kMetrics, "IconSpacing", c.spacing, Root::CurrentUser);
    put(kMetrics, "IconVerticalSpacing", c.spacing, Root::CurrentUser);
    put(kMetrics, "Shell Icon Size", c.size, Root::CurrentUser);
    put(kMetrics, "Shell Icon BPP", c.bpp, Root::CurrentUser);
    put(kRecycleBin, "Attributes", c.attributes, Root::ClassesRoot);
    DesktopSettingsTabs& tabs = show("pulpitustawienia");
    EXPECT_EQ(box("pulpitPaintDesktopVersion")->isChecked(), c.versionShown);
    EXPECT_EQ(tabs.horizontalSpacing()->value(), c.spacingShown);
    EXPECT_EQ(tabs.verticalSpacing()->value(), c.spacingShown);
    EXPECT_EQ(tabs.iconSize()->value(), c.sizeShown);
    EXPECT_EQ(tabs.iconPreview()->size(), QSize(c.sizeShown + 8, c.sizeShown + 8));
    EXPECT_EQ(box("pulpitLargeIcons")->isChecked(), c.largeShown);
    EXPECT_EQ(box("pulpitShellIconBPP")->isChecked(), c.coloursShown);
    EXPECT_EQ(box("pulpitRecycleBin")->isChecked(), c.binShown);
    EXPECT_FALSE(button("pulpitustawieniaApply")->isEnabled());
  }
}

TEST_F(DesktopSettingsTest, VersionStoredAsTextIsReplacedByADwordAndDeletedWhenUnticked) {
  set(Root::CurrentUser, kDesktop, "PaintDesktopVersion", text("1"));
  set(Root::CurrentUser, kDesktop, "DragfullWindows", text("0"));
  set(Root::CurrentUser, kMetrics, "MinAnimate", text("1"));
  show("pulpitustawienia");
  EXPECT_TRUE(box("pulpitPaintDesktopVersion")->isChecked());
  EXPECT_FALSE(app->restartNeeded());
  click(box("pulpitDragfullWindows"));
  click(box("pulpitMinAnimate"));
  ASSERT_TRUE(button("pulpitustawieniaApply")->isEnabled());
  click(button("pulpitustawieniaApply"));
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(desktop("PaintDesktopVersion"), StoredValue(1));
  EXPECT_EQ(desktop("DragfullWindows"), StoredValue(text("1")));
  EXPECT_EQ(metrics("MinAnimate"), StoredValue(text("0")));
  EXPECT_FALSE(button("pulpitustawieniaApply")->isEnabled());
  EXPECT_TRUE(app->restartNeeded());

  click(box("pulpitPaintDesktopVersion"));
  click(button("pulpitustawieniaApply"));
  EXPECT_EQ(desktop("PaintDesktopVersion"), std::nullopt);
}

TEST_F(DesktopSettingsTest, LargeIconsSetSizeAndSpacingAndApplyStoresTheirTwips) {
  DesktopSettingsTabs& tabs = show("pulpitustawienia");
  ASSERT_FALSE(box("pulpitLargeIcons")->isChecked());
  click(box("pulpitLargeIcons"));
  EXPECT_EQ(tabs.iconSize()->value(), 48);
  EXPECT_EQ(tabs.verticalSpacing()->value(), 59);
  EXPECT_EQ(tabs.horizontalSpacing()->value(), 59);
  EXPECT_EQ(tabs.iconPreview()->size(), QSize(56, 56));
  click(button("pulpitustawieniaApply"));
  EXPECT_EQ(metrics("Shell Icon Size"), StoredValue(text("48")));
  EXPECT_EQ(metrics("IconVerticalSpacing"), StoredValue(text("-1365")));
  EXPECT_EQ(metrics("IconSpacing"), StoredValue(text("-1365")));

  show("pulpitustawienia");
  EXPECT_TRUE(box("pulpitLargeIcons")->isChecked());
  click(box("pulpitLargeIcons"));
  EXPECT_EQ(tabs.iconSize()->value(), 32);
  EXPECT_EQ(tabs.verticalSpacing()->value(), 43);
  click(button("pulpitustawieniaApply"));
  EXPECT_EQ(metrics("Shell Icon Size"), StoredValue(text("32")));
  EXPECT_EQ(metrics("IconSpacing"), StoredValue(text("-1125")));
}

TEST_F(DesktopSettingsTest, FieldsClampWhatIsTypedAndEnterAppliesWhatTheyShow) {
  DesktopSettingsTabs& tabs = show("pulpitustawienia");
  typeNumber(tabs.verticalSpacing(), "200");
  EXPECT_EQ(tabs.verticalSpacing()->value(), 150);
  EXPECT_EQ(tabs.verticalSpacing()->text(), "150");
  EXPECT_TRUE(button("pulpitustawieniaApply")->isEnabled());
  typeNumber(tabs.iconSize(), "90");
  EXPECT_EQ(tabs.iconSize()->value(), 72);
  EXPECT_EQ(tabs.iconPreview()->size(), QSize(80, 80));
  // Typed below the minimum, then Enter before leaving the field.
  type(tabs.horizontalSpacing(), "7");
  type(tabs.iconSize(), "5");
  QTest::keyClick(tabs.iconSize(), Qt::Key_Return);
  EXPECT_EQ(metrics("Shell Icon Size"), StoredValue(text("16")));
  EXPECT_EQ(metrics("IconVerticalSpacing"), StoredValue(text("-2730")));
  EXPECT_EQ(metrics("IconSpacing"), StoredValue(text("-585")));
  EXPECT_FALSE(button("pulpitustawieniaApply")->isEnabled());

  // Enter on a box runs the command though nothing changed.
  remove(Root::CurrentUser, kDesktop, "FontSmoothing");
  key(box("pulpitFontSmoothing"), Qt::Key_Return);
  EXPECT_EQ(desktop("FontSmoothing"), StoredValue(text("0")));
}

TEST_F(DesktopSettingsTest, RecycleBinWritesFourBytesAndItsKeyIsMadeByTheLoad) {
  deleteKey(Root::ClassesRoot, kRecycleBin);
  show("pulpitustawienia");
  EXPECT_TRUE(keyStored(Root::ClassesRoot, kRecycleBin));
  EXPECT_FALSE(box("pulpitRecycleBin")->isChecked());
  click(box("pulpitRecycleBin"));
  click(button("pulpitustawieniaApply"));
  EXPECT_EQ(stored(Root::ClassesRoot, kRecycleBin, "Attributes"), StoredValue(kRenamable));
  click(box("pulpitRecycleBin"));
  click(button("pulpitustawieniaApply"));
  EXPECT_EQ(stored(Root::ClassesRoot, kRecycleBin, "Attributes"), StoredValue(kFixed));
}

TEST_F(DesktopSettingsTest, AMissingMetricsKeyStopsTheApplyAtItsFirstWrite) {
  set(Root::CurrentUser, kDesktop, "FontSmoothing", text("0"));
  set(Root::ClassesRoot, kRecycleBin, "Attributes", kFixed);
  deleteKey(Root::CurrentUser, kMetrics);
  show("pulpitustawienia");
  click(box("pulpitFontSmoothing"));
  click(box("pulpitRecycleBin"));
  click(button("pulpitustawieniaApply"));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].find("MinAnimate"), std::string::npos) << messages()[0];
  EXPECT_EQ(desktop("FontSmoothing"), StoredValue(text("1")));
  EXPECT_FALSE(keyStored(Root::CurrentUser, kMetrics));
  EXPECT_EQ(stored(Root::ClassesRoot, kRecycleBin, "Attributes"), StoredValue(kFixed));
  EXPECT_TRUE(button("pulpitustawieniaApply")->isEnabled());
  EXPECT_FALSE(app->restartNeeded());
}

TEST_F(DesktopSettingsTest, RestrictionsLoadAsDwordFlagsAndApplyWritesTickedAndPrunesTheRest) {
  for (const auto& [key, value] : kPolicies) set(Root::CurrentUser, key, value, 0);
  set(Root::CurrentUser, kExplorer, "NoDesktop", 1);
  set(Root::CurrentUser, kActiveDesktop, "NoHTMLWallPaper", 5);
  set(Root::CurrentUser, kExplorer, "NoWinKeys", text("1"));
  show("pulpitograniczenia");
  EXPECT_TRUE(box("pulpitNoDesktop")->isChecked());
  EXPECT_TRUE(box("pulpitNoHTMLWallPaper")->isChecked());
  EXPECT_FALSE(box("pulpitNoWinKeys")->isChecked());
  EXPECT_EQ(box("pulpitNoEditingComponents")->text(), "Włącz edycję komponentów Active Desktop");
  click(box("pulpitNoEditingComponents"));
  click(box("pulpitNoDesktop"));
  click(box("pulpitNoNetHood"));
  ASSERT_TRUE(button("pulpitograniczeniaApply")->isEnabled());
  click(button("pulpitograniczeniaApply"));
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(app->restartNeeded());
  EXPECT_FALSE(button("pulpitograniczeniaApply")->isEnabled());
  for (const auto& [key, value] : kPolicies) {
    const std::string v = value;
    const bool ticked = v == "NoEditingComponents" || v == "NoHTMLWallPaper" || v == "NoNetHood";
    EXPECT_EQ(stored(Root::CurrentUser, key, value),
              ticked ? std::optional<StoredValue>(StoredValue(1)) : std::nullopt)
        << value;
  }

  // All unticked: Enter on a box applies, though the command is not pending.
  for (const char* name : {"pulpitNoEditingComponents", "pulpitNoHTMLWallPaper", "pulpitNoNetHood"})
    click(box(name));
  click(button("pulpitograniczeniaApply"));
  set(Root::CurrentUser, kExplorer, "NoSaveSettings", 0);
  key(box("pulpitNoDesktop"), Qt::Key_Return);
  for (const auto& [key, value] : kPolicies)
    EXPECT_EQ(stored(Root::CurrentUser, key, value), std::nullopt) << value;
}

TEST_F(DesktopSettingsTest, AMissingPolicyKeyFailsTheApplyAndKeepsItPending) {
  deleteKey(Root::CurrentUser, kActiveDesktop);
  show("pulpitograniczenia");
  click(box("pulpitNoDesktop"));
  click(button("pulpitograniczeniaApply"));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_NE(messages()[0].find("NoAddingComponents"), std::string::npos) << messages()[0];
  EXPECT_FALSE(keyStored(Root::CurrentUser, kActiveDesktop));
  EXPECT_TRUE(button("pulpitograniczeniaApply")->isEnabled());
}

class DesktopFilesTest : public DesktopSettingsTest {
 protected:
  static constexpr char kFolder[] = "C:\\WINDOWS\\Pulpit";

  void clickNode(DosFolderTree* tree, const std::string& path) {
    if (QTreeWidgetItem* parent = tree->itemOf(path.substr(0, path.rfind('\\')))) parent->setExpanded(true);
    QTreeWidgetItem* item = tree->itemOf(path);
    ASSERT_NE(item, nullptr) << path;
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    ASSERT_EQ(tree->selectedPath(), path);
  }
  QLineEdit* field(const char* name) { return find<QLineEdit>(name); }
};

TEST_F(DesktopFilesTest, TheDesktopFolderIsTheShellFoldersOneOrTheWindowsPulpit) {
  fs::create_directories(hostPath("C:\\Moje biurko"));
  set(Root::CurrentUser, kShellFolders, "Desktop", text("C:\\Moje biurko"));
  EXPECT_EQ(show("TabSheet8").desktopFolder(), "C:\\Moje biurko");
  EXPECT_EQ(show("TabSheet8").tree()->topLevelItem(0)->text(0), "PULPIT");
  for (const StoredValue& other : {StoredValue(text("C:\\Nie ma")), StoredValue(3), StoredValue(text(""))}) {
    set(Root::CurrentUser, kShellFolders, "Desktop", other);
    EXPECT_EQ(show("TabSheet8").desktopFolder(), kFolder);
  }
  remove(Root::CurrentUser, kShellFolders, "Desktop");
  EXPECT_EQ(show("TabSheet8").desktopFolder(), kFolder);
}

TEST_F(DesktopFilesTest, OnlyAFileCanBeDeletedAndTheTreeShowsTheFolderAfresh) {
  std::ofstream(hostPath(kFolder) / "notatka.txt") << "x";
  std::ofstream(hostPath(kFolder) / "stary.txt") << "x";
  fs::create_directories(hostPath(kFolder) / "Projekty");
  std::ofstream(hostPath(kFolder) / "Projekty" / "plan.txt") << "x";
  DesktopSettingsTabs& tabs = show("TabSheet8");
  DosFolderTree* tree = tabs.tree();
  EXPECT_FALSE(button("PulpitDeleteFile")->isEnabled());
  clickNode(tree, std::string(kFolder) + "\\Projekty");
  EXPECT_FALSE(button("PulpitDeleteFile")->isEnabled());
  clickNode(tree, std::string(kFolder) + "\\Projekty\\plan.txt");
  EXPECT_EQ(find<QLabel>("PulpitSelectedPath")->text(), QString(kFolder) + "\\Projekty\\plan.txt");
  ASSERT_TRUE(button("PulpitDeleteFile")->isEnabled());
  click(button("PulpitDeleteFile"));
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(fs::exists(hostPath(kFolder) / "Projekty" / "plan.txt"));
  EXPECT_TRUE(fs::exists(hostPath(kFolder) / "Projekty"));
  EXPECT_EQ(tree->itemOf(std::string(kFolder) + "\\Projekty\\plan.txt"), nullptr);
  EXPECT_NE(tree->itemOf(std::string(kFolder) + "\\Projekty"), nullptr);
  EXPECT_FALSE(button("PulpitDeleteFile")->isEnabled());

  // A file that appeared since shows up in the fresh tree; Delete removes the chosen one.
  clickNode(tree, std::string(kFolder) + "\\notatka.txt");
  std::ofstream(hostPath(kFolder) / "nowy.txt") << "x";
  key(tree, Qt::Key_Delete);
  EXPECT_FALSE(fs::exists(hostPath(kFolder) / "notatka.txt"));
  EXPECT_TRUE(fs::exists(hostPath(kFolder) / "stary.txt"));
  EXPECT_EQ(tree->itemOf(std::string(kFolder) + "\\notatka.txt"), nullptr);
  EXPECT_NE(tree->itemOf(std::string(kFolder) + "\\nowy.txt"), nullptr);
  // Delete on a folder does nothing.
  clickNode(tree, std::string(kFolder) + "\\Projekty");
  key(tree, Qt::Key_Delete);
  EXPECT_TRUE(fs::exists(hostPath(kFolder) / "Projekty"));
}

TEST_F(DesktopFilesTest, ANewShortcutTakesTheProgramsNameAndFolder) {
  DesktopSettingsTabs& tabs = show("TabSheet8");
  dialogs.answer(std::optional<std::string>("C:\\Windows\\Notepad.exe"));
  click(button("PulpitAddShortcut"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, "file");
  EXPECT_EQ(dialogs.shown[0].file.title, "Wibierz program");
  EXPECT_EQ(dialogs.shown[0].file.filter, "Wszystkie pliki (*.*)|*.*");
  EXPECT_EQ(dialogs.shown[0].file.initialFolder, "C:\\WINDOWS");
  EXPECT_TRUE(dialogs.shown[0].file.mustExist);
  EXPECT_TRUE(find<QFrame>("PulpitShortcutPanel")->isVisible());
  EXPECT_FALSE(tabs.tree()->isEnabled());
  EXPECT_FALSE(button("PulpitDeleteFile")->isEnabled());
  EXPECT_EQ(field("PulpitProgram")->text(), "C:\\Windows\\Notepad.exe");
  EXPECT_EQ(field("PulpitShortcutName")->text(), "Notepad");
  EXPECT_EQ(frame().focusWidget(), field("PulpitShortcutName"));
  EXPECT_TRUE(button("PulpitShortcutOk")->isEnabled());
  EXPECT_TRUE(desktopPage().hasPendingEdits());

  click(button("PulpitShortcutOk"));
  EXPECT_TRUE(messages().empty());
  ASSERT_EQ(shellLinks.created().size(), 1u);
  const auto& [file, link] = *shellLinks.created().begin();
  EXPECT_EQ(file, hostPath(kFolder) / "Notepad.lnk");
  EXPECT_EQ(link.target, "C:\\Windows\\Notepad.exe");
  EXPECT_EQ(link.workingDirectory, "C:\\Windows");
  EXPECT_FALSE(find<QFrame>("PulpitShortcutPanel")->isVisible());
  EXPECT_TRUE(tabs.tree()->isEnabled());
  EXPECT_TRUE(field("PulpitProgram")->text().isEmpty());
  EXPECT_TRUE(field("PulpitShortcutName")->text().isEmpty());
  EXPECT_FALSE(button("PulpitShortcutOk")->isEnabled());
  EXPECT_FALSE(desktopPage().hasPendingEdits());
  EXPECT_FALSE(app->restartNeeded());
}

TEST_F(DesktopFilesTest, OkNeedsBothFieldsAndCancelKeepsThem) {
  show("TabSheet8");
  // A name of four characters derives no shortcut name.
  dialogs.answer(std::optional<std::string>("C:\\a.ex"));
  click(button("PulpitAddShortcut"));
  EXPECT_EQ(field("PulpitShortcutName")->text(), "");
  EXPECT_FALSE(button("PulpitShortcutOk")->isEnabled());
  type(field("PulpitShortcutName"), "Moj");
  EXPECT_TRUE(button("PulpitShortcutOk")->isEnabled());
  key(field("PulpitProgram"), Qt::Key_Escape);
  EXPECT_FALSE(find<QFrame>("PulpitShortcutPanel")->isVisible());
  EXPECT_TRUE(find<DosFolderTree>("PulpitTree")->isEnabled());
  EXPECT_EQ(field("PulpitProgram")->text(), "C:\\a.ex");

  // Opened again with a program already there: no chooser.
  dialogs.shown.clear();
  click(button("PulpitAddShortcut"));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(field("PulpitShortcutName")->text(), "Moj");
  // The chooser cancelled keeps the fields.
  dialogs.answer(std::optional<std::string>());
  click(button("PulpitChooser"));
  EXPECT_EQ(field("PulpitProgram")->text(), "C:\\a.ex");
  key(field("PulpitProgram"), Qt::Key_Return);
  ASSERT_EQ(shellLinks.created().size(), 1u);
  EXPECT_EQ(shellLinks.created().begin()->first, hostPath(kFolder) / "Moj.lnk");
  EXPECT_EQ(shellLinks.created().begin()->second.workingDirectory, "C:\\");
}

TEST_F(DesktopFilesTest, AShortcutThatCannotBeSavedIsReportedAndThePanelCloses) {
  const std::string failed =
      "Nie można stworzyć nowego skrótu na pulpicie.\rSprawdź, czy masz wystarczające uprawnienia do "
      "tworzenia "
      "skrótów w wybranej lokalizacji.";
  show("TabSheet8");
  shellLinks.failCreatesWith("brak miejsca");
  dialogs.answer(std::optional<std::string>("C:\\WINDOWS\\CALC.EXE"));
  click(button("PulpitAddShortcut"));
  click(button("PulpitShortcutOk"));
  EXPECT_EQ(messages(), std::vector<std::string>{failed});
  EXPECT_EQ(dialogs.shown.back().box.title, "Morvane Kelvaro");
  EXPECT_FALSE(find<QFrame>("PulpitShortcutPanel")->isVisible());
  EXPECT_TRUE(field("PulpitShortcutName")->text().isEmpty());

  // A name that would leave the desktop folder is refused the same way.
  shellLinks.failCreatesWith("");
  dialogs.shown.clear();
  dialogs.answer(std::optional<std::string>("C:\\WINDOWS\\CALC.EXE"));
  click(button("PulpitAddShortcut"));
  type(field("PulpitShortcutName"), "..\\Calc");
  click(button("PulpitShortcutOk"));
  EXPECT_EQ(messages(), std::vector<std::string>{failed});
  EXPECT_TRUE(shellLinks.created().empty());
}

}  // namespace
}  // namespace kelvaro::testing
