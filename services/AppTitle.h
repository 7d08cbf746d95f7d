#pragma once
#include <QString>

namespace tongshu {

// The application's title: the main window's caption and the taskbar name.
inline const QString kAppTitle = QStringLiteral("吉星通书");

}  // namespace tongshu
