#include "app/startup.h"

#include <QCoreApplication>

#include "store/program_version.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {
constexpr char kProgramKey[] = "Software\\Morvane\\Kelvaro";
}  // namespace

Startup::Startup(AppContext& app, StartupOptions options)
    : app_(app), options_(std::move(options)), splash_(std::make_unique<TSplash>()) {}

Startup::~Startup() = default;

std::unique_ptr<TKelvaro> Startup::run() {
  if (!passwordAccepted()) return nullptr;
  splash_->show();
  splash_->repaint();
  QCoreApplication::processEvents();

  auto window = std::make_unique<TKelvaro>(app_, options_.pageFactory);
  QObject::connect(window.get(), &TKelvaro::firstShown, splash_.get(), &QWidget::close);
  registerProgram();
  checkWindowsVersion();
  createPolicyKeys();
  showInitialPages(*window);
  runLoaders(*window);
  return window;
}

bool Startup::passwordAccepted() {
  bool accepted = true;
  app_.run([&] {
    RegistryHandle reg(app_.registry());
    if (!openForRead(reg, kProgramKey)) return;
    if (!reg.valueExists("haslo TN") || reg.readDword("haslo TN") == 0) return;
    // Once a password is required, a check that fails for any reason lets
    // nobody in: only a match accepts.
    accepted = false;
    const std::string typed = app_.dialogs().inputBox("Hasło", "Podaj hasło", "").value_or("");
    // Compared as typed: the password is case-sensitive.
    accepted = typed == reg.readString("haslo");
  });
  return accepted;
}

void Startup::registerProgram() {
  app_.run([&] {
    RegistryHandle reg(app_.registry());
    openForWrite(reg, kProgramKey);
    const bool registered = reg.valueExists("Path") && reg.valueKind("Path") == ValueKind::String &&
                            options_.fileExists && options_.fileExists(reg.readString("Path"));
    if (registered) return;
    reg.writeString("Version", programVersionString());
    reg.writeString("Path", options_.programFile);
    reg.writeString("Name", kProgramTitle);
  });
}

void Startup::checkWindowsVersion() {
  const std::string name = windowsVersionName(app_.environment().version());
  if (!name.empty() && name != "brak danych") return;
  app_.dialogs().messageBox(
      {"UWAGA !!!",
       "Niepoprawna wersja systemu Windows - program nie działa pod tą wersją systemu. Ze "
       "względów bezpieczeństwa zaleca się zamknięcie programu !!!",
       BoxIcon::Warning, BoxButton::Ok});
}

void Startup::createPolicyKeys() {
  app_.run([&] {
    RegistryHandle reg(app_.registry());
    for (const char* key : {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\ActiveDesktop",
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network",
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp",
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
                            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer"}) {
      if (!reg.keyExists(key)) reg.createKey(key);
    }
  });
}

void Startup::showInitialPages(TKelvaro& window) {
  for (Page* page : window.allPages()) {
    QTabWidget* subPages = page->subPageControl();
    if (subPages) subPages->setCurrentIndex(page->info().firstSubPage);
  }
  window.showPage(initialPage().id);
}

void Startup::runLoaders(TKelvaro& window) {
  for (const LoaderStep& step : loaderSequence()) {
    splash_->setGauge(step.gauge);
    Page* page = window.page(step.page);
    if (!page) continue;
    // A loader's error ends the sequence; the window still comes up.
    if (!app_.run([page] { page->reload(); })) return;
  }
  splash_->setGauge(kGaugeMaximum);
}

}  // namespace kelvaro
