// Saves a picture of the daily almanac after a lookup in the bundled
// KorBirth.dll beside this program:
//   almanac_screenshot YEAR MONTH DAY out.png
// Run under xvfb-run to see it as a real window draws it.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <cstdio>

#include "Fakes.h"
#include "Fonts.h"
#include "MdbDatabase.h"
#include "TFormHuangdao.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s YEAR MONTH DAY out.png\n", argv[0]);
    return 2;
  }
  tongshu::InstallFontSubstitutions();
  tongshu::testing::FakeServices fakes;
  tongshu::db::MdbDatabase reader;
  tongshu::Services services{fakes.messages, fakes.links, fakes.clock, fakes.presenter, reader};
  TFormHuangdao window(services);
  window.show();
  // Chosen from the lists where the list has the value, typed otherwise.
  QComboBox* boxes[3] = {window.SYear, window.SMonth, window.Sday};
  for (int i = 0; i < 3; ++i) {
    const QString value = QString::fromLocal8Bit(argv[i + 1]);
    const int item = boxes[i]->findText(value);
    if (item >= 0)
      boxes[i]->setCurrentIndex(item);
    else
      boxes[i]->setEditText(value);
  }
  window.RzBitBtn1->click();
  for (const QString& m : fakes.messages.infos + fakes.messages.errors) std::fprintf(stderr, "%s\n", qPrintable(m));
  QApplication::processEvents();
  return window.grab().save(QString::fromLocal8Bit(argv[4])) ? 0 : 1;
}
