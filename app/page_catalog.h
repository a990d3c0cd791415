#pragma once

#include <span>
#include <string_view>

namespace kelvaro {

struct SubPageInfo {
  const char* id;
  const char* caption;
  const char* menuCaption;  // the page-order menu's caption when it differs, else nullptr
};

struct PageInfo {
  const char* id;
  const char* caption;
  const char* menuCaption;  // the page-order menu's caption when it differs, else nullptr
  std::span<const SubPageInfo> subPages;
  const char* subPageControl;  // object name of the page's own page control
};

// The 37 pages of `stronki` in tab order; the index is the page index.
std::span<const PageInfo> pageCatalog();
// The index of a page by its identifier, or -1.
int pageIndex(std::string_view id);

// One entry of the alphabetical menu: a page, or a sub-menu of its sub-pages.
struct AlphabeticalEntry {
  const char* caption;
  const char* page;
  std::span<const SubPageInfo> subPages;  // captions as the alphabetical menu shows them
};
std::span<const AlphabeticalEntry> alphabeticalMenu();

// The start-up loader sequence: the page filled and the splash gauge value.
struct LoaderStep {
  const char* page;
  int gauge;
};
std::span<const LoaderStep> loaderSequence();
inline constexpr int kGaugeMaximum = 34;

}  // namespace kelvaro
