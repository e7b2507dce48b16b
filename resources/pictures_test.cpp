#include "resources/pictures.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QSet>

#include "platform/qt/qt_test_environment.h"

namespace resources {
namespace {

struct PictureCase {
  Picture picture;
  QSize size;
};

const PictureCase kPictures[] = {
    {Picture::kBanner, {183, 32}},       {Picture::kInfoSign, {24, 24}},
    {Picture::kVendorLogo, {160, 40}},   {Picture::kPromotion, {233, 129}},
    {Picture::kFullEdition, {699, 360}},
};

// Distinct colours of a picture: a blank or failed rendering has one.
int colourCount(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

TEST(Pictures, RenderAtTheirNaturalSizesWithContent) {
  for (const auto& c : kPictures) {
    EXPECT_EQ(naturalSize(c.picture), c.size);
    ASSERT_TRUE(QFile::exists(sourcePath(c.picture))) << sourcePath(c.picture).toStdString();
    const QPixmap pixmap = render(c.picture);
    EXPECT_EQ(pixmap.size(), c.size);
    EXPECT_GT(colourCount(pixmap.toImage()), 8) << sourcePath(c.picture).toStdString();
  }
}

TEST(Pictures, HighDensityRenderingKeepsTheLogicalSize) {
  const QPixmap pixmap = render(Picture::kBanner, 2.0);
  EXPECT_EQ(pixmap.size(), QSize(366, 64));
  EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(183, 32));
  EXPECT_EQ(render(Picture::kBanner, 0.5).size(), QSize(183, 32));  // never below 1
}

TEST(Pictures, IconsCarryTheirSizes) {
  struct Case {
    QIcon icon;
    QList<QSize> sizes;
  };
  const Case cases[] = {
      {programIcon(), {{16, 16}, {24, 24}, {32, 32}, {48, 48}}},
      {informationIcon(), {{16, 16}, {32, 32}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.icon.availableSizes(), c.sizes);
    for (const QSize& size : c.sizes) {
      EXPECT_GT(colourCount(c.icon.pixmap(size).toImage()), 3) << size.width();
    }
  }
}

}  // namespace
}  // namespace resources
