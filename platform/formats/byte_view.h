#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro::formats {

// Little-endian reads from a byte span. Every read is bounds-checked and a
// read past the end throws FormatError, so a parser never touches memory
// outside the buffer it was given.
class ByteView {
 public:
  ByteView() = default;
  explicit ByteView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

  // True when [offset, offset + length) lies inside the view (no overflow).
  bool contains(std::size_t offset, std::size_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }

  std::uint8_t u8(std::size_t offset) const;
  std::uint16_t u16(std::size_t offset) const;
  std::uint32_t u32(std::size_t offset) const;
  std::uint64_t u64(std::size_t offset) const;
  std::int16_t s16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
  std::int32_t s32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }

  // The bytes [offset, offset + length); throws when they are not all there.
  ByteView sub(std::size_t offset, std::size_t length) const;
  // The bytes from offset to the end.
  ByteView from(std::size_t offset) const;
  bool startsWith(std::size_t offset, std::string_view magic) const;

  // A NUL-terminated 8-bit string starting at offset, at most maxLength bytes;
  // a string that runs into the end of the view ends there.
  std::string cString(std::size_t offset, std::size_t maxLength = SIZE_MAX) const;
  // A NUL-terminated UTF-16LE string, at most maxUnits code units.
  std::u16string utf16String(std::size_t offset, std::size_t maxUnits = SIZE_MAX) const;
  // Exactly `units` UTF-16LE code units.
  std::u16string utf16Units(std::size_t offset, std::size_t units) const;

 private:
  void require(std::size_t offset, std::size_t length) const;
  std::span<const std::uint8_t> bytes_;
};

// Little-endian output for the writers.
class ByteWriter {
 public:
  std::size_t size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

  void u8(std::uint8_t v) { bytes_.push_back(v); }
  void u16(std::uint16_t v);
  void u32(std::uint32_t v);
  void u64(std::uint64_t v);
  void s32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  void append(std::span<const std::uint8_t> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
  void append(std::string_view data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
  void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  // Zero bytes up to the next multiple of `alignment`.
  void align(std::size_t alignment);
  // Overwrites earlier output (for sizes known only at the end).
  void patchU16(std::size_t offset, std::uint16_t v);
  void patchU32(std::size_t offset, std::uint32_t v);

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace kelvaro::formats
