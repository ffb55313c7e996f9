#include "picture_fixtures.h"

#include <gtest/gtest.h>

#include <climits>

using namespace zel::imaging::test;

TEST(ImagingDrawing, CrossIsClippedAtTheEdges) {
    Picture p(30, 30);
    EXPECT_EQ(face_ppmcross(p.rows(), 30, 30, 2, 27, 255, 0, 0), 0);
    EXPECT_TRUE(same_rgb(p.at(27, 0), rgb(255, 0, 0)));
    EXPECT_TRUE(same_rgb(p.at(27, 12), rgb(255, 0, 0)));
    EXPECT_TRUE(same_rgb(p.at(27, 13), rgb(0, 0, 0)));
    EXPECT_TRUE(same_rgb(p.at(29, 2), rgb(255, 0, 0)));
    EXPECT_TRUE(same_rgb(p.at(17, 2), rgb(255, 0, 0)));
    EXPECT_TRUE(same_rgb(p.at(16, 2), rgb(0, 0, 0)));
    // A centre off the picture draws only what lies inside.
    EXPECT_EQ(face_ppmcross(p.rows(), 30, 30, 5, -3, 1, 2, 3), 0);
    EXPECT_TRUE(same_rgb(p.at(7, 5), rgb(1, 2, 3)));
}

TEST(ImagingDrawing, CrossCentredAtTheIntLimitsDrawsNothing) {
    Picture p(10, 10);
    for (const int far : {INT_MIN, INT_MIN + 5, INT_MAX - 5, INT_MAX}) {
        EXPECT_EQ(face_ppmcross(p.rows(), 10, 10, far, 4, 255, 0, 0), 0);
        EXPECT_EQ(face_ppmcross(p.rows(), 10, 10, 4, far, 255, 0, 0), 0);
    }
    for (int r = 0; r < 10; ++r)
        for (int k = 0; k < 10; ++k)
            EXPECT_TRUE(same_rgb(p.at(r, k), rgb(0, 0, 0))) << r << ", " << k;
}

TEST(ImagingDrawing, SquareOutlineAndOutOfRangeCornersAreSkipped) {
    Picture p(10, 10);
    EXPECT_EQ(face_ppmsquare(p.rows(), 10, 10, 2, 5, 1, 4, 0, 255, 0), 0);
    EXPECT_TRUE(same_rgb(p.at(1, 3), rgb(0, 255, 0)));
    EXPECT_TRUE(same_rgb(p.at(4, 5), rgb(0, 255, 0)));
    EXPECT_TRUE(same_rgb(p.at(3, 2), rgb(0, 255, 0)));
    EXPECT_TRUE(same_rgb(p.at(2, 3), rgb(0, 0, 0)));
    EXPECT_EQ(face_ppmsquare(p.rows(), 10, 10, -5, 15, -5, 15, 1, 1, 1), 0);
}

TEST(ImagingDrawing, SquareReachingTheIntLimitsDrawsItsInsidePartAtOnce) {
    Picture p(10, 10);
    EXPECT_EQ(face_ppmsquare(p.rows(), 10, 10, INT_MIN, INT_MAX, 2, INT_MAX, 9, 8, 7), 0);
    EXPECT_EQ(face_ppmsquare(p.rows(), 10, 10, 3, INT_MAX, INT_MIN, INT_MAX, 9, 8, 7), 0);
    EXPECT_TRUE(same_rgb(p.at(2, 0), rgb(9, 8, 7)));
    EXPECT_TRUE(same_rgb(p.at(2, 9), rgb(9, 8, 7)));
    EXPECT_TRUE(same_rgb(p.at(0, 3), rgb(9, 8, 7)));
    EXPECT_TRUE(same_rgb(p.at(9, 3), rgb(9, 8, 7)));
    EXPECT_TRUE(same_rgb(p.at(1, 0), rgb(0, 0, 0)));
    EXPECT_TRUE(same_rgb(p.at(5, 5), rgb(0, 0, 0)));
}

TEST(ImagingBilevelRows, FlipInPlaceAndToNewArray) {
    unsigned char** bits = pbm_allocarray(2, 3);
    for (int r = 0; r < 3; ++r)
        bits[r][0] = bits[r][1] = static_cast<unsigned char>(r);
    unsigned char** copy = retflipBIT(bits, 2, 3);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy[0][1], 2);
    EXPECT_EQ(copy[2][0], 0);
    EXPECT_EQ(BITflip(bits, 2, 3), 0);
    EXPECT_EQ(bits[0][0], 2);
    EXPECT_EQ(bits[1][0], 1); // the middle row of an odd count stays
    EXPECT_EQ(bits[2][1], 0);
    EXPECT_EQ(BITflip(bits, 2, 0), -11);
    EXPECT_EQ(BITflip(nullptr, 2, 3), -11);
    EXPECT_EQ(bits[0][0], 2);
    EXPECT_EQ(retflipBIT(bits, 0, 3), nullptr);
    EXPECT_EQ(pbm_allocarray(0, 3), nullptr);
    EXPECT_EQ(ppm_allocarray(3, -1), nullptr);
    face_pbmclear(bits, 2, 3, 0x101);
    EXPECT_EQ(bits[2][1], 1);
    pbm_freearray(copy, 3);
    pbm_freearray(bits, 3);
}
