// The static Qt for Windows (tools/build-qt-windows.sh) as the program will
// use it: a Widgets program with its platform plugins linked in, started
// under Wine. Prints the Qt version and the platform it runs on, and lays out
// a Chinese caption; exits 1 when the platform is not the one asked for.
#include <QApplication>
#include <QLabel>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label(QStringLiteral("吉星通书"));
  label.adjustSize();
  const QString platform = QGuiApplication::platformName();
  std::printf("Qt %s on %s, caption %d px wide\n", qVersion(), qPrintable(platform), label.width());
  return platform == QStringLiteral("offscreen") && label.width() > 0 ? 0 : 1;
}
