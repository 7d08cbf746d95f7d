#include "numerology/EightyOneNumberWindow.h"

#include <string>

#include "numerology/Shuli.h"
#include "services/ErrorReport.h"
#include "services/MessageSink.h"
#include "services/Services.h"
#include "services/WidgetHelpers.h"

namespace tongshu::numerology {

namespace {

// 388 wide; the two windows differ by a pixel in height.
constexpr NumberWindowGeometry Geometry(int height) {
  return {{388, height}, 18, {12, 19, 64, 14}, {80, 15, 150, 22}, {240, 13, 64, 26}, {312, 13, 64, 26},
          {8, 50, 372, height - 60}, 72, 78, 290, 26, 24, 97};
}


}  // namespace

EightyOneNumberWindow::EightyOneNumberWindow(tongshu::Services& services, const EightyOneNumberTexts& texts,
                                             QWidget* parent)
    : NumberWindow(services, {texts.caption, texts.inputLabel, texts.numberLabel}, Geometry(texts.clientHeight), parent),
      blankMessage_(texts.blankMessage) {}

void EightyOneNumberWindow::RzBitBtn1Click() {
  Guarded(services_.messages, [&] {
    const std::string number = trimmedNumber();
    if (number.empty()) {
      services_.messages.ShowInfo(blankMessage_);
      return;
    }
    // Converts (or throws) before any label changes, so a failure leaves the
    // previous result on screen.
    const ShuliFields fields = SplitEntryText(shuliinfostr(number));
    showResult(U8(number), U8(fields.fortune), U8(fields.verdict), U8(fields.personality));
  });
}

}  // namespace tongshu::numerology
