#include <QAccessible>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "app/about_page.h"
#include "app/help_page.h"
#include "app/help_topics.h"
#include "app/program_picture.h"
#include "pages/widgets/clickable_label.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

class HelpPageTest : public PageHarness {
 protected:
  HelpPage* help() const { return static_cast<HelpPage*>(window->page("pomoc")); }
  ClickableLabel* topic(const char* caption) const {
    for (ClickableLabel* label : help()->topicLabels()) {
      if (label->text() == QString::fromUtf8(caption)) return label;
    }
    ADD_FAILURE() << "no topic " << caption;
    return nullptr;
  }
  // The keys of the description panels on screen.
  std::vector<std::string> visiblePanels() const {
    std::vector<std::string> keys;
    const auto topics = helpTopics();
    for (std::size_t i = 0; i < help()->panels().size(); ++i) {
      if (!help()->panels()[i]->isHidden()) keys.push_back(topics[i].key);
    }
    return keys;
  }
  QString panelText(const char* key) const {
    return help()
        ->panels()[static_cast<std::size_t>(helpTopicIndex(key))]
        ->findChild<QLabel*>("helpText")
        ->text();
  }
};

TEST_F(HelpPageTest, TheIndexListsTheTopicsInOrder) {
  start();
  const QStringList expected{"Kursor",
                             "Dźwięki",
                             "Kolory",
                             "Windows",
                             "Ikony",
                             "Logo",
                             "OEM",
                             "Wyczyść",
                             "Panel Sterowania",
                             "Eksplorator",
                             "Ikony Plików",
                             "Internet",
                             "Menu Start",
                             "Podpowiedzi",
                             "Skróty",
                             "Pulpit",
                             "Czcionki",
                             "Foldery",
                             "Triki",
                             "Dodaj/Usuń",
                             "Nazwy",
                             "Menu",
                             "Wyślij do ...",
                             "Dokumenty",
                             "Sieć",
                             "AutoRUN",
                             "Typy plików",
                             "Ikony folderów",
                             "Szybkie urucham.",
                             "Ulubione",
                             "Menu kontekstowe",
                             "Ukryj folder",
                             "Menu NOWY",
                             "Opcje",
                             "Pomoc",
                             "O programie",
                             "Co nowego ?"};
  QStringList captions;
  for (const ClickableLabel* label : help()->topicLabels()) captions << label->text();
  EXPECT_EQ(captions, expected);
  // One topic for every page but `SystemNT`, each with its own text.
  for (const PageInfo& page : pageCatalog()) {
    const int index = helpTopicIndex(page.id);
    EXPECT_EQ(index < 0, std::string(page.id) == "SystemNT") << page.id;
    if (index >= 0) {
      EXPECT_GT(panelText(page.id).size(), 100) << page.id;
    }
  }
}

TEST_F(HelpPageTest, OnlyTheHelpPanelShowsAtStart) {
  start();
  EXPECT_EQ(visiblePanels(), (std::vector<std::string>{"pomoc"}));
  EXPECT_TRUE(panelText("pomoc").startsWith(
      QString::fromUtf8("Zakładka Pomoc - jest to zakładka zawierająca pomoc na temat każdej jednej")));
}

TEST_F(HelpPageTest, ATopicClickShowsItsPanelAndHidesThePreviousOne) {
  start();
  window->showPage("pomoc");
  QTest::mouseClick(topic("Co nowego ?"), Qt::LeftButton);
  EXPECT_EQ(visiblePanels(), (std::vector<std::string>{"coNowego"}));
  QTest::mouseClick(topic("Kursor"), Qt::LeftButton);
  EXPECT_EQ(visiblePanels(), (std::vector<std::string>{"kursory"}));
  // The same through assistive technology.
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(topic("Opcje"));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Link);
  EXPECT_EQ(a->text(QAccessible::Name), "Opcje");
  a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(visiblePanels(), (std::vector<std::string>{"Properties"}));
}

TEST_F(HelpPageTest, ATopicChangesFontWhileTheButtonIsHeld) {
  start();
  window->showPage("pomoc");
  ClickableLabel* label = topic("Logo");
  const QFont normal = label->font();
  QTest::mousePress(label, Qt::LeftButton);
  EXPECT_NE(label->font(), normal);
  EXPECT_EQ(visiblePanels(), (std::vector<std::string>{"pomoc"}));
  QTest::mouseRelease(label, Qt::LeftButton);
  EXPECT_EQ(label->font(), normal);
  EXPECT_EQ(visiblePanels(), (std::vector<std::string>{"logo"}));
}

TEST_F(HelpPageTest, ScrollingTheIndexAndReReadingPutItBack) {
  start();
  window->showPage("pomoc");
  QScrollBar* scroll = help()->indexScroll();
  EXPECT_EQ(scroll->minimum(), 0);
  EXPECT_EQ(scroll->maximum(), 21);
  EXPECT_EQ(help()->topicList()->y(), 6);
  QTest::keyClick(scroll, Qt::Key_Down);
  EXPECT_EQ(help()->topicList()->y(), 6 - 18);
  QTest::keyClick(scroll, Qt::Key_End);
  EXPECT_EQ(scroll->value(), 21);
  EXPECT_EQ(help()->topicList()->y(), 6 - 378);
  QTest::mouseClick(topic("Sieć"), Qt::LeftButton);

  // "&Odczytaj" shows on this page and puts the help back as it started.
  QPushButton* reRead = find<QPushButton>("reReadButton");
  ASSERT_FALSE(reRead->isHidden());
  QTest::mouseClick(reRead, Qt::LeftButton);
  EXPECT_EQ(scroll->value(), 0);
  EXPECT_EQ(help()->topicList()->y(), 6);
  EXPECT_EQ(visiblePanels(), (std::vector<std::string>{"pomoc"}));
  EXPECT_FALSE(hasLoader("pomoc"));
}

class AboutPageTest : public PageHarness {
 protected:
  ClickableLabel* link(const char* name) const { return find<ClickableLabel>(name); }
};

TEST_F(AboutPageTest, ShowsNameMakerVersionAndLogo) {
  start();
  QLabel* product = find<QLabel>("productName");
  EXPECT_EQ(product->text(), "Kelvaro");
  EXPECT_TRUE(product->font().bold());
  EXPECT_GT(product->font().pointSizeF(), 2 * window->font().pointSizeF());
  EXPECT_EQ(find<QLabel>("makerName")->text(), "Morvane");
  EXPECT_EQ(find<QLabel>("makerName")->toolTip(), "Oto moja firma");
  QLabel* version = find<QLabel>("versionLabel");
  EXPECT_EQ(version->text(), "Wersja: 3.7.37.1249");
  EXPECT_EQ(version->toolTip(),
            "Wersja programu (7 - działa pod siedmioma Windowsami, 37 - posiada tyle zakładek)");
  EXPECT_EQ(find<QLabel>("aboutLogo")->pixmap().size(), QSize(300, 150));
  EXPECT_EQ(find<QLabel>("aboutLogo")->pixmap().toImage(), kelvaroLogo().toImage());
  EXPECT_EQ(find<QLabel>("aboutLogo")->toolTip(), "Oto logo mojego programu");
  EXPECT_EQ(find<QLabel>("aboutIcon")->toolTip(), "Ikona programu");
  EXPECT_FALSE(find<QLabel>("aboutIcon")->pixmap().isNull());
  EXPECT_EQ(find<QLabel>("envelopePicture")->toolTip(), "Kliknij na mój e-mail");
  EXPECT_EQ(link("donationLink")->toolTip(), "Wesprzyj mnie finansowo");
  EXPECT_EQ(link("emailLink")->toolTip(), "Mailnij mnie");
}

TEST_F(AboutPageTest, TheSecondLabelEndsWithTheCurrentYear) {
  for (const int year : {2031, 1999}) {
    AboutPage page(*app, pageCatalog()[36], nullptr, [year] { return year; });
    const QString text = page.findChild<QLabel*>("yearLabel")->text();
    EXPECT_TRUE(text.endsWith(QString::number(year))) << text.toStdString();
  }
}

TEST_F(AboutPageTest, TheEmailClickOpensANewMessage) {
  start();
  QTest::mouseClick(link("emailLink"), Qt::LeftButton);
  ASSERT_EQ(launcher.calls.size(), 1u);
  EXPECT_EQ(launcher.calls[0].kind, "open");
  EXPECT_EQ(
      launcher.calls[0].target,
      "mailto:kelvaro@example.org?Subject=Cześć&Body=Gratuluję zrobienia bardzo dobrego programu Morvane "
      "Kelvaro.");
  EXPECT_EQ(launcher.calls[0].show, ShowWindow::Normal);
}

TEST_F(AboutPageTest, TheOtherLinksOpenTheirAddresses) {
  start();
  const struct {
    const char* name;
    const char* target;
    ShowWindow show;
  } cases[] = {{"webLink", "http://www.example.org/kelvaro/", ShowWindow::Normal},
               {"donationLink", "http://www.example.org/kelvaro/wesprzyj.html", ShowWindow::Maximized},
               {"profileLink", "http://www.example.org/autor/", ShowWindow::Maximized}};
  for (const auto& c : cases) {
    launcher.calls.clear();
    QTest::mouseClick(link(c.name), Qt::LeftButton);
    ASSERT_EQ(launcher.calls.size(), 1u) << c.name;
    EXPECT_EQ(launcher.calls[0].target, c.target);
    EXPECT_EQ(launcher.calls[0].show, c.show) << c.name;
  }
  // A press that ends off the label is no click.
  launcher.calls.clear();
  QTest::mousePress(link("webLink"), Qt::LeftButton);
  QTest::mouseRelease(link("webLink"), Qt::LeftButton, {}, QPoint(-5, -5));
  EXPECT_TRUE(launcher.calls.empty());
}

TEST_F(AboutPageTest, LinksAreAccessibleByCaptionOrHint) {
  start();
  const struct {
    const char* name;
    const char* accessibleName;
  } cases[] = {{"emailLink", "kelvaro@example.org"},
               {"webLink", "http://www.example.org/kelvaro/"},
               {"donationLink", "Wesprzyj mnie finansowo"},
               {"profileLink", "Profil autora"}};
  for (const auto& c : cases) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(link(c.name));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Link) << c.name;
    EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(c.accessibleName));
    ASSERT_NE(a->actionInterface(), nullptr);
    EXPECT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    launcher.calls.clear();
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(launcher.calls.size(), 1u) << c.name;
  }
}

}  // namespace
}  // namespace kelvaro::testing
