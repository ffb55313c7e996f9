#include "file/bw_block.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zel::engine {
namespace {

std::string block_of(BwBuffer& image) {
    std::string out;
    EXPECT_EQ(zel_write_bwblock(out, image.row_table(), image.cols(), image.rows()), 0);
    return out;
}

int read_block(const std::string& text, BwBuffer& image) {
    TextReader reader(text);
    return zel_read_bwblock(reader, image, -21);
}

TEST(FileBwBlock, AnAllWhiteFaceIsOneRun) {
    BwBuffer white(720, 960, 1);
    const std::string text = block_of(white);
    EXPECT_EQ(text, "720:960:1:\n691200:\n");
    BwBuffer back;
    ASSERT_EQ(read_block(text, back), 0);
    EXPECT_EQ(back.cols(), 720);
    EXPECT_EQ(back.rows(), 960);
    EXPECT_EQ(std::string(back.pixels(), back.pixels() + 720 * 960), std::string(720 * 960, '\1'));
}

TEST(FileBwBlock, TwentyRunsFillALine) {
    BwBuffer image(21, 2, 1);
    for (int c = 1; c < 21; c += 2)
        image.row_table()[0][c] = 0; // 21 runs on row 0, the 21st running on through row 1
    EXPECT_EQ(block_of(image), "21:2:1:\n1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:1:\n22:\n");
}

TEST(FileBwBlock, ADrawingReadsBackExactlyLastRowIncluded) {
    std::mt19937 random(7);
    BwBuffer image(97, 61, 1);
    for (int r = 0; r < image.rows(); ++r)
        for (int c = 0; c < image.cols(); ++c)
            image.row_table()[r][c] = random() % 7 == 0 ? 0 : 1;
    // A last row that differs from the value in force at the end of the row above.
    for (int c = 0; c < image.cols(); c += 3)
        image.row_table()[60][c] = 0;
    BwBuffer back;
    ASSERT_EQ(read_block(block_of(image), back), 0);
    for (int r = 0; r < image.rows(); ++r)
        for (int c = 0; c < image.cols(); ++c)
            ASSERT_EQ(back.row_table()[r][c], image.row_table()[r][c]) << r << "," << c;
}

TEST(FileBwBlock, RunsEndingBeforeTheLastRowLeaveItInTheValueInForce) {
    // 3 x 3: row 0 ink, row 1 white, then no runs for row 2.
    BwBuffer image;
    ASSERT_EQ(read_block("3:3:0:\n3:3:\n", image), 0);
    EXPECT_EQ(std::string(image.pixels(), image.pixels() + 9),
              std::string("\0\0\0\1\1\1\0\0\0", 9));
}

TEST(FileBwBlock, RefusesBlocksThatDoNotFitOrDoNotAddUp) {
    const char* refused[] = {
        "0:960:1:\n1:\n",         // no columns
        "-4:2:1:\n8:\n",          // negative columns
        "721:1:1:\n721:\n",       // wider than the canvas
        "1:961:1:\n961:\n",       // higher than the canvas
        "720:960:",               // size line ends after the rows
        "4:2:2:\n8:\n",           // first value 2
        "4:2:-1:\n8:\n",          // first value -1
        "4:2:1:\n0:8:\n",         // a run of 0
        "4:2:1:\n-3:11:\n",       // a negative run
        "4:2:1:\n5:4:\n",         // runs past the block
        "4:2:1:\n1:2:\n",         // runs stop in the middle of row 0
        "4:2:1:\n4:2:\n",         // runs stop in the middle of the last row
        "4:2:1:\n8:1:\n",         // a run after the block is full
        "4:2:1:\n8:\n3:\n",       // a line of runs after the block is full
        "4:2:1:\n99999999999:\n", // a run that overflows its field
    };
    for (const char* text : refused) {
        BwBuffer image;
        EXPECT_NE(read_block(text, image), 0) << text;
    }
    BwBuffer image;
    EXPECT_EQ(read_block("4:2:1:\n8:\n\n  \n", image), 0) << "blank lines may follow";
}

TEST(FileBwBlock, SizeFieldsUsingUpTheirLineGiveTheVersionsCode) {
    BwBuffer image;
    TextReader v1("720:");
    EXPECT_EQ(zel_read_bwblock(v1, image, -20), -20);
    TextReader v2("720:");
    EXPECT_EQ(zel_read_bwblock(v2, image, -21), -21);
}

TEST(FileBwBlock, AWriterWithoutRowsRefuses) {
    std::string out;
    EXPECT_EQ(zel_write_bwblock(out, nullptr, 720, 960), -21);
    EXPECT_TRUE(out.empty());
}

} // namespace
} // namespace zel::engine
