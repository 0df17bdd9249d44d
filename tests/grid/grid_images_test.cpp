#include "grid/grid_images.h"

#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

int OpaquePixels(const QPixmap& pixmap)
{
    const QImage image = pixmap.toImage();
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            opaque += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
    }
    return opaque;
}

TEST(GridImages, EachMarkerHasItsOwnPictureAndZeroHasNone)
{
    EXPECT_TRUE(MarkerIcon(0).isNull());
    EXPECT_TRUE(MarkerIcon(7).isNull());
    std::vector<QImage> seen;
    for (int index = 1; index <= 6; ++index) {
        const QPixmap pixmap = MarkerIcon(index).pixmap(QSize(16, 16));
        EXPECT_GT(OpaquePixels(pixmap), 60) << index;
        const QImage image = pixmap.toImage();
        for (const QImage& other : seen)
            EXPECT_NE(image, other) << index;
        seen.push_back(image);
    }
    EXPECT_NE(CheckBoxIcon(true).pixmap(QSize(16, 16)).toImage(),
              CheckBoxIcon(false).pixmap(QSize(16, 16)).toImage());
}

TEST(GridImages, PicturesAreDrawnForTheRequestedSizeAndPixelRatio)
{
    const QPixmap sharp = MarkerIcon(1).pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_DOUBLE_EQ(sharp.devicePixelRatio(), 2.0);
    // Drawn at 32 pixels, not scaled up: the shape covers about four times the pixels.
    const int small = OpaquePixels(MarkerIcon(1).pixmap(QSize(16, 16), 1.0));
    EXPECT_NEAR(OpaquePixels(sharp), 4 * small, small);
    EXPECT_EQ(CheckBoxIcon(false).pixmap(QSize(48, 48)).size(), QSize(48, 48));
}

} // namespace
} // namespace wirevane
