#pragma once

#include <string>
#include <string_view>

namespace kelvaro {

// The name a chosen program gives an entry: its file name without the
// folder and without the last four characters (".exe"); empty when the
// file name has four characters or fewer.
std::string derivedName(std::string_view programPath);

}  // namespace kelvaro
