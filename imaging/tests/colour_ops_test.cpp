#include "picture_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zel::imaging::test;

namespace {
struct Hsv {
    int h, s, v;
    bool operator==(const Hsv&) const = default;
};
Hsv hsv(_pixel p) {
    Hsv out{};
    pixel2hsv(p, out.h, out.s, out.v);
    return out;
}
} // namespace

TEST(ImagingHsv, GreyRedAndBlue) {
    EXPECT_EQ(hsv(rgb(128, 128, 128)), (Hsv{0, 0, 127}));
    EXPECT_EQ(hsv(rgb(255, 0, 0)), (Hsv{0, 255, 76}));
    EXPECT_EQ(hsv(rgb(0, 0, 255)), (Hsv{170, 255, 29}));
}

// The conversion is tabled for speed; it must stay the plain floating-point formula.
TEST(ImagingHsv, MatchesTheFloatingPointFormulaAcrossTheColourCube) {
    const auto formula = [](_pixel p) {
        const double r = p.r / 255.0, g = p.g / 255.0, b = p.b / 255.0;
        const double max = std::max({r, g, b}), min = std::min({r, g, b});
        const double s = max != 0.0 ? (max - min) / max : 0.0;
        double hue = -1.0;
        if (s != 0.0) {
            const double d = max - min;
            const double dr = (max - r) / d, dg = (max - g) / d, db = (max - b) / d;
            hue = r == max ? db - dg : g == max ? 2.0 + dr - db : 4.0 + dg - dr;
            hue *= 60.0;
            if (hue < 0.0)
                hue += 360.0;
        }
        return Hsv{static_cast<int>(hue * 255.0 / 360.0), static_cast<int>(s * 255.0),
                   std::min(static_cast<int>(0.299 * p.r + 0.587 * p.g + 0.114 * p.b), 255)};
    };
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 1) {
                ASSERT_EQ(hsv(rgb(r, g, b)), formula(rgb(r, g, b))) << r << "," << g << "," << b;
            }
}

TEST(ImagingHsv, PictureConversionKeepsSpareAndMatchesPixelConversion) {
    Picture src(4, 3);
    fill_pattern(src);
    Picture dst(4, 3);
    dst.at(2, 3).spare = 77;
    face_rgb2hvs(src.rows(), 4, 3, dst.rows());
    const Hsv expected = hsv(src.at(2, 3));
    EXPECT_EQ(dst.at(2, 3).r, expected.h);
    EXPECT_EQ(dst.at(2, 3).g, expected.s);
    EXPECT_EQ(dst.at(2, 3).b, expected.v);
    EXPECT_EQ(dst.at(2, 3).spare, 77);
}

TEST(ImagingFill, SetsColourButNotSpareAndRefusesBadInput) {
    Picture p(3, 2);
    p.at(1, 1).spare = 9;
    EXPECT_EQ(set_imgcolor(p.rows(), 3, 2, _pixel{10, 20, 30, 40}), 1);
    EXPECT_TRUE(same_rgb(p.at(1, 1), rgb(10, 20, 30)));
    EXPECT_EQ(p.at(1, 1).spare, 9);
    EXPECT_EQ(set_imgcolor(nullptr, 3, 2, rgb(1, 1, 1)), 0);
    EXPECT_EQ(set_imgcolor(p.rows(), -1, 2, rgb(1, 1, 1)), 0);
    EXPECT_EQ(set_imgBGcolor(p.rows(), 3, -2, rgb(1, 1, 1), rgb(2, 2, 2)), 0);
}

TEST(ImagingFill, EdgeRunsAreReplacedEnclosedBackgroundStays) {
    const _pixel bg = rgb(255, 255, 255);
    const _pixel ink = rgb(0, 0, 0);
    const _pixel to = rgb(0, 255, 0);
    Picture p(7, 2);
    // Row 0: bg bg ink bg ink bg bg; row 1: all bg.
    for (int c = 0; c < 7; ++c) {
        p.at(0, c) = bg;
        p.at(1, c) = bg;
    }
    p.at(0, 2) = ink;
    p.at(0, 4) = ink;
    EXPECT_EQ(set_imgBGcolor(p.rows(), 7, 2, bg, to), 1);
    EXPECT_TRUE(same_rgb(p.at(0, 0), to));
    EXPECT_TRUE(same_rgb(p.at(0, 1), to));
    EXPECT_TRUE(same_rgb(p.at(0, 3), bg));
    EXPECT_TRUE(same_rgb(p.at(0, 5), to));
    EXPECT_TRUE(same_rgb(p.at(0, 6), to));
    for (int c = 0; c < 7; ++c)
        EXPECT_TRUE(same_rgb(p.at(1, c), to));
}
