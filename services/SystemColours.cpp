#include "services/SystemColours.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tongshu {

QColor DesktopColour() {
#ifdef _WIN32
  const COLORREF colour = GetSysColor(COLOR_BACKGROUND);
  return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
#else
  return QColor(0x3A, 0x6E, 0xA5);
#endif
}

}  // namespace tongshu
