#pragma once
// Small controls of the perpetual calendar that Qt has no exact match for: a
// label that reports presses and clicks, a bare up-down spinner, a filled
// rectangle and a sunken rule.
#include <QColor>
#include <QLabel>
#include <QWidget>

class QToolButton;

namespace tongshu::calendar {

// A label with the press and click events of the grid and header texts, and
// a tag that holds the day number of the cell it shows.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(QWidget* parent = nullptr) : QLabel(parent) {}
  int tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

 signals:
  void mouseDown();  // any button pressed on the label
  void clicked();    // left button pressed and released on the label

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int tag_ = 0;
  bool leftDown_ = false;
};

// Two arrow buttons stacked, holding a position between a minimum and a
// maximum. Each press of an arrow moves the position by one (never past the
// ends) and then reports clicked().
class UpDown : public QWidget {
  Q_OBJECT

 public:
  UpDown(int minimum, int maximum, QWidget* parent = nullptr);
  int position() const { return position_; }
  void setPosition(int position);  // clamped to the range
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 signals:
  void clicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void step(int delta);

  int minimum_;
  int maximum_;
  int position_;
  QToolButton* up_;
  QToolButton* down_;
};

// A rectangle filled with one colour and outlined with another.
class ShapeRect : public QWidget {
 public:
  ShapeRect(QColor fill, QColor pen, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor fill_;
  QColor pen_;
};

// A sunken horizontal rule along the bottom edge of its box.
class BevelLine : public QWidget {
 public:
  explicit BevelLine(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tongshu::calendar
