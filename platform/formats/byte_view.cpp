#include "platform/formats/byte_view.h"

#include <string>

#include "platform/formats/format_error.h"

namespace kelvaro::formats {

void ByteView::require(std::size_t offset, std::size_t length) const {
  if (!contains(offset, length)) {
    throw FormatError("the data ends at byte " + std::to_string(bytes_.size()) + ", before the " +
                      std::to_string(length) + " bytes wanted at " + std::to_string(offset));
  }
}

std::uint8_t ByteView::u8(std::size_t offset) const {
  require(offset, 1);
  return bytes_[offset];
}

std::uint16_t ByteView::u16(std::size_t offset) const {
  require(offset, 2);
  return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
}

std::uint32_t ByteView::u32(std::size_t offset) const {
  require(offset, 4);
  return static_cast<std::uint32_t>(bytes_[offset]) | (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
         (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
}

std::uint64_t ByteView::u64(std::size_t offset) const {
  return static_cast<std::uint64_t>(u32(offset)) | (static_cast<std::uint64_t>(u32(offset + 4)) << 32);
}

ByteView ByteView::sub(std::size_t offset, std::size_t length) const {
  require(offset, length);
  return ByteView(bytes_.subspan(offset, length));
}

ByteView ByteView::from(std::size_t offset) const {
  require(offset, 0);
  return ByteView(bytes_.subspan(offset));
}

bool ByteView::startsWith(std::size_t offset, std::string_view magic) const {
  if (!contains(offset, magic.size())) return false;
  for (std::size_t i = 0; i < magic.size(); ++i) {
    if (bytes_[offset + i] != static_cast<std::uint8_t>(magic[i])) return false;
  }
  return true;
}

std::string ByteView::cString(std::size_t offset, std::size_t maxLength) const {
  require(offset, 0);
  std::string text;
  for (std::size_t i = offset; i < bytes_.size() && text.size() < maxLength && bytes_[i] != 0; ++i) {
    text.push_back(static_cast<char>(bytes_[i]));
  }
  return text;
}

std::u16string ByteView::utf16String(std::size_t offset, std::size_t maxUnits) const {
  require(offset, 0);
  std::u16string text;
  for (std::size_t i = offset; i + 1 < bytes_.size() && text.size() < maxUnits; i += 2) {
    const auto unit = static_cast<char16_t>(bytes_[i] | (bytes_[i + 1] << 8));
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

std::u16string ByteView::utf16Units(std::size_t offset, std::size_t units) const {
  if (units > SIZE_MAX / 2) throw FormatError("string length out of range");
  require(offset, units * 2);
  std::u16string text;
  text.reserve(units);
  for (std::size_t i = 0; i < units; ++i) {
    text.push_back(static_cast<char16_t>(bytes_[offset + 2 * i] | (bytes_[offset + 2 * i + 1] << 8)));
  }
  return text;
}

void ByteWriter::u16(std::uint16_t v) {
  bytes_.push_back(static_cast<std::uint8_t>(v));
  bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
}

void ByteWriter::u32(std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void ByteWriter::u64(std::uint64_t v) {
  u32(static_cast<std::uint32_t>(v));
  u32(static_cast<std::uint32_t>(v >> 32));
}

void ByteWriter::align(std::size_t alignment) {
  while (bytes_.size() % alignment != 0) bytes_.push_back(0);
}

void ByteWriter::patchU16(std::size_t offset, std::uint16_t v) {
  bytes_.at(offset) = static_cast<std::uint8_t>(v);
  bytes_.at(offset + 1) = static_cast<std::uint8_t>(v >> 8);
}

void ByteWriter::patchU32(std::size_t offset, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes_.at(offset + i) = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace kelvaro::formats
