#pragma once

#include <functional>
#include <string>

#include "pages/page.h"

class QLabel;

namespace kelvaro {

class ClickableLabel;

// The maker's addresses shown and opened by the about page.
struct AboutAddresses {
  static constexpr char kAuthor[] = "Adam Morwański";
  static constexpr char kEmail[] = "kelvaro@example.org";
  static constexpr char kWeb[] = "http://www.example.org/kelvaro/";
  static constexpr char kDonation[] = "http://www.example.org/kelvaro/wesprzyj.html";
  static constexpr char kProfile[] = "http://www.example.org/autor/";
};

// What the e-mail link opens: a new message to the address, with its subject
// and body filled in.
std::string aboutMailLink(std::string_view address);

// Page `oprog` ("O programie"): name, maker, version, logo and the links.
// Reads and writes no settings.
class AboutPage : public Page {
  Q_OBJECT

 public:
  // currentYear is the clock of the second label; the system's year when empty.
  AboutPage(AppContext& app, const PageInfo& info, QWidget* parent, std::function<int()> currentYear = {});

 private:
  void open(const std::string& target, bool maximised);
};

}  // namespace kelvaro
