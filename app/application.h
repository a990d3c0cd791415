#pragma once

namespace kelvaro {

// Runs the program: reads the command line, then starts the user interface.
int runApplication(int argc, char** argv);

}  // namespace kelvaro
