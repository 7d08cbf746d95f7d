#pragma once
// The screenshot programs (not tests): each draws one window into a PNG for
// docs/screenshots/. Run them under xvfb-run to see a window as a real one
// draws it.
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <memory>

#include "tests/support/Fakes.h"

class QWidget;

namespace tongshu::testing {

// Builds the window from the program's arguments, with fakes for the desktop
// and the real reader of the data files beside the program; nothing stops it.
using WindowMaker = std::function<std::unique_ptr<QWidget>(FakeServices& fakes, Services& services,
                                                           const QStringList& arguments)>;

// Makes the application, takes `arguments` arguments (then the PNG's path),
// builds the window, shows it, lets it paint and saves it. Messages the window
// reported go to stderr. Returns the exit status: 0 when the picture was saved.
int RunScreenshot(int argc, char** argv, const char* usage, int arguments, const WindowMaker& make);

// Shows the window of the boxes, types each text key by key into its box and
// presses the button, as a user fills a window in.
void TypeAndPress(std::initializer_list<QWidget*> boxes, const QStringList& texts, QWidget* button);

}  // namespace tongshu::testing
