#pragma once
#include <QColor>

namespace tongshu {

// The system's background colour, the colour of the desktop behind all
// windows (Windows keeps it as COLOR_BACKGROUND). Other desktops keep no such
// colour; Windows' own standard one stands in.
QColor DesktopColour();

}  // namespace tongshu
