#include "app/open_environment.h"

#include <cstdio>

#include "store/store_error.h"

namespace kelvaro {

std::unique_ptr<Environment> openEnvironmentOrReport(const EnvironmentChoice& choice, Dialogs& dialogs,
                                                     const EnvironmentOptions& options) {
  try {
    return openEnvironment(choice, options);
  } catch (const StoreError& e) {
    // The line first: the box waits for the user.
    std::fprintf(stderr, "kelvaro: %s\n", e.what());
    std::fflush(stderr);
    dialogs.errorBox(e.what());
  }
  return nullptr;
}

}  // namespace kelvaro
