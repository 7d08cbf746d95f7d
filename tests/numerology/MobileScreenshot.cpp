// Saves a picture of the mobile-number window after analysing a number in the
// bundled dream.dll beside this program:
//   mobile_screenshot NUMBER out.png
#include <QLineEdit>
#include <QPushButton>

#include "numerology/TFrm_SJcs.h"
#include "tests/support/Screenshot.h"

int main(int argc, char** argv) {
  using namespace tongshu::testing;
  return RunScreenshot(argc, argv, "NUMBER", 1, [](FakeServices&, tongshu::Services& services, const QStringList& number) {
    auto window = std::make_unique<TFrm_SJcs>(services);
    TypeAndPress({window->edtmun}, number, window->RzBitBtn1);
    return window;
  });
}
