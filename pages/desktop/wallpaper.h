#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include <string>
#include <string_view>

namespace kelvaro {

enum class WallpaperStyle { None, Tiled, Centred, Stretched };

// A wallpaper file's name as the page shows it: up to its first "." (also the
// installed bitmap's base name) and everything after that.
struct WallpaperName {
  std::string name;
  std::string type;
};
WallpaperName wallpaperName(std::string_view dosPath);
// From the last "." of the file name on ("" without one).
std::string fileExtension(std::string_view dosPath);

// The extensions a stored wallpaper may have to be shown (exactly these).
bool isLoadableWallpaper(std::string_view extension);
// The extensions the picture chooser accepts.
bool isChoosableWallpaper(std::string_view extension);

// How Apply installs a picture of an extension.
enum class WallpaperInstall { None, CopyBitmap, ConvertJpeg, ConvertGif };
WallpaperInstall wallpaperInstall(std::string_view extension);

// The quarter-size preview: the screen's quarter in the desktop colour with
// the quarter-size picture centred, tiled four by four from (2, 2), or
// stretched over it.
QImage quarterPreview(const QImage& picture, WallpaperStyle style, QSize screen, QColor desktop);

}  // namespace kelvaro
