#include "app/startup.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

#include "store/registry_handle.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

constexpr char kProgramKey[] = "Software\\Morvane\\Kelvaro";

class StartupTest : public PageHarness {
 protected:
  std::unique_ptr<TKelvaro> start(std::set<std::string> withLoader = {"foldery", "windows", "kolory",
                                                                      "SystemNT", "Properties"}) {
    StartupOptions options;
    options.programFile = "Z:\\opt\\kelvaro\\kelvaro";
    options.fileExists = [this](std::string_view path) { return existingFiles.count(std::string(path)) > 0; };
    options.pageFactory = recordingPages(std::move(withLoader));
    startup = std::make_unique<Startup>(*app, options);
    return startup->run();
  }
  std::string programValue(const char* name) {
    const auto v = programOption(name);
    return v ? std::get<std::string>(*v) : "(none)";
  }
  void setProgramValue(const char* name, const std::string& text) { setProgramOption(name, text); }
  void setProgramDword(const char* name, int value) { setProgramOption(name, value); }
  void removeProgramKey() {
    RegistryHandle reg(app->registry());
    reg.deleteKey(kProgramKey);
    app->flush();
  }

  std::set<std::string> existingFiles{"Z:\\opt\\kelvaro\\kelvaro"};
  std::unique_ptr<Startup> startup;
};

TEST_F(StartupTest, FirstRunRegistersTheProgramAndLaterRunsKeepTheFirstVersion) {
  ASSERT_NE(start(), nullptr);
  EXPECT_EQ(programValue("Version"), "3.7.37.1249");
  EXPECT_EQ(programValue("Path"), "Z:\\opt\\kelvaro\\kelvaro");
  EXPECT_EQ(programValue("Name"), "Morvane Kelvaro");

  setProgramValue("Version", "3.7.36.1100");
  ASSERT_NE(start(), nullptr);
  EXPECT_EQ(programValue("Version"), "3.7.36.1100");
}

TEST_F(StartupTest, AProgramFileThatMovedIsRegisteredAgain) {
  setProgramValue("Version", "3.7.36.1100");
  setProgramValue("Path", "Z:\\old\\place\\kelvaro");
  setProgramValue("Name", "x");
  ASSERT_NE(start(), nullptr);
  EXPECT_EQ(programValue("Version"), "3.7.37.1249");
  EXPECT_EQ(programValue("Path"), "Z:\\opt\\kelvaro\\kelvaro");
  EXPECT_EQ(programValue("Name"), "Morvane Kelvaro");
}

TEST_F(StartupTest, PasswordCases) {
  const struct {
    const char* what;
    bool storePassword;
    const char* stored;
    std::optional<std::string> typed;
    bool starts;
  } cases[] = {
      {"no password stored, OK on an empty box", false, "", std::string(""), true},
      {"no password stored, something typed", false, "", std::string("x"), false},
      {"no password stored, cancelled", false, "", std::nullopt, true},
      {"right password", true, "Tajne", std::string("Tajne"), true},
      {"other case", true, "Tajne", std::string("tajne"), false},
      {"cancelled with a password set", true, "Tajne", std::nullopt, false},
  };
  for (const auto& c : cases) {
    removeProgramKey();
    setProgramDword("haslo TN", 1);
    if (c.storePassword) setProgramValue("haslo", c.stored);
    dialogs.shown.clear();
    dialogs.answer(c.typed);
    const bool started = start() != nullptr;
    EXPECT_EQ(started, c.starts) << c.what;
    ASSERT_FALSE(dialogs.shown.empty()) << c.what;
    EXPECT_EQ(dialogs.shown[0].kind, "input") << c.what;
    EXPECT_EQ(dialogs.shown[0].box.title, "Hasło");
    EXPECT_EQ(dialogs.shown[0].prompt, "Podaj hasło");
    EXPECT_EQ(dialogs.shown[0].box.text, "");
    // A wrong password quits silently.
    EXPECT_EQ(dialogs.boxes().size(), 0u) << c.what;
  }
}

TEST_F(StartupTest, NoPasswordBoxWhenTheFlagIsOffAndAnErrorWhenItIsNotADword) {
  setProgramDword("haslo TN", 0);
  setProgramValue("haslo", "Tajne");
  ASSERT_NE(start(), nullptr);
  EXPECT_TRUE(dialogs.shown.empty());

  setProgramValue("haslo TN", "1");
  ASSERT_NE(start(), nullptr);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, "box");
  EXPECT_EQ(dialogs.shown[0].box.text, "Invalid data type for 'haslo TN'");
}

TEST_F(StartupTest, APasswordThatCannotBeReadEndsTheProgram) {
  setProgramDword("haslo TN", 1);
  setProgramDword("haslo", 1234);
  dialogs.answer(std::optional<std::string>("1234"));
  EXPECT_EQ(start(), nullptr);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].kind, "input");
  EXPECT_EQ(dialogs.shown[1].box.text, "Invalid data type for 'haslo'");
  EXPECT_EQ(dialogs.shown[1].box.icon, BoxIcon::Error);
  EXPECT_TRUE(log.empty());  // no page was filled
}

TEST_F(StartupTest, AnUnknownWindowsVersionWarnsOnceBeforeAnyPageIsFilled) {
  // Wine reports NT 5.2 for this prefix.
  set(Root::CurrentUser, "Software\\Wine", "Version", std::string("win2003"));
  reopenAsWinePrefix();
  onFlush = [this] {
    if (!dialogs.boxes().empty() && log.empty()) log.push_back("warned before loading");
  };
  ASSERT_NE(start(), nullptr);
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  const MessageBoxSpec box = dialogs.boxes()[0];
  EXPECT_EQ(box.title, "UWAGA !!!");
  EXPECT_EQ(box.text,
            "Niepoprawna wersja systemu Windows - program nie działa pod tą wersją systemu. Ze względów "
            "bezpieczeństwa zaleca się zamknięcie programu !!!");
  EXPECT_EQ(box.icon, BoxIcon::Warning);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0], "warned before loading");
  EXPECT_EQ(log[1], "load foldery");

  dialogs.shown.clear();
  set(Root::CurrentUser, "Software\\Wine", "Version", std::string("win98"));
  ASSERT_NE(start(), nullptr);
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(StartupTest, CreatesThePolicyKeys) {
  {
    RegistryHandle reg(app->registry());
    reg.deleteKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies");
    app->flush();
  }
  ASSERT_FALSE(
      keyStored(Root::CurrentUser, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System"));
  ASSERT_NE(start(), nullptr);
  for (const char* key : {"ActiveDesktop", "Network", "WinOldApp", "System", "Explorer"}) {
    EXPECT_TRUE(keyStored(Root::CurrentUser,
                          std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\") + key))
        << key;
  }
}

TEST_F(StartupTest, LoadersRunInOrderAndTheGaugePasses33Before32) {
  StartupOptions options;
  options.programFile = "Z:\\k";
  options.pageFactory = recordingPages({"foldery", "windows", "kolory", "SystemNT", "Properties"});
  Startup s(*app, options);
  std::vector<int> gauge;
  QObject::connect(s.splash()->gauge(), &QProgressBar::valueChanged, [&](int v) { gauge.push_back(v); });
  ASSERT_NE(s.run(), nullptr);

  EXPECT_EQ(log, (std::vector<std::string>{"load foldery", "load windows", "load kolory", "load SystemNT",
                                           "load Properties"}));
  std::vector<int> expected;
  for (int v = 1; v <= 31; ++v) {
    if (v != 10) expected.push_back(v);  // no loader has gauge 10
  }
  for (int v : {33, 32, 34}) expected.push_back(v);
  EXPECT_EQ(gauge, expected);
}

TEST_F(StartupTest, ALoaderErrorEndsTheSequenceButTheWindowComesUp) {
  StartupOptions options;
  options.pageFactory = recordingPages({"foldery", "windows", "kolory"});
  Startup s(*app, options);
  // The page objects exist only once run() builds the window: fail from the log.
  onFlush = [this] {
    if (recording.count("windows")) recording["windows"]->failLoad = true;
  };
  auto window = s.run();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"load foldery", "load windows"}));
  EXPECT_EQ(s.splash()->gauge()->value(), 3);
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text, "Invalid data type for 'Kolor'");
}

TEST_F(StartupTest, InitialPagesAndTheSplashWindow) {
  auto window = start();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->activePage()->objectName(), "oprog");
  EXPECT_TRUE(window->findChild<QWidget*>("reReadButton")->isHidden());
  const std::pair<const char*, const char*> firsts[] = {
      {"pulpit", "pulpitustawienia"}, {"menustart", "menustartikony"}, {"Siec", "TabSheet1"},
      {"AutoRUN", "HKLMrun"},         {"internet", "TabSheet2"},       {"kursory", "TabSheet11"}};
  for (const auto& [page, sub] : firsts) {
    EXPECT_EQ(window->page(page)->subPageControl()->currentWidget()->objectName(), sub) << page;
  }

  TSplash* splash = startup->splash();
  EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(splash->findChild<QLabel*>("versionLabel")->text(), "ver.  3.7.37");
  EXPECT_EQ(splash->findChild<QLabel*>("splashPicture")->pixmap().size(), QSize(300, 150));
  EXPECT_EQ(splash->gauge()->maximum(), 34);
  EXPECT_FALSE(splash->gauge()->isTextVisible());
  EXPECT_TRUE(splash->isVisible());
  window->show();
  EXPECT_FALSE(splash->isVisible());
}

}  // namespace
}  // namespace kelvaro::testing
