// Every input box of the program under hostile text, typed and pasted: each
// window answers with its own message, the error report or an unchanged
// display, never lets the text into a statement, and a valid analysis right
// after works as on a fresh window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <array>

#include "almanac/TFormHuangdao.h"
#include "almanac/TFormOnther.h"
#include "netname/NetName.h"
#include "netname/UntWangm.h"
#include "numerology/TFrmQQhm.h"
#include "numerology/TFrm_SJcs.h"
#include "numerology/TFrm_onther.h"
#include "services/GbkCodec.h"
#include "tests/robustness/HostileInput.h"
#include "tests/support/Fakes.h"

namespace tongshu::robustness {
namespace {

using tongshu::testing::FakeServices;

constexpr Delivery kDeliveries[] = {Delivery::Typed, Delivery::ContextMenuPaste, Delivery::CtrlV};

std::string NameOf(const ::testing::TestParamInfo<HostileText>& info) { return info.param.name; }

// The number boxes pass digits and Backspace and stop at their length.
QString TypedIntoDigitBox(const QString& text, int maxLength) {
  QString box;
  for (const QChar c : text) {
    if (c >= u'0' && c <= u'9' && box.size() < maxLength) box += c;
    if (c == u'\b') box.chop(1);
  }
  return box;
}

// A pasted text is cut at the box's length, and what code page 936 cannot
// encode is "?". Ctrl+V is a control character to the key filter, which
// discards it, so only the context menu pastes.
QString ExpectedBox(const HostileText& h, Delivery how, int maxLength) {
  switch (how) {
    case Delivery::Typed: return TypedIntoDigitBox(h.typed(), maxLength);
    case Delivery::ContextMenuPaste: return Cp936Text(h.text.left(maxLength));
    case Delivery::CtrlV: return QString();
  }
  return QString();
}

// The error report's text for a box text that does not convert: the
// conversion error names the text as the reader got it, UTF-8, up to a NUL.
QString ConversionError(const QString& text) {
  const QString named = QString::fromUtf8(text.toUtf8());
  return QStringLiteral("'%1' is not a valid integer value").arg(named).section(QChar(u'\0'), 0, 0);
}

bool Applies(const HostileText& h, Delivery how) { return h.typable || how != Delivery::Typed; }

// --- QQ-number and any-number windows --------------------------------------

enum class NumberKind { QQ, AnyNumber };

class NumberWindowHostile : public ::testing::TestWithParam<std::tuple<NumberKind, HostileText>> {
 protected:
  const HostileText& text() const { return std::get<1>(GetParam()); }
  void check(const HostileText& h, Delivery how);
  void SetUp() override {
    if (std::get<0>(GetParam()) == NumberKind::QQ) {
      OpenFrmQQhm(fake.services, nullptr);
      w = FrmQQhm.data();
      blank = QStringLiteral("请输入你的QQ号码！");
    } else {
      OpenFrm_onther(fake.services, nullptr);
      w = Frm_onther.data();
      blank = QStringLiteral("请输入你的号码！");
    }
    ASSERT_NE(w, nullptr);
  }
  void TearDown() override {
    delete FrmQQhm.data();
    delete Frm_onther.data();
  }
  QStringList labels() const { return {w->RzLabel11->text(), w->RzLabel10->text(), w->RzLabel9->text(), w->RzLabel8->text()}; }
  void analyseTyped(const QString& digits) {
    w->edtmun->clear();
    QTest::keyClicks(w->edtmun, digits);
    QTest::keyClick(w->edtmun, Qt::Key_Return);
  }

  FakeServices fake;
  numerology::EightyOneNumberWindow* w = nullptr;
  QString blank;
};

void NumberWindowHostile::check(const HostileText& h, Delivery how) {
  analyseTyped(QStringLiteral("123"));
  const QStringList before = labels();
  ASSERT_EQ(before[1], QStringLiteral("雨夜之花，外祥内苦，忍耐自重，转凶为吉"));
  fake.messages.clear();

  Deliver(w->edtmun, h, how);
  EXPECT_EQ(w->edtmun->text(), ExpectedBox(h, how, 18)) << Shown(w->edtmun->text());
  QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);

  const QString trimmed = TrimLow(w->edtmun->text());
  if (trimmed.isEmpty()) {
    EXPECT_EQ(fake.messages.infos, QStringList{blank});
    EXPECT_TRUE(fake.messages.errors.isEmpty());
    EXPECT_EQ(labels(), before);
  } else if (AsciiDigitsOnly(trimmed) || (trimmed.startsWith(u'-') && AsciiDigitsOnly(trimmed.mid(1)))) {
    EXPECT_TRUE(fake.messages.infos.isEmpty());
    EXPECT_TRUE(fake.messages.errors.isEmpty()) << fake.messages.errors.join(u' ').toStdString();
    EXPECT_EQ(w->RzLabel11->text(), trimmed);
    EXPECT_FALSE(w->RzLabel8->text().isEmpty());
    if (trimmed == QString(18, u'9') || trimmed == QStringLiteral("-81")) {
      // Both are multiples of 81: entry 0.
      EXPECT_EQ(w->RzLabel10->text(), QStringLiteral("大展鸿图，信用得固，名利双收，可获成功"));
      EXPECT_EQ(w->RzLabel9->text(), QStringLiteral("吉"));
    } else {
      EXPECT_FALSE(w->RzLabel9->text().isEmpty());
    }
  } else {
    EXPECT_TRUE(fake.messages.infos.isEmpty());
    EXPECT_EQ(fake.messages.errors, QStringList{ConversionError(trimmed)});
    EXPECT_EQ(labels(), before);
  }

  fake.messages.clear();
  analyseTyped(QStringLiteral("12345"));
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  EXPECT_EQ(labels().mid(0, 3), (QStringList{"12345", "灾难不绝，难望成功，此数大凶，不如更名", "凶"}));
  EXPECT_TRUE(w->isVisible());
}


TEST_P(NumberWindowHostile, AnswersByItsRulesAndStaysUsable) {
  for (const Delivery how : kDeliveries) {
    SCOPED_TRACE(DeliveryName(how));
    if (Applies(text(), how)) check(text(), how);
  }
}

std::string NumberCaseName(const ::testing::TestParamInfo<std::tuple<NumberKind, HostileText>>& info) {
  return std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(QQ, NumberWindowHostile,
                         ::testing::Combine(::testing::Values(NumberKind::QQ), ::testing::ValuesIn(HostileTexts())),
                         NumberCaseName);
INSTANTIATE_TEST_SUITE_P(AnyNumber, NumberWindowHostile,
                         ::testing::Combine(::testing::Values(NumberKind::AnyNumber), ::testing::ValuesIn(HostileTexts())),
                         NumberCaseName);

// --- mobile-number window ---------------------------------------------------

const std::string kShoujiHead = "select title,jx,content from shouji where num = '";

class MobileHostile : public ::testing::TestWithParam<HostileText> {
 protected:
  const HostileText& text() const { return GetParam(); }
  void check(const HostileText& h, Delivery how);
  void SetUp() override {
    for (int n = 0; n < 80; ++n)
      fake.database.rows[kShoujiHead + std::to_string(n) + "'"] =
          db::Record{{"title", "jx", "content"}, {"状态" + std::to_string(n), "吉", "内容" + std::to_string(n)}};
    OpenFrm_SJcs(fake.services, nullptr);
    w = Frm_SJcs.data();
    ASSERT_NE(w, nullptr);
  }
  void TearDown() override { delete Frm_SJcs.data(); }
  QStringList labels() const { return {w->RzLabel11->text(), w->RzLabel10->text(), w->RzLabel9->text(), w->RzLabel8->text()}; }
  void analyseTyped(const QString& digits) {
    w->edtmun->clear();
    QTest::keyClicks(w->edtmun, digits);
    QTest::keyClick(w->edtmun, Qt::Key_Return);
  }

  FakeServices fake;
  TFrm_SJcs* w = nullptr;
};

void MobileHostile::check(const HostileText& h, Delivery how) {
  analyseTyped(QStringLiteral("10000009999"));
  const QStringList before = labels();
  ASSERT_EQ(before[1], QStringLiteral("状态79"));
  fake.messages.clear();
  const std::size_t statementsBefore = fake.database.statements.size();

  Deliver(w->edtmun, h, how);
  EXPECT_EQ(w->edtmun->text(), ExpectedBox(h, how, 11)) << Shown(w->edtmun->text());
  QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);

  const QString trimmed = TrimLow(w->edtmun->text());
  // The bytes of its GBK text from the eighth on, as the reduction counts them.
  const QByteArray gbk = ToGbk(QString::fromUtf8(trimmed.toUtf8()));
  const QString tail = gbk.size() > 7 ? FromGbk(gbk.mid(7)) : QString();
  if (trimmed.isEmpty()) {
    EXPECT_EQ(fake.messages.infos, QStringList{QStringLiteral("请输入11位手机号码！")});
    EXPECT_TRUE(fake.messages.errors.isEmpty());
    EXPECT_EQ(labels(), before);
    EXPECT_EQ(fake.database.statements.size(), statementsBefore);
  } else if (AsciiDigitsOnly(tail)) {
    const std::string reduced = std::to_string(tail.toLongLong() % 80);
    ASSERT_EQ(fake.database.statements.size(), statementsBefore + 1);
    EXPECT_EQ(fake.database.statements.back().second, kShoujiHead + reduced + "'");
    EXPECT_TRUE(fake.messages.errors.isEmpty()) << fake.messages.errors.join(u' ').toStdString();
    EXPECT_EQ(labels(), (QStringList{trimmed, QString::fromStdString("状态" + reduced), QStringLiteral("吉"),
                                     QString::fromStdString("内容" + reduced)}));
  } else {
    EXPECT_TRUE(fake.messages.infos.isEmpty());
    EXPECT_EQ(fake.messages.errors, QStringList{ConversionError(tail)});
    EXPECT_EQ(labels(), before);
    EXPECT_EQ(fake.database.statements.size(), statementsBefore);
  }

  fake.messages.clear();
  analyseTyped(QStringLiteral("12345678901"));
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  EXPECT_EQ(fake.database.statements.back().second, kShoujiHead + "21'");
  EXPECT_EQ(labels(), (QStringList{"12345678901", "状态21", "吉", "内容21"}));
}


TEST_P(MobileHostile, AnswersByItsRulesAndStaysUsable) {
  for (const Delivery how : kDeliveries) {
    SCOPED_TRACE(DeliveryName(how));
    if (Applies(text(), how)) check(text(), how);
  }
}

INSTANTIATE_TEST_SUITE_P(Mobile, MobileHostile, ::testing::ValuesIn(HostileTexts()), NameOf);

// --- net-name window --------------------------------------------------------

class NetNameHostile : public ::testing::TestWithParam<HostileText> {
 protected:
  const HostileText& text() const { return GetParam(); }
  void check(const HostileText& h, Delivery how);
  void SetUp() override {
    OpenFrmWangming(fake.services, nullptr);
    w = FrmWangming.data();
    ASSERT_NE(w, nullptr);
  }
  void TearDown() override { delete FrmWangming.data(); }
  void analyseTyped(const QString& name) {
    w->edtmun->clear();
    TypeText(w->edtmun, name);
    QTest::keyClick(w->edtmun, Qt::Key_Return);
  }

  FakeServices fake;
  TFrmWangming* w = nullptr;
};

QStringList TraitTexts() {
  QStringList all;
  for (char c = 'a'; c <= 'z'; ++c) all << QString::fromStdString(netname::TraitOfLetter(std::string(1, c)));
  return all;
}

void NetNameHostile::check(const HostileText& h, Delivery how) {
  analyseTyped(QStringLiteral("小明"));
  const QString nameBefore = w->RzLabel11->text(), traitBefore = w->RzLabel8->text();
  ASSERT_EQ(nameBefore, QStringLiteral("你的网名：小明"));
  fake.messages.clear();

  Deliver(w->edtmun, h, how);
  const QString box = w->edtmun->text();
  EXPECT_LE(GbkLength(box), netname::kNetNameMaxBytes) << Shown(box);
  for (const QChar c : box) EXPECT_FALSE(c >= u'a' && c <= u'z') << Shown(box);
  QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);

  // The box holds what code page 936 holds; the name ends at a NUL.
  EXPECT_EQ(box, Cp936Text(box)) << Shown(box);
  const QString trimmed = TrimLow(box).section(QChar(u'\0'), 0, 0);
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  if (trimmed.isEmpty()) {
    EXPECT_EQ(fake.messages.infos, QStringList{QStringLiteral("请输入你的网名！")});
    EXPECT_EQ(w->RzLabel11->text(), nameBefore);
    EXPECT_EQ(w->RzLabel8->text(), traitBefore);
  } else {
    EXPECT_TRUE(fake.messages.infos.isEmpty());
    EXPECT_EQ(w->RzLabel11->text(), QStringLiteral("你的网名：") + trimmed);
    const QString trait = w->RzLabel8->text();
    ASSERT_TRUE(trait.startsWith(QStringLiteral("你的性格："))) << trait.toStdString();
    const QString rest = trait.mid(5);
    EXPECT_TRUE(rest.isEmpty() || TraitTexts().contains(rest)) << trait.toStdString();
  }

  fake.messages.clear();
  analyseTyped(QStringLiteral("王芳"));
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_EQ(w->RzLabel11->text(), QStringLiteral("你的网名：王芳"));
  EXPECT_EQ(w->RzLabel8->text(), QStringLiteral("你的性格：有抱负，志气高"));
}


TEST_P(NetNameHostile, AnswersByItsRulesAndStaysUsable) {
  for (const Delivery how : kDeliveries) {
    SCOPED_TRACE(DeliveryName(how));
    if (Applies(text(), how)) check(text(), how);
  }
}

INSTANTIATE_TEST_SUITE_P(NetName, NetNameHostile, ::testing::ValuesIn(HostileTexts()), NameOf);

// Texts whose reading is fixed, pasted whole into the box.
TEST(NetNameHostilePaste, KnownTraitsAfterTrimmingAndDroppedCharacters) {
  FakeServices fake;
  OpenFrmWangming(fake.services, nullptr);
  TFrmWangming* w = FrmWangming.data();
  ASSERT_NE(w, nullptr);
  struct Case {
    QString pasted;
    QString nameLine;
    char trait;  // 0: none
  };
  const Case cases[] = {
      {QStringLiteral(" \t abc\t "), QStringLiteral("ABC"), 'c'},
      {QStringLiteral("ab'\"#"), QStringLiteral("AB'\"#"), 'b'},
      // Outside code page 936: a "?" a UTF-16 unit, dropped as punctuation.
      {QStringLiteral("王芳😀"), QStringLiteral("王芳??"), 'f'},
      {QStringLiteral("王芳\u200F"), QStringLiteral("王芳?"), 'f'},
      {QStringLiteral("12") + QChar(0xD800), QStringLiteral("12?"), 'b'},
      {QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("c"), QStringLiteral("AB"), 'b'},
      {QStringLiteral("2010"), QStringLiteral("2010"), 'j'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Shown(c.pasted));
    Deliver(w->edtmun, {"known", c.pasted}, Delivery::ContextMenuPaste);
    QTest::keyClick(w->edtmun, Qt::Key_Return);
    EXPECT_EQ(w->RzLabel11->text(), QStringLiteral("你的网名：") + c.nameLine);
    EXPECT_EQ(w->RzLabel8->text(),
              QStringLiteral("你的性格：") +
                  (c.trait ? QString::fromStdString(netname::TraitOfLetter(std::string(1, c.trait))) : QString()));
  }
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  delete FrmWangming.data();
}

// --- daily almanac: three boxes ---------------------------------------------

const std::string kHuangdaoHead = "Select top 1 * from huangdao where gn = #";

db::Record AlmanacRow(const std::string& overview) {
  db::Record r;
  r.names = {"gn", "nn", "suici", "tszf", "wuhang", "cong", "pzbj", "jsyq", "yi", "xsyq", "ji"};
  r.values = {"2011-03-05", overview, "辛卯年", "占门", "金", "冲鸡", "彭祖", "天恩", "祭祀", "月破", "嫁娶"};
  return r;
}

// A date text as the almanac accepts it: Y-M-D of ASCII digits (1 to 4, 1
// or 2, 1 or 2) naming a real day of the years 100 to 9999.
bool IsAcceptedDate(const QString& text) {
  const QStringList parts = text.split(u'-');
  if (parts.size() != 3) return false;
  const int widths[3] = {4, 2, 2};
  for (int i = 0; i < 3; ++i)
    if (!AsciiDigitsOnly(parts[i]) || parts[i].size() > widths[i]) return false;
  const int year = parts[0].toInt();
  return year >= 100 && QDate(year, parts[1].toInt(), parts[2].toInt()).isValid();
}

class AlmanacHostile : public ::testing::TestWithParam<std::tuple<int, HostileText>> {
 protected:
  const HostileText& text() const { return std::get<1>(GetParam()); }
  void check(int which, const HostileText& h, Delivery how);
  void SetUp() override {
    fake.database.rows[kHuangdaoHead + "2011-03-05#"] = AlmanacRow("初一");
    fake.database.rows[kHuangdaoHead + "2012-02-29#"] = AlmanacRow("闰日");
    OpenFormHuangdao(fake.services, nullptr);
    w = FormHuangdao.data();
    ASSERT_NE(w, nullptr);
    boxes = {w->SYear, w->SMonth, w->Sday};
  }
  void TearDown() override { delete FormHuangdao.data(); }
  void lookup(const QString& y, const QString& m, const QString& d) {
    w->SYear->setEditText(y);
    w->SMonth->setEditText(m);
    w->Sday->setEditText(d);
    QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
  }

  FakeServices fake;
  TFormHuangdao* w = nullptr;
  std::array<QComboBox*, 3> boxes{};
};

void AlmanacHostile::check(int which, const HostileText& h, Delivery how) {
  lookup(QStringLiteral("2011"), QStringLiteral("03"), QStringLiteral("05"));
  const QString overview = w->Label1->text();
  const QString memo = w->Memo1->toPlainText();
  ASSERT_EQ(overview, QStringLiteral("2011-03-05  初一"));
  fake.messages.clear();
  const std::size_t statementsBefore = fake.database.statements.size();

  Deliver(boxes[static_cast<std::size_t>(which)]->lineEdit(), h, how);
  QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);

  const QString y = TrimLow(w->SYear->currentText()), m = TrimLow(w->SMonth->currentText()),
                d = TrimLow(w->Sday->currentText());
  const QString date = y + u'-' + m + u'-' + d;
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  if (y.isEmpty() || m.isEmpty() || d.isEmpty()) {
    const QString expected = y.isEmpty()   ? QStringLiteral("请选择年!")
                             : m.isEmpty() ? QStringLiteral("请选择月!")
                                           : QStringLiteral("请选择日!");
    EXPECT_EQ(fake.messages.infos, QStringList{expected});
    EXPECT_EQ(fake.database.statements.size(), statementsBefore);
  } else if (IsAcceptedDate(date)) {
    EXPECT_TRUE(fake.messages.infos.isEmpty());
    ASSERT_EQ(fake.database.statements.size(), statementsBefore + 1);
    EXPECT_EQ(QString::fromStdString(fake.database.statements.back().second),
              QString::fromStdString(kHuangdaoHead) + date + u'#');
  } else {
    EXPECT_EQ(fake.messages.infos, QStringList{QStringLiteral("请选择有效的日期!")}) << Shown(date);
    EXPECT_EQ(fake.database.statements.size(), statementsBefore);
  }
  // Either the same day again or nothing at all: the display is as before.
  EXPECT_EQ(w->Label1->text(), overview);
  EXPECT_EQ(w->Memo1->toPlainText(), memo);

  fake.messages.clear();
  lookup(QStringLiteral("2012"), QStringLiteral("02"), QStringLiteral("29"));
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  EXPECT_EQ(w->Label1->text(), QStringLiteral("2012-02-29  闰日"));
}

TEST_P(AlmanacHostile, AnswersByItsRulesAndStaysUsable) {
  for (const Delivery how : kDeliveries) {
    SCOPED_TRACE(DeliveryName(how));
    if (Applies(text(), how)) check(std::get<0>(GetParam()), text(), how);
  }
}

std::string AlmanacCaseName(const ::testing::TestParamInfo<std::tuple<int, HostileText>>& info) {
  constexpr std::array<const char*, 3> kBoxes{"SYear", "SMonth", "Sday"};
  return std::string(kBoxes[static_cast<std::size_t>(std::get<0>(info.param))]) + "_" + std::get<1>(info.param).name;
}

INSTANTIATE_TEST_SUITE_P(Almanac, AlmanacHostile,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::ValuesIn(HostileTexts())),
                         AlmanacCaseName);

// The result memo is editable; whatever is pasted there, the next lookup
// replaces it whole.
TEST(AlmanacHostileMemo, APastedMemoIsReplacedByTheNextLookup) {
  FakeServices fake;
  fake.database.rows[kHuangdaoHead + "2011-03-05#"] = AlmanacRow("初一");
  OpenFormHuangdao(fake.services, nullptr);
  TFormHuangdao* w = FormHuangdao.data();
  ASSERT_NE(w, nullptr);
  for (const HostileText& h : HostileTexts()) {
    SCOPED_TRACE(h.name);
    QApplication::clipboard()->setText(h.text);
    w->Memo1->paste();
    w->SYear->setEditText(QStringLiteral("2011"));
    w->SMonth->setEditText(QStringLiteral("03"));
    w->Sday->setEditText(QStringLiteral("05"));
    QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
    EXPECT_EQ(w->Memo1->document()->blockCount(), 17);
    EXPECT_EQ(w->Memo1->document()->firstBlock().text(), QStringLiteral("岁次:辛卯年"));
  }
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  delete FormHuangdao.data();
}

// The read-only texts (the omen pages and the almanac's glossary) take no
// typed or pasted text at all.
TEST(ReadOnlyTexts, TypedAndPastedTextChangesNothing) {
  FakeServices fake;
  TFormOnther omens;
  OpenFormHuangdao(fake.services, nullptr);
  ASSERT_FALSE(FormHuangdao.isNull());
  QList<QPlainTextEdit*> memos = omens.findChildren<QPlainTextEdit*>();
  ASSERT_EQ(memos.size(), 7);
  memos << FormHuangdao->Memo2;
  for (QPlainTextEdit* memo : memos) {
    SCOPED_TRACE(memo->objectName().toStdString());
    const QString before = memo->toPlainText();
    ASSERT_FALSE(before.isEmpty());
    for (const HostileText& h : HostileTexts()) {
      QApplication::clipboard()->setText(h.text);
      memo->paste();
      QTest::sendKeyEvent(QTest::Press, memo, Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
      if (h.typable) TypeText(memo, h.typed());
      QTest::keyClick(memo, Qt::Key_Backspace);
      QTest::keyClick(memo, Qt::Key_Delete);
    }
    EXPECT_EQ(memo->toPlainText(), before);
  }
  delete FormHuangdao.data();
}

}  // namespace
}  // namespace tongshu::robustness
