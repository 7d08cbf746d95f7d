// Saves a picture of the net-name window after typing a name key by key (ASCII
// only, as QTest types it) and analysing it:
//   netname_screenshot NAME out.png
#include <QLineEdit>
#include <QPushButton>

#include "netname/UntWangm.h"
#include "tests/support/Screenshot.h"

int main(int argc, char** argv) {
  using namespace tongshu::testing;
  return RunScreenshot(argc, argv, "NAME", 1, [](FakeServices&, tongshu::Services& services, const QStringList& name) {
    auto window = std::make_unique<TFrmWangming>(services);
    TypeAndPress({window->edtmun}, name, window->RzBitBtn1);
    return window;
  });
}
