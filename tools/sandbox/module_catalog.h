#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "tools/sandbox/pe_module_writer.h"

namespace kelvaro::sandbox {

// An icon-bearing program file of the sandbox: where it lies on drive C, its
// kind, the first icon group's resource id (later groups count on from it),
// and the motif of each icon in file order (see drawIcon).
struct ModuleSpec {
  QString path;  // below drive_c, with "/"
  ModuleKind kind;
  int firstId;
  QStringList motifs;
};

const std::vector<ModuleSpec>& sandboxModules();

}  // namespace kelvaro::sandbox
