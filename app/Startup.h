#pragma once
#include <functional>

class QCoreApplication;
class QString;
class QWidget;

namespace tongshu {

struct StartupHooks {
  // Called once, right after the main window has painted for the first time.
  std::function<void(QWidget& mainWindow)> afterFirstPaint;
};

// The whole program: application object, title, locale settings, main window,
// message loop. Returns the process exit code. It takes no command line: Qt's
// own switches (-reverse, -style, -platform, -qwindowtitle, ...) would change
// the windows, so the application object is given the program name alone.
int RunApplication(const StartupHooks& hooks = {});

// Qt's own texts (box buttons, the edit boxes' context menus) in Simplified
// Chinese, whatever the user's locale: qtbase_zh_CN.qm from the directory.
// False, with Qt's English texts left in place, when the file cannot be loaded.
bool InstallQtTranslations(QCoreApplication& app, const QString& directory);

// Where the program finds qtbase_zh_CN.qm: Qt's translations folder, or on
// Windows, which has none, the copy embedded in the executable.
QString QtTranslationsDirectory();

}  // namespace tongshu
