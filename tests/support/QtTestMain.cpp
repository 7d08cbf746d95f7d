// gtest main for widget tests: one QApplication for the whole test program.
#include <gtest/gtest.h>

#include <QApplication>

#include "services/Fonts.h"
#include "services/KeyboardConventions.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef TONGSHU_TEST_FONT_DIR
  // Wine hands no QT_* variable to a program: the folder is set from inside.
  qputenv("QT_QPA_FONTDIR", TONGSHU_TEST_FONT_DIR);
#endif
  QApplication app(argc, argv);
  tongshu::InstallFontSubstitutions();
  // The windows under test take keys as the program's do.
  tongshu::InstallKeyboardConventions(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
