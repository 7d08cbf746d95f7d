// Saves a picture of the child's-sex chart window on one of its pages (0 to 2):
//   chart_screenshot PAGE out.png
#include <QTabWidget>

#include "shell/InfoWindows.h"
#include "tests/support/Screenshot.h"

int main(int argc, char** argv) {
  return tongshu::testing::RunScreenshot(
      argc, argv, "PAGE", 1,
      [](tongshu::testing::FakeServices&, tongshu::Services&, const QStringList& page) -> std::unique_ptr<QWidget> {
        auto window = std::make_unique<TFrm_NanNv>();
        window->findChild<QTabWidget*>(QStringLiteral("RzPageControl1"))->setCurrentIndex(page.value(0).toInt());
        return window;
      });
}
