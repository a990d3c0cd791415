#pragma once

#include <array>
#include <string>
#include <string_view>

#include "pages/page.h"

class QLineEdit;

namespace kelvaro {

// A stored info tip split into the resource reference kept out of sight and
// the readable text the user edits; prefix + text is the stored tip.
struct TipParts {
  std::string prefix;
  std::string text;
};
// Only a tip that begins with "@shell32." (in that case) has a prefix: all
// up to the first comma after its second "@", and that comma. A tip without
// such a comma has none.
TipParts splitTip(std::string_view stored);

// Page `podpowiedzi` ("Podpowiedzi"): the info tips of ten shell objects,
// each in an edit field, written by "Zastosuj" (or Enter in a field).
class InfoTipsPage : public Page {
  Q_OBJECT

 public:
  static constexpr int kRows = 10;

  InfoTipsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  QLineEdit* field(int row) const { return rows_[row].field; }
  const std::string& prefix(int row) const { return rows_[row].prefix; }

 protected:
  void load() override;

 private:
  struct Row {
    QLineEdit* field = nullptr;
    std::string prefix;
  };
  WriteResult apply();

  std::array<Row, kRows> rows_{};
};

}  // namespace kelvaro
