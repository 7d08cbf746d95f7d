// Saves a picture of the daily almanac after a lookup in the bundled
// KorBirth.dll beside this program, the three parts typed key by key:
//   almanac_screenshot YEAR MONTH DAY out.png
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "almanac/TFormHuangdao.h"
#include "tests/support/Screenshot.h"

using namespace tongshu::testing;

int main(int argc, char** argv) {
  const auto make = [](FakeServices&, tongshu::Services& services, const QStringList& date) {
    auto window = std::make_unique<TFormHuangdao>(services);
    TypeAndPress({window->SYear->lineEdit(), window->SMonth->lineEdit(), window->Sday->lineEdit()}, date,
                 window->RzBitBtn1);
    return window;
  };
  return RunScreenshot(argc, argv, "YEAR MONTH DAY", 3, make);
}
