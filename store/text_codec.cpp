#include "text_codec.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>

namespace kelvaro {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. Malformed input
// yields U+FFFD and consumes one byte.
char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
  const auto b0 = static_cast<unsigned char>(text[pos]);
  if (b0 < 0x80) {
    ++pos;
    return b0;
  }
  int extra = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if ((b0 & 0xE0) == 0xC0) {
    extra = 1, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    extra = 2, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    extra = 3, cp = b0 & 0x07, min = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + extra >= text.size()) {
    ++pos;
    return kReplacement;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(text[pos + i]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += extra + 1;
  return cp;
}

locale_t utf8Locale() {
  static const locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return l;
  }();
  return loc;
}

const std::array<char16_t, 0x10000>& lowerTable() {
  static const auto table = [] {
    auto t = std::make_unique<std::array<char16_t, 0x10000>>();
    const locale_t loc = utf8Locale();
    for (std::uint32_t u = 0; u < 0x10000; ++u) {
      char16_t lower = static_cast<char16_t>(u);
      if (u >= 'A' && u <= 'Z') {
        lower = static_cast<char16_t>(u + 32);
      } else if (u >= 0x80 && (u < 0xD800 || u > 0xDFFF) && loc != nullptr) {
        const wint_t l = towlower_l(static_cast<wint_t>(u), loc);
        if (l < 0x10000) lower = static_cast<char16_t>(l);
      }
      (*t)[u] = lower;
    }
    return t;
  }();
  return *table;
}

struct IconvCloser {
  void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvPtr = std::unique_ptr<void, IconvCloser>;

IconvPtr openIconv(const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  return IconvPtr(cd);
}

// Runs the whole input through iconv. Where it stops at input it cannot
// convert, skip(input, offset, out) appends a stand-in and says how many
// bytes it stands for; the conversion then goes on after them.
template <typename Skip>
std::string convertAll(void* cd, std::string_view input, std::size_t expected, Skip skip) {
  const auto conv = static_cast<iconv_t>(cd);
  std::string out;
  out.reserve(expected);
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t rc = iconv(conv, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      const std::size_t skipped = skip(input, static_cast<std::size_t>(in - input.data()), out);
      in += skipped;
      inLeft -= skipped;
      iconv(conv, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

}  // namespace

std::u16string utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t cp = nextCodePoint(text, pos);
    if (cp >= 0x10000) {
      const char32_t v = cp - 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 | (v >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 | (v & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    appendUtf8(out, cp);
  }
  return out;
}

char16_t foldUnit(char16_t unit) {
  if (unit < 0x80) return (unit >= 'A' && unit <= 'Z') ? static_cast<char16_t>(unit + 32) : unit;
  return lowerTable()[unit];
}

std::u16string foldName(std::u16string_view name) {
  std::u16string out(name);
  for (auto& u : out) u = foldUnit(u);
  return out;
}

int compareNames(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const int d = static_cast<int>(foldUnit(a[i])) - static_cast<int>(foldUnit(b[i]));
    if (d != 0) return d;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool namesEqual(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && compareNames(a, b) == 0;
}

std::string decodeCodePage(std::string_view bytes, const std::string& codePage) {
  IconvPtr cd = openIconv("UTF-8", codePage.c_str());
  if (!cd) {
    std::string out;
    for (const char c : bytes) appendUtf8(out, static_cast<unsigned char>(c));
    return out;
  }
  // A byte the code page does not define, or a cut-off sequence.
  return convertAll(cd.get(), bytes, bytes.size() * 2, [](std::string_view, std::size_t, std::string& out) {
    appendUtf8(out, kReplacement);
    return std::size_t{1};
  });
}

std::string encodeCodePage(std::string_view utf8, const std::string& codePage) {
  IconvPtr cd = openIconv(codePage.c_str(), "UTF-8");
  if (!cd) {
    std::string out;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
      const char32_t cp = nextCodePoint(utf8, pos);
      out.push_back(cp < 0x100 ? static_cast<char>(cp) : '?');
    }
    return out;
  }
  // Not representable (or not valid UTF-8): one '?' for the whole character.
  return convertAll(cd.get(), utf8, utf8.size(), [](std::string_view text, std::size_t at, std::string& out) {
    std::size_t pos = at;
    nextCodePoint(text, pos);
    out.push_back('?');
    return pos - at;
  });
}

bool endsWithLetterOrDigit(std::string_view utf8) {
  if (utf8.empty()) return false;
  std::size_t start = utf8.size() - 1;
  while (start > 0 && (static_cast<unsigned char>(utf8[start]) & 0xC0) == 0x80) --start;
  std::size_t pos = start;
  const char32_t cp = nextCodePoint(utf8, pos);
  if (cp < 0x80) {
    return (cp >= '0' && cp <= '9') || (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z');
  }
  if (cp == kReplacement) return false;
  const locale_t loc = utf8Locale();
  return loc != nullptr && iswalnum_l(static_cast<wint_t>(cp), loc) != 0;
}

}  // namespace kelvaro
