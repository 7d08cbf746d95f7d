#include "shell/TFrmmain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QStatusBar>
#include <QVBoxLayout>

#include "services/AppTitle.h"
#include "services/ApplicationStyle.h"
#include "services/ConnStr.h"
#include "services/ErrorReport.h"
#include "services/Fonts.h"
#include "services/LinkLauncher.h"
#include "services/MaximiseRefusal.h"
#include "services/MessageSink.h"
#include "services/SystemColours.h"
#include "services/WidgetHelpers.h"
#include "services/WindowPresenter.h"
#include "shell/Artwork.h"
#include "shell/CommandMap.h"
#include "shell/Contacts.h"
#include "shell/InfoWindows.h"
#include "shell/MainWindowLayout.h"

QPointer<TFrmmain> Frmmain;

using namespace tongshu;
using namespace tongshu::shell;

namespace {

// A picture that scales to whatever size its control is given. `fitted` is
// the same picture already scaled, when the build did it for the size the
// control has at start, which is then shown as it is.
class StretchedPicture : public QWidget {
 public:
  StretchedPicture(QPixmap pm, QWidget* parent, QPixmap fitted = {})
      : QWidget(parent), m_pm(std::move(pm)), m_fitted(std::move(fitted)) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (!m_fitted.isNull() && m_fitted.deviceIndependentSize().toSize() == size()) {
      p.drawPixmap(0, 0, m_fitted);
      return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(rect(), m_pm);
  }

 private:
  QPixmap m_pm;
  QPixmap m_fitted;
};

class ClickablePicture final : public StretchedPicture {
 public:
  ClickablePicture(QPixmap pm, QPixmap fitted, std::function<void()> onClick, QWidget* parent)
      : StretchedPicture(std::move(pm), parent, std::move(fitted)), m_onClick(std::move(onClick)) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) m_onClick();
  }

 private:
  std::function<void()> m_onClick;
};


// One style sheet per panel: the frame colour is chosen by a property, which
// is far cheaper at start-up than a sheet for each of the 58 buttons. Frames
// that are neither blue nor green have `other`.
QString ButtonSheet(const QColor& other) {
  return QStringLiteral(
             "QPushButton { background: #E4E4E4; border: 1px solid %1; border-radius: 2px; color: black; }"
             "QPushButton[frame=\"blue\"] { border-color: #1F4FC0; }"
             "QPushButton[frame=\"green\"] { border-color: #1E9A3A; }"
             "QPushButton:hover { background: #F4EEDC; }"
             "QPushButton:pressed { background: #D4D4D4; }")
      .arg(other.name());
}

// The status bar's panes at fixed places from the left, as tall as the bar
// makes the row; the row may be narrower than they are.
class PaneRow final : public QWidget {
 public:
  using QWidget::QWidget;
  QSize sizeHint() const override { return {0, 0}; }
  QSize minimumSizeHint() const override { return {0, 0}; }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    for (QWidget* pane : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      pane->setGeometry(pane->x(), 0, pane->width(), height());
  }
};

constexpr int kStatusPaneGap = 6;

// The command bar's menu titles: 7 px of room either side of the text and
// the bar's full height, so that all ten fit the 22 px bar in one row (the
// style's own titles are taller and would go behind the overflow button).
class CommandBarStyle final : public ApplicationStyle {
 public:
  explicit CommandBarStyle(int barHeight) : m_barHeight(barHeight) {}
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    if (type == CT_MenuBarItem) return {size.width() + 14, m_barHeight};
    return ApplicationStyle::sizeFromContents(type, option, size, widget);
  }
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    switch (metric) {
      case PM_MenuBarPanelWidth:
      case PM_MenuBarVMargin:
      case PM_MenuBarItemSpacing:
        return 0;
      case PM_MenuBarHMargin:
        return 2;
      default:
        return ApplicationStyle::pixelMetric(metric, option, widget);
    }
  }

 private:
  int m_barHeight;
};

// The command bar: its background picture stretched over the whole bar, under
// the menu titles too. The style fills the bar and each title with the
// palette's window brush, so the picture, scaled to the bar, is that brush.
class PictureMenuBar final : public QMenuBar {
 public:
  PictureMenuBar(QPixmap picture, QWidget* parent) : QMenuBar(parent), m_picture(std::move(picture)) {
    auto* style = new CommandBarStyle(measures::kMenuBarHeight);
    style->setParent(this);
    setStyle(style);
    setFixedHeight(measures::kMenuBarHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Highlight, QColor(0xF7, 0xD2, 0x7A));
    pal.setColor(QPalette::HighlightedText, Qt::black);
    pal.setColor(QPalette::ButtonText, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
  }

 protected:
  // The list of the menus that do not fit a narrow window's bar is a menu
  // that Qt makes when it is first needed, with the platform's font; like
  // every menu of the bar it takes the bar's.
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ChildPolished)
      if (auto* menu = qobject_cast<QMenu*>(static_cast<QChildEvent*>(event)->child())) menu->setFont(font());
    return QMenuBar::event(event);
  }

  void resizeEvent(QResizeEvent* event) override {
    QMenuBar::resizeEvent(event);
    if (size().isEmpty()) return;
    QPalette pal = palette();
    // The brush's colour is the picture's lower edge, from which the style
    // shades the rule under the bar.
    const QPixmap scaled = ScaledPicture(m_picture, size());
    pal.setBrush(QPalette::Window, QBrush(scaled.toImage().pixelColor(0, scaled.height() - 1), scaled));
    setPalette(pal);
  }

 private:
  QPixmap m_picture;
};

}  // namespace

QString ChatLink() {
  return QStringLiteral("%1/msgrd?V=1&Uin=%2&Site=????&Menu=yes")
      .arg(QString::fromUtf8(contacts::kChatHost), QString::fromUtf8(contacts::kSupportQQ));
}

TFrmmain::TFrmmain(Services& services, ToolWindows tools, QWidget* parent)
    : QMainWindow(parent),
      m_services(services),
      m_tools(std::move(tools)),
      m_ADOQname(std::make_unique<db::Query>(services.database)),
      m_ADOteam(std::make_unique<db::Query>(services.database)) {
  setObjectName(QStringLiteral("Frmmain"));
  setWindowTitle(kAppTitle);
  setWindowIcon(AppIcon());
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(UiFont(kMainWindowSongTi, 12));
  resize(measures::kClientWidth, measures::kClientHeight);
  // No maximise button, and no maximised state either.
  RefuseMaximising(*this);

  buildMenus();
  auto* body = new QWidget(this);
  body->setObjectName(QStringLiteral("body"));
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  setCentralWidget(body);
  column->addWidget(buildBanner(body));
  auto* row = new QWidget(body);
  auto* rowLayout = new QHBoxLayout(row);
  rowLayout->setContentsMargins(0, 0, 0, 0);
  rowLayout->setSpacing(0);
  column->addWidget(row, 1);
  buildLeftColumn(row);
  buildCentre(row);
  buildStatusBar();

  CentreOnScreen(*this);
}

TFrmmain::~TFrmmain() = default;

void TFrmmain::buildMenus() {
  auto* bar = new PictureMenuBar(MenuBarBackground(), this);
  setMenuBar(bar);
  bar->setObjectName(QStringLiteral("dxBarManager1"));
  bar->setFont(UiFont(kMainWindowSongTi, 12));
  for (const MenuDef& def : kMenus) {
    QMenu* menu = bar->addMenu(U8(def.caption));
    menu->setFont(UiFont(kMainWindowSongTi, 12));
    addItems(menu, def.items.data(), def.items.data() + def.items.size());
  }
}

void TFrmmain::addItems(QMenu* menu, const MenuItemDef* it, const MenuItemDef* last) {
  while (it != last) {
    const MenuItemDef& def = *it;
    if (def.separatorBefore) menu->addSeparator();
    if (def.entry == Entry::SubmenuBegin) {
      QMenu* sub = menu->addMenu(U8(def.caption));
      sub->setFont(menu->font());
      if (!def.name.empty()) sub->menuAction()->setObjectName(U8(def.name));
      const MenuItemDef* end = it + 1;
      while (end != last && end->entry != Entry::SubmenuEnd) ++end;
      addItems(sub, it + 1, end);
      it = (end == last) ? last : end + 1;
      continue;
    }
    // The one item without a caption of its own names the maker's other product.
    const QString caption = def.caption.empty() ? QString::fromUtf8(contacts::kOtherProduct) : U8(def.caption);
    QAction* action = menu->addAction(caption);
    if (!def.name.empty()) action->setObjectName(U8(def.name));
    connectCommand(action, def);
    ++it;
  }
}

void TFrmmain::connectCommand(QAction* action, const MenuItemDef& def) {
  auto on = [this, action](void (TFrmmain::*slot)()) {
    connect(action, &QAction::triggered, this, slot);
  };
  switch (def.command) {
    case Command::None: break;
    case Command::Shared55: on(&TFrmmain::dxBarButton55Click); break;
    case Command::Shared202: on(&TFrmmain::dxBarButton202Click); break;
    case Command::Exit: on(&TFrmmain::dxBarButton5Click); break;
    case Command::Almanac: on(&TFrmmain::dxBarButton171Click); break;
    case Command::Mobile: on(&TFrmmain::dxBarButton19Click); break;
    case Command::QQNumber: on(&TFrmmain::dxBarButton22Click); break;
    case Command::AnyNumber: on(&TFrmmain::dxBarButton23Click); break;
    case Command::NetName: on(&TFrmmain::dxBarButton82Click); break;
    case Command::NanNv: on(&TFrmmain::dxBarButton39Click); break;
    case Command::Calendar: on(&TFrmmain::dxBarButton43Click); break;
    case Command::Servers: on(&TFrmmain::dxBarButton53Click); break;
    case Command::MailUs: on(&TFrmmain::dxBarButton63Click); break;
    case Command::ChatQQ: on(&TFrmmain::dxBarButton64Click); break;
    case Command::Forum: on(&TFrmmain::dxBarButton44Click); break;
    case Command::About: on(&TFrmmain::dxBarButton45Click); break;
    case Command::Upgrade: on(&TFrmmain::dxBarButton47Click); break;
    case Command::Omen: {
      const QString title = U8(def.omenTitle);
      const int page = def.omenPage;
      connect(action, &QAction::triggered, this, [this, title, page] {
        Guarded(m_services.messages, [&] {
          if (m_tools.omen) m_tools.omen(m_services, this, title, page);
        });
      });
      break;
    }
  }
}

QWidget* TFrmmain::buildBanner(QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QStringLiteral("RzPanel1"));
  panel->setFixedHeight(measures::kBannerHeight);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* image = new ClickablePicture(BannerPicture(), BannerPictureAsShown(), [this] { Image1Click(); }, panel);
  image->setObjectName(QStringLiteral("Image1"));
  image->setCursor(Qt::PointingHandCursor);
  layout->addWidget(image);
  return panel;
}

void TFrmmain::buildLeftColumn(QWidget* row) {
  auto* scroll = new QScrollArea(row);
  scroll->setObjectName(QStringLiteral("ScrollBox1"));
  scroll->setFixedWidth(measures::kLeftColumnWidth);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The panel goes into the scroll box before it has buttons and a style
  // sheet: moving it there later would polish all 54 buttons a second time.
  auto* panel = new QWidget;
  scroll->setWidget(panel);
  panel->setObjectName(QStringLiteral("RzPanel2"));
  panel->setAutoFillBackground(true);
  QPalette pal = panel->palette();
  pal.setColor(QPalette::Window, QColor(0xF3, 0xEA, 0xD3));
  panel->setPalette(pal);
  panel->setFixedSize(measures::kLeftColumnWidth, ActivityRowY(17) + kActivityButtonHeight + 4);
  panel->setStyleSheet(ButtonSheet(DesktopColour()));
  for (int i = 0; i < static_cast<int>(kActivityButtons.size()); ++i) {
    const int rowIndex = i / 3;
    auto* button = new QPushButton(U8(kActivityButtons[i]), panel);
    button->setObjectName(QStringLiteral("RzButton%1").arg(i + 1));
    button->setGeometry(kActivityColumnX[i % 3], ActivityRowY(rowIndex), kActivityButtonWidth,
                        kActivityButtonHeight);
    button->setFont(UiFont(kMainWindowSongTi, 12));
    // Even rows in the system background colour, which is the desktop's.
    button->setProperty("frame", i == 0 ? "blue" : (rowIndex % 2 == 0 ? "system" : "green"));
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, &TFrmmain::RzButton1Click);
  }
  row->layout()->addWidget(scroll);
}

void TFrmmain::buildCentre(QWidget* row) {
  auto* centre = new QWidget(row);
  centre->setObjectName(QStringLiteral("RzPanel3"));
  auto* layout = new QVBoxLayout(centre);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* picture = new StretchedPicture(CentrePicture(), centre, CentrePictureAsShown());
  picture->setObjectName(QStringLiteral("Image3"));
  layout->addWidget(picture, 1);

  auto* strip = new StretchedPicture(ButtonRowStrip(), centre, ButtonRowStripAsShown());
  strip->setObjectName(QStringLiteral("RzPanel5"));
  strip->setFixedHeight(measures::kButtonRowHeight);
  strip->setStyleSheet(ButtonSheet(QColor(0x1E, 0x9A, 0x3A)));
  struct ButtonDef {
    const char* name;
    QString caption;
    int x, width;
    Glyph glyph;
    void (TFrmmain::*slot)();
  };
  const ButtonDef buttons[] = {
      {"RzBitBtn3", QStringLiteral("QQ服务"), 314, 68, Glyph::Chat, &TFrmmain::RzBitBtn3Click},
      {"RzBitBtn5", QStringLiteral("客户服务"), 384, 80, Glyph::Service, &TFrmmain::RzBitBtn5Click},
      {"RzBitBtn1", QStringLiteral("主页"), 467, 68, Glyph::Home, &TFrmmain::RzBitBtn1Click},
      {"RzBitBtn4", QStringLiteral("退出"), 537, 68, Glyph::Exit, &TFrmmain::RzBitBtn4Click},
  };
  for (const ButtonDef& def : buttons) {
    auto* button = new QPushButton(ButtonGlyph(def.glyph), def.caption, strip);
    button->setObjectName(QString::fromLatin1(def.name));
    button->setGeometry(def.x, 4, def.width, 21);
    button->setFont(UiFont(kMainWindowSongTi, 12));
    button->setIconSize(QSize(16, 16));
    button->setProperty("frame", "green");
    connect(button, &QPushButton::clicked, this, def.slot);
  }
  layout->addWidget(strip);
  row->layout()->addWidget(centre);
}

void TFrmmain::buildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("RzStatusBar1"));
  bar->setFixedHeight(measures::kStatusBarHeight);
  bar->setSizeGripEnabled(true);
  // The panes sit in one row of their own, which the bar may make narrower
  // than the panes: they then keep their places and widths and the row cuts
  // them off, where the bar's own layout would push them over each other.
  bar->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
  auto* row = new PaneRow(bar);
  row->setObjectName(QStringLiteral("StatusPanes"));
  row->setStyleSheet(QStringLiteral("QLabel { border: 1px solid #B8B0A0; }"));
  int x = 0;
  auto pane = [row, &x](const char* name, const QString& text, int width, const QColor& colour) {
    auto* label = new QLabel(text, row);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, 0, width, row->height());
    x += width + kStatusPaneGap;
    label->setFont(UiFont(kMainWindowSongTi, 12));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
  };
  pane("RzStatusPane1", QString::fromUtf8(contacts::kWelcomeLine), 463, QColor(0x00, 0x00, 0x80));
  pane("RzFieldStatus1", QStringLiteral("其他产品:"), 64, QColor(0x00, 0x80, 0x00));
  QLabel* product = pane("RzStatusPane2", QString::fromUtf8(contacts::kOtherProduct), 96, Qt::red);
  product->setCursor(Qt::PointingHandCursor);
  bar->addWidget(row, 1);
}

void TFrmmain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFrmmain::FormShow() {
  Guarded(m_services.messages, [&] {
    // Nothing opens these queries, so a data directory that cannot be found stays unreported.
    const auto conn = [&] {
      try {
        return FileConnStr(m_services.dataDirectory);
      } catch (const DataDirectoryError&) {
        return std::string();
      }
    };
    m_ADOQname->setConnectionString(conn());
    m_ADOteam->setConnectionString(conn());
  });
}

void TFrmmain::terminate() {
  // Once only: the close that follows an exit command must not start the browser again.
  if (m_terminating) return;
  m_terminating = true;
  QCoreApplication::exit(0);
  m_services.links.startBrowser(QString::fromUtf8(contacts::kHomePage));
}

void TFrmmain::closeEvent(QCloseEvent* event) {
  terminate();
  event->accept();
}

void TFrmmain::openServers() {
  Guarded(m_services.messages, [&] { OpenModal(Frm_servers, m_services.presenter, this); });
}

void TFrmmain::dxBarButton5Click() { terminate(); }
void TFrmmain::RzBitBtn4Click() { terminate(); }

void TFrmmain::openTool(const Opener& opener) {
  Guarded(m_services.messages, [&] {
    if (opener) opener(m_services, this);
  });
}

void TFrmmain::dxBarButton171Click() { openTool(m_tools.almanac); }

void TFrmmain::dxBarButton55Click() {}
void TFrmmain::dxBarButton202Click() {}
void TFrmmain::RzButton1Click() {}

void TFrmmain::dxBarButton19Click() { openTool(m_tools.mobile); }
void TFrmmain::dxBarButton22Click() { openTool(m_tools.qqNumber); }
void TFrmmain::dxBarButton23Click() { openTool(m_tools.anyNumber); }
void TFrmmain::dxBarButton82Click() { openTool(m_tools.netName); }
void TFrmmain::dxBarButton43Click() { openTool(m_tools.calendar); }
void TFrmmain::dxBarButton39Click() {
  Guarded(m_services.messages, [&] { OpenModal(Frm_NanNv, m_services.presenter, this); });
}
void TFrmmain::dxBarButton53Click() { openServers(); }
void TFrmmain::RzBitBtn5Click() { openServers(); }
void TFrmmain::RzBitBtn1Click() { openServers(); }

void TFrmmain::dxBarButton45Click() {
  Guarded(m_services.messages, [&] { OpenModal(About, m_services.presenter, m_services, this); });
}

void TFrmmain::dxBarButton63Click() {
  m_services.links.openLink(QStringLiteral("mailto:") + QString::fromUtf8(contacts::kSupportMail));
}
void TFrmmain::dxBarButton64Click() { m_services.links.openLink(ChatLink()); }
void TFrmmain::RzBitBtn3Click() { m_services.links.openLink(ChatLink()); }
void TFrmmain::dxBarButton44Click() { m_services.links.openLink(QString::fromUtf8(contacts::kForumPage)); }
void TFrmmain::Image1Click() { m_services.links.startBrowser(QString::fromUtf8(contacts::kDownloadPage)); }

void TFrmmain::dxBarButton47Click() {
  m_services.messages.ShowInfo(QStringLiteral("感谢你的使用,软件是最新版无需升级!"));
}
