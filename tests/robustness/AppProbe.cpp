// The application as it starts, with one scripted session once the main
// window has painted: the almanac looks up 2011-03-05, the mobile window
// analyses 12345678901, and the program quits. Each step prints one line;
// every message box that comes up is printed and closed. InstallTest runs
// this program from copies of the installation.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "almanac/TFormHuangdao.h"
#include "app/Startup.h"
#include "numerology/TFrm_SJcs.h"

namespace {

void Say(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

bool Trigger(QWidget& main, const char* item) {
  auto* action = main.findChild<QAction*>(QString::fromLatin1(item));
  if (!action) {
    Say(QStringLiteral("missing command %1").arg(QString::fromLatin1(item)));
    return false;
  }
  action->trigger();
  return true;
}

void Session(QWidget& main) {
  Say(QStringLiteral("painted"));
  auto* boxes = new QTimer(&main);
  QObject::connect(boxes, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      Say(QStringLiteral("box: ") + box->text());
      box->done(QMessageBox::Ok);
    }
  });
  boxes->start(20);

  if (Trigger(main, "dxBarButton171") && FormHuangdao) {
    FormHuangdao->SYear->setEditText(QStringLiteral("2011"));
    FormHuangdao->SMonth->setEditText(QStringLiteral("03"));
    FormHuangdao->Sday->setEditText(QStringLiteral("05"));
    FormHuangdao->RzBitBtn1Click();
    Say(QStringLiteral("almanac: ") + FormHuangdao->Label1->text());
    FormHuangdao->close();
  }

  // The mobile window runs its own modal loop; the session goes on inside it.
  QTimer::singleShot(0, [] {
    if (!Frm_SJcs) return;
    Frm_SJcs->edtmun->setText(QStringLiteral("12345678901"));
    Frm_SJcs->RzBitBtn1Click();
    Say(QStringLiteral("mobile: ") + Frm_SJcs->RzLabel10->text() + u'|' + Frm_SJcs->RzLabel9->text());
    Frm_SJcs->close();
  });
  Trigger(main, "dxBarButton19");

  Say(QStringLiteral("done"));
  QCoreApplication::exit(0);
}

}  // namespace

int main() {
  tongshu::StartupHooks hooks;
  hooks.afterFirstPaint = Session;
  return tongshu::RunApplication(hooks);
}
