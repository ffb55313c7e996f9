// Feature-line search on strips with known rows: dark bands for the eye, the brow and the
// lips in bright skin, the window table, the averaging and the edges of the picture.

#include "generation/feature_line_search.h"

#include "fake_generation_tables.h"

#include <zel/testing/test_env.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace zel::engine {
namespace {

using testing::FakeGenerationTables;

// A grey picture of the image library, filled with skin brightness.
class Grey {
public:
    Grey(int cols, int rows, int value = 200) : cols_(cols), rows_(rows) {
        pixels_ = pgm_allocarray(cols, rows);
        band(0, rows - 1, value);
    }
    ~Grey() { pgm_freearray(pixels_, rows_); }
    Grey(const Grey&) = delete;
    Grey& operator=(const Grey&) = delete;
    unsigned char** rows() const { return pixels_; }
    // Rows y0..y1 of every column take value.
    void band(int y0, int y1, int value) {
        for (int y = y0; y <= y1; ++y)
            for (int x = 0; x < cols_; ++x)
                pixels_[y][x] = static_cast<unsigned char>(value);
    }

private:
    int cols_;
    int rows_;
    unsigned char** pixels_ = nullptr;
};

// Records the messages shown while it lives.
class Messages {
public:
    Messages() { previous_ = zel::set_message_handler(&record); }
    ~Messages() {
        zel::set_message_handler(previous_);
        texts().clear();
    }
    static std::vector<std::string>& texts() {
        static std::vector<std::string> all;
        return all;
    }

private:
    static void record(const char*, const char* text, zel::MessageIcon) { texts().push_back(text); }
    zel::MessageHandler previous_;
};

RowProfile profile_of(std::vector<int> values, int y0) {
    RowProfile p(y0, y0 + static_cast<int>(values.size()) - 1);
    for (std::size_t i = 0; i < values.size(); ++i)
        p.set(y0 + static_cast<int>(i), values[i]);
    return p;
}

TEST(Profiles, SumsSmoothingAndGradientOverTheStripRows) {
    Grey grey(10, 40, 10);
    grey.band(20, 20, 100);
    const RowProfile sums = strip_profile(grey.rows(), 10, 40, 2, 4, 5, 35);
    EXPECT_EQ(sums[5], 30);
    EXPECT_EQ(sums[20], 300);
    EXPECT_EQ(sums[4], 0); // outside the rows
    EXPECT_EQ(sums[36], 0);
    const RowProfile smooth = strip_profile_smoothed(grey.rows(), 10, 40, 2, 4, 5, 35);
    // The spike spreads evenly to both sides; the first and last rows keep their sums.
    EXPECT_LT(smooth[20], 300);
    EXPECT_GT(smooth[20], smooth[19]);
    EXPECT_EQ(smooth[19], smooth[21]);
    EXPECT_EQ(smooth[10], 30);
    EXPECT_EQ(smooth[5], 30);
    EXPECT_EQ(smooth[35], 30);
    const RowProfile g = strip_gradient(sums);
    EXPECT_EQ(g[19], 270);
    EXPECT_EQ(g[20], 0);
    EXPECT_EQ(g[21], 270);
    EXPECT_EQ(g[5], 0);
    EXPECT_EQ(g[35], 0);
}

TEST(Profiles, StripsReachingPastThePictureReadOnlyWhatIsInside) {
    Grey grey(10, 40, 10);
    const RowProfile sums = strip_profile(grey.rows(), 10, 40, -1, 1, -5, 44);
    EXPECT_EQ(sums[-5], 0);
    EXPECT_EQ(sums[0], 20);
    EXPECT_EQ(sums[39], 20);
    EXPECT_EQ(sums[44], 0);
}

TEST(Profiles, PercentileIsTheFirstValueWhoseCountPassesTheShare) {
    const RowProfile p = profile_of({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 20);
    EXPECT_EQ(profile_percentile(p, 20, 29, 90), 10);
    EXPECT_EQ(profile_percentile(p, 20, 29, 50), 6);
    EXPECT_EQ(profile_percentile(profile_of({0, 0, 0, 0}, 3), 3, 6, 90), 0);
}

TEST(StripSearch, EyeBoundariesAreTheStrongestEdgesBesideTheOpening) {
    Grey grey(20, 80);
    grey.band(40, 46, 50);
    int centre = -1, upper = -1, lower = -1;
    ASSERT_EQ(face_searcheyeline(grey.rows(), 20, 80, 8, 10, 25, 60, 43, centre, upper, lower), 0);
    EXPECT_EQ(centre, 0);
    EXPECT_EQ(upper, 39);
    EXPECT_EQ(lower, 46);
}

TEST(StripSearch, BrowBoundariesLieHalfwayUpToTheBrightPeaksBesideIt) {
    Grey grey(20, 80);
    grey.band(18, 22, 230); // lid fold above, cheek of the lid below
    grey.band(30, 37, 60);
    grey.band(45, 49, 230);
    int valley = -1, upper = -1, lower = -1;
    ASSERT_EQ(face_searchbrow(grey.rows(), 20, 80, 8, 10, 10, 60, valley, upper, lower), 0);
    EXPECT_GE(valley, 33);
    EXPECT_LE(valley, 35);
    EXPECT_NEAR(upper, 30, 1);
    EXPECT_NEAR(lower, 37, 1);
}

TEST(StripSearch, ABrowStripWithoutAValleyFindsNothing) {
    Grey grey(20, 80);
    for (int y = 0; y < 80; ++y)
        grey.band(y, y, 40 + 2 * y); // brighter all the way down
    int valley = -1, upper = -1, lower = -1;
    ASSERT_EQ(face_searchbrow(grey.rows(), 20, 80, 8, 10, 10, 60, valley, upper, lower), 0);
    EXPECT_EQ(valley, 0);
    EXPECT_EQ(upper, 0);
    EXPECT_EQ(lower, 0);
}

TEST(StripSearch, MouthLineLipsAndTheWeightTowardsTheMiddleRow) {
    Grey grey(20, 100);
    grey.band(34, 38, 230);
    grey.band(42, 49, 150); // upper lip
    grey.band(50, 51, 40);  // the line between the lips
    grey.band(52, 58, 150); // lower lip
    grey.band(62, 66, 230);
    int line = -1, upper = -1, lower = -1;
    ASSERT_EQ(face_searchmouthline(grey.rows(), 20, 100, 8, 10, 25, 75, 50, line, upper, lower), 0);
    EXPECT_NEAR(line, 50, 1);
    EXPECT_GT(upper, 36);
    EXPECT_LT(upper, 46);
    EXPECT_GT(lower, 54);
    EXPECT_LT(lower, 66);
    // Two equal notches: the one at the middle row (weight 100 ^ 2 = 102) beats the one half a
    // window away (weight 0 ^ 2 = 2).
    Grey two(20, 100);
    two.band(40, 41, 40);
    two.band(60, 61, 40);
    ASSERT_EQ(face_searchmouthline(two.rows(), 20, 100, 8, 10, 25, 75, 60, line, upper, lower), 0);
    EXPECT_NEAR(line, 60, 1);
    ASSERT_EQ(face_searchmouthline(two.rows(), 20, 100, 8, 10, 25, 75, 40, line, upper, lower), 0);
    EXPECT_NEAR(line, 40, 1);
}

TEST(StripSearch, WithoutABrightPeakBelowTheLineTheLowerLipIsNotFound) {
    // Below the mouth a beard's shadow, never as bright as half the skin above: no peak. The
    // walk of the lower lip would otherwise settle on the window's fourth-last row.
    Grey grey(20, 100);
    grey.band(34, 38, 230);
    grey.band(46, 51, 40);
    grey.band(52, 99, 110);
    int line = -1, upper = -1, lower = -1;
    ASSERT_EQ(face_searchmouthline(grey.rows(), 20, 100, 8, 10, 25, 75, 50, line, upper, lower), 0);
    EXPECT_NEAR(line, 49, 2);
    EXPECT_EQ(lower, 0);
}

TEST(StripSearch, UpsideDownWindowsAreRefusedWithOneMessage) {
    Messages messages;
    Grey grey(20, 80);
    LineRecord record;
    EXPECT_EQ(eyeline_scan_columns(grey.rows(), 20, 80, 2, 12, 50, 40, 45, record), -13);
    ASSERT_EQ(Messages::texts().size(), 1u);
    EXPECT_EQ(Messages::texts()[0], "Height is too big @ face_searcheyeline()");
    EXPECT_EQ(brow_scan_columns(grey.rows(), 20, 80, 2, 12, 50, 40, record), -13);
    EXPECT_EQ(Messages::texts().back(), "Height is too big @ face_searchbrow()");
    EXPECT_EQ(mouthline_scan_columns(grey.rows(), 20, 80, 2, 12, 50, 40, 45, record), -13);
    EXPECT_EQ(Messages::texts().back(), "Height is too big @ face_searchmouthline()");
    EXPECT_EQ(Messages::texts().size(), 3u);
}

TEST(ColumnScan, StripsCoverTheColumnsAndStayInsideThePicture) {
    Grey grey(20, 80);
    grey.band(40, 46, 50);
    LineRecord record;
    ASSERT_EQ(eyeline_scan_columns(grey.rows(), 20, 80, 12, 2, 25, 60, 43, record), 0);
    EXPECT_EQ(record.x0, 2);
    EXPECT_EQ(record.n, 7);
    ASSERT_EQ(record.b.size(), 10u);
    for (int i = 0; i <= 7; ++i) { // strips centred on columns 3..10
        EXPECT_EQ(record.b[i], 39) << i;
        EXPECT_EQ(record.c[i], 46) << i;
    }
    EXPECT_EQ(record.b[8], 0);
    // Fewer than three columns: no strip.
    ASSERT_EQ(eyeline_scan_columns(grey.rows(), 20, 80, 4, 6, 25, 60, 43, record), 0);
    EXPECT_TRUE(record.b.empty());
    // Columns and rows past the picture are clipped; wholly outside, nothing is searched.
    ASSERT_EQ(eyeline_scan_columns(grey.rows(), 20, 80, -30, 5, 25, 60, 43, record), 0);
    EXPECT_EQ(record.x0, 0);
    EXPECT_EQ(record.b[0], 39);
    ASSERT_EQ(eyeline_scan_columns(grey.rows(), 20, 80, 25, 60, 25, 60, 43, record), 0);
    EXPECT_TRUE(record.b.empty());
    ASSERT_EQ(brow_scan_columns(grey.rows(), 20, 80, 2, 12, -40, -10, record), 0);
    EXPECT_EQ(record.b[0], 0);
    ASSERT_EQ(mouthline_scan_columns(grey.rows(), 20, 80, 2, 12, 70, 95, 80, record), 0);
}

TEST(Averaging, CountsBoundariesWithinTheLimitsNearTheMiddle) {
    FeatureWindows v{};
    v[3 * 4] = 40; // top group: default 40, limits 35..45
    v[3 * 4 + 1] = 35;
    v[3 * 4 + 2] = 45;
    v[3 * 5] = 60; // bottom group: default 60, limits 55..65
    v[3 * 5 + 1] = 55;
    v[3 * 5 + 2] = 65;
    LineRecord record;
    record.x0 = 10;
    record.n = 5;
    record.b = {36, 44, 0, 99, 38, 37};
    record.c = {56, 64, 58, 50, 0, 57};
    int top = 0, bottom = 0;
    // Columns 10..14 are visited; 99 and 50 lie outside the limits, 0 is "not found"; the last
    // stored entry (column 15) is never visited.
    line_record_average(record, 0, 100, top, bottom, v, 4, 5);
    EXPECT_EQ(top, (36 + 44 + 38) / 3);
    EXPECT_EQ(bottom, (56 + 64 + 58) / 3);
    // Only columns 11..12.
    line_record_average(record, 11, 12, top, bottom, v, 4, 5);
    EXPECT_EQ(top, 44);
    EXPECT_EQ(bottom, (64 + 58) / 2);
    // Nothing counts: the defaults.
    line_record_average(LineRecord{}, 0, 100, top, bottom, v, 4, 5);
    EXPECT_EQ(top, 40);
    EXPECT_EQ(bottom, 60);
}

TEST(WindowTable, RowsAroundTheEyesAndMouthWidenedByTheMargin) {
    double t[30];
    for (int i = 0; i < 30; ++i)
        t[i] = 0.01 * (i % 3 + 1); // default 0.01, limits 0.02 and 0.03
    // H = 200: margin 5; H t = 2, 4, 6.
    const FeatureWindows v = feature_windows_from_thickness(t, 100.0, 110.5, 160.0, 200);
    EXPECT_EQ(v[0], 98); // left brow top: 100 - 2
    EXPECT_EQ(v[1], 96 - 5);
    EXPECT_EQ(v[2], 94 + 5);
    EXPECT_EQ(v[6], 108);  // right brow top: trunc(110.5 - 2)
    EXPECT_EQ(v[15], 102); // left eye bottom: 100 + 2
    EXPECT_EQ(v[16], 104 - 5);
    EXPECT_EQ(v[17], 106 + 5);
    EXPECT_EQ(v[21], 112); // right eye bottom: trunc(110.5 + 2)
    EXPECT_EQ(v[24], 158); // mouth top
    EXPECT_EQ(v[27], 162); // mouth bottom
}

class FeatureLineSearch : public ::testing::Test {
protected:
    void SetUp() override {
        std::array<double, 30> t{};
        for (int g = 0; g < 10; ++g) {
            const bool below = g == 5 || g == 7 || g == 9;
            const double def = g < 4 ? (g % 2 ? 0.06 : 0.1) : g < 8 ? 0.02 : 0.03;
            t[3 * g] = def;
            t[3 * g + 1] = below ? 0.0 : def * 2;
            t[3 * g + 2] = below ? def * 2 : 0.0;
        }
        tables.set_thickness(t);
    }

    FakeGenerationTables tables;
};

TEST_F(FeatureLineSearch, FlatPicturesAndEyesAtTheEdgeGiveTheDefaults) {
    _pixel** hsv = ppm_allocarray(100, 150);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 100; ++x)
            hsv[y][x] = {0, 0, 128, 0};
    FaceBox box;
    box.box_set_side(0, 0);
    box.box_set_side(1, 99);
    box.box_set_side(2, 0);
    box.box_set_side(3, 149); // H = 150: margin 3
    FaceLandmarks lm;
    // The left eye runs off the picture's left edge, the mouth below its bottom.
    lm.eyes[0] = {8, 20, -30, 20, 0, 0, 0, 0};
    lm.eyes[1] = {60, 20, 80, 20, 0, 0, 0, 0};
    lm.mouth = {30, 170, 70, 170, 0, 0, 0, 0};
    ASSERT_EQ(feature_line_search(1, hsv, 100, 150, box, lm), 0);
    EXPECT_EQ(lm.eyes[0].top_x, -11);
    EXPECT_EQ(lm.eyes[0].top_y, 17);    // 20 - 150 x 0.02
    EXPECT_EQ(lm.eyes[0].bottom_y, 23); // 20 + 3
    EXPECT_EQ(lm.eyes[1].top_x, 70);
    EXPECT_EQ(lm.brows[0].top_y, 5); // 20 - 15
    EXPECT_EQ(lm.brows[1].bottom_y, 11);
    EXPECT_EQ(lm.mouth.top_x, 50);
    EXPECT_EQ(lm.mouth.top_y, 165);
    EXPECT_EQ(lm.mouth.bottom_y, 174);
    ppm_freearray(hsv, 150);
}

TEST_F(FeatureLineSearch, WithoutThicknessValuesNothingIsWritten) {
    FakeGenerationTables none;
    FaceLandmarks lm;
    lm.eyes[0] = {40, 20, 20, 20, 7, 7, 7, 7};
    FaceBox box;
    box.box_set_side(3, 149);
    EXPECT_EQ(feature_line_search(1, nullptr, 100, 150, box, lm), -21);
    EXPECT_EQ(lm.eyes[0].top_x, 7);
    EXPECT_EQ(lm.eyes[0].top_y, 7);
}

TEST(Dumps, OneLinePerPixelToTheNamedFile) {
    _pixel** pixels = ppm_allocarray(2, 2);
    unsigned char** grey = pgm_allocarray(2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            pixels[y][x] = {static_cast<unsigned char>(x), static_cast<unsigned char>(y), 200, 0};
            grey[y][x] = static_cast<unsigned char>(10 * y + x);
        }
    const std::string file = zel::testing::work_dir() + "/dump.txt";
    auto lines = [&] {
        std::ifstream in(file);
        std::vector<std::string> all;
        for (std::string line; std::getline(in, line);)
            all.push_back(line);
        return all;
    };
    ASSERT_EQ(dump_pixel_array_text(file.c_str(), pixels, 2, 2), 0);
    EXPECT_EQ(lines(), (std::vector<std::string>{"Column: 2,  Row: 2", "[ 0][ 0]:    0   0 200",
                                                 "[ 0][ 1]:    1   0 200", "[ 1][ 0]:    0   1 200",
                                                 "[ 1][ 1]:    1   1 200"}));
    ASSERT_EQ(dump_grey_array_text(file.c_str(), grey, 2, 2), 0);
    EXPECT_EQ(lines()[4], "[ 1][ 1]:   11 ");
    EXPECT_EQ(dump_grey_array_text((zel::testing::work_dir() + "/no/dir/x").c_str(), grey, 2, 2),
              -10);
    ppm_freearray(pixels, 2);
    pgm_freearray(grey, 2);
}

} // namespace
} // namespace zel::engine
