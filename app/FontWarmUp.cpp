#include "FontWarmUp.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include "Fonts.h"

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
        QFontDatabase::families();
        // Loading the face once fills the database's shared cache of its
        // fallback faces; the engine itself stays with this thread.
        (void)QFontMetrics(UiFont(kSongTi, 12)).height();
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
