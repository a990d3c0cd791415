#pragma once

#include <string>
#include <string_view>

namespace kelvaro {

// UTF-8 <-> UTF-16 as the store needs them. Invalid UTF-8 and unpaired
// surrogates become U+FFFD; nothing throws.
std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

// Registry names compare the way Wine's server does: each UTF-16 unit
// lower-cased on its own, then unit by unit, the shorter name first when one
// is a prefix of the other.
char16_t foldUnit(char16_t unit);
std::u16string foldName(std::u16string_view name);
int compareNames(std::u16string_view a, std::u16string_view b);
bool namesEqual(std::u16string_view a, std::u16string_view b);

// Text in a Windows ANSI code page (an iconv name such as "CP1250").
// Bytes the code page does not define decode to U+FFFD; characters it cannot
// hold encode to '?', as Windows' own conversion does. An unknown code page
// name falls back to ISO-8859-1 so that no byte is lost.
std::string decodeCodePage(std::string_view bytes, const std::string& codePage);
std::string encodeCodePage(std::string_view utf8, const std::string& codePage);

// True when the last character of the UTF-8 text is a letter or a digit.
bool endsWithLetterOrDigit(std::string_view utf8);

}  // namespace kelvaro
