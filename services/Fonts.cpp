#include "Fonts.h"

#include <QStringList>

namespace tongshu {

void InstallFontSubstitutions() {
  QFont::insertSubstitutions(kSongTi, {"Noto Serif CJK SC", "AR PL UMing CN", "Noto Sans CJK SC"});
  QFont::insertSubstitutions(QStringLiteral("SimSun"), {"Noto Serif CJK SC", "AR PL UMing CN"});
  QFont::insertSubstitutions(kKaiTi, {"AR PL UKai CN", "Noto Serif CJK SC"});
  QFont::insertSubstitutions(kHeiTi, {"Noto Sans CJK SC", "WenQuanYi Zen Hei"});
  // No clerical-script face is packaged; the brush-style Kai face is closest.
  QFont::insertSubstitutions(kLiShu, {"AR PL UKai CN", "Noto Serif CJK SC"});
  QFont::insertSubstitutions(QStringLiteral("Arial Black"), {"DejaVu Sans", "Noto Sans CJK SC"});
  QFont::insertSubstitutions(QStringLiteral("Arial"), {"DejaVu Sans", "Noto Sans CJK SC"});
}

QFont UiFont(const QString& family, int pixelHeight, bool bold) {
  QFont f(family);
  f.setPixelSize(pixelHeight);
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace tongshu
