// The keyboard as a Windows user uses it, in the real windows: keys typed one
// at a time, results read from what the windows show.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "almanac/TFormHuangdao.h"
#include "app/ToolWiring.h"
#include "shell/TFrmmain.h"
#include "tests/support/Fakes.h"

using tongshu::testing::FakeServices;

namespace {

// The main window and the window its command opens, recorded by the fake
// presenter, which shows windows without a modal loop.
struct Program {
  FakeServices f;
  TFrmmain main{f.services, tongshu::MakeToolWindows()};

  QWidget* open(const char* item) {
    const auto modal = f.presenter.modal.size(), nonModal = f.presenter.nonModal.size();
    main.findChild<QAction*>(QString::fromLatin1(item))->trigger();
    if (f.presenter.modal.size() > modal) return f.presenter.modal.back();
    if (f.presenter.nonModal.size() > nonModal) return f.presenter.nonModal.back();
    return nullptr;
  }
  ~Program() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != &main && w->isVisible()) w->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

// The menu a context-menu request shows, read and closed; `use` may trigger
// one of its actions first.
QStringList ContextMenu(QLineEdit& box, const std::function<void(QMenu&)>& use = {}) {
  QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(4, 4), box.mapToGlobal(QPoint(4, 4)));
  QCoreApplication::sendEvent(&box, &event);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (!menu) return {QStringLiteral("(no menu)")};
  QStringList texts;
  for (QAction* a : menu->actions())
    if (!a->isSeparator()) texts << a->text();
  if (use) use(*menu);
  menu->close();
  return texts;
}

QAction* Entry(QMenu& menu, const QString& text) {
  for (QAction* a : menu.actions())
    if (a->text().startsWith(text)) return a;
  return nullptr;
}

}  // namespace

// Every push button of every window takes Enter as it takes Space.
TEST(Keyboard, EnterAndSpacePressTheFocusedButtonInEveryWindow) {
  Program p;
  p.main.show();
  // The main window last: its buttons open windows anew, freeing earlier ones.
  QList<QPointer<QWidget>> windows;
  for (const char* item : {"dxBarButton171", "dxBarButton192", "dxBarButton19", "dxBarButton22", "dxBarButton23",
                           "dxBarButton82", "dxBarButton43", "dxBarButton53", "dxBarButton45", "dxBarButton39"})
    if (QWidget* w = p.open(item)) windows << w;
  windows << &p.main;
  ASSERT_EQ(windows.size(), 11);
  int buttons = 0;
  for (const QPointer<QWidget>& window : windows) {
    ASSERT_TRUE(window);
    for (QPushButton* found : window->findChildren<QPushButton*>()) {
      // Closing buttons go last: the window may go with them.
      const QPointer<QPushButton> button(found);
      if (button->window() != window || !button->isVisible() || button->text() == QStringLiteral("关闭")) continue;
      ++buttons;
      QSignalSpy clicked(button.data(), &QAbstractButton::clicked);
      QTest::keyClick(button, Qt::Key_Space);
      if (button) QTest::keyClick(button, Qt::Key_Return);
      if (button) QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
      EXPECT_EQ(clicked.count(), 3) << window->windowTitle().toStdString() << ": " << found->text().toStdString();
    }
    for (QPushButton* close : window->findChildren<QPushButton*>())
      if (close->window() == window && close->text() == QStringLiteral("关闭")) {
        QTest::keyClick(close, Qt::Key_Return);
        EXPECT_FALSE(window->isVisible()) << window->windowTitle().toStdString();
        break;
      }
  }
  EXPECT_GT(buttons, 60);
}

// F10 opens the menu bar; the arrows and Enter then reach a command.
TEST(Keyboard, F10OpensTheMenuBar) {
  Program p;
  p.main.show();
  QApplication::setActiveWindow(&p.main);
  QMenuBar* bar = p.main.menuBar();
  ASSERT_EQ(bar->activeAction(), nullptr);
  QTest::keyClick(&p.main, Qt::Key_F10);
  ASSERT_EQ(bar->activeAction(), bar->actions().value(0));
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QTest::keyClick(menu, Qt::Key_Right);
  EXPECT_EQ(bar->activeAction(), bar->actions().value(1));
  menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QTest::keyClick(menu, Qt::Key_Return);
  ASSERT_FALSE(p.f.presenter.nonModal.empty());
  EXPECT_NE(qobject_cast<TFormHuangdao*>(p.f.presenter.nonModal.back().data()), nullptr);
}

// Read-only text goes to its end and back with Ctrl+End and Ctrl+Home.
TEST(Keyboard, ReadOnlyTextScrollsWithCtrlHomeAndCtrlEnd) {
  Program p;
  const struct {
    const char* item;
    const char* memo;
  } cases[] = {{"dxBarButton171", "Memo2"}, {"dxBarButton192", "RzMemo1"}};
  for (const auto& c : cases) {
    QWidget* window = p.open(c.item);
    ASSERT_NE(window, nullptr) << c.item;
    auto* memo = window->findChild<QPlainTextEdit*>(QString::fromLatin1(c.memo));
    memo->setFocus();
    ASSERT_NE(memo, nullptr) << c.memo;
    QScrollBar* bar = memo->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << c.memo << " has too little text to scroll";
    QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), bar->maximum()) << c.memo;
    QTest::keyClick(memo, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), 0) << c.memo;
  }
}

// After typing, the arrows start from the item the text names, or from the
// first item when it names none, never from an earlier choice.
TEST(Keyboard, AlmanacBoxesStepFromTheTypedText) {
  Program p;
  auto* almanac = qobject_cast<TFormHuangdao*>(p.open("dxBarButton171"));
  ASSERT_NE(almanac, nullptr);
  QComboBox* year = almanac->SYear;
  const struct {
    const char* typed;
    Qt::Key key;
    const char* shown;
  } cases[] = {{"2015", Qt::Key_Down, "2016"}, {"2015", Qt::Key_Up, "2014"}, {"2019", Qt::Key_Down, "2019"},
               {"20", Qt::Key_Down, "2008"},   {"abc", Qt::Key_Up, "2008"},  {"", Qt::Key_Down, "2008"}};
  for (const auto& c : cases) {
    // An earlier choice the text no longer shows.
    year->setCurrentIndex(5);
    QTest::keyClick(year->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(year->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(year->lineEdit(), QString::fromLatin1(c.typed));
    QTest::keyClick(year->lineEdit(), c.key);
    EXPECT_EQ(year->lineEdit()->text(), QString::fromLatin1(c.shown)) << c.typed;
  }
  // With the text unchanged the arrows step as before.
  QTest::keyClick(year->lineEdit(), Qt::Key_Down);
  EXPECT_EQ(year->lineEdit()->text(), QStringLiteral("2009"));
}

// A paste of several lines keeps the first, by key, context menu or into a
// key-filtered box; that box's menu offers no shortcut its filter swallows.
TEST(Keyboard, OneLineBoxesKeepTheFirstLineOfAPaste) {
  Program p;
  QGuiApplication::clipboard()->setText(QStringLiteral("12345\r\n67890\nabc"));
  auto* almanac = qobject_cast<TFormHuangdao*>(p.open("dxBarButton171"));
  ASSERT_NE(almanac, nullptr);
  QLineEdit* year = almanac->SYear->lineEdit();
  QTest::keyClick(year, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(year->text(), QStringLiteral("12345"));

  QWidget* netname = p.open("dxBarButton82");
  ASSERT_NE(netname, nullptr);
  auto* name = netname->findChild<QLineEdit*>(QStringLiteral("edtmun"));
  QTest::keyClicks(name, QStringLiteral("12"));
  QTest::keyClick(name, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(name, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(name->text(), QStringLiteral("121234512345"));
  const QStringList plain = ContextMenu(*name);
  EXPECT_FALSE(plain.filter(QStringLiteral("\t")).isEmpty()) << "an unfiltered box keeps its shortcuts";

  QWidget* mobile = p.open("dxBarButton19");
  ASSERT_NE(mobile, nullptr);
  auto* number = mobile->findChild<QLineEdit*>(QStringLiteral("edtmun"));
  QTest::keyClick(number, Qt::Key_V, Qt::ControlModifier);  // swallowed by the key filter
  EXPECT_EQ(number->text(), QString());
  QTest::keyClick(number, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(number->text(), QStringLiteral("12345"));
  const QStringList filtered = ContextMenu(*number, [number](QMenu& menu) {
    // Drawn in the box's face: given it outright, the menu looks the same.
    const QImage before = menu.grab().toImage();
    menu.setFont(number->font());
    EXPECT_EQ(menu.grab().toImage(), before) << "the menu draws in another face";
    QAction* paste = Entry(menu, QLineEdit::tr("&Paste"));
    ASSERT_NE(paste, nullptr);
    paste->trigger();
  });
  EXPECT_EQ(filtered.size(), plain.size());
  EXPECT_TRUE(filtered.filter(QStringLiteral("\t")).isEmpty()) << filtered.join(u'|').toStdString();
  EXPECT_EQ(number->text(), QStringLiteral("1234512345"));
}
