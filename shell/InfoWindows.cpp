#include "shell/InfoWindows.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTableWidget>

#include "services/ErrorReport.h"
#include "services/Fonts.h"
#include "services/LinkLauncher.h"
#include "services/WindowPresenter.h"
#include "shell/Artwork.h"
#include "shell/Contacts.h"

QPointer<TFrm_servers> Frm_servers;
QPointer<TAbout> About;
QPointer<TFrm_NanNv> Frm_NanNv;

using namespace tongshu;
using namespace tongshu::shell;

namespace {

const QColor kNavy(0x00, 0x00, 0x80);

QLabel* Label(QWidget* parent, const QString& text, int x, int y, const QFont& font,
              const QColor& colour = Qt::black) {
  auto* l = new QLabel(text, parent);
  l->setFont(font);
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, colour);
  l->setPalette(pal);
  l->move(x, y);
  l->adjustSize();
  return l;
}

QLabel* Paragraph(QWidget* parent, const QString& text, int x, int y, int width) {
  auto* l = new QLabel(text, parent);
  l->setFont(UiFont(kSongTi, 12));
  l->setWordWrap(true);
  l->setFixedWidth(width);
  l->move(x, y);
  l->adjustSize();
  return l;
}

QLabel* Picture(QWidget* parent, const QPixmap& pm, int x, int y) {
  auto* l = new QLabel(parent);
  l->setPixmap(pm);
  l->setGeometry(x, y, pm.width(), pm.height());
  return l;
}

class LinkLabel final : public QLabel {
 public:
  LinkLabel(const QString& text, std::function<void()> onClick, QWidget* parent)
      : QLabel(text, parent), m_onClick(std::move(onClick)) {
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) m_onClick();
  }

 private:
  std::function<void()> m_onClick;
};

QTableWidget* Chart(QWidget* parent, const ChartTable& table, int top, int height) {
  const int columns = table.ages + 1;
  auto* grid = new QTableWidget(13, columns, parent);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->horizontalHeader()->setMinimumSectionSize(16);
  grid->verticalHeader()->setMinimumSectionSize(16);
  grid->setWordWrap(true);
  grid->setTextElideMode(Qt::ElideNone);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  grid->setFocusPolicy(Qt::NoFocus);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setFont(UiFont(kSongTi, 12));
  grid->setGeometry(4, top, 570, height);
  grid->setStyleSheet(QStringLiteral("QTableWidget { gridline-color: #8C7B5A; background: #FFFDF6; }"));
  const int cornerWidth = 58;
  const int cellWidth = (570 - 2 - cornerWidth) / table.ages;
  grid->setColumnWidth(0, cornerWidth);
  for (int c = 1; c < columns; ++c) grid->setColumnWidth(c, cellWidth);
  const int headRow = 32;  // two lines in the corner cell
  const int rowHeight = (height - 2 - headRow) / 12;
  grid->setRowHeight(0, headRow);
  for (int r = 1; r < 13; ++r) grid->setRowHeight(r, rowHeight);

  auto cell = [grid](int r, int c, const QString& text, const QColor& fg, const QColor& bg, bool bold) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setForeground(fg);
    item->setBackground(bg);
    QFont f = UiFont(kSongTi, 12, bold);
    item->setFont(f);
    grid->setItem(r, c, item);
  };
  const QColor head(0xF1, 0xE2, 0xBC);
  cell(0, 0, QStringLiteral("怀孕年龄\n月份"), Qt::black, head, true);
  grid->item(0, 0)->setFont(UiFont(kSongTi, 10, true));
  for (int a = 0; a < table.ages; ++a)
    cell(0, a + 1, QStringLiteral("%1岁").arg(table.firstAge + a), Qt::black, head, true);
  for (int m = 0; m < 12; ++m) {
    cell(m + 1, 0, QStringLiteral("%1月").arg(m + 1), Qt::black, head, true);
    const QStringList cells =
        QString::fromUtf8(table.rows[m].data(), static_cast<qsizetype>(table.rows[m].size())).split(u' ');
    for (int a = 0; a < table.ages && a < cells.size(); ++a) {
      const bool boy = cells[a] == QStringLiteral("男");
      cell(m + 1, a + 1, cells[a], boy ? QColor(0x1F, 0x4F, 0xC0) : QColor(0xC0, 0x2B, 0x22),
           boy ? QColor(0xEE, 0xF4, 0xFF) : QColor(0xFF, 0xF0, 0xF0), false);
    }
  }
  return grid;
}

}  // namespace

TFrm_servers::TFrm_servers(QWidget* parent) : QWidget(parent, kToolWindowFlags) {
  setObjectName(QStringLiteral("Frm_servers"));
  setWindowTitle(QStringLiteral("客户服务"));
  setFont(UiFont(kSongTi, 12));
  setFixedSize(420, 273);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, pal.color(QPalette::Highlight));
  setPalette(pal);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("RzPanel1"));
  panel->setGeometry(2, 2, 416, 269);
  panel->setStyleSheet(QStringLiteral("#RzPanel1 { background: white; border: 1px solid #9DB3D6; border-radius: 6px; }"));

  const QFont heading = UiFont(kSongTi, 12, true);
  const QPixmap mail = ServiceIconPicture(ServiceIcon::Mail);
  struct Block {
    QPixmap icon;
    int iconX, iconY;
    QString heading;
    int headingY;
    QString text;
    int textX, textY;
  };
  const Block blocks[] = {
      {mail, 24, 22, QStringLiteral("市场合作:"), 24,
       QStringLiteral("欢迎与我们联系软件购买、产品代理以及各类应用软件的定制开发，我们期待与您合作。"), 69, 41},
      {ServiceIconPicture(ServiceIcon::Phone), 25, 86,
       QStringLiteral("服务电话：") + QString::fromUtf8(contacts::kServicePhone), 87,
       QStringLiteral("当您在使用产品的时候有任何问题、建议或疑问，欢迎您拨打热线电话。"), 70, 106},
      {ServiceIconPicture(ServiceIcon::Chat), 24, 151,
       QStringLiteral("QQ在线支持：") + QString::fromUtf8(contacts::kSupportQQ), 151,
       QStringLiteral("所有的业务咨询，我们都会于当日给您答复，所以如果您发贴后没有马上看到答复请您耐心等待，稍后可以再来查看。"),
       69, 170},
      {mail, 25, 216, QStringLiteral("技术支持邮箱：") + QString::fromUtf8(contacts::kSupportMail), 215,
       QStringLiteral("当您在使用我们的软件过程中，有不明白或有别的问题时，您可以发送邮件到这里，我们会尽快给您答复。"),
       70, 234},
  };
  int n = 1;
  for (const Block& b : blocks) {
    Picture(panel, b.icon, b.iconX, b.iconY)->setObjectName(QStringLiteral("Image%1").arg(n));
    Label(panel, b.heading, 69, b.headingY, heading, kNavy)->setObjectName(QStringLiteral("RzLabel%1").arg(2 * n - 1));
    Paragraph(panel, b.text, b.textX, b.textY, 324)->setObjectName(QStringLiteral("RzLabel%1").arg(2 * n));
    ++n;
  }
  CentreOnScreen(*this);
}

TAbout::TAbout(Services& services, QWidget* parent) : QWidget(parent, kToolWindowFlags), m_services(services) {
  setObjectName(QStringLiteral("About"));
  setWindowTitle(QStringLiteral("关于系统"));
  setFont(UiFont(kSongTi, 12));
  setFixedSize(321, 149);

  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setGeometry(0, 0, 153, 149);
  image->setAlignment(Qt::AlignCenter);
  image->setPixmap(AboutPicture());

  Label(this, QStringLiteral("吉星通书"), 185, 9, UiFont(kKaiTi, 16, true), kNavy)
      ->setObjectName(QStringLiteral("RzLabel1"));
  Label(this, QString::fromUtf8(contacts::kMakerName), 174, 30, UiFont(kKaiTi, 14, true), Qt::red)
      ->setObjectName(QStringLiteral("RzLabel2"));
  Label(this, QStringLiteral("联系人：") + QString::fromUtf8(contacts::kContactPerson), 167, 57, UiFont(kSongTi, 12))
      ->setObjectName(QStringLiteral("RzLabel3"));
  Label(this, QStringLiteral("QQ：") + QString::fromUtf8(contacts::kSupportQQ), 191, 77, UiFont(kSongTi, 12))
      ->setObjectName(QStringLiteral("RzLabel4"));
  Label(this, QStringLiteral("TEL：") + QString::fromUtf8(contacts::kServicePhone), 185, 95, UiFont(kSongTi, 12), kNavy)
      ->setObjectName(QStringLiteral("RzLabel5"));

  auto* link = new LinkLabel(QStringLiteral("邮件：") + QString::fromUtf8(contacts::kSupportMail),
                             [this] { RzURLLabel1Click(); }, this);
  link->setObjectName(QStringLiteral("RzURLLabel1"));
  QFont f = UiFont(kSongTi, 12);
  f.setUnderline(true);
  link->setFont(f);
  QPalette pal = link->palette();
  pal.setColor(QPalette::WindowText, pal.color(QPalette::Link));
  link->setPalette(pal);
  link->move(169, 124);
  link->adjustSize();
  CentreOnScreen(*this);
}

void TAbout::RzURLLabel1Click() {
  Guarded(m_services.messages, [&] {
    m_services.links.openLink(QStringLiteral("mailto:") + QString::fromUtf8(contacts::kSupportMail));
  });
}

TFrm_NanNv::TFrm_NanNv(QWidget* parent) : QWidget(parent, kToolWindowFlags) {
  setObjectName(QStringLiteral("Frm_NanNv"));
  setWindowTitle(QStringLiteral("生男生女"));
  setFont(UiFont(kSongTi, 12));
  setFixedSize(586, 446);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("RzPanel1"));
  panel->setGeometry(0, 0, 586, 446);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setStyleSheet(QStringLiteral("#RzPanel1 { background: white; border: 2px groove #B8B0A0; }"));

  auto* pages = new QTabWidget(panel);
  pages->setObjectName(QStringLiteral("RzPageControl1"));
  pages->setGeometry(2, 2, 582, 393);
  // The panel's style sheet keeps the window's font from reaching the tabs.
  pages->setFont(UiFont(kSongTi, 12));

  auto* young = new QWidget;
  young->setObjectName(QStringLiteral("TabSheet1"));
  Chart(young, kChartYoung, 4, 356)->setObjectName(QStringLiteral("ChartYoung"));
  pages->addTab(young, QStringLiteral("18到31岁"));

  auto* older = new QWidget;
  older->setObjectName(QStringLiteral("TabSheet2"));
  auto* title = Label(older, QStringLiteral("续表：32-44岁"), 8, 4, UiFont(kHeiTi, 14, true), QColor(0x8E, 0x1B, 0x1B));
  title->setObjectName(QStringLiteral("ChartOlderTitle"));
  Chart(older, kChartOlder, 24, 336)->setObjectName(QStringLiteral("ChartOlder"));
  pages->addTab(older, QStringLiteral("32到44岁"));

  auto* advice = new QWidget;
  advice->setObjectName(QStringLiteral("TabSheet3"));
  auto* text = new QLabel(advice);
  text->setObjectName(QStringLiteral("AdviceText"));
  text->setGeometry(16, 10, 544, 344);
  text->setWordWrap(true);
  text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  text->setFont(UiFont(kSongTi, 14));
  // A page of folk sayings, as such almanacs print them; no medical advice.
  text->setText(QStringLiteral(
      "<p style='font-size:18px; color:#8E1B1B;'><b>民间生男秘诀</b></p>"
      "<p>一、查表择月。按前两页的表，以母亲虚岁找出“男”字所在的农历月份，老辈人说此月怀上最易得男。</p>"
      "<p>二、择取阳日。民间以单数为阳，选农历单日、天晴日暖之时，取“阳旺生男”之意。</p>"
      "<p>三、饮食有讲究。老话说“酸女碱男”，女方孕前多吃青菜、水果、豆类，少吃酸物，盼得男孩。</p>"
      "<p>四、讨个好彩头。请“全福人”铺床，撒红枣、花生、桂圆、莲子，床头挂“麒麟送子”图，求早生贵子、添个男丁。</p>"
      "<p>五、父强子壮。丈夫少烟少酒、多加锻炼，老人常说“父强则子壮”，生男更有望。</p>"
      "<p style='color:#6B5A3A;'>以上皆为民间流传之说，并无科学依据，仅供参考娱乐。生男生女都是福，孕育之事请听从医生的建议。</p>"));
  pages->addTab(advice, QStringLiteral("生男生女有秘诀"));
  pages->setCurrentIndex(0);

  auto* note = new QLabel(panel);
  note->setObjectName(QStringLiteral("RzLabel1"));
  note->setWordWrap(true);
  note->setFont(UiFont(kSongTi, 12));
  note->setText(QStringLiteral(
      "说明：此表年龄为母亲虚岁年龄，月份指怀孕月份，以农历为准。遇闰月，上半月以上个月份计算，下半月以下个月份计算。查表时，看年龄与月份坐标交叉点即可知道孕育是男还是女。"));
  note->setGeometry(9, 402, 552, 40);
  CentreOnScreen(*this);
}
