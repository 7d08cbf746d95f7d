// Build tool, two uses:
//   render_artwork pictures OUTDIR ICON.svg [ICON-SIZE...]
//     the shell windows' drawings as picture resources, NAME.tspx at 1x and
//     NAME@2x.tspx at 2x, and the icon as icon-SIZE.tspx for the window icon;
//   render_artwork hicolor ICON.svg OUTDIR NAME [SIZE...]
//     the icon as OUTDIR/SIZExSIZE/apps/NAME.png for the hicolor icon theme;
//   render_artwork ico ICON.svg OUT.ico [SIZE...]
//     the icon as a Windows icon file for the executable's resources.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstring>

#include "services/Fonts.h"
#include "shell/artwork/Drawings.h"
#include "shell/artwork/PictureFile.h"

namespace {

bool Failed(const char* what, const QString& path) {
  std::fprintf(stderr, "render_artwork: cannot %s %s\n", what, qPrintable(path));
  return false;
}

bool WritePicture(const QDir& out, const QString& name, const QImage& image) {
  QFile file(out.filePath(name + QStringLiteral(".tspx")));
  const QByteArray bytes = tongshu::artwork::EncodePicture(image);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()) return true;
  return Failed("write", file.fileName());
}

QImage RenderIcon(QSvgRenderer& svg, int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  svg.render(&p);
  return icon;
}

bool Pictures(const QDir& out, QSvgRenderer& svg, const QList<int>& iconSizes) {
  if (!QDir().mkpath(out.path())) return Failed("make", out.path());
  for (const tongshu::artwork::Drawing& drawing : tongshu::artwork::Drawings()) {
    const QString name = QString::fromLatin1(drawing.name);
    if (!WritePicture(out, name, tongshu::artwork::Render(drawing, 1)) ||
        !WritePicture(out, name + QStringLiteral("@2x"), tongshu::artwork::Render(drawing, 2)))
      return false;
    if (drawing.shownWidth > 0 &&
        (!WritePicture(out, name + QStringLiteral("-shown"), tongshu::artwork::RenderShown(drawing, 1)) ||
         !WritePicture(out, name + QStringLiteral("-shown@2x"), tongshu::artwork::RenderShown(drawing, 2))))
      return false;
  }
  for (const int size : iconSizes)
    if (!WritePicture(out, QStringLiteral("icon-%1").arg(size), RenderIcon(svg, size))) return false;
  return true;
}

bool Hicolor(const QString& out, const QString& name, QSvgRenderer& svg, const QList<int>& sizes) {
  for (const int size : sizes) {
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
    if (!QDir().mkpath(dir) || !RenderIcon(svg, size).save(dir + "/" + name + ".png")) return Failed("write", dir);
  }
  return true;
}

void PutLittleEndian(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(char((value >> (8 * i)) & 0xff));
}

// An icon file whose images are PNG streams, which Windows reads since
// Vista; Qt's own icon writer stores one size only.
bool Ico(const QString& out, QSvgRenderer& svg, const QList<int>& sizes) {
  QList<QByteArray> pngs;
  for (const int size : sizes) {
    if (size > 256) return Failed("store in an icon file the size", QString::number(size));
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !RenderIcon(svg, size).save(&buffer, "PNG"))
      return Failed("encode", QStringLiteral("%1 px").arg(size));
    pngs << png;
  }
  QByteArray ico;
  PutLittleEndian(ico, 0, 2);  // reserved
  PutLittleEndian(ico, 1, 2);  // an icon, not a cursor
  PutLittleEndian(ico, quint32(sizes.size()), 2);
  quint32 offset = 6 + 16 * quint32(sizes.size());
  for (qsizetype i = 0; i < sizes.size(); ++i) {
    const quint32 side = sizes[i] == 256 ? 0 : quint32(sizes[i]);  // 0 stands for 256
    PutLittleEndian(ico, side, 1);
    PutLittleEndian(ico, side, 1);
    PutLittleEndian(ico, 0, 1);   // no palette
    PutLittleEndian(ico, 0, 1);   // reserved
    PutLittleEndian(ico, 1, 2);   // planes
    PutLittleEndian(ico, 32, 2);  // bits per pixel
    PutLittleEndian(ico, quint32(pngs[i].size()), 4);
    PutLittleEndian(ico, offset, 4);
    offset += quint32(pngs[i].size());
  }
  for (const QByteArray& png : pngs) ico += png;
  QFile file(out);
  if (file.open(QIODevice::WriteOnly) && file.write(ico) == ico.size() && file.flush()) return true;
  return Failed("write", out);
}

}  // namespace

int main(int argc, char** argv) {
  const bool pictures = argc >= 4 && std::strcmp(argv[1], "pictures") == 0;
  const bool hicolor = argc >= 5 && std::strcmp(argv[1], "hicolor") == 0;
  const bool ico = argc >= 4 && std::strcmp(argv[1], "ico") == 0;
  if (!pictures && !hicolor && !ico) {
    std::fprintf(stderr,
                 "usage: render_artwork pictures OUTDIR ICON.svg [ICON-SIZE...]\n"
                 "       render_artwork hicolor ICON.svg OUTDIR NAME [SIZE...]\n"
                 "       render_artwork ico ICON.svg OUT.ico [SIZE...]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  tongshu::InstallFontSubstitutions();
  const QString svgPath = QString::fromLocal8Bit(pictures ? argv[3] : argv[2]);
  QSvgRenderer svg(svgPath);
  if (!svg.isValid()) {
    Failed("read", svgPath);
    return 1;
  }
  QList<int> sizes;
  for (int i = hicolor ? 5 : 4; i < argc; ++i) {
    const int size = QString::fromLatin1(argv[i]).toInt();
    if (size > 0) sizes << size;
  }
  const bool ok = pictures ? Pictures(QDir(QString::fromLocal8Bit(argv[2])), svg, sizes)
                  : hicolor ? Hicolor(QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]), svg, sizes)
                            : Ico(QString::fromLocal8Bit(argv[3]), svg, sizes);
  return ok ? 0 : 1;
}
