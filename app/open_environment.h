#pragma once

#include <memory>

#include "platform/dialogs.h"
#include "platform/environment_factory.h"

namespace kelvaro {

// Opens the chosen environment, or says why it cannot be opened (a broken
// registry file is named with its line) on standard error, for a start from a
// terminal, and in the error box, for a start from the desktop. Nothing of the
// environment is written then. Null when it cannot be opened.
std::unique_ptr<Environment> openEnvironmentOrReport(const EnvironmentChoice& choice, Dialogs& dialogs,
                                                     const EnvironmentOptions& options = {});

}  // namespace kelvaro
