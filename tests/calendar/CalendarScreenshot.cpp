// Saves a picture of the perpetual calendar opened on a given day:
//   calendar_screenshot YYYY-MM-DD out.png
#include <QDate>
#include <cstdio>

#include "calendar/DateWin.h"
#include "tests/support/Screenshot.h"

int main(int argc, char** argv) {
  return tongshu::testing::RunScreenshot(
      argc, argv, "YYYY-MM-DD", 1,
      [](tongshu::testing::FakeServices& fakes, tongshu::Services& services,
         const QStringList& day) -> std::unique_ptr<QWidget> {
        const QDate date = QDate::fromString(day[0], Qt::ISODate);
        if (!date.isValid()) {
          std::fprintf(stderr, "not a date: %s\n", qPrintable(day[0]));
          return nullptr;
        }
        fakes.clock.date = std::chrono::year_month_day{std::chrono::year{date.year()},
                                                       std::chrono::month{static_cast<unsigned>(date.month())},
                                                       std::chrono::day{static_cast<unsigned>(date.day())}};
        return std::make_unique<TFRM_Date>(services);
      });
}
