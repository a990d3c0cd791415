#pragma once

#include <QPixmap>

namespace kelvaro {

// The program's 300 x 150 picture: shown by the splash window and the about page.
QPixmap kelvaroLogo();
// The program icon.
QIcon kelvaroIcon();

}  // namespace kelvaro
