// Build tool: renders the shell windows' drawings into picture resources,
// NAME.tspx at 1x and NAME@2x.tspx at 2x, and the application's SVG icon
// into icon-SIZE.tspx for the window icon.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

#include "Drawings.h"
#include "Fonts.h"
#include "PictureFile.h"

namespace {

bool Write(const QDir& out, const QString& name, const QImage& image) {
  QFile file(out.filePath(name + QStringLiteral(".tspx")));
  const QByteArray bytes = tongshu::artwork::EncodePicture(image);
  if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()) return true;
  std::fprintf(stderr, "render_artwork: cannot write %s\n", qPrintable(file.fileName()));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: render_artwork OUTDIR ICON.svg [ICON-SIZE...]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  tongshu::InstallFontSubstitutions();
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!QDir().mkpath(out.path())) {
    std::fprintf(stderr, "render_artwork: cannot make %s\n", argv[1]);
    return 1;
  }
  for (const tongshu::artwork::Drawing& drawing : tongshu::artwork::Drawings()) {
    const QString name = QString::fromLatin1(drawing.name);
    if (!Write(out, name, tongshu::artwork::Render(drawing, 1)) ||
        !Write(out, name + QStringLiteral("@2x"), tongshu::artwork::Render(drawing, 2)))
      return 1;
    if (drawing.shownWidth > 0 &&
        (!Write(out, name + QStringLiteral("-shown"), tongshu::artwork::RenderShown(drawing, 1)) ||
         !Write(out, name + QStringLiteral("-shown@2x"), tongshu::artwork::RenderShown(drawing, 2))))
      return 1;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[2]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "render_artwork: cannot read %s\n", argv[2]);
    return 1;
  }
  for (int i = 3; i < argc; ++i) {
    const int size = QString::fromLatin1(argv[i]).toInt();
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    if (!Write(out, QStringLiteral("icon-%1").arg(size), icon)) return 1;
  }
  return 0;
}
