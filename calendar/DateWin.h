#pragma once
// The perpetual calendar window: one Gregorian month as a grid of day cells
// with lunar days, solar terms and festivals, the zodiac year and the star
// sign of the selected day. Closes as soon as it loses activation, or on Esc;
// the page keys turn the month and the arrow keys move the marked day.
#include <QPointer>
#include <QWidget>
#include <array>

#include "calendar/DateWidgets.h"
#include "calendar/MonthBuilder.h"

class QLabel;

namespace tongshu {
struct Services;
}

class TFRM_Date : public QWidget {
  Q_OBJECT

 public:
  explicit TFRM_Date(tongshu::Services& services, QWidget* parent = nullptr);

  using ClickLabel = tongshu::calendar::ClickLabel;

  tongshu::calendar::ShapeRect* Shape1;
  ClickLabel* Label17;  // month number
  QLabel* Label18;
  tongshu::calendar::UpDown* UpDown2;  // month spinner
  ClickLabel* Label1;                  // year
  QLabel* Label19;
  tongshu::calendar::UpDown* UpDown1;  // year spinner
  ClickLabel* StaticText1;             // "今天"
  ClickLabel* Label2;                  // weekday header, Sunday .. Saturday:
  ClickLabel* Label3;                  //   Label2 3 4 6 5 8 7
  ClickLabel* Label4;
  ClickLabel* Label6;
  ClickLabel* Label5;
  ClickLabel* Label8;
  ClickLabel* Label7;
  tongshu::calendar::BevelLine* Bevel2;
  QLabel* Label20;  // year watermark
  QLabel* Label16;  // month watermark
  QLabel* Image1;
  tongshu::calendar::ShapeRect* Shape2;  // marker of the selected day
  QLabel* day1;                          // prototype of the day numbers
  QLabel* Cnday;                         // prototype of the lunar texts
  tongshu::calendar::BevelLine* Bevel1;
  QLabel* Label9;  // footer weekday row, Sunday .. Saturday
  QLabel* Label10;
  QLabel* Label11;
  QLabel* Label12;
  QLabel* Label13;
  QLabel* Label14;
  QLabel* Label15;
  QLabel* Label22;                    // star sign of the selected day
  QLabel* Label21;                    // zodiac of the selected date

  // Cell i (1..37) is DayLabels[i - 1] and LunarLabels[i - 1].
  std::array<ClickLabel*, tongshu::calendar::kMonthCells> DayLabels{};
  std::array<ClickLabel*, tongshu::calendar::kMonthCells> LunarLabels{};

  tongshu::calendar::Date SelDate;
  int CurYear = 0;
  int CurMonth = 0;
  int CurDay = 0;

 public slots:
  void FormShow();
  void UpDown1Click();
  void UpDown2Click();
  void Label1Click();
  void Label17Click();
  void StaticText1Click();
  void CnDayClick();
  void CHnDayClick();
  void CnDayMouseDown();
  void ChnDateMouseDown();
  void Label5Click();
  // Closing only hides the window: it stays owned by its parent and is freed
  // by the next opening (or with the main window).
  void FormDeactivate();

 public:
  void BuildDayCells();
  void ShowMonth(const tongshu::calendar::Date& x);
  void SelectDay();

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormCreate();
  void buildControls();
  // The keyboard's stand-ins for the mouse: the month as its spinner turns
  // it (crossing into the next or previous year), and the marked day as a
  // click on another cell moves it (crossing into the next or previous month).
  void turnMonth(int by);
  void stepDays(int by);

  tongshu::Services& services_;
};

extern QPointer<TFRM_Date> FRM_Date;

// Command "万年历法": frees the previous instance, opens a new one modally.
void OpenFRM_Date(tongshu::Services& services, QWidget* parent);
