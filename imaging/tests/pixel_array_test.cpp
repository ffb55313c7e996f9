#include "zel/imaging.h"

#include <gtest/gtest.h>

TEST(ImagingPixelArray, AllocatesWritableRowsOfEachKind) {
    _pixel** colour = ppm_allocarray(3, 2);
    unsigned char** grey = pgm_allocarray(3, 2);
    unsigned char** bits = pbm_allocarray(3, 2);
    ASSERT_NE(colour, nullptr);
    ASSERT_NE(grey, nullptr);
    ASSERT_NE(bits, nullptr);
    colour[1][2] = _pixel{1, 2, 3, 4};
    grey[1][2] = 200;
    bits[1][2] = 1;
    EXPECT_EQ(colour[1][2].b, 3);
    ppm_freearray(colour, 2);
    pgm_freearray(grey, 2);
    pbm_freearray(bits, 2);
}

TEST(ImagingPixelArray, EmptyOrNegativeSizeGivesNull) {
    EXPECT_EQ(ppm_allocarray(0, 5), nullptr);
    EXPECT_EQ(pgm_allocarray(5, 0), nullptr);
    EXPECT_EQ(pbm_allocarray(-1, 5), nullptr);
    ppm_freearray(nullptr, 5);
    pgm_freearray(nullptr, 5);
}
