#include "app/MainWindowFace.h"

#include <QFontDatabase>
#include <QResource>

#ifdef TONGSHU_HAVE_MAIN_WINDOW_FACE
// The resource's object is referenced by nothing else, and a static library
// would leave it out of the program.
static void RegisterFaceResource() { Q_INIT_RESOURCE(tongshu_face); }
#endif

namespace tongshu {

QByteArray MainWindowFaceData() {
#ifdef TONGSHU_HAVE_MAIN_WINDOW_FACE
  static const bool registered = (RegisterFaceResource(), true);
  (void)registered;
  const QResource resource(QStringLiteral(":/fonts/main-window-face.otf"));
  if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression)
    return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size());
#endif
  return {};
}

bool RegisterMainWindowFace() {
  const QByteArray face = MainWindowFaceData();
  return !face.isEmpty() && QFontDatabase::addApplicationFontFromData(face) >= 0;
}

}  // namespace tongshu
