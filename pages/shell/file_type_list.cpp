#include "pages/shell/file_type_list.h"

#include <QCollator>
#include <QString>

#include <algorithm>

#include "store/registry_handle.h"

namespace kelvaro {

std::vector<FileTypeEntry> readTypeList(Registry& registry) {
  RegistryHandle reg(registry);
  reg.setRoot(Root::ClassesRoot);
  std::vector<std::string> names;
  if (reg.openKey("\\", false)) names = reg.subkeyNames();
  std::vector<FileTypeEntry> types;
  for (const std::string& name : names) {
    if (name.size() < 2 || name.front() != '.') continue;
    reg.closeKey();
    if (!reg.openKey("\\" + name, false)) continue;
    // Default values are read as strings; one of another kind is the store's error.
    const std::string typeName = reg.readString("");
    reg.closeKey();
    if (typeName.empty() || !reg.openKey("\\" + typeName, false)) continue;
    std::string description = reg.readString("");
    if (description.empty()) description = typeName;
    types.push_back({QString::fromStdString(name.substr(1)).toUpper().toStdString(), typeName, description});
  }
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::stable_sort(types.begin(), types.end(), [&collator](const FileTypeEntry& a, const FileTypeEntry& b) {
    return collator.compare(QString::fromStdString(a.extension), QString::fromStdString(b.extension)) < 0;
  });
  return types;
}

}  // namespace kelvaro
