#pragma once

#include <array>
#include <string>

#include "pages/page.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace kelvaro {

// Page `AutoRUN`: the programs Windows starts from the four Run keys, one
// tab each. Adding, editing and removing write at once and read the lists
// again; there is no Apply command.
class StartupProgramsPage : public Page {
  Q_OBJECT

 public:
  static constexpr int kTabs = 4;

  StartupProgramsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  QTreeWidget* list(int tab) const { return tabs_[tab].list; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Tab {
    QTreeWidget* list = nullptr;
    QPushButton* edit = nullptr;
    QPushButton* add = nullptr;
    QPushButton* remove = nullptr;
    std::string selectedName;  // the last item chosen; kept over loads
  };
  struct Panel {
    QFrame* frame = nullptr;
    QLineEdit* command = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* chooser = nullptr;
  };

  int shownTab() const;
  void showDescription();
  void remove(int tab);
  void startAdd();
  void startEdit(int tab);
  void choose(Panel& panel);
  void confirmAdd();
  void confirmEdit();
  void closePanel(Panel& panel);
  void panelChanged(Panel& panel);
  Panel makePanel(const QString& heading, const char* id, const QString& commandHint,
                  const QString& chooserHint, const QString& nameCaption, const QString& nameHint,
                  const QString& okHint, const QString& cancelHint);

  std::array<Tab, kTabs> tabs_{};
  Panel add_;
  Panel edit_;
  QCheckBox* deriveName_ = nullptr;
  QLabel* line1_ = nullptr;
  QLabel* line2_ = nullptr;
};

}  // namespace kelvaro
