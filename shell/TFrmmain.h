#pragma once
#include <QAction>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "db/Database.h"
#include "services/Services.h"
#include "shell/ToolWindows.h"

class QLabel;
class QPushButton;
class QScrollArea;
class QStatusBar;
class QMenu;

namespace tongshu::shell {
struct MenuItemDef;
}

// The main form: a launcher of the tool windows, links and exit.
class TFrmmain final : public QMainWindow {
  Q_OBJECT

 public:
  TFrmmain(tongshu::Services& services, tongshu::shell::ToolWindows tools, QWidget* parent = nullptr);
  ~TFrmmain() override;

  // The two query components that only receive the KorFile.dll connection string.
  const tongshu::db::Query& ADOQname() const { return *m_ADOQname; }
  const tongshu::db::Query& ADOteam() const { return *m_ADOteam; }

 public slots:
  void FormShow();
  void dxBarButton5Click();    // 退出系统
  void dxBarButton171Click();  // 黄道吉日
  void dxBarButton55Click();   // shared by the 吉日 activity items; no action
  void dxBarButton202Click();  // shared by the 日卜 and 择日 items; no action
  void dxBarButton19Click();   // 手机号码分析
  void dxBarButton22Click();   // QQ号码分析
  void dxBarButton23Click();   // 更多数字分析
  void dxBarButton82Click();   // 网名分析
  void dxBarButton39Click();   // 生男生女
  void dxBarButton43Click();   // 万年历法
  void dxBarButton53Click();   // 客户服务
  void dxBarButton63Click();   // 给我们发邮件
  void dxBarButton64Click();   // 与QQ对话
  void dxBarButton44Click();   // 公司主页
  void dxBarButton45Click();   // 关于系统
  void dxBarButton47Click();   // 软件升级
  void RzButton1Click();       // shared by the 54 activity buttons; no action
  void RzBitBtn3Click();       // QQ服务
  void RzBitBtn5Click();       // 客户服务
  void RzBitBtn1Click();       // 主页
  void RzBitBtn4Click();       // 退出
  void Image1Click();          // banner

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  QWidget* buildBanner(QWidget* parent);
  void buildLeftColumn(QWidget* body);
  void buildCentre(QWidget* body);
  void buildStatusBar();
  void addItems(QMenu* menu, const tongshu::shell::MenuItemDef* first, const tongshu::shell::MenuItemDef* last);
  void connectCommand(QAction* action, const tongshu::shell::MenuItemDef& def);
  void openServers();
  void openTool(const tongshu::shell::Opener& opener);
  void terminate();

  tongshu::Services& m_services;
  tongshu::shell::ToolWindows m_tools;
  std::unique_ptr<tongshu::db::Query> m_ADOQname;
  std::unique_ptr<tongshu::db::Query> m_ADOteam;
  bool m_terminating = false;
};

extern QPointer<TFrmmain> Frmmain;

// The chat link of the instant-messaging service with the support account.
QString ChatLink();
