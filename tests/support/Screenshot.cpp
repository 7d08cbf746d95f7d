#include "tests/support/Screenshot.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <cstdio>

#include "db/MdbDatabase.h"
#include "services/Fonts.h"

namespace tongshu::testing {

int RunScreenshot(int argc, char** argv, const char* usage, int arguments, const WindowMaker& make) {
  QApplication app(argc, argv);
  if (argc != arguments + 2) {
    std::fprintf(stderr, "usage: %s %s out.png\n", argv[0], usage);
    return 2;
  }
  InstallFontSubstitutions();
  QStringList values;
  for (int i = 1; i <= arguments; ++i) values << QString::fromLocal8Bit(argv[i]);
  FakeServices fakes;
  db::MdbDatabase reader;
  Services services{fakes.messages, fakes.links, fakes.clock, fakes.presenter, reader};
  const std::unique_ptr<QWidget> window = make(fakes, services, values);
  if (!window) return 2;
  window->show();
  QApplication::processEvents();
  for (const QString& m : fakes.messages.infos + fakes.messages.errors) std::fprintf(stderr, "%s\n", qPrintable(m));
  return window->grab().save(QString::fromLocal8Bit(argv[arguments + 1])) ? 0 : 1;
}

void TypeAndPress(std::initializer_list<QWidget*> boxes, const QStringList& texts, QWidget* button) {
  button->window()->show();
  qsizetype i = 0;
  for (QWidget* box : boxes) QTest::keyClicks(box, texts.value(i++));
  QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace tongshu::testing
