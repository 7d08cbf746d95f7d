#pragma once
// The application's style: the platform's own, as Qt would choose it, except
// that the tool-bar extension arrows are read from Qt's pictures only when
// one is first drawn. Every menu bar makes such an arrow for its overflow
// button, which the command bar never shows, and reading the picture at once
// makes Qt load every image-format plugin while the main window is built.
#include <QProxyStyle>

namespace tongshu {

class ApplicationStyle : public QProxyStyle {
 public:
  ApplicationStyle() = default;
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace tongshu
