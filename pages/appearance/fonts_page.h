#pragma once

#include <array>
#include <string>

#include "pages/page.h"

class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

namespace kelvaro {

// Page `czcionki`: the environment's font families, each drawn in its own
// typeface; the styles registered for the chosen one, a preview of its
// characters, and deleting chosen styles (files and 9x registrations) at once.
class FontsPage : public Page {
  Q_OBJECT

 public:
  static constexpr int kStyles = 4;

  FontsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  void resetTransient() override;

  QListWidget* fontList() const { return list_; }
  QToolButton* styleButton(int style) const { return buttons_[style]; }
  QLabel* fileLabel(int style) const { return files_[style]; }
  QLabel* preview() const { return picture_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void select();
  void showPreview();
  void remove();
  std::string family() const;

  QListWidget* list_ = nullptr;
  QLabel* familyName_ = nullptr;
  std::array<QToolButton*, kStyles> buttons_{};
  std::array<QLabel*, kStyles> files_{};
  QPushButton* deleteButton_ = nullptr;
  QPushButton* previewButton_ = nullptr;
  QWidget* previewArea_ = nullptr;
  QLabel* previewLine_ = nullptr;
  QLabel* picture_ = nullptr;
  bool removing_ = false;
  bool listed_ = false;
};

}  // namespace kelvaro
