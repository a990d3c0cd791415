#pragma once

#include <string>
#include <string_view>

#include "store/registry_tree.h"

namespace kelvaro {

// A value of the Windows information page as that page shows it: the
// Windows key's value, else the NT key's, else "(nieznane)". For
// "ProductName" and "RegisteredOrganization".
std::string shownWindowsInformation(Registry& registry, std::string_view valueName);

}  // namespace kelvaro
