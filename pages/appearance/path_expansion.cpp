#include "pages/appearance/path_expansion.h"

#include <QString>

#include <array>

#include "pages/app_context.h"

namespace kelvaro {
namespace {
constexpr char kMissingFolder[] = "(nie znaleziono folderu)";
}

std::string expandStoredPath(std::string_view stored, std::string_view windowsDirectory,
                             std::string_view programFiles) {
  const std::string lower =
      QString::fromUtf8(stored.data(), static_cast<qsizetype>(stored.size())).toLower().toStdString();
  const std::array<std::pair<std::string_view, std::string_view>, 4> variables{{
      {"%systemroot%", windowsDirectory},
      {"%windir%", windowsDirectory},
      {"%programfiles%", programFiles},
      {"%userprofile%", {}},
  }};
  for (const auto& [variable, replacement] : variables) {
    const auto at = lower.find(variable);
    if (at == std::string::npos) continue;
    // Replaced where it stands, so a variable inside a path leaves the
    // folders before it alone.
    return lower.substr(0, at) + std::string(replacement) + lower.substr(at + variable.size());
  }
  return std::string(stored);
}

std::string expandStoredPath(const AppContext& app, std::string_view stored) {
  return expandStoredPath(stored, app.environment().windowsDirectory(),
                          app.frame().views().shellFolderLabel("Program Files").value_or(kMissingFolder));
}

}  // namespace kelvaro
