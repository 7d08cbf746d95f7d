// The program on a real X server under a real window manager, as a user sees
// it (run by with-window-manager.sh, one case per process): the captions the
// window manager shows, where it puts the frames, what the maximise command
// does, Qt's own texts in Chinese, and a command line that changes nothing.
// What is checked is read back from the X server, not from the widgets.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "almanac/TFormHuangdao.h"
#include "app/Startup.h"
#include "services/MessageSink.h"

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << 'x' << s.height(); }
inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << r.width() << 'x' << r.height() << '+' << r.x() << '+' << r.y();
}

namespace {

// --- what the X server holds ------------------------------------------------

xcb_connection_t* X() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11) throw std::runtime_error("not running on X11 (QT_QPA_PLATFORM=xcb)");
  return x11->connection();
}

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_window_t Root() { return xcb_setup_roots_iterator(xcb_get_setup(X())).data->root; }

xcb_atom_t Atom(const char* name) {
  const auto cookie = xcb_intern_atom(X(), 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  const Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(X(), cookie, nullptr), &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

QByteArray Property(xcb_window_t window, const char* name) {
  const auto cookie = xcb_get_property(X(), 0, window, Atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 16);
  const Owned<xcb_get_property_reply_t> reply(xcb_get_property_reply(X(), cookie, nullptr), &std::free);
  if (!reply) return {};
  return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                    xcb_get_property_value_length(reply.get()));
}

std::vector<std::uint32_t> Cardinals(xcb_window_t window, const char* name) {
  const QByteArray bytes = Property(window, name);
  std::vector<std::uint32_t> values(static_cast<std::size_t>(bytes.size()) / 4);
  if (!values.empty()) std::memcpy(values.data(), bytes.constData(), values.size() * 4);
  return values;
}

xcb_window_t Id(const QWidget& w) { return static_cast<xcb_window_t>(w.winId()); }

// The caption the window manager draws in the title bar.
QString Caption(xcb_window_t window) { return QString::fromUtf8(Property(window, "_NET_WM_NAME")); }

// The window a window manager keeps this one with (and above).
xcb_window_t TransientFor(xcb_window_t window) {
  const std::vector<std::uint32_t> owner = Cardinals(window, "WM_TRANSIENT_FOR");
  return owner.empty() ? xcb_window_t{XCB_WINDOW_NONE} : owner[0];
}

bool Framed(xcb_window_t window) { return Cardinals(window, "_NET_FRAME_EXTENTS").size() == 4; }

// The frame on the screen: the client window where the server has it, grown
// by the borders and title bar the window manager says it drew.
QRect FrameOnScreen(xcb_window_t window) {
  const Owned<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(X(), xcb_get_geometry(X(), window), nullptr),
                                                 &std::free);
  const Owned<xcb_translate_coordinates_reply_t> origin(
      xcb_translate_coordinates_reply(X(), xcb_translate_coordinates(X(), window, Root(), 0, 0), nullptr), &std::free);
  const std::vector<std::uint32_t> e = Cardinals(window, "_NET_FRAME_EXTENTS");  // left, right, top, bottom
  if (!geometry || !origin || e.size() != 4) return {};
  return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height)
      .adjusted(-int(e[0]), -int(e[2]), int(e[1]), int(e[3]));
}

QRect WorkArea() {
  const std::vector<std::uint32_t> a = Cardinals(Root(), "_NET_WORKAREA");
  return a.size() >= 4 ? QRect(int(a[0]), int(a[1]), int(a[2]), int(a[3])) : QRect();
}

bool CentredOnWorkArea(xcb_window_t window) {
  const QPoint off = FrameOnScreen(window).center() - WorkArea().center();
  return std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1;
}

bool HasState(xcb_window_t window, const char* state) {
  const xcb_atom_t wanted = Atom(state);
  for (const std::uint32_t atom : Cardinals(window, "_NET_WM_STATE"))
    if (atom == wanted) return true;
  return false;
}

bool Maximised(xcb_window_t window) {
  return HasState(window, "_NET_WM_STATE_MAXIMIZED_VERT") || HasState(window, "_NET_WM_STATE_MAXIMIZED_HORZ");
}

// The size of the window on the server, not the one the widget believes.
QSize SizeOnScreen(xcb_window_t window) {
  const Owned<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(X(), xcb_get_geometry(X(), window), nullptr),
                                          &std::free);
  return g ? QSize(g->width, g->height) : QSize();
}

// A window manager command line tool, as a user would run it.
void Tool(const QString& program, const QStringList& arguments) {
  QProcess p;
  p.start(program, arguments);
  ASSERT_TRUE(p.waitForFinished(10000)) << program.toStdString();
  EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": " << p.readAllStandardError().toStdString();
}

QString Hex(xcb_window_t window) { return QStringLiteral("0x%1").arg(window, 0, 16); }

// --- waiting for the window manager -----------------------------------------

bool Eventually(const std::function<bool()>& condition, int milliseconds = 5000) {
  QDeadlineTimer deadline(milliseconds);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  return true;
}

// Lets the window manager's answers arrive and be handled for a while.
void Settle(int milliseconds) {
  Eventually([] { return false; }, milliseconds);
}

// A picture of the screen where the frame stands, saved when
// TONGSHU_SCREENSHOT_DIR names a folder.
void Screenshot(xcb_window_t window, const char* name) {
  const QString dir = qEnvironmentVariable("TONGSHU_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  Settle(300);
  const QRect frame = FrameOnScreen(window);
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, frame.x(), frame.y(), frame.width(),
                                                                    frame.height());
  EXPECT_TRUE(shot.save(QDir(dir).filePath(QString::fromLatin1(name) + ".png"))) << name;
}

bool Active(xcb_window_t window) {
  const std::vector<std::uint32_t> active = Cardinals(Root(), "_NET_ACTIVE_WINDOW");
  return !active.empty() && active[0] == window;
}

// The title bar above the window, as the window manager drew it.
QImage TitleBar(xcb_window_t window) {
  Settle(300);
  const QRect frame = FrameOnScreen(window);
  const std::vector<std::uint32_t> e = Cardinals(window, "_NET_FRAME_EXTENTS");
  if (e.size() != 4) return {};
  return QGuiApplication::primaryScreen()
      ->grabWindow(0, frame.x(), frame.y(), frame.width(), int(e[2]))
      .toImage()
      .convertToFormat(QImage::Format_RGB32);
}

// Whether `picture` shows the pixels of `part` where `mask` is set, anywhere.
bool Shows(const QImage& picture, const QImage& part, const std::vector<QPoint>& mask) {
  const auto close = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 &&
           std::abs(qBlue(a) - qBlue(b)) <= 8;
  };
  if (mask.empty()) return false;
  QRect box;
  for (const QPoint& p : mask) box |= QRect(p, QSize(1, 1));
  for (int dy = -box.top(); dy + box.bottom() < picture.height(); ++dy)
    for (int dx = -box.left(); dx + box.right() < picture.width(); ++dx) {
      bool all = true;
      for (const QPoint& p : mask)
        if (!close(picture.pixel(p.x() + dx, p.y() + dy), part.pixel(p))) {
          all = false;
          break;
        }
      if (all) return true;
    }
  return false;
}

// --- the program ------------------------------------------------------------

// The real start-up; the session runs once the main window has painted and
// ends the program.
void RunProgram(const std::function<void(QWidget& main)>& session) {
  tongshu::StartupHooks hooks;
  hooks.afterFirstPaint = [&](QWidget& main) {
    if (!Eventually([&] { return Framed(Id(main)); })) ADD_FAILURE() << "the main window was never framed";
    session(main);
    QCoreApplication::exit(0);
  };
  EXPECT_EQ(tongshu::RunApplication(hooks), 0);
}

// The one visible window besides the main window and menus.
QWidget* OtherWindow(const QWidget& main) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != &main && w->isVisible() && !qobject_cast<QMenu*>(w) && w->windowHandle()) return w;
  return nullptr;
}

// Runs the command and inspects the window it opens once the window manager
// has framed it, then closes that window. A modal window's command returns
// only when the window has closed, so a timer looks for the window from
// inside whichever loop is running.
void WithOpenedWindow(QWidget& main, const std::function<void()>& command,
                      const std::function<void(QWidget&)>& inspect) {
  bool done = false;
  QTimer poll;
  const QDeadlineTimer deadline(10000);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* w = OtherWindow(main);
    const bool framed = w && Framed(Id(*w));
    if (!framed && !deadline.hasExpired()) return;
    poll.stop();
    if (framed)
      inspect(*w);
    else
      ADD_FAILURE() << "no framed window opened";
    if (w) w->close();
    done = true;
  });
  poll.start(20);
  command();
  EXPECT_TRUE(Eventually([&] { return done; }, 15000));
}

std::function<void()> Trigger(QWidget& main, const char* item) {
  return [&main, item] {
    auto* action = main.findChild<QAction*>(QString::fromLatin1(item));
    if (!action) {
      ADD_FAILURE() << "no command " << item;
      return;
    }
    action->trigger();
  };
}

struct Throwing final : QObject {
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("数据文件无法打开");
    return QObject::event(e);
  }
};

}  // namespace

// Every window, the information box and the error report carry exactly their
// own caption, the modal windows belong to the main window (a window manager
// keeps them with it, so that one cannot be left minimised behind it), and
// every window's frame stands in the middle of the screen.
TEST(Desktop, CaptionsAndCentredFrames) {
  RunProgram([](QWidget& main) {
    EXPECT_EQ(Caption(Id(main)), QStringLiteral("吉星通书"));
    EXPECT_TRUE(Eventually([&] { return CentredOnWorkArea(Id(main)); }, 3000))
        << "main frame " << ::testing::PrintToString(FrameOnScreen(Id(main)));
    Screenshot(Id(main), "main-window");

    struct Case {
      const char* item;
      const char* caption;
      bool modal = false;
    };
    const Case windows[] = {
        {"dxBarButton171", "黄道吉日"},         {"dxBarButton192", "打喷嚏占卜吉凶"},
        {"dxBarButton193", "面热测吉凶"},       {"dxBarButton196", "心惊测吉凶"},
        {"dxBarButton198", "犬吠测吉凶"},       {"dxBarButton200", "眼跳测吉凶"},
        {"dxBarButton199", "耳热测吉凶"},       {"dxBarButton197", "耳鸣测吉凶"},
        {"dxBarButton19", "手机号码测算", true}, {"dxBarButton22", "QQ号码测试", true},
        {"dxBarButton23", "任意号码分析", true}, {"dxBarButton82", "网名与性格", true},
        {"dxBarButton43", "瑞衡日历", true},     {"dxBarButton53", "客户服务", true},
        {"dxBarButton45", "关于系统", true},     {"dxBarButton39", "生男生女", true},
    };
    for (const Case& c : windows) {
      SCOPED_TRACE(c.item);
      WithOpenedWindow(main, Trigger(main, c.item), [&](QWidget& w) {
        EXPECT_EQ(Caption(Id(w)), QString::fromUtf8(c.caption));
        if (c.modal) {
          EXPECT_EQ(TransientFor(Id(w)), Id(main));
        }
        EXPECT_TRUE(Eventually([&] { return CentredOnWorkArea(Id(w)); }, 3000))
            << "frame " << ::testing::PrintToString(FrameOnScreen(Id(w))) << " on "
            << ::testing::PrintToString(WorkArea());
      });
    }

    // 软件升级 shows the information box; its button is Qt's, in Chinese.
    WithOpenedWindow(main, Trigger(main, "dxBarButton47"), [](QWidget& w) {
      auto* box = qobject_cast<QMessageBox*>(&w);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(Caption(Id(w)), QStringLiteral("提示"));
      EXPECT_EQ(box->text(), QStringLiteral("感谢你的使用,软件是最新版无需升级!"));
      ASSERT_EQ(box->buttons().size(), 1);
      EXPECT_EQ(box->buttons()[0]->text(), QStringLiteral("确定"));
      Screenshot(Id(w), "message-box");
    });

    // A failure no handler caught: the general error report.
    Throwing failing;
    WithOpenedWindow(
        main, [&] { QCoreApplication::postEvent(&failing, new QEvent(QEvent::User)); },
        [](QWidget& w) {
          auto* box = qobject_cast<QMessageBox*>(&w);
          ASSERT_NE(box, nullptr);
          EXPECT_EQ(Caption(Id(w)), QStringLiteral("吉星通书"));
          EXPECT_EQ(box->text(), QStringLiteral("数据文件无法打开"));
          EXPECT_EQ(box->buttons()[0]->text(), QStringLiteral("确定"));
        });
  });
}

// The window manager draws the information box's caption whole, not cut
// short to an ellipsis, over the shortest message too.
TEST(Desktop, MessageBoxCaptionIsDrawnWhole) {
  RunProgram([](QWidget& main) {
    // The caption as drawn on a wide title bar: where it differs from the same
    // bar with a blank caption.
    const auto wideBar = [](const QString& caption) {
      QDialog w;
      w.setWindowTitle(caption);
      w.setFixedSize(400, 100);
      w.show();
      EXPECT_TRUE(Eventually([&] { return Framed(Id(w)) && Active(Id(w)); }));
      return TitleBar(Id(w));
    };
    const QImage caption = wideBar(QStringLiteral("提示"));
    const QImage blank = wideBar(QStringLiteral(" "));
    ASSERT_EQ(caption.size(), blank.size());
    std::vector<QPoint> ink;
    for (int y = 0; y < caption.height(); ++y)
      for (int x = 0; x < caption.width(); ++x)
        if (caption.pixel(x, y) != blank.pixel(x, y)) ink.emplace_back(x, y);
    ASSERT_GT(ink.size(), 20u);

    const struct {
      const char* text;
      const char* screenshot;
    } boxes[] = {{"请选择年!", "message-box-short"}, {"感谢你的使用,软件是最新版无需升级!", nullptr}};
    for (const auto& [text, screenshot] : boxes) {
      SCOPED_TRACE(text);
      WithOpenedWindow(
          main, [text = text] { tongshu::QtMessageSink().ShowInfo(QString::fromUtf8(text)); },
          [&](QWidget& box) {
            EXPECT_TRUE(Eventually([&] { return Active(Id(box)); }));
            const QImage bar = TitleBar(Id(box));
            EXPECT_TRUE(Shows(bar, caption, ink)) << "the caption is not drawn whole on a bar "
                                                  << bar.width() << " wide";
            if (screenshot) Screenshot(Id(box), screenshot);
          });
    }
  });
}

// The edit boxes' context menu is Qt's own, in Chinese whatever the user's
// locale (this case runs with LC_ALL=C).
TEST(Desktop, EditBoxMenusInChinese) {
  RunProgram([](QWidget& main) {
    WithOpenedWindow(main, Trigger(main, "dxBarButton171"), [](QWidget& w) {
      auto* almanac = qobject_cast<TFormHuangdao*>(&w);
      ASSERT_NE(almanac, nullptr);
      QLineEdit* box = almanac->SYear->lineEdit();
      QStringList items;
      bool read = false;
      QTimer poll;
      QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        poll.stop();
        for (QAction* a : menu->actions())
          if (!a->isSeparator()) items << a->text().section(u'\t', 0, 0);
        menu->close();
        read = true;
      });
      poll.start(20);
      QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
      QCoreApplication::sendEvent(box, &event);
      EXPECT_TRUE(Eventually([&] { return read; }));
      EXPECT_EQ(items, (QStringList{"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)", "粘贴(&P)", "删除", "全选"}));
    });
  });
}

// wmctrl maximises an ordinary window to the screen; the main window, which
// has no maximise button, stays at its size, and can still be minimised,
// restored and resized.
TEST(Desktop, MainWindowRefusesToBeMaximised) {
  RunProgram([](QWidget& main) {
    const xcb_window_t id = Id(main);
    const QString wid = Hex(id);
    const auto maximise = [](const QString& window) {
      Tool(QStringLiteral("wmctrl"), {"-i", "-r", window, "-b", "add,maximized_vert,maximized_horz"});
    };

    // The command does maximise a window that allows it.
    QWidget control;
    control.setWindowTitle(QStringLiteral("control"));
    control.resize(300, 200);
    control.show();
    ASSERT_TRUE(Eventually([&] { return Framed(Id(control)); }));
    maximise(Hex(Id(control)));
    EXPECT_TRUE(Eventually([&] { return SizeOnScreen(Id(control)).width() > 900; }))
        << ::testing::PrintToString(SizeOnScreen(Id(control)));
    control.close();

    Settle(300);
    const QSize before = SizeOnScreen(id);
    maximise(wid);
    Settle(1500);
    EXPECT_EQ(SizeOnScreen(id), before);
    EXPECT_FALSE(Maximised(id));
    EXPECT_FALSE(main.windowState() & Qt::WindowMaximized);

    Tool(QStringLiteral("xdotool"), {"windowminimize", wid});
    EXPECT_TRUE(Eventually([&] { return HasState(id, "_NET_WM_STATE_HIDDEN") && main.isMinimized(); }));
    Tool(QStringLiteral("wmctrl"), {"-i", "-a", wid});
    EXPECT_TRUE(Eventually([&] { return !HasState(id, "_NET_WM_STATE_HIDDEN") && !main.isMinimized(); }));
    EXPECT_EQ(SizeOnScreen(id), before);

    Tool(QStringLiteral("xdotool"), {"windowsize", wid, "700", "500"});
    EXPECT_TRUE(Eventually([&] { return SizeOnScreen(id) == QSize(700, 500) && main.size() == QSize(700, 500); }))
        << ::testing::PrintToString(SizeOnScreen(id)) << " " << ::testing::PrintToString(main.size());
  });
}

// The window manager can also maximise a window in one direction only (openbox
// does so from the middle and right buttons on its maximise button): the main
// window refuses that too and keeps its size.
TEST(Desktop, MainWindowRefusesToBeMaximisedInOneDirection) {
  RunProgram([](QWidget& main) {
    const xcb_window_t id = Id(main);
    QWidget control;
    control.resize(300, 200);
    control.show();
    ASSERT_TRUE(Eventually([&] { return Framed(Id(control)); }));
    const struct {
      const char* state;
      const char* atom;
    } cases[] = {{"maximized_vert", "_NET_WM_STATE_MAXIMIZED_VERT"}, {"maximized_horz", "_NET_WM_STATE_MAXIMIZED_HORZ"}};
    for (const auto& c : cases) {
      SCOPED_TRACE(c.state);
      // The command does this to a window that allows it.
      Tool(QStringLiteral("wmctrl"), {"-i", "-r", Hex(Id(control)), "-b", QStringLiteral("add,") + c.state});
      EXPECT_TRUE(Eventually([&] { return HasState(Id(control), c.atom); }));
      Tool(QStringLiteral("wmctrl"), {"-i", "-r", Hex(Id(control)), "-b", QStringLiteral("remove,") + c.state});

      Settle(300);
      const QSize before = SizeOnScreen(id);
      Tool(QStringLiteral("wmctrl"), {"-i", "-r", Hex(id), "-b", QStringLiteral("add,") + c.state});
      Settle(1500);
      EXPECT_FALSE(Maximised(id));
      EXPECT_EQ(SizeOnScreen(id), before);
    }
  });
}

// Qt's own switches on the command line (mirrored layout, another style,
// caption, geometry, platform) change nothing: the program started with them
// shows the same window as without them.
TEST(Desktop, CommandLineSwitchesChangeNothing) {
  int argc = 1;
  char name[] = "desktop_tests";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

  struct Seen {
    QString caption;
    QRect frame;
    QImage picture;
  };
  const auto start = [](const QStringList& arguments) {
    Seen seen;
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(QStringLiteral(TONGSHU_APP), arguments);
    EXPECT_TRUE(program.waitForStarted());
    const auto pid = static_cast<std::uint32_t>(program.processId());
    xcb_window_t window = XCB_WINDOW_NONE;
    const auto found = [&] {
      for (const std::uint32_t w : Cardinals(Root(), "_NET_CLIENT_LIST")) {
        const std::vector<std::uint32_t> owner = Cardinals(w, "_NET_WM_PID");
        if (!owner.empty() && owner[0] == pid && Framed(w)) {
          window = w;
          return true;
        }
      }
      return false;
    };
    if (Eventually(found, 20000)) {
      // Painted once the picture stops changing.
      QImage last;
      Eventually(
          [&] {
            const QRect frame = FrameOnScreen(window);
            QImage now = QGuiApplication::primaryScreen()
                             ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                             .toImage();
            const bool still = !last.isNull() && now == last;
            last = now;
            if (!still) QThread::msleep(300);
            return still;
          },
          20000);
      seen = {Caption(window), FrameOnScreen(window), last};
    } else {
      ADD_FAILURE() << "no window of " << arguments.join(u' ').toStdString();
    }
    program.terminate();
    if (!program.waitForFinished(5000)) program.kill();
    program.waitForFinished(5000);
    return seen;
  };

  const Seen plain = start({});
  const Seen switched = start({"-reverse", "-qwindowtitle", "X", "-qwindowgeometry", "300x200+0+0", "-style",
                               "windows", "-platform", "offscreen"});
  EXPECT_EQ(plain.caption, QStringLiteral("吉星通书"));
  EXPECT_EQ(switched.caption, plain.caption);
  EXPECT_EQ(switched.frame, plain.frame);
  ASSERT_FALSE(plain.picture.isNull());
  EXPECT_TRUE(switched.picture == plain.picture) << "the windows look different";
}
