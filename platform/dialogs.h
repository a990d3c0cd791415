#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/colour_text.h"
#include "store/common_functions.h"
#include "store/program_version.h"

namespace kelvaro {

enum class BoxIcon { None, Information, Warning, Error, Question };

// Buttons of a message box; a box shows the set bits in this order.
enum BoxButton : unsigned { Ok = 1, Yes = 2, No = 4, Cancel = 8 };

struct MessageBoxSpec {
  std::string title;
  std::string text;
  BoxIcon icon = BoxIcon::None;
  unsigned buttons = BoxButton::Ok;
};

// A file-open request. The filter is "Desc|*.a;*.b|Desc|*.c"; folders and the
// answer are DOS paths of the environment. An initial folder that names a
// file opens its folder with that file's name preset.
struct FileOpenSpec {
  std::string title;
  std::string filter;
  std::string initialFolder;
  std::string defaultExtension;
  bool mustExist = true;
};

// Every box and dialog the program shows goes through here, so that tests can
// script the answers and record what was shown.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Returns the button pressed (the Cancel/No/Ok button when the box is closed).
  virtual BoxButton messageBox(const MessageBoxSpec& box) = 0;
  // nullopt when cancelled.
  virtual std::optional<std::string> inputBox(std::string_view title, std::string_view prompt,
                                              std::string_view defaultText) = 0;
  virtual std::optional<std::string> openFile(const FileOpenSpec& spec) = 0;
  virtual std::optional<std::string> openPicture(const FileOpenSpec& spec) = 0;
  virtual std::optional<std::string> browseFolder(std::string_view title, std::string_view initialFolder) = 0;
  virtual std::optional<Rgb> chooseColour(Rgb initial) = 0;

  // The plain message: program title, one OK button, no icon.
  void message(std::string_view text) {
    messageBox({kProgramTitle, std::string(text), BoxIcon::None, BoxButton::Ok});
  }
  // The box that shows a store error.
  void errorBox(std::string_view storeErrorText) {
    messageBox({kProgramTitle, errorBoxText(storeErrorText), BoxIcon::Error, BoxButton::Ok});
  }
};

}  // namespace kelvaro
