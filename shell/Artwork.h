#pragma once
// Pictures of the shell windows, painted at start-up: nothing is taken from
// elsewhere, and the sizes are the ones the layouts expect.
#include <QIcon>
#include <QPixmap>

namespace tongshu::shell {

QPixmap BannerPicture();     // 790 x 80
QPixmap CentrePicture();     // 800 x 600
QPixmap ButtonRowStrip();    // background of the button row, 800 x 28
QPixmap MenuBarBackground(); // 800 x 22
QPixmap AboutPicture();      // 150 x 150 ink drawing
QIcon AppIcon();

enum class Glyph { Chat, Service, Home, Exit };
QIcon ButtonGlyph(Glyph glyph);  // 16 x 16

enum class ServiceIcon { Cooperation, Phone, Chat, Mail };
QPixmap ServiceIconPicture(ServiceIcon icon);  // 41 x 41

}  // namespace tongshu::shell
