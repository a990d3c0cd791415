#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kelvaro::sandbox {

// Little-endian writing into a growing byte buffer, for the file formats the
// template generator writes.
class ByteWriter {
 public:
  void u8(std::uint32_t v) { bytes_.push_back(static_cast<std::uint8_t>(v)); }
  void u16(std::uint32_t v) {
    u8(v & 0xFF);
    u8((v >> 8) & 0xFF);
  }
  void u32(std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  }
  void s32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  void ascii(std::string_view text) {
    for (char c : text) u8(static_cast<unsigned char>(c));
  }
  void append(const std::vector<std::uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
  }
  void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void padTo(std::size_t alignment) {
    while (bytes_.size() % alignment != 0) u8(0);
  }
  void put32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  void put16(std::size_t at, std::uint32_t v) {
    bytes_[at] = static_cast<std::uint8_t>(v);
    bytes_[at + 1] = static_cast<std::uint8_t>(v >> 8);
  }
  std::size_t size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace kelvaro::sandbox
