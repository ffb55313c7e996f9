#include "picture_fixtures.h"

#include <gtest/gtest.h>

using namespace zel::imaging::test;

TEST(ImagingPixelFiles, BilevelRoundTripAndThreshold) {
    unsigned char** bits = pbm_allocarray(5, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c)
            bits[r][c] = static_cast<unsigned char>((r + c) % 2);
    const std::string name = work_file("bits");
    ASSERT_EQ(face_pbmout(name.c_str(), bits, 5, 4), 0);
    int cols = 0, rows = 0;
    unsigned char** back = face_pbmin(name.c_str(), &cols, &rows);
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(cols, 5);
    ASSERT_EQ(rows, 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c)
            ASSERT_EQ(back[r][c], bits[r][c]);
    pbm_freearray(back, rows);

    // Grey 253 is black, 254 and 255 white.
    unsigned char** grey = pgm_allocarray(3, 2);
    for (int r = 0; r < 2; ++r) {
        grey[r][0] = 253;
        grey[r][1] = 254;
        grey[r][2] = 255;
    }
    ASSERT_EQ(face_pgmout(name.c_str(), grey, 3, 2), 0);
    back = face_pbmin(name.c_str(), &cols, &rows);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back[1][0], 0);
    EXPECT_EQ(back[1][1], 1);
    EXPECT_EQ(back[1][2], 1);
    unsigned char maxval = 0;
    unsigned char** greyBack = face_pgmin(name.c_str(), &cols, &rows, &maxval);
    ASSERT_NE(greyBack, nullptr);
    EXPECT_EQ(maxval, 255);
    EXPECT_EQ(greyBack[0][0], 253);
    pgm_freearray(greyBack, rows);
    pbm_freearray(back, rows);
    pgm_freearray(grey, 2);
    pbm_freearray(bits, 4);
}

TEST(ImagingPixelFiles, ColourInIsShrunkAndSizedToWhatItDelivers) {
    Picture picture(1000, 500);
    fill_pattern(picture);
    const std::string name = work_file("wide");
    ASSERT_EQ(face_ppmout(name.c_str(), picture.rows(), 1000, 500, 255), 0);
    int cols = 0, rows = 0;
    unsigned char maxval = 0;
    _pixel** arr = face_ppmin(name.c_str(), &cols, &rows, &maxval);
    ASSERT_NE(arr, nullptr);
    EXPECT_EQ(cols, 720);
    EXPECT_EQ(rows, 360);
    EXPECT_EQ(maxval, 255);
    ppm_freearray(arr, rows); // releases everything: no leak under ASan
    EXPECT_EQ(face_ppmout(work_file("no/dir/x").c_str(), picture.rows(), 10, 10, 255), -11);
}

TEST(ImagingPixelFiles, TextDumpLinesInRowOrder) {
    Picture picture(2, 2);
    picture.at(1, 0) = rgb(1, 22, 255);
    const std::string path = work_file("dump.txt");
    ppm_save_ascii(picture.rows(), 2, 2, path.c_str());
    EXPECT_EQ(read_bytes(path), "Column: 2, Row: 2\n"
                                "[ 0][ 0]:    0   0   0\n"
                                "[ 0][ 1]:    0   0   0\n"
                                "[ 1][ 0]:    1  22 255\n"
                                "[ 1][ 1]:    0   0   0\n");
}
