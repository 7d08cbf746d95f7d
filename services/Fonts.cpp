#include "services/Fonts.h"

#include <QStringList>

namespace tongshu {

void InstallFontSubstitutions() {
  QFont::insertSubstitutions(kSongTi, {"Noto Serif CJK SC", "AR PL UMing CN", "Noto Sans CJK SC"});
  QFont::insertSubstitutions(kMainWindowSongTi, QStringList{kMainWindowFace} + QFont::substitutes(kSongTi));
  QFont::insertSubstitutions(QStringLiteral("SimSun"), {"Noto Serif CJK SC", "AR PL UMing CN"});
  QFont::insertSubstitutions(kKaiTi, {"AR PL UKai CN", "Noto Serif CJK SC"});
  QFont::insertSubstitutions(kHeiTi, {"Noto Sans CJK SC", "WenQuanYi Zen Hei"});
  // No clerical-script face is packaged; the brush-style Kai face is closest.
  QFont::insertSubstitutions(kLiShu, {"AR PL UKai CN", "Noto Serif CJK SC"});
  // The calendar's numbers are drawn in labels sized for these faces; a wider
  // stand-in cuts off their last digit. Liberation Sans has Arial's metrics;
  // Lato, asked for at its black weight, is as heavy as Arial Black and
  // narrower, so four digits of a year fit the year label.
  QFont::insertSubstitutions(kArialBlack, {kLato, "Noto Sans CJK SC"});
  QFont::insertSubstitutions(kArial, {kLiberationSans, "Noto Sans CJK SC"});
}

QFont UiFont(const QString& family, int pixelHeight, bool bold) {
  QFont f(family);
  f.setPixelSize(pixelHeight);
  f.setBold(bold);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace tongshu
