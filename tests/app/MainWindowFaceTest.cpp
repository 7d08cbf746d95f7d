// The main window's cut-down face: the window finds it, it holds every
// character the window shows, and it draws them exactly as the installed face
// it was cut from.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QRawFont>
#include <set>

#include "app/MainWindowFace.h"
#include "services/Fonts.h"
#include "shell/TFrmmain.h"
#include "tests/support/Fakes.h"

using namespace tongshu;

namespace {

void AddActionTexts(const QList<QAction*>& actions, QStringList& texts) {
  for (const QAction* action : actions) {
    texts << action->text();
    if (action->menu()) AddActionTexts(action->menu()->actions(), texts);
  }
}

QStringList TextsOf(const QWidget& window) {
  QStringList texts{window.windowTitle()};
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    AddActionTexts(w->actions(), texts);
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) texts << button->text();
    if (const auto* label = qobject_cast<const QLabel*>(w)) texts << label->text();
  }
  texts.removeAll(QString());
  return texts;
}

QImage Drawn(const QString& text, const QString& family) {
  QFont font(family);
  font.setPixelSize(12);
  QImage image(QFontMetrics(font).horizontalAdvance(text) + 4, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(2, 15, text);
  return image;
}

}  // namespace

TEST(MainWindowFace, HoldsAndDrawsEveryCharacterOfTheMainWindow) {
  ASSERT_TRUE(RegisterMainWindowFace()) << "the build embedded no face for the main window";
  tongshu::testing::FakeServices fake;
  TFrmmain window(fake.services, {});
  EXPECT_EQ(QFontInfo(window.font()).family(), kMainWindowFace);

  const QRawFont face(MainWindowFaceData(), 12);
  ASSERT_TRUE(face.isValid());
  const QStringList texts = TextsOf(window);
  ASSERT_GT(texts.size(), 100);
  std::set<char32_t> missing;
  for (const QString& text : texts)
    for (const char32_t c : text.toUcs4())
      if (c >= 0x20 && !face.supportsCharacter(c)) missing.insert(c);
  EXPECT_TRUE(missing.empty()) << QString::fromUcs4(std::u32string(missing.begin(), missing.end()).data(),
                                                    static_cast<qsizetype>(missing.size()))
                                      .toStdString();

  // The face it was cut from draws the same pixels.
  for (const QString& text : texts)
    EXPECT_TRUE(Drawn(text, kMainWindowFace) == Drawn(text, QStringLiteral("Noto Serif CJK SC"))) << text.toStdString();
}
