#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelvaro::sandbox {

struct TemplateSources {
  std::filesystem::path sandboxSource;             // data/sandbox: registry/*.reg and drive_c/
  std::vector<std::filesystem::path> fontFolders;  // where the registered TrueType files are taken from
};

// Writes Kelvaro's data folder into `output`: Logo\ and Kursory\ beside the
// program, and sandbox\drive_c\ (the C: drive of a new sandbox). The same
// sources give the same bytes. Throws std::runtime_error naming what failed.
void buildTemplate(const TemplateSources& sources, const std::filesystem::path& output);

}  // namespace kelvaro::sandbox
