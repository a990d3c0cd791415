#include "pages/logos/windows_information.h"

#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {

std::string shownWindowsInformation(Registry& registry, std::string_view valueName) {
  RegistryHandle reg(registry);
  reg.setRoot(Root::LocalMachine);
  std::string text;
  for (const char* key :
       {"Software\\Microsoft\\Windows\\CurrentVersion", "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"}) {
    reg.closeKey();
    if (text.empty() && openForRead(reg, key)) text = guardedReadString(reg, valueName);
  }
  reg.closeKey();
  return text.empty() ? "(nieznane)" : text;
}

}  // namespace kelvaro
