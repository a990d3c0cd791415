// The system icons page and the icon picker on the sandbox's own icon
// libraries: what each slot shows for its stored location, the picker's
// browsing and delivery, and what "Zapisz" writes.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "dialogs/icon_picker.h"
#include "dialogs/icon_slots.h"
#include "pages/appearance/system_icons_page.h"
#include "pages/widgets/icon_picture.h"
#include "platform/file_system.h"
#include "store/registry_handle.h"
#include "store/wine_registry_files.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char kShellIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
constexpr char kShell32[] = "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL";
constexpr char kRecycleBin[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";

const char* const kClassKeys[] = {
    "CLSID\\{208D2C60-3AEA-1069-A2D7-08002B30309D}\\DefaultIcon",
    "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\DefaultIcon",
    "CLSID\\{21EC2020-3AEA-1069-A2DD-08002B30309D}\\DefaultIcon",
    "CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}\\DefaultIcon",
    "CLSID\\{871C5380-42A0-1069-A2EA-08002B30309D}\\DefaultIcon",
    "CLSID\\{450D8FBA-AD25-11D0-98A8-0800361B1103}\\DefaultIcon",
    "CLSID\\{FF393560-C2A7-11CF-BFF4-444553540000}\\DefaultIcon",
    "CLSID\\{85BBD920-42A0-1069-A2E4-08002B30309D}\\DefaultIcon",
    "CLSID\\{8369AB20-56C9-11D0-94E8-00AA0059CE02}\\DefaultIcon",
    "CLSID\\{8E6E6079-0CB7-11d2-8F10-0000F87ABD16}\\DefaultIcon",
    "CLSID\\{992CFFA0-F557-101A-88EC-00DD010CCC48}\\DefaultIcon",
    "CLSID\\{D6277990-4C6A-11CF-8D87-00AA0060F5BF}\\DefaultIcon",
    "CLSID\\{BD84B380-8CA2-1069-AB1D-08000948F534}\\DefaultIcon",
    "CLSID\\{00021400-0000-0000-C000-000000000046}\\DefaultIcon",
};
const char* const kShellIconValues[] = {"17", "35", "37", "31", "32", "33", "34", "4",
                                        "3",  "36", "6",  "8",  "11", "29", "40"};

TEST(IconSlots, ASlotHasOneLivingOwnerWhoGetsWhatIsDelivered) {
  IconSlots owners;
  std::vector<std::string> got;
  auto first = std::make_unique<QObject>();
  owners.add(first.get(), IconSlots::range(39, 49), [&got](int slot, const IconChoice& c) {
    got.push_back("first " + std::to_string(slot) + " " + c.location);
  });
  QObject second;
  auto toSecond = [&got](int slot, const IconChoice& c) {
    got.push_back("second " + std::to_string(slot) + " " + c.location);
  };
  EXPECT_THROW(owners.add(&second, {49}, toSecond), std::logic_error);
  EXPECT_TRUE(owners.deliver(49, {"a.dll,1", "a.dll", 1, {}}));
  EXPECT_FALSE(owners.deliver(50, {"a.dll,2", "a.dll", 2, {}}));
  first.reset();  // a page that is gone owns nothing
  EXPECT_FALSE(owners.owned(49));
  owners.add(&second, {49}, toSecond);
  EXPECT_TRUE(owners.deliver(49, {"b.dll,0", "b.dll", 0, {}}));
  EXPECT_EQ(got, (std::vector<std::string>{"first 49 a.dll,1", "second 49 b.dll,0"}));
}

class SystemIconsPageTest : public PageHarness {
 protected:
  void SetUp() override { useEnvironmentIcons(); }

  SystemIconsPage& open() {
    makeWindow();
    return static_cast<SystemIconsPage&>(showAndLoad("ikony"));
  }
  QImage icon(std::string_view file, int index) { return environmentIcons->extractIcon(file, index).large; }
  QImage shown(SystemIconsPage& page, int slot) { return page.picture(slot)->icon(); }
  TIkonyForm& picker() { return app->iconPicker(); }
  QPushButton* save() { return find<QPushButton>("ikonyZapisz"); }

  // Opens the picker from a slot, picks icon `index` of a file of the
  // picker's folder and confirms with OK.
  void pick(SystemIconsPage& page, int slot, const QString& file, int index) {
    doubleClick(page.picture(slot), QPoint(16, 16));
    ASSERT_TRUE(picker().isVisible());
    ASSERT_TRUE(clickItem(picker().fileList(), file)) << file.toStdString();
    ASSERT_TRUE(clickItem(picker().iconList(), QString::number(index)));
    QTest::mouseClick(picker().okButton(), Qt::LeftButton);
  }

  ValueKind storedKind(Root root, std::string_view key, std::string_view name) {
    const auto files = WineRegistryFiles::open(prefix);
    RegistryHandle reg(*files);
    reg.setRoot(root);
    return reg.openKey(key, false) ? reg.valueKind(name) : ValueKind::Unknown;
  }
};

TEST_F(SystemIconsPageTest, EachSlotShowsWhatItsLocationNamesAndKeepsTheLocationAsStored) {
  // A System32 shell library beside the sandbox's System one, for %SystemRoot%.
  std::filesystem::create_directories(hostPath("C:\\WINDOWS\\System32"));
  std::filesystem::copy_file(hostPath(kShell32), hostPath("C:\\WINDOWS\\System32\\Shell32.dll"));
  // Two commas: the file is everything before the last one.
  std::filesystem::create_directories(hostPath("C:\\a,b"));
  std::filesystem::copy_file(hostPath("C:\\WINDOWS\\SYSTEM\\SHDOCVW.DLL"), hostPath("C:\\a,b\\x.dll"));

  set(Root::ClassesRoot, kClassKeys[0], "", std::string("%SystemRoot%\\system32\\shell32.dll,15"));
  set(Root::ClassesRoot, kClassKeys[1], "", std::string("shell32.dll,-16"));
  set(Root::ClassesRoot, kClassKeys[2], "", std::string("x.exe,abc"));
  set(Root::ClassesRoot, kClassKeys[3], "", std::string("x.exe,"));
  set(Root::ClassesRoot, kClassKeys[4], "", std::string("C:\\a,b\\x.dll,2"));
  remove(Root::ClassesRoot, kRecycleBin, "Empty");
  set(Root::ClassesRoot, kRecycleBin, "Full", 1);  // not text: shown as missing
  set(Root::LocalMachine, kShellIcons, "4", std::string("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,-3"));
  remove(Root::LocalMachine, kShellIcons, "3");
  SystemIconsPage& page = open();

  const QImage generic = environmentIcons->genericIcon();
  EXPECT_EQ(shown(page, 1), icon("C:\\WINDOWS\\System32\\Shell32.dll", 15));
  EXPECT_EQ(shown(page, 2), icon("C:\\WINDOWS\\Explorer.exe", 0));  // its own substitute
  EXPECT_EQ(shown(page, 3), generic);
  EXPECT_EQ(shown(page, 4), generic);
  EXPECT_EQ(shown(page, 5), icon("C:\\a,b\\x.dll", 2));
  EXPECT_EQ(shown(page, 7), icon(kShell32, 31));  // empty: the fallback
  EXPECT_EQ(shown(page, 8), icon(kShell32, 32));
  EXPECT_EQ(shown(page, 17), icon(kShell32, 4));  // a negative index: the slot's substitute
  EXPECT_EQ(shown(page, 18), icon(kShell32, 3));
  EXPECT_NE(icon(kShell32, 15), icon(kShell32, 4));  // the cases tell the icons apart
  EXPECT_FALSE(shown(page, 5).isNull());

  EXPECT_EQ(page.location(1), "%SystemRoot%\\system32\\shell32.dll,15");
  EXPECT_EQ(page.location(2), "shell32.dll,-16");
  EXPECT_EQ(page.location(8), "");
  EXPECT_FALSE(save()->isEnabled());
}

TEST_F(SystemIconsPageTest, ApplyWithEveryHolderEmptyWritesEmptyStringsEverywhere) {
  for (const char* key : kClassKeys) remove(Root::ClassesRoot, key, "");
  remove(Root::ClassesRoot, kRecycleBin, "Empty");
  remove(Root::ClassesRoot, kRecycleBin, "Full");
  {
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::LocalMachine);
    reg.deleteKey(kShellIcons);
    app->flush();
  }
  SystemIconsPage& page = open();
  for (int slot = 1; slot <= SystemIconsPage::kSlotCount; ++slot) EXPECT_EQ(page.location(slot), "") << slot;
  save()->setEnabled(true);  // as after a delivery
  click(save());

  for (const char* key : kClassKeys)
    EXPECT_EQ(stored(Root::ClassesRoot, key, ""), StoredValue(std::string())) << key;
  EXPECT_EQ(stored(Root::ClassesRoot, kRecycleBin, "Empty"), StoredValue(std::string()));
  EXPECT_EQ(stored(Root::ClassesRoot, kRecycleBin, "Full"), StoredValue(std::string()));
  for (const char* value : kShellIconValues)
    EXPECT_EQ(stored(Root::LocalMachine, kShellIcons, value), StoredValue(std::string())) << value;
  EXPECT_TRUE(app->restartNeeded());
  EXPECT_FALSE(save()->isEnabled());
}

TEST_F(SystemIconsPageTest, AnExpandableLocationIsWrittenBackUnchangedAndStillExpandable) {
  {
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::ClassesRoot);
    reg.openKey(kClassKeys[0], true);
    reg.writeExpandString("", "%SystemRoot%\\system32\\shell32.dll,15");
    app->flush();
  }
  SystemIconsPage& page = open();
  pick(page, 18, "SHELL32.DLL", 3);
  click(save());
  EXPECT_EQ(stored(Root::ClassesRoot, kClassKeys[0], ""),
            StoredValue(std::string("%SystemRoot%\\system32\\shell32.dll,15")));
  EXPECT_EQ(storedKind(Root::ClassesRoot, kClassKeys[0], ""), ValueKind::ExpandString);
  // Slot 1 also goes to Shell Icons "17", as it was read.
  EXPECT_EQ(storedKind(Root::LocalMachine, kShellIcons, "17"), ValueKind::ExpandString);
  EXPECT_EQ(storedKind(Root::LocalMachine, kShellIcons, "3"), ValueKind::String);
}

TEST_F(SystemIconsPageTest, PickingTheFourthIconOfTheShellLibraryForSlot18StoresItsLocation) {
  SystemIconsPage& page = open();
  doubleClick(page.caption(18), QPoint(5, 5));  // the caption opens the picker as the picture does
  ASSERT_TRUE(picker().isVisible());
  EXPECT_FALSE(frame().isEnabled());
  EXPECT_EQ(picker().windowTitle(), QString::fromUtf8("Zmień ikonę na...."));
  EXPECT_EQ(picker().folder(), "C:\\WINDOWS\\SYSTEM");
  EXPECT_FALSE(picker().okButton()->isEnabled());
  picker().reject();

  pick(page, 18, "SHELL32.DLL", 3);
  EXPECT_FALSE(picker().isVisible());
  EXPECT_TRUE(frame().isEnabled());
  EXPECT_EQ(page.location(18), std::string(kShell32) + ",3");
  EXPECT_EQ(shown(page, 18), icon(kShell32, 3));
  ASSERT_TRUE(save()->isEnabled());
  click(save());
  EXPECT_EQ(stored(Root::LocalMachine, kShellIcons, "3"), StoredValue(std::string(kShell32) + ",3"));
}

TEST_F(SystemIconsPageTest, EscapeAndCancelDeliverNothingAndTheNextOpeningKeepsFolderAndFile) {
  SystemIconsPage& page = open();
  const std::string before = page.location(7);
  doubleClick(page.picture(7), QPoint(16, 16));
  ASSERT_TRUE(clickItem(picker().fileList(), "SHELL32.DLL"));
  ASSERT_TRUE(clickItem(picker().iconList(), "5"));
  EXPECT_TRUE(picker().okButton()->isEnabled());
  QTest::keyClick(picker().iconList(), Qt::Key_Escape);
  EXPECT_FALSE(picker().isVisible());
  EXPECT_TRUE(frame().isEnabled());
  EXPECT_EQ(page.location(7), before);
  EXPECT_FALSE(save()->isEnabled());

  doubleClick(page.picture(8), QPoint(16, 16));
  EXPECT_EQ(picker().listedFile(), kShell32);
  EXPECT_EQ(picker().fileList()->currentItem()->text(), "SHELL32.DLL");
  EXPECT_FALSE(picker().okButton()->isEnabled());
  QTest::keyClick(picker().fileList(), Qt::Key_Escape);
  EXPECT_FALSE(picker().isVisible());

  doubleClick(page.picture(8), QPoint(16, 16));
  QTest::mouseClick(picker().cancelButton(), Qt::LeftButton);
  EXPECT_FALSE(picker().isVisible());
  EXPECT_TRUE(frame().isEnabled());
  EXPECT_FALSE(save()->isEnabled());
}

TEST_F(SystemIconsPageTest, PickerListsEveryIconOfTheFileInOrderAndBrowsesFoldersAndDrives) {
  SystemIconsPage& page = open();
  doubleClick(page.picture(1), QPoint(16, 16));
  // Hidden and system files are listed; only the mask's kinds.
  app->files().writeFile("C:\\WINDOWS\\SYSTEM\\ukryta.ico", "");
  app->files().setAttributes("C:\\WINDOWS\\SYSTEM\\ukryta.ico", kAttributeHidden | kAttributeSystem);
  app->files().writeFile("C:\\WINDOWS\\SYSTEM\\notatka.txt", "");
  QTreeWidget* tree = picker().folderTree();
  QTreeWidgetItem* root = tree->topLevelItem(0);
  ASSERT_EQ(root->text(0), "C:\\");
  QTreeWidgetItem* windows = nullptr;
  for (int i = 0; i < root->childCount(); ++i) {
    if (root->child(i)->text(0) == "WINDOWS") windows = root->child(i);
  }
  ASSERT_NE(windows, nullptr);
  tree->scrollToItem(windows);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(windows).center());
  EXPECT_EQ(picker().folder(), "C:\\WINDOWS");
  QTreeWidgetItem* system = nullptr;
  for (int i = 0; i < windows->childCount(); ++i) {
    if (windows->child(i)->text(0) == "SYSTEM") system = windows->child(i);
  }
  ASSERT_NE(system, nullptr);
  tree->scrollToItem(system);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(system).center());
  EXPECT_EQ(picker().folder(), "C:\\WINDOWS\\SYSTEM");
  EXPECT_FALSE(picker().fileList()->findItems("ukryta.ico", Qt::MatchExactly).isEmpty());
  EXPECT_TRUE(picker().fileList()->findItems("notatka.txt", Qt::MatchExactly).isEmpty());

  ASSERT_TRUE(clickItem(picker().fileList(), "SHELL32.DLL"));
  const std::vector<Icon> all = environmentIcons->allIcons(kShell32);
  ASSERT_EQ(picker().iconList()->count(), static_cast<int>(all.size()));
  ASSERT_GT(all.size(), 55u);
  for (int i : {0, 17, 55}) {
    EXPECT_EQ(picker().iconList()->item(i)->text(), QString::number(i));
    EXPECT_EQ(
        picker().iconList()->item(i)->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
        all[static_cast<std::size_t>(i)].large.convertToFormat(QImage::Format_ARGB32))
        << i;
  }
  // Double-clicking an icon confirms it.
  QListWidget* icons = picker().iconList();
  icons->scrollToItem(icons->item(17));
  doubleClick(icons->viewport(), icons->visualItemRect(icons->item(17)).center());
  EXPECT_FALSE(picker().isVisible());
  EXPECT_EQ(page.location(1), std::string(kShell32) + ",17");

  // The drive selector holds the environment's drives; another drive shows its root.
  doubleClick(page.picture(1), QPoint(16, 16));
  QComboBox* drives = picker().driveSelector();
  std::vector<char> expected = app->files().drives();
  ASSERT_EQ(drives->count(), static_cast<int>(expected.size()));
  EXPECT_EQ(drives->currentText(), "c:");
  picker().reject();
}

TEST_F(SystemIconsPageTest, HoverFramesTheSlotAndTheScrollBarShiftsTheStrip) {
  SystemIconsPage& page = open();
  QTest::mouseMove(page.caption(5), QPoint(10, 5));
  QTRY_VERIFY(page.pictureFrame()->isVisible());
  EXPECT_TRUE(page.pictureFrame()->geometry().contains(page.picture(5)->geometry()));
  EXPECT_TRUE(page.captionFrame()->geometry().intersects(page.caption(5)->geometry()));
  QTest::mouseMove(&page, QPoint(page.width() - 5, page.height() - 60));  // the page's background
  QTRY_VERIFY(!page.pictureFrame()->isVisible());
  EXPECT_FALSE(page.captionFrame()->isVisible());

  EXPECT_EQ(page.strip()->x(), 27);
  page.scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(page.strip()->x(), 27 - 190);
  EXPECT_EQ(page.scrollBar()->toolTip(), QString::fromUtf8("Przewiń lewo/prawo"));
  page.reRead();
  EXPECT_EQ(page.strip()->x(), 27);
  EXPECT_EQ(page.picture(20)->toolTip(), QString::fromUtf8("Ikona \"Dyskietka 3,5\""));
  EXPECT_EQ(page.caption(20)->text(), QString::fromUtf8("Dyskietka 3,5'"));
}

}  // namespace
}  // namespace kelvaro::testing
