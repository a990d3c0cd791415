// The tricks page: every trick's round trip through load and apply, the
// keys of other programs that a clear box removes, the icon tricks and
// their KelvaroBack, the Start-menu folders, the clock script, the welcome
// message and the player title, and the description lines.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "pages/shell/tricks_page.h"
#include "pages/widgets/in_place_editor.h"
#include "platform/file_system.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

constexpr char kWinlogon[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
constexpr char kRunServices[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices";
constexpr char kPlayer[] = "SOFTWARE\\Policies\\Microsoft\\WindowsMediaPlayer";
constexpr char kMyComputer[] = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell";

struct KeyText {
  const char* key;
  const char* text;  // the default value
};

// Each HKEY_CLASSES_ROOT trick as the registry shows it switched on; off,
// the first key of each is gone.
struct ClassesCase {
  const char* box;
  std::vector<KeyText> on;
};

const std::vector<ClassesCase> kClassesCases{
    {"trikiKosz",
     {{"Folder\\shellex\\ContextMenuHandlers\\Kosz", "{645FF040-5081-101B-9F08-00AA002F954E}"},
      {"*\\shellex\\ContextMenuHandlers\\Kosz", "{645FF040-5081-101B-9F08-00AA002F954E}"}}},
    {"trikiZamknij",
     {{"Folder\\shell\\ExitWindows", "&Zamknij System"},
      {"Folder\\shell\\ExitWindows\\Command", "RUNDLL32.EXE user.exe,ExitWindows"},
      {"*\\shell\\ExitWindows", "&Zamknij System"},
      {"*\\shell\\ExitWindows\\Command", "RUNDLL32.EXE user.exe,ExitWindows"}}},
    {"trikiDos",
     {{"Folder\\shell\\TrybMS_DOS", "Tryb MS-DOS"},
      {"Folder\\shell\\TrybMS_DOS\\Command", "COMMAND.COM /K CD %1"}}},
    {"trikiAtrybuty",
     {{"Directory\\shell\\attrib_+s", "Atrybut +s"},
      {"Directory\\shell\\attrib_-s", "Atrybut -s"},
      {"Directory\\shell\\attrib_+s\\command", "attrib.exe +s %1"},
      {"Directory\\shell\\attrib_-s\\command", "attrib.exe -s %1"}}},
    {"trikiNoweOkno",
     {{"Directory\\shell\\OpenInNew", "Otwórz w nowym oknie"},
      {"Directory\\shell\\OpenInNew\\Command", "Explorer %1"}}},
    {"trikiSkanuj",
     {{"Drive\\shell\\ScanDisk", "Skanuj"}, {"Drive\\shell\\ScanDisk\\Command", "scandskw.exe"}}},
    {"trikiDefragmentuj",
     {{"Drive\\shell\\Defrag", "Defragmentuj"}, {"Drive\\shell\\Defrag\\Command", "Defrag.exe %1"}}},
    {"trikiKopiuj", {{"*\\shellex\\ContextMenuHandlers\\Copyto", "{C2FBB630-2971-11d1-A18C-00C04FD75D13}"}}},
    {"trikiPrzenies",
     {{"*\\shellex\\ContextMenuHandlers\\Moveto", "{C2FBB631-2971-11d1-A18C-00C04FD75D13}"}}},
    {"trikiEksploracja",
     {{"CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Eksplo&ruj\\command", "Explorer.exe"},
      {kMyComputer, "Eksplo&ruj"}}},
};

class TricksPageTest : public PageHarness {
 protected:
  void SetUp() override {
    ASSERT_NE(start(), nullptr);
    showAndLoad("triki");
  }
  TricksPage& tricks() { return static_cast<TricksPage&>(page("triki")); }
  QCheckBox* box(const char* name) { return find<QCheckBox>(name); }
  QPushButton* applyButton() { return find<QPushButton>("trikiApply"); }
  void reRead() { showAndLoad("triki"); }
  std::optional<StoredValue> classes(const char* key, const char* name = "") {
    return stored(Root::ClassesRoot, key, name);
  }
  void setClasses(const char* key, const char* text) { set(Root::ClassesRoot, key, "", std::string(text)); }
  void deleteKey(Root root, const char* key) {
    RegistryHandle reg(app->registry());
    reg.setRoot(root);
    reg.deleteKey(key);
    app->flush();
  }
  std::optional<StoredValue> text(const char* t) { return StoredValue(std::string(t)); }
  std::string startMenu() { return "C:\\WINDOWS\\Menu Start"; }
  // Two moves, as a move to where the pointer already is reaches no widget.
  void hover(QWidget* w) {
    QTest::mouseMove(w, QPoint(2, 2));
    QTest::mouseMove(w, w->rect().center());
  }
};

TEST_F(TricksPageTest, EveryClassesTrickRoundTripsThroughApplyAndReRead) {
  for (const ClassesCase& c : kClassesCases) {
    SCOPED_TRACE(c.box);
    ASSERT_FALSE(box(c.box)->isChecked());
    click(box(c.box));
    ASSERT_TRUE(applyButton()->isEnabled());
    click(applyButton());
    EXPECT_FALSE(applyButton()->isEnabled());
    for (const KeyText& k : c.on) EXPECT_EQ(classes(k.key), text(k.text)) << k.key;
    reRead();
    EXPECT_TRUE(box(c.box)->isChecked());

    click(box(c.box));
    click(applyButton());
    EXPECT_FALSE(keyStored(Root::ClassesRoot, c.on.front().key));
    reRead();
    EXPECT_FALSE(box(c.box)->isChecked());
  }
  // Off, "Mój komputer" has no default verb again, and the verb's key is gone.
  EXPECT_EQ(classes(kMyComputer), text(""));
  EXPECT_FALSE(
      keyStored(Root::ClassesRoot, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Eksplo&ruj"));
}

TEST_F(TricksPageTest, ApplyingUntouchedBoxesDeletesKeysAnotherProgramLeftAndSetsTheRestartFlag) {
  // Keys a clear box does not count as its trick: another handler, an empty verb.
  setClasses("*\\shellex\\ContextMenuHandlers\\Copyto", "{00000000-0000-0000-0000-000000000000}");
  setClasses("Folder\\shell\\TrybMS_DOS", "");
  setClasses("Drive\\shell\\ScanDisk\\Command", "scandskw.exe");
  setClasses("Folder\\shellex\\ContextMenuHandlers\\Kosz", "{645FF040-5081-101B-9F08-00AA002F954E}");
  reRead();
  for (const char* name : {"trikiKopiuj", "trikiDos", "trikiSkanuj", "trikiKosz"})
    EXPECT_FALSE(box(name)->isChecked()) << name;
  ASSERT_FALSE(applyButton()->isEnabled());

  // Enter on a box applies although nothing is pending.
  key(box("trikiZegar"), Qt::Key_Return);
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_TRUE(app->restartNeeded());
  for (const char* key : {"*\\shellex\\ContextMenuHandlers\\Copyto", "Folder\\shell\\TrybMS_DOS",
                          "Drive\\shell\\ScanDisk", "Folder\\shellex\\ContextMenuHandlers\\Kosz"})
    EXPECT_FALSE(keyStored(Root::ClassesRoot, key)) << key;
}

TEST_F(TricksPageTest, TheBitmapTrickKeepsTheIconInKelvaroBackAndPutsItBack) {
  const char* icon = "Paint.Picture\\DefaultIcon";
  ASSERT_EQ(classes(icon), text("C:\\WINDOWS\\PBRUSH.EXE,1"));
  ASSERT_FALSE(box("trikiBitmapy")->isChecked());
  click(box("trikiBitmapy"));
  click(applyButton());
  EXPECT_EQ(classes(icon), text("%1"));
  EXPECT_EQ(classes(icon, "KelvaroBack"), text("C:\\WINDOWS\\PBRUSH.EXE,1"));
  reRead();
  EXPECT_TRUE(box("trikiBitmapy")->isChecked());
  key(box("trikiBitmapy"), Qt::Key_Enter);  // applying again while on keeps what KelvaroBack holds
  EXPECT_EQ(classes(icon), text("%1"));
  EXPECT_EQ(classes(icon, "KelvaroBack"), text("C:\\WINDOWS\\PBRUSH.EXE,1"));

  click(box("trikiBitmapy"));
  click(applyButton());
  EXPECT_EQ(classes(icon), text("C:\\WINDOWS\\PBRUSH.EXE,1"));
  EXPECT_EQ(classes(icon, "KelvaroBack"), text("C:\\WINDOWS\\PBRUSH.EXE,1"));
}

TEST_F(TricksPageTest, TheIconLibraryTrickRegistersIclWhereItIsMissing) {
  deleteKey(Root::ClassesRoot, ".icl");
  deleteKey(Root::ClassesRoot, "iclfile");
  reRead();
  ASSERT_FALSE(box("trikiICL")->isChecked());
  click(box("trikiICL"));
  click(applyButton());
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(classes(".icl"), text("ICLfile"));
  EXPECT_EQ(classes("ICLfile"), text("Biblioteka Ikon"));
  EXPECT_EQ(classes("ICLfile\\DefaultIcon"), text("%1"));
  EXPECT_EQ(classes("ICLfile\\DefaultIcon", "KelvaroBack"), text("C:\\WINDOWS\\SYSTEM\\shell32.dll,0"));
  reRead();
  EXPECT_TRUE(box("trikiICL")->isChecked());
  click(box("trikiICL"));
  click(applyButton());
  EXPECT_EQ(classes("ICLfile\\DefaultIcon"), text("C:\\WINDOWS\\SYSTEM\\shell32.dll,0"));
}

TEST_F(TricksPageTest, TheIconLibraryTrickKeepsARegisteredTypesIconOnce) {
  ASSERT_EQ(classes(".icl"), text("iclfile"));
  click(box("trikiICL"));
  click(applyButton());
  EXPECT_EQ(classes("iclfile\\DefaultIcon"), text("%1"));
  EXPECT_EQ(classes("iclfile\\DefaultIcon", "KelvaroBack"), text("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,74"));
  // A KelvaroBack already there is not written over.
  set(Root::ClassesRoot, "iclfile\\DefaultIcon", "KelvaroBack", std::string("C:\\ikony.icl,3"));
  click(box("trikiICL"));
  click(applyButton());
  EXPECT_EQ(classes("iclfile\\DefaultIcon"), text("C:\\ikony.icl,3"));
}

TEST_F(TricksPageTest, StartMenuFoldersAreMadeAndRemovedButAFolderWithFilesStays) {
  const std::string control = startMenu() + "\\Panel Sterowania.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
  const std::string network = startMenu() + "\\Sieć.{208D2C60-3AEA-1069-A2D7-08002B30309D}";
  ASSERT_TRUE(environment->files().directoryExists(startMenu()));
  ASSERT_FALSE(box("trikiPanelSterowania")->isChecked());
  click(box("trikiPanelSterowania"));
  click(box("trikiSieci"));
  click(applyButton());
  EXPECT_TRUE(environment->files().directoryExists(control));
  EXPECT_TRUE(environment->files().directoryExists(network));
  ASSERT_TRUE(environment->files().writeFile(network + "\\notatka.txt", "x"));
  reRead();
  EXPECT_TRUE(box("trikiPanelSterowania")->isChecked());
  EXPECT_TRUE(box("trikiSieci")->isChecked());
  EXPECT_FALSE(box("trikiDrukarki")->isChecked());

  click(box("trikiPanelSterowania"));
  click(box("trikiSieci"));
  click(applyButton());
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_FALSE(environment->files().directoryExists(control));
  EXPECT_TRUE(environment->files().directoryExists(network));
  EXPECT_FALSE(applyButton()->isEnabled());
  reRead();
  EXPECT_TRUE(box("trikiSieci")->isChecked());
}

TEST_F(TricksPageTest, TheClockWritesItsScriptAndRunServicesEntryAndOffClearsTheDesignators) {
  set(Root::CurrentUser, "Control Panel\\International", "s1159", std::string("AM"));
  click(box("trikiZegar"));
  click(applyButton());
  std::ifstream in(hostPath("C:\\WINDOWS\\DATA.VBS"), std::ios::binary);
  const std::string script((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(script,
            "DIM Data\r\nData = Date\r\nset WSHShell = CreateObject(\"WScript.Shell\")\r\n"
            "WSHShell.RegWrite \"HKCU\\Control Panel\\International\\sTimeFormat\", \"HH:mm:ss tt\"\r\n"
            "WSHShell.RegWrite \"HKCU\\Control Panel\\International\\s1159\", Date\r\n"
            "WSHShell.RegWrite \"HKCU\\Control Panel\\International\\s2359\", Date\r\n");
  EXPECT_EQ(stored(Root::LocalMachine, kRunServices, "DataObokZegarka"),
            text("C:\\WINDOWS\\wscript.exe C:\\WINDOWS\\DATA.VBS"));
  EXPECT_EQ(stored(Root::CurrentUser, "Control Panel\\International", "s1159"), text("AM"));
  reRead();
  EXPECT_TRUE(box("trikiZegar")->isChecked());

  click(box("trikiZegar"));
  click(applyButton());
  EXPECT_EQ(stored(Root::LocalMachine, kRunServices, "DataObokZegarka"), std::nullopt);
  EXPECT_EQ(stored(Root::CurrentUser, "Control Panel\\International", "s1159"), std::nullopt);
}

TEST_F(TricksPageTest, TheClockWithoutRunServicesStopsTheApplyThereAndKeepsItPending) {
  deleteKey(Root::LocalMachine, kRunServices);
  reRead();
  click(box("trikiZegar"));
  click(box("trikiKopiuj"));  // later in the order
  click(box("trikiDos"));     // earlier in the order
  click(applyButton());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text, "Failed to set data for 'DataObokZegarka'");
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  EXPECT_TRUE(applyButton()->isEnabled());
  EXPECT_FALSE(app->restartNeeded());
  EXPECT_TRUE(keyStored(Root::ClassesRoot, "Folder\\shell\\TrybMS_DOS"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "*\\shellex\\ContextMenuHandlers\\Copyto"));
  EXPECT_FALSE(keyStored(Root::LocalMachine, kRunServices));
  // Where the key is missing the loader leaves the box as it is.
  reRead();
  EXPECT_TRUE(box("trikiZegar")->isChecked());
}

TEST_F(TricksPageTest, TheWelcomeMessageShowsItsGroupPreviewsAndWarnsAboutEmptyFields) {
  auto* group = find<QGroupBox>("trikiKomunikatGroup");
  auto* name = find<QLineEdit>("trikiNazwaKomunikatu");
  auto* body = find<QLineEdit>("trikiTrescKomunikatu");
  auto* preview = find<QPushButton>("trikiPodglad");
  EXPECT_FALSE(group->isVisible());
  EXPECT_EQ(name->text(), "Adnotacja prawna");
  click(box("trikiKomunikat"));
  EXPECT_TRUE(group->isVisible());
  EXPECT_FALSE(preview->isEnabled());
  type(body, "Wyloguj sie");
  EXPECT_TRUE(preview->isEnabled());
  click(preview);
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].title, "Adnotacja prawna");
  EXPECT_EQ(dialogs.boxes()[0].text, "Wyloguj sie");
  EXPECT_EQ(dialogs.boxes()[0].buttons, BoxButton::Ok);

  // An empty name is reported and not written; the text still is.
  type(name, "x");
  QTest::keyClick(name, Qt::Key_Backspace);
  EXPECT_FALSE(preview->isEnabled());
  key(body, Qt::Key_Return);  // Enter in a field applies
  ASSERT_EQ(dialogs.boxes().size(), 2u);
  EXPECT_EQ(
      dialogs.boxes()[1].text,
      "Wybrałeś opcję \"Komunikat na powitanie\", ale nie podałeś tytułu komunikatu co onzacza, że Windows "
      "przyjmie automatyczny tytuł \"Adnotacja prawna\"");
  EXPECT_EQ(stored(Root::LocalMachine, kWinlogon, "LegalNoticeCaption"), std::nullopt);
  EXPECT_EQ(stored(Root::LocalMachine, kWinlogon, "LegalNoticeText"), text("Wyloguj sie"));
  EXPECT_TRUE(app->restartNeeded());

  set(Root::LocalMachine, kWinlogon, "LegalNoticeCaption", std::string("Uwaga"));
  reRead();
  EXPECT_TRUE(box("trikiKomunikat")->isChecked());
  EXPECT_EQ(name->text(), "Uwaga");
  EXPECT_EQ(body->text(), "Wyloguj sie");
  type(body, "y");
  QTest::keyClick(body, Qt::Key_Backspace);
  click(applyButton());
  ASSERT_EQ(dialogs.boxes().size(), 3u);
  EXPECT_EQ(dialogs.boxes()[2].text,
            "Wybrałeś opcję \"Komunikat na powitanie\", ale nie podałeś treści komunikatu. Komunikat nie "
            "zostanie zapisny !!!");

  click(box("trikiKomunikat"));
  EXPECT_FALSE(group->isVisible());
  click(applyButton());
  EXPECT_EQ(stored(Root::LocalMachine, kWinlogon, "LegalNoticeCaption"), std::nullopt);
  EXPECT_EQ(stored(Root::LocalMachine, kWinlogon, "LegalNoticeText"), std::nullopt);
  reRead();
  EXPECT_EQ(name->text(), "Adnotacja prawna");
}

TEST_F(TricksPageTest, ThePlayerTitleIsRewrittenAsStoredEditedInPlaceAndRemoved) {
  set(Root::CurrentUser, kPlayer, "TitleBar", std::string("Kelvaro"));
  reRead();
  auto* title = find<QLabel>("trikiTytul");
  EXPECT_EQ(title->text(), "Program Windows Media Player dostarczony przez Kelvaro");
  key(box("trikiDos"), Qt::Key_Return);
  EXPECT_EQ(stored(Root::CurrentUser, kPlayer, "TitleBar"), text("Kelvaro"));

  InPlaceEditor* editor = tricks().titleEditor();
  doubleClick(title);
  ASSERT_TRUE(editor->textEditor()->isVisible());
  EXPECT_EQ(editor->textEditor()->text(), title->text());
  EXPECT_EQ(tricks().descriptionLine(0)->text(), "");
  EXPECT_EQ(tricks().descriptionLine(2)->text(), "UWAGA: Naciśnij ENTER, aby zatwerdzić zmianę !!!");
  type(editor->textEditor(), "Abc");
  EXPECT_FALSE(applyButton()->isEnabled());
  QTest::keyClick(editor->textEditor(), Qt::Key_Return);
  EXPECT_FALSE(editor->textEditor()->isVisible());
  EXPECT_EQ(title->text(), "Abc");
  EXPECT_TRUE(applyButton()->isEnabled());
  click(applyButton());
  EXPECT_EQ(stored(Root::CurrentUser, kPlayer, "TitleBar"), text("Abc"));

  // The field widens with what is typed.
  doubleClick(title);
  const int narrow = editor->textEditor()->width();
  type(editor->textEditor(), "Odtwarzacz filmow");
  EXPECT_GT(editor->textEditor()->width(), narrow);
  QTest::keyClick(editor->textEditor(), Qt::Key_Return);

  doubleClick(title);
  type(editor->textEditor(), "Windows Media Player");
  QTest::keyClick(editor->textEditor(), Qt::Key_Return);
  click(applyButton());
  EXPECT_EQ(stored(Root::CurrentUser, kPlayer, "TitleBar"), std::nullopt);
  reRead();
  EXPECT_EQ(title->text(), "Windows Media Player");
}

TEST_F(TricksPageTest, HoveringAControlSetsTheThreeDescriptionLinesAndTheHoverResetClearsThem) {
  const auto lines = [this] {
    return std::vector<QString>{tricks().descriptionLine(0)->text(), tricks().descriptionLine(1)->text(),
                                tricks().descriptionLine(2)->text()};
  };
  hover(box("trikiSkanuj"));
  EXPECT_EQ(
      lines(),
      (std::vector<QString>{
          "", "Klikając prawym przyciskiem na dysku w menu kontekstowym pojawi się nowa pozycja \"Skanuj\".",
          "Dzięki temu w łatwy sposób będziesz mógł zeskanować wybrany dysk programem ScanDisk"}));
  hover(box("trikiSieci"));
  EXPECT_EQ(lines(), (std::vector<QString>{
                         "", "", "Dzięki tej opcji będziesz miał szybki dostęp do folderu \"Sieć\"."}));
  hover(find<QLabel>("trikiMenuStartLabel"));
  EXPECT_EQ(lines()[2], "Wybierz którąś z poniższych opcji...");
  hover(box("trikiDos"));
  EXPECT_EQ(lines()[1],
            "systemu MS-DOS z każdego miejsca wystarczy wybrać tę opcję. Później już  tylko klikamy prawym");
  tricks().resetTransient();
  EXPECT_EQ(lines(), (std::vector<QString>{"", "", ""}));
}

}  // namespace
}  // namespace kelvaro::testing
