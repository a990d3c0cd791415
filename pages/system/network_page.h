#pragma once

#include <array>
#include <string>

#include "pages/page.h"
#include "pages/widgets/in_place_editor.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kelvaro {

class IpAddressBox;

// Page `Siec`: the machine's names on the network, edited in place, the
// address and mask of the first network adapter (shown and checked, never
// stored), and the password and dial-in policies with the packets' time to
// live and the shortest password.
class NetworkPage : public Page {
  Q_OBJECT

 public:
  static constexpr std::size_t kNameCount = 5;
  static constexpr std::size_t kPolicyCount = 5;

  NetworkPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  void resetTransient() override { editor_->moveHighlightOutOfView(); }

  QLabel* name(std::size_t row) const { return names_[row]; }
  InPlaceEditor* editor() const { return editor_; }
  QLineEdit* addressField(int i) const;
  QLineEdit* maskField(int i) const;
  QSpinBox* ttl() const { return ttl_; }
  QSpinBox* minPasswordLength() const { return minPasswordLength_; }

 protected:
  void load() override;

 private:
  void setAddressRowsEnabled(bool enabled);
  void addressFieldChanged(QLineEdit* field, bool maskRow, int ordinal);
  WriteResult applyNames();
  WriteResult applySettings();

  std::array<QLabel*, kNameCount> names_{};
  std::array<QCheckBox*, kPolicyCount> policies_{};
  InPlaceEditor* editor_ = nullptr;
  QLabel* note_ = nullptr;
  IpAddressBox* address_ = nullptr;
  IpAddressBox* mask_ = nullptr;
  QSpinBox* ttl_ = nullptr;
  QSpinBox* minPasswordLength_ = nullptr;
  ApplyCommand* namesApply_ = nullptr;
  ApplyCommand* settingsApply_ = nullptr;
};

}  // namespace kelvaro
