// Saves a picture of the mobile-number window after analysing a number in the
// bundled dream.dll beside this program:
//   mobile_screenshot NUMBER out.png
// Run under xvfb-run to see it as a real window draws it.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "Fakes.h"
#include "Fonts.h"
#include "MdbDatabase.h"
#include "TFrm_SJcs.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s NUMBER out.png\n", argv[0]);
    return 2;
  }
  tongshu::InstallFontSubstitutions();
  tongshu::testing::FakeServices fakes;
  tongshu::db::MdbDatabase reader;
  tongshu::Services services{fakes.messages, fakes.links, fakes.clock, fakes.presenter, reader};
  TFrm_SJcs window(services);
  window.show();
  window.edtmun->setText(QString::fromLocal8Bit(argv[1]));
  window.RzBitBtn1->click();
  for (const QString& m : fakes.messages.infos + fakes.messages.errors) std::fprintf(stderr, "%s\n", qPrintable(m));
  QApplication::processEvents();
  return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
