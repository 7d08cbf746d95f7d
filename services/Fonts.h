#pragma once
#include <QFont>
#include <QString>

namespace tongshu {

// Maps the layouts' font names (宋体, 楷体_GB2312, 黑体, 隶书, Arial, Arial Black) to
// installed faces so that every Chinese text renders.
void InstallFontSubstitutions();

// A font of the given family at a pixel height, as the windows' layouts state
// their fonts.
QFont UiFont(const QString& family, int pixelHeight, bool bold = false);

inline const QString kSongTi = QStringLiteral("宋体");
// The main window's 宋体: its own cut-down copy of the installed face when the
// program has registered one (app/MainWindowFace.h), else 宋体's faces.
inline const QString kMainWindowSongTi = QStringLiteral("宋体 (main window)");
inline const QString kMainWindowFace = QStringLiteral("Tongshu Main Song");
inline const QString kKaiTi = QStringLiteral("楷体_GB2312");
inline const QString kHeiTi = QStringLiteral("黑体");
inline const QString kLiShu = QStringLiteral("隶书");
inline const QString kArial = QStringLiteral("Arial");
inline const QString kArialBlack = QStringLiteral("Arial Black");

// The installed faces that stand in for Arial and Arial Black.
inline const QString kLiberationSans = QStringLiteral("Liberation Sans");
inline const QString kLato = QStringLiteral("Lato");

}  // namespace tongshu
