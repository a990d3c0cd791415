#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

inline constexpr std::uint16_t kRtIcon = 3;
inline constexpr std::uint16_t kRtGroupIcon = 14;

// The name of a resource: a number or a string.
struct ResourceName {
  bool isNumber = true;
  std::uint16_t number = 0;
  std::u16string text;  // as stored; PE names are UTF-16, NE names 8-bit

  static ResourceName id(std::uint16_t n) { return ResourceName{true, n, {}}; }
  bool operator==(const ResourceName&) const = default;
};

// The resources of an executable or library, by type.
class ResourceDirectory {
 public:
  virtual ~ResourceDirectory() = default;
  // The resources of a numbered type, in the order the file lists them.
  virtual std::vector<ResourceName> names(std::uint16_t type) const = 0;
  // The data of one resource (its first language), or nullopt.
  virtual std::optional<ByteView> data(std::uint16_t type, const ResourceName& name) const = 0;
};

}  // namespace kelvaro::formats
