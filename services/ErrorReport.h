#pragma once
#include <exception>
#include <utility>

#include "services/MessageSink.h"

namespace tongshu {

// Runs one event handler's body. A failure it does not catch ends the action
// and is shown with its own text; the windows stay open.
template <class F>
void Guarded(MessageSink& sink, F&& body) noexcept {
  try {
    std::forward<F>(body)();
  } catch (const std::exception& e) {
    sink.ShowError(QString::fromUtf8(e.what()));
  } catch (...) {
    sink.ShowError(QString::fromUtf16(u"发生未知错误。"));
  }
}

}  // namespace tongshu
