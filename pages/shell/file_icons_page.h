#pragma once

#include <string>
#include <vector>

#include "pages/frame_control.h"
#include "pages/page.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro {

struct IconChoice;

// Page `pliki` ("Ikony plików"): the icon of one registered file type, or of
// one of the shell's three default icons (markers "!", "@", "#"), chosen in
// the icon picker and written by "Zastosuj".
class FileIconsPage : public Page {
  Q_OBJECT

 public:
  FileIconsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  const std::string& location() const { return location_; }
  const std::string& typeName() const { return typeName_; }
  QLineEdit* extensionField() const { return extension_; }
  QComboBox* typeSelector() const { return selector_; }
  QLabel* preview() const { return preview_; }
  QPushButton* changeButton() const { return change_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillSelector();
  void chooseEntry(int index);
  void typedInSelector(const QString& text);
  void extensionChanged();
  void showMarker(int marker);
  void showExtension(const std::string& extension);
  void setPreview(const QImage& icon);
  void receive(const IconChoice& choice);
  WriteResult apply();

  QLineEdit* extension_ = nullptr;
  QComboBox* selector_ = nullptr;
  QLabel* preview_ = nullptr;
  QPushButton* change_ = nullptr;
  ApplyCommand* apply_ = nullptr;
  std::vector<FileTypeEntry> types_;
  std::string typeName_;
  std::string location_;
  int marker_ = -1;  // the marker shown, or -1 for an extension
};

}  // namespace kelvaro
