// Writes Kelvaro's data folder (the files beside the program and the sandbox
// template) at build time:
//   kelvaro_sandbox_generator SOURCE_DATA OUTPUT_DATA [FONT_FOLDER...]
#include <QGuiApplication>
#include <cstdio>
#include <exception>

#include "tools/sandbox/template_builder.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s SOURCE_DATA OUTPUT_DATA [FONT_FOLDER...]\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  kelvaro::sandbox::TemplateSources sources;
  sources.dataSource = argv[1];
  sources.sandboxSource = sources.dataSource / "sandbox";
  for (int i = 3; i < argc; ++i) sources.fontFolders.emplace_back(argv[i]);
  try {
    kelvaro::sandbox::buildTemplate(sources, argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kelvaro_sandbox_generator: %s\n", e.what());
    return 1;
  }
  return 0;
}
