#pragma once

#include <string>
#include <vector>

#include "pages/page.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace kelvaro {

class Registry;

// One entry of Explorer's "New" menu: a file type with a ShellNew key.
struct NewMenuEntry {
  std::string name;       // as the menu shows it
  std::string extension;  // upper-cased, without the dot
  std::string key;        // the ShellNew key below HKEY_CLASSES_ROOT (".txt\\ShellNew")
  bool active = false;    // it holds NullFile, FileName or Data
};

// The entries in the order the page lists them (by name, as the locale
// compares). Reads only: no key is created.
std::vector<NewMenuEntry> readNewMenuEntries(Registry& registry);

// Page `MenuNOWY` ("Menu NOWY"): the entries of the "New" menu, their
// details, and switching one off and on, written at once.
class NewMenuPage : public Page {
  Q_OBJECT

 public:
  NewMenuPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  const std::vector<NewMenuEntry>& entries() const { return entries_; }
  QTreeWidget* entryList() const { return list_; }

 protected:
  void load() override;

 private:
  void clearDetails();
  void selectionChanged();
  void setActive(bool active);

  QTreeWidget* list_ = nullptr;
  QLabel* name_ = nullptr;
  QLabel* extension_ = nullptr;
  QLabel* smallIcon_ = nullptr;
  QLabel* largeIcon_ = nullptr;
  QLabel* state_ = nullptr;
  QPushButton* deactivate_ = nullptr;
  QPushButton* activate_ = nullptr;
  std::vector<NewMenuEntry> entries_;
  std::string selectedKey_;
};

}  // namespace kelvaro
