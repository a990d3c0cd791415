#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/environment_factory.h"

namespace kelvaro {

// The command-line way back: "--list-backups [--prefix DIR]" lists the runs
// whose changes were kept and the files each changed; "--restore WHEN
// [--prefix DIR]" (WHEN as the list prints it, or "last") puts that run's
// files back. Both work without a display and say in Polish what they did.
// nullopt when the arguments ask for neither; otherwise the exit status.
std::optional<int> runBackupCommand(const std::vector<std::string>& args, const ProcessEnvironment& process,
                                    std::FILE* out, std::FILE* err);

}  // namespace kelvaro
