#include "app/FontWarmUp.h"

#include <QFontDatabase>

#ifdef TONGSHU_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace tongshu {

FontWarmUp::FontWarmUp()
    : m_thread([go = m_go.get_future()]() mutable {
#ifdef TONGSHU_HAVE_FONTCONFIG
        FcInit();
#endif
        if (!go.get()) return;
        // Only the list of faces: loading a face here as well would hold the
        // database's lock while the window waits for it, and the face,
        // whose engine stays with this thread, would be loaded again there.
        QFontDatabase::families();
      }) {}

FontWarmUp::~FontWarmUp() {
  try {
    m_go.set_value(false);
  } catch (const std::future_error&) {
    // proceed() has already let it go on.
  }
  join();
}

void FontWarmUp::proceed() { m_go.set_value(true); }

void FontWarmUp::join() {
  if (m_thread.joinable()) m_thread.join();
}

}  // namespace tongshu
