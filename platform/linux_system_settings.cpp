#include "platform/linux_system_settings.h"

#include <QGuiApplication>
#include <QStyleHints>

#include "store/registry_handle.h"
#include "store/store_error.h"
#include "store/store_patterns.h"

namespace kelvaro {

const SystemColours& standardSystemColours() {
  static const SystemColours colours{
      {{192, 192, 192}, {0, 128, 128},   {0, 0, 128},     {128, 128, 128}, {192, 192, 192}, {255, 255, 255},
       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {255, 255, 255}, {192, 192, 192}, {192, 192, 192},
       {128, 128, 128}, {0, 0, 128},     {255, 255, 255}, {192, 192, 192}, {128, 128, 128}, {128, 128, 128},
       {0, 0, 0},       {192, 192, 192}, {255, 255, 255}, {0, 0, 0},       {192, 192, 192}, {0, 0, 0},
       {255, 255, 225}, {180, 180, 180}, {0, 0, 128},     {16, 132, 208},  {192, 192, 192}}};
  return colours;
}

int LinuxSystemSettings::doubleClickTime() const {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
  return doubleClickTime_;
}

void LinuxSystemSettings::setDoubleClickTime(int milliseconds) {
  doubleClickTime_ = milliseconds;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(milliseconds);
}

}  // namespace kelvaro

namespace kelvaro {

SystemColours& LinuxSystemSettings::colours() const {
  if (colours_) return *colours_;
  colours_ = standardSystemColours();
  if (!colourRegistry_) return *colours_;
  RegistryHandle reg(*colourRegistry_);
  if (!openForRead(reg, "Control Panel\\Colors")) return *colours_;
  for (int i = 0; i < kSystemColourCount; ++i) {
    try {
      if (reg.valueKind(kSystemColourNames[i]) != ValueKind::String) continue;
      if (auto colour = readColourText(reg.readString(kSystemColourNames[i]))) (*colours_)[i] = *colour;
    } catch (const StoreError&) {
      // Not colour text: the colour stays Windows 98's.
    }
  }
  return *colours_;
}

Rgb LinuxSystemSettings::systemColour(int index) const {
  if (index < 0 || index >= kSystemColourCount) return {};
  return colours()[index];
}

void LinuxSystemSettings::setSystemColour(int index, Rgb colour) {
  if (index < 0 || index >= kSystemColourCount) return;
  colours()[index] = colour;
}

std::string LinuxSystemSettings::desktopValue(const char* name) const {
  if (!colourRegistry_) return {};
  RegistryHandle reg(*colourRegistry_);
  if (!openForRead(reg, "Control Panel\\Desktop")) return {};
  return guardedReadString(reg, name);
}

std::string LinuxSystemSettings::wallpaper() const {
  if (!wallpaper_) wallpaper_ = desktopValue("Wallpaper");
  return *wallpaper_;
}

std::string LinuxSystemSettings::pattern() const {
  if (!pattern_) pattern_ = desktopValue("Pattern");
  return *pattern_;
}

}  // namespace kelvaro
