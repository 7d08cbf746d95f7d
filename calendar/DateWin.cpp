#include "calendar/DateWin.h"

#include <QEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <chrono>

#include "calendar/CalendarAnnotations.h"
#include "services/Clock.h"
#include "services/ErrorReport.h"
#include "services/Fonts.h"
#include "services/Services.h"
#include "services/WindowPresenter.h"

QPointer<TFRM_Date> FRM_Date;

namespace {

using namespace tongshu::calendar;

constexpr int kClientWidth = 331;
constexpr int kClientHeight = 285;
constexpr int kColumnPitch = 42;
constexpr int kRowPitch = 32;

// Arial Black is a face of its own; where it is substituted, ask for the
// heaviest weight so the stand-in looks as dense.
QFont ArialBlack(int pixelHeight) {
  QFont f = tongshu::UiFont(tongshu::kArialBlack, pixelHeight);
  f.setWeight(QFont::Black);
  return f;
}

// The 12 px Chinese texts sit in boxes exactly one character high; the
// installed CJK faces have taller line boxes than the boxes were drawn for,
// so they are centred vertically to keep the glyphs inside.
constexpr Qt::Alignment kCjkLine = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCjkLineCentred = Qt::AlignHCenter | Qt::AlignVCenter;

QColor Rgb(std::uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

void SetTextColour(QWidget* w, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, c);
  w->setPalette(p);
}

template <class L = QLabel>
L* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QFont& font, const QColor& colour,
             const QString& text = {}, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
  auto* label = new L(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(font);
  label->setText(text);
  label->setAlignment(align);
  SetTextColour(label, colour);
  if (geometry.size().isEmpty()) {
    label->move(geometry.topLeft());
    label->adjustSize();
  } else {
    label->setGeometry(geometry);
  }
  return label;
}

}  // namespace

TFRM_Date::TFRM_Date(tongshu::Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services) {
  setObjectName(QStringLiteral("FRM_Date"));
  setWindowTitle(QStringLiteral("瑞衡日历"));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(tongshu::UiFont(tongshu::kSongTi, 12));
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  setAutoFillBackground(true);
  tongshu::CentreOnScreen(*this);
  buildControls();
  FormCreate();
}

void TFRM_Date::buildControls() {
  using tongshu::UiFont;
  const QFont windowFont = font();
  const QColor black(Qt::black);
  const QColor red(0xFF, 0x00, 0x00);

  Shape1 = new ShapeRect(Qt::white, Qt::black, this);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setGeometry(0, 0, kClientWidth, kClientHeight);

  Label17 = MakeLabel<ClickLabel>(this, "Label17", {10, 3, 36, 37}, UiFont(tongshu::kArial, 32, true), QColor(0x80, 0x80, 0xC0));
  Label17->setCursor(Qt::PointingHandCursor);
  Label17->setToolTip(QStringLiteral("单击改变月份"));
  Label18 = MakeLabel(this, "Label18", {45, 17, 0, 0}, UiFont(tongshu::kSongTi, 14, true), black,
                      QStringLiteral("月"));
  UpDown2 = new UpDown(1, 12, this);
  UpDown2->setObjectName(QStringLiteral("UpDown2"));
  UpDown2->setGeometry(61, 10, 16, 24);

  Label1 = MakeLabel<ClickLabel>(this, "Label1", {120, 0, 76, 41}, ArialBlack(29), QColor(0, 0, 0xFF));
  Label1->setCursor(Qt::PointingHandCursor);
  Label1->setToolTip(QStringLiteral("单击改变年份"));
  Label19 = MakeLabel(this, "Label19", {205, 17, 0, 0}, UiFont(tongshu::kSongTi, 14, true), black,
                      QStringLiteral("年"));
  UpDown1 = new UpDown(tongshu::calendar::kFirstYear, tongshu::calendar::kLastYear, this);
  UpDown1->setObjectName(QStringLiteral("UpDown1"));
  UpDown1->setGeometry(221, 10, 16, 24);

  StaticText1 = MakeLabel<ClickLabel>(this, "StaticText1", {272, 17, 28, 16}, windowFont, black,
                                      QStringLiteral("今天"), kCjkLineCentred);
  StaticText1->setFrameStyle(QFrame::Box | QFrame::Plain);
  StaticText1->setLineWidth(1);
  {
    QPalette sp = StaticText1->palette();
    sp.setColor(QPalette::Window, QColor(0xCE, 0xF2, 0xD0));
    StaticText1->setPalette(sp);
    StaticText1->setAutoFillBackground(true);
  }
  StaticText1->setCursor(Qt::PointingHandCursor);

  struct Header {
    ClickLabel** member;
    const char* name;
    int left;
    const char16_t* text;
  };
  const Header headers[] = {{&Label2, "Label2", 19, u"星期日"}, {&Label3, "Label3", 59, u"星期一"},
                            {&Label4, "Label4", 99, u"星期二"}, {&Label6, "Label6", 139, u"星期三"},
                            {&Label5, "Label5", 179, u"星期四"}, {&Label8, "Label8", 219, u"星期五"},
                            {&Label7, "Label7", 259, u"星期六"}};
  for (std::size_t i = 0; i < 7; ++i) {
    const Header& h = headers[i];
    *h.member = MakeLabel<ClickLabel>(this, h.name, {h.left, 40, 36, 12}, windowFont,
                                      (i == 0 || i == 6) ? red : black, QString::fromUtf16(h.text), kCjkLine);
    connect(*h.member, &ClickLabel::clicked, this, &TFRM_Date::Label5Click);
  }

  Bevel2 = new BevelLine(this);
  Bevel2->setObjectName(QStringLiteral("Bevel2"));
  Bevel2->setGeometry(9, 46, 297, 10);

  Label20 = MakeLabel(this, "Label20", {0, 56, 313, 72}, ArialBlack(64), QColor(0xFF, 0xE8, 0xDD), {},
                      Qt::AlignHCenter | Qt::AlignTop);
  Label16 = MakeLabel(this, "Label16", {16, 146, 313, 134}, ArialBlack(120), QColor(0xEB, 0xEB, 0xEB), {},
                      Qt::AlignHCenter | Qt::AlignTop);
  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(9, 56, 297, 191);

  Shape2 = new ShapeRect(QColor(0x7E, 0xE2, 0x81), QColor(0x7E, 0xE2, 0x81), this);
  Shape2->setObjectName(QStringLiteral("Shape2"));
  Shape2->setGeometry(12, 56, 38, 30);

  day1 = MakeLabel(this, "day1", {14, 56, 36, 16}, ArialBlack(14), black, {}, Qt::AlignHCenter | Qt::AlignTop);
  day1->hide();
  Cnday = MakeLabel(this, "Cnday", {13, 73, 36, 12}, windowFont, Rgb(kLunarDayColour), {}, kCjkLineCentred);
  Cnday->hide();

  Bevel1 = new BevelLine(this);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setGeometry(9, 240, 297, 10);

  QLabel** footer[] = {&Label9, &Label10, &Label11, &Label12, &Label13, &Label14, &Label15};
  const char* footerNames[] = {"Label9", "Label10", "Label11", "Label12", "Label13", "Label14", "Label15"};
  for (std::size_t i = 0; i < 7; ++i)
    *footer[i] = MakeLabel(this, footerNames[i], {20 + 40 * static_cast<int>(i), 253, 36, 12}, windowFont,
                           (i == 0 || i == 6) ? red : black, QString::fromUtf16(headers[i].text), kCjkLine);

  Label22 = MakeLabel(this, "Label22", {152, 223, 69, 23}, UiFont(tongshu::kHeiTi, 19, true), QColor(0xFF, 0x80, 0xFF),
                      {}, Qt::AlignHCenter | Qt::AlignTop);
  Label21 = MakeLabel(this, "Label21", {230, 212, 78, 35}, UiFont(tongshu::kLiShu, 35, true), QColor(0xDD, 0xDD, 0xFF),
                      {}, Qt::AlignHCenter | Qt::AlignTop);

  connect(UpDown1, &UpDown::clicked, this, &TFRM_Date::UpDown1Click);
  connect(UpDown2, &UpDown::clicked, this, &TFRM_Date::UpDown2Click);
  connect(Label1, &ClickLabel::clicked, this, &TFRM_Date::Label1Click);
  connect(Label17, &ClickLabel::clicked, this, &TFRM_Date::Label17Click);
  connect(StaticText1, &ClickLabel::clicked, this, &TFRM_Date::StaticText1Click);
}

void TFRM_Date::FormCreate() {
  BuildDayCells();
  SelDate = services_.clock.today();
}

void TFRM_Date::BuildDayCells() {
  for (int i = 1; i <= kMonthCells; ++i) {
    auto* dayLabel = new ClickLabel(this);
    auto* lunarLabel = new ClickLabel(this);
    dayLabel->setObjectName(QStringLiteral("DayLabel%1").arg(i));
    lunarLabel->setObjectName(QStringLiteral("LunarLabel%1").arg(i));
    dayLabel->resize(day1->size());
    dayLabel->setAlignment(day1->alignment());
    dayLabel->setFont(day1->font());
    SetTextColour(dayLabel, Qt::black);
    lunarLabel->resize(Cnday->size());
    lunarLabel->setAlignment(Cnday->alignment());
    lunarLabel->setFont(Cnday->font());
    SetTextColour(lunarLabel, Cnday->palette().color(QPalette::WindowText));

    if (i == 1) {
      dayLabel->move(day1->pos());
      lunarLabel->move(Cnday->pos());
    } else if ((i - 1) % 7 == 0) {
      dayLabel->move(day1->x(), DayLabels[i - 2]->y() + kRowPitch);
      lunarLabel->move(Cnday->x(), LunarLabels[i - 2]->y() + kRowPitch);
    } else {
      dayLabel->move(DayLabels[i - 2]->x() + kColumnPitch, DayLabels[i - 2]->y());
      lunarLabel->move(LunarLabels[i - 2]->x() + kColumnPitch, LunarLabels[i - 2]->y());
    }
    dayLabel->hide();
    lunarLabel->hide();

    connect(dayLabel, &ClickLabel::clicked, this, &TFRM_Date::CnDayClick);
    connect(dayLabel, &ClickLabel::mouseDown, this, &TFRM_Date::CnDayMouseDown);
    connect(lunarLabel, &ClickLabel::clicked, this, &TFRM_Date::CHnDayClick);
    connect(lunarLabel, &ClickLabel::mouseDown, this, &TFRM_Date::ChnDateMouseDown);
    DayLabels[static_cast<std::size_t>(i - 1)] = dayLabel;
    LunarLabels[static_cast<std::size_t>(i - 1)] = lunarLabel;
  }
}

void TFRM_Date::ShowMonth(const Date& x) {
  const QString year = QString::number(static_cast<int>(x.year()));
  const QString month = QString::number(static_cast<unsigned>(x.month()));
  Label20->setText(year);
  Label1->setText(year);
  Label17->setText(month);
  Label16->setText(month);
  Label21->setText(QString::fromStdString(ZodiacOf(x)));

  // The day numbers are drawn at 11 points (15 px at 96 dpi), larger than the
  // prototype's 14 px.
  QFont dayFont = day1->font();
  dayFont.setPixelSize(15);
  for (std::size_t i = 0; i < DayLabels.size(); ++i) {
    DayLabels[i]->hide();
    LunarLabels[i]->hide();
    SetTextColour(DayLabels[i], Qt::black);
    SetTextColour(LunarLabels[i], Qt::black);
    DayLabels[i]->setFont(dayFont);
  }

  // A failure while filling ends the fill quietly; unfilled cells stay hidden.
  try {
    const MonthView view = BuildMonth(x);
    for (std::size_t i = 0; i < view.cells.size(); ++i) {
      const DayCell& cell = view.cells[i];
      if (!cell.visible) continue;
      DayLabels[i]->setText(QString::number(cell.day));
      DayLabels[i]->setTag(cell.day);
      LunarLabels[i]->setTag(cell.day);
      LunarLabels[i]->setText(QString::fromStdString(cell.text));
      SetTextColour(LunarLabels[i], Rgb(cell.colour));
      DayLabels[i]->show();
      LunarLabels[i]->show();
    }
    if (view.markedCell != 0) {
      const QLabel* marked = DayLabels[static_cast<std::size_t>(view.markedCell - 1)];
      Shape2->move(marked->x() - 1, marked->y() + 1);
      Label22->setText(QString::fromStdString(view.starSign));
    }
  } catch (...) {
  }
}

void TFRM_Date::SelectDay() {
  SelDate = FitDate(CurYear, CurMonth, CurDay);
}

void TFRM_Date::FormShow() {
  tongshu::Guarded(services_.messages, [&] {
    CurYear = static_cast<int>(SelDate.year());
    CurMonth = static_cast<int>(static_cast<unsigned>(SelDate.month()));
    CurDay = static_cast<int>(static_cast<unsigned>(SelDate.day()));
    UpDown1->setPosition(CurYear);
    UpDown2->setPosition(CurMonth);
    ShowMonth(SelDate);
  });
}

void TFRM_Date::UpDown1Click() {
  tongshu::Guarded(services_.messages, [&] {
    CurYear = UpDown1->position();
    ShowMonth(FitDate(CurYear, CurMonth, CurDay));
  });
}

void TFRM_Date::UpDown2Click() {
  tongshu::Guarded(services_.messages, [&] {
    CurMonth = UpDown2->position();
    ShowMonth(FitDate(CurYear, CurMonth, CurDay));
  });
}

void TFRM_Date::Label1Click() {
  UpDown1->show();
  UpDown2->hide();
}

void TFRM_Date::Label17Click() {
  UpDown2->show();
  UpDown1->hide();
}

void TFRM_Date::StaticText1Click() {
  tongshu::Guarded(services_.messages, [&] { SelDate = services_.clock.today(); });
  FormShow();
}

void TFRM_Date::CnDayClick() {
  if (const auto* label = qobject_cast<ClickLabel*>(sender())) {
    CurDay = label->tag();
    SelectDay();
  }
}

void TFRM_Date::CHnDayClick() {
  if (const auto* label = qobject_cast<ClickLabel*>(sender())) {
    CurDay = label->tag();
    SelectDay();
  }
}

void TFRM_Date::CnDayMouseDown() {
  if (const auto* label = qobject_cast<ClickLabel*>(sender())) Shape2->move(label->x() - 1, label->y() + 1);
}

void TFRM_Date::ChnDateMouseDown() {
  if (const auto* label = qobject_cast<ClickLabel*>(sender())) Shape2->move(label->x(), label->y() - 16);
}

void TFRM_Date::Label5Click() {}

void TFRM_Date::turnMonth(int by) {
  using namespace std::chrono;
  const year_month shown = year{CurYear} / month{static_cast<unsigned>(CurMonth)} + months{by};
  const int y = static_cast<int>(shown.year());
  if (y < tongshu::calendar::kFirstYear || y > tongshu::calendar::kLastYear) return;
  CurYear = y;
  CurMonth = static_cast<int>(static_cast<unsigned>(shown.month()));
  UpDown1->setPosition(CurYear);
  UpDown2->setPosition(CurMonth);
  ShowMonth(FitDate(CurYear, CurMonth, CurDay));
}

void TFRM_Date::stepDays(int by) {
  using namespace std::chrono;
  const Date next{sys_days{FitDate(CurYear, CurMonth, CurDay)} + days{by}};
  const int y = static_cast<int>(next.year());
  if (y < tongshu::calendar::kFirstYear || y > tongshu::calendar::kLastYear) return;
  CurYear = y;
  CurMonth = static_cast<int>(static_cast<unsigned>(next.month()));
  CurDay = static_cast<int>(static_cast<unsigned>(next.day()));
  SelectDay();
  UpDown1->setPosition(CurYear);
  UpDown2->setPosition(CurMonth);
  ShowMonth(next);
}

void TFRM_Date::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & ~Qt::KeypadModifier) {
    QWidget::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Escape:
      close();
      return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      tongshu::Guarded(services_.messages, [&] { turnMonth(event->key() == Qt::Key_PageDown ? 1 : -1); });
      return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int by = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1
                     : event->key() == Qt::Key_Up ? -7 : 7;
      tongshu::Guarded(services_.messages, [&] { stepDays(by); });
      return;
    }
    default:
      QWidget::keyPressEvent(event);
  }
}

void TFRM_Date::FormDeactivate() {
  // Closing from inside the activation change would hide the window while Qt
  // is still delivering it; the queued call is dropped if the window is freed
  // first (the next opening deletes it).
  QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TFRM_Date::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFRM_Date::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow()) FormDeactivate();
}

void OpenFRM_Date(tongshu::Services& services, QWidget* parent) {
  tongshu::OpenModal(FRM_Date, services.presenter, services, parent);
}
