#include "almanac/TFormHuangdao.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

#include "almanac/HuangdaoGlossary.h"
#include "almanac/HuangdaoLookup.h"
#include "services/ConnStr.h"
#include "services/ErrorReport.h"
#include "services/Fonts.h"
#include "services/MessageSink.h"
#include "services/Services.h"
#include "services/WidgetHelpers.h"
#include "services/WindowPresenter.h"

QPointer<TFormHuangdao> FormHuangdao;

using namespace tongshu;

namespace {

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 464;
constexpr int kGroupFrame = 2;
constexpr int kMemoTextMargin = 2;


// An editable drop-down with two-digit (or four-digit) items from..to. It
// starts empty with nothing chosen; typed text is never added as an item,
// and what is typed stays as typed: completing a typed 1 to the item 10 would
// look up another day.
QComboBox* MakeDateBox(QWidget* parent, const char* name, int from, int to, int width, const QRect& geometry) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setEditable(true);
  box->setCompleter(nullptr);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMaxVisibleItems(12);
  for (int i = from; i <= to; ++i) box->addItem(QStringLiteral("%1").arg(i, width, 10, QLatin1Char('0')));
  box->setCurrentIndex(-1);
  box->setEditText(QString());
  box->setGeometry(geometry);
  return box;
}

// A memo filling its group inside the frame, below the caption. Its text has
// the little room beside it that an edit control leaves, not Qt's 4 px: the
// glossary's lines were broken where they fill the memo's width, and with
// the wider margins and a gap around the memo the two longest wrap once more.
QPlainTextEdit* MakeMemo(QGroupBox* group, const char* name, bool readOnly) {
  auto* memo = new QPlainTextEdit(group);
  memo->setObjectName(QString::fromLatin1(name));
  memo->setReadOnly(readOnly);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QPalette pal = memo->palette();
  pal.setColor(QPalette::Base, Qt::white);
  memo->setPalette(pal);
  memo->document()->setDocumentMargin(kMemoTextMargin);
  memo->setGeometry(kGroupFrame, 18, group->width() - 2 * kGroupFrame, group->height() - 18 - kGroupFrame);
  return memo;
}

}  // namespace

TFormHuangdao::TFormHuangdao(Services& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services),
      ADOQuery1(services.database) {
  setObjectName(QStringLiteral("FormHuangdao"));
  setWindowTitle(QStringLiteral("黄道吉日"));
  setFont(UiFont(kSongTi, 12));
  setFixedSize(kClientWidth, kClientHeight);

  RzGroupBox2 = new QGroupBox(this);
  RzGroupBox2->setObjectName(QStringLiteral("RzGroupBox2"));
  RzGroupBox2->setGeometry(6, 2, 588, 70);

  RzLabel1 = MakeLabel(RzGroupBox2, "RzLabel1", QStringLiteral("选择黄历："), QRect(10, 16, 66, 14));
  SYear = MakeDateBox(RzGroupBox2, "SYear", 2008, 2019, 4, QRect(78, 12, 72, 22));
  RzLabel2 = MakeLabel(RzGroupBox2, "RzLabel2", QStringLiteral("年"), QRect(154, 16, 14, 14));
  SMonth = MakeDateBox(RzGroupBox2, "SMonth", 1, 12, 2, QRect(174, 12, 52, 22));
  RzLabel3 = MakeLabel(RzGroupBox2, "RzLabel3", QStringLiteral("月"), QRect(230, 16, 14, 14));
  Sday = MakeDateBox(RzGroupBox2, "Sday", 1, 31, 2, QRect(250, 12, 52, 22));
  RzLabel4 = MakeLabel(RzGroupBox2, "RzLabel4", QStringLiteral("日"), QRect(306, 16, 14, 14));

  RzBitBtn1 = new QPushButton(QStringLiteral("测算"), RzGroupBox2);
  RzBitBtn1->setObjectName(QStringLiteral("RzBitBtn1"));
  RzBitBtn1->setGeometry(340, 10, 70, 26);
  RzBitBtn2 = new QPushButton(QStringLiteral("关闭"), RzGroupBox2);
  RzBitBtn2->setObjectName(QStringLiteral("RzBitBtn2"));
  RzBitBtn2->setGeometry(420, 10, 70, 26);

  RzLabel5 = MakeLabel(RzGroupBox2, "RzLabel5", QStringLiteral("当日统览："), QRect(10, 46, 66, 14));
  RzLabel5->setFont(UiFont(kSongTi, 12, true));
  Label1 = MakeLabel(RzGroupBox2, "Label1", QString(), QRect(78, 46, 504, 14));
  Label1->setFont(UiFont(kSongTi, 12, true));
  QPalette red = Label1->palette();
  red.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
  Label1->setPalette(red);

  RzGroupBox1 = new QGroupBox(QStringLiteral("测算结果："), this);
  RzGroupBox1->setObjectName(QStringLiteral("RzGroupBox1"));
  RzGroupBox1->setGeometry(6, 76, 588, 236);
  Memo1 = MakeMemo(RzGroupBox1, "Memo1", false);

  RzGroupBox3 = new QGroupBox(QStringLiteral("黄历名词解释："), this);
  RzGroupBox3->setObjectName(QStringLiteral("RzGroupBox3"));
  RzGroupBox3->setGeometry(6, 316, 588, 144);
  Memo2 = MakeMemo(RzGroupBox3, "Memo2", true);
  QStringList glossary;
  for (const std::string_view line : almanac::kHuangdaoGlossary) glossary << U8(line);
  Memo2->setPlainText(glossary.join(u'\n'));

  connect(RzBitBtn1, &QPushButton::clicked, this, &TFormHuangdao::RzBitBtn1Click);
  connect(RzBitBtn2, &QPushButton::clicked, this, &TFormHuangdao::RzBitBtn2Click);

  CentreOnScreen(*this);
  FormCreate();
}

void TFormHuangdao::FormCreate() {
  // A data directory that cannot be found is reported by the lookup, as a
  // data file that cannot be opened is.
  try {
    ADOQuery1.setConnectionString(BirthConnStr(services_.dataDirectory));
  } catch (const DataDirectoryError&) {
  }
}

void TFormHuangdao::RzBitBtn1Click() {
  Guarded(services_.messages, [&] {
    const almanac::HuangdaoRequest request = almanac::CheckHuangdaoBoxes(
        SYear->currentText().toStdString(), SMonth->currentText().toStdString(), Sday->currentText().toStdString());
    if (!request.ok()) {
      services_.messages.ShowInfo(U8(request.message));
      return;
    }
    ADOQuery1.close();
    if (ADOQuery1.connectionString().empty()) ADOQuery1.setConnectionString(BirthConnStr(services_.dataDirectory));
    ADOQuery1.setSql(request.statement);
    ADOQuery1.open();
    if (ADOQuery1.isEmpty()) return;
    // Formats the whole result before touching the display, so a failure
    // leaves the previous day on screen.
    const db::Record& record = *ADOQuery1.row();
    const almanac::HuangdaoDay shown = almanac::FormatHuangdaoDay(
        request.dateText, almanac::HuangdaoRowOf([&](std::string_view column) { return record.field(column); }));
    Label1->setText(U8(shown.overview));
    QStringList lines;
    for (const std::string& line : shown.lines) lines << U8(line);
    Memo1->clear();
    Memo1->setPlainText(lines.join(u'\n'));
  });
}

void TFormHuangdao::RzBitBtn2Click() { close(); }

void TFormHuangdao::FormClose() {
  // Whichever almanac window closes clears the reference.
  FormHuangdao = nullptr;
  setAttribute(Qt::WA_DeleteOnClose);
}

void TFormHuangdao::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void OpenFormHuangdao(Services& services, QWidget* parent) {
  OpenNonModal(FormHuangdao, services.presenter, services, parent);
}
