// The perpetual calendar window, driven offscreen through its controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include "calendar/DateWin.h"
#include "services/WindowPresenter.h"
#include "tests/calendar/TestDates.h"
#include "tests/support/Fakes.h"

// Readable failure messages for texts and colours.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QColor& c, std::ostream* os) { *os << c.name().toStdString(); }

namespace {

using tongshu::calendar::testing::D;
using tongshu::calendar::Date;

const QColor kDarkGreen(0x00, 0x40, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kOrange(0xFF, 0x80, 0x00);
const QColor kBlue(0x53, 0x53, 0xFF);

QColor TextColour(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

// Runs the event loop until the condition holds or the time is up.
template <class F>
bool EventuallyTrue(F&& condition, int milliseconds = 2000) {
  QDeadlineTimer deadline(milliseconds);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(10);
  }
  return true;
}

class DateWinTest : public ::testing::Test {
 protected:
  // Opens the window as the main window would, on the given "today".
  TFRM_Date& open(Date today) {
    fakes.clock.date = today;
    window = std::make_unique<TFRM_Date>(fakes.services);
    window->show();
    return *window;
  }

  // Index 0..36 of the cell that shows `day`, or -1.
  int cellOfDay(int day) const {
    for (int i = 0; i < 37; ++i)
      if (window->DayLabels[i]->isVisibleTo(window.get()) && window->DayLabels[i]->text() == QString::number(day))
        return i;
    return -1;
  }
  QLabel* lunar(int day) const { return window->LunarLabels[cellOfDay(day)]; }
  QLabel* number(int day) const { return window->DayLabels[cellOfDay(day)]; }
  QPoint markerFor(int day) const { return number(day)->pos() + QPoint(-1, 1); }

  void expectLunar(int day, const QString& text, const QColor& colour) const {
    ASSERT_GE(cellOfDay(day), 0) << day;
    EXPECT_EQ(lunar(day)->text(), text) << "day " << day;
    EXPECT_EQ(TextColour(lunar(day)), colour) << "day " << day;
  }

  tongshu::testing::FakeServices fakes;
  std::unique_ptr<TFRM_Date> window;
};

TEST_F(DateWinTest, ControlsStandWhereTheLayoutPutsThem) {
  TFRM_Date& w = open(D(2011, 3, 5));
  EXPECT_EQ(w.size(), QSize(331, 285));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("瑞衡日历"));
  EXPECT_FALSE(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  const struct {
    const char* name;
    QRect geometry;
  } controls[] = {
      {"Label17", {10, 3, 36, 37}},   {"UpDown2", {61, 10, 16, 24}},  {"Label1", {120, 0, 76, 41}},
      {"UpDown1", {221, 10, 16, 24}}, {"StaticText1", {272, 17, 28, 16}}, {"Label2", {19, 40, 36, 12}},
      {"Label6", {139, 40, 36, 12}},  {"Label7", {259, 40, 36, 12}},  {"Label20", {0, 56, 313, 72}},
      {"Label16", {16, 146, 313, 134}}, {"Label9", {20, 253, 36, 12}}, {"Label15", {260, 253, 36, 12}},
      {"Label22", {152, 223, 69, 23}}, {"Label21", {230, 212, 78, 35}}, {"Bevel1", {9, 240, 297, 10}},
  };
  for (const auto& c : controls) {
    const auto* control = w.findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_NE(control, nullptr) << c.name;
    EXPECT_EQ(control->geometry(), c.geometry) << c.name;
  }
  EXPECT_EQ(w.Label6->text(), QStringLiteral("星期三"));
  EXPECT_EQ(w.Label5->text(), QStringLiteral("星期四"));
  EXPECT_EQ(TextColour(w.Label2), kRed);
  EXPECT_EQ(TextColour(w.Label7), kRed);
  EXPECT_EQ(TextColour(w.Label3), QColor(Qt::black));
  EXPECT_EQ(w.Label1->toolTip(), QStringLiteral("单击改变年份"));
  EXPECT_EQ(w.Label17->toolTip(), QStringLiteral("单击改变月份"));
  EXPECT_EQ(w.UpDown1->minimum(), 1901);
  EXPECT_EQ(w.UpDown1->maximum(), 2050);
  EXPECT_EQ(w.UpDown2->maximum(), 12);
}

// Where the label's real font draws the text's ink, in the label's own
// coordinates, for a one-line text placed by the label's alignment.
QRect InkInLabel(const QLabel* label, const QString& text) {
  const QFontMetrics m(label->font());
  const QRect box = label->contentsRect();
  const int width = m.horizontalAdvance(text);
  const Qt::Alignment a = label->alignment();
  const int x = (a & Qt::AlignHCenter) ? box.left() + (box.width() - width) / 2
                : (a & Qt::AlignRight)  ? box.right() + 1 - width
                                        : box.left();
  const int y = (a & Qt::AlignVCenter) ? box.top() + (box.height() - m.height()) / 2
                : (a & Qt::AlignBottom) ? box.bottom() + 1 - m.height()
                                        : box.top();
  return m.tightBoundingRect(text).translated(x, y + m.ascent());
}

// The numbers in the header, the watermarks and the cells, in the faces that
// stand in for Arial and Arial Black: no digit of any month or year the
// spinners offer falls outside its label.
TEST_F(DateWinTest, EveryYearAndMonthNumberFitsItsLabel) {
  TFRM_Date& w = open(D(2033, 12, 1));
  EXPECT_EQ(QFontInfo(w.Label17->font()).family(), QStringLiteral("Liberation Sans"));
  const QLabel* dayNumber = w.DayLabels[0];
  using Labels = std::initializer_list<const QLabel*>;
  for (const QLabel* heavy : Labels{w.Label1, w.Label20, w.Label16, dayNumber}) {
    EXPECT_EQ(QFontInfo(heavy->font()).family(), QStringLiteral("Lato")) << heavy->objectName().toStdString();
    EXPECT_GE(QFontInfo(heavy->font()).weight(), QFont::Black) << heavy->objectName().toStdString();
  }
  const auto fits = [](const QLabel* label, const QString& text) {
    const QRect ink = InkInLabel(label, text);
    const bool inside = QFontMetrics(label->font()).horizontalAdvance(text) <= label->width() &&
                        label->rect().contains(ink);
    return inside ? ::testing::AssertionSuccess()
                  : ::testing::AssertionFailure()
                        << label->objectName().toStdString() << " " << label->width() << "x" << label->height()
                        << ": '" << text.toStdString() << "' draws at " << ink.x() << "," << ink.y() << " "
                        << ink.width() << "x" << ink.height();
  };
  for (int year = 1901; year <= 2050; ++year)
    for (const QLabel* label : Labels{w.Label1, w.Label20})
      EXPECT_TRUE(fits(label, QString::number(year)));
  for (int month = 1; month <= 12; ++month)
    for (const QLabel* label : Labels{w.Label17, w.Label16})
      EXPECT_TRUE(fits(label, QString::number(month)));
  for (int day = 1; day <= 31; ++day) EXPECT_TRUE(fits(w.DayLabels[0], QString::number(day)));

  // As shown: the widest month with a year of four wide digits, and the first year.
  EXPECT_EQ(w.Label1->text(), QStringLiteral("2033"));
  EXPECT_EQ(w.Label17->text(), QStringLiteral("12"));
  EXPECT_TRUE(fits(w.Label1, w.Label1->text()));
  EXPECT_TRUE(fits(w.Label17, w.Label17->text()));
  TFRM_Date& first = open(D(1901, 10, 1));
  EXPECT_EQ(first.Label1->text(), QStringLiteral("1901"));
  EXPECT_TRUE(fits(first.Label20, first.Label20->text()));
  EXPECT_TRUE(fits(first.Label16, first.Label16->text()));
}

// Columns 42 px apart, rows 32 px, the lunar text 17 px under the number.
TEST_F(DateWinTest, CellsFormASevenColumnGrid) {
  TFRM_Date& w = open(D(2011, 3, 5));
  for (int i = 1; i <= 37; ++i) {
    const int column = (i - 1) % 7, row = (i - 1) / 7;
    EXPECT_EQ(w.DayLabels[i - 1]->geometry(), QRect(14 + 42 * column, 56 + 32 * row, 36, 16)) << i;
    EXPECT_EQ(w.LunarLabels[i - 1]->geometry(), QRect(13 + 42 * column, 73 + 32 * row, 36, 12)) << i;
  }
}

TEST_F(DateWinTest, March2011) {
  TFRM_Date& w = open(D(2011, 3, 5));
  EXPECT_EQ(w.DayLabels[2]->text(), "1");
  EXPECT_EQ(w.DayLabels[32]->text(), "31");
  for (int hidden : {0, 1, 33, 34, 35, 36}) {
    EXPECT_FALSE(w.DayLabels[hidden]->isVisibleTo(&w)) << hidden;
    EXPECT_FALSE(w.LunarLabels[hidden]->isVisibleTo(&w)) << hidden;
  }
  expectLunar(5, QStringLiteral("二月"), kRed);
  expectLunar(6, QStringLiteral("惊蛰"), kBlue);
  expectLunar(8, QStringLiteral("妇女节"), kOrange);
  expectLunar(21, QStringLiteral("春分"), kBlue);
  for (int d = 1; d <= 31; ++d) {
    if (d == 5 || d == 6 || d == 8 || d == 21) continue;
    EXPECT_EQ(TextColour(lunar(d)), kDarkGreen) << d;
    EXPECT_EQ(TextColour(number(d)), QColor(Qt::black)) << d;
  }
  expectLunar(1, QStringLiteral("廿七"), kDarkGreen);
  expectLunar(31, QStringLiteral("廿七"), kDarkGreen);
  EXPECT_EQ(w.Label1->text(), "2011");
  EXPECT_EQ(w.Label20->text(), "2011");
  EXPECT_EQ(w.Label17->text(), "3");
  EXPECT_EQ(w.Label16->text(), "3");
  EXPECT_EQ(w.Label21->text(), QStringLiteral("卯兔"));
  EXPECT_EQ(w.Label22->text(), QStringLiteral("双鱼座"));
  EXPECT_EQ(w.Shape2->pos(), markerFor(5));
  EXPECT_EQ(w.UpDown1->position(), 2011);
  EXPECT_EQ(w.UpDown2->position(), 3);
}

TEST_F(DateWinTest, February2011) {
  open(D(2011, 2, 10));
  expectLunar(2, QStringLiteral("除夕"), kOrange);
  expectLunar(3, QStringLiteral("春节"), kOrange);
  expectLunar(4, QStringLiteral("立春"), kBlue);
  expectLunar(14, QStringLiteral("情人节"), kOrange);
  EXPECT_EQ(cellOfDay(29), -1);
}

TEST_F(DateWinTest, May2011) {
  TFRM_Date& w = open(D(2011, 5, 31));
  EXPECT_EQ(w.DayLabels[0]->text(), "1");  // a Sunday
  expectLunar(1, QStringLiteral("劳动节"), kOrange);
  expectLunar(4, QStringLiteral("青年节"), kOrange);
  expectLunar(8, QStringLiteral("母亲节"), kOrange);
}

struct ShownDay {
  Date today;
  const char* text;
  QColor colour;
  const char* starSign;
};

void PrintTo(const ShownDay& s, std::ostream* os) { *os << tongshu::calendar::testing::Str(s.today); }

class DateWinDayTest : public DateWinTest, public ::testing::WithParamInterface<ShownDay> {};

TEST_P(DateWinDayTest, ShowsTheDaysTextAndStarSign) {
  const ShownDay& s = GetParam();
  TFRM_Date& w = open(s.today);
  const int day = static_cast<int>(static_cast<unsigned>(s.today.day()));
  expectLunar(day, QString::fromUtf8(s.text), s.colour);
  EXPECT_EQ(w.Label22->text(), QString::fromUtf8(s.starSign));
  EXPECT_EQ(w.Shape2->pos(), markerFor(day));
}

INSTANTIATE_TEST_SUITE_P(Precedence, DateWinDayTest,
                         ::testing::Values(ShownDay{D(2011, 8, 23), "处暑", kBlue, "处女座"},
                                           ShownDay{D(2011, 11, 8), "立冬", kBlue, "天蝎座"},    // 记者日 too
                                           ShownDay{D(2020, 10, 1), "中秋节", kOrange, "天秤座"}, // 国庆节 too
                                           ShownDay{D(2011, 6, 6), "端午节", kOrange, "双子座"},  // 芒种 too
                                           ShownDay{D(2012, 5, 21), "闰四", kRed, "双子座"}));

TEST_F(DateWinTest, ClickingACellMovesTheMarkerButNotTheFooter) {
  TFRM_Date& w = open(D(2012, 1, 22));
  EXPECT_EQ(w.Label21->text(), QStringLiteral("卯兔"));
  EXPECT_EQ(w.Label22->text(), QStringLiteral("水瓶座"));
  QTest::mouseClick(number(23), Qt::LeftButton);
  EXPECT_EQ(w.Shape2->pos(), markerFor(23));
  EXPECT_EQ(w.SelDate, D(2012, 1, 23));
  EXPECT_EQ(w.Label21->text(), QStringLiteral("卯兔"));
  EXPECT_EQ(w.Label22->text(), QStringLiteral("水瓶座"));

  QTest::mouseClick(lunar(5), Qt::LeftButton);
  EXPECT_EQ(w.Shape2->pos(), markerFor(5));
  EXPECT_EQ(w.SelDate, D(2012, 1, 5));
  EXPECT_EQ(w.Label22->text(), QStringLiteral("水瓶座"));

  QTest::mouseClick(number(23), Qt::LeftButton);
  QTest::mouseClick(w.UpDown2->upButton(), Qt::LeftButton);
  QTest::mouseClick(w.UpDown2->downButton(), Qt::LeftButton);
  EXPECT_EQ(w.Label17->text(), "1");
  EXPECT_EQ(w.Label21->text(), QStringLiteral("辰龙"));
  EXPECT_EQ(w.Label22->text(), QStringLiteral("水瓶座"));
  EXPECT_EQ(w.Shape2->pos(), markerFor(23));
}

// A press alone moves the marker; only a full click selects the day.
TEST_F(DateWinTest, MouseDownMovesTheMarkerToTheSameSpotFromEitherText) {
  TFRM_Date& w = open(D(2011, 3, 5));
  QTest::mousePress(lunar(17), Qt::LeftButton);
  EXPECT_EQ(w.Shape2->pos(), markerFor(17));
  EXPECT_EQ(w.SelDate, D(2011, 3, 5));
  QTest::mouseRelease(lunar(17), Qt::LeftButton);
  EXPECT_EQ(w.SelDate, D(2011, 3, 17));
  QTest::mousePress(number(30), Qt::LeftButton);
  EXPECT_EQ(w.Shape2->pos(), markerFor(30));
}

TEST_F(DateWinTest, MonthChangesKeepTheChosenDay) {
  TFRM_Date& w = open(D(2011, 1, 31));
  QTest::mouseClick(w.UpDown2->upButton(), Qt::LeftButton);
  EXPECT_EQ(w.Label17->text(), "2");
  EXPECT_EQ(w.Shape2->pos(), markerFor(28));
  EXPECT_EQ(w.Label22->text(), QStringLiteral("双鱼座"));
  EXPECT_EQ(w.CurDay, 31);
  QTest::mouseClick(w.UpDown2->upButton(), Qt::LeftButton);
  EXPECT_EQ(w.Label17->text(), "3");
  EXPECT_EQ(w.Shape2->pos(), markerFor(31));
  EXPECT_EQ(cellOfDay(31), 32);
  QTest::mouseClick(w.UpDown1->upButton(), Qt::LeftButton);  // March 2012 starts on a Thursday
  EXPECT_EQ(w.Label1->text(), "2012");
  EXPECT_EQ(cellOfDay(1), 4);
  EXPECT_EQ(w.Shape2->pos(), markerFor(31));
  // Spinners only change the view; the selected date stays.
  EXPECT_EQ(w.SelDate, D(2011, 1, 31));
}

TEST_F(DateWinTest, SpinnersStopAtTheirLimits) {
  TFRM_Date& w = open(D(2050, 12, 1));
  QTest::mouseClick(w.UpDown1->upButton(), Qt::LeftButton);
  QTest::mouseClick(w.UpDown2->upButton(), Qt::LeftButton);
  EXPECT_EQ(w.Label1->text(), "2050");
  EXPECT_EQ(w.Label17->text(), "12");
  open(D(1901, 1, 1));
  QTest::mouseClick(window->UpDown1->downButton(), Qt::LeftButton);
  QTest::mouseClick(window->UpDown2->downButton(), Qt::LeftButton);
  EXPECT_EQ(window->Label1->text(), "1901");
  EXPECT_EQ(window->Label17->text(), "1");
  expectLunar(1, QStringLiteral("元旦节"), kOrange);
  expectLunar(2, QStringLiteral("十二"), kDarkGreen);
}

TEST_F(DateWinTest, YearAndMonthTextsChooseTheirSpinner) {
  TFRM_Date& w = open(D(2011, 3, 5));
  EXPECT_TRUE(w.UpDown1->isVisible());
  EXPECT_TRUE(w.UpDown2->isVisible());
  QTest::mouseClick(w.Label1, Qt::LeftButton);
  EXPECT_TRUE(w.UpDown1->isVisible());
  EXPECT_FALSE(w.UpDown2->isVisible());
  QTest::mouseClick(w.Label17, Qt::LeftButton);
  EXPECT_FALSE(w.UpDown1->isVisible());
  EXPECT_TRUE(w.UpDown2->isVisible());
}

TEST_F(DateWinTest, TodayGoesBackToTheClocksDate) {
  TFRM_Date& w = open(D(2011, 3, 5));
  QTest::mouseClick(w.UpDown1->upButton(), Qt::LeftButton);
  QTest::mouseClick(w.UpDown2->upButton(), Qt::LeftButton);
  QTest::mouseClick(number(20), Qt::LeftButton);
  fakes.clock.date = D(2011, 8, 23);  // the day has turned meanwhile
  QTest::mouseClick(w.StaticText1, Qt::LeftButton);
  EXPECT_EQ(w.SelDate, D(2011, 8, 23));
  EXPECT_EQ(w.Label1->text(), "2011");
  EXPECT_EQ(w.Label17->text(), "8");
  EXPECT_EQ(w.UpDown1->position(), 2011);
  EXPECT_EQ(w.UpDown2->position(), 8);
  EXPECT_EQ(w.CurDay, 23);
  EXPECT_EQ(w.Label22->text(), QStringLiteral("处女座"));
  EXPECT_EQ(w.Shape2->pos(), markerFor(23));
}

TEST_F(DateWinTest, ClockOutsideTheRangeShowsGregorianMarksOnly) {
  TFRM_Date& w = open(D(2060, 5, 10));
  EXPECT_EQ(w.Label1->text(), "2060");
  EXPECT_EQ(w.UpDown1->position(), 2050);
  EXPECT_EQ(w.Label21->text(), QStringLiteral("辰龙"));
  EXPECT_EQ(w.Label22->text(), QStringLiteral("金牛座"));
  for (int d = 1; d <= 31; ++d) ASSERT_GE(cellOfDay(d), 0) << d;
  expectLunar(1, QStringLiteral("劳动节"), kOrange);
  expectLunar(9, QStringLiteral("母亲节"), kOrange);
  expectLunar(10, QString(), kDarkGreen);
  EXPECT_EQ(w.Shape2->pos(), markerFor(10));

  open(D(1850, 2, 1));
  EXPECT_EQ(window->Label21->text(), QStringLiteral("戌狗"));
  expectLunar(14, QStringLiteral("情人节"), kOrange);
  expectLunar(15, QString(), kDarkGreen);
}

// Without a mouse: the arrows move the marked day as a click does, across
// months and years; the page keys turn the month as its spinner does, into the
// next year too; Esc closes. Nothing moves past the calendar's range.
TEST_F(DateWinTest, KeysMoveTheDayTurnTheMonthAndClose) {
  open(D(2010, 12, 31));
  const struct {
    Qt::Key key;
    const char* year;
    const char* month;
    int marked;
    Date selected;
  } steps[] = {
      {Qt::Key_Right, "2011", "1", 1, D(2011, 1, 1)},       {Qt::Key_Left, "2010", "12", 31, D(2010, 12, 31)},
      {Qt::Key_Down, "2011", "1", 7, D(2011, 1, 7)},        {Qt::Key_Up, "2010", "12", 31, D(2010, 12, 31)},
      {Qt::Key_PageDown, "2011", "1", 31, D(2010, 12, 31)}, {Qt::Key_PageDown, "2011", "2", 28, D(2010, 12, 31)},
      {Qt::Key_PageUp, "2011", "1", 31, D(2010, 12, 31)},
  };
  for (const auto& s : steps) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), s.key);
    SCOPED_TRACE(::testing::Message() << "step " << (&s - steps + 1));
    EXPECT_EQ(window->Label1->text(), s.year);
    EXPECT_EQ(window->Label17->text(), s.month);
    EXPECT_EQ(window->Shape2->pos(), markerFor(s.marked));
    EXPECT_EQ(window->SelDate, s.selected);
  }
  open(D(2050, 12, 31));
  for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_PageDown}) QTest::keyClick(window.get(), key);
  EXPECT_EQ(window->SelDate, D(2050, 12, 31));
  EXPECT_EQ(window->Label17->text(), "12");
  open(D(1901, 1, 1));
  for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_PageUp}) QTest::keyClick(window.get(), key);
  EXPECT_EQ(window->SelDate, D(1901, 1, 1));
  EXPECT_EQ(window->Label1->text(), "1901");
  QTest::keyClick(window.get(), Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
}

// "今天" keeps a column of its box's colour between its ink and the border on
// either side.
TEST_F(DateWinTest, TodayTextStandsClearOfItsBorder) {
  TFRM_Date& w = open(D(2011, 3, 5));
  const QImage box = w.StaticText1->grab().toImage();
  const QColor fill = w.StaticText1->palette().color(QPalette::Window);
  for (const int x : {1, box.width() - 2}) {
    for (int y = 1; y < box.height() - 1; ++y)
      ASSERT_EQ(box.pixelColor(x, y), fill) << "ink at column " << x << ", row " << y;
  }
}

// --- opening and the pop-up behaviour ----------------------------------------

TEST_F(DateWinTest, OpeningFreesThePreviousInstance) {
  QWidget owner;
  OpenFRM_Date(fakes.services, &owner);
  QPointer<TFRM_Date> first = FRM_Date;
  ASSERT_TRUE(first);
  EXPECT_EQ(fakes.presenter.modal.back(), first.data());
  EXPECT_EQ(first->parentWidget(), &owner);
  OpenFRM_Date(fakes.services, &owner);
  EXPECT_TRUE(first.isNull());
  ASSERT_TRUE(FRM_Date);
  EXPECT_EQ(fakes.presenter.modal.size(), 2u);
  delete FRM_Date.data();
}

TEST_F(DateWinTest, LosingActivationClosesButKeepsTheInstance) {
  QWidget owner;
  OpenFRM_Date(fakes.services, &owner);
  QPointer<TFRM_Date> calendar = FRM_Date;
  calendar->activateWindow();
  QApplication::processEvents();
  ASSERT_TRUE(calendar->isVisible());

  QWidget other;
  other.show();
  other.activateWindow();
  EXPECT_TRUE(EventuallyTrue([&] { return !calendar || !calendar->isVisible(); }));
  EXPECT_TRUE(calendar);  // freed by the next opening, not on close
  OpenFRM_Date(fakes.services, &owner);
  EXPECT_TRUE(calendar.isNull());
  delete FRM_Date.data();
}

// Deactivation closes once Qt has finished delivering it, and a close still
// queued for a window that the next opening frees is dropped (the sanitizer
// build turns a delivery to the freed window into a failure).
TEST_F(DateWinTest, DeactivationClosesAfterTheEventAndNotAfterTheWindow) {
  auto* freed = new TFRM_Date(fakes.services);
  TFRM_Date kept(fakes.services);
  freed->show();
  kept.show();
  QApplication::processEvents();
  freed->FormDeactivate();
  kept.FormDeactivate();
  EXPECT_TRUE(kept.isVisible());
  delete freed;
  QApplication::processEvents();
  EXPECT_FALSE(kept.isVisible());
}

// With the real modal loop: another window taking activation ends it.
TEST_F(DateWinTest, ModalLoopEndsWhenAnotherWindowIsActivated) {
  tongshu::QtWindowPresenter presenter;
  tongshu::Services services{fakes.messages, fakes.links, fakes.clock, presenter, fakes.database};
  QWidget owner;
  // While the calendar is modal only another modal window (a message box, say)
  // can take activation inside the program.
  QWidget other;
  other.setWindowModality(Qt::ApplicationModal);
  bool activatedOther = false;
  QTimer::singleShot(50, &other, [&] {
    ASSERT_TRUE(FRM_Date && FRM_Date->isVisible());
    other.show();
    other.activateWindow();
    activatedOther = true;
  });
  QTimer watchdog;  // a failure must not leave the loop running
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    if (FRM_Date) FRM_Date->hide();
  });
  watchdog.start(5000);
  OpenFRM_Date(services, &owner);
  EXPECT_TRUE(activatedOther);
  EXPECT_TRUE(watchdog.isActive()) << "the loop only ended through the watchdog";
  ASSERT_TRUE(FRM_Date);
  EXPECT_FALSE(FRM_Date->isVisible());
  delete FRM_Date.data();
}

}  // namespace
