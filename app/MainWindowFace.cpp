#include "app/MainWindowFace.h"

#include <QFontDatabase>
#include <QResource>

// The resource's object is referenced by nothing else, and a static library
// would leave it out of the program.
static void RegisterFaceResource() { Q_INIT_RESOURCE(tongshu_face); }

namespace tongshu {

QByteArray MainWindowFaceData() {
  static const bool registered = (RegisterFaceResource(), true);
  (void)registered;
  const QResource resource(QStringLiteral(":/fonts/main-window-face.otf"));
  if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression)
    return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size());
  return {};
}

bool RegisterMainWindowFace() {
  const QByteArray face = MainWindowFaceData();
  return !face.isEmpty() && QFontDatabase::addApplicationFontFromData(face) >= 0;
}

}  // namespace tongshu
