#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include "services/ConnStr.h"
#include "services/Fonts.h"
#include "services/SystemColours.h"
#include "shell/Artwork.h"
#include "shell/Contacts.h"
#include "shell/InfoWindows.h"
#include "shell/TFrmmain.h"
#include "tests/support/Fakes.h"
#include "tests/support/SameFont.h"

using namespace tongshu;
using tongshu::testing::FakeServices;

namespace {

// One line per item: "-" a separator, "[name" / "]" a submenu, "caption#name".
QStringList Describe(const QMenu* menu) {
  QStringList out;
  for (QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      out << QStringLiteral("-");
    } else if (a->menu()) {
      out << QStringLiteral("[") + a->text() + (a->objectName().isEmpty() ? QString() : "#" + a->objectName());
      out << Describe(a->menu());
      out << QStringLiteral("]");
    } else {
      out << a->text() + (a->objectName().isEmpty() ? QString() : "#" + a->objectName());
    }
  }
  return out;
}

QStringList Split(const char* s) { return QString::fromUtf8(s).split(u'|'); }

struct OpenerCalls {
  QStringList calls;
  shell::ToolWindows tools() {
    shell::ToolWindows t;
    auto rec = [this](const char* name) {
      return [this, name](Services&, QWidget* parent) {
        EXPECT_NE(parent, nullptr);
        calls << QString::fromLatin1(name);
      };
    };
    t.almanac = rec("almanac");
    t.mobile = rec("mobile");
    t.qqNumber = rec("qq");
    t.anyNumber = rec("any");
    t.netName = rec("netname");
    t.calendar = rec("calendar");
    t.omen = [this](Services&, QWidget*, const QString& title, int page) {
      calls << QStringLiteral("omen:%1:%2").arg(title).arg(page);
    };
    return t;
  }
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { window = std::make_unique<TFrmmain>(fake.services, openers.tools()); }
  void TearDown() override {
    window.reset();
    delete Frm_servers.data();
    delete About.data();
    delete Frm_NanNv.data();
  }
  QAction* action(const char* name) {
    auto* a = window->findChild<QAction*>(QString::fromLatin1(name));
    EXPECT_NE(a, nullptr) << name;
    return a;
  }
  QPushButton* button(const char* name) {
    auto* b = window->findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
  }
  FakeServices fake;
  OpenerCalls openers;
  std::unique_ptr<TFrmmain> window;
};

TEST_F(MainWindowTest, MenusHoldEveryItemInOrder) {
  const QList<QAction*> menus = window->menuBar()->actions();
  ASSERT_EQ(menus.size(), 10);
  struct Expected {
    const char* caption;
    const char* items;
  };
  const Expected expected[] = {
      {"系统(&S)", "退出系统#dxBarButton5"},
      {"吉日(&D)",
       "黄道吉日#dxBarButton171|吉日查询#dxBarButton190|-|开市吉日|交易吉日|嫁娶吉日|入宅吉日|入学吉日|纳财吉日|"
       "订盟吉日|安门吉日|出行吉日|开光吉日|求嗣吉日|祈福吉日|破土吉日|祭祀吉日|安葬吉日"},
      {"日卜(&R)",
       "占元旦日阴晴|占元旦值十干|占四季甲子日雨|占立春 春分日|占立夏 夏至日|占立秋 秋分日|占立冬 冬至日|占雷鸣日|"
       "占天|占云|占风|占日|占火|占雾|占雷电|占鹊噪|占彩虹|占灯花"},
      {"择日(&Z)",
       "择日之法|择日步骤方法|正五行择日法|二十八宿吉凶|三元五腊圣诞日期|六十甲子亡命安葬...|董公择日法|"
       "二十八宿值日占...|金符经|[风水择日|风水择日口诀|风水择日之入殓安葬的呼|风水择日之逐日大殓吉时|"
       "风水择日之若干五行|论风水择日之贵人禄马|论风水择日之补山相主|风水择日之竖造论用|风水择日之安葬论用|]|"
       "神像开光择日|企业开张择日|动土装修装饰择日|入宅搬迁择日|嫁娶择日之玉历碎金赋|择日之嫁娶论用|嫁娶择日要论|"
       "安灶修厨之择日|择日之论朱雀入宫"},
      {"配对(&P)", "星座配对#dxBarButton27|生肖配对#dxBarButton26|血型配对#dxBarButton28"},
      {"解梦(&Q)", "周公解析#dxBarButton38|解梦全书#dxBarButton191"},
      {"占卜(&B)",
       "打喷嚏占卜#dxBarButton192|面热测占卜#dxBarButton193|心惊测占卜#dxBarButton196|犬吠测占卜#dxBarButton198|"
       "眼跳测占卜#dxBarButton200|耳热测占卜#dxBarButton199|耳鸣测占卜#dxBarButton197"},
      {"工具(&G)",
       "手机号码分析#dxBarButton19|QQ号码分析#dxBarButton22|更多数字分析#dxBarButton23|网名分析#dxBarButton82|-|"
       "生男生女#dxBarButton39|万年历法#dxBarButton43"},
      {"服务(&F)", "客户服务#dxBarButton53|给我们发邮件#dxBarButton63|与QQ对话#dxBarButton64|-|[其他产品#dxBarSubItem21|*|]"},
      {"帮助(&H)", "公司主页#dxBarButton44|关于系统#dxBarButton45|-|软件升级#dxBarButton47"},
  };
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(expected[i].caption);
    EXPECT_EQ(menus[i]->text(), QString::fromUtf8(expected[i].caption));
    QStringList want = Split(expected[i].items);
    QStringList got = Describe(menus[i]->menu());
    // The other product's caption is the maker's; only its presence is fixed.
    const qsizetype star = want.indexOf(QStringLiteral("*"));
    if (star >= 0 && star < got.size()) {
      EXPECT_FALSE(got[star].isEmpty());
      got[star] = QStringLiteral("*");
    }
    EXPECT_EQ(got, want);
  }
}

TEST_F(MainWindowTest, ActivityButtonsSitOnTheirGrid) {
  const QStringList captions = Split(
      "开市吉日|交易吉日|嫁娶吉日|入宅吉日|入学吉日|纳财吉日|订盟吉日|安门吉日|出行吉日|开光吉日|求嗣吉日|祈福吉日|"
      "破土吉日|祭祀吉日|安葬吉日|求医吉日|解除吉日|破屋吉日|塑绘吉日|纳采吉日|除服吉日|成服吉日|纳婿吉日|入殓吉日|"
      "立碑吉日|出火吉日|修造吉日|动土吉日|造桥吉日|栽种吉日|栽种吉日|牧养吉日|纳畜吉日|移徙吉日|盖屋吉日|安床吉日|"
      "起基吉日|安香吉日|挂匾吉日|拆卸吉日|置产吉日|沐浴吉日|捕捉吉日|理发吉日|修坟吉日|问名吉日|裁衣吉日|作灶吉日|"
      "安香吉日|上梁吉日|扫舍吉日|习艺吉日|结网吉日|合帐吉日");
  ASSERT_EQ(captions.size(), 54);
  auto* panel = window->findChild<QWidget*>(QStringLiteral("RzPanel2"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->findChildren<QPushButton*>().size(), 54);
  for (int i = 0; i < 54; ++i) {
    QPushButton* b = button(QStringLiteral("RzButton%1").arg(i + 1).toLatin1().constData());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->parentWidget(), panel);
    EXPECT_EQ(b->text(), captions[i]) << i;
    EXPECT_EQ(b->geometry(), QRect(QList<int>{3, 63, 123}[i % 3], 4 + 24 * (i / 3), 59, 22)) << i;
  }
  auto* column = window->findChild<QWidget*>(QStringLiteral("ScrollBox1"));
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(column->width(), 186);
}

// Every activity button has a frame that shows against its face and the
// panel: blue round the first, then per row the system background colour (the
// desktop's) and green by turns.
TEST_F(MainWindowTest, ActivityButtonFramesShowInTheirColours) {
  window->show();
  auto* panel = window->findChild<QWidget*>(QStringLiteral("RzPanel2"));
  ASSERT_NE(panel, nullptr);
  QCoreApplication::processEvents();
  const QImage shown = panel->grab().toImage();
  const QColor face = shown.pixelColor(button("RzButton2")->geometry().center());
  const QColor around = shown.pixelColor(1, 1);
  const auto apart = [](const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 60;
  };
  const QColor blue(0x1F, 0x4F, 0xC0), green(0x1E, 0x9A, 0x3A);
  for (int i = 0; i < 54; ++i) {
    const QRect b = button(QStringLiteral("RzButton%1").arg(i + 1).toLatin1().constData())->geometry();
    const QColor want = i == 0 ? blue : (i / 3 % 2 == 0 ? DesktopColour() : green);
    // The middle of the left and the top edge.
    for (const QPoint at : {QPoint(b.left(), b.center().y()), QPoint(b.center().x(), b.top())}) {
      const QColor frame = shown.pixelColor(at);
      EXPECT_EQ(frame.name().toStdString(), want.name().toStdString()) << "button " << i + 1;
      EXPECT_TRUE(apart(frame, face) && apart(frame, around)) << "button " << i + 1;
    }
  }
}

TEST_F(MainWindowTest, WindowFrameAndStatusBar) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("吉星通书"));
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_NE(window->minimumSize(), window->maximumSize());  // resizable
  EXPECT_EQ(window->menuBar()->height(), 22);
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("RzPanel1"))->height(), 81);
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("RzPanel5"))->height(), 28);
  const struct {
    const char* name;
    int width;
  } panes[] = {{"RzStatusPane1", 463}, {"RzFieldStatus1", 64}, {"RzStatusPane2", 96}};
  for (const auto& p : panes) {
    auto* l = window->statusBar()->findChild<QLabel*>(QString::fromLatin1(p.name));
    ASSERT_NE(l, nullptr) << p.name;
    EXPECT_EQ(l->width(), p.width);
  }
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("RzFieldStatus1"))->text(), QStringLiteral("其他产品:"));
  const struct {
    const char* name;
    const char* caption;
    int x, w;
  } row[] = {{"RzBitBtn3", "QQ服务", 314, 68}, {"RzBitBtn5", "客户服务", 384, 80},
             {"RzBitBtn1", "主页", 467, 68},   {"RzBitBtn4", "退出", 537, 68}};
  for (const auto& r : row) {
    QPushButton* b = button(r.name);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QString::fromUtf8(r.caption));
    EXPECT_EQ(b->x(), r.x);
    EXPECT_EQ(b->width(), r.w);
    EXPECT_EQ(b->height(), 21);
  }
}

// However narrow the window is made, the status bar's panes keep their places
// and widths: what does not fit is cut off at the right edge, so the bar shows
// the left part of what it shows at full width.
TEST_F(MainWindowTest, StatusPanesAreCutOffInANarrowWindow) {
  window->show();
  QStatusBar* bar = window->statusBar();
  const auto shown = [bar] {
    QCoreApplication::processEvents();
    return bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
  };
  const QImage wide = shown();
  for (const int width : {620, 500, 300}) {
    SCOPED_TRACE(width);
    window->resize(width, window->height());
    ASSERT_EQ(window->width(), width);
    const QImage narrow = shown();
    // The corner with the size grip aside.
    const QRect left(0, 0, width - 32, narrow.height());
    EXPECT_TRUE(narrow.copy(left) == wide.copy(left));
  }
}

// The menu bar is drawn with its background picture, stretched to the bar:
// in the empty part right of the menus and in the margins of the titles.
TEST_F(MainWindowTest, MenuBarShowsItsBackgroundPicture) {
  window->show();
  QMenuBar* bar = window->menuBar();
  QCoreApplication::processEvents();
  const QImage shown = bar->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage picture = shell::MenuBarBackground()
                             .scaled(bar->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), picture.size());
  const auto same = [&](int x, int y) {
    const QColor a = shown.pixelColor(x, y), b = picture.pixelColor(x, y);
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 && std::abs(a.blue() - b.blue()) <= 2;
  };
  int compared = 0, differing = 0;
  const auto compare = [&](int x, int y) {
    ++compared;
    if (!same(x, y)) ++differing;
  };
  const QRect last = bar->actionGeometry(bar->actions().back());
  // The bottom row is the style's rule under the bar.
  for (int y = 0; y < bar->height() - 1; ++y) {
    for (int x = last.right() + 2; x < bar->width(); ++x) compare(x, y);
    for (QAction* menu : bar->actions()) compare(bar->actionGeometry(menu).left() + 1, y);
  }
  EXPECT_GT(compared, 5000);
  EXPECT_EQ(differing, 0) << "of " << compared << " pixels";
}

TEST_F(MainWindowTest, FormShowBindsTheQueriesWithoutOpeningThem) {
  EXPECT_TRUE(window->ADOQname().connectionString().empty());
  window->show();
  EXPECT_EQ(window->ADOQname().connectionString(), FileConnStr());
  EXPECT_EQ(window->ADOteam().connectionString(), FileConnStr());
  EXPECT_FALSE(window->ADOQname().active());
  EXPECT_TRUE(fake.database.statements.empty());
}

TEST_F(MainWindowTest, ToolCommandsCallTheirOpeners) {
  const struct {
    const char* item;
    const char* call;
  } cases[] = {
      {"dxBarButton171", "almanac"},
      {"dxBarButton19", "mobile"},
      {"dxBarButton22", "qq"},
      {"dxBarButton23", "any"},
      {"dxBarButton82", "netname"},
      {"dxBarButton43", "calendar"},
      {"dxBarButton192", "omen:打喷嚏占卜吉凶:0"},
      {"dxBarButton193", "omen:面热测吉凶:1"},
      {"dxBarButton196", "omen:心惊测吉凶:2"},
      {"dxBarButton198", "omen:犬吠测吉凶:3"},
      {"dxBarButton200", "omen:眼跳测吉凶:4"},
      {"dxBarButton199", "omen:耳热测吉凶:5"},
      {"dxBarButton197", "omen:耳鸣测吉凶:6"},
  };
  for (const auto& c : cases) {
    openers.calls.clear();
    action(c.item)->trigger();
    EXPECT_EQ(openers.calls, QStringList{QString::fromUtf8(c.call)}) << c.item;
  }
}

TEST_F(MainWindowTest, NoActionCommandsChangeNothing) {
  const auto topLevelsBefore = QApplication::topLevelWidgets().size();
  int triggered = 0;
  for (QAction* a : window->menuBar()->findChildren<QAction*>()) {
    if (a->isSeparator() || a->menu()) continue;
    const QString name = a->objectName();
    static const QStringList acting = {
        "dxBarButton5",  "dxBarButton171", "dxBarButton19", "dxBarButton22", "dxBarButton23", "dxBarButton82",
        "dxBarButton39", "dxBarButton43",  "dxBarButton53", "dxBarButton63", "dxBarButton64", "dxBarButton44",
        "dxBarButton45", "dxBarButton47",  "dxBarButton192", "dxBarButton193", "dxBarButton196",
        "dxBarButton198", "dxBarButton199", "dxBarButton200", "dxBarButton197"};
    if (acting.contains(name)) continue;
    a->trigger();
    ++triggered;
  }
  for (int i = 1; i <= 54; ++i) QTest::mouseClick(button(QStringLiteral("RzButton%1").arg(i).toLatin1().constData()), Qt::LeftButton);
  EXPECT_EQ(triggered, 1 + 15 + 18 + 26 + 3 + 2 + 1);
  EXPECT_TRUE(openers.calls.isEmpty());
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  EXPECT_TRUE(fake.links.links.isEmpty());
  EXPECT_TRUE(fake.links.browserStarts.isEmpty());
  EXPECT_TRUE(fake.presenter.modal.empty());
  EXPECT_EQ(QApplication::topLevelWidgets().size(), topLevelsBefore);
}

TEST_F(MainWindowTest, LinksAndTheUpgradeMessage) {
  action("dxBarButton63")->trigger();
  action("dxBarButton64")->trigger();
  QTest::mouseClick(button("RzBitBtn3"), Qt::LeftButton);
  action("dxBarButton44")->trigger();
  ASSERT_EQ(fake.links.links.size(), 4);
  EXPECT_TRUE(fake.links.links[0].startsWith(QStringLiteral("mailto:")));
  EXPECT_TRUE(fake.links.links[1].endsWith(QStringLiteral("&Site=????&Menu=yes")));
  EXPECT_TRUE(fake.links.links[1].contains(QStringLiteral("/msgrd?V=1&Uin=")));
  EXPECT_EQ(fake.links.links[2], fake.links.links[1]);
  EXPECT_TRUE(fake.links.browserStarts.isEmpty());

  action("dxBarButton47")->trigger();
  EXPECT_EQ(fake.messages.infos, QStringList{QStringLiteral("感谢你的使用,软件是最新版无需升级!")});
  EXPECT_TRUE(fake.presenter.modal.empty());
}

TEST_F(MainWindowTest, BannerStartsTheBrowserWithTheDownloadPage) {
  window->show();
  auto* banner = window->findChild<QWidget*>(QStringLiteral("Image1"));
  ASSERT_NE(banner, nullptr);
  QTest::mouseClick(banner, Qt::LeftButton, {}, QPoint(20, 20));
  ASSERT_EQ(fake.links.browserStarts.size(), 1);
  EXPECT_TRUE(fake.links.browserStarts[0].startsWith(QStringLiteral("https://")));
}

TEST_F(MainWindowTest, EveryExitPathStartsTheBrowserOnce) {
  enum Path { Menu, Button, CloseBox };
  for (const Path path : {Menu, Button, CloseBox}) {
    SCOPED_TRACE(path);
    FakeServices f;
    OpenerCalls o;
    TFrmmain w(f.services, o.tools());
    w.show();
    if (path == Menu) w.findChild<QAction*>(QStringLiteral("dxBarButton5"))->trigger();
    if (path == Button) QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("RzBitBtn4")), Qt::LeftButton);
    EXPECT_TRUE(w.close());  // the close box after an exit command, or on its own
    ASSERT_EQ(f.links.browserStarts.size(), 1);
    EXPECT_EQ(f.links.browserStarts[0], QString::fromUtf8(contacts::kHomePage));
    EXPECT_TRUE(f.links.links.isEmpty());
  }
}

TEST_F(MainWindowTest, CustomerServiceFromMenuAndBothButtonsIsOneModalWindow) {
  action("dxBarButton53")->trigger();
  QPointer<TFrm_servers> first = Frm_servers;
  ASSERT_FALSE(first.isNull());
  QTest::mouseClick(button("RzBitBtn5"), Qt::LeftButton);
  EXPECT_TRUE(first.isNull());  // freed by the next opening
  QPointer<TFrm_servers> second = Frm_servers;
  QTest::mouseClick(button("RzBitBtn1"), Qt::LeftButton);
  EXPECT_TRUE(second.isNull());
  ASSERT_EQ(fake.presenter.modal.size(), 3u);
  EXPECT_EQ(fake.presenter.modal.back(), Frm_servers.data());
  EXPECT_EQ(Frm_servers->windowTitle(), QStringLiteral("客户服务"));
  EXPECT_EQ(Frm_servers->size(), QSize(420, 273));
}

TEST_F(MainWindowTest, AboutWindowMailLabelOpensAMailtoLink) {
  action("dxBarButton45")->trigger();
  ASSERT_FALSE(About.isNull());
  EXPECT_EQ(About->windowTitle(), QStringLiteral("关于系统"));
  EXPECT_EQ(About->size(), QSize(321, 149));
  auto* link = About->findChild<QLabel*>(QStringLiteral("RzURLLabel1"));
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(link->text().startsWith(QStringLiteral("邮件：")));
  EXPECT_EQ(link->pos(), QPoint(169, 124));
  QTest::mouseClick(link, Qt::LeftButton);
  ASSERT_EQ(fake.links.links.size(), 1);
  EXPECT_EQ(fake.links.links[0], QStringLiteral("mailto:") + link->text().mid(3));
}

TEST_F(MainWindowTest, InfoWindowsHaveNeitherMinimiseNorMaximise) {
  action("dxBarButton53")->trigger();
  action("dxBarButton45")->trigger();
  action("dxBarButton39")->trigger();
  for (QWidget* w : {static_cast<QWidget*>(Frm_servers.data()), static_cast<QWidget*>(About.data()),
                     static_cast<QWidget*>(Frm_NanNv.data())}) {
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint) << w->objectName().toStdString();
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint) << w->objectName().toStdString();
    EXPECT_TRUE(w->windowFlags() & Qt::WindowCloseButtonHint);
  }
}

TEST_F(MainWindowTest, ChartWindowAlwaysOpensOnItsFirstTab) {
  action("dxBarButton39")->trigger();
  auto* pages = Frm_NanNv->findChild<QTabWidget*>(QStringLiteral("RzPageControl1"));
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->count(), 3);
  EXPECT_EQ(pages->tabText(0), QStringLiteral("18到31岁"));
  EXPECT_EQ(pages->tabText(1), QStringLiteral("32到44岁"));
  EXPECT_EQ(pages->tabText(2), QStringLiteral("生男生女有秘诀"));
  pages->setCurrentIndex(2);
  Frm_NanNv->close();
  action("dxBarButton39")->trigger();
  pages = Frm_NanNv->findChild<QTabWidget*>(QStringLiteral("RzPageControl1"));
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_EQ(Frm_NanNv->windowTitle(), QStringLiteral("生男生女"));
  auto* note = Frm_NanNv->findChild<QLabel*>(QStringLiteral("RzLabel1"));
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->pos(), QPoint(9, 402));
  EXPECT_TRUE(note->text().startsWith(QStringLiteral("说明：此表年龄为母亲虚岁年龄")));
}

// Text in places that do not take their window's font is drawn in the 宋体
// the windows use, Latin and Chinese alike: the chart window's tab labels and
// the list of the menus that do not fit the command bar.
TEST_F(MainWindowTest, TextOutsideTheWindowFontsIsInSongTi) {
  TFrm_NanNv chart;
  chart.show();
  QTabBar* tabs = chart.findChild<QTabBar*>();
  ASSERT_NE(tabs, nullptr);
  EXPECT_TRUE(tongshu::testing::LooksTheSameIn(*tabs, UiFont(kSongTi, 12))) << "chart tabs";

  window->resize(300, window->height());
  window->show();
  QCoreApplication::processEvents();
  auto* more = window->menuBar()->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
  ASSERT_NE(more, nullptr);
  ASSERT_TRUE(more->isVisible());
  QMenu* list = more->menu();
  ASSERT_NE(list, nullptr);
  list->popup(more->mapToGlobal(QPoint(0, more->height())));
  EXPECT_GT(list->actions().size(), 3);
  EXPECT_TRUE(tongshu::testing::LooksTheSameIn(*list, UiFont(kMainWindowSongTi, 12))) << "menus beyond the bar";
  list->close();
}

// The third page: folk advice on conceiving a boy, each piece saying how it
// is to bring a boy, closed by the note that these are folk sayings; all of it
// on the page, nothing cut off.
TEST(ChartWindow, ThirdPageIsFolkAdviceForABoyThatFitsThePage) {
  TFrm_NanNv w;
  auto* pages = w.findChild<QTabWidget*>(QStringLiteral("RzPageControl1"));
  ASSERT_NE(pages, nullptr);
  pages->setCurrentIndex(2);
  w.show();
  QCoreApplication::processEvents();
  QWidget* page = pages->currentWidget();
  auto* text = page->findChild<QLabel*>();
  ASSERT_NE(text, nullptr);
  QTextDocument shown;
  shown.setHtml(text->text());
  const QStringList paragraphs = shown.toPlainText().split(u'\n', Qt::SkipEmptyParts);
  const QStringList items = paragraphs.filter(QRegularExpression(QStringLiteral("^[一二三四五六七八九]、")));
  EXPECT_GE(items.size(), 3);
  for (const QString& item : items) EXPECT_TRUE(item.contains(u'男')) << item.toStdString();
  EXPECT_TRUE(paragraphs.back().contains(QStringLiteral("民间"))) << paragraphs.back().toStdString();
  EXPECT_TRUE(page->rect().contains(text->geometry()));
  EXPECT_LE(text->heightForWidth(text->width()), text->height());
}

TEST(ChartWindow, GridsHoldExactlyTheChartCells) {
  TFrm_NanNv w;
  struct Expect {
    const char* name;
    int firstAge, ages, boys;
    // (month, age) -> cell, spot checks taken from the printed chart
    std::vector<std::tuple<int, int, const char*>> spots;
  };
  const Expect charts[] = {
      {"ChartYoung", 18, 14, 82, {{1, 18, "女"}, {1, 31, "男"}, {7, 30, "女"}, {12, 31, "男"}, {10, 19, "女"}}},
      {"ChartOlder", 32, 13, 78, {{1, 32, "男"}, {7, 40, "男"}, {6, 44, "男"}, {12, 44, "女"}, {9, 35, "女"}}},
  };
  for (const Expect& e : charts) {
    SCOPED_TRACE(e.name);
    auto* grid = w.findChild<QTableWidget*>(QString::fromLatin1(e.name));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->rowCount(), 13);
    ASSERT_EQ(grid->columnCount(), e.ages + 1);
    int boys = 0, cells = 0;
    for (int m = 1; m <= 12; ++m) {
      EXPECT_EQ(grid->item(m, 0)->text(), QStringLiteral("%1月").arg(m));
      for (int a = 1; a <= e.ages; ++a) {
        const QString t = grid->item(m, a)->text();
        EXPECT_TRUE(t == QStringLiteral("男") || t == QStringLiteral("女"));
        boys += t == QStringLiteral("男");
        ++cells;
      }
    }
    for (int a = 1; a <= e.ages; ++a)
      EXPECT_EQ(grid->item(0, a)->text(), QStringLiteral("%1岁").arg(e.firstAge + a - 1));
    EXPECT_EQ(cells, 12 * e.ages);
    EXPECT_EQ(boys, e.boys);
    for (const auto& [month, age, cell] : e.spots)
      EXPECT_EQ(grid->item(month, age - e.firstAge + 1)->text(), QString::fromUtf8(cell)) << month << " " << age;
  }
  EXPECT_NE(w.findChild<QLabel*>(QStringLiteral("ChartOlderTitle")), nullptr);
  EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("ChartOlderTitle"))->text(), QStringLiteral("续表：32-44岁"));
}

}  // namespace
