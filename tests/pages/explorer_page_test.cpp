// The Explorer page beyond its bound policy flags: the boxes with storage
// of their own, the TaskbarSizeMove / NoMovingBands pair, the time-out and
// its 2000 ms default, the .reg and Notepad boxes, UpdateMode, the toolbar
// background, the panel's scroll bar and the order of the Apply steps.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

#include "pages/shell/explorer_page.h"
#include "pages/shell/toolbar_preview.h"
#include "platform/file_system.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

constexpr char kExplorerPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kActiveDesktop[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ActiveDesktop";
constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kExplorer[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr char kToolbar[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";
constexpr char kUpdate[] = "System\\CurrentControlSet\\Control\\Update";

class ExplorerPageTest : public PageHarness {
 protected:
  void SetUp() override {
    ASSERT_NE(start(), nullptr);
    showAndLoad("explorer2");
  }
  ExplorerPage& explorer() { return static_cast<ExplorerPage&>(page("explorer2")); }
  QCheckBox* box(const char* name) { return explorer().box(std::string("explorer2") + name); }
  QPushButton* applyButton() { return find<QPushButton>("explorer2Apply"); }
  void reRead() { showAndLoad("explorer2"); }
  void apply() {
    click(applyButton());
    EXPECT_FALSE(applyButton()->isEnabled());
  }
  void deleteKey(Root root, const char* key) {
    RegistryHandle reg(app->registry());
    reg.setRoot(root);
    reg.deleteKey(key);
    app->flush();
  }
  static std::optional<StoredValue> text(const char* t) { return StoredValue(std::string(t)); }
  static std::optional<StoredValue> bytes(Bytes b) { return StoredValue(std::move(b)); }
};

TEST_F(ExplorerPageTest, TaskbarSizeMoveLoadsAloneAndWritesNoMovingBandsBesideIt) {
  remove(Root::CurrentUser, kAdvanced, "TaskbarSizeMove");
  set(Root::CurrentUser, kActiveDesktop, "NoMovingBands", 1);
  reRead();
  EXPECT_FALSE(box("TaskbarSizeMove")->isChecked());
  click(box("TaskbarSizeMove"));
  apply();
  EXPECT_EQ(stored(Root::CurrentUser, kAdvanced, "TaskbarSizeMove"), StoredValue(0));
  EXPECT_EQ(stored(Root::CurrentUser, kActiveDesktop, "NoMovingBands"), StoredValue(1));
  click(box("TaskbarSizeMove"));
  apply();
  EXPECT_EQ(stored(Root::CurrentUser, kAdvanced, "TaskbarSizeMove"), StoredValue(1));
  EXPECT_EQ(stored(Root::CurrentUser, kActiveDesktop, "NoMovingBands"), std::nullopt);
  EXPECT_TRUE(app->restartNeeded());
}

TEST_F(ExplorerPageTest, TheTimeoutIsStoredAsTextOnlyWhenItIsNotTwoSecondsAndTypedValuesAreClamped) {
  QSpinBox* field = explorer().timeout();
  EXPECT_EQ(field->value(), 2000);
  struct Case {
    const char* typed;
    int shown;
    std::optional<StoredValue> stored;
  };
  for (const Case& c : {Case{"5000", 5000, text("5000")}, Case{"2000", 2000, std::nullopt},
                        Case{"500", 1000, text("1000")}, Case{"25000", 20000, text("20000")}}) {
    SCOPED_TRACE(c.typed);
    type(field, c.typed);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->value(), c.shown);
    click(applyButton());
    EXPECT_EQ(stored(Root::CurrentUser, kDesktop, "WaitToKillAppTimeout"), c.stored);
  }
  set(Root::CurrentUser, kDesktop, "WaitToKillAppTimeout", 7000);  // not a string: the default
  reRead();
  EXPECT_EQ(field->value(), 2000);
  set(Root::CurrentUser, kDesktop, "WaitToKillAppTimeout", std::string("7000"));
  reRead();
  EXPECT_EQ(field->value(), 7000);
}

TEST_F(ExplorerPageTest, TheRegBoxPutsTheTextTypeOnRegFilesAndBackAndLoadsFromTheTwoDefaults) {
  ASSERT_EQ(stored(Root::ClassesRoot, ".reg", ""), text("regfile"));
  EXPECT_FALSE(box("Reg")->isChecked());
  click(box("Reg"));
  apply();
  EXPECT_EQ(stored(Root::ClassesRoot, ".reg", ""), text("txtfile"));
  EXPECT_EQ(stored(Root::ClassesRoot, ".reg", "Old"), text("regfile"));
  reRead();
  EXPECT_TRUE(box("Reg")->isChecked());
  click(box("Reg"));
  apply();
  EXPECT_EQ(stored(Root::ClassesRoot, ".reg", ""), text("regfile"));
  EXPECT_EQ(stored(Root::ClassesRoot, ".reg", "Old"), text("regfile"));

  remove(Root::ClassesRoot, ".reg", "");
  remove(Root::ClassesRoot, ".txt", "");
  reRead();
  EXPECT_TRUE(box("Reg")->isChecked());
}

TEST_F(ExplorerPageTest, TheNotepadBoxWritesItsVerbAndTheNotepadTestReadsItBack) {
  EXPECT_FALSE(box("Notepad")->isChecked());
  click(box("Notepad"));
  apply();
  EXPECT_EQ(stored(Root::ClassesRoot, "Unknown\\shell", ""), text("OpenInNotepad"));
  EXPECT_EQ(stored(Root::ClassesRoot, "Unknown\\shell\\OpenInNotepad", ""),
            text("Otwórz za pomocą notatnika"));
  EXPECT_EQ(stored(Root::ClassesRoot, "Unknown\\shell\\OpenInNotepad\\Command", ""), text("NOTEPAD.EXE %1"));
  reRead();
  EXPECT_TRUE(box("Notepad")->isChecked());
  click(box("Notepad"));
  apply();
  EXPECT_EQ(stored(Root::ClassesRoot, "Unknown\\shell", ""), text("openas"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "Unknown\\shell\\OpenInNotepad"));

  // Commands other programs wrote, by what the test makes of them.
  for (auto [command, ticked] : {std::pair{"notepad.exe \"%1\"", true}, std::pair{"NOTEPAD.EXE", false},
                                 std::pair{"C:\\WINDOWS\\NOTEPAD.EXE %1", false}}) {
    SCOPED_TRACE(command);
    set(Root::ClassesRoot, "Unknown\\shell", "", std::string("edytuj"));
    set(Root::ClassesRoot, "Unknown\\shell\\edytuj\\command", "", std::string(command));
    reRead();
    EXPECT_EQ(box("Notepad")->isChecked(), ticked);
  }
}

TEST_F(ExplorerPageTest, NotepadTickedWithoutUnknownShellStopsTheApplyAfterTheStepsBeforeIt) {
  set(Root::CurrentUser, kExplorerPolicies, "NoFileMenu", 1);
  deleteKey(Root::ClassesRoot, "Unknown");
  reRead();
  ASSERT_TRUE(box("NoFileMenu")->isChecked());
  EXPECT_FALSE(box("Notepad")->isChecked());
  click(box("NoFileMenu"));
  click(box("New"));
  click(box("Notepad"));
  remove(Root::LocalMachine, kUpdate, "UpdateMode");
  click(applyButton());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text, "Failed to set data for ''");
  EXPECT_TRUE(applyButton()->isEnabled());
  EXPECT_FALSE(app->restartNeeded());
  // Steps 1 and 7 ran, UpdateMode of step 10 and the prune of step 11 did not.
  EXPECT_EQ(stored(Root::CurrentUser, kExplorerPolicies, "NoFileMenu"), StoredValue(0));
  EXPECT_EQ(stored(Root::ClassesRoot, "Directory\\Background\\shellex\\ContextMenuHandlers\\New", ""),
            text(""));
  EXPECT_EQ(stored(Root::LocalMachine, kUpdate, "UpdateMode"), std::nullopt);
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "Unknown\\shell"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "OpenInNotepad"));
}

TEST_F(ExplorerPageTest, ClearedNotepadAndRegBoxesLeaveMissingKeysMissingAndTheApplyGoesOn) {
  deleteKey(Root::ClassesRoot, "Unknown");
  deleteKey(Root::ClassesRoot, ".reg");
  set(Root::ClassesRoot, ".txt", "", std::string("txtfile"));
  remove(Root::LocalMachine, kUpdate, "UpdateMode");
  reRead();
  ASSERT_FALSE(box("Reg")->isChecked());
  ASSERT_FALSE(box("Notepad")->isChecked());
  click(box("NoFileMenu"));
  apply();
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_TRUE(app->restartNeeded());
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "Unknown"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".reg"));
  EXPECT_EQ(stored(Root::LocalMachine, kUpdate, "UpdateMode"), bytes({0}));
}

TEST_F(ExplorerPageTest, BinaryBoxesLoadByTheirNumberAndLengthAndWriteTheirBytes) {
  struct Case {
    const char* box;
    Root root;
    const char* key;
    const char* value;
    std::optional<StoredValue> stored;
    bool ticked;
  };
  const std::vector<Case> cases{
      {"NoDriveTypeAutoRun", Root::CurrentUser, kExplorerPolicies, "NoDriveTypeAutoRun", Bytes{0xB5, 0, 0, 0},
       true},
      {"NoDriveTypeAutoRun", Root::CurrentUser, kExplorerPolicies, "NoDriveTypeAutoRun", Bytes{0x95, 0, 0, 0},
       false},
      {"NoDriveTypeAutoRun", Root::CurrentUser, kExplorerPolicies, "NoDriveTypeAutoRun", StoredValue(181),
       false},
      {"NoDriveTypeAutoRun", Root::CurrentUser, kExplorerPolicies, "NoDriveTypeAutoRun",
       Bytes{0xB5, 0, 0, 0, 0}, false},
      {"link", Root::CurrentUser, kExplorer, "link", Bytes{0, 0, 0, 0, 7}, true},
      {"link", Root::CurrentUser, kExplorer, "link", Bytes{0x1E, 0, 0, 0}, false},
      {"link", Root::CurrentUser, kExplorer, "link", std::nullopt, false},
      {"UpdateMode", Root::LocalMachine, kUpdate, "UpdateMode", std::nullopt, true},
      {"UpdateMode", Root::LocalMachine, kUpdate, "UpdateMode", Bytes{1}, false},
      {"UpdateMode", Root::LocalMachine, kUpdate, "UpdateMode", Bytes{0}, true},
      {"UpdateMode", Root::LocalMachine, kUpdate, "UpdateMode", StoredValue(0), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.box) + (c.ticked ? " ticked" : " clear"));
    remove(c.root, c.key, c.value);
    if (c.stored) set(c.root, c.key, c.value, *c.stored);
    reRead();
    EXPECT_EQ(box(c.box)->isChecked(), c.ticked);
  }
  const struct {
    const char* box;
    Root root;
    const char* key;
    const char* value;
    Bytes on, off;
  } writes[] = {{"NoDriveTypeAutoRun",
                 Root::CurrentUser,
                 kExplorerPolicies,
                 "NoDriveTypeAutoRun",
                 {0xB5, 0, 0, 0},
                 {0x95, 0, 0, 0}},
                {"link", Root::CurrentUser, kExplorer, "link", {0, 0, 0, 0}, {0x1E, 0, 0, 0}},
                {"UpdateMode", Root::LocalMachine, kUpdate, "UpdateMode", {0}, {1}}};
  for (const auto& w : writes) {
    SCOPED_TRACE(w.box);
    for (bool on : {true, false}) {
      if (box(w.box)->isChecked() != on) click(box(w.box));
      key(box(w.box), Qt::Key_Return);
      EXPECT_EQ(stored(w.root, w.key, w.value), bytes(on ? w.on : w.off));
    }
  }
}

TEST_F(ExplorerPageTest, ShortcutArrowAndTheTwoHandlersRoundTrip) {
  EXPECT_FALSE(box("IsShortcut")->isChecked());
  EXPECT_FALSE(box("New")->isChecked());
  EXPECT_FALSE(box("SendTo")->isChecked());
  for (const char* name : {"IsShortcut", "New", "SendTo"}) click(box(name));
  apply();
  EXPECT_EQ(stored(Root::ClassesRoot, "lnkfile", "IsShortcut"), std::nullopt);
  EXPECT_EQ(stored(Root::ClassesRoot, "piffile", "IsShortcut"), std::nullopt);
  EXPECT_EQ(stored(Root::ClassesRoot, "Directory\\Background\\shellex\\ContextMenuHandlers\\New", ""),
            text(""));
  EXPECT_EQ(stored(Root::ClassesRoot, "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To", ""),
            text(""));
  reRead();
  for (const char* name : {"IsShortcut", "New", "SendTo"}) {
    EXPECT_TRUE(box(name)->isChecked()) << name;
    click(box(name));
  }
  apply();
  EXPECT_EQ(stored(Root::ClassesRoot, "lnkfile", "IsShortcut"), text(""));
  EXPECT_EQ(stored(Root::ClassesRoot, "piffile", "IsShortcut"), text(""));
  EXPECT_EQ(stored(Root::ClassesRoot, "Directory\\Background\\shellex\\ContextMenuHandlers\\New", ""),
            text("{D969A300-E7FF-11d0-A93B-00A0C90F2719}"));
  EXPECT_EQ(stored(Root::ClassesRoot, "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To", ""),
            text("{7BA4C740-9E81-11CF-99D3-00AA004AE837}"));
  // One of the two values missing is enough for the arrow box.
  remove(Root::ClassesRoot, "piffile", "IsShortcut");
  reRead();
  EXPECT_TRUE(box("IsShortcut")->isChecked());
}

TEST_F(ExplorerPageTest, TheToolbarBackgroundIsCheckedChosenDecodedOnlyWhenShownAppliedAndRemoved) {
  const std::string bitmap = "C:\\WINDOWS\\Chmury.bmp";
  ASSERT_TRUE(environment->files().fileExists(bitmap));
  pictures.addPicture(hostPath(bitmap), Picture{QImage(4, 4, QImage::Format_RGB32), 24, PictureKind::Bmp});
  auto* remove = find<QPushButton>("explorer2Remove");
  EXPECT_FALSE(remove->isEnabled());

  for (const char* refused : {"C:\\WINDOWS\\Chmury.Bmp", "C:\\WINDOWS\\brak.bmp", "C:\\WINDOWS\\win.ini"}) {
    SCOPED_TRACE(refused);
    dialogs.answer(std::optional<std::string>(refused));
    click("explorer2Change");
    EXPECT_EQ(
        dialogs.boxes().back().text,
        "Format wybranego pliku jest nieprawidłowy. Aby zmienić tło eksploratora plik musi być w formacie "
        "BMP. Wybierz inny plik, lub sprawdź czy wybrany plik istnieje.");
    EXPECT_TRUE(explorer().backgroundPath().empty());
  }
  EXPECT_FALSE(applyButton()->isEnabled());
  const auto& chooser = dialogs.shown.front();
  EXPECT_EQ(chooser.file.title, "Tapeta Eksploratora Windows");
  EXPECT_EQ(chooser.file.filter, "Bitmapy|*.bmp");
  EXPECT_EQ(chooser.file.initialFolder, app->environment().programDirectory() + "\\Logo\\Tapetki");

  dialogs.answer(std::optional<std::string>(bitmap));
  click("explorer2Change");
  EXPECT_EQ(explorer().backgroundPath(), bitmap);
  EXPECT_TRUE(applyButton()->isEnabled());
  apply();
  EXPECT_EQ(stored(Root::CurrentUser, kToolbar, "BackBitmapShell"), text(bitmap.c_str()));
  EXPECT_TRUE(remove->isEnabled());

  // The loader only checks the file; the picture is decoded when it shows.
  const std::size_t before = pictures.calls().size();
  reRead();
  EXPECT_TRUE(remove->isEnabled());
  EXPECT_FALSE(explorer().preview()->decoded());
  EXPECT_EQ(pictures.calls().size(), before);
  explorer().preview()->grab();
  EXPECT_TRUE(explorer().preview()->decoded());
  EXPECT_FALSE(explorer().preview()->picture().isNull());

  click(remove);
  EXPECT_EQ(stored(Root::CurrentUser, kToolbar, "BackBitmapShell"), std::nullopt);
  EXPECT_FALSE(remove->isEnabled());
  EXPECT_TRUE(explorer().backgroundPath().empty());
  EXPECT_TRUE(explorer().preview()->file().empty());

  // A stored path naming no file loads as none.
  set(Root::CurrentUser, kToolbar, "BackBitmapShell", std::string("C:\\brak.bmp"));
  reRead();
  EXPECT_TRUE(explorer().backgroundPath().empty());
  EXPECT_FALSE(remove->isEnabled());
}

TEST_F(ExplorerPageTest, TheScrollBarMovesThePanelByAColumnAndTheLoaderPutsItBack) {
  QScrollBar* scroll = explorer().scroller();
  EXPECT_EQ(explorer().panel()->x(), 0);
  // A click on the arrow at the right end.
  QTest::mouseClick(scroll, Qt::LeftButton, {}, QPoint(scroll->width() - 3, scroll->height() / 2));
  EXPECT_EQ(scroll->value(), 1);
  EXPECT_EQ(explorer().panel()->x(), -280);
  EXPECT_GE(explorer().panel()->width(), 2 * explorer().panel()->parentWidget()->width());
  reRead();
  EXPECT_EQ(scroll->value(), 0);
  EXPECT_EQ(explorer().panel()->x(), 0);
}

}  // namespace
}  // namespace kelvaro::testing
