#pragma once
// A window without a maximise button can still be maximised by the window
// manager, from its own menu, a mouse button on the frame or a command line
// tool, and in one direction only as well as whole.
class QWidget;

namespace tongshu {

// From now on, undoes every maximised state the window manager gives
// `window`, whole or in one direction; the window manager then puts the
// window back at its size. Minimising is left alone.
void RefuseMaximising(QWidget& window);

}  // namespace tongshu
