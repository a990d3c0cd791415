#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace kelvaro::sandbox {

enum class LogoSlot { Start, ShutDown, SwitchOff };

// One prepared set of start-up logos: the name the logo page lists, the files
// of its three pictures beside the program, and how its pictures are drawn.
struct LogoScheme {
  QString name;
  QString startFile;      // in Logo\logowin
  QString shutDownFile;   // in Logo\logow
  QString switchOffFile;  // in Logo\logos
  QString backdrop;  // sky, stars, glow, sea, grid, flames, clouds, rain, rings, stripes, hills, circuit, ...
  QString emblem;    // planet, sun, moon, star, eye, skull, wolf, shield, ...
  QRgb dark, light, accent;
};

// The 48 schemes, in the order of the logo page's list.
const std::vector<LogoScheme>& logoSchemes();

// A 320 x 400 picture in 16 colours (Indexed8 with a 16-entry table).
QImage drawLogo(const LogoScheme& scheme, LogoSlot slot);

}  // namespace kelvaro::sandbox
