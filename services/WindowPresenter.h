#pragma once
#include <QPointer>
#include <QWidget>
#include <utility>

namespace tongshu {

// How a tool window is put on screen. The real one runs a modal loop; tests
// replace it with one that only shows the window and returns.
class WindowPresenter {
 public:
  virtual ~WindowPresenter() = default;
  // Returns when the window has been closed (hidden or destroyed).
  virtual void showModal(QWidget& window) = 0;
  virtual void showNonModal(QWidget& window) = 0;
};

// Puts the window's frame, title bar and borders included, in the middle of
// its screen's free area. The frame's size is known only once a window
// manager has framed the window, so the window is placed again then.
void CentreOnScreen(QWidget& window);

class QtWindowPresenter final : public WindowPresenter {
 public:
  void showModal(QWidget& window) override;
  void showNonModal(QWidget& window) override;
};

// Modal convention: free the previous instance, create a new one, show it
// modally. The reference is left set; the next opening frees it.
template <class W, class... Args>
W* OpenModal(QPointer<W>& ref, WindowPresenter& presenter, Args&&... args) {
  delete ref.data();
  ref = new W(std::forward<Args>(args)...);
  W* window = ref.data();
  presenter.showModal(*window);
  return ref.data();
}

// Non-modal convention: one more window each time, freed when it closes.
template <class W, class... Args>
W* OpenNonModal(QPointer<W>& ref, WindowPresenter& presenter, Args&&... args) {
  W* window = new W(std::forward<Args>(args)...);
  window->setAttribute(Qt::WA_DeleteOnClose);
  ref = window;
  presenter.showNonModal(*window);
  return window;
}

}  // namespace tongshu
