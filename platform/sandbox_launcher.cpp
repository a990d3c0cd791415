#include "platform/sandbox_launcher.h"

#include <string>

#include "platform/linux_launcher.h"

namespace kelvaro {

std::string SandboxLauncher::refusal(std::string_view what) {
  return "Programy systemu Windows można uruchamiać tylko w prefiksie Wine (kelvaro --prefix KATALOG). "
         "W piaskownicy Kelvaro nie można uruchomić:\r\n" +
         std::string(what);
}

bool SandboxLauncher::open(std::string_view target, ShowWindow show) {
  if (isUrl(target)) return desktop_.open(target, show);
  dialogs_.message(refusal(target));
  return false;
}

bool SandboxLauncher::run(std::string_view commandLine, ShowWindow) {
  dialogs_.message(refusal(commandLine));
  return false;
}

}  // namespace kelvaro
