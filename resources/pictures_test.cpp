#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QSet>

#include "platform/qt/qt_test_environment.h"

namespace resources {
namespace {

// Distinct colours of a picture: a blank or failed rendering has one.
int colourCount(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

TEST(Pictures, RenderAtTheirNaturalSizesWithContent) {
  for (Picture picture : {Picture::kBanner, Picture::kInfoSign, Picture::kVendorLogo,
                          Picture::kPromotion, Picture::kFullEdition}) {
    SCOPED_TRACE(sourcePath(picture).toStdString());
    EXPECT_TRUE(QFile::exists(sourcePath(picture)));
    const QPixmap pixmap = render(picture);
    EXPECT_EQ(pixmap.size(), naturalSize(picture));
    EXPECT_GT(colourCount(pixmap.toImage()), 8);
  }
  // At a higher density the picture has more pixels but keeps its logical
  // size; below 1 it is never drawn smaller.
  const QPixmap sharp = render(Picture::kBanner, 2.0);
  EXPECT_EQ(sharp.size(), naturalSize(Picture::kBanner) * 2);
  EXPECT_EQ(sharp.deviceIndependentSize(), QSizeF(naturalSize(Picture::kBanner)));
  EXPECT_EQ(render(Picture::kBanner, 0.5).size(), naturalSize(Picture::kBanner));
}

TEST(Pictures, IconsDrawEveryOfTheirSizes) {
  for (const QIcon& icon : {programIcon(), informationIcon()}) {
    EXPECT_GE(icon.availableSizes().size(), 2);
    for (const QSize& size : icon.availableSizes()) {
      EXPECT_GT(colourCount(icon.pixmap(size).toImage()), 3) << size.width();
    }
  }
}

}  // namespace
}  // namespace resources
