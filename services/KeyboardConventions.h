#pragma once
// The keyboard conventions of the program's own platform that Qt leaves to
// the application, for every window at once:
// - Enter or Return presses the focused push button (Space still does);
// - F10 opens the first menu of a main window's menu bar, from which the
//   arrow keys reach every menu, as after Alt;
// - Ctrl+Home and Ctrl+End go to the top and the end of read-only text;
// - Up and Down in an editable drop-down box start from the item that matches
//   the text, or from the first item when none does;
// - a one-line box keeps the first line of a multi-line paste, whether the
//   paste comes from the keyboard, the context menu or the mouse;
// - the context menu of a key-filtered box lists no shortcut that its filter
//   swallows.
class QApplication;
class QLineEdit;

namespace tongshu {

// Installs the conventions on the application; they end with it.
void InstallKeyboardConventions(QApplication& app);

// Marks a box whose key filter lets only some characters through, so that
// its context menu does not offer shortcuts that cannot work there.
void MarkKeyFiltered(QLineEdit& box);

}  // namespace tongshu
