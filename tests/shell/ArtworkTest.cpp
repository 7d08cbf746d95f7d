// The shell's pictures as the build rendered them: every drawing embedded at
// 1x and 2x, and the pictures scaled for the window's starting size when the
// program was built, pixel for pixel what scaling them at run time gives.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "shell/Artwork.h"
#include "shell/MainWindowLayout.h"
#include "shell/TFrmmain.h"
#include "shell/artwork/Drawings.h"
#include "shell/artwork/PictureFile.h"
#include "tests/support/Fakes.h"

using namespace tongshu;

TEST(Artwork, EveryDrawingIsEmbeddedAtOneAndTwoTimesItsSize) {
  ASSERT_FALSE(artwork::Drawings().empty());
  for (const artwork::Drawing& d : artwork::Drawings()) {
    const QString name = QString::fromLatin1(d.name);
    SCOPED_TRACE(d.name);
    EXPECT_EQ(shell::ArtworkImage(name).size(), QSize(d.width, d.height));
    EXPECT_EQ(shell::ArtworkImage(name + "@2x").size(), QSize(2 * d.width, 2 * d.height));
    if (d.shownWidth > 0) {
      EXPECT_EQ(shell::ArtworkImage(name + "-shown").size(), QSize(d.shownWidth, d.shownHeight));
      EXPECT_EQ(shell::ArtworkImage(name + "-shown@2x").size(), QSize(2 * d.shownWidth, 2 * d.shownHeight));
    }
  }
  // What the windows ask for, at this screen's density.
  EXPECT_EQ(shell::BannerPicture().deviceIndependentSize().toSize(), QSize(790, 80));
  EXPECT_EQ(shell::ServiceIconPicture(shell::ServiceIcon::Phone).deviceIndependentSize().toSize(), QSize(41, 41));
  EXPECT_FALSE(shell::ButtonGlyph(shell::Glyph::Exit).pixmap(QSize(16, 16)).isNull());
  EXPECT_FALSE(shell::AppIcon().pixmap(QSize(48, 48)).isNull());
}

TEST(Artwork, DamagedPictureBytesGiveNoImage) {
  QByteArray good = artwork::EncodePicture(QImage(3, 2, QImage::Format_RGB32));
  ASSERT_FALSE(artwork::DecodePicture(reinterpret_cast<const uchar*>(good.constData()), good.size()).isNull());
  const auto decodes = [](QByteArray bytes) {
    return !artwork::DecodePicture(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size()).isNull();
  };
  QByteArray magic = good, format = good, huge = good;
  magic[0] = 'X';
  format[12] = char(QImage::Format_Indexed8);
  huge[4] = char(0xFF), huge[5] = char(0xFF);
  EXPECT_FALSE(decodes(good.left(good.size() - 1)));
  EXPECT_FALSE(decodes(good + "x"));
  EXPECT_FALSE(decodes(good.left(10)));
  EXPECT_FALSE(decodes(magic));
  EXPECT_FALSE(decodes(format));
  EXPECT_FALSE(decodes(huge));
}

// At its starting size the window shows the copies the build scaled; a window
// resized later scales the full pictures itself. Both must look alike.
TEST(Artwork, PicturesScaledAtBuildTimeAreWhatTheWindowWouldPaint) {
  tongshu::testing::FakeServices fake;
  TFrmmain window(fake.services, {});
  window.show();
  namespace m = shell::measures;
  const struct {
    const char* control;
    QPixmap full;
    QSize area;
  } cases[] = {
      {"Image1", shell::BannerPicture(), {m::kClientWidth, m::kBannerHeight}},
      {"Image3", shell::CentrePicture(), {m::kCentreWidth, m::kCentreHeight}},
      {"RzPanel5", shell::ButtonRowStrip(), {m::kCentreWidth, m::kButtonRowHeight}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    QWidget* control = window.findChild<QWidget*>(QString::fromLatin1(c.control));
    ASSERT_NE(control, nullptr);
    ASSERT_EQ(control->size(), c.area)
        << "the main window's layout no longer gives the control the area its picture was scaled for";
    const qreal density = control->devicePixelRatioF();
    QImage shown(c.area * density, QImage::Format_RGB32);
    shown.setDevicePixelRatio(density);
    control->render(&shown, QPoint(), QRegion(), {});  // the control alone, without its buttons

    QImage scaled(c.area * density, QImage::Format_RGB32);
    scaled.setDevicePixelRatio(density);
    QPainter p(&scaled);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRect(QPoint(), c.area), c.full);
    p.end();
    EXPECT_TRUE(shown == scaled);
  }
}
