// kelvaro-formats: runs the platform's file-format services from the command
// line, so that tests and people can compare them with other tools.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QImage>

#include "platform/linux_icons.h"
#include "platform/linux_pictures.h"
#include "platform/linux_shell_links.h"
#include "store/registry_tree.h"

namespace {

constexpr const char* kUsage =
    "usage: kelvaro-formats icon-count FILE\n"
    "       kelvaro-formats icon FILE INDEX OUT.png [--small]\n"
    "       kelvaro-formats picture FILE OUT.png\n"
    "       kelvaro-formats bmp IN OUT.bmp\n"
    "       kelvaro-formats lnk-write OUT.lnk TARGET WORKDIR [ARGS]\n"
    "       kelvaro-formats lnk-target FILE\n";

int fail(const std::string& message) {
  std::cerr << "kelvaro-formats: " << message << "\n";
  return 1;
}

// Files on the command line are host paths; the icon services take DOS
// paths through a resolver, which here passes them through.
kelvaro::LinuxIcons hostIcons(kelvaro::Registry& registry) {
  return kelvaro::LinuxIcons(
      registry, [](std::string_view path) { return std::optional<std::filesystem::path>(std::string(path)); },
      {});
}

std::string codePage() {
  const char* fromEnvironment = std::getenv("KELVARO_CODE_PAGE");
  return fromEnvironment && *fromEnvironment ? fromEnvironment : "CP1250";
}

int run(const std::vector<std::string>& args) {
  if (args.empty() || args[0] == "--help") {
    std::cout << kUsage;
    return args.empty() ? 1 : 0;
  }
  const std::string& command = args[0];
  kelvaro::MemoryRegistry registry;
  if (command == "icon-count" && args.size() == 2) {
    std::cout << hostIcons(registry).iconCount(args[1]) << "\n";
    return 0;
  }
  if (command == "icon" && (args.size() == 4 || (args.size() == 5 && args[4] == "--small"))) {
    int index = 0;
    try {
      std::size_t used = 0;
      index = std::stoi(args[2], &used);
      if (used != args[2].size()) throw std::invalid_argument(args[2]);
    } catch (const std::exception&) {
      return fail("not an icon index: " + args[2]);
    }
    const kelvaro::Icon icon = hostIcons(registry).extractIcon(args[1], index);
    if (icon.isNull()) return fail("no icon " + args[2] + " in " + args[1]);
    const QImage& image = args.size() == 5 ? icon.small : icon.large;
    if (!image.save(QString::fromStdString(args[3]), "PNG")) return fail("cannot write " + args[3]);
    return 0;
  }
  if (command == "picture" && args.size() == 3) {
    kelvaro::LinuxPictures pictures;
    try {
      const kelvaro::Picture picture = pictures.load(args[1]);
      if (!picture.image.save(QString::fromStdString(args[2]), "PNG")) return fail("cannot write " + args[2]);
      std::cout << picture.image.width() << "x" << picture.image.height() << " " << picture.bitsPerPixel
                << "\n";
      return 0;
    } catch (const kelvaro::PictureError& e) {
      return fail(e.what());
    }
  }
  if (command == "bmp" && args.size() == 3) {
    kelvaro::LinuxPictures pictures;
    try {
      const kelvaro::Picture picture = pictures.load(args[1]);
      pictures.saveBmp(args[2], picture.image, picture.bitsPerPixel);
      return 0;
    } catch (const kelvaro::PictureError& e) {
      return fail(e.what());
    }
  }
  if (command == "lnk-write" && (args.size() == 4 || args.size() == 5)) {
    kelvaro::ShellLink link;
    link.target = args[2];
    link.workingDirectory = args[3];
    if (args.size() == 5) link.arguments = args[4];
    try {
      kelvaro::LinuxShellLinks(codePage()).create(args[1], link);
      return 0;
    } catch (const kelvaro::ShellLinkError& e) {
      return fail(e.what());
    }
  }
  if (command == "lnk-target" && args.size() == 2) {
    if (!std::filesystem::is_regular_file(args[1])) return fail("no such file: " + args[1]);
    const std::string target = kelvaro::LinuxShellLinks(codePage()).target(args[1]);
    if (target.empty()) return fail("not a shell link with a target: " + args[1]);
    std::cout << target << "\n";
    return 0;
  }
  return fail("unknown command or wrong arguments (see kelvaro-formats --help)");
}

// Qt's own chatter would break the one-line error messages.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  // Metafiles draw text, which needs Qt's font database; no display is used.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(quietQt);
  QGuiApplication app(argc, argv);
  std::vector<std::string> args(argv + 1, argv + argc);
  return run(args);
}
