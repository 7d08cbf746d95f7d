#pragma once
// Pictures of the shell windows. They are image resources of fixed sizes,
// rendered when the program is built (shell/artwork); on a high-density screen
// the 2x rendering is shown.
#include <QIcon>
#include <QPixmap>

namespace tongshu::shell {

// Each ...AsShown() is the picture stretched to the area it has at the main
// window's start.
QPixmap BannerPicture();     // 790 x 80
QPixmap BannerPictureAsShown();
QPixmap CentrePicture();     // 800 x 600
QPixmap CentrePictureAsShown();
QPixmap ButtonRowStrip();    // background of the button row, 800 x 28
QPixmap ButtonRowStripAsShown();
QPixmap MenuBarBackground(); // 800 x 22
QPixmap AboutPicture();      // 150 x 150 ink drawing
QIcon AppIcon();

enum class Glyph { Chat, Service, Home, Exit };
QIcon ButtonGlyph(Glyph glyph);  // 16 x 16

enum class ServiceIcon { Cooperation, Phone, Chat, Mail };
QPixmap ServiceIconPicture(ServiceIcon icon);  // 41 x 41

// The picture resource NAME (such as "banner@2x"), or a null image.
QImage ArtworkImage(const QString& name);

// `picture` scaled to `size` device-independent pixels, keeping its pixel
// density.
QPixmap ScaledPicture(const QPixmap& picture, QSize size);

}  // namespace tongshu::shell
