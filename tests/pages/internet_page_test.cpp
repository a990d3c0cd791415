// The Internet page beyond its bound settings: the "Ogólne" values and
// their inline editors, the toolbar pictures and their animation, the
// yes/no switches, the mail reader's identity and the Internet Options
// tab boxes.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <fstream>
#include <map>

#include "pages/system/internet_editor.h"
#include "pages/system/internet_page.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char kIe[] = "Software\\Microsoft\\Internet Explorer";
constexpr char kIeMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr char kIeToolbar[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr char kDocumentWindows[] = "Software\\Microsoft\\Internet Explorer\\Document Windows";
constexpr char kRestrictions[] = "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
constexpr char kControlPanel[] = "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Control Panel";
constexpr char kMachineMain[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Main";
constexpr char kIdentity[] =
    "Identities\\{3F2504E0-4F89-11D3-9A0C-0305E82C3301}\\Software\\Microsoft\\Outlook Express\\5.0";
constexpr char kOutlook[] = "Software\\Microsoft\\Outlook Express";
constexpr char kIdleNote[] = "Uwaga: Kliknij dwukrotnie na informację, którą chcesz zmienić.";
constexpr char kEditingNote[] = "Uwaga: Zatwierdź zmianę ENTER-em.";

class InternetPageTest : public PageHarness {
 protected:
  InternetPage& started() {
    EXPECT_NE(start(), nullptr);
    frame().showPage("internet");
    return static_cast<InternetPage&>(page("internet"));
  }
  InternetPage& reloaded() {
    auto& p = static_cast<InternetPage&>(page("internet"));
    EXPECT_TRUE(app->run([&p] { p.reload(); }));
    return p;
  }
  QString label(const char* name) { return find<QLabel>(name)->text(); }
  // Edits a value label through its inline editor.
  void edit(InternetPage& page, const char* name, const char* text) {
    doubleClick(find<QLabel>(name));
    QLineEdit* field = page.generalEditor()->field();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  // A picture file in the environment that the picture double decodes.
  std::string pictureFile(const std::string& name, int width, int height) {
    const std::string dos = "C:\\WINDOWS\\" + name;
    std::ofstream(hostPath("C:\\WINDOWS") / name) << "BM";
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    pictures.addPicture(hostPath(dos), Picture{image, 24});
    return dos;
  }
  std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const auto& box : dialogs.boxes()) out.push_back(box.text);
    return out;
  }
};

TEST_F(InternetPageTest, MissingValuesShowTheirDefaultsAndApplyWritesThemUntilTheMachineKeyFails) {
  for (const char* value : {"Start Page", "Local Page", "Save Directory"})
    remove(Root::CurrentUser, kIeMain, value);
  remove(Root::CurrentUser, kIe, "Download Directory");
  remove(Root::CurrentUser, kIeToolbar, "LinksFolderName");
  remove(Root::LocalMachine, kMachineMain, "Window Title");
  InternetPage& page = started();
  const QString documents = QString::fromStdString(*frame().views().shellFolderLabel("Moje Dokumenty"));
  ASSERT_FALSE(documents.isEmpty());
  EXPECT_EQ(label("WindowTitle"), "Internet Explorer");
  EXPECT_EQ(label("DownloadDirectory"), documents);
  EXPECT_EQ(label("SaveDirectory"), documents);
  EXPECT_EQ(label("LocalPage"), QString::fromStdString(environment->systemDirectory() + "\\Blank.htm"));
  EXPECT_EQ(label("LinksFolderName"), "Łącza");
  EXPECT_EQ(label("StartPage"), "about:blank");
  EXPECT_EQ(label("ieNote"), kIdleNote);

  edit(page, "WindowTitle", "Przegladarka");
  ASSERT_TRUE(find<QPushButton>("ieGeneralApply")->isEnabled());
  click("ieGeneralApply");
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(stored(Root::CurrentUser, kIeMain, "Start Page"), StoredValue(std::string("about:blank")));
  EXPECT_EQ(stored(Root::CurrentUser, kIe, "Download Directory"), StoredValue(documents.toStdString()));
  EXPECT_EQ(stored(Root::CurrentUser, kIeMain, "Window Title"), StoredValue(std::string("Przegladarka")));
  EXPECT_EQ(stored(Root::LocalMachine, kMachineMain, "Window Title"),
            StoredValue(std::string("Przegladarka")));
  EXPECT_EQ(stored(Root::CurrentUser, kIeToolbar, "LinksFolderName"), StoredValue(std::string("Łącza")));
  EXPECT_FALSE(find<QPushButton>("ieGeneralApply")->isEnabled());
  EXPECT_TRUE(app->restartNeeded());

  // Without the machine's key the write fails there: the title before it is
  // written, the toolbar after it is not, and Apply stays pending.
  {
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::LocalMachine);
    reg.deleteKey(kMachineMain);
    app->flush();
  }
  edit(page, "WindowTitle", "Inna");
  edit(page, "LinksFolderName", "Linki");
  click("ieGeneralApply");
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  EXPECT_EQ(stored(Root::CurrentUser, kIeMain, "Window Title"), StoredValue(std::string("Inna")));
  EXPECT_FALSE(keyStored(Root::LocalMachine, kMachineMain));
  EXPECT_EQ(stored(Root::CurrentUser, kIeToolbar, "LinksFolderName"), StoredValue(std::string("Łącza")));
  EXPECT_TRUE(find<QPushButton>("ieGeneralApply")->isEnabled());
}

TEST_F(InternetPageTest, InlineEditorsOpenOneAtATimeAndEachKindEndsWithEnter) {
  InternetPage& page = started();
  InternetEditor* editor = page.generalEditor();
  QLineEdit* field = editor->field();

  // The caption opens its value's editor too; a second one stays shut.
  doubleClick(find<QLabel>("LocalPageCaption"));
  ASSERT_TRUE(field->isVisible());
  EXPECT_EQ(field->text(), label("LocalPage"));
  EXPECT_EQ(field->toolTip(), "Zmień stronę na inną, dowolną");
  EXPECT_EQ(label("ieNote"), kEditingNote);
  doubleClick(find<QLabel>("StartPage"));
  EXPECT_EQ(editor->editedField(), find<QLabel>("LocalPage"));
  // So do the picture links.
  click(find<QLabel>("SmBrandBitmapChange"));
  EXPECT_TRUE(dialogs.shown.empty());
  field->selectAll();
  QTest::keyClicks(field, "\"C:\\strona.htm\"");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(label("LocalPage"), "C:\\strona.htm");
  EXPECT_FALSE(field->isVisible());
  EXPECT_EQ(label("ieNote"), kIdleNote);

  // The start page's choices fill the field; the label changes on Enter.
  const QString before = label("StartPage");
  doubleClick(find<QLabel>("StartPage"));
  click(editor->button());
  ASSERT_TRUE(editor->choices()->isVisible());
  ASSERT_TRUE(clickItem(editor->choices(), "Pusta strona"));
  EXPECT_FALSE(editor->choices()->isVisible());
  EXPECT_EQ(field->text(), "about:blank");
  EXPECT_EQ(label("StartPage"), before);
  // "Dowolna strona" needs a file that is there.
  click(editor->button());
  ASSERT_TRUE(clickItem(editor->choices(), "Dowolna strona"));
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_TRUE(dialogs.boxes()[0].text.starts_with("Musisz najpierw podać nazwę strony"));
  EXPECT_EQ(field->text(), "about:blank");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(label("StartPage"), "about:blank");

  std::ofstream(hostPath("C:\\") / "strona.htm") << "<html></html>";
  doubleClick(find<QLabel>("StartPage"));
  click(editor->button());
  ASSERT_TRUE(clickItem(editor->choices(), "Dowolna strona"));
  EXPECT_EQ(field->text(), "C:\\strona.htm");
  QTest::keyClick(field, Qt::Key_Return);

  // A folder from the folder dialog.
  doubleClick(find<QLabel>("SaveDirectory"));
  EXPECT_EQ(field->toolTip(), "Zmień folder");
  EXPECT_EQ(editor->button()->toolTip(), "Kliknij, aby zmienić folder");
  dialogs.answer(std::optional<std::string>("C:\\WINDOWS\\TEMP"));
  click(editor->button());
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(label("SaveDirectory"), "C:\\WINDOWS\\TEMP");

  click("ieGeneralApply");
  EXPECT_EQ(stored(Root::CurrentUser, kIeMain, "Local Page"), StoredValue(std::string("C:\\strona.htm")));
  EXPECT_EQ(stored(Root::CurrentUser, kIeMain, "Start Page"), StoredValue(std::string("C:\\strona.htm")));
  EXPECT_EQ(stored(Root::CurrentUser, kIeMain, "Save Directory"),
            StoredValue(std::string("C:\\WINDOWS\\TEMP")));
}

TEST_F(InternetPageTest, ToolbarPicturesAreCheckedForTheirKindAndSize) {
  const std::string wide = pictureFile("szeroka.bmp", 23, 682);
  const std::string tall = pictureFile("wysoka.bmp", 22, 700);
  const std::string large = pictureFile("duza.bmp", 38, 1178);
  const std::string back = pictureFile("tlo.bmp", 64, 16);
  const std::string gif = pictureFile("ruch.gif", 22, 682);
  set(Root::CurrentUser, kIeToolbar, "BackBitmapIE5", std::string("C:\\WINDOWS\\nie-ma.bmp"));
  InternetPage& page = started();
  EXPECT_FALSE(find<QLabel>("BackBitmapIE5Remove")->isEnabled());  // its file is missing

  struct Case {
    const char* link;
    std::string file;
    std::optional<std::string> message;  // nullopt: accepted
  };
  const std::vector<Case> cases{
      {"SmBrandBitmapChange", wide,
       "Format wybranego rysunku jest niepoprawny !!!\r\rAnimacja musi zawierać 31 "
       "obrazków o wymiarach 22x22 każdy. Obrazki należy ułożyć jeden pod drugim, co "
       "łącznie daje rozmiar 22x682 całej animacji."},
      {"SmBrandBitmapChange", gif,
       "Format wybranego pliku jest nieprawidłowy. Aby zmienić małą animację na pasku "
       "narzędzi plik musi być w formacie BMP. Wybierz inny plik, lub sprawdź czy "
       "wybrany plik istnieje."},
      {"BrandBitmapChange", "C:\\WINDOWS\\brak.bmp",
       "Format wybranego pliku jest nieprawidłowy. Aby zmienić dużą animację na pasku narzędzi plik musi być "
       "w "
       "formacie BMP. Wybierz inny plik, lub sprawdź czy wybrany plik istnieje."},
      {"BrandBitmapChange", tall,
       "Format wybranego rysunku jest niepoprawny !!!\r\rAnimacja musi zawierać 31 "
       "obrazków o wymiarach 38x38 każdy. Obrazki należy ułożyć jeden pod drugim, co "
       "łącznie daje rozmiar 38x1178 całej animacji."},
      {"SmBrandBitmapChange", tall, std::nullopt},
      {"BrandBitmapChange", large, std::nullopt},
      {"BackBitmapIE5Change", back, std::nullopt},
  };
  std::map<std::string, ScriptedDialogs::Shown> chooser;  // by link
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    dialogs.shown.clear();
    dialogs.answer(std::optional<std::string>(c.file));
    click(find<QLabel>(c.link));
    EXPECT_EQ(messages(), c.message ? std::vector<std::string>{*c.message} : std::vector<std::string>{});
    chooser[c.link] = dialogs.shown.front();
  }
  EXPECT_EQ(page.picturePath(InternetPage::SmallAnimation), tall);
  EXPECT_EQ(page.picturePath(InternetPage::LargeAnimation), large);
  EXPECT_EQ(page.preview(InternetPage::SmallAnimation)->pixmap().toImage().pixelColor(5, 5), QColor(Qt::red));
  const ScriptedDialogs::Shown& largeChooser = chooser["BrandBitmapChange"];
  EXPECT_EQ(largeChooser.kind, "picture");
  EXPECT_EQ(largeChooser.file.title, "Duża animacja na pasku narzędzi");
  EXPECT_EQ(largeChooser.file.filter, "Bitmapy|*.bmp");
  EXPECT_EQ(largeChooser.file.initialFolder, environment->programDirectory() + "\\Logo\\Tapetki");
  EXPECT_EQ(chooser["SmBrandBitmapChange"].file.initialFolder, environment->programDirectory());
  ASSERT_TRUE(find<QLabel>("BrandBitmapRemove")->isEnabled());

  click(find<QLabel>("BrandBitmapRemove"));
  EXPECT_EQ(page.picturePath(InternetPage::LargeAnimation), "");
  click("ieGeneralApply");
  EXPECT_EQ(stored(Root::CurrentUser, kIeToolbar, "SmBrandBitmap"), StoredValue(tall));
  EXPECT_EQ(stored(Root::CurrentUser, kIeToolbar, "BackBitmapIE5"), StoredValue(back));
  EXPECT_EQ(stored(Root::CurrentUser, kIeToolbar, "BrandBitmap"), std::nullopt);

  // A stored path whose file has gone is removed by the next Apply.
  std::filesystem::remove(hostPath(back));
  reloaded();
  EXPECT_FALSE(find<QLabel>("BackBitmapIE5Remove")->isEnabled());
  edit(page, "LinksFolderName", "Linki");
  click("ieGeneralApply");
  EXPECT_EQ(stored(Root::CurrentUser, kIeToolbar, "BackBitmapIE5"), std::nullopt);
}

TEST_F(InternetPageTest, AnAnimationPlaysWhileThePointerIsOverItsPreview) {
  InternetPage& page = started();
  QLabel* small = page.preview(InternetPage::SmallAnimation);
  QLabel* large = page.preview(InternetPage::LargeAnimation);
  const QImage first = small->pixmap().toImage();
  QTest::mouseMove(small, small->rect().center());
  QTRY_VERIFY(page.animationFrame(InternetPage::SmallAnimation) > 0);
  QTRY_VERIFY(small->pixmap().toImage() != first);
  EXPECT_EQ(page.animationFrame(InternetPage::LargeAnimation), 0);

  QTest::mouseMove(large, large->rect().center());
  QTRY_VERIFY(page.animationFrame(InternetPage::LargeAnimation) > 0);
  EXPECT_EQ(page.animationFrame(InternetPage::SmallAnimation), 0);
  EXPECT_EQ(small->pixmap().toImage(), first);

  // Off the preview it stops at its first frame.
  QWidget* note = find<QLabel>("ieNote");
  QTest::mouseMove(note, note->rect().center());
  QTRY_COMPARE(page.animationFrame(InternetPage::LargeAnimation), 0);

  // The background's preview shows the whole toolbar while the pointer is over it.
  QLabel* back = page.preview(InternetPage::Background);
  QTest::mouseMove(back, back->rect().center());
  QTRY_VERIFY(page.previewPanel()->isVisible());
  page.resetTransient();
  EXPECT_FALSE(page.previewPanel()->isVisible());
}

TEST_F(InternetPageTest, YesNoTextsAreReadInAnyCaseAndWrittenLowerWithMaximizedInTwoPlaces) {
  set(Root::CurrentUser, kIeToolbar, "ShowFonts", std::string("Yes"));
  set(Root::CurrentUser, kIeToolbar, "ShowDiscussionButton", 1);  // not a text: "no"
  set(Root::CurrentUser, kDocumentWindows, "Maximized", std::string("yes"));
  set(Root::CurrentUser, kIeMain, "Maximized", std::string("no"));
  set(Root::CurrentUser, kRestrictions, "NoSplash", 1);
  started();
  frame().showPage("internet", "TabSheet4");
  EXPECT_TRUE(find<QCheckBox>("ieShowFonts")->isChecked());
  EXPECT_FALSE(find<QCheckBox>("ieShowDiscussionButton")->isChecked());
  EXPECT_TRUE(find<QCheckBox>("ieMaximized")->isChecked());
  EXPECT_TRUE(find<QCheckBox>("ieNoSplash")->isChecked());

  click(find<QCheckBox>("ieNoSplash"));
  ASSERT_TRUE(find<QPushButton>("ieSettingsApply")->isEnabled());
  // Enter on a box applies, also with nothing pending.
  key(find<QCheckBox>("ieFullScreen"), Qt::Key_Return);
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(stored(Root::CurrentUser, kIeToolbar, "ShowFonts"), StoredValue(std::string("yes")));
  EXPECT_EQ(stored(Root::CurrentUser, kIeToolbar, "ShowDiscussionButton"), StoredValue(std::string("no")));
  EXPECT_EQ(stored(Root::CurrentUser, kIeMain, "Maximized"), StoredValue(std::string("yes")));
  EXPECT_EQ(stored(Root::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SmallIcons",
                   "SmallIcons"),
            StoredValue(std::string("no")));
  EXPECT_EQ(stored(Root::CurrentUser, kRestrictions, "NoSplash"), std::nullopt);
  EXPECT_EQ(stored(Root::CurrentUser, kRestrictions, "NoChannelUI"), std::nullopt);
  EXPECT_EQ(stored(Root::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                   "NoBandCustomize"),
            StoredValue(0));
  EXPECT_FALSE(find<QPushButton>("ieSettingsApply")->isEnabled());

  // The box is read where Apply does not write it.
  click(find<QCheckBox>("ieMaximized"));
  click("ieSettingsApply");
  EXPECT_EQ(stored(Root::CurrentUser, kIeMain, "Maximized"), StoredValue(std::string("no")));
  reloaded();
  EXPECT_TRUE(find<QCheckBox>("ieMaximized")->isChecked());
}

TEST_F(InternetPageTest, OutlookExpressWritesToTheCurrentIdentityOrWithoutOneToItsOwnKey) {
  set(Root::CurrentUser, kOutlook, "Disable Hotmail", 0);
  set(Root::CurrentUser, kIdentity, "WindowTitle", std::string("Poczta Jana"));
  InternetPage& page = started();
  frame().showPage("internet", "TabSheet5");
  EXPECT_TRUE(find<QCheckBox>("DisableHotmail")->isChecked());
  EXPECT_EQ(label("OEWindowTitle"), "Poczta Jana");

  doubleClick(find<QLabel>("OEWindowTitle"));
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_TRUE(dialogs.boxes()[0].text.starts_with("Tytuł Outlook Express`a zależy od nazwy"));
  QLineEdit* field = page.outlookEditor()->field();
  ASSERT_TRUE(field->isVisible());
  EXPECT_FALSE(find<QCheckBox>("OENoSplash")->isEnabled());
  EXPECT_FALSE(find<QCheckBox>("DisableHotmail")->isEnabled());
  EXPECT_FALSE(find<QPushButton>("ieOutlookApply")->isEnabled());
  field->selectAll();
  QTest::keyClicks(field, "Moja poczta");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_TRUE(find<QCheckBox>("OENoSplash")->isEnabled());
  EXPECT_TRUE(find<QCheckBox>("DisableHotmail")->isEnabled());
  ASSERT_TRUE(find<QPushButton>("ieOutlookApply")->isEnabled());
  click(find<QCheckBox>("DisableHotmail"));
  click(find<QCheckBox>("OENoSplash"));
  click("ieOutlookApply");
  EXPECT_EQ(stored(Root::CurrentUser, kIdentity, "WindowTitle"), StoredValue(std::string("Moja poczta")));
  EXPECT_EQ(stored(Root::CurrentUser, kIdentity, "NoSplash"), StoredValue(1));
  EXPECT_EQ(stored(Root::CurrentUser, kOutlook, "Disable Hotmail"), StoredValue(1));
  EXPECT_TRUE(app->restartNeeded());

  // With no current identity the title is read from Identities and written beside Disable Hotmail.
  remove(Root::CurrentUser, "Identities", "Last User ID");
  reloaded();
  EXPECT_EQ(label("OEWindowTitle"), "Outlook Express");
  EXPECT_FALSE(find<QCheckBox>("OENoSplash")->isChecked());
  key(find<QCheckBox>("OENoSplash"), Qt::Key_Return);
  EXPECT_EQ(stored(Root::CurrentUser, "Software\\Microsoft\\Outlook Express\\5.0", "WindowTitle"),
            StoredValue(std::string("Outlook Express")));
  EXPECT_EQ(stored(Root::CurrentUser, "Software\\Microsoft\\Outlook Express\\5.0", "NoSplash"),
            StoredValue(0));
  EXPECT_EQ(stored(Root::CurrentUser, kIdentity, "WindowTitle"), StoredValue(std::string("Moja poczta")));
}

TEST_F(InternetPageTest, ATabBoxDisablesItsGroupWhichStillWritesItsTicks) {
  InternetPage& page = started();
  frame().showPage("internet", "TabSheet13");
  click(find<QCheckBox>("OptionsProxy"));
  // The connections group is on the second page of the panel.
  auto* pager = find<QScrollBar>("ieOptionsPager");
  QTest::mouseClick(pager, Qt::LeftButton, {}, QPoint(pager->width() - 4, pager->height() / 2));
  EXPECT_EQ(pager->value(), 1);
  EXPECT_GT(find<QScrollArea>("ieOptionsPanel")->horizontalScrollBar()->value(), 0);
  click(find<QCheckBox>("OptionsConnectionsTab"));
  for (const char* name :
       {"OptionsConnwizAdminLock", "OptionsConnectionSettings", "OptionsProxy", "OptionsAutoConfig"})
    EXPECT_FALSE(find<QCheckBox>(name)->isEnabled()) << name;
  EXPECT_TRUE(find<QCheckBox>("OptionsProxy")->isChecked());
  EXPECT_TRUE(find<QCheckBox>("OptionsHomePage")->isEnabled());
  click("ieOptionsApply");
  EXPECT_EQ(stored(Root::CurrentUser, kControlPanel, "ConnectionsTab"), StoredValue(1));
  EXPECT_EQ(stored(Root::CurrentUser, kControlPanel, "Proxy"), StoredValue(1));
  EXPECT_EQ(stored(Root::CurrentUser, kControlPanel, "AutoConfig"), std::nullopt);
  EXPECT_FALSE(app->restartNeeded());

  reloaded();
  EXPECT_EQ(pager->value(), 0);
  EXPECT_FALSE(find<QCheckBox>("OptionsProxy")->isEnabled());  // as loaded
  (void)page;

  click("ieRunOptions");
  ASSERT_EQ(launcher.calls.size(), 1u);
  EXPECT_EQ(launcher.calls[0].kind, "run");
  EXPECT_EQ(launcher.calls[0].target, "Control.exe INETCPL.CPL");
  EXPECT_EQ(launcher.calls[0].show, ShowWindow::Normal);
}

}  // namespace
}  // namespace kelvaro::testing
