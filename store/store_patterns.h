#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "registry_handle.h"

// The recurring ways pages read and write their settings, by name, so that no
// page spells them out again.
namespace kelvaro {

// Read without create: loaders open keys this way; a missing key reads as if
// every value were missing.
bool openForRead(RegistryHandle& reg, std::string_view path);
// Write with create: Apply commands open (and create) the keys they write.
bool openForWrite(RegistryHandle& reg, std::string_view path);

// Guarded reads: the value is used only when it exists with the expected kind;
// otherwise the default.
std::string guardedReadString(RegistryHandle& reg, std::string_view name, std::string_view defaultValue = {});
std::int32_t guardedReadDword(RegistryHandle& reg, std::string_view name, std::int32_t defaultValue = 0);
std::vector<std::uint8_t> guardedReadBinary(RegistryHandle& reg, std::string_view name);

// DWORD flag: checked when the stored number is not 0; writes 1 or 0.
bool readDwordFlag(RegistryHandle& reg, std::string_view name);
void writeDwordFlag(RegistryHandle& reg, std::string_view name, bool checked);
// Inverted DWORD flag: checked when the stored number is 0; writes 0 or 1.
bool readInvertedDwordFlag(RegistryHandle& reg, std::string_view name);
void writeInvertedDwordFlag(RegistryHandle& reg, std::string_view name, bool checked);
// String flag: checked is the text "1", unchecked "0".
bool readStringFlag(RegistryHandle& reg, std::string_view name);
void writeStringFlag(RegistryHandle& reg, std::string_view name, bool checked);

struct FlagSetting {
  std::string_view valueName;
  bool checked;
};
// Write-then-prune: a DWORD flag for every box of the group, then the values
// of the unchecked boxes are deleted. Checked leaves 1, unchecked no value.
void writeThenPrune(RegistryHandle& reg, std::span<const FlagSetting> group);
void writeThenPrune(RegistryHandle& reg, std::initializer_list<FlagSetting> group);

// Number as text: the integer a text holds, or StoreError "'%s' is not a valid
// integer value".
std::int32_t numberFromText(std::string_view text);
std::string numberAsText(std::int32_t value);
std::int32_t readNumberText(RegistryHandle& reg, std::string_view name);
void writeNumberText(RegistryHandle& reg, std::string_view name, std::int32_t value);

}  // namespace kelvaro
