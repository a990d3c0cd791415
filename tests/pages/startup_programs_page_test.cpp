// The start-up programs page: the four Run lists, adding, editing and
// removing entries, which write at once.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "pages/system/startup_programs_page.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunServices[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
enum { HklmRun, HklmRunServices, HklmRunOnce, HkcuRun };

class StartupProgramsPageTest : public PageHarness {
 protected:
  void SetUp() override {
    ASSERT_NE(start(), nullptr);
    frame().showPage("AutoRUN");
  }
  StartupProgramsPage& page() { return static_cast<StartupProgramsPage&>(PageHarness::page("AutoRUN")); }
  QStringList names(int tab) {
    QStringList out;
    for (int i = 0; i < page().list(tab)->topLevelItemCount(); ++i)
      out << page().list(tab)->topLevelItem(i)->text(0);
    return out;
  }
  void showTab(int tab) {
    QTabBar* bar = page().subPageControl()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    ASSERT_EQ(page().subPageControl()->currentIndex(), tab);
  }
  void select(int tab, const QString& name) {
    ASSERT_TRUE(clickItem(page().list(tab), name)) << name.toStdString();
  }
  std::optional<StoredValue> run(const char* name, Root root = Root::LocalMachine) {
    return stored(root, kRun, name);
  }
  std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const auto& box : dialogs.boxes()) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(StartupProgramsPageTest, ListsOnlyStringValuesSortedAndDescribesEachTab) {
  // The sandbox holds a binary value in HKLM's Run key and a DWORD in HKCU's.
  EXPECT_EQ(names(HklmRun), (QStringList{"Antywirus", "LoadPowerProfile", "LoadQM", "ScanRegistry",
                                         "SystemTray", "TaskMonitor"}));
  EXPECT_EQ(page().list(HklmRun)->topLevelItem(0)->text(1), "C:\\Program Files\\Skaner\\monitor.exe /tray");
  EXPECT_EQ(names(HkcuRun), (QStringList{"Komunikator", "Winamp"}));
  EXPECT_EQ(names(HklmRunOnce), QStringList{"Rejestracja"});
  EXPECT_FALSE(find<QPushButton>("HKLMrunEdit")->isEnabled());
  EXPECT_FALSE(find<QPushButton>("HKLMrunRemove")->isEnabled());

  EXPECT_EQ(find<QLabel>("autorunLine1")->text(),
            "Ta zakładka zawiera spis programów uruchamianych przy starcie Windows`a przez wszystkich "
            "użytkowników.");
  EXPECT_FALSE(find<QLabel>("autorunLine2")->isVisible());
  showTab(HklmRunOnce);
  EXPECT_EQ(find<QLabel>("autorunLine2")->text(),
            "Klucz \"Run Once\" działa w ten sposób, że po uruchomieniu aplikacji wpis z tego klucza jest "
            "usuwany.");
  showTab(HkcuRun);
  EXPECT_EQ(find<QLabel>("autorunLine1")->text(),
            "Ta zakładka zawiera spis programów uruchamianych przy starcie Windows`a,");
  EXPECT_EQ(find<QLabel>("autorunLine2")->text(), "skonfigurowanych przez indywidualnych użytkowników.");
  // The untouched values of other kinds are still there.
  EXPECT_EQ(stored(Root::CurrentUser, kRun, "Liczba"), StoredValue(1));
}

TEST_F(StartupProgramsPageTest, AddingChoosesAProgramDerivesItsNameAndWritesAtOnce) {
  dialogs.answer(std::string("C:\\WINDOWS\\NOTEPAD.EXE"));
  click("HKLMrunAdd");
  ASSERT_EQ(dialogs.shown.size(), 1U);
  EXPECT_EQ(dialogs.shown[0].file.title, "Wibierz program");
  EXPECT_EQ(dialogs.shown[0].file.filter, "Programy (*.exe)|*.exe");
  EXPECT_EQ(dialogs.shown[0].file.initialFolder, "C:\\WINDOWS");
  EXPECT_EQ(find<QLineEdit>("autorunAddPanelName")->text(), "NOTEPAD");
  EXPECT_FALSE(page().subPageControl()->tabBar()->isEnabled());
  EXPECT_TRUE(page().hasPendingEdits());

  // A name that is taken replaces that entry's command.
  find<QLineEdit>("autorunAddPanelName")->selectAll();
  type("autorunAddPanelName", "LoadQM");
  key(find<QLineEdit>("autorunAddPanelName"), Qt::Key_Return);
  EXPECT_EQ(run("LoadQM"), StoredValue(std::string("C:\\WINDOWS\\NOTEPAD.EXE")));
  EXPECT_EQ(names(HklmRun).count("LoadQM"), 1);
  EXPECT_FALSE(find<QWidget>("autorunAddPanel")->isVisible());
  EXPECT_TRUE(page().subPageControl()->tabBar()->isEnabled());
  EXPECT_FALSE(page().hasPendingEdits());
  EXPECT_FALSE(app->restartNeeded());

  // A program that is no .exe is refused and the panel keeps what it had.
  showTab(HkcuRun);
  dialogs.answer(std::string("C:\\WINDOWS\\NOTEPAD.EXE"));
  click("HKCUrunAdd");
  dialogs.answer(std::string("C:\\WINDOWS\\SETUP.BAT"));
  click("autorunAddPanelChooser");
  EXPECT_EQ(messages().back(),
            "Wybrałeś nieodpowiedni format pliku !!!\rPrawidłowym formatem są aplikacje z rozszerzeniem EXE");
  EXPECT_EQ(find<QLineEdit>("autorunAddPanelCommand")->text(), "C:\\WINDOWS\\NOTEPAD.EXE");
  // A value of another kind under the chosen name becomes a string entry.
  find<QLineEdit>("autorunAddPanelName")->selectAll();
  type("autorunAddPanelName", "Liczba");
  click("autorunAddPanelOk");
  EXPECT_EQ(stored(Root::CurrentUser, kRun, "Liczba"), StoredValue(std::string("C:\\WINDOWS\\NOTEPAD.EXE")));
  EXPECT_TRUE(names(HkcuRun).contains("Liczba"));
}

TEST_F(StartupProgramsPageTest, EditingOntoAnotherEntrysNameLeavesOneEntryLess) {
  select(HklmRun, "LoadQM");
  EXPECT_TRUE(find<QPushButton>("HKLMrunEdit")->isEnabled());
  key(page().list(HklmRun), Qt::Key_Return);
  ASSERT_TRUE(find<QWidget>("autorunEditPanel")->isVisible());
  EXPECT_EQ(find<QLineEdit>("autorunEditPanelName")->text(), "LoadQM");
  EXPECT_EQ(find<QLineEdit>("autorunEditPanelCommand")->text(), "loadqm.exe");
  EXPECT_TRUE(find<QPushButton>("autorunEditPanelOk")->isEnabled());

  find<QLineEdit>("autorunEditPanelName")->selectAll();
  type("autorunEditPanelName", "TaskMonitor");
  click("autorunEditPanelOk");
  EXPECT_EQ(run("LoadQM"), std::nullopt);
  EXPECT_EQ(run("TaskMonitor"), StoredValue(std::string("loadqm.exe")));
  EXPECT_EQ(names(HklmRun).size(), 5);
  EXPECT_FALSE(find<QPushButton>("HKLMrunEdit")->isEnabled());
}

TEST_F(StartupProgramsPageTest, WithTheBoxClearedANewProgramChangesOnlyTheCommand) {
  select(HklmRun, "SystemTray");
  click("HKLMrunEdit");
  click(find<QCheckBox>("autorunDeriveName"));
  EXPECT_FALSE(find<QCheckBox>("autorunDeriveName")->isChecked());
  dialogs.answer(std::string("C:\\WINDOWS\\CALC.EXE"));
  click("autorunEditPanelChooser");
  EXPECT_EQ(find<QLineEdit>("autorunEditPanelName")->text(), "SystemTray");
  key(find<QLineEdit>("autorunEditPanelName"), Qt::Key_Return);
  EXPECT_EQ(run("SystemTray"), StoredValue(std::string("C:\\WINDOWS\\CALC.EXE")));

  // Ticked again, the chosen program names the entry.
  select(HklmRun, "SystemTray");
  click("HKLMrunEdit");
  click(find<QCheckBox>("autorunDeriveName"));
  dialogs.answer(std::string("C:\\WINDOWS\\NOTEPAD.EXE"));
  click("autorunEditPanelChooser");
  EXPECT_EQ(find<QLineEdit>("autorunEditPanelName")->text(), "NOTEPAD");
}

TEST_F(StartupProgramsPageTest, AFailedEditLeavesTheEntryAsItWasAndThePanelOpen) {
  select(HklmRun, "LoadQM");
  click("HKLMrunEdit");
  // No value can have a name this long: the write fails.
  find<QLineEdit>("autorunEditPanelName")->setText(QString(17000, 'x'));
  click("autorunEditPanelOk");
  ASSERT_EQ(dialogs.boxes().size(), 1U);
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  EXPECT_EQ(run("LoadQM"), StoredValue(std::string("loadqm.exe")));
  EXPECT_TRUE(find<QWidget>("autorunEditPanel")->isVisible());
  EXPECT_FALSE(page().subPageControl()->tabBar()->isEnabled());
  click("autorunEditPanelCancel");
  EXPECT_TRUE(page().subPageControl()->tabBar()->isEnabled());
}

TEST_F(StartupProgramsPageTest, RemovingAsksNothingAndNeedsASelection) {
  const int before = names(HklmRun).size();
  key(page().list(HklmRun), Qt::Key_Delete);  // nothing selected
  EXPECT_EQ(names(HklmRun).size(), before);
  click("HKLMrunEdit");  // disabled: nothing happens
  select(HklmRun, "ScanRegistry");
  key(page().list(HklmRun), Qt::Key_Delete);
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(run("ScanRegistry"), std::nullopt);
  EXPECT_FALSE(names(HklmRun).contains("ScanRegistry"));
  EXPECT_EQ(run("EnablePenAndIMM"), StoredValue(Bytes{1, 0}));
}

TEST_F(StartupProgramsPageTest, AnEmptyCommandAndAMissingKey) {
  set(Root::CurrentUser, kRun, "Pusty", std::string());
  {
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::LocalMachine);
    reg.deleteKey(kRunServices);
    app->flush();
  }
  click("reReadButton");
  select(HkcuRun, "Pusty");
  click("HKCUrunEdit");
  EXPECT_EQ(find<QLineEdit>("autorunEditPanelCommand")->text(), "");
  EXPECT_FALSE(find<QPushButton>("autorunEditPanelOk")->isEnabled());
  key(find<QLineEdit>("autorunEditPanelName"), Qt::Key_Escape);
  EXPECT_FALSE(find<QWidget>("autorunEditPanel")->isVisible());

  // RunServices is gone: its list is empty and an addition fails on the write.
  EXPECT_TRUE(names(HklmRunServices).isEmpty());
  showTab(HklmRunServices);
  dialogs.answer(std::string("C:\\WINDOWS\\NOTEPAD.EXE"));
  click("HKLMrunservicesAdd");
  click("autorunAddPanelOk");
  ASSERT_EQ(dialogs.boxes().size(), 1U);
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  EXPECT_FALSE(keyStored(Root::LocalMachine, kRunServices));
  EXPECT_TRUE(find<QWidget>("autorunAddPanel")->isVisible());
  EXPECT_FALSE(page().subPageControl()->tabBar()->isEnabled());
}

TEST_F(StartupProgramsPageTest, EditWithNothingSelectedSaysSo) {
  select(HklmRun, "LoadQM");
  page().list(HklmRun)->clearSelection();
  doubleClick(page().list(HklmRun)->viewport(), QPoint(5, page().list(HklmRun)->viewport()->height() - 3));
  key(page().list(HklmRun), Qt::Key_Return);
  EXPECT_EQ(messages(), std::vector<std::string>{"Nie wybrałeś wpisu do edycji"});
}

}  // namespace
}  // namespace kelvaro::testing
