#pragma once

#include <map>
#include <string>

#include "pages/page.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSpinBox;

namespace kelvaro {

class RegistryHandle;
class ToolbarPreview;

// Page `explorer2` ("Eksplorator"): shell and network policies and the
// other switches of the shell and Explorer, on a panel twice the page's
// width with a scroll bar, and the background bitmap of Explorer's toolbar.
// One "Zastosuj" writes everything in a fixed order of steps.
class ExplorerPage : public Page {
  Q_OBJECT

 public:
  ExplorerPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  QCheckBox* box(const std::string& name) const { return boxes_.at(name); }
  QSpinBox* timeout() const { return timeout_; }
  QScrollBar* scroller() const { return scroller_; }
  QWidget* panel() const { return panel_; }
  ToolbarPreview* preview() const { return preview_; }
  const std::string& backgroundPath() const { return background_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QCheckBox* addBox(const std::string& name, const char* caption, const char* hint, QWidget* parent);
  bool checked(const char* name) const;
  void showBackground(const std::string& path);
  void chooseBackground();
  void removeBackground();
  void placePanel();

  WriteResult apply();
  void writeFlags(RegistryHandle& reg, const char* key, std::initializer_list<const char*> values);
  void pruneFlags(RegistryHandle& reg, const char* key, std::initializer_list<const char*> values);

  ApplyCommand* apply_ = nullptr;
  std::map<std::string, QCheckBox*> boxes_;
  QWidget* viewport_ = nullptr;
  QWidget* panel_ = nullptr;
  QScrollBar* scroller_ = nullptr;
  QSpinBox* timeout_ = nullptr;
  ToolbarPreview* preview_ = nullptr;
  QLabel* backgroundLabel_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* remove_ = nullptr;
  std::string background_;
};

}  // namespace kelvaro
