#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/formats/byte_view.h"
#include "platform/formats/resource_directory.h"

namespace kelvaro::formats {

// The resource table of a 16-bit NE file. Resources keep the file's order;
// numbered types and names drop their 0x8000 bit. See ne.md.
class NeResourceReader : public ResourceDirectory {
 public:
  static bool looksLikeNe(const ByteView& file);
  // Throws FormatError when the header or the resource table is broken.
  explicit NeResourceReader(const ByteView& file);

  std::vector<ResourceName> names(std::uint16_t type) const override;
  std::optional<ByteView> data(std::uint16_t type, const ResourceName& name) const override;

 private:
  struct Resource {
    std::uint16_t type = 0;
    bool typeIsNumber = true;
    ResourceName name;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
  };
  ByteView file_;
  std::vector<Resource> resources_;
};

}  // namespace kelvaro::formats
