#pragma once
// Whether a widget draws its text in the faces a font stands for.
#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QWidget>

namespace tongshu::testing {

// True when the widget looks exactly the same once given `font` outright,
// which it does only if it already drew its text, Latin and Chinese, in the
// faces of that font at its size.
inline bool LooksTheSameIn(QWidget& widget, const QFont& font) {
  QCoreApplication::processEvents();
  const QImage before = widget.grab().toImage();
  widget.setFont(font);
  QCoreApplication::processEvents();
  return widget.grab().toImage() == before;
}

}  // namespace tongshu::testing
