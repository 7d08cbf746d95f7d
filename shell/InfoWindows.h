#pragma once
// The three windows with fixed content: customer service, about, and the
// child's-sex chart.
#include <QPointer>
#include <QWidget>
#include <array>
#include <string_view>

#include "services/Services.h"

class QTableWidget;
class QTabWidget;

namespace tongshu::shell {

inline constexpr Qt::WindowFlags kToolWindowFlags =
    Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// A chart row: the lunar month, then one cell (男 or 女) per age.
struct ChartTable {
  int firstAge;
  int ages;
  std::array<std::string_view, 12> rows;  // cells separated by one blank
};

inline constexpr ChartTable kChartYoung{
    18, 14,
    {"女 男 女 男 女 男 男 女 男 女 男 女 男 男", "男 女 男 女 男 男 女 男 女 男 女 男 女 女",
     "女 男 女 女 男 女 男 女 男 女 男 女 女 男", "男 女 男 女 女 男 男 女 男 女 女 男 女 女",
     "男 女 男 女 男 男 女 男 女 女 女 男 女 女", "男 男 男 女 女 女 男 女 男 女 女 男 女 女",
     "男 男 男 女 女 男 男 男 女 男 男 男 女 女", "男 女 男 女 男 女 女 男 男 男 男 男 女 女",
     "男 女 男 女 女 男 女 男 女 男 男 男 女 女", "男 女 女 女 女 男 女 男 女 女 男 女 男 女",
     "男 男 男 女 女 男 女 男 女 男 女 女 女 男", "男 男 男 女 女 女 女 男 女 男 女 女 男 男"}};

inline constexpr ChartTable kChartOlder{
    32, 13,
    {"男 女 男 男 女 男 女 男 女 男 女 男 男", "女 男 女 男 男 女 男 女 男 女 男 女 男",
     "男 女 男 女 男 男 女 男 女 男 女 男 女", "女 男 女 男 女 男 男 男 男 女 男 女 男",
     "女 女 女 女 男 女 男 男 女 男 女 男 男", "女 女 女 女 女 男 女 女 男 女 男 女 男",
     "女 女 女 女 女 女 男 女 男 男 女 男 女", "女 男 女 男 女 男 女 男 女 男 男 女 男",
     "女 女 女 女 男 女 男 女 男 女 男 男 女", "女 女 女 女 男 男 女 男 女 男 女 男 男",
     "男 女 男 女 男 女 男 女 男 女 男 男 女", "男 男 男 男 女 男 男 女 男 男 女 男 女"}};

}  // namespace tongshu::shell

class TFrm_servers final : public QWidget {
  Q_OBJECT
 public:
  explicit TFrm_servers(QWidget* parent = nullptr);
};

class TAbout final : public QWidget {
  Q_OBJECT
 public:
  TAbout(tongshu::Services& services, QWidget* parent = nullptr);
 public slots:
  void RzURLLabel1Click();

 private:
  tongshu::Services& m_services;
};

class TFrm_NanNv final : public QWidget {
  Q_OBJECT
 public:
  explicit TFrm_NanNv(QWidget* parent = nullptr);
};

extern QPointer<TFrm_servers> Frm_servers;
extern QPointer<TAbout> About;
extern QPointer<TFrm_NanNv> Frm_NanNv;
