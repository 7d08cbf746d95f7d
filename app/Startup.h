#pragma once
#include <functional>

class QWidget;

namespace tongshu {

struct StartupHooks {
  // Called once, right after the main window has painted for the first time.
  std::function<void(QWidget& mainWindow)> afterFirstPaint;
};

// The whole program: application object, title, locale settings, main window,
// message loop. Returns the process exit code.
int RunApplication(int argc, char** argv, const StartupHooks& hooks = {});

}  // namespace tongshu
