#include "pages/desktop/wallpaper.h"

#include <QPainter>

#include <algorithm>
#include <initializer_list>

namespace kelvaro {
namespace {

std::string_view fileName(std::string_view dosPath) {
  const std::size_t slash = dosPath.find_last_of("\\/");
  return slash == std::string_view::npos ? dosPath : dosPath.substr(slash + 1);
}

bool oneOf(std::string_view extension, std::initializer_list<std::string_view> allowed) {
  return std::find(allowed.begin(), allowed.end(), extension) != allowed.end();
}

}  // namespace

WallpaperName wallpaperName(std::string_view dosPath) {
  const std::string_view name = fileName(dosPath);
  const std::size_t dot = name.find('.');
  if (dot == std::string_view::npos) return {std::string(name), {}};
  return {std::string(name.substr(0, dot)), std::string(name.substr(dot + 1))};
}

std::string fileExtension(std::string_view dosPath) {
  const std::string_view name = fileName(dosPath);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

bool isLoadableWallpaper(std::string_view extension) {
  return oneOf(extension, {".bmp", ".BMP", ".jpg", ".JPG", ".jpeg", ".JPEG"});
}

bool isChoosableWallpaper(std::string_view extension) {
  return oneOf(extension, {".bmp", ".BMP", ".gif", ".GIF", ".jpg", ".JPG", ".jpeg", ".JPEG"});
}

WallpaperInstall wallpaperInstall(std::string_view extension) {
  if (oneOf(extension, {".bmp", ".BMP"})) return WallpaperInstall::CopyBitmap;
  if (oneOf(extension, {".jpg", ".JPG", ".jpeg", ".JPEG", ".jpe", ".JPE"}))
    return WallpaperInstall::ConvertJpeg;
  if (oneOf(extension, {".gif", ".GIF"})) return WallpaperInstall::ConvertGif;
  return WallpaperInstall::None;
}

QImage quarterPreview(const QImage& picture, WallpaperStyle style, QSize screen, QColor desktop) {
  const QSize area(screen.width() / 4, screen.height() / 4);
  QImage preview(area, QImage::Format_RGB32);
  preview.fill(desktop);
  if (picture.isNull()) return preview;
  const QSize quarter(picture.width() / 4, picture.height() / 4);
  QPainter p(&preview);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  switch (style) {
    case WallpaperStyle::Stretched:
      p.drawImage(QRect(QPoint(0, 0), area), picture);
      break;
    case WallpaperStyle::Tiled: {
      if (quarter.isEmpty()) break;
      const QImage small = picture.scaled(quarter, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
      for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column)
          p.drawImage(2 + column * quarter.width(), 2 + row * quarter.height(), small);
      }
      break;
    }
    case WallpaperStyle::Centred:
    case WallpaperStyle::None:
      if (quarter.isEmpty()) break;
      p.drawImage(QRect(QPoint((area.width() - quarter.width()) / 2, (area.height() - quarter.height()) / 2),
                        quarter),
                  picture);
      break;
  }
  return preview;
}

}  // namespace kelvaro
