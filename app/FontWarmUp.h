#pragma once
#include <future>
#include <thread>

namespace tongshu {

// Fonts are the slowest part of start-up: the system's font configuration is
// read and every installed face listed. A second thread does this while the
// main thread creates the application object and builds the main window; Qt's
// font database keeps its own lock, so the window's first font lookup waits
// for the part it needs instead of doing it again.
class FontWarmUp {
 public:
  // Starts reading the font configuration, which needs no application object.
  FontWarmUp();
  // Joins the thread. Without proceed(), it ends after the configuration.
  ~FontWarmUp();
  FontWarmUp(const FontWarmUp&) = delete;
  FontWarmUp& operator=(const FontWarmUp&) = delete;

  // Goes on with Qt's font database, now that the application object exists
  // and the font substitutions are in place.
  void proceed();
  // Waits for the thread; call before the application object goes.
  void join();

 private:
  std::promise<bool> m_go;
  std::thread m_thread;
};

}  // namespace tongshu
