#include "platform/file_mask.h"

#include <cstdint>
#include <optional>

#include "store/text_codec.h"

namespace kelvaro {

namespace {

// The DOS forms of the wildcards, as the file system's matcher knows them.
// These code points cannot occur in a file name.
constexpr char16_t kDosStar = u'<';
constexpr char16_t kDosQuestion = u'>';
constexpr char16_t kDosDot = u'"';

std::u16string translatePattern(std::u16string_view pattern) {
  std::u16string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char16_t c = pattern[i];
    const char16_t next = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
    if (c == u'?') {
      out.push_back(kDosQuestion);
    } else if (c == u'.' && (next == u'?' || next == u'*' || i + 1 == pattern.size())) {
      out.push_back(kDosDot);
    } else if (c == u'*' && next == u'.') {
      out.push_back(kDosStar);
    } else {
      out.push_back(foldUnit(c));
    }
  }
  return out;
}

class Matcher {
 public:
  Matcher(std::u16string_view pattern, std::u16string_view name)
      : pattern_(pattern), name_(name), memo_((pattern.size() + 1) * (name.size() + 1), kUnknown) {
    lastDot_ = name.rfind(u'.');
  }

  bool run() { return match(0, 0); }

 private:
  static constexpr std::int8_t kUnknown = -1;

  bool match(std::size_t p, std::size_t n) {
    std::int8_t& slot = memo_[p * (name_.size() + 1) + n];
    if (slot == kUnknown) slot = compute(p, n) ? 1 : 0;
    return slot == 1;
  }

  bool compute(std::size_t p, std::size_t n) {
    const bool atEnd = n == name_.size();
    if (p == pattern_.size()) return atEnd;
    switch (const char16_t c = pattern_[p]) {
      case u'*':
        return match(p + 1, n) || (!atEnd && match(p, n + 1));
      case kDosStar:
        // Any run of characters that does not take the last dot of the name.
        return match(p + 1, n) || (!atEnd && n != lastDot_ && match(p, n + 1));
      case kDosQuestion: {
        if (!atEnd && name_[n] != u'.') return match(p + 1, n + 1);
        std::size_t q = p;
        while (q < pattern_.size() && pattern_[q] == kDosQuestion) ++q;
        return match(q, n);
      }
      case kDosDot:
        if (atEnd) return match(p + 1, n);
        return name_[n] == u'.' && match(p + 1, n + 1);
      default:
        return !atEnd && foldUnit(name_[n]) == c && match(p + 1, n + 1);
    }
  }

  std::u16string_view pattern_;
  std::u16string_view name_;
  std::vector<std::int8_t> memo_;
  std::size_t lastDot_ = std::u16string_view::npos;
};

bool isShortNameCharacter(char16_t c) {
  if (c >= 0x80) return true;  // taken through the OEM code page
  if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) return true;
  return std::u16string_view(u"!#$%&'()-@^_`{}~").find(c) != std::u16string_view::npos;
}

// The part of a name as it goes into a short name: blanks and dots dropped,
// other characters that 8.3 names cannot hold made "_".
std::u16string shortNamePart(std::u16string_view part, std::size_t limit) {
  std::u16string out;
  for (const char16_t c : part) {
    if (out.size() == limit) break;
    if (c == u' ' || c == u'.') continue;
    out.push_back(isShortNameCharacter(c) ? c : u'_');
  }
  return out;
}

// The 8.3 name Windows would give a long name, or nullopt when the name is a
// valid 8.3 name itself and so has no other.
std::optional<std::u16string> shortNameOf(std::u16string_view name) {
  const std::size_t dot = name.rfind(u'.');
  const bool hasExtension = dot != std::u16string_view::npos && dot > 0;
  const std::u16string_view base = hasExtension ? name.substr(0, dot) : name;
  const std::u16string_view extension = hasExtension ? name.substr(dot + 1) : std::u16string_view{};
  const auto valid = [](std::u16string_view part) {
    for (const char16_t c : part)
      if (!isShortNameCharacter(c)) return false;
    return true;
  };
  if (!base.empty() && base.size() <= 8 && extension.size() <= 3 && valid(base) && valid(extension))
    return std::nullopt;
  std::u16string shortName = shortNamePart(base, 6) + u"~1";
  const std::u16string shortExtension = shortNamePart(extension, 3);
  if (!shortExtension.empty()) shortName += u"." + shortExtension;
  return shortName;
}

}  // namespace

FileMask::FileMask(std::string_view mask) {
  while (true) {
    const std::size_t cut = mask.find(';');
    std::string_view part = mask.substr(0, cut);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    if (!part.empty()) patterns_.push_back(translatePattern(utf8ToUtf16(part)));
    if (cut == std::string_view::npos) break;
    mask.remove_prefix(cut + 1);
  }
}

bool FileMask::matches(std::string_view name) const {
  const std::u16string wide = utf8ToUtf16(name);
  const std::optional<std::u16string> shortName = shortNameOf(wide);
  for (const auto& pattern : patterns_) {
    if (Matcher(pattern, wide).run()) return true;
    if (shortName && Matcher(pattern, *shortName).run()) return true;
  }
  return false;
}

}  // namespace kelvaro
