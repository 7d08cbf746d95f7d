// Saves a picture of the main window as it starts (at QT_SCALE_FACTOR=2 for
// the dense-screen one):
//   main_window_screenshot out.png
#include "app/MainWindowFace.h"
#include "shell/TFrmmain.h"
#include "tests/support/Screenshot.h"

int main(int argc, char** argv) {
  return tongshu::testing::RunScreenshot(
      argc, argv, "", 0,
      [](tongshu::testing::FakeServices&, tongshu::Services& services, const QStringList&) -> std::unique_ptr<QWidget> {
        tongshu::RegisterMainWindowFace();
        return std::make_unique<TFrmmain>(services, tongshu::shell::ToolWindows{});
      });
}
