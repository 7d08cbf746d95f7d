// Build tool: renders the application's SVG icon into the PNG sizes of the
// hicolor icon theme.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: render_icon SVG OUTDIR NAME [SIZE...]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "render_icon: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString out = QString::fromLocal8Bit(argv[2]);
  const QString name = QString::fromLocal8Bit(argv[3]);
  for (int i = 4; i < argc; ++i) {
    const int size = QString::fromLatin1(argv[i]).toInt();
    if (size <= 0) continue;
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
    QDir().mkpath(dir);
    if (!image.save(dir + "/" + name + ".png")) {
      std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(dir));
      return 1;
    }
  }
  return 0;
}
