#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <QByteArray>
#include <QFile>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

// The whole content of a file, mapped into memory when the system allows it
// (icon libraries can be large and only a few bytes of them are read).
class FileBytes {
 public:
  explicit FileBytes(const std::filesystem::path& path);
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  bool isOpen() const { return open_; }
  // Why the file could not be read (when !isOpen()).
  const std::string& error() const { return error_; }
  ByteView view() const { return view_; }

 private:
  QFile file_;
  QByteArray copy_;
  ByteView view_;
  bool open_ = false;
  std::string error_;
};

}  // namespace kelvaro::formats
