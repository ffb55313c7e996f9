#include "zel/dialogs/screen_copy.h"

#include <gtest/gtest.h>

namespace {

using zel::dialogs::drawing_from_screen_bits;
using zel::dialogs::screen_bits_from_drawing;
using zel::dialogs::screen_bits_from_pixels;
using zel::dialogs::screen_row_bytes;

TEST(ScreenCopy, RowsArePaddedToFourBytes) {
    EXPECT_EQ(screen_row_bytes(1), 4);
    EXPECT_EQ(screen_row_bytes(4), 12);
    EXPECT_EQ(screen_row_bytes(5), 16);
    EXPECT_EQ(screen_row_bytes(0), 0);
}

TEST(ScreenCopy, ColourRowsAreBlueGreenRedWithThePadByte) {
    _pixel** pixels = ppm_allocarray(2, 2);
    ASSERT_NE(pixels, nullptr);
    pixels[0][0] = {1, 2, 3, 0};
    pixels[0][1] = {4, 5, 6, 0};
    pixels[1][0] = {7, 8, 9, 0};
    pixels[1][1] = {10, 11, 12, 0};
    const auto bits = screen_bits_from_pixels(pixels, 2, 2, 128);
    const std::vector<unsigned char> expected{3, 2, 1, 6,  5,  4,  128, 128,
                                              9, 8, 7, 12, 11, 10, 128, 128};
    EXPECT_EQ(bits, expected);
    ppm_freearray(pixels, 2);
}

TEST(ScreenCopy, DrawingRoundTripsThroughGrey192) {
    unsigned char** drawing = pbm_allocarray(3, 2);
    ASSERT_NE(drawing, nullptr);
    const unsigned char values[2][3] = {{0, 1, 1}, {1, 0, 1}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            drawing[y][x] = values[y][x];
        }
    }
    auto bits = screen_bits_from_drawing(drawing, 3, 2, 192);
    ASSERT_EQ(bits.size(), 24u);
    EXPECT_EQ(bits[0], 0);
    EXPECT_EQ(bits[3], 192);
    EXPECT_EQ(bits[9], 192); // the pad byte

    // Anything from 191 up reads back as paper, anything below as ink.
    bits[0] = 191;
    bits[3] = 190;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            drawing[y][x] = 7;
        }
    }
    drawing_from_screen_bits(bits.data(), 3, 2, drawing);
    EXPECT_EQ(drawing[0][0], 1);
    EXPECT_EQ(drawing[0][1], 0);
    EXPECT_EQ(drawing[0][2], 1);
    EXPECT_EQ(drawing[1][1], 0);
    pbm_freearray(drawing, 2);
}

TEST(ScreenCopy, NothingIsBuiltForAnEmptyPicture) {
    EXPECT_TRUE(screen_bits_from_pixels(nullptr, 4, 4, 0).empty());
    _pixel** pixels = ppm_allocarray(1, 1);
    EXPECT_TRUE(screen_bits_from_pixels(pixels, 0, 1, 0).empty());
    EXPECT_TRUE(screen_bits_from_pixels(pixels, 1, -1, 0).empty());
    ppm_freearray(pixels, 1);
}

} // namespace
