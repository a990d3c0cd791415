#include "pages/shell/file_type_list.h"

#include <QCollator>
#include <QString>

#include <algorithm>
#include <utility>

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
  // One sort key per extension: HKEY_CLASSES_ROOT may hold thousands.
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::vector<std::pair<QCollatorSortKey, std::size_t>> keys;
  keys.reserve(types.size());
  for (std::size_t i = 0; i < types.size(); ++i)
    keys.emplace_back(collator.sortKey(QString::fromStdString(types[i].extension)), i);
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
  std::vector<FileTypeEntry> sorted;
  sorted.reserve(types.size());
  for (const auto& key : keys) sorted.push_back(std::move(types[key.second]));
  return sorted;
}

}  // namespace kelvaro
