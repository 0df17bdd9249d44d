#include "app/app_icons.h"
#include "support/test_paths.h"

#include <QImage>
#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>

namespace wirevane {
namespace {

// How far two renderings of one drawing lie apart: the mean difference per colour channel
// (premultiplied, 0..255) and the share of pixels where some channel differs by more than a
// quarter. Anti-aliasing of two renderers keeps both small; a different drawing does not.
struct Difference {
    double meanChannel = 0;
    double strayPixels = 0;
};

Difference Compare(const QImage& a, const QImage& b)
{
    const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double total = 0;
    int stray = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            const int channels[4] = {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                     std::abs(qBlue(p) - qBlue(q)),
                                     std::abs(qAlpha(p) - qAlpha(q))};
            int largest = 0;
            for (int channel : channels) {
                total += channel;
                largest = std::max(largest, channel);
            }
            stray += largest > 64 ? 1 : 0;
        }
    }
    const double pixels = double(left.width()) * left.height();
    return {total / (pixels * 4), stray / pixels};
}

QImage Rendered(const QIcon& icon, int side)
{
    return icon.pixmap(QSize(side, side), 1.0).toImage();
}

QImage Packaged(int side)
{
    const auto path = test::binaryDir() / "packaging" / "icons" /
                      (std::to_string(side) + "x" + std::to_string(side)) / "wirevane.png";
    return QImage(QString::fromStdString(path.string()));
}

// The package's icon files are drawn from an SVG copy of the window's icon; it must stay the
// picture the program itself shows.
TEST(PackagedIcon, LooksLikeTheWindowIconAtSmallAndLargeSizes)
{
    for (int side : {32, 128}) {
        const QImage packaged = Packaged(side);
        ASSERT_FALSE(packaged.isNull()) << side;
        ASSERT_EQ(packaged.size(), QSize(side, side));
        const Difference difference = Compare(Rendered(MainIcon(), side), packaged);
        EXPECT_LT(difference.meanChannel, 2.0) << side;
        EXPECT_LT(difference.strayPixels, 0.004) << side;
    }
}

TEST(PackagedIcon, TheComparisonTellsAnotherIconApart)
{
    const Difference difference = Compare(Rendered(ExitIcon(), 128), Packaged(128));
    EXPECT_GT(difference.strayPixels, 0.1);
}

} // namespace
} // namespace wirevane
