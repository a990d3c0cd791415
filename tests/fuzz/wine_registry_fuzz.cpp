// Fuzz target for the Wine registry file parser. For every input the parser
// takes: rendering it unchanged gives the input back byte for byte, and
// rewriting every key as wineserver would gives a file that reads back to the
// same tree.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "store/wine_registry_file.h"

namespace {

using kelvaro::RegistryKey;
using kelvaro::winereg::Arch;
using kelvaro::winereg::FormatError;
using kelvaro::winereg::RegistryFile;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "wine_registry_fuzz: %s\n", what);
    std::abort();
  }
}

bool sameTree(const RegistryKey& a, const RegistryKey& b) {
  if (a.name() != b.name() || a.values().size() != b.values().size() ||
      a.subkeys().size() != b.subkeys().size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.values().size(); ++i) {
    const auto& v = a.values()[i];
    const auto& w = b.values()[i];
    if (v.name != w.name || v.type != w.type || v.data != w.data) return false;
  }
  for (std::size_t i = 0; i < a.subkeys().size(); ++i) {
    if (!sameTree(*a.subkeys()[i], *b.subkeys()[i])) return false;
  }
  return true;
}

void touchAll(RegistryFile& file, RegistryKey& key) {
  file.keyModified(key, 0x1dd000000000000ULL);
  for (const auto& sub : key.subkeys()) touchAll(file, *sub);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  RegistryFile file(u"root", "REGISTRY\\\\Machine");
  Arch arch = Arch::Unknown;
  try {
    file.load(text, arch, 0x1d9000000000000ULL);
  } catch (const FormatError&) {
    return 0;
  }
  check(file.render(0x1d9000000000001ULL).text == text, "an unchanged file did not come back byte for byte");

  touchAll(file, *file.root());
  const std::string rewritten = file.render(0x1dd000000000001ULL).text;
  RegistryFile again(u"root", "REGISTRY\\\\Machine");
  Arch againArch = Arch::Unknown;
  try {
    again.load(rewritten, againArch, 1);
  } catch (const FormatError&) {
    check(false, "a rewritten file does not load");
  }
  check(sameTree(*file.root(), *again.root()), "a rewritten file reads back to another tree");
  return 0;
}
