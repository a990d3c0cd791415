// Draws the program's SVG icon as PNG files of the given sizes, for the icon theme.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: render_icon ICON.svg OUTPUT_DIR SIZE...\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString out = QString::fromLocal8Bit(argv[2]);
  for (int i = 3; i < argc; ++i) {
    const int size = std::stoi(argv[i]);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    if (!image.save(QString("%1/kelvaro-%2.png").arg(out).arg(size), "PNG")) {
      std::fprintf(stderr, "render_icon: cannot write the %d pixel icon\n", size);
      return 1;
    }
  }
  return 0;
}
