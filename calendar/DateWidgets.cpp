#include "calendar/DateWidgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

namespace tongshu::calendar {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) leftDown_ = true;
  emit mouseDown();
  event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = leftDown_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) leftDown_ = false;
  event->accept();
  if (click) emit clicked();
}

UpDown::UpDown(int minimum, int maximum, QWidget* parent)
    : QWidget(parent),
      minimum_(minimum),
      maximum_(maximum),
      position_(minimum),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)) {
  up_->setObjectName(QStringLiteral("up"));
  down_->setObjectName(QStringLiteral("down"));
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::setPosition(int position) { position_ = std::clamp(position, minimum_, maximum_); }

void UpDown::step(int delta) {
  setPosition(position_ + delta);
  emit clicked();
}

void UpDown::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

ShapeRect::ShapeRect(QColor fill, QColor pen, QWidget* parent) : QWidget(parent), fill_(fill), pen_(pen) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeRect::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(pen_);
  p.setBrush(fill_);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

BevelLine::BevelLine(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void BevelLine::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int y = height() - 2;
  p.setPen(QColor(0xA0, 0xA0, 0xA0));
  p.drawLine(0, y, width() - 1, y);
  p.setPen(Qt::white);
  p.drawLine(0, y + 1, width() - 1, y + 1);
}

}  // namespace tongshu::calendar
