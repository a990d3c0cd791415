#include "platform/icon_location.h"

#include <QString>

namespace kelvaro {
namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

IconTarget systemIconSlot(int slot) {
  if (slot < 1 || slot > 24) return IconTarget::Other;
  return static_cast<IconTarget>(slot);
}

std::string expandIconLocation(std::string_view location, const IconDirectories& directories) {
  // Characters, not bytes, are counted, so the text is handled as UTF-16.
  QString l = qs(location).toLower();
  if (l.contains(QLatin1String("%systemroot%"))) {
    l = qs(directories.windows) + l.mid(12);
  } else if (l.contains(QLatin1String("%windir%"))) {
    l = qs(directories.windows) + l.mid(8);
  } else if (l.contains(QLatin1String("%programfiles%"))) {
    l = qs(directories.programFiles) + l.mid(14);
  }
  return l.toStdString();
}

std::optional<int> parseIconIndex(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL || value < -2147483648LL) return std::nullopt;
  return static_cast<int>(value);
}

IconDisplayPlan planIconDisplay(std::string_view location, const IconDirectories& directories) {
  const std::string l = expandIconLocation(location, directories);
  IconDisplayPlan plan;
  if (l == "%1" || l == "\"%1\"") return plan;
  const std::size_t comma = l.rfind(',');
  if (comma == std::string::npos) {
    plan.kind = IconDisplayPlan::Kind::FileIcon;
    plan.source = {l, 0};
    return plan;
  }
  const std::optional<int> index = parseIconIndex(std::string_view(l).substr(comma + 1));
  if (!index) return plan;
  plan.source = {l.substr(0, comma), *index};
  plan.kind = *index >= 0 ? IconDisplayPlan::Kind::FileIcon : IconDisplayPlan::Kind::Substitute;
  return plan;
}

std::optional<IconSubstitute> negativeIndexSubstitute(IconTarget target) {
  using B = IconSubstitute::Base;
  auto shell = [](int index) { return IconSubstitute{B::ShellLibrary, {}, index}; };
  switch (target) {
    case IconTarget::NetworkNeighbourhood:
      return shell(17);
    case IconTarget::MyComputer:
      return IconSubstitute{B::WindowsDirectory, "\\Explorer.exe", 0};
    case IconTarget::ControlPanel:
      return shell(54);
    case IconTarget::Printers:
      return shell(55);
    case IconTarget::InternetExplorer:
      return IconSubstitute{B::ProgramFiles, "\\Internet Explorer\\iexplore.exe", 0};
    case IconTarget::MyDocuments:
      return IconSubstitute{B::SystemDirectory, "\\mydocs.dll", 0};
    case IconTarget::RecycleBinEmpty:
      return shell(31);
    case IconTarget::RecycleBinFull:
      return shell(32);
    case IconTarget::History:
      return IconSubstitute{B::SystemDirectory, "\\SHDOCVW.dll", 24};
    case IconTarget::DownloadedProgramFiles:
      return IconSubstitute{B::SystemDirectory, "\\OCCACHE.DLL", 0};
    case IconTarget::OfflineWebPages:
      return IconSubstitute{B::SystemDirectory, "\\webcheck.dll", 0};
    case IconTarget::DialUpNetworking:
      return shell(33);
    case IconTarget::ScheduledTasks:
      return IconSubstitute{B::SystemDirectory, "\\mstask.dll", 0};
    case IconTarget::Fonts:
      return IconSubstitute{B::SystemDirectory, "\\fontext.dll", 0};
    case IconTarget::Desktop:
      return shell(34);
    case IconTarget::OpenFolder:
      return shell(4);
    case IconTarget::ClosedFolder:
      return shell(3);
    case IconTarget::ProgramGroup:
      return shell(36);
    case IconTarget::Floppy:
      return shell(6);
    case IconTarget::HardDisk:
      return shell(8);
    case IconTarget::CdRom:
      return shell(11);
    case IconTarget::Shortcut:
      return shell(29);
    case IconTarget::AudioCd:
      return shell(40);
    case IconTarget::StartPrograms:
      return shell(19);
    case IconTarget::StartDocuments:
      return shell(20);
    case IconTarget::StartSettings:
      return shell(21);
    case IconTarget::StartFind:
      return shell(22);
    case IconTarget::StartHelp:
      return shell(23);
    case IconTarget::StartRun:
      return shell(24);
    case IconTarget::StartFavorites:
      return shell(43);
    case IconTarget::StartShutDown:
      return shell(27);
    case IconTarget::StartSuspend:
      return shell(25);
    case IconTarget::StartControlPanel:
      return shell(35);
    case IconTarget::StartPrinters:
      return shell(37);
    case IconTarget::StartLogOff:
      return shell(44);
    case IconTarget::Briefcase:
    case IconTarget::Other:
      break;
  }
  return std::nullopt;
}

}  // namespace kelvaro
