#include "test_data_folder.h"

#include "vyresrc/vyresrc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using vyresrc::testing::TestDataFolder;

TEST(Reader, HandsOutDrawingsWithInkAsZero) {
    TestDataFolder data("drawing");
    data.write_valid_set(4);
    int cols = 0, rows = 0;
    unsigned char** bitmap = OpenBWresource(4, "EYE222", &cols, &rows);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_EQ(cols, 4);
    ASSERT_EQ(rows, 3);
    const unsigned char expected[3][4] = {{1, 1, 0, 0}, {1, 0, 1, 0}, {0, 0, 0, 1}};
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            EXPECT_EQ(bitmap[r][c], expected[r][c]) << r << "," << c;

    // Each open is a copy: scribbling on one does not reach the next.
    bitmap[0][0] = 0;
    unsigned char** again = OpenBWresource(4, "EYE222", &cols, &rows);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again[0][0], 1);
    CloseBWresource(bitmap, rows);
    CloseBWresource(again, rows);
    CloseBWresource(nullptr, 0);
}

TEST(Reader, ReadsLocationRecordsOfDrawingsAndOfTheStandardFace) {
    TestDataFolder data("loc");
    data.write_valid_set(4);
    std::int32_t loc[6] = {};
    ASSERT_NE(ReadLocResource(4, "EYE222", loc), 0);
    EXPECT_EQ(std::vector<std::int32_t>(loc, loc + 6),
              (std::vector<std::int32_t>{3, 1, 0, 3, 0, 2}));
    ASSERT_NE(ReadLocResource(4, "STD_FACE", loc), 0);
    EXPECT_EQ(std::vector<std::int32_t>(loc, loc + 6),
              (std::vector<std::int32_t>{359, 469, 150, 569, 180, 759}));
    // A location record alone has no drawing.
    int cols = 0, rows = 0;
    EXPECT_EQ(OpenBWresource(4, "STD_FACE", &cols, &rows), nullptr);
}

TEST(Reader, ReadsPointTemplatesWithCountAndReferenceInTheHeader) {
    TestDataFolder data("points");
    data.write_valid_set(4);
    // The header ends at the sixth word, the reference size: nothing is written past it.
    std::int32_t header[vyresrc::kBinHeaderWords + 1];
    header[6] = 77;
    std::vector<std::int32_t> x(1000, 77), y(1000, 77), w(1000, 77);
    ASSERT_NE(ReadBinTemplate(4, "EYE_LEFT_IN", header, x.data(), y.data(), w.data(), 1000), 0);
    EXPECT_EQ(header[6], 77);
    EXPECT_EQ(header[4], 3);   // the fifth word: points used
    EXPECT_EQ(header[5], 580); // the sixth: the size the offsets are drawn at
    EXPECT_EQ(header[vyresrc::kBinHeaderSet], 4);
    EXPECT_EQ(header[vyresrc::kBinHeaderSpreadCols], 15);
    EXPECT_EQ(header[vyresrc::kBinHeaderSpreadRows], 13);
    EXPECT_EQ(header[vyresrc::kBinHeaderPositive], 2);
    EXPECT_EQ((std::vector<std::int32_t>{x[0], y[0], w[0], x[2], y[2], w[2], x[3]}),
              (std::vector<std::int32_t>{-5, 0, -2, 0, 12, 2, 77}));
}

TEST(Reader, RefusesTooSmallArraysWithoutWritingThem) {
    TestDataFolder data("capacity");
    data.write_valid_set(4);
    std::int32_t header[vyresrc::kBinHeaderWords] = {};
    std::int32_t x[2] = {7, 7}, y[2] = {7, 7}, w[2] = {7, 7};
    EXPECT_EQ(ReadBinTemplate(4, "EYE_LEFT_IN", header, x, y, w, 2), 0);
    EXPECT_EQ(x[0], 7);
    EXPECT_EQ(header[vyresrc::kBinHeaderPointCount], 0);
    EXPECT_EQ(ReadBinTemplate(4, "EYE_LEFT_IN", nullptr, x, y, w, 2), 0);
}

TEST(Reader, LaysOutFuzzyRecordsAtTheirOffsets) {
    TestDataFolder data("fuzzy");
    data.write_valid_set(4);
    std::vector<unsigned char> buffer(12 * 144, 0xAB);
    ASSERT_NE(ReadFuzzyResource(4, buffer.data(), 12), 0);
    auto at = [&](int k, int offset) {
        double v = 0;
        std::memcpy(&v, buffer.data() + k * 144 + offset, sizeof v);
        return v;
    };
    EXPECT_EQ(at(0, 56), 0.0);  // p0
    EXPECT_EQ(at(0, 104), 6.0); // p6
    EXPECT_EQ(at(11, 120), 1107.0);
    EXPECT_EQ(at(11, 136), 1109.0);
    EXPECT_EQ(at(5, 112), 0.0); // unused words are zero
    EXPECT_EQ(buffer[0], 0);

    // A shorter request writes only what it asks for; a count outside 1..12 is refused.
    std::vector<unsigned char> one(2 * 144, 0xAB);
    ASSERT_NE(ReadFuzzyResource(4, one.data(), 1), 0);
    EXPECT_EQ(one[144], 0xAB);
    EXPECT_EQ(ReadFuzzyResource(4, buffer.data(), 13), 0);
    EXPECT_EQ(ReadFuzzyResource(4, buffer.data(), 0), 0);
}

TEST(Reader, ReadsSearchRangeAndThicknessTables) {
    TestDataFolder data("tables");
    data.write_valid_set(4);
    double range[21] = {};
    ASSERT_NE(face_readsearchrange(4, "SEARCH_RANGE", range), 0);
    EXPECT_DOUBLE_EQ(range[0], 0.10);
    EXPECT_DOUBLE_EQ(range[20], 0.30);
    EXPECT_EQ(face_readsearchrange(4, "OTHER_RANGE", range), 0);
    double thick[30] = {};
    ASSERT_NE(read_thick_file(4, thick), 0);
    EXPECT_DOUBLE_EQ(thick[29], 29.5);
}

TEST(Reader, UnknownSetsAndNamesAreAbsent) {
    TestDataFolder data("unknown");
    data.write_valid_set(4);
    int cols = -1, rows = -1;
    std::int32_t loc[6] = {9, 9, 9, 9, 9, 9};
    double values[30] = {};
    EXPECT_EQ(OpenBWresource(5, "EYE222", &cols, &rows), nullptr);
    EXPECT_EQ(OpenBWresource(4, "EYE999", &cols, &rows), nullptr);
    EXPECT_EQ(OpenBWresource(4, nullptr, &cols, &rows), nullptr);
    EXPECT_EQ(OpenBWresource(4, "EYE222", nullptr, &rows), nullptr);
    EXPECT_EQ(cols, -1);
    EXPECT_EQ(ReadLocResource(-1, "EYE222", loc), 0);
    EXPECT_EQ(ReadLocResource(1000000, "EYE222", loc), 0);
    EXPECT_EQ(ReadLocResource(4, "eye222", loc), 0);
    EXPECT_EQ(loc[0], 9);
    EXPECT_EQ(read_thick_file(5, values), 0);
    EXPECT_EQ(read_thick_file(4, nullptr), 0);
}

TEST(Reader, FollowsTheDataFolderWhenItChanges) {
    {
        TestDataFolder first("first");
        first.write_valid_set(4);
        std::int32_t loc[6];
        ASSERT_NE(ReadLocResource(4, "EYE222", loc), 0);
    }
    TestDataFolder second("second");
    second.write(4, "parts.vyr", "vyresrc-parts 1\nloc NOSE2 1 2 0 3 0 4\n");
    second.write(4, "points.vyr", "vyresrc-points 1\n");
    second.write(4, "tables.vyr", "vyresrc-tables 1\n");
    std::int32_t loc[6];
    EXPECT_EQ(ReadLocResource(4, "EYE222", loc), 0);
    EXPECT_NE(ReadLocResource(4, "NOSE2", loc), 0);
}

} // namespace
