#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <optional>

#include "platform/dialogs.h"

class QWidget;

namespace kelvaro {

// Maps the environment's DOS paths to host paths and back.
struct DosPathMapper {
  std::function<std::optional<std::filesystem::path>(std::string_view dosPath)> toHost;
  std::function<std::optional<std::string>(const std::filesystem::path& hostPath)> toDos;
};

// "Desc|*.a;*.b|Desc|*.c" as a Qt name filter list ("Desc (*.a *.b);;Desc (*.c)").
QString qtNameFilters(std::string_view filter);

// Dialogs shown with Qt's own boxes and file dialogs, in Polish.
class QtDialogs : public Dialogs {
 public:
  QtDialogs(std::function<QWidget*()> parent, DosPathMapper paths);

  BoxButton messageBox(const MessageBoxSpec& box) override;
  std::optional<std::string> inputBox(std::string_view title, std::string_view prompt,
                                      std::string_view defaultText) override;
  std::optional<std::string> openFile(const FileOpenSpec& spec) override;
  std::optional<std::string> openPicture(const FileOpenSpec& spec) override;
  std::optional<std::string> browseFolder(std::string_view title, std::string_view initialFolder) override;
  std::optional<Rgb> chooseColour(Rgb initial) override;

 private:
  std::optional<std::string> runFileDialog(const FileOpenSpec& spec, bool withPreview);
  QString hostFolder(std::string_view dosFolder) const;

  std::function<QWidget*()> parent_;
  DosPathMapper paths_;
};

}  // namespace kelvaro
