#pragma once

// The sandbox registry is kept as readable text in data/sandbox/registry/*.reg,
// in the layout of the export files of the Windows registry editor, version 4:
//
//   REGEDIT4                                   first line
//   ; comment
//   [HKEY_CLASSES_ROOT\.txt]                   a key (created with its parents)
//   @="txtfile"                                the default value
//   "Name"="text with \" and \\"               REG_SZ
//   "Count"=dword:0000002a                     REG_DWORD
//   "Bytes"=hex:40,01,00,20                    REG_BINARY; a trailing "\" continues
//   "Path"=hex(2):25,00,...                    any kind, raw bytes
//   "Path"=str(2):"%SystemRoot%\\x"            REG_EXPAND_SZ written as text
//   "Old"=-                                    removes a value
//   [-HKEY_CURRENT_USER\Software\Old]          removes a key and its subkeys
//
// Unlike the editor's files, the text is UTF-8 (the tree keeps UTF-16 anyway),
// so Polish names read as they are. Roots: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER,
// HKEY_CLASSES_ROOT (= HKEY_LOCAL_MACHINE\Software\Classes) and their short forms
// HKLM, HKCU, HKCR.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "store/registry_tree.h"

namespace kelvaro::sandbox {

// A line the loader cannot read; what() names the source and the line.
class RegistryTextError : public std::runtime_error {
 public:
  RegistryTextError(const std::string& source, int line, const std::string& message);
  const std::string& source() const { return source_; }
  int line() const { return line_; }

 private:
  std::string source_;
  int line_;
};

// Applies the text to the registry, in order. `source` names the text in errors.
void loadRegistryText(Registry& registry, std::string_view text, const std::string& source);
void loadRegistryFile(Registry& registry, const std::filesystem::path& file);
// Every *.reg of the folder, in the order of their names.
void loadRegistryFolder(Registry& registry, const std::filesystem::path& folder);

}  // namespace kelvaro::sandbox
