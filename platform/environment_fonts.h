#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/fonts.h"

namespace kelvaro {

class Environment;

// The fonts of a sandbox or Wine prefix: the font files of its Fonts folder
// (each names its family) and the families its font registrations name.
// The files are handed to Qt only when a family is first drawn, so listing
// the families reads a few bytes of each file and nothing more.
class EnvironmentFonts : public Fonts {
 public:
  explicit EnvironmentFonts(Environment& environment);

  std::vector<std::string> families() override;
  QFont font(const std::string& family, int pointSize) override;

  // The family of a registration's value name: the name without its style
  // suffix (" Bold (TrueType)", " Pogrubiony (TrueType)", ...); nullopt for
  // a name that is not a TrueType registration.
  static std::optional<std::string> registeredFamily(const std::string& valueName);

 private:
  void scan();

  Environment& environment_;
  bool scanned_ = false;
  std::vector<std::string> families_;
  // Host paths of the files of each family (folded name → files), and what
  // Qt calls the family once they are loaded.
  std::map<std::string, std::vector<std::string>> files_;
  std::map<std::string, std::optional<QString>> loaded_;
};

}  // namespace kelvaro
