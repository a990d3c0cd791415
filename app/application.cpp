#include "app/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/backup_command.h"
#include "app/main_window.h"
#include "app/open_environment.h"
#include "app/page_factory.h"
#include "app/program_picture.h"
#include "app/qt_dialogs.h"
#include "app/startup.h"
#include "pages/app_context.h"
#include "platform/environment_factory.h"
#include "platform/file_system.h"
#include "platform/instance_guard.h"
#include "platform/linux_platform.h"
#include "store/run_backup.h"
#include "store/settings_store.h"

namespace kelvaro {
namespace {

constexpr char kUsage[] =
    "Użycie: kelvaro [--prefix DIR]\n"
    "        kelvaro --list-backups [--prefix DIR]\n"
    "        kelvaro --restore KIEDY [--prefix DIR]\n"
    "Zmienia ustawienia środowiska Windows: wbudowanej piaskownicy albo prefiksu Wine.\n"
    "\n"
    "  --prefix DIR      pracuj na prefiksie Wine w katalogu DIR\n"
    "  --list-backups    pokaż kopie zapasowe zrobione przed pierwszą zmianą\n"
    "                    każdego uruchomienia\n"
    "  --restore KIEDY   przywróć pliki z tej kopii (KIEDY jak na liście albo last)\n"
    "  --help            pokaż ten tekst\n"
    "  --version         pokaż wersję programu\n"
    "\n"
    "Bez --prefix program pracuje na prefiksie Wine ze zmiennej WINEPREFIX, gdy jest\n"
    "ustawiona, a bez niej na piaskownicy (polski Windows 98 SE), którą przy pierwszym\n"
    "uruchomieniu tworzy w $XDG_DATA_HOME/kelvaro/sandbox (domyślnie\n"
    "~/.local/share/kelvaro/sandbox). Kopie zapasowe są w $XDG_STATE_HOME/kelvaro/backups\n"
    "(domyślnie ~/.local/state/kelvaro/backups).\n";

// Only --prefix is read besides --help and --version.
std::string unknownArgument(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--prefix") {
      ++i;
      continue;
    }
    if (args[i].rfind("--prefix=", 0) == 0) continue;
    return args[i];
  }
  return {};
}

// Qt's own buttons and dialogs in Polish.
void loadPolishTranslations(QApplication& app) {
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::Polish), "qtbase", "_",
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
}

}  // namespace

void activateMainWindow(QWidget& mainWindow) {
  if (mainWindow.isMinimized()) mainWindow.showNormal();
  mainWindow.raise();
  mainWindow.activateWindow();
}

void activateOnRequest(InstanceGuard& guard, QWidget& mainWindow) {
  QObject::connect(&guard, &InstanceGuard::activationRequested, &mainWindow,
                   [&mainWindow] { activateMainWindow(mainWindow); });
}

int runApplication(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& arg : args) {
    if (arg == "--version") {
      std::printf("Kelvaro %s\n", programVersionString().c_str());
      return 0;
    }
    if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  // The way back needs no display.
  if (const auto status = runBackupCommand(args, ProcessEnvironment::current(), stdout, stderr))
    return *status;
  if (const std::string bad = unknownArgument(args); !bad.empty()) {
    std::fprintf(stderr, "kelvaro: nieznany argument '%s'\n%s", bad.c_str(), kUsage);
    return 2;
  }
  const ChosenEnvironment chosen = chooseEnvironment(args, ProcessEnvironment::current());
  if (!chosen.ok()) {
    std::fprintf(stderr, "kelvaro: %s\n", chosen.error.c_str());
    return 2;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName("Kelvaro");
  QApplication::setWindowIcon(kelvaroIcon());
  loadPolishTranslations(app);

  // The single-instance guard comes before anything else: a second copy
  // only brings the first to the front.
  InstanceGuard guard(InstanceGuard::defaultInstanceName());
  if (guard.anotherCopyRunning()) return 0;

  std::unique_ptr<Environment> environment;
  {
    // No environment and no window yet: a box of its own, without DOS paths.
    QtDialogs startDialogs(nullptr, {});
    EnvironmentOptions environmentOptions;
    environmentOptions.backupsFolder = backupsDirectory(ProcessEnvironment::current());
    environment = openEnvironmentOrReport(chosen.choice, startDialogs, environmentOptions);
  }
  if (!environment) return 2;
  FileSystem& files = environment->files();

  TKelvaro* mainWindow = nullptr;
  QtDialogs dialogs(
      [&mainWindow]() -> QWidget* { return mainWindow; },
      DosPathMapper{[&files](std::string_view dos) { return files.hostPath(dos); },
                    [&files](const std::filesystem::path& host) { return files.dosPath(host); }});
  // A file change a failed backup refused is said in the error box.
  if (auto* backup = dynamic_cast<RunBackup*>(environment->changeGuard()))
    backup->setRefusalReporter([&dialogs](std::string_view text) { dialogs.errorBox(text); });
  const LinuxPlatform services(*environment, dialogs);
  AppContext context(services.platform());

  StartupOptions options;
  const std::filesystem::path programFile = std::filesystem::canonical("/proc/self/exe");
  options.programFile = files.dosPath(programFile).value_or(programFile.string());
  options.fileExists = [&files](std::string_view dos) { return files.fileExists(dos); };
  options.pageFactory = createPage;
  Startup startup(context, options);
  std::unique_ptr<TKelvaro> window = startup.run();
  if (!window) return 0;  // the password check refused: quit
  mainWindow = window.get();

  activateOnRequest(guard, *window);
  window->show();
  return app.exec();
}

}  // namespace kelvaro
