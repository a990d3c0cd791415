#include "app/application.h"

#include <QApplication>
#include <QMainWindow>

#include <cstdio>
#include <cstring>

#include "store/settings_store.h"

namespace kelvaro {

int runApplication(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("Kelvaro %s\n", programVersionString().c_str());
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::printf(
          "Usage: kelvaro [--prefix DIR]\n"
          "Configures a Windows environment: the built-in sandbox, or the Wine prefix DIR\n"
          "(WINEPREFIX when set).\n"
          "  --prefix DIR  work on the Wine prefix DIR\n"
          "  --help        show this text\n"
          "  --version     show the program version\n");
      return 0;
    }
  }
  QApplication app(argc, argv);
  QMainWindow window;
  window.setObjectName("TKelvaro");
  window.setWindowTitle("Morvane Kelvaro");
  window.resize(640, 480);
  window.show();
  return app.exec();
}

}  // namespace kelvaro
