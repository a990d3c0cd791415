#pragma once

#include <array>
#include <memory>
#include <string>

#include "pages/logos/logo_schemes.h"
#include "pages/page.h"
#include "platform/pictures.h"

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace kelvaro {

class ClickableLabel;
class Tpodglad;

// Page `logo` ("Logo"): the three full-screen logos Windows shows while it
// starts, shuts down and when the computer may be switched off. Each slot
// holds a bitmap written back with its own size and depth to its fixed file;
// one of the prepared schemes beside the program fills all three at once, or
// "(brak LOGO)" removes them. Nothing is written before an Apply.
class LogoPage : public Page {
  Q_OBJECT

 public:
  LogoPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);
  ~LogoPage() override;

  void resetTransient() override;

  LogoSlot currentSlot() const { return current_; }
  bool slotReady(LogoSlot slot) const { return slots_[index(slot)].ready; }
  const Picture& slotPicture(LogoSlot slot) const { return slots_[index(slot)].picture; }
  // The name of the scheme last clicked in the list ("schemat" before any).
  const std::string& schemeName() const { return schemeName_; }
  // The preview window while it exists (made on the first "Podgląd").
  Tpodglad* previewWindow() const { return preview_.get(); }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Slot {
    Picture picture;
    bool ready = false;
    QLabel* image = nullptr;
  };
  static std::size_t index(LogoSlot slot) { return static_cast<std::size_t>(slot); }

  std::string targetFile(LogoSlot slot) const;
  std::string programFolder(const char* relative) const;
  // The picture of a DOS path, nullopt when it cannot be read.
  std::optional<Picture> readPicture(const std::string& dosPath);
  void setSlot(LogoSlot slot, std::optional<Picture> picture, bool ready);
  void makeCurrent(LogoSlot slot);
  void pick(LogoSlot slot);
  void offerSchemeApply();
  void showSchemes();
  void schemeClicked(const QString& name);
  void loadScheme();
  void showPreview();
  // Writes a slot's picture to its target file; false (reported) on failure.
  bool writeSlot(LogoSlot slot);
  WriteResult apply();
  WriteResult applyScheme();

  std::array<Slot, kLogoSlotCount> slots_;
  LogoSlot current_ = LogoSlot::Start;
  std::string schemeName_ = "schemat";

  QFrame* frame_ = nullptr;
  QPushButton* previewButton_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  QPushButton* schemeApplyButton_ = nullptr;
  QFrame* schemePanel_ = nullptr;
  QListWidget* schemeList_ = nullptr;
  QLabel* helpLine_ = nullptr;
  ApplyCommand* apply_ = nullptr;
  ApplyCommand* applyScheme_ = nullptr;
  std::unique_ptr<Tpodglad> preview_;
};

}  // namespace kelvaro
