#pragma once

#include <QString>
#include <vector>

namespace kelvaro::sandbox {

// A shortcut of the sandbox: its file below drive_c and what it starts
// (DOS paths).
struct ShortcutSpec {
  QString file;
  QString target;
  QString arguments;
  QString workingDirectory;  // empty: the target's folder
};

const std::vector<ShortcutSpec>& sandboxShortcuts();

}  // namespace kelvaro::sandbox
