#pragma once

#include <vector>

#include "pages/frame_control.h"

namespace kelvaro {

class Registry;

// The registered file types of HKEY_CLASSES_ROOT in the order the file types
// page lists them: every ".ext" key whose default value names an existing
// key, captioned by its extension upper-cased without the dot, described by
// the type key's default value (or the type name when that is empty), in
// ascending order of extension by the locale's comparison without regard to
// case. The file types page's loader builds it and offers it to the pages
// whose type selectors address it by position.
std::vector<FileTypeEntry> readTypeList(Registry& registry);

}  // namespace kelvaro
