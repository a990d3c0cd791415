#include "app/app_context.h"

#include "store/store_error.h"

namespace kelvaro {

bool AppContext::run(const std::function<void()>& command) {
  try {
    command();
    flush();
    return true;
  } catch (const StoreError& e) {
    dialogs().errorBox(e.what());
  }
  // What the command wrote before the error stays written.
  try {
    flush();
  } catch (const StoreError&) {
    // The first error has been shown; a second box would say no more.
  }
  return false;
}

}  // namespace kelvaro
