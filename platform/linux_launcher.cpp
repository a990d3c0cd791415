#include "platform/linux_launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QUrl>

namespace kelvaro {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// "start" options for a window state; a plain start shows it normally.
std::vector<std::string> startOptions(ShowWindow show) {
  switch (show) {
    case ShowWindow::Maximized:
      return {"/max"};
    case ShowWindow::Minimized:
      return {"/min"};
    case ShowWindow::Normal:
    case ShowWindow::Hidden:
      break;
  }
  return {};
}

}  // namespace

std::vector<std::string> splitWindowsCommandLine(std::string_view line) {
  std::vector<std::string> args;
  std::size_t i = 0;
  while (i < line.size() && isBlank(line[i])) ++i;
  if (i == line.size()) return args;

  // The program name: quotes group, backslashes are plain characters.
  std::string program;
  if (line[i] == '"') {
    ++i;
    while (i < line.size() && line[i] != '"') program += line[i++];
    if (i < line.size()) ++i;
  } else {
    while (i < line.size() && !isBlank(line[i])) program += line[i++];
  }
  args.push_back(program);

  while (true) {
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i == line.size()) break;
    std::string arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !isBlank(line[i]))) {
      if (line[i] == '\\') {
        std::size_t slashes = 0;
        while (i < line.size() && line[i] == '\\') {
          ++slashes;
          ++i;
        }
        if (i < line.size() && line[i] == '"') {
          // 2n backslashes and a quote: n backslashes, the quote toggles;
          // 2n+1: n backslashes and a literal quote.
          arg.append(slashes / 2, '\\');
          if (slashes % 2 == 1) {
            arg += '"';
            ++i;
          }
        } else {
          arg.append(slashes, '\\');
        }
        continue;
      }
      if (line[i] == '"') {
        if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
          arg += '"';  // "" inside quotes is one quote
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      arg += line[i++];
    }
    args.push_back(arg);
  }
  return args;
}

bool isUrl(std::string_view target) {
  std::size_t n = 0;
  while (n < target.size()) {
    const char c = target[n];
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    const bool digitOrMark = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    if (!letter && !(n > 0 && digitOrMark)) break;
    ++n;
  }
  // One letter and a colon is a drive ("C:"), not a scheme.
  return n >= 2 && n < target.size() && target[n] == ':';
}

LinuxLauncher::LinuxLauncher(std::filesystem::path prefix, std::string wineProgram)
    : prefix_(std::move(prefix)), wine_(std::move(wineProgram)) {
  if (wine_.empty()) wine_ = QStandardPaths::findExecutable("wine").toStdString();
}

bool LinuxLauncher::open(std::string_view target, ShowWindow show) {
  if (isUrl(target)) {
    return QDesktopServices::openUrl(
        QUrl(QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size())), QUrl::TolerantMode));
  }
  // A Windows document or program: Windows' own "start" finds what opens it.
  std::vector<std::string> arguments{"start"};
  for (std::string& option : startOptions(show)) arguments.push_back(std::move(option));
  arguments.emplace_back(target);
  return startWine(arguments);
}

bool LinuxLauncher::run(std::string_view commandLine, ShowWindow show) {
  std::vector<std::string> arguments = splitWindowsCommandLine(commandLine);
  if (arguments.empty() || arguments.front().empty()) return false;
  const std::vector<std::string> options = startOptions(show);
  if (!options.empty()) {
    arguments.insert(arguments.begin(), options.begin(), options.end());
    arguments.insert(arguments.begin(), "start");
  }
  return startWine(arguments);
}

bool LinuxLauncher::startWine(const std::vector<std::string>& arguments) const {
  if (wine_.empty()) return false;
  QStringList args;
  for (const std::string& a : arguments) args << QString::fromStdString(a);
  QProcess process;
  process.setProgram(QString::fromStdString(wine_));
  process.setArguments(args);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("WINEPREFIX", QString::fromStdString(prefix_.string()));
  if (!environment.contains("WINEDEBUG")) environment.insert("WINEDEBUG", "-all");
  process.setProcessEnvironment(environment);
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  return process.startDetached();
}

}  // namespace kelvaro
