#pragma once

class QWidget;

namespace kelvaro {

class InstanceGuard;

// What the first copy does when a later one asks: a minimised main window is
// set back to normal, then brought to the front and made active.
void activateMainWindow(QWidget& mainWindow);
// Lets the guard's activation requests do that.
void activateOnRequest(InstanceGuard& guard, QWidget& mainWindow);

// Runs the program: reads the command line, then starts the user interface.
int runApplication(int argc, char** argv);

}  // namespace kelvaro
