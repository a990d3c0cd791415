#include "platform/formats/file_bytes.h"

namespace kelvaro::formats {

FileBytes::FileBytes(const std::filesystem::path& path) : file_(QString::fromStdString(path.string())) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    error_ = "no such file: " + path.string();
    return;
  }
  if (!file_.open(QIODevice::ReadOnly)) {
    error_ = "cannot open " + path.string() + ": " + file_.errorString().toStdString();
    return;
  }
  open_ = true;
  const qint64 size = file_.size();
  if (size == 0) return;
  if (uchar* mapped = file_.map(0, size)) {
    view_ = ByteView(std::span<const std::uint8_t>(mapped, static_cast<std::size_t>(size)));
    return;
  }
  copy_ = file_.readAll();
  view_ = ByteView(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(copy_.constData()),
                                                 static_cast<std::size_t>(copy_.size())));
}

}  // namespace kelvaro::formats
