#include "shell/artwork/Drawings.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <array>

#include "services/Fonts.h"
#include "shell/MainWindowLayout.h"

namespace tongshu::artwork {
namespace {

enum class Glyph { Chat, Service, Home, Exit };
enum class ServiceIcon { Mail, Phone, Chat };

const QColor kCrimson(0x8E, 0x1B, 0x1B);
const QColor kRed(0xC0, 0x2B, 0x22);
const QColor kGold(0xF2, 0xC5, 0x5C);
const QColor kPaleGold(0xFF, 0xE8, 0xA8);
const QColor kInk(0x2B, 0x22, 0x1C);
const QColor kPaper(0xF7, 0xEE, 0xD8);

QPainterPath Star(QPointF c, double outer, double inner) {
  QPainterPath p;
  for (int i = 0; i < 10; ++i) {
    const double r = (i % 2 == 0) ? outer : inner;
    const double a = -M_PI / 2 + i * M_PI / 5;
    const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0) p.moveTo(pt); else p.lineTo(pt);
  }
  p.closeSubpath();
  return p;
}

// An auspicious cloud: three overlapping curls.
void Cloud(QPainter& p, QPointF c, double s) {
  QPainterPath path;
  path.addEllipse(c + QPointF(-s, 0), s * 0.9, s * 0.6);
  path.addEllipse(c + QPointF(0, -s * 0.35), s, s * 0.75);
  path.addEllipse(c + QPointF(s * 1.05, 0), s * 0.85, s * 0.55);
  p.drawPath(path.simplified());
  p.drawArc(QRectF(c.x() - s * 0.4, c.y() - s * 0.6, s * 0.8, s * 0.8), 30 * 16, 260 * 16);
}

void Taiji(QPainter& p, QPointF c, double r) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(Qt::white);
  p.drawEllipse(c, r, r);
  QPainterPath dark;
  dark.moveTo(c + QPointF(0, -r));
  dark.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 90, 180);
  dark.arcTo(QRectF(c.x() - r / 2, c.y(), r, r), 270, -180);
  dark.arcTo(QRectF(c.x() - r / 2, c.y() - r, r, r), 270, 180);
  p.setBrush(kInk);
  p.drawPath(dark);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(c + QPointF(0, r / 2), r / 7, r / 7);
  p.setBrush(kInk);
  p.drawEllipse(c + QPointF(0, -r / 2), r / 7, r / 7);
}

// Trigram bars (bit set = solid line), bottom line first.
void Trigram(QPainter& p, int bits, double width, double bar, double gap) {
  for (int line = 0; line < 3; ++line) {
    const double y = -line * (bar + gap);
    if (bits & (1 << line)) {
      p.drawRect(QRectF(-width / 2, y, width, bar));
    } else {
      p.drawRect(QRectF(-width / 2, y, width * 0.42, bar));
      p.drawRect(QRectF(width * 0.08, y, width * 0.42, bar));
    }
  }
}

void RingText(QPainter& p, QPointF c, double r, const QStringList& words, const QFont& font,
              const QColor& colour) {
  p.setFont(font);
  p.setPen(colour);
  const int n = static_cast<int>(words.size());
  for (int i = 0; i < n; ++i) {
    p.save();
    p.translate(c);
    p.rotate(360.0 * i / n);
    const QFontMetricsF fm(font);
    const QString& w = words[i];
    // Vertical reading: one character under the other, from the rim inwards.
    double y = -r;
    for (const QChar ch : w) {
      const double cw = fm.horizontalAdvance(ch);
      p.drawText(QPointF(-cw / 2, y + fm.ascent()), QString(ch));
      y += fm.height() * 0.92;
    }
    p.restore();
  }
}

void PaintBanner(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 790, 80);
  g.setColorAt(0, kCrimson);
  g.setColorAt(0.55, kRed);
  g.setColorAt(1, QColor(0x6E, 0x12, 0x12));
  p.fillRect(QRect(0, 0, 790, 80), g);

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 232, 168, 40));
  Cloud(p, {520, 52}, 22);
  Cloud(p, {640, 28}, 16);
  Cloud(p, {735, 58}, 18);
  p.setBrush(QColor(242, 197, 92, 210));
  for (const auto& [x, y, r] : std::array<std::array<double, 3>, 7>{
           {{470, 20, 7}, {560, 16, 5}, {600, 60, 6}, {690, 40, 8}, {760, 18, 5}, {430, 62, 4}, {655, 66, 4}}})
    p.drawPath(Star({x, y}, r, r * 0.42));

  p.setPen(QPen(kGold, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(3.5, 3.5, 783, 73));
  p.setPen(QPen(QColor(242, 197, 92, 120), 0.8));
  p.drawRect(QRectF(6.5, 6.5, 777, 67));

  // A round seal with the character 吉.
  QRadialGradient seal(QPointF(44, 40), 30);
  seal.setColorAt(0, kPaleGold);
  seal.setColorAt(1, kGold);
  p.setPen(QPen(QColor(0x7A, 0x4A, 0x10), 1.5));
  p.setBrush(seal);
  p.drawEllipse(QPointF(44, 40), 29, 29);
  p.setPen(QPen(kCrimson, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(44, 40), 24, 24);
  p.setFont(UiFont(kKaiTi, 34, true));
  p.setPen(kCrimson);
  p.drawText(QRectF(14, 10, 60, 60), Qt::AlignCenter, QStringLiteral("吉"));

  p.setFont(UiFont(kKaiTi, 38, true));
  p.setPen(QColor(0x3A, 0x08, 0x08));
  p.drawText(QPointF(92, 52), QStringLiteral("吉星通书"));
  p.setPen(kPaleGold);
  p.drawText(QPointF(90, 50), QStringLiteral("吉星通书"));
  p.setFont(UiFont(kSongTi, 13));
  p.setPen(kPaleGold);
  p.drawText(QPointF(262, 34), QStringLiteral("黄道吉日 · 万年历法 · 数字测算 · 网名分析"));
  p.setFont(UiFont(kSongTi, 12));
  p.setPen(QColor(255, 232, 168, 200));
  p.drawText(QPointF(262, 56), QStringLiteral("趋吉避凶　知时择日"));
}

void PaintCentre(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QRadialGradient bg(QPointF(400, 300), 520);
  bg.setColorAt(0, QColor(0xFF, 0xF8, 0xE6));
  bg.setColorAt(0.7, kPaper);
  bg.setColorAt(1, QColor(0xE6, 0xD2, 0xA6));
  p.fillRect(QRect(0, 0, 800, 600), bg);

  // Faint clouds in the corners.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xC0, 0x2B, 0x22, 22));
  Cloud(p, {95, 90}, 40);
  Cloud(p, {700, 510}, 44);
  Cloud(p, {705, 95}, 30);
  Cloud(p, {100, 520}, 32);

  const QPointF c(400, 300);
  // Outer rings.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kCrimson, 3));
  p.drawEllipse(c, 270, 270);
  p.setPen(QPen(kGold.darker(120), 1.2));
  p.drawEllipse(c, 262, 262);
  p.drawEllipse(c, 214, 214);
  p.drawEllipse(c, 166, 166);
  p.drawEllipse(c, 112, 112);

  static const QStringList terms = {
      QStringLiteral("立春"), QStringLiteral("雨水"), QStringLiteral("惊蛰"), QStringLiteral("春分"),
      QStringLiteral("清明"), QStringLiteral("谷雨"), QStringLiteral("立夏"), QStringLiteral("小满"),
      QStringLiteral("芒种"), QStringLiteral("夏至"), QStringLiteral("小暑"), QStringLiteral("大暑"),
      QStringLiteral("立秋"), QStringLiteral("处暑"), QStringLiteral("白露"), QStringLiteral("秋分"),
      QStringLiteral("寒露"), QStringLiteral("霜降"), QStringLiteral("立冬"), QStringLiteral("小雪"),
      QStringLiteral("大雪"), QStringLiteral("冬至"), QStringLiteral("小寒"), QStringLiteral("大寒")};
  RingText(p, c, 256, terms, UiFont(kSongTi, 17), kInk);

  static const QStringList animals = {
      QStringLiteral("子鼠"), QStringLiteral("丑牛"), QStringLiteral("寅虎"), QStringLiteral("卯兔"),
      QStringLiteral("辰龙"), QStringLiteral("巳蛇"), QStringLiteral("午马"), QStringLiteral("未羊"),
      QStringLiteral("申猴"), QStringLiteral("酉鸡"), QStringLiteral("戌狗"), QStringLiteral("亥猪")};
  RingText(p, c, 207, animals, UiFont(kKaiTi, 22, true), kCrimson);

  // Radial ticks between the zodiac signs.
  p.setPen(QPen(kGold.darker(130), 1));
  for (int i = 0; i < 12; ++i) {
    const double a = qDegreesToRadians(15.0 + 30.0 * i - 90.0);
    p.drawLine(c + QPointF(166 * std::cos(a), 166 * std::sin(a)), c + QPointF(214 * std::cos(a), 214 * std::sin(a)));
  }

  // The eight trigrams in the earlier-heaven order.
  static constexpr int kTrigrams[8] = {7, 6, 2, 4, 0, 1, 5, 3};
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  for (int i = 0; i < 8; ++i) {
    p.save();
    p.translate(c);
    p.rotate(45.0 * i);
    p.translate(0, -126);
    Trigram(p, kTrigrams[i], 44, 6, 5);
    p.restore();
  }

  QRadialGradient glow(c, 108);
  glow.setColorAt(0, QColor(0xFF, 0xE8, 0xA8, 180));
  glow.setColorAt(1, QColor(0xFF, 0xE8, 0xA8, 0));
  p.setBrush(glow);
  p.drawEllipse(c, 108, 108);
  Taiji(p, c, 70);

  // Corner stars.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xD9, 0xA4, 0x3A));
  for (const QPointF pt : {QPointF(60, 40), QPointF(745, 40), QPointF(60, 560), QPointF(745, 560)})
    p.drawPath(Star(pt, 12, 5));
}

void PaintButtonRow(QPainter& p) {
  QLinearGradient g(0, 0, 0, 28);
  g.setColorAt(0, QColor(0xFB, 0xF1, 0xDA));
  g.setColorAt(0.5, QColor(0xEF, 0xDB, 0xB0));
  g.setColorAt(1, QColor(0xD8, 0xBC, 0x84));
  p.fillRect(QRect(0, 0, 800, 28), g);
  p.setPen(QColor(0xB5, 0x8B, 0x3E));
  p.drawLine(0, 0, 800, 0);
}

void PaintMenuBar(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, 22);
  g.setColorAt(0, QColor(0xFD, 0xF6, 0xE6));
  g.setColorAt(0.6, QColor(0xF5, 0xE8, 0xC8));
  g.setColorAt(1, QColor(0xEC, 0xD9, 0xAF));
  p.fillRect(QRect(0, 0, 800, 22), g);
  // A faint band of cloud scrolls along the lower edge, over a gold rule.
  p.setPen(QPen(QColor(0xC9, 0xA9, 0x6B, 90), 1.0));
  p.setBrush(Qt::NoBrush);
  for (int x = 0; x < 800; x += 16) {
    p.drawArc(QRectF(x + 1.5, 13.5, 7, 6), 0, 180 * 16);
    p.drawArc(QRectF(x + 8.5, 15.5, 7, 4), 180 * 16, 180 * 16);
  }
  p.setPen(QColor(0xC9, 0xA9, 0x6B));
  p.drawLine(QPointF(0, 21.5), QPointF(800, 21.5));
}

void PaintAbout(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRect(0, 0, 150, 150), QColor(0xF8, 0xF3, 0xE6));
  // Distant mountains in washes of ink.
  for (int layer = 0; layer < 3; ++layer) {
    QPainterPath m;
    const double base = 112 + layer * 12;
    m.moveTo(0, 150);
    m.lineTo(0, base);
    for (int x = 0; x <= 150; x += 10)
      m.lineTo(x, base - (18 - layer * 5) * std::abs(std::sin((x + layer * 37) / 23.0)));
    m.lineTo(150, 150);
    m.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2B, 0x22, 0x1C, 50 + layer * 45));
    p.drawPath(m);
  }
  // The moon.
  p.setBrush(QColor(0xE8, 0x9A, 0x3A, 170));
  p.drawEllipse(QPointF(112, 34), 16, 16);
  // A robed figure gazing at the moon, in a few brush strokes.
  p.setPen(QPen(kInk, 2.4, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(kInk);
  p.drawEllipse(QPointF(52, 58), 6.5, 7.5);
  QPainterPath robe;
  robe.moveTo(50, 66);
  robe.cubicTo(38, 82, 34, 104, 30, 122);
  robe.lineTo(70, 122);
  robe.cubicTo(66, 104, 64, 84, 56, 66);
  robe.closeSubpath();
  p.setBrush(QColor(0x2B, 0x22, 0x1C, 210));
  p.drawPath(robe);
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(58, 74), QPointF(78, 62));   // raised arm
  p.drawLine(QPointF(78, 62), QPointF(84, 58));
  p.setPen(QPen(kInk, 1.2));
  p.drawLine(QPointF(84, 58), QPointF(96, 40));   // staff towards the moon
  // A red seal in the corner.
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawRect(QRectF(126, 118, 16, 20));
  p.setPen(QColor(0xFF, 0xF0, 0xD0));
  p.setFont(UiFont(kKaiTi, 11, true));
  p.drawText(QRectF(126, 118, 16, 20), Qt::AlignCenter, QStringLiteral("吉"));
}

void PaintGlyph(QPainter& p, Glyph glyph) {
  p.setRenderHint(QPainter::Antialiasing);
  switch (glyph) {
    case Glyph::Chat:
      p.setPen(QPen(QColor(0x1F, 0x6F, 0xB5), 1.2));
      p.setBrush(QColor(0xD8, 0xEC, 0xFF));
      p.drawRoundedRect(QRectF(1.5, 2.5, 13, 9), 3, 3);
      p.drawLine(QPointF(5, 11.5), QPointF(4, 14.5));
      p.drawLine(QPointF(4, 14.5), QPointF(8, 11.5));
      break;
    case Glyph::Service:
      p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), 1.4));
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(3, 2, 10, 10), 0, 180 * 16);
      p.setBrush(QColor(0x2E, 0x7D, 0x32));
      p.drawRect(QRectF(2, 7, 3, 5));
      p.drawRect(QRectF(11, 7, 3, 5));
      break;
    case Glyph::Home: {
      p.setPen(QPen(QColor(0x8E, 0x1B, 0x1B), 1.2));
      p.setBrush(QColor(0xF2, 0xC5, 0x5C));
      QPolygonF roof{{QPointF(8, 1.5), QPointF(15, 8), QPointF(1, 8)}};
      p.drawPolygon(roof);
      p.setBrush(QColor(0xFB, 0xF1, 0xDA));
      p.drawRect(QRectF(3.5, 8, 9, 6.5));
      p.setBrush(QColor(0x8E, 0x1B, 0x1B));
      p.drawRect(QRectF(7, 10.5, 2.5, 4));
      break;
    }
    case Glyph::Exit:
      p.setPen(QPen(QColor(0xC0, 0x2B, 0x22), 1.8, Qt::SolidLine, Qt::RoundCap));
      p.drawArc(QRectF(2.5, 3, 11, 11), 120 * 16, 300 * 16);
      p.drawLine(QPointF(8, 1.5), QPointF(8, 8));
      break;
  }
}

void PaintServiceIcon(QPainter& p, ServiceIcon icon) {
  p.setRenderHint(QPainter::Antialiasing);
  QColor base;
  switch (icon) {
    case ServiceIcon::Mail: base = QColor(0x1F, 0x5F, 0xA8); break;
    case ServiceIcon::Phone: base = QColor(0x2E, 0x7D, 0x32); break;
    case ServiceIcon::Chat: base = QColor(0xD8, 0x8A, 0x12); break;
  }
  QRadialGradient g(QPointF(15, 13), 30);
  g.setColorAt(0, base.lighter(150));
  g.setColorAt(1, base);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(QRectF(1, 1, 39, 39));
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  switch (icon) {
    case ServiceIcon::Mail:
      p.drawRect(QRectF(10, 13, 21, 15));
      p.drawPolyline(QPolygonF{{QPointF(10, 13), QPointF(20.5, 22), QPointF(31, 13)}});
      break;
    case ServiceIcon::Phone: {
      QPainterPath h;
      h.moveTo(13, 11);
      h.cubicTo(9, 15, 14, 26, 24, 30);
      h.lineTo(29, 26);
      h.lineTo(25, 22);
      h.lineTo(22, 24);
      h.cubicTo(19, 22, 17, 20, 16, 17);
      h.lineTo(18, 14);
      h.lineTo(15, 9);
      h.closeSubpath();
      p.setBrush(Qt::white);
      p.drawPath(h);
      break;
    }
    case ServiceIcon::Chat:
      p.drawRoundedRect(QRectF(9, 10, 23, 15), 5, 5);
      p.drawPolyline(QPolygonF{{QPointF(15, 25), QPointF(13, 31), QPointF(20, 25)}});
      p.setBrush(Qt::white);
      for (const double x : {15.0, 20.5, 26.0}) p.drawEllipse(QPointF(x, 17.5), 1.2, 1.2);
      break;
  }
}

constexpr Drawing kDrawings[] = {
    {"banner", 790, 80, true, PaintBanner, shell::measures::kClientWidth, shell::measures::kBannerHeight},
    {"centre", 800, 600, true, PaintCentre, shell::measures::kCentreWidth, shell::measures::kCentreHeight},
    {"button-row", 800, 28, true, PaintButtonRow, shell::measures::kCentreWidth, shell::measures::kButtonRowHeight},
    {"menu-bar", 800, 22, true, PaintMenuBar},
    {"about", 150, 150, true, PaintAbout},
    {"glyph-chat", 16, 16, false, [](QPainter& p) { PaintGlyph(p, Glyph::Chat); }},
    {"glyph-service", 16, 16, false, [](QPainter& p) { PaintGlyph(p, Glyph::Service); }},
    {"glyph-home", 16, 16, false, [](QPainter& p) { PaintGlyph(p, Glyph::Home); }},
    {"glyph-exit", 16, 16, false, [](QPainter& p) { PaintGlyph(p, Glyph::Exit); }},
    {"service-mail", 41, 41, false, [](QPainter& p) { PaintServiceIcon(p, ServiceIcon::Mail); }},
    {"service-phone", 41, 41, false, [](QPainter& p) { PaintServiceIcon(p, ServiceIcon::Phone); }},
    {"service-chat", 41, 41, false, [](QPainter& p) { PaintServiceIcon(p, ServiceIcon::Chat); }},
};

}  // namespace

std::span<const Drawing> Drawings() { return kDrawings; }

QImage Render(const Drawing& drawing, int scale) {
  // The formats a window's own pixmaps have on the raster back end, so that
  // a picture at 1x is, pixel for pixel, what painting it at start-up gave.
  QImage image(drawing.width * scale, drawing.height * scale,
               drawing.opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(scale);
  image.fill(drawing.opaque ? Qt::black : Qt::transparent);
  QPainter p(&image);
  drawing.paint(p);
  p.end();
  return image;
}

QImage RenderShown(const Drawing& drawing, int scale) {
  const QImage full = Render(drawing, scale);
  QImage shown(drawing.shownWidth * scale, drawing.shownHeight * scale, full.format());
  shown.setDevicePixelRatio(scale);
  shown.fill(drawing.opaque ? Qt::black : Qt::transparent);
  QPainter p(&shown);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRect(0, 0, drawing.shownWidth, drawing.shownHeight), full);
  p.end();
  return shown;
}

}  // namespace tongshu::artwork
