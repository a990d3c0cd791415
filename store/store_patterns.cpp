#include "store_patterns.h"

#include <charconv>
#include <limits>

#include "store_error.h"

namespace kelvaro {

bool openForRead(RegistryHandle& reg, std::string_view path) { return reg.openKey(path, false); }

bool openForWrite(RegistryHandle& reg, std::string_view path) { return reg.openKey(path, true); }

std::string guardedReadString(RegistryHandle& reg, std::string_view name, std::string_view defaultValue) {
  if (reg.valueExists(name) && reg.valueKind(name) == ValueKind::String) return reg.readString(name);
  return std::string(defaultValue);
}

std::int32_t guardedReadDword(RegistryHandle& reg, std::string_view name, std::int32_t defaultValue) {
  if (reg.valueExists(name) && reg.valueKind(name) == ValueKind::Dword) return reg.readDword(name);
  return defaultValue;
}

std::vector<std::uint8_t> guardedReadBinary(RegistryHandle& reg, std::string_view name) {
  if (!reg.valueExists(name) || reg.valueKind(name) != ValueKind::Binary) return {};
  const RegistryValue* v = reg.rawValue(name);
  std::vector<std::uint8_t> data(v->data.size());
  reg.readBinary(name, data);
  return data;
}

bool readDwordFlag(RegistryHandle& reg, std::string_view name) { return guardedReadDword(reg, name, 0) != 0; }

void writeDwordFlag(RegistryHandle& reg, std::string_view name, bool checked) {
  reg.writeFlag(name, checked);
}

bool readInvertedDwordFlag(RegistryHandle& reg, std::string_view name) {
  return reg.valueExists(name) && reg.valueKind(name) == ValueKind::Dword && reg.readDword(name) == 0;
}

void writeInvertedDwordFlag(RegistryHandle& reg, std::string_view name, bool checked) {
  reg.writeFlag(name, !checked);
}

bool readStringFlag(RegistryHandle& reg, std::string_view name) {
  return guardedReadString(reg, name) == "1";
}

void writeStringFlag(RegistryHandle& reg, std::string_view name, bool checked) {
  reg.writeString(name, checked ? "1" : "0");
}

void writeThenPrune(RegistryHandle& reg, std::span<const FlagSetting> group) {
  for (const FlagSetting& s : group) reg.writeFlag(s.valueName, s.checked);
  for (const FlagSetting& s : group) {
    if (!s.checked && reg.valueExists(s.valueName)) reg.deleteValue(s.valueName);
  }
}

void writeThenPrune(RegistryHandle& reg, std::initializer_list<FlagSetting> group) {
  writeThenPrune(reg, std::span<const FlagSetting>(group.begin(), group.size()));
}

std::int32_t numberFromText(std::string_view text) {
  // Leading blanks, an optional sign, then decimal digits or a "$"/"0x" hex
  // number, nothing after it.
  std::string_view s = text;
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s.front() == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
  const bool digitsOnly = !s.empty() && ec == std::errc() && end == s.data() + s.size();
  const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
  // Hex numbers may spell the full 32-bit pattern, as Windows programs write them.
  const std::uint64_t hexLimit = negative ? limit : 0xFFFFFFFFull;
  if (!digitsOnly || magnitude > (base == 16 ? hexLimit : limit)) {
    throw StoreError(store_messages::notAnInteger(text));
  }
  const auto bits = static_cast<std::uint32_t>(negative ? (~magnitude + 1) : magnitude);
  return static_cast<std::int32_t>(bits);
}

std::string numberAsText(std::int32_t value) { return std::to_string(value); }

std::int32_t readNumberText(RegistryHandle& reg, std::string_view name) {
  return numberFromText(reg.readString(name));
}

void writeNumberText(RegistryHandle& reg, std::string_view name, std::int32_t value) {
  reg.writeString(name, numberAsText(value));
}

}  // namespace kelvaro
