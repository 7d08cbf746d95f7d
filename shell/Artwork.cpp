#include "shell/Artwork.h"

#include <QGuiApplication>
#include <QResource>

#include "shell/artwork/PictureFile.h"

// The 1x pictures' resource object is referenced by nothing else, and a
// static library would leave it out of the program.
static void RegisterArtwork() { Q_INIT_RESOURCE(tongshu_artwork); }

namespace tongshu::shell {

// The 1x pictures are stored as they are and shown where the program keeps
// them; the 2x ones, four times as large and needed on dense screens only,
// are stored compressed and unpacked when asked for.
QImage ArtworkImage(const QString& name) {
  static const bool registered = (RegisterArtwork(), true);
  (void)registered;
  const QResource resource(QStringLiteral(":/artwork/") + name + QStringLiteral(".tspx"));
  if (!resource.isValid()) return {};
  if (resource.compressionAlgorithm() == QResource::NoCompression)
    return artwork::DecodePicture(resource.data(), resource.size());
  auto* bytes = new QByteArray(resource.uncompressedData());
  return artwork::DecodePicture(reinterpret_cast<const uchar*>(bytes->constData()), bytes->size(),
                                [](void* info) { delete static_cast<QByteArray*>(info); }, bytes);
}

namespace {

QPixmap Pixmap(const QString& name, qreal density) {
  QImage image = ArtworkImage(name);
  image.setDevicePixelRatio(density);
  return QPixmap::fromImage(std::move(image));
}

bool DenseScreen() { return qGuiApp && qGuiApp->devicePixelRatio() > 1.0; }

// The rendering that suits the screens: the 2x one where any screen has more
// than one device pixel per device-independent pixel.
QPixmap Picture(const char* name) {
  const QString base = QLatin1String(name);
  return DenseScreen() ? Pixmap(base + QStringLiteral("@2x"), 2) : Pixmap(base, 1);
}

// As Picture(): the 2x rendering only where a screen is dense, so that a 1x
// start unpacks nothing.
QIcon Icon(const char* name) {
  QIcon icon;
  icon.addPixmap(Pixmap(QLatin1String(name), 1));
  if (DenseScreen()) icon.addPixmap(Pixmap(QLatin1String(name) + QStringLiteral("@2x"), 2));
  return icon;
}

}  // namespace

QPixmap BannerPicture() { return Picture("banner"); }
QPixmap BannerPictureAsShown() { return Picture("banner-shown"); }
QPixmap CentrePicture() { return Picture("centre"); }
QPixmap CentrePictureAsShown() { return Picture("centre-shown"); }
QPixmap ButtonRowStrip() { return Picture("button-row"); }
QPixmap ButtonRowStripAsShown() { return Picture("button-row-shown"); }
QPixmap MenuBarBackground() { return Picture("menu-bar"); }
QPixmap AboutPicture() { return Picture("about"); }

QIcon AppIcon() {
  // The same drawing as the installed desktop icon, rendered from it.
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(Pixmap(QStringLiteral("icon-%1").arg(size), 1));
  return icon;
}

QIcon ButtonGlyph(Glyph glyph) {
  switch (glyph) {
    case Glyph::Chat: return Icon("glyph-chat");
    case Glyph::Service: return Icon("glyph-service");
    case Glyph::Home: return Icon("glyph-home");
    case Glyph::Exit: return Icon("glyph-exit");
  }
  return {};
}

QPixmap ServiceIconPicture(ServiceIcon icon) {
  switch (icon) {
    case ServiceIcon::Cooperation:
    case ServiceIcon::Mail: return Picture("service-mail");
    case ServiceIcon::Phone: return Picture("service-phone");
    case ServiceIcon::Chat: return Picture("service-chat");
  }
  return {};
}

QPixmap ScaledPicture(const QPixmap& picture, QSize size) {
  const qreal density = picture.devicePixelRatio();
  QPixmap scaled = picture.scaled(size * density, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  scaled.setDevicePixelRatio(density);
  return scaled;
}

}  // namespace tongshu::shell
