#pragma once
// The main window's face, cut down at build time to the characters the shell
// shows (tools/main-window-face): its glyphs come from a 300 KB file instead
// of the 25 MB collection, which is most of the difference the window makes
// to the program's memory and a good part of its start-up time.
#include <QByteArray>

namespace tongshu {

// The face's bytes as embedded in the program; empty if the resource is
// missing or compressed.
QByteArray MainWindowFaceData();

// Registers the face with Qt's font database, where kMainWindowSongTi finds
// it first; without it that name would lead to the installed face.
bool RegisterMainWindowFace();

}  // namespace tongshu
