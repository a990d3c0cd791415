#include "platform/linux_shell_links.h"

#include "platform/formats/file_bytes.h"
#include "platform/formats/format_error.h"
#include "platform/formats/shell_link_reader.h"
#include "store/atomic_file.h"
#include "store/file_change_guard.h"
#include "store/store_error.h"

namespace kelvaro {

void LinuxShellLinks::create(const std::filesystem::path& linkFile, const ShellLink& link) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = formats::ShellLinkWriter::encode(link, codePage_);
  } catch (const formats::FormatError& e) {
    throw ShellLinkError(e.what());
  }
  if (guard_) {
    try {
      guard_->beforeChange(linkFile, {});
    } catch (const StoreError& e) {
      guard_->reportRefusal(e.what());
      throw ShellLinkError(e.what());
    }
  }
  const std::error_code error = writeFileAtomically(
      linkFile, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
      {.refuseReadOnly = true});
  if (error) throw ShellLinkError("cannot write " + linkFile.string() + ": " + error.message());
}

std::string LinuxShellLinks::target(const std::filesystem::path& linkFile) {
  const formats::FileBytes bytes(linkFile);
  if (!bytes.isOpen()) return {};
  // A PIF is no shell link; the shell's link object reads its program field.
  if (!bytes.view().startsWith(0, std::string_view("\x4C\0\0\0", 4))) {
    std::string ext = linkFile.extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext != ".pif") return {};
    return formats::ShellLinkReader::truncated(formats::ShellLinkReader::pifProgram(bytes.view(), codePage_),
                                               formats::ShellLinkReader::kMaxTargetLength);
  }
  try {
    return formats::ShellLinkReader::target(linkFile, codePage_);
  } catch (const formats::FormatError&) {
    return {};
  }
}

}  // namespace kelvaro
