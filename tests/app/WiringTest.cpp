// The application's command map with the real tool windows behind it: each
// command opens its own window by its own convention.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>

#include "almanac/TFormHuangdao.h"
#include "almanac/TFormOnther.h"
#include "app/ToolWiring.h"
#include "calendar/DateWin.h"
#include "netname/UntWangm.h"
#include "numerology/TFrmQQhm.h"
#include "numerology/TFrm_SJcs.h"
#include "numerology/TFrm_onther.h"
#include "shell/TFrmmain.h"
#include "tests/support/Fakes.h"

using tongshu::testing::FakeServices;

namespace {

template <class W>
bool IsA(QWidget* w) {
  return qobject_cast<W*>(w) != nullptr;
}

}  // namespace

TEST(Wiring, EveryToolCommandOpensItsWindowByItsConvention) {
  FakeServices f;
  TFrmmain main(f.services, tongshu::MakeToolWindows());
  struct Case {
    const char* item;
    bool modal;
    bool (*is)(QWidget*);
    QString title;
  };
  const Case cases[] = {
      {"dxBarButton171", false, &IsA<TFormHuangdao>, {}},
      {"dxBarButton192", false, &IsA<TFormOnther>, QStringLiteral("打喷嚏占卜吉凶")},
      {"dxBarButton200", false, &IsA<TFormOnther>, QStringLiteral("眼跳测吉凶")},
      {"dxBarButton19", true, &IsA<TFrm_SJcs>, {}},
      {"dxBarButton22", true, &IsA<TFrmQQhm>, {}},
      {"dxBarButton23", true, &IsA<TFrm_onther>, {}},
      {"dxBarButton82", true, &IsA<TFrmWangming>, {}},
      {"dxBarButton43", true, &IsA<TFRM_Date>, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    const auto modalBefore = f.presenter.modal.size();
    const auto nonModalBefore = f.presenter.nonModal.size();
    for (int round = 0; round < 2; ++round) {
      auto* action = main.findChild<QAction*>(QString::fromLatin1(c.item));
      ASSERT_NE(action, nullptr);
      action->trigger();
    }
    auto& list = c.modal ? f.presenter.modal : f.presenter.nonModal;
    ASSERT_EQ(list.size(), (c.modal ? modalBefore : nonModalBefore) + 2);
    EXPECT_EQ((c.modal ? f.presenter.nonModal.size() : f.presenter.modal.size()),
              c.modal ? nonModalBefore : modalBefore);
    QWidget* last = list.back();
    EXPECT_TRUE(c.is(last));
    if (!c.title.isEmpty()) {
      EXPECT_EQ(last->windowTitle(), c.title);
    }
    if (!c.modal) {
      EXPECT_TRUE(last->testAttribute(Qt::WA_DeleteOnClose));
    }
  }
  EXPECT_TRUE(f.messages.errors.isEmpty());
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != &main && w->isVisible()) w->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
