#include "picture_fixtures.h"

#include <gtest/gtest.h>

using namespace zel::imaging::test;

namespace {
const _pixel key = rgb(0, 0, 255);
const _pixel canvas = rgb(9, 9, 9);

void paint(const Picture& p, _pixel c) {
    set_imgcolor(p.rows(), p.cols(), p.height(), c);
}
} // namespace

TEST(ImagingKeyPaste, CutsOffWhatFallsOutsideAndRefusesOriginOutside) {
    Picture dst(10, 8);
    Picture src(5, 5);
    paint(dst, canvas);
    paint(src, rgb(200, 0, 0));
    EXPECT_EQ(imageCompose(dst.rows(), 10, 8, src.rows(), 5, 5, key, 7, 6), 1);
    EXPECT_TRUE(same_rgb(dst.at(7, 9), rgb(200, 0, 0)));
    EXPECT_TRUE(same_rgb(dst.at(6, 7), rgb(200, 0, 0)));
    EXPECT_TRUE(same_rgb(dst.at(5, 7), canvas));

    paint(dst, canvas);
    EXPECT_EQ(imageCompose(dst.rows(), 10, 8, src.rows(), 5, 5, key, 10, 0), 0);
    EXPECT_EQ(imageCompose(dst.rows(), 10, 8, src.rows(), 5, 5, key, 0, 8), 0);
    EXPECT_EQ(imageCompose(dst.rows(), 10, 8, src.rows(), 5, 5, key, -1, 0), 0);
    EXPECT_EQ(imageCompose(nullptr, 10, 8, src.rows(), 5, 5, key, 0, 0), 0);
    EXPECT_EQ(imageCompose_head(dst.rows(), 10, 8, nullptr, 5, 5, key, 0, 0), 0);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 10; ++c)
            ASSERT_TRUE(same_rgb(dst.at(r, c), canvas));
}

TEST(ImagingKeyPaste, DistanceThirtyFiveIsKeyThirtySixIsCopied) {
    Picture dst(2, 1);
    Picture src(2, 1);
    paint(dst, canvas);
    src.at(0, 0) = rgb(20, 0, 240); // 20 + 15 = 35
    src.at(0, 1) = rgb(21, 0, 240); // 36
    EXPECT_EQ(imageCompose(dst.rows(), 2, 1, src.rows(), 2, 1, key, 0, 0), 1);
    EXPECT_TRUE(same_rgb(dst.at(0, 0), canvas));
    EXPECT_TRUE(same_rgb(dst.at(0, 1), rgb(21, 0, 240)));
}

TEST(ImagingSpanPaste, FillsKeyHolesInsideTheOutlineButNotTheLastColumn) {
    Picture dst(6, 3);
    Picture src(6, 3);
    paint(dst, canvas);
    paint(src, key);
    const _pixel skin = rgb(200, 150, 120);
    // Row 0: key skin key key skin key -> copies columns 1..3.
    src.at(0, 1) = skin;
    src.at(0, 4) = skin;
    // Row 1: one skin pixel only -> nothing.
    src.at(1, 2) = skin;
    // Row 2: all key -> nothing.
    EXPECT_EQ(imageCompose_head(dst.rows(), 6, 3, src.rows(), 6, 3, key, 0, 0), 1);
    EXPECT_TRUE(same_rgb(dst.at(0, 0), canvas));
    EXPECT_TRUE(same_rgb(dst.at(0, 1), skin));
    EXPECT_TRUE(same_rgb(dst.at(0, 2), key));
    EXPECT_TRUE(same_rgb(dst.at(0, 3), key));
    EXPECT_TRUE(same_rgb(dst.at(0, 4), canvas));
    for (int c = 0; c < 6; ++c) {
        EXPECT_TRUE(same_rgb(dst.at(1, c), canvas));
        EXPECT_TRUE(same_rgb(dst.at(2, c), canvas));
    }
}

TEST(ImagingSpanPaste, StopsAtTheRightEdge) {
    Picture dst(4, 1);
    Picture src(6, 1);
    paint(dst, canvas);
    paint(src, rgb(1, 200, 1));
    EXPECT_EQ(imageCompose_head(dst.rows(), 4, 1, src.rows(), 6, 1, key, 2, 0), 1);
    EXPECT_TRUE(same_rgb(dst.at(0, 1), canvas));
    EXPECT_TRUE(same_rgb(dst.at(0, 3), rgb(1, 200, 1)));
}
