// Saves a picture of the perpetual calendar for a given date:
//   calendar_screenshot YYYY-MM-DD out.png
// Run under xvfb-run to see it as a real window draws it.
#include <QApplication>
#include <QDate>
#include <QTimer>
#include <cstdio>

#include "DateWin.h"
#include "Fakes.h"
#include "Fonts.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s YYYY-MM-DD out.png\n", argv[0]);
    return 2;
  }
  const QDate date = QDate::fromString(QString::fromLatin1(argv[1]), Qt::ISODate);
  if (!date.isValid()) {
    std::fprintf(stderr, "not a date: %s\n", argv[1]);
    return 2;
  }
  tongshu::InstallFontSubstitutions();
  tongshu::testing::FakeServices fakes;
  fakes.clock.date = std::chrono::year_month_day{std::chrono::year{date.year()},
                                                 std::chrono::month{static_cast<unsigned>(date.month())},
                                                 std::chrono::day{static_cast<unsigned>(date.day())}};
  TFRM_Date window(fakes.services);
  window.show();
  QApplication::processEvents();
  const bool saved = window.grab().save(QString::fromLocal8Bit(argv[2]));
  return saved ? 0 : 1;
}
