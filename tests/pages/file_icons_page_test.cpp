// The file icons page: a type named by its extension, by the selector or by
// one of the three markers, its icon shown, a new one picked and applied;
// and the type list the selector holds.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "dialogs/icon_picker.h"
#include "pages/shell/file_icons_page.h"
#include "pages/shell/file_type_list.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char kShellIcons[] = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
constexpr char kShell32[] = "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL";
constexpr char kPrompt[] = "Wybierz odpowiedni typ pliku podając rozszerzenie lub opis";

class FileIconsPageTest : public PageHarness {
 protected:
  FileIconsPage& open() {
    makeWindow();
    // The file types page fills the selector, as it loads first at start-up.
    showAndLoad("typyplikow");
    return static_cast<FileIconsPage&>(showAndLoad("pliki"));
  }
  QPushButton* applyButton() { return find<QPushButton>("plikiZastosuj"); }
  QImage preview(FileIconsPage& page) {
    return page.preview()->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  }
  void deleteKey(Root root, const char* key) {
    RegistryHandle reg(app->registry());
    reg.setRoot(root);
    reg.deleteKey(key);
    app->flush();
  }
  void choose(FileIconsPage& page, const QString& entry) {
    QComboBox* selector = page.typeSelector();
    const int index = selector->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    selector->setCurrentIndex(index);
    emit selector->activated(index);  // as choosing it in the drop-down does
  }
};

TEST_F(FileIconsPageTest, TypingAnExtensionShowsItsDescriptionAndTheShellsIconForIt) {
  useEnvironmentIcons();
  FileIconsPage& page = open();
  EXPECT_EQ(page.typeSelector()->currentText(), QString::fromUtf8(kPrompt));
  EXPECT_FALSE(page.changeButton()->isEnabled());

  type(page.extensionField(), "BMP");
  EXPECT_EQ(page.typeSelector()->currentText(), QString::fromUtf8("Obraz mapy bitowej"));
  EXPECT_EQ(page.typeName(), "Paint.Picture");
  EXPECT_EQ(page.location(), "C:\\WINDOWS\\PBRUSH.EXE,1");
  EXPECT_EQ(preview(page),
            environmentIcons->fileTypeIcon("BMP").large.convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(preview(page), environmentIcons->extractIcon("C:\\WINDOWS\\PBRUSH.EXE", 1)
                               .large.convertToFormat(QImage::Format_ARGB32));
  EXPECT_TRUE(page.changeButton()->isEnabled());
  EXPECT_FALSE(applyButton()->isEnabled());  // only a delivery enables it
  EXPECT_TRUE(dialogs.boxes().empty());

  QTest::mouseMove(page.preview(), QPoint(10, 10));
  QTRY_COMPARE(page.preview()->toolTip(), QStringLiteral("Ikony pliku BMP"));

  type(page.extensionField(), "QQQ");  // not registered
  EXPECT_TRUE(page.preview()->pixmap().isNull());
  EXPECT_FALSE(page.changeButton()->isEnabled());
  EXPECT_EQ(page.typeName(), "");
}

TEST_F(FileIconsPageTest, AnExtensionWhoseIconIsTheFilesOwnIsReportedAndCannotBeChanged) {
  FileIconsPage& page = open();
  type(page.extensionField(), "ICO");
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  const MessageBoxSpec box = dialogs.boxes().front();
  EXPECT_EQ(box.title, "Morvane Kelvaro");
  EXPECT_EQ(
      box.text,
      "Ikonę wybranego typu plików można zmienić, ale zalecam nie wprowadzać zmian dotyczących plików typu "
      "\"ICO\", ponieważ ikona tego pliku przyjmuje różny wygląd w zależności od posiadanego pliku \"ICO\". "
      "Jeżeli zmienisz ikonę tego typu plików wówczas wszystkie pliki z rozszerzeniem \"ICO\" będą miały "
      "jednakową ikonę. To tak, jakby plikom ikon nadać jedną stałą ikonę. Wówczas nie widzimy, co w "
      "rzeczywistości przedstawia dana ikona.");
  EXPECT_EQ(preview(page), icons.genericIcon().convertToFormat(QImage::Format_ARGB32));
  EXPECT_FALSE(page.changeButton()->isEnabled());
}

TEST_F(FileIconsPageTest, AMarkerWithoutItsValueProposesTheShellLibraryIconAndApplyWritesThePickedOne) {
  useEnvironmentIcons();
  remove(Root::LocalMachine, kShellIcons, "0");
  FileIconsPage& page = open();
  choose(page, QString::fromUtf8("- Domyślna ikona pliku niezarejestrowanego"));
  EXPECT_EQ(page.extensionField()->text(), "@");
  EXPECT_FALSE(page.extensionField()->isVisible());
  EXPECT_FALSE(page.extensionField()->isEnabled());
  EXPECT_EQ(page.location(), "C:\\WINDOWS\\System\\Shell32.dll,0");  // the shell library's name
  EXPECT_EQ(preview(page),
            environmentIcons->extractIcon(kShell32, 0).large.convertToFormat(QImage::Format_ARGB32));
  ASSERT_TRUE(page.changeButton()->isEnabled());
  EXPECT_FALSE(applyButton()->isEnabled());

  click(page.changeButton());
  TIkonyForm& picker = app->iconPicker();
  ASSERT_TRUE(picker.isVisible());
  EXPECT_EQ(picker.slot(), 61);
  ASSERT_TRUE(clickItem(picker.fileList(), "SHELL32.DLL"));
  ASSERT_TRUE(clickItem(picker.iconList(), "2"));
  QTest::mouseClick(picker.okButton(), Qt::LeftButton);
  EXPECT_EQ(page.location(), std::string(kShell32) + ",2");
  ASSERT_TRUE(applyButton()->isEnabled());
  click(applyButton());
  EXPECT_EQ(stored(Root::LocalMachine, kShellIcons, "0"), StoredValue(std::string(kShell32) + ",2"));
  EXPECT_TRUE(app->restartNeeded());
  EXPECT_FALSE(applyButton()->isEnabled());

  // A typed extension afterwards shows the field again.
  choose(page, QString::fromUtf8("Obraz mapy bitowej"));
  EXPECT_TRUE(page.extensionField()->isVisibleTo(&page));
  EXPECT_TRUE(page.extensionField()->isEnabled());
}

TEST_F(FileIconsPageTest, ApplyForAnExtensionWritesTheTypesDefaultIcon) {
  FileIconsPage& page = open();
  icons.addFile(kShell32, std::vector<Icon>(5, Icon{icons.genericIcon(), {}}));
  type(page.extensionField(), "txt");
  ASSERT_TRUE(page.changeButton()->isEnabled());
  click(page.changeButton());
  ASSERT_TRUE(clickItem(app->iconPicker().fileList(), "SHELL32.DLL"));
  ASSERT_TRUE(clickItem(app->iconPicker().iconList(), "4"));
  QTest::mouseClick(app->iconPicker().okButton(), Qt::LeftButton);
  click(applyButton());
  EXPECT_EQ(stored(Root::ClassesRoot, "txtfile\\DefaultIcon", ""), StoredValue(std::string(kShell32) + ",4"));
}

TEST_F(FileIconsPageTest, TheSelectorHoldsTheMarkersThenTheTypeListAndAddressesItByPosition) {
  set(Root::ClassesRoot, ".zz1", "", std::string(""));               // empty type name
  set(Root::ClassesRoot, ".zz2", "", std::string("NoSuchTypeKey"));  // names no key
  set(Root::ClassesRoot, ".zz3", "", std::string("zz3file"));
  set(Root::ClassesRoot, "zz3file", "x", std::string(""));  // no description
  set(Root::ClassesRoot, ".Aa0", "", std::string("zz3file"));
  const std::vector<FileTypeEntry> types = readTypeList(app->registry());
  auto has = [&types](const char* ext) {
    return std::any_of(types.begin(), types.end(),
                       [ext](const FileTypeEntry& t) { return t.extension == ext; });
  };
  EXPECT_FALSE(has("ZZ1"));
  EXPECT_FALSE(has("ZZ2"));
  ASSERT_TRUE(has("ZZ3"));
  ASSERT_TRUE(has("AA0"));
  for (std::size_t i = 1; i < types.size(); ++i)
    EXPECT_LE(QString::fromStdString(types[i - 1].extension)
                  .compare(QString::fromStdString(types[i].extension), Qt::CaseInsensitive),
              0)
        << types[i - 1].extension << " " << types[i].extension;
  const auto zz3 =
      std::find_if(types.begin(), types.end(), [](const FileTypeEntry& t) { return t.extension == "ZZ3"; });
  EXPECT_EQ(zz3->description, "zz3file");

  FileIconsPage& page = open();
  QComboBox* selector = page.typeSelector();
  ASSERT_EQ(selector->count(), static_cast<int>(types.size()) + 3);
  EXPECT_EQ(selector->itemText(0), QString::fromUtf8("- Domyślny dokument"));
  EXPECT_EQ(selector->itemText(2), QString::fromUtf8("- Domyślna ikona apliacji DOS-owej"));
  const int at = static_cast<int>(zz3 - types.begin()) + 3;
  EXPECT_EQ(selector->itemText(at), "zz3file");
  selector->setCurrentIndex(at);
  emit selector->activated(at);
  EXPECT_EQ(page.extensionField()->text(), "ZZ3");

  // Text that is none of the entries starts over.
  QTest::keyClicks(selector->lineEdit(), "x");
  EXPECT_EQ(selector->currentText(), QString::fromUtf8(kPrompt));
  EXPECT_EQ(page.extensionField()->text(), "");
  EXPECT_FALSE(page.changeButton()->isEnabled());
}

}  // namespace
}  // namespace kelvaro::testing
