#include <gtest/gtest.h>

#include <QApplication>
#include <algorithm>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <ostream>

#include "numerology/ShuliTable.h"
#include "numerology/TFrmQQhm.h"
#include "numerology/TFrm_onther.h"
#include "tests/support/Fakes.h"

// Readable failure output for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using tongshu::numerology::kPersonalityTexts;
using tongshu::testing::FakeServices;

struct QQ {
  using Window = TFrmQQhm;
  static QPointer<TFrmQQhm>& ref() { return FrmQQhm; }
  static void open(tongshu::Services& s) { OpenFrmQQhm(s, nullptr); }
  static inline const QString caption = QStringLiteral("QQ号码测试");
  static inline const QString inputLabel = QStringLiteral("QQ号码：");
  static inline const QString numberLabel = QStringLiteral("qq号码是：");
  static inline const QString blankMessage = QStringLiteral("请输入你的QQ号码！");
  static constexpr int height = 270;
};

struct AnyNumber {
  using Window = TFrm_onther;
  static QPointer<TFrm_onther>& ref() { return Frm_onther; }
  static void open(tongshu::Services& s) { OpenFrm_onther(s, nullptr); }
  static inline const QString caption = QStringLiteral("任意号码分析");
  static inline const QString inputLabel = QStringLiteral("任意号码：");
  static inline const QString numberLabel = QStringLiteral("输入号码是：");
  static inline const QString blankMessage = QStringLiteral("请输入你的号码！");
  static constexpr int height = 271;
};

QString Personality(int type) {
  const std::string_view t = kPersonalityTexts[static_cast<std::size_t>(type - 1)];
  return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

template <class Kind>
class NumberWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Kind::open(fake.services);
    w = Kind::ref().data();
    ASSERT_NE(w, nullptr);
  }
  void TearDown() override { delete Kind::ref().data(); }

  QString text(const char* name) const {
    auto* label = w->template findChild<QLabel*>(QString::fromLatin1(name));
    EXPECT_NE(label, nullptr) << name;
    return label ? label->text() : QString();
  }
  QStringList values() const { return {text("RzLabel11"), text("RzLabel10"), text("RzLabel9"), text("RzLabel8")}; }
  QLineEdit* box() const { return w->template findChild<QLineEdit*>(QStringLiteral("edtmun")); }
  void press() const { QTest::mouseClick(w->template findChild<QPushButton*>(QStringLiteral("RzBitBtn1")), Qt::LeftButton); }
  void analyse(const QString& typed) const {
    box()->clear();
    QTest::keyClicks(box(), typed);
    press();
  }
  void paste(const QString& pasted) const {
    box()->clear();
    QApplication::clipboard()->setText(pasted);
    box()->paste();
  }

  FakeServices fake;
  typename Kind::Window* w = nullptr;
};

using Kinds = ::testing::Types<QQ, AnyNumber>;
TYPED_TEST_SUITE(NumberWindow, Kinds);

TYPED_TEST(NumberWindow, OpensModalAndEmptyWithItsTexts) {
  ASSERT_EQ(this->fake.presenter.modal.size(), 1u);
  EXPECT_EQ(this->fake.presenter.modal[0], this->w);
  EXPECT_EQ(this->w->windowTitle(), TypeParam::caption);
  EXPECT_EQ(this->w->size(), QSize(388, TypeParam::height));
  EXPECT_EQ(this->text("RzLabel1"), TypeParam::inputLabel);
  EXPECT_EQ(this->text("RzLabel5"), TypeParam::numberLabel);
  EXPECT_EQ(this->text("RzLabel4"), QStringLiteral("状态："));
  EXPECT_EQ(this->text("RzLabel6"), QStringLiteral("吉凶："));
  EXPECT_EQ(this->text("RzLabel7"), QStringLiteral("具体表现："));
  EXPECT_EQ(this->w->template findChild<QPushButton*>(QStringLiteral("RzBitBtn1"))->text(), QStringLiteral("测算"));
  EXPECT_EQ(this->w->template findChild<QPushButton*>(QStringLiteral("RzBitBtn2"))->text(), QStringLiteral("关闭"));
  EXPECT_EQ(this->w->template findChild<QGroupBox*>()->title(), QStringLiteral("测算结果"));
  EXPECT_EQ(this->values(), QStringList(4, QString()));
  EXPECT_TRUE(this->box()->text().isEmpty());
  EXPECT_EQ(this->box()->maxLength(), 18);
  EXPECT_FALSE(this->w->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(this->w->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TYPED_TEST(NumberWindow, ShowsTheEntryOfTheNumber) {
  struct Case {
    QString typed, fortune, verdict;
    int personality;
  };
  const Case cases[] = {
      {"12345", "灾难不绝，难望成功，此数大凶，不如更名", "凶", 6},
      {"81", "大展鸿图，信用得固，名利双收，可获成功", "吉", 1},
      {"0", "大展鸿图，信用得固，名利双收，可获成功", "吉", 1},
      {"80", "最极之数，还本归元，能得繁荣，发达成功", "吉", 1},
      {"1", "根基不固，摇摇欲坠，一盛一衰，劳而无获", "凶", 2},
      {"123", "雨夜之花，外祥内苦，忍耐自重，转凶为吉", "吉带凶", 7},
      {"999999999999999999", "大展鸿图，信用得固，名利双收，可获成功", "吉", 1},
      {"0012345", "灾难不绝，难望成功，此数大凶，不如更名", "凶", 6},
  };
  for (const auto& c : cases) {
    this->analyse(c.typed);
    EXPECT_EQ(this->values(), QStringList({c.typed, c.fortune, c.verdict, Personality(c.personality)})) << c.typed.toStdString();
  }
  EXPECT_TRUE(this->fake.messages.infos.isEmpty());
  EXPECT_TRUE(this->fake.messages.errors.isEmpty());
}

TYPED_TEST(NumberWindow, VerdictIsRed) {
  this->analyse("12345");
  const auto* verdict = this->w->template findChild<QLabel*>(QStringLiteral("RzLabel9"));
  EXPECT_EQ(verdict->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_TRUE(this->w->template findChild<QLabel*>(QStringLiteral("RzLabel8"))->wordWrap());
}

TYPED_TEST(NumberWindow, ANineteenthDigitCannotBeTyped) {
  QTest::keyClicks(this->box(), QStringLiteral("9999999999999999999"));
  EXPECT_EQ(this->box()->text(), QString(18, u'9'));
}

TYPED_TEST(NumberWindow, BlankBoxShowsTheMessageAndKeepsTheResult) {
  this->analyse("80");
  const QStringList before = this->values();
  for (const QString& blank : {QString(), QStringLiteral("   ")}) {
    this->fake.messages.clear();
    this->box()->setText(blank);
    this->press();
    EXPECT_EQ(this->fake.messages.infos, QStringList{TypeParam::blankMessage});
    EXPECT_EQ(this->values(), before);
  }
}

TYPED_TEST(NumberWindow, KeyFilterLetsOnlyDigitsBackspaceAndEnterThrough) {
  QTest::keyClicks(this->box(), QStringLiteral("1a b-+.,"));
  QTest::sendKeyEvent(QTest::Click, this->box(), Qt::Key_unknown, QStringLiteral("中"), Qt::NoModifier);
  QTest::keyClicks(this->box(), QStringLiteral("2"));
  EXPECT_EQ(this->box()->text(), QStringLiteral("12"));
  QTest::keyClick(this->box(), Qt::Key_Backspace);
  EXPECT_EQ(this->box()->text(), QStringLiteral("1"));
  QTest::keyClick(this->box(), Qt::Key_Escape);
  // Ctrl+V types a control character, which the filter discards like any other.
  QApplication::clipboard()->setText(QStringLiteral("77"));
  QTest::keyClick(this->box(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(this->box()->text(), QStringLiteral("1"));
  // Cursor and editing keys are no characters and keep working.
  QTest::keyClicks(this->box(), QStringLiteral("23"));
  QTest::keyClick(this->box(), Qt::Key_Home);
  QTest::keyClick(this->box(), Qt::Key_Delete);
  EXPECT_EQ(this->box()->text(), QStringLiteral("23"));
  EXPECT_TRUE(this->fake.messages.infos.isEmpty());
  EXPECT_EQ(this->values(), QStringList(4, QString()));
}

TYPED_TEST(NumberWindow, EnterRunsTheAnalysisAndLeavesTheBoxAlone) {
  QTest::keyClicks(this->box(), QStringLiteral("12345"));
  QTest::keyClick(this->box(), Qt::Key_Return);
  EXPECT_EQ(this->box()->text(), QStringLiteral("12345"));
  EXPECT_EQ(this->text("RzLabel10"), QStringLiteral("灾难不绝，难望成功，此数大凶，不如更名"));

  this->box()->clear();
  QTest::keyClicks(this->box(), QStringLiteral("80"));
  QTest::keyClick(this->box(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(this->text("RzLabel11"), QStringLiteral("80"));

  this->box()->clear();
  QTest::keyClick(this->box(), Qt::Key_Return);
  EXPECT_EQ(this->fake.messages.infos, QStringList{TypeParam::blankMessage});
}

TYPED_TEST(NumberWindow, PastedTextThatDoesNotConvertKeepsTheOldValues) {
  this->analyse("12345");
  const QStringList before = this->values();
  for (const QString& bad : {QStringLiteral("12a34"), QStringLiteral("1 2"), QStringLiteral("-"), QStringLiteral("中文")}) {
    this->fake.messages.clear();
    this->paste(bad);
    ASSERT_EQ(this->box()->text(), bad);
    this->press();
    EXPECT_EQ(this->fake.messages.errors, QStringList{QStringLiteral("'%1' is not a valid integer value").arg(bad)});
    EXPECT_TRUE(this->fake.messages.infos.isEmpty());
    EXPECT_EQ(this->values(), before) << bad.toStdString();
  }
}

TYPED_TEST(NumberWindow, CharactersOutsideGbkAreQuestionMarksInTheBoxAndTheReport) {
  this->paste(QString::fromUtf8("12\xF0\x9F\x98\x80\xE0\xB8\x81"));  // an emoji and a Thai letter
  EXPECT_EQ(this->box()->text(), QStringLiteral("12???"));
  this->press();
  EXPECT_EQ(this->fake.messages.errors, QStringList{QStringLiteral("'%1' is not a valid integer value").arg("12???")});
}

TYPED_TEST(NumberWindow, PastedNumbersAreTrimmedAndNegativesGiveTheMessage) {
  this->paste(QStringLiteral("  -5 "));
  this->press();
  EXPECT_EQ(this->values(), QStringList({"-5", "", "", QStringLiteral("对不起,此号不在分解之类。")}));

  this->paste(QStringLiteral("-81"));
  this->press();
  EXPECT_EQ(this->text("RzLabel10"), QStringLiteral("大展鸿图，信用得固，名利双收，可获成功"));
  EXPECT_TRUE(this->fake.messages.errors.isEmpty());
}

TYPED_TEST(NumberWindow, ReopeningFreesThePreviousInstance) {
  QPointer<QWidget> first = this->w;
  TypeParam::open(this->fake.services);
  EXPECT_TRUE(first.isNull());
  ASSERT_FALSE(TypeParam::ref().isNull());
  EXPECT_EQ(this->fake.presenter.modal.size(), 2u);
  EXPECT_TRUE(TypeParam::ref()->template findChild<QLineEdit*>(QStringLiteral("edtmun"))->text().isEmpty());
}

TYPED_TEST(NumberWindow, ClosingClearsTheReferenceAndFreesTheWindow) {
  QPointer<QWidget> window = this->w;
  QTest::mouseClick(this->w->template findChild<QPushButton*>(QStringLiteral("RzBitBtn2")), Qt::LeftButton);
  EXPECT_TRUE(TypeParam::ref().isNull());
  EXPECT_FALSE(window.isNull());  // freed once control returns to the event loop
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

TEST(NumberWindows, RealModalLoopReturnsWhenClosedAndTheWindowIsFreed) {
  FakeServices fake;
  tongshu::QtWindowPresenter modalLoop;
  tongshu::Services services{fake.messages, fake.links, fake.clock, modalLoop, fake.database};
  bool analysedInsideTheLoop = false;
  QTimer::singleShot(0, [&] {
    ASSERT_FALSE(FrmQQhm.isNull());
    EXPECT_TRUE(FrmQQhm->isModal());
    QTest::keyClicks(FrmQQhm->edtmun, QStringLiteral("81"));
    QTest::keyClick(FrmQQhm->edtmun, Qt::Key_Return);
    analysedInsideTheLoop = FrmQQhm->RzLabel9->text() == QStringLiteral("吉");
    FrmQQhm->RzBitBtn2->click();
  });
  OpenFrmQQhm(services, nullptr);
  EXPECT_TRUE(analysedInsideTheLoop);
  EXPECT_TRUE(FrmQQhm.isNull());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const QWidgetList windows = QApplication::topLevelWidgets();
  EXPECT_TRUE(std::none_of(windows.begin(), windows.end(), [](QWidget* w) { return qobject_cast<TFrmQQhm*>(w); }));
}

TEST(NumberWindows, BothGiveTheSameValuesForOneNumber) {
  FakeServices fake;
  OpenFrmQQhm(fake.services, nullptr);
  OpenFrm_onther(fake.services, nullptr);
  QStringList results[2];
  QWidget* windows[2] = {FrmQQhm.data(), Frm_onther.data()};
  for (int i = 0; i < 2; ++i) {
    QTest::keyClicks(windows[i]->findChild<QLineEdit*>(QStringLiteral("edtmun")), QStringLiteral("4242424242"));
    QTest::keyClick(windows[i]->findChild<QLineEdit*>(QStringLiteral("edtmun")), Qt::Key_Return);
    for (const char* name : {"RzLabel11", "RzLabel10", "RzLabel9", "RzLabel8"})
      results[i] << windows[i]->findChild<QLabel*>(QString::fromLatin1(name))->text();
  }
  EXPECT_FALSE(results[0][1].isEmpty());
  EXPECT_EQ(results[0], results[1]);
  delete FrmQQhm.data();
  delete Frm_onther.data();
}

}  // namespace
