#include "wine_registry_file.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "text_codec.h"
#include "wine_registry_format.h"

namespace kelvaro::winereg {
namespace {

// Why a file is refused; the backend puts these in its message.
constexpr const char* kBadHeader = "brak nagłówka „WINE REGISTRY Version 2”";
constexpr const char* kNulByte = "bajt zerowy w pliku";
constexpr const char* kBadKey = "błędny wiersz klucza";
constexpr const char* kLongKeyName = "za długa nazwa klucza";
constexpr const char* kBadValue = "błędna wartość";
constexpr const char* kLongValueName = "za długa nazwa wartości";
constexpr const char* kValueOutsideKey = "wartość przed pierwszym kluczem";
constexpr const char* kUnknownArch = "nieznana architektura";
constexpr const char* kArchMismatch = "architektura inna niż w pozostałych plikach rejestru";
constexpr const char* kUnrecognized = "nierozpoznany wiersz";

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

void ensureNewline(std::string& out) {
  if (!out.empty() && out.back() != '\n') out.push_back('\n');
}

// wineserver writes a key that has values, has no subkeys, has a class or is
// a link; any other key is implied by its subkeys.
bool writtenByWine(const RegistryKey& key, const KeyInfo* info) {
  return !key.values().empty() || key.subkeys().empty() || (info && (info->hasClass || info->link));
}

// Sets the key's time, and that of the parents the file did not date yet.
void updateKeyTime(RegistryKey* key, std::uint64_t modif) {
  while (key != nullptr) {
    KeyInfo& info = keyInfo(*key);
    if (info.modif != 0) return;
    info.modif = modif;
    key = key->parent();
  }
}

std::vector<std::u16string_view> pathOf(const RegistryKey& key) {
  std::vector<std::u16string_view> path;
  for (const RegistryKey* k = &key; k->parent() != nullptr; k = k->parent()) path.push_back(k->name());
  std::reverse(path.begin(), path.end());
  return path;
}

std::vector<std::u16string> splitPath(const std::u16string& units) {
  std::vector<std::u16string> parts;
  std::size_t pos = 0;
  while (pos <= units.size()) {
    std::size_t end = units.find(u'\\', pos);
    if (end == std::u16string::npos) end = units.size();
    if (end > pos) parts.emplace_back(units, pos, end - pos);
    pos = end + 1;
  }
  return parts;
}

// One line (or, for continued hex data, several) of a section.
struct Record {
  enum class Kind { Blank, Header, Value, Time, Other } kind = Kind::Other;
  std::size_t begin = 0;  // in the file's text
  std::size_t end = 0;
  std::size_t section = 0;
  ParsedValue value;
};

void lexSection(std::string_view text, std::size_t base, std::size_t section, bool valuesOnly,
                std::vector<Record>& out) {
  LineReader reader(text);
  Line line;
  while (reader.next(line)) {
    const std::string_view t = trimLeft(line.text);
    Record rec;
    rec.begin = base + line.begin;
    rec.end = base + line.next;
    rec.section = section;
    if (t.empty()) {
      rec.kind = Record::Kind::Blank;
    } else if (t[0] == '[') {
      rec.kind = Record::Kind::Header;
    } else if (t[0] == '@' || t[0] == '"') {
      rec.kind = Record::Kind::Value;
      // It was read once already; it reads the same way again.
      parseValue(t, reader, rec.value);
      rec.end = base + reader.position();
    } else if (startsWith(t, "#time=")) {
      rec.kind = Record::Kind::Time;
    }
    if (!valuesOnly || rec.kind == Record::Kind::Value) out.push_back(std::move(rec));
  }
}

}  // namespace

KeyInfo& keyInfo(RegistryKey& key) {
  if (auto* info = key.attachmentAs<KeyInfo>()) return *info;
  auto info = std::make_unique<KeyInfo>();
  KeyInfo& ref = *info;
  key.setAttachment(std::move(info));
  return ref;
}

const KeyInfo* findKeyInfo(const RegistryKey& key) { return key.attachmentAs<KeyInfo>(); }

FormatError::FormatError(int line, std::string reason) : std::runtime_error(std::move(reason)), line_(line) {}

RegistryFile::RegistryFile(std::u16string rootName, std::string relativeTo)
    : rootName_(std::move(rootName)), relativeTo_(std::move(relativeTo)) {
  root_ = std::make_shared<RegistryKey>(rootName_);
}

void RegistryFile::load(std::string text, Arch& arch, std::uint64_t now) {
  text_ = std::move(text);
  chunks_.clear();
  dirtyKeys_.clear();
  dirty_ = false;
  exists_ = true;
  root_ = std::make_shared<RegistryKey>(rootName_);
  keyInfo(*root_).modif = now;
  lastPathSize_ = 0;
  std::u16string units;
  if (parseEscaped(relativeTo_, '\0', units) >= 0) rootPath_ = splitPath(units);

  const std::string_view data = text_;
  if (const void* nul = std::memchr(data.data(), 0, data.size())) {
    const auto at = static_cast<std::size_t>(static_cast<const char*>(nul) - data.data());
    throw FormatError(
        static_cast<int>(std::count(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(at), '\n')) + 1,
        kNulByte);
  }
  LineReader reader(data);
  Line line;
  if (!reader.next(line) || line.text != kHeaderLine) throw FormatError(1, kBadHeader);

  std::size_t contentEnd = line.next;
  RegistryKey* current = nullptr;
  std::uint64_t modif = now;
  ParsedValue value;
  bool headerPathSeen = false;
  const auto closeSection = [&] {
    if (chunks_.empty()) {
      preambleEnd_ = contentEnd;
    } else {
      chunks_.back().end = contentEnd;
    }
  };
  while (reader.next(line)) {
    const std::string_view t = trimLeft(line.text);
    if (t.empty()) continue;
    const int lineNo = reader.lineNumber();
    switch (t[0]) {
      case '[': {
        if (current) updateKeyTime(current, modif);
        closeSection();
        const std::ptrdiff_t used = parseEscaped(t.substr(1), ']', units);
        if (used < 0) throw FormatError(lineNo, kBadKey);
        std::uint32_t seconds = 0;
        modif = parseSeconds(t.substr(1 + static_cast<std::size_t>(used)), seconds)
                    ? static_cast<std::uint64_t>(seconds) * kTicksPerSecond + kUnixEpochTicks
                    : now;
        current = sectionKey(units, lineNo);
        KeyInfo& info = keyInfo(*current);
        if (info.chunk == KeyInfo::kNoChunk) {
          info.chunk = static_cast<std::uint32_t>(chunks_.size());
        } else {
          info.moreChunks = true;
        }
        chunks_.push_back(Chunk{current->weak_from_this(), contentEnd, 0});
        contentEnd = line.next;
        break;
      }
      case '@':
      case '"':
        if (!current) throw FormatError(lineNo, kValueOutsideKey);
        if (!parseValue(t, reader, value)) throw FormatError(lineNo, kBadValue);
        if (value.name.size() > kMaxValueNameUnits) throw FormatError(lineNo, kLongValueName);
        current->setValue(value.name, value.type, std::vector<std::uint8_t>(value.data));
        contentEnd = reader.position();
        break;
      case '#':
        if (current) {
          KeyInfo& info = keyInfo(*current);
          if (startsWith(t, "#time=")) updateKeyTime(current, parseTimeOption(t.substr(6)));
          if (startsWith(t, "#class=")) {
            // wineserver ignores a class it cannot read.
            const std::string_view rest = t.substr(7);
            if (!rest.empty() && rest[0] == '"' && parseEscaped(rest.substr(1), '"', units) >= 0) {
              info.hasClass = true;
            }
          }
          if (startsWith(t, "#link")) info.link = true;
        } else if (startsWith(t, "#arch=")) {
          const std::string_view name = t.substr(6);
          Arch named = Arch::Unknown;
          if (name == "win32") {
            named = Arch::Win32;
          } else if (name == "win64") {
            named = Arch::Win64;
          } else {
            throw FormatError(lineNo, kUnknownArch);
          }
          if (arch == Arch::Unknown) {
            arch = named;
          } else if (arch != named) {
            throw FormatError(lineNo, kArchMismatch);
          }
        }
        contentEnd = line.next;
        break;
      case ';':
        if (!headerPathSeen && current == nullptr && startsWith(t, ";; All keys relative to ")) {
          headerPathSeen = true;
          if (parseEscaped(t.substr(24), '\0', units) >= 0) rootPath_ = splitPath(units);
        }
        contentEnd = line.next;
        break;
      default:
        throw FormatError(lineNo, kUnrecognized);
    }
  }
  if (current) updateKeyTime(current, modif);
  closeSection();
  postambleBegin_ = contentEnd;
  lastPath_.clear();
  lastPath_.shrink_to_fit();
  lastPathSize_ = 0;
}

void RegistryFile::loadMissing(Arch arch, std::uint64_t now) {
  chunks_.clear();
  dirtyKeys_.clear();
  dirty_ = false;
  exists_ = false;
  root_ = std::make_shared<RegistryKey>(rootName_);
  keyInfo(*root_).modif = now;
  std::u16string units;
  if (parseEscaped(relativeTo_, '\0', units) >= 0) rootPath_ = splitPath(units);
  text_ = std::string(kHeaderLine) + "\n;; All keys relative to " + relativeTo_ + "\n";
  if (arch == Arch::Win32) text_ += "\n#arch=win32\n";
  if (arch == Arch::Win64) text_ += "\n#arch=win64\n";
  preambleEnd_ = postambleBegin_ = text_.size();
}

RegistryKey* RegistryFile::sectionKey(const std::u16string& path, int line) {
  RegistryKey* key = root_.get();
  std::size_t depth = 0;
  bool sameAsBefore = true;
  std::size_t pos = 0;
  while (pos <= path.size()) {
    std::size_t end = path.find(u'\\', pos);
    if (end == std::u16string::npos) end = path.size();
    // Empty parts ("a\\\\b", a leading backslash) name the key itself.
    if (end > pos) {
      const std::u16string_view name(path.data() + pos, end - pos);
      if (name.size() > kMaxKeyNameUnits) throw FormatError(line, kLongKeyName);
      if (sameAsBefore && depth < lastPathSize_ && lastPath_[depth].name == name) {
        key = lastPath_[depth].key;
      } else {
        sameAsBefore = false;
        bool created = false;
        std::shared_ptr<RegistryKey> sub = key->addSubkey(name, &created);
        if (created) sub->setAttachment(std::make_unique<KeyInfo>());
        key = sub.get();
        if (depth >= lastPath_.size()) lastPath_.emplace_back();
        lastPath_[depth].name.assign(name);
        lastPath_[depth].key = key;
      }
      ++depth;
    }
    pos = end + 1;
  }
  lastPathSize_ = depth;
  return key;
}

void RegistryFile::markDirty(RegistryKey& key, KeyInfo& info) {
  if (!info.dirty) {
    info.dirty = true;
    dirtyKeys_.push_back(key.weak_from_this());
  }
  dirty_ = true;
}

void RegistryFile::keyCreated(RegistryKey& key, std::uint64_t now) {
  KeyInfo& info = keyInfo(key);
  info.modif = now;
  markDirty(key, info);
}

void RegistryFile::keyModified(RegistryKey& key, std::uint64_t now) {
  KeyInfo& info = keyInfo(key);
  info.modif = now;
  markDirty(key, info);
}

RegistryFile::Rendered RegistryFile::render(std::uint64_t now) const {
  Rendered r;
  std::string& out = r.text;
  out.reserve(text_.size() + text_.size() / 32 + 4096);

  // Changed keys without a section get one where wineserver would put it:
  // after the section of the key before them, depth first.
  struct Insert {
    std::size_t anchor;  // 0: after the header lines, i: after chunk i - 1
    RegistryKey* key;
  };
  std::vector<Insert> inserts;
  {
    std::size_t anchor = 0;
    std::vector<RegistryKey*> stack{root_.get()};
    while (!stack.empty()) {
      RegistryKey* key = stack.back();
      stack.pop_back();
      const KeyInfo* info = findKeyInfo(*key);
      if (info && info->chunk != KeyInfo::kNoChunk) {
        anchor = info->chunk + 1;
      } else if ((!info || info->dirty) && writtenByWine(*key, info)) {
        inserts.push_back({anchor, key});
      }
      const auto& subs = key->subkeys();
      for (auto it = subs.rbegin(); it != subs.rend(); ++it) stack.push_back(it->get());
    }
    std::stable_sort(inserts.begin(), inserts.end(),
                     [](const Insert& a, const Insert& b) { return a.anchor < b.anchor; });
  }

  out.append(text_, 0, preambleEnd_);
  r.preambleEnd = out.size();
  std::size_t nextInsert = 0;
  const auto emitInserts = [&](std::size_t anchor) {
    for (; nextInsert < inserts.size() && inserts[nextInsert].anchor == anchor; ++nextInsert) {
      appendNewSection(out, *inserts[nextInsert].key, now, r.chunks);
    }
  };
  emitInserts(0);
  for (std::size_t i = 0; i < chunks_.size(); ++i) {
    const Chunk& chunk = chunks_[i];
    const std::shared_ptr<RegistryKey> key = chunk.key.lock();
    if (key && !key->deleted()) {
      const KeyInfo& info = keyInfo(*key);
      if (!info.dirty) {
        ensureNewline(out);
        const std::size_t begin = out.size();
        out.append(text_, chunk.begin, chunk.end - chunk.begin);
        r.chunks.push_back(Chunk{key, begin, out.size()});
      } else if (info.chunk == i && writtenByWine(*key, &info)) {
        regenerate(out, *key, info, i, r.chunks);
      }
    }
    emitInserts(i + 1);
  }
  r.postambleBegin = out.size();
  if (postambleBegin_ < text_.size()) {
    ensureNewline(out);
    r.postambleBegin = out.size();
    out.append(text_, postambleBegin_);
  }
  return r;
}

void RegistryFile::appendNewSection(std::string& out, RegistryKey& key, std::uint64_t now,
                                    std::vector<Chunk>& chunks) const {
  ensureNewline(out);
  const std::size_t begin = out.size();
  const KeyInfo* info = findKeyInfo(key);
  out.push_back('\n');
  appendKeyHeader(out, pathOf(key), info && info->modif != 0 ? info->modif : now);
  for (const RegistryValue& v : key.values()) appendValue(out, v.name, v.type, v.data);
  chunks.push_back(Chunk{key.weak_from_this(), begin, out.size()});
}

void RegistryFile::regenerate(std::string& out, RegistryKey& key, const KeyInfo& info, std::size_t first,
                              std::vector<Chunk>& chunks) const {
  // The key's sections: the first is rewritten, later ones (a file listing
  // the key twice) fold into it.
  std::vector<Record> records;
  lexSection(std::string_view(text_).substr(chunks_[first].begin, chunks_[first].end - chunks_[first].begin),
             chunks_[first].begin, 0, false, records);
  if (info.moreChunks) {
    std::size_t section = 1;
    for (std::size_t j = first + 1; j < chunks_.size(); ++j) {
      if (chunks_[j].key.lock().get() != &key) continue;
      lexSection(std::string_view(text_).substr(chunks_[j].begin, chunks_[j].end - chunks_[j].begin),
                 chunks_[j].begin, section++, true, records);
    }
  }

  const std::vector<RegistryValue>& values = key.values();
  // The record each value was last read from: that one holds its data.
  std::unordered_map<std::u16string, const Record*> lastRecord;
  for (const Record& rec : records) {
    if (rec.kind == Record::Kind::Value) lastRecord[foldName(rec.value.name)] = &rec;
  }
  std::vector<const Record*> recordOf(values.size(), nullptr);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const auto it = lastRecord.find(foldName(values[i].name));
    if (it != lastRecord.end()) recordOf[i] = it->second;
  }
  std::vector<bool> emitted(values.size(), false);
  const auto emitValue = [&](std::size_t i) {
    const RegistryValue& v = values[i];
    const Record* rec = recordOf[i];
    ensureNewline(out);
    if (rec && rec->value.name == v.name && rec->value.type == v.type && rec->value.data == v.data) {
      out.append(text_, rec->begin, rec->end - rec->begin);
    } else {
      appendValue(out, v.name, v.type, v.data);
    }
    emitted[i] = true;
  };
  // Values that have no line in the first section go in name order between
  // the ones that do.
  std::size_t pending = 0;
  const auto emitPending = [&](std::size_t upTo) {
    for (; pending < upTo; ++pending) {
      const Record* rec = recordOf[pending];
      if (!emitted[pending] && !(rec && rec->section == 0)) emitValue(pending);
    }
  };

  ensureNewline(out);
  const std::size_t begin = out.size();
  for (const Record& rec : records) {
    if (rec.section != 0) break;
    switch (rec.kind) {
      case Record::Kind::Header:
        appendKeyHeader(out, pathOf(key), info.modif);
        break;
      case Record::Kind::Time:
        break;  // written with the header
      case Record::Kind::Value: {
        const RegistryValue* v = key.findValue(rec.value.name);
        if (!v) break;
        const auto i = static_cast<std::size_t>(v - values.data());
        if (recordOf[i] != &rec) break;  // deleted, or read again further on
        emitPending(i);
        emitValue(i);
        break;
      }
      case Record::Kind::Blank:
      case Record::Kind::Other:
        ensureNewline(out);
        out.append(text_, rec.begin, rec.end - rec.begin);
        break;
    }
  }
  emitPending(values.size());
  chunks.push_back(Chunk{key.weak_from_this(), begin, out.size()});
}

void RegistryFile::commit(Rendered rendered) {
  for (const Chunk& chunk : chunks_) {
    if (const auto key = chunk.key.lock()) {
      KeyInfo& info = keyInfo(*key);
      info.chunk = KeyInfo::kNoChunk;
      info.moreChunks = false;
    }
  }
  text_ = std::move(rendered.text);
  chunks_ = std::move(rendered.chunks);
  preambleEnd_ = rendered.preambleEnd;
  postambleBegin_ = rendered.postambleBegin;
  for (std::size_t i = 0; i < chunks_.size(); ++i) {
    if (const auto key = chunks_[i].key.lock()) {
      KeyInfo& info = keyInfo(*key);
      if (info.chunk == KeyInfo::kNoChunk) {
        info.chunk = static_cast<std::uint32_t>(i);
      } else {
        info.moreChunks = true;
      }
    }
  }
  for (const auto& weak : dirtyKeys_) {
    if (const auto key = weak.lock()) keyInfo(*key).dirty = false;
  }
  dirtyKeys_.clear();
  dirty_ = false;
  exists_ = true;
}

}  // namespace kelvaro::winereg
