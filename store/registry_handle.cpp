#include "registry_handle.h"

#include <algorithm>

#include "registry_change_log.h"
#include "store_error.h"
#include "text_codec.h"

namespace kelvaro {
namespace {

// Windows limits key names to 255 characters and value names to 16383.
constexpr std::size_t kMaxKeyName = 255;
constexpr std::size_t kMaxValueName = 16383;

struct SplitPath {
  bool absolute = false;
  bool valid = true;
  std::vector<std::u16string> names;
  std::vector<std::string_view> spelled;
};

SplitPath splitPath(std::string_view path) {
  SplitPath out;
  out.absolute = !path.empty() && path.front() == '\\';
  std::size_t pos = 0;
  while (pos <= path.size()) {
    std::size_t end = path.find('\\', pos);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view part = path.substr(pos, end - pos);
    if (!part.empty()) {
      std::u16string name = utf8ToUtf16(part);
      if (name.size() > kMaxKeyName) out.valid = false;
      out.names.push_back(std::move(name));
      out.spelled.push_back(part);
    }
    pos = end + 1;
  }
  return out;
}

std::string joinPath(std::string_view base, const std::vector<std::string_view>& parts) {
  std::string out(base);
  for (const auto part : parts) {
    if (!out.empty()) out.push_back('\\');
    out.append(part);
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> registryStringData(std::string_view text) {
  const std::u16string wide = utf8ToUtf16(text);
  std::vector<std::uint8_t> data;
  data.reserve((wide.size() + 1) * 2);
  for (const char16_t u : wide) {
    data.push_back(static_cast<std::uint8_t>(u & 0xFF));
    data.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  data.push_back(0);
  data.push_back(0);
  return data;
}

std::string registryStringText(std::span<const std::uint8_t> data) {
  std::u16string wide;
  wide.reserve(data.size() / 2);
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const auto u = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (u == 0) break;
    wide.push_back(u);
  }
  return utf16ToUtf8(wide);
}

RegistryHandle::RegistryHandle(Registry& registry) : registry_(registry) {}

void RegistryHandle::setRoot(Root root) {
  if (root != root_) closeKey();
  root_ = root;
}

std::shared_ptr<RegistryKey> RegistryHandle::rootNode(bool create) {
  if (root_ != Root::ClassesRoot) return registry_.rootKey(root_);
  std::shared_ptr<RegistryKey> key = registry_.rootKey(Root::LocalMachine);
  for (const std::u16string_view name : {std::u16string_view(u"Software"), std::u16string_view(u"Classes")}) {
    std::shared_ptr<RegistryKey> next = key->findSubkey(name);
    if (!next && create) {
      registry_.checkWritable();
      next = key->addSubkey(name);
      registry_.keyCreated(*next);
      registry_.keyModified(*key);
      if (auto* log = registry_.changeLog()) log->keyCreated(*next);
    }
    if (next) next = registry_.followLink(next);
    if (!next) return nullptr;
    key = std::move(next);
  }
  return key;
}

RegistryHandle::Resolved RegistryHandle::resolve(std::string_view path, bool create) {
  const SplitPath split = splitPath(path);
  if (!split.valid) return {};
  const bool fromRoot = split.absolute || !key_;
  std::shared_ptr<RegistryKey> key = fromRoot ? rootNode(create) : key_;
  for (const auto& name : split.names) {
    if (!key || key->deleted()) return {};
    std::shared_ptr<RegistryKey> next = key->findSubkey(name);
    if (!next && create) {
      registry_.checkWritable();
      next = key->addSubkey(name);
      registry_.keyCreated(*next);
      registry_.keyModified(*key);
      if (auto* log = registry_.changeLog()) log->keyCreated(*next);
    }
    if (next) next = registry_.followLink(next);
    key = std::move(next);
  }
  if (!key || key->deleted()) return {};
  return {key, joinPath(fromRoot ? std::string_view() : std::string_view(path_), split.spelled)};
}

bool RegistryHandle::openKey(std::string_view path, bool create) {
  Resolved target = resolve(path, create);
  if (!target.key) return false;
  key_ = std::move(target.key);
  path_ = std::move(target.path);
  return true;
}

void RegistryHandle::closeKey() {
  key_.reset();
  path_.clear();
}

void RegistryHandle::createKey(std::string_view path) {
  if (!resolve(path, true).key) throw StoreError(store_messages::createKeyFailed(path));
}

bool RegistryHandle::keyExists(std::string_view path) { return resolve(path, false).key != nullptr; }

bool RegistryHandle::deleteKey(std::string_view path) {
  const SplitPath split = splitPath(path);
  if (!split.valid || split.names.empty()) return false;
  // Find the parent; the key itself is deleted, not what a link points to.
  std::string parentPath;
  if (split.absolute) parentPath.push_back('\\');
  for (std::size_t i = 0; i + 1 < split.spelled.size(); ++i) {
    parentPath.append(split.spelled[i]);
    parentPath.push_back('\\');
  }
  const Resolved parent =
      resolve(parentPath.empty() ? std::string_view() : std::string_view(parentPath), false);
  // An empty relative path resolves to the open key (or the root), as wanted.
  if (!parent.key) return false;
  const std::shared_ptr<RegistryKey> victim = parent.key->findSubkey(split.names.back());
  if (!victim) return false;
  registry_.checkWritable();
  if (auto* log = registry_.changeLog()) log->keyDeleted(*victim);
  parent.key->removeSubkey(split.names.back());
  registry_.keyModified(*parent.key);
  return true;
}

const RegistryValue* RegistryHandle::find(std::string_view name) const {
  if (!key_ || key_->deleted()) return nullptr;
  return key_->findValue(utf8ToUtf16(name));
}

const RegistryValue* RegistryHandle::rawValue(std::string_view name) const { return find(name); }

bool RegistryHandle::valueExists(std::string_view name) { return find(name) != nullptr; }

ValueKind RegistryHandle::valueKind(std::string_view name) {
  const RegistryValue* v = find(name);
  if (!v) return ValueKind::Unknown;
  switch (v->type) {
    case kRegSz:
      return ValueKind::String;
    case kRegExpandSz:
      return ValueKind::ExpandString;
    case kRegDword:
      return ValueKind::Dword;
    case kRegBinary:
      return ValueKind::Binary;
    default:
      return ValueKind::Unknown;
  }
}

std::string RegistryHandle::readString(std::string_view name) {
  const RegistryValue* v = find(name);
  if (!v || v->data.empty()) return {};
  if (v->type != kRegSz && v->type != kRegExpandSz) throw StoreError(store_messages::invalidDataType(name));
  return registryStringText(v->data);
}

std::int32_t RegistryHandle::readDword(std::string_view name) {
  const RegistryValue* v = find(name);
  if (!v) throw StoreError(store_messages::getDataFailed(name));
  if (v->type != kRegDword) throw StoreError(store_messages::invalidDataType(name));
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < 4 && i < v->data.size(); ++i)
    n |= static_cast<std::uint32_t>(v->data[i]) << (8 * i);
  return static_cast<std::int32_t>(n);
}

bool RegistryHandle::readFlag(std::string_view name) { return readDword(name) != 0; }

std::size_t RegistryHandle::readBinary(std::string_view name, std::span<std::uint8_t> buffer) {
  const RegistryValue* v = find(name);
  if (!v) return 0;
  const bool binaryOrUnknown = v->type != kRegSz && v->type != kRegExpandSz && v->type != kRegDword;
  if (!binaryOrUnknown || v->data.size() > buffer.size())
    throw StoreError(store_messages::invalidDataType(name));
  std::copy(v->data.begin(), v->data.end(), buffer.begin());
  return v->data.size();
}

void RegistryHandle::store(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data) {
  const std::u16string wide = utf8ToUtf16(name);
  if (!key_ || key_->deleted() || wide.size() > kMaxValueName) {
    throw StoreError(store_messages::setDataFailed(name));
  }
  const RegistryValue* old = key_->findValue(wide);
  if (old && old->type == type && old->data == data) return;
  registry_.checkWritable();
  if (key_->setValue(wide, type, std::move(data))) {
    registry_.keyModified(*key_);
    if (auto* log = registry_.changeLog()) log->valueSet(*key_, *key_->findValue(wide));
  }
}

void RegistryHandle::writeString(std::string_view name, std::string_view text) {
  store(name, kRegSz, registryStringData(text));
}

void RegistryHandle::writeExpandString(std::string_view name, std::string_view text) {
  store(name, kRegExpandSz, registryStringData(text));
}

void RegistryHandle::writeDword(std::string_view name, std::int32_t value) {
  const auto n = static_cast<std::uint32_t>(value);
  store(name, kRegDword,
        {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n >> 16),
         static_cast<std::uint8_t>(n >> 24)});
}

void RegistryHandle::writeFlag(std::string_view name, bool value) { writeDword(name, value ? 1 : 0); }

void RegistryHandle::writeBinary(std::string_view name, std::span<const std::uint8_t> data) {
  store(name, kRegBinary, std::vector<std::uint8_t>(data.begin(), data.end()));
}

void RegistryHandle::writeRaw(std::string_view name, std::uint32_t regType,
                              std::span<const std::uint8_t> data) {
  store(name, regType, std::vector<std::uint8_t>(data.begin(), data.end()));
}

bool RegistryHandle::deleteValue(std::string_view name) {
  if (!key_ || key_->deleted()) return false;
  const std::u16string wide = utf8ToUtf16(name);
  const RegistryValue* old = key_->findValue(wide);
  if (!old) return false;
  registry_.checkWritable();
  if (auto* log = registry_.changeLog()) log->valueDeleted(*key_, old->name);
  key_->removeValue(wide);
  registry_.keyModified(*key_);
  return true;
}

std::vector<std::string> RegistryHandle::subkeyNames() {
  std::vector<std::string> names;
  if (!key_ || key_->deleted()) return names;
  names.reserve(key_->subkeys().size());
  for (const auto& sub : key_->subkeys()) names.push_back(utf16ToUtf8(sub->name()));
  return names;
}

std::vector<std::string> RegistryHandle::valueNames() {
  std::vector<std::string> names;
  if (!key_ || key_->deleted()) return names;
  names.reserve(key_->values().size());
  for (const auto& v : key_->values()) names.push_back(utf16ToUtf8(v.name));
  return names;
}

}  // namespace kelvaro
