#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/icons.h"

namespace kelvaro {

// The test double of Icons: answers from what a test gives it and records
// every call. Unknown files have no icons; locations without a scripted
// picture show the generic icon.
class RecordingIcons : public Icons {
 public:
  struct Call {
    std::string operation;  // "iconCount", "extractIcon", "allIcons", "largeIcons", "displayIcon",
                            // "substituteIcon", "fileTypeIcon"
    std::string argument;   // the path, location or extension
    int index = 0;          // extractIcon's index, or the IconTarget as a number
  };

  // The icons of a file, by DOS path as the caller spells it.
  void addFile(const std::string& dosPath, std::vector<Icon> icons) { files_[dosPath] = std::move(icons); }
  void setDisplayedIcon(const std::string& location, QImage image) {
    displayed_[location] = std::move(image);
  }
  void setFileTypeIcon(const std::string& extension, Icon icon) { types_[extension] = std::move(icon); }

  const std::vector<Call>& calls() const { return calls_; }
  const IconDirectories& directories() const { return directories_; }

  int iconCount(std::string_view dosPath) override;
  Icon extractIcon(std::string_view dosPath, int index) override;
  std::vector<Icon> allIcons(std::string_view dosPath) override;
  std::vector<QImage> largeIcons(std::string_view dosPath) override;
  QImage displayIcon(std::string_view location, IconTarget target = IconTarget::Other) override;
  QImage substituteIcon(IconTarget target) override;
  Icon fileTypeIcon(std::string_view extension) override;
  QImage genericIcon() override;
  void setDirectories(const IconDirectories& directories) override { directories_ = directories; }

 private:
  std::map<std::string, std::vector<Icon>, std::less<>> files_;
  std::map<std::string, QImage, std::less<>> displayed_;
  std::map<std::string, Icon, std::less<>> types_;
  std::vector<Call> calls_;
  IconDirectories directories_;
  QImage generic_;
};

}  // namespace kelvaro
