#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sandbox_repair.h"

namespace kelvaro::sandbox {

struct TemplateSources {
  std::filesystem::path dataSource;                // data/: copied as it is, except sandbox/
  std::filesystem::path sandboxSource;             // data/sandbox: registry/*.reg and drive_c/
  std::vector<std::filesystem::path> fontFolders;  // where the registered TrueType files are taken from
};

// Writes Kelvaro's data folder into `output`: the files of data/ (help texts,
// pictures), Logo\ and Kursory\ beside the program, and sandbox\ (the prefix a
// new sandbox is copied from: its C: drive and a mark that tells it is one). The same
// sources give the same bytes. Throws std::runtime_error naming what failed.
void buildTemplate(const TemplateSources& sources, const std::filesystem::path& output);

}  // namespace kelvaro::sandbox
