// Feature-line search on strips with known rows: dark bands for the eye, the brow and the
// lips in bright skin, the edges weighed against their places, the lower lip's profile, the
// window table, the averaging and the edges of the picture.

#include "generation/feature_line_search.h"

#include "fake_generation_tables.h"

#include <zel/testing/test_env.h>

#include <gtest/gtest.h>

#include <cmath>
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

// Rows for a strip search: the profile over y0..y1, the top and bottom boundary windows.
StripRows rows_of(int y0, int y1, int topFrom, int topTo, int bottomFrom, int bottomTo,
                  int middle = 0) {
    StripRows r;
    r.y0 = y0;
    r.y1 = y1;
    r.topFrom = topFrom;
    r.topTo = topTo;
    r.bottomFrom = bottomFrom;
    r.bottomTo = bottomTo;
    r.middle = middle;
    return r;
}

RowProfile profile_of(std::vector<int> values, int y0) {
    RowProfile p(y0, y0 + static_cast<int>(values.size()) - 1);
    for (std::size_t i = 0; i < values.size(); ++i)
        p.set(y0 + static_cast<int>(i), values[i]);
    return p;
}

TEST(Profiles, SumsAndSmoothingOverTheStripRows) {
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
    // Two passes spread it over two rows each side only.
    const RowProfile two = strip_profile_smoothed(grey.rows(), 10, 40, 2, 4, 5, 35, 2);
    EXPECT_GT(two[18], 30);
    EXPECT_EQ(two[17], 30);
    EXPECT_GT(two[20], smooth[20]);
}

TEST(Profiles, StripsReachingPastThePictureReadOnlyWhatIsInside) {
    Grey grey(10, 40, 10);
    const RowProfile sums = strip_profile(grey.rows(), 10, 40, -1, 1, -5, 44);
    EXPECT_EQ(sums[-5], 0);
    EXPECT_EQ(sums[0], 20);
    EXPECT_EQ(sums[39], 20);
    EXPECT_EQ(sums[44], 0);
}

TEST(Edges, SteepestFallAndRiseWithinTheirRows) {
    //                           20  21  22  23  24  25  26  27  28  29
    const RowProfile p = profile_of({90, 90, 60, 30, 30, 30, 50, 90, 90, 90}, 20);
    EXPECT_EQ(steepest_fall(p, 20, 29), 22); // 30 - 90 across rows 21..23
    EXPECT_EQ(steepest_rise(p, 20, 29), 26); // 90 - 30 across rows 25..27
    // Only the rows asked for, and only rows with a neighbour on either side inside the profile.
    EXPECT_EQ(steepest_fall(p, 23, 29), 23);
    EXPECT_EQ(steepest_rise(p, 28, 40), 0);
    EXPECT_EQ(steepest_fall(p, 29, 29), 0);
    // A flat or a rising profile has no fall.
    EXPECT_EQ(steepest_fall(profile_of({5, 5, 5, 5}, 0), 0, 3), 0);
    EXPECT_EQ(steepest_fall(profile_of({1, 2, 3, 4, 5}, 0), 0, 4), 0);
    // Of equals the first.
    EXPECT_EQ(steepest_fall(profile_of({9, 9, 5, 5, 9, 9, 5, 5}, 0), 0, 7), 1);
}

TEST(Edges, AnEdgeLiesBetweenRowsWhereItsSteepnessPeaks) {
    // Steepness 20 at row 3, 40 at row 4, 30 at row 5: the parabola's top lies 0.17 below row 4.
    const RowProfile p = profile_of({100, 100, 100, 95, 80, 55, 50, 50, 50}, 0);
    EXPECT_EQ(steepest_fall(p, 0, 8), 4);
    EXPECT_NEAR(edge_between_rows(p, 4), 4.1667, 1e-4);
    // At the profile's ends, or for no edge, the row itself.
    EXPECT_EQ(edge_between_rows(p, 1), 1.0);
    EXPECT_EQ(edge_between_rows(p, 0), 0.0);
    // Never more than half a row off.
    const RowProfile lopsided = profile_of({100, 100, 100, 99, 60, 20, 19, 19, 19}, 0);
    EXPECT_GE(edge_between_rows(lopsided, 4), 3.5);
    EXPECT_LE(edge_between_rows(lopsided, 4), 4.5);
}

TEST(Edges, AnEdgeFarFromItsPlaceGivesWayToANearerOneAlmostAsSteep) {
    // A steep fall at row 12 (a brow or a frame) and one nearly as steep at row 22 (the lid).
    std::vector<int> values(30, 200);
    for (int y = 13; y < 30; ++y)
        values[static_cast<std::size_t>(y)] = y < 16 ? 80 : y < 22 ? 200 : 90;
    values[22] = 140;
    const RowProfile p = profile_of(values, 0);
    EXPECT_EQ(steepest_fall(p, 0, 29), 12);
    // Expected at row 23, eye distance 50: row 12 lies 0.22 away, row 22 0.02.
    EXPECT_EQ(steepest_fall(p, 0, 29, EdgePlace{23.0, 10.0}, 50.0), 22);
    // Without an eye distance or a weight the place counts for nothing.
    EXPECT_EQ(steepest_fall(p, 0, 29, EdgePlace{23.0, 10.0}, 0.0), 12);
    EXPECT_EQ(steepest_fall(p, 0, 29, EdgePlace{23.0, 0.0}, 50.0), 12);
}

TEST(StripSearch, EyeLidsAreTheSteepestEdgesAboveAndBelow) {
    Grey grey(20, 80);
    grey.band(40, 46, 50);
    double upper = -1, lower = -1;
    ASSERT_EQ(face_searcheyeline(grey.rows(), 20, 80, 8, 10, rows_of(25, 60, 30, 43, 43, 55), upper,
                                 lower),
              0);
    // The band's edges lie between rows 39 and 40 and between 46 and 47.
    EXPECT_EQ(upper, 39.5);
    EXPECT_EQ(lower, 46.5);
    // Windows that hold no edge find nothing.
    ASSERT_EQ(face_searcheyeline(grey.rows(), 20, 80, 8, 10, rows_of(25, 60, 28, 34, 50, 55), upper,
                                 lower),
              0);
    EXPECT_EQ(upper, 0);
    EXPECT_EQ(lower, 0);
}

TEST(StripSearch, BrowEdgesTopThenBottomBelowIt) {
    Grey grey(20, 80);
    grey.band(30, 37, 60);
    double upper = -1, lower = -1;
    ASSERT_EQ(
        face_searchbrow(grey.rows(), 20, 80, 8, 10, rows_of(10, 60, 20, 40, 20, 45), upper, lower),
        0);
    EXPECT_NEAR(upper, 29, 1);
    EXPECT_NEAR(lower, 37, 1);
    // A dark band above the brow's top (hair under a hat brim) whose lower edge rises more
    // steeply than the brow's own: the lower edge is looked for below the top only.
    Grey hair(20, 80);
    hair.band(0, 17, 10);
    hair.band(30, 37, 120);
    ASSERT_EQ(
        face_searchbrow(hair.rows(), 20, 80, 8, 10, rows_of(10, 60, 25, 40, 10, 45), upper, lower),
        0);
    EXPECT_NEAR(upper, 29, 1);
    EXPECT_GT(lower, upper);
    EXPECT_NEAR(lower, 37, 1);
}

// A mouth in bright skin: the upper lip at rows 40..47, the line between the lips 48..49, the
// lower lip 50..57, the shadow under it 58..61 and the chin.
void draw_mouth(Grey& grey, int shift = 0) {
    grey.band(40 + shift, 47 + shift, 150);
    grey.band(48 + shift, 49 + shift, 40);
    grey.band(50 + shift, 57 + shift, 170);
    grey.band(58 + shift, 61 + shift, 110);
}

// A lip edge's profile as the calibration measures it: the samples of a strip around the edge,
// less their mean, of length 1.
LipProfile lip_profile_of(const Grey& grey, int edge, double D) {
    const RowProfile sums = strip_profile(grey.rows(), 20, 100, 8, 10, 0, 99);
    LipProfile v{};
    double mean = 0;
    for (int k = 0; k < kLipSamples; ++k) {
        const double at = edge + D * (kLipFirstOffset + k * kLipStep);
        const int y = static_cast<int>(std::floor(at));
        v[static_cast<std::size_t>(k)] = (1 - (at - y)) * sums[y] + (at - y) * sums[y + 1];
        mean += v[static_cast<std::size_t>(k)] / kLipSamples;
    }
    double norm = 0;
    for (double& x : v) {
        x -= mean;
        norm += x * x;
    }
    for (double& x : v)
        x /= std::sqrt(norm);
    return v;
}

TEST(StripSearch, ALipEdgeIsTheRowMostLikeItsProfile) {
    Grey model(20, 100);
    draw_mouth(model);
    const LipProfile profile = lip_profile_of(model, 58, 50.0);
    Grey grey(20, 100);
    draw_mouth(grey, 3); // the same mouth three rows lower
    const RowProfile sums = strip_profile(grey.rows(), 20, 100, 8, 10, 0, 99);
    LipEdge lip{&profile, 50.0, 61.0, 0.0};
    EXPECT_EQ(lip_edge_row(sums, 52, 75, lip), 61);
    // Far from where a mouth of its width has it, the likeness gives way to the place.
    lip.expectedRow = 75.0;
    lip.weight = 500.0;
    EXPECT_GT(lip_edge_row(sums, 52, 75, lip), 66);
    // Without a profile, or with one that is all 0, nothing is found.
    EXPECT_EQ(lip_edge_row(sums, 52, 75, LipEdge{}), 0);
    const LipProfile none{};
    EXPECT_EQ(lip_edge_row(sums, 52, 75, LipEdge{&none, 50.0, 61.0, 0.0}), 0);
}

TEST(StripSearch, MouthLipsEachByItsProfileWithinItsRows) {
    Grey model(20, 100);
    draw_mouth(model);
    const LipProfile upperProfile = lip_profile_of(model, 40, 50.0);
    const LipProfile lowerProfile = lip_profile_of(model, 58, 50.0);
    Grey grey(20, 100);
    draw_mouth(grey, -2);
    double upper = -1, lower = -1;
    ASSERT_EQ(face_searchmouthline(grey.rows(), 20, 100, 8, 10, rows_of(25, 75, 30, 48, 50, 70, 47),
                                   LipEdge{&upperProfile, 50.0, 38.0, 0.0},
                                   LipEdge{&lowerProfile, 50.0, 56.0, 0.0}, upper, lower),
              0);
    EXPECT_EQ(upper, 38);
    EXPECT_EQ(lower, 56);
    // A lip without a profile is not found; the other still is.
    ASSERT_EQ(face_searchmouthline(grey.rows(), 20, 100, 8, 10, rows_of(25, 75, 30, 48, 50, 70, 47),
                                   LipEdge{}, LipEdge{&lowerProfile, 50.0, 56.0, 0.0}, upper,
                                   lower),
              0);
    EXPECT_EQ(upper, 0);
    EXPECT_EQ(lower, 56);
}

TEST(StripSearch, UpsideDownWindowsAreRefusedWithOneMessage) {
    Messages messages;
    Grey grey(20, 80);
    LineRecord record;
    const StripRows upsideDown = rows_of(50, 40, 40, 45, 45, 50);
    EXPECT_EQ(eyeline_scan_columns(grey.rows(), 20, 80, 2, 12, upsideDown, record), -13);
    ASSERT_EQ(Messages::texts().size(), 1u);
    EXPECT_EQ(Messages::texts()[0], "Height is too big @ face_searcheyeline()");
    EXPECT_EQ(brow_scan_columns(grey.rows(), 20, 80, 2, 12, upsideDown, record), -13);
    EXPECT_EQ(Messages::texts().back(), "Height is too big @ face_searchbrow()");
    EXPECT_EQ(mouthline_scan_columns(grey.rows(), 20, 80, 2, 12, upsideDown, LipEdge{}, LipEdge{},
                                     record),
              -13);
    EXPECT_EQ(Messages::texts().back(), "Height is too big @ face_searchmouthline()");
    EXPECT_EQ(Messages::texts().size(), 3u);
}

TEST(ColumnScan, StripsCoverTheColumnsAndStayInsideThePicture) {
    Grey grey(20, 80);
    grey.band(40, 46, 50);
    const StripRows eye = rows_of(25, 60, 30, 43, 43, 55);
    LineRecord record;
    ASSERT_EQ(eyeline_scan_columns(grey.rows(), 20, 80, 12, 2, eye, record), 0);
    EXPECT_EQ(record.x0, 2);
    EXPECT_EQ(record.n, 7);
    ASSERT_EQ(record.b.size(), 10u);
    for (int i = 0; i <= 7; ++i) { // strips centred on columns 3..10
        EXPECT_EQ(record.b[i], 39.5) << i;
        EXPECT_EQ(record.c[i], 46.5) << i;
    }
    EXPECT_EQ(record.b[8], 0);
    // Fewer than three columns: no strip.
    ASSERT_EQ(eyeline_scan_columns(grey.rows(), 20, 80, 4, 6, eye, record), 0);
    EXPECT_TRUE(record.b.empty());
    // Columns and rows past the picture are clipped; wholly outside, nothing is searched.
    ASSERT_EQ(eyeline_scan_columns(grey.rows(), 20, 80, -30, 5, eye, record), 0);
    EXPECT_EQ(record.x0, 0);
    EXPECT_EQ(record.b[0], 39.5);
    ASSERT_EQ(eyeline_scan_columns(grey.rows(), 20, 80, 25, 60, eye, record), 0);
    EXPECT_TRUE(record.b.empty());
    ASSERT_EQ(brow_scan_columns(grey.rows(), 20, 80, 2, 12, rows_of(-40, -10, -35, -20, -20, -15),
                                record),
              0);
    EXPECT_EQ(record.b[0], 0);
    ASSERT_EQ(mouthline_scan_columns(grey.rows(), 20, 80, 2, 12,
                                     rows_of(70, 95, 70, 80, 80, 95, 80), LipEdge{}, LipEdge{},
                                     record),
              0);
}

TEST(Averaging, CountsShiftedBoundariesWithinTheLimitsNearTheMiddle) {
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
    // stored entry (column 15) is never visited. Means round to the nearest row.
    line_record_average(record, 0, 100, top, bottom, v, 4, 5);
    EXPECT_EQ(top, 39);    // 118 / 3
    EXPECT_EQ(bottom, 59); // 178 / 3
    // Only columns 11..12.
    line_record_average(record, 11, 12, top, bottom, v, 4, 5);
    EXPECT_EQ(top, 44);
    EXPECT_EQ(bottom, 61);
    // Shifted, the edges are the lines' places moved: 44 + 1.6 leaves the limits, 36 + 1.6 and
    // 38 + 1.6 count.
    line_record_average(record, 0, 100, top, bottom, v, 4, 5, 1.6, -0.5);
    EXPECT_EQ(top, 39);    // (37.6 + 39.6) / 2 = 38.6
    EXPECT_EQ(bottom, 59); // (55.5 + 63.5 + 57.5) / 3 = 58.8
    // Nothing counts: the defaults.
    line_record_average(LineRecord{}, 0, 100, top, bottom, v, 4, 5);
    EXPECT_EQ(top, 40);
    EXPECT_EQ(bottom, 60);
}

TEST(WindowTable, RowsAroundTheEyesAndMouth) {
    double t[30];
    for (int i = 0; i < 30; ++i)
        t[i] = 0.01 * (i % 3 + 1); // default 0.01, limits 0.02 and 0.03
    // H = 200: H t = 2, 4, 6.
    const FeatureWindows v = feature_windows_from_thickness(t, 100.0, 110.5, 160.0, 200);
    EXPECT_EQ(v[0], 98); // left brow top: 100 - 2
    EXPECT_EQ(v[1], 96);
    EXPECT_EQ(v[2], 94);
    EXPECT_EQ(v[6], 108);  // right brow top: trunc(110.5 - 2)
    EXPECT_EQ(v[15], 102); // left eye bottom: 100 + 2
    EXPECT_EQ(v[16], 104);
    EXPECT_EQ(v[17], 106);
    EXPECT_EQ(v[21], 112); // right eye bottom: trunc(110.5 + 2)
    EXPECT_EQ(v[24], 158); // mouth top
    EXPECT_EQ(v[27], 162); // mouth bottom
}

TEST(WindowTable, StripRowsAreTheLimitsLessTheShiftsWithRoomForTheSmoothing) {
    FeatureWindows v{};
    v[3 * 4] = 40; // top group: default 40, limits 35..45
    v[3 * 4 + 1] = 35;
    v[3 * 4 + 2] = 45;
    v[3 * 5] = 60; // bottom group: default 60, limits 55..65
    v[3 * 5 + 1] = 55;
    v[3 * 5 + 2] = 65;
    const StripRows r = feature_strip_rows(v, 4, 5, 1.5, -0.5, 50);
    EXPECT_EQ(r.topFrom, 34); // ceil(35 - 1.5)
    EXPECT_EQ(r.topTo, 43);   // floor(45 - 1.5)
    EXPECT_EQ(r.bottomFrom, 56);
    EXPECT_EQ(r.bottomTo, 65);
    EXPECT_EQ(r.y0, 28);
    EXPECT_EQ(r.y1, 71);
    EXPECT_EQ(r.middle, 50);
    EXPECT_EQ(r.top.row, 38.5); // the default less the shift
    EXPECT_EQ(r.bottom.row, 60.5);
    EXPECT_EQ(r.top.weight, 0.0);
}

TEST(LineRules, ValuesRoundTripAndAbsentRangesGiveNoRules) {
    LineRules rules;
    rules.eyeTopShift = 0.01;
    rules.browTopWeight = 15.0;
    rules.lowerLip.base = -0.2;
    rules.lowerLip.weight = 12.0;
    rules.lowerLip.profile[14] = 0.5;
    LineRules back;
    line_rules_from_values(line_rules_values(rules), back);
    back.lowerLip = lip_rule_from_values(lip_rule_values(rules.lowerLip));
    EXPECT_EQ(back.eyeTopShift, 0.01);
    EXPECT_EQ(back.browTopWeight, 15.0);
    EXPECT_EQ(back.lowerLip.base, -0.2);
    EXPECT_EQ(back.lowerLip.weight, 12.0);
    EXPECT_EQ(back.lowerLip.profile[14], 0.5);
    FakeGenerationTables none;
    const LineRules absent = read_line_rules(1);
    EXPECT_EQ(absent.eyeTopShift, 0.0);
    EXPECT_EQ(absent.upperLip.weight, 0.0);
    EXPECT_EQ(absent.lowerLip.profile[0], 0.0);
    RuleValues line{};
    line[0] = 0.02;
    none.set_named_range(kLineRulesRange, line);
    none.set_named_range(kUpperLipRange, lip_rule_values(rules.lowerLip));
    const LineRules read = read_line_rules(1);
    EXPECT_EQ(read.eyeTopShift, 0.02);
    EXPECT_EQ(read.upperLip.profile[14], 0.5);
    EXPECT_EQ(read.lowerLip.profile[14], 0.0);
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
    box.box_set_side(3, 149); // H = 150
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

TEST_F(FeatureLineSearch, ABottomNeverLiesAboveItsTop) {
    // Brow defaults that put the bottom above the top: the bottom takes the top's row.
    std::array<double, 30> t{};
    t[0] = 0.05; // left brow top 0.05 H above the eye line
    t[3] = 0.08; // its bottom 0.08 H above it
    t[6] = 0.05;
    t[9] = 0.08;
    tables.set_thickness(t);
    _pixel** hsv = ppm_allocarray(100, 150);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 100; ++x)
            hsv[y][x] = {0, 0, 128, 0};
    FaceBox box;
    box.box_set_side(2, 0);
    box.box_set_side(3, 99); // H = 100
    FaceLandmarks lm;
    lm.eyes[0] = {40, 60, 20, 60, 0, 0, 0, 0};
    lm.eyes[1] = {60, 60, 80, 60, 0, 0, 0, 0};
    lm.mouth = {30, 120, 70, 120, 0, 0, 0, 0};
    ASSERT_EQ(feature_line_search(1, hsv, 100, 150, box, lm), 0);
    EXPECT_EQ(lm.brows[0].top_y, 55);
    EXPECT_EQ(lm.brows[0].bottom_y, 55);
    EXPECT_EQ(lm.brows[1].bottom_y, 55);
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
