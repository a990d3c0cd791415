#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace kelvaro {

struct SubPageInfo {
  const char* id;
  const char* caption;
  const char* menuCaption;  // the page-order menu's caption when it differs, else nullptr
};

// What "&Odczytaj" does on a page: run its loader, run a re-read of the
// page's own, or nothing (the button is hidden there).
enum class ReRead { Loader, Own, None };

struct PageInfo {
  const char* id;
  const char* caption;
  const char* menuCaption;  // the page-order menu's caption when it differs, else nullptr
  std::span<const SubPageInfo> subPages;
  const char* subPageControl;  // object name of the page's own page control
  ReRead reRead = ReRead::Loader;
  // Place in the hover reset, 1 first; 0 when the page has nothing to reset.
  int hoverResetRank = 0;
  // The sub-page shown at start-up, as an index into subPages.
  int firstSubPage = 0;
  // Its loader fills the page under the loading guard.
  bool loadsUnderGuard = false;
};

// The 37 pages of `stronki` in tab order; the index is the page index.
std::span<const PageInfo> pageCatalog();
// The index of a page by its identifier, or -1.
int pageIndex(std::string_view id);
// Whether the page has a loader in the start-up sequence (and so for re-read).
bool hasLoader(std::string_view id);
// The page shown when the options do not choose one, and the page of F1.
const PageInfo& initialPage();
const PageInfo& helpPage();
// The pages with something to reset, in the order of the hover reset.
std::vector<const PageInfo*> hoverResetOrder();

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
