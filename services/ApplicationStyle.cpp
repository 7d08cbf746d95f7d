#include "services/ApplicationStyle.h"

#include <QIconEngine>
#include <QPointer>
#include <QStyle>

namespace tongshu {
namespace {

// An icon that asks the base style for the real one on first use.
class DeferredIconEngine final : public QIconEngine {
 public:
  DeferredIconEngine(QStyle* base, QStyle::StandardPixmap which) : base_(base), which_(which) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return icon().pixmap(size, scale, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return icon().availableSizes(mode, state);
  }
  bool isNull() override { return icon().isNull(); }
  QString key() const override { return QStringLiteral("tongshu-deferred"); }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

 private:
  const QIcon& icon() {
    if (!made_) {
      made_ = true;
      // The base style may be gone by the time an icon is first drawn.
      if (base_) real_ = base_->standardIcon(which_);
    }
    return real_;
  }

  QPointer<QStyle> base_;
  QStyle::StandardPixmap which_;
  bool made_ = false;
  QIcon real_;
};

}  // namespace

QIcon ApplicationStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
  if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
    return QIcon(new DeferredIconEngine(baseStyle(), icon));
  return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace tongshu
