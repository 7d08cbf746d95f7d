#pragma once
// The shell windows' pictures as drawings. They are rendered once, when the
// program is built, into the image resources the windows show (at 1x and 2x
// for high-density screens), so no window paints vector art or large text at
// start-up. Nothing in them is taken from elsewhere.
#include <span>

class QImage;
class QPainter;

namespace tongshu::artwork {

struct Drawing {
  const char* name;  // resource name, without the scale suffix and extension
  int width, height;  // device-independent pixels
  bool opaque;
  void (*paint)(QPainter&);
  // Where a window stretches the picture, the size it has at the window's
  // start (0 x 0 for a picture shown at its own size): the build scales the
  // picture to it as the window would, into NAME-shown.
  int shownWidth = 0, shownHeight = 0;
};

std::span<const Drawing> Drawings();

// The drawing at `scale` device pixels per device-independent pixel.
QImage Render(const Drawing& drawing, int scale);

// The drawing at `scale`, stretched to its shown size with the smooth
// scaling the window uses, pixel for pixel what the window would paint.
QImage RenderShown(const Drawing& drawing, int scale);

}  // namespace tongshu::artwork
