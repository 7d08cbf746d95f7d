#pragma once
#include "shell/ToolWindows.h"

namespace tongshu {

// The openers of every tool window, for the main window's command map.
shell::ToolWindows MakeToolWindows();

}  // namespace tongshu
