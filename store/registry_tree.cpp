#include "registry_tree.h"

#include <algorithm>

#include "text_codec.h"

namespace kelvaro {

RegistryKey::RegistryKey(std::u16string name, RegistryKey* parent)
    : name_(std::move(name)), parent_(parent) {}

std::shared_ptr<RegistryKey> RegistryKey::findSubkey(std::u16string_view name) const {
  const auto it = subkeyIndex_.find(foldName(name));
  return it == subkeyIndex_.end() ? nullptr : it->second->shared_from_this();
}

std::shared_ptr<RegistryKey> RegistryKey::addSubkey(std::u16string_view name, bool* created) {
  std::u16string folded = foldName(name);
  if (const auto it = subkeyIndex_.find(folded); it != subkeyIndex_.end()) {
    if (created) *created = false;
    return it->second->shared_from_this();
  }
  auto key = std::make_shared<RegistryKey>(std::u16string(name), this);
  // Files list keys in order, so the common case appends.
  auto pos = subkeys_.end();
  if (!subkeys_.empty() && compareNames(subkeys_.back()->name(), name) > 0) {
    pos = std::lower_bound(subkeys_.begin(), subkeys_.end(), name,
                           [](const std::shared_ptr<RegistryKey>& k, std::u16string_view n) {
                             return compareNames(k->name(), n) < 0;
                           });
  }
  subkeys_.insert(pos, key);
  subkeyIndex_.emplace(std::move(folded), key.get());
  if (created) *created = true;
  return key;
}

bool RegistryKey::removeSubkey(std::u16string_view name) {
  const auto it = subkeyIndex_.find(foldName(name));
  if (it == subkeyIndex_.end()) return false;
  RegistryKey* victim = it->second;
  subkeyIndex_.erase(it);
  const auto pos =
      std::find_if(subkeys_.begin(), subkeys_.end(),
                   [victim](const std::shared_ptr<RegistryKey>& k) { return k.get() == victim; });
  victim->markDeleted();
  victim->parent_ = nullptr;
  subkeys_.erase(pos);
  return true;
}

void RegistryKey::markDeleted() {
  deleted_ = true;
  for (const auto& sub : subkeys_) sub->markDeleted();
}

std::size_t RegistryKey::valueIndex(std::u16string_view name, bool& found) const {
  const auto it = std::lower_bound(
      values_.begin(), values_.end(), name,
      [](const RegistryValue& v, std::u16string_view n) { return compareNames(v.name, n) < 0; });
  found = it != values_.end() && compareNames(it->name, name) == 0;
  return static_cast<std::size_t>(it - values_.begin());
}

const RegistryValue* RegistryKey::findValue(std::u16string_view name) const {
  bool found = false;
  const std::size_t i = valueIndex(name, found);
  return found ? &values_[i] : nullptr;
}

bool RegistryKey::setValue(std::u16string_view name, std::uint32_t type, std::vector<std::uint8_t> data) {
  bool found = false;
  std::size_t i = values_.size();
  if (values_.empty() || compareNames(values_.back().name, name) < 0) {
    found = false;
  } else {
    i = valueIndex(name, found);
  }
  if (found) {
    RegistryValue& v = values_[i];
    if (v.type == type && v.data == data) return false;
    v.type = type;
    v.data = std::move(data);
    return true;
  }
  values_.insert(values_.begin() + static_cast<std::ptrdiff_t>(i),
                 RegistryValue{std::u16string(name), type, std::move(data)});
  return true;
}

bool RegistryKey::removeValue(std::u16string_view name) {
  bool found = false;
  const std::size_t i = valueIndex(name, found);
  if (!found) return false;
  values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(i));
  return true;
}

Registry::~Registry() = default;

MemoryRegistry::MemoryRegistry()
    : currentUser_(std::make_shared<RegistryKey>(u"HKEY_CURRENT_USER")),
      localMachine_(std::make_shared<RegistryKey>(u"HKEY_LOCAL_MACHINE")) {
  // Windows always has HKEY_CLASSES_ROOT.
  localMachine_->addSubkey(u"Software")->addSubkey(u"Classes");
}

std::shared_ptr<RegistryKey> MemoryRegistry::rootKey(Root root) {
  return root == Root::LocalMachine ? localMachine_ : currentUser_;
}

}  // namespace kelvaro
