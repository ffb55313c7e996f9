// Landmark search on synthetic pictures with known answers: point patterns painted at known
// places, flat pictures, windows that reach past the picture, and the mouth band's projection.

#include "generation/landmark_search.h"

#include "fake_generation_tables.h"
#include "hsv_picture.h"

#include <zel/common/work_folder.h>
#include <zel/testing/test_env.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace zel::engine {
namespace {

using testing::FakeGenerationTables;
using testing::HsvPicture;
using testing::TemplatePoint;

// A plus-shaped pattern: bright arms three pixels out, dark ones next to the centre.
std::vector<TemplatePoint> plus_pattern() {
    return {{-3, 0, 2},  {3, 0, 2},  {0, -3, 2},  {0, 3, 2},
            {-1, 0, -1}, {1, 0, -1}, {0, -1, -1}, {0, 1, -1}};
}

// Paints the pattern at (x, y), offsets scaled by scale: brightness 128 + 40 weight. Points
// outside the picture are left out.
void paint(HsvPicture& picture, const std::vector<TemplatePoint>& pattern, int x, int y,
           int scale = 1) {
    for (const TemplatePoint& p : pattern) {
        const int px = x + p.x * scale;
        const int py = y + p.y * scale;
        if (px >= 0 && px < picture.cols() && py >= 0 && py < picture.height())
            picture.luma(px, py, 128 + 40 * p.weight);
    }
}

FaceBox make_box(int minx, int maxx, int miny, int maxy) {
    FaceBox box;
    box.box_set_side(0, minx);
    box.box_set_side(1, maxx);
    box.box_set_side(2, miny);
    box.box_set_side(3, maxy);
    return box;
}

class LandmarkMatch : public ::testing::Test {
protected:
    void SetUp() override { tables.add_points("PLUS", 10, plus_pattern()); }

    FakeGenerationTables tables;
    HsvPicture picture{120, 160};
};

TEST_F(LandmarkMatch, FindsThePatternWhereItWasPaintedAtAnyScale) {
    paint(picture, plus_pattern(), 50, 60);
    int x = -1, y = -1;
    EXPECT_EQ(
        landmark_match_template(picture.rows(), 120, 160, 1, "PLUS", 30, 70, 40, 80, x, y, 10), 0);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 60);
    // Twice the reference size doubles the offsets.
    HsvPicture large(120, 160);
    paint(large, plus_pattern(), 70, 90, 2);
    EXPECT_EQ(
        landmark_match_template(large.rows(), 120, 160, 1, "PLUS", 30, 100, 40, 120, x, y, 20), 0);
    EXPECT_EQ(x, 70);
    EXPECT_EQ(y, 90);
}

TEST_F(LandmarkMatch, TiesGoToTheSmallerColumnThenTheSmallerRow) {
    paint(picture, plus_pattern(), 60, 50);
    paint(picture, plus_pattern(), 40, 70);
    int x = 0, y = 0;
    landmark_match_template(picture.rows(), 120, 160, 1, "PLUS", 20, 80, 20, 100, x, y, 10);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 70);
    HsvPicture column(120, 160);
    paint(column, plus_pattern(), 50, 90);
    paint(column, plus_pattern(), 50, 40);
    landmark_match_template(column.rows(), 120, 160, 1, "PLUS", 20, 80, 20, 100, x, y, 10);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 40);
}

TEST_F(LandmarkMatch, UpsideDownAndFlatWindowsLeaveThePointAlone) {
    paint(picture, plus_pattern(), 50, 60);
    int x = 7, y = 9;
    EXPECT_EQ(
        landmark_match_template(picture.rows(), 120, 160, 1, "PLUS", 70, 30, 40, 80, x, y, 10), 0);
    EXPECT_EQ(
        landmark_match_template(picture.rows(), 120, 160, 1, "PLUS", 30, 70, 80, 40, x, y, 10), 0);
    // Far from the pattern every difference is 0: a flat window scores 0/0 everywhere.
    EXPECT_EQ(
        landmark_match_template(picture.rows(), 120, 160, 1, "PLUS", 80, 110, 100, 150, x, y, 10),
        0);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 9);
}

TEST_F(LandmarkMatch, OffsetsRoundByAddingAHalfAndTruncatingTowardZero) {
    // At size 1 of reference 10: -17 -> -1.7 + 0.5 -> -1; 17 -> 2.2 -> 2; 10 -> 1.5 -> 1.
    tables.add_points("ROUND", 10, {{-17, 0, 2}, {17, 0, -2}, {0, 10, 1}});
    picture.luma(49, 60, 200);
    picture.luma(52, 60, 40);
    picture.luma(50, 61, 160);
    int x = 0, y = 0;
    landmark_match_template(picture.rows(), 120, 160, 1, "ROUND", 30, 70, 40, 80, x, y, 1);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 60);
}

TEST_F(LandmarkMatch, LargeTemplatesAtFullContrastDoNotOverflowTheSums) {
    // 1000 points of weight +-255 over black and white: the products of the correlation pass
    // 2^31 many times over. (Offsets are not negative, so that they scale to themselves.)
    std::vector<TemplatePoint> big;
    for (int dy = 0; dy < 25; ++dy)
        for (int dx = 0; dx < 40; ++dx)
            big.push_back({dx, dy, dx < 20 ? 255 : -255});
    ASSERT_EQ(big.size(), 1000u);
    tables.add_points("BIG", 10, big);
    HsvPicture wide(200, 160);
    for (const TemplatePoint& p : big)
        wide.luma(100 + p.x, 80 + p.y, p.weight > 0 ? 255 : 0);
    int x = 0, y = 0;
    EXPECT_EQ(landmark_match_template(wide.rows(), 200, 160, 1, "BIG", 90, 110, 70, 90, x, y, 10),
              0);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 80);
}

TEST_F(LandmarkMatch, MissingTemplatesAndTemplatesWithoutSizeAreNotReadable) {
    int x = 0, y = 0;
    EXPECT_EQ(landmark_match_template(picture.rows(), 120, 160, 1, "NONE", 0, 10, 0, 10, x, y, 10),
              -21);
    tables.add_points("NOSIZE", 0, plus_pattern());
    EXPECT_EQ(
        landmark_match_template(picture.rows(), 120, 160, 1, "NOSIZE", 0, 10, 0, 10, x, y, 10),
        -21);
}

TEST_F(LandmarkMatch, WindowsPastThePictureAreClippedAndTemplatePointsOutsideSkipped) {
    // A pattern at the corner: its arms reach outside, the window far more so.
    paint(picture, plus_pattern(), 1, 1);
    int x = -1, y = -1;
    EXPECT_EQ(
        landmark_match_template(picture.rows(), 120, 160, 1, "PLUS", -500, 5, -500, 5, x, y, 10),
        0);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 1);
}

// An L of two arms, one long to the right and one short above: unlike itself turned.
std::vector<TemplatePoint> ell_pattern() {
    return {{0, 0, -2}, {2, 0, 1}, {4, 0, 1}, {6, 0, 1}, {0, -2, 1}, {0, -4, 1}};
}

TEST_F(LandmarkMatch, ATurnedTemplateFindsThePatternTurnedAsMuchAndTheUprightOneDoesNot) {
    tables.add_points("ELL", 10, ell_pattern());
    // The L turned a quarter clockwise on the screen (rows grow downwards): right becomes
    // down and up becomes right.
    std::vector<TemplatePoint> turned;
    for (const TemplatePoint& p : ell_pattern())
        turned.push_back({-p.y, p.x, p.weight});
    paint(picture, turned, 60, 50);
    const double quarter = std::acos(0.0);
    ScoreMap upright, turnedMap;
    ASSERT_EQ(
        landmark_score_window(picture.rows(), 120, 160, 1, "ELL", {50, 70, 40, 60}, 10, upright),
        0);
    ASSERT_EQ(landmark_score_window(picture.rows(), 120, 160, 1, "ELL", {50, 70, 40, 60}, 10,
                                    turnedMap, quarter),
              0);
    const std::vector<PointCandidate> best = score_peaks(turnedMap, 1, 1);
    ASSERT_EQ(best.size(), 1u);
    EXPECT_EQ(best.front().x, 60);
    EXPECT_EQ(best.front().y, 50);
    EXPECT_NEAR(turnedMap.at(60, 50), 1.0, 1e-9);
    EXPECT_LT(upright.at(60, 50), turnedMap.at(60, 50) - 0.05);
}

TEST(TurnedTemplates, OnlyTheNoseFollowsTheEyeLineWhichTiltsWhenTheRightEyeIsLower) {
    for (const LandmarkPoint p :
         {kEyeLeftIn, kEyeRightIn, kEyeLeftOut, kEyeRightOut, kMouthLeft, kMouthRight})
        EXPECT_FALSE(template_follows_eye_line(p));
    for (const LandmarkPoint p : {kNoseCentre, kNoseLeft, kNoseRight})
        EXPECT_TRUE(template_follows_eye_line(p));
    EXPECT_DOUBLE_EQ(eye_line_tilt(10, 20, 50, 20), 0.0);
    EXPECT_NEAR(eye_line_tilt(10, 20, 50, 60), std::acos(0.0) / 2, 1e-12);
    EXPECT_LT(eye_line_tilt(10, 20, 50, 10), 0.0);
    // Eyes on top of each other or swapped say nothing of the face's tilt.
    EXPECT_DOUBLE_EQ(eye_line_tilt(50, 20, 50, 60), 0.0);
    EXPECT_DOUBLE_EQ(eye_line_tilt(60, 20, 10, 40), 0.0);
}

TEST(TurnedTemplates, OffsetsTurnAboutThePointUprightOnesRoundingAsTheyAlwaysDid) {
    int dx = 0, dy = 0;
    turned_offset(-17, 10, 0.1, 0.0, dx, dy);
    EXPECT_EQ(dx, -1); // -1.7 + 0.5 truncated toward zero
    EXPECT_EQ(dy, 1);
    const double quarter = std::acos(0.0);
    turned_offset(10, 0, 1.0, quarter, dx, dy);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 10);
    turned_offset(0, 10, 2.0, quarter, dx, dy);
    EXPECT_EQ(dx, -20);
    EXPECT_EQ(dy, 0);
    // Turned a little, to the nearest pixel: -17 x 0.1 turned a hundredth of a radian is -1.70.
    turned_offset(-17, 0, 0.1, 0.01, dx, dy);
    EXPECT_EQ(dx, -2);
    EXPECT_EQ(dy, 0);
}

TEST(MouthLineProjection, FindsTheRowOfGreatestSmoothedSaturation) {
    HsvPicture picture(60, 80);
    for (int x = 10; x < 30; ++x)
        for (int y = 40; y < 45; ++y)
            picture.saturation(x, y, 150);
    int line = 0;
    EXPECT_EQ(mouth_line_projection(picture.rows(), 60, 80, 10, 30, 30, 55, line), 0);
    EXPECT_EQ(line, 42);
    // The last column and row are outside the band.
    HsvPicture edge(60, 80);
    for (int y = 30; y < 55; ++y)
        edge.saturation(30, y, 255);
    for (int x = 10; x < 30; ++x)
        edge.saturation(x, 55, 255);
    EXPECT_EQ(mouth_line_projection(edge.rows(), 60, 80, 10, 30, 30, 55, line), 0);
    EXPECT_EQ(line, 30);
}

TEST(MouthLineProjection, ShortAndEmptyBandsGiveTheFirstRow) {
    HsvPicture picture(60, 80, 128, 200);
    int line = -1;
    // Under five rows, and no rows at all.
    EXPECT_EQ(mouth_line_projection(picture.rows(), 60, 80, 10, 30, 40, 44, line), 0);
    EXPECT_EQ(line, 40);
    EXPECT_EQ(mouth_line_projection(picture.rows(), 60, 80, 10, 30, 40, 40, line), 0);
    EXPECT_EQ(line, 40);
    // No saturation anywhere: every smoothed value is 0.
    HsvPicture grey(60, 80);
    EXPECT_EQ(mouth_line_projection(grey.rows(), 60, 80, 10, 30, 40, 60, line), 0);
    EXPECT_EQ(line, 40);
    // A band reaching past the picture reads only what is inside.
    EXPECT_EQ(mouth_line_projection(picture.rows(), 60, 80, -20, 100, 70, 95, line), 0);
    EXPECT_GE(line, 70);
    EXPECT_LT(line, 80);
}

TEST(FaceBox, LoweringTheTopKeepsCentreAndHeightInStep) {
    FaceBox box = make_box(10, 109, 100, 299); // height 200: 200 x 0.027 = 5.4 -> 5
    face_box_lower_top(box);
    EXPECT_EQ(box.miny, 105);
    EXPECT_EQ(box.centery, 202);
    EXPECT_EQ(box.height, 195);
    EXPECT_EQ(box.maxy, 299);
    EXPECT_EQ(box.width, 100);
}

// The nine points of a face box of 100 x 150 at (50, 20), each painted inside its window.
class LandmarkSearch : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"EYE_LEFT_IN", "EYE_RIGHT_IN", "EYE_LEFT_OUT", "EYE_RIGHT_OUT", "NOSE_CENTER",
              "NOSE_LEFT", "NOSE_RIGHT", "MOUTH_LEFT", "MOUTH_RIGHT"})
            tables.add_points(name, 150, plus_pattern());
        tables.set_range({0.20, 0.40, 0.30, 0.45, 0.05,  0.25, 0.10, -0.05, 0.05, 0.40, 0.60,
                          0.55, 0.70, 0.20, 0.05, -0.05, 0.05, 0.15, 0.35,  0.75, 0.90});
    }

    FakeGenerationTables tables;
    FaceBox box = make_box(50, 149, 20, 169);
};

TEST_F(LandmarkSearch, FindsEveryPointInsideItsWindow) {
    HsvPicture picture(200, 200);
    const int points[9][2] = {{80, 75},  {120, 78},  {60, 72},  {140, 80}, {100, 110},
                              {88, 112}, {112, 108}, {75, 143}, {125, 139}};
    for (const auto& p : points)
        paint(picture, plus_pattern(), p[0], p[1]);
    // The lips' saturation puts the mouth line at row 141.
    for (int x = 89; x < 109; ++x)
        for (int y = 140; y < 143; ++y)
            picture.saturation(x, y, 120);
    FaceLandmarks lm;
    ASSERT_EQ(landmark_search(1, box, picture.rows(), 200, 200, lm), 0);
    const FaceLandmarks::Eye& l = lm.eyes[0];
    const FaceLandmarks::Eye& r = lm.eyes[1];
    EXPECT_EQ(
        (std::vector<int>{l.in_x, l.in_y, r.in_x, r.in_y, l.out_x, l.out_y, r.out_x, r.out_y}),
        (std::vector<int>{80, 75, 120, 78, 60, 72, 140, 80}));
    EXPECT_EQ((std::vector<int>{lm.nose.center_x, lm.nose.center_y, lm.nose.l_x, lm.nose.l_y,
                                lm.nose.r_x, lm.nose.r_y}),
              (std::vector<int>{100, 110, 88, 112, 112, 108}));
    EXPECT_EQ((std::vector<int>{lm.mouth.l_x, lm.mouth.l_y, lm.mouth.r_x, lm.mouth.r_y}),
              (std::vector<int>{75, 143, 125, 139}));
}

TEST_F(LandmarkSearch, AMouthCornerOnALookAlikeIsPutBackBesideItsPartner) {
    HsvPicture picture(200, 200);
    const int points[8][2] = {{80, 75},   {120, 78}, {60, 72},   {140, 80},
                              {100, 110}, {88, 112}, {112, 108}, {75, 141}};
    for (const auto& p : points)
        paint(picture, plus_pattern(), p[0], p[1]);
    for (int x = 89; x < 109; ++x)
        for (int y = 140; y < 143; ++y)
            picture.saturation(x, y, 120);
    // The true right corner lacks an arm; a whole pattern higher up and further out (the jaw's
    // edge, say) correlates better.
    std::vector<TemplatePoint> worn = plus_pattern();
    worn.erase(worn.begin() + 1);
    paint(picture, worn, 125, 141);
    paint(picture, plus_pattern(), 133, 133);
    FaceLandmarks alone;
    ASSERT_EQ(landmark_search(1, box, picture.rows(), 200, 200, alone), 0);
    EXPECT_EQ(alone.mouth.r_x, 133);
    // With the proportions of a face the pair is the one that mirrors about the nose.
    tables.set_shape({1.5, 2.5, 0.2, 0.3, 0.2, 0.6, 0.2, 0.2, 0.7, 0.95, 0.1, 0.1, 0.1, 0.3, 0.8});
    FaceLandmarks lm;
    ASSERT_EQ(landmark_search(1, box, picture.rows(), 200, 200, lm), 0);
    EXPECT_EQ(lm.mouth.l_x, 75);
    EXPECT_EQ(lm.mouth.r_x, 125);
    EXPECT_NEAR(lm.mouth.r_y, 141, 1); // the worn pattern peaks a row either way
    // The pairs that fitted already stay as they were.
    EXPECT_EQ((std::vector<int>{lm.eyes[0].out_x, lm.eyes[1].out_x, lm.nose.l_x, lm.nose.r_x}),
              (std::vector<int>{60, 140, 88, 112}));
}

TEST_F(LandmarkSearch, APointOnALookAlikeThatBreaksTheFaceShapeIsSearchedAgainNearItsPlace) {
    HsvPicture picture(200, 200);
    // Eyes' middles at (70, 74) and (130, 79): the shape is the points about (100, 76) in
    // fortieths, a face this one is exactly.
    const int points[9][2] = {{80, 75},  {120, 78},  {60, 72},  {140, 80}, {100, 110},
                              {88, 112}, {112, 108}, {75, 143}, {125, 139}};
    for (int i = 0; i < 9; ++i)
        if (i != kNoseLeft)
            paint(picture, plus_pattern(), points[i][0], points[i][1]);
    for (int x = 89; x < 109; ++x)
        for (int y = 140; y < 143; ++y)
            picture.saturation(x, y, 120);
    // The left wing lacks an arm; a whole pattern up and out in its window (a nostril's
    // shadow, say) correlates better.
    std::vector<TemplatePoint> worn = plus_pattern();
    worn.erase(worn.begin());
    paint(picture, worn, 88, 112);
    paint(picture, plus_pattern(), 82, 103);
    FaceLandmarks alone;
    ASSERT_EQ(landmark_search(1, box, picture.rows(), 200, 200, alone), 0);
    ASSERT_EQ(alone.nose.l_x, 82);

    std::array<double, 21> mean{}, spread{};
    for (int i = 0; i < 9; ++i) {
        mean[2 * i] = (points[i][0] - 100) / 40.0;
        mean[2 * i + 1] = (points[i][1] - 76) / 40.0;
        spread[2 * i] = spread[2 * i + 1] = 0.04;
    }
    spread[18] = 2.0;  // misfit limit
    spread[19] = 0.05; // misfit weight
    tables.set_named_range("SHAPE_MEAN", mean);
    tables.set_named_range("SHAPE_SPREAD", spread);
    FaceLandmarks lm;
    ASSERT_EQ(landmark_search(1, box, picture.rows(), 200, 200, lm), 0);
    EXPECT_NEAR(lm.nose.l_x, 88, 1);
    EXPECT_NEAR(lm.nose.l_y, 112, 1);
    // The points that fitted stay where they were.
    EXPECT_EQ((std::vector<int>{lm.eyes[0].in_x, lm.eyes[1].out_x, lm.nose.center_x, lm.nose.r_x,
                                lm.mouth.l_x, lm.mouth.r_y}),
              (std::vector<int>{80, 140, 100, 112, 75, 139}));
}

TEST_F(LandmarkSearch, AnEyeCornerBehindFiveLookAlikesIsStillInTheSetOfCorners) {
    HsvPicture picture(200, 200);
    const int points[9][2] = {{80, 75},  {120, 78},  {60, 72},  {140, 80}, {100, 110},
                              {88, 112}, {112, 108}, {75, 143}, {125, 139}};
    for (int i = 0; i < 9; ++i)
        if (i != kEyeLeftOut)
            paint(picture, plus_pattern(), points[i][0], points[i][1]);
    // Five patterns in the left outer corner's window (lashes, a frame of glasses) correlate as
    // well as the corner and come before it, each too high, too far or too near the inner
    // corner for an eye.
    std::vector<TemplatePoint> worn = plus_pattern();
    worn.erase(worn.begin());
    paint(picture, worn, 60, 72);
    for (const auto& p :
         {std::array<int, 2>{56, 67}, {62, 67}, {68, 67}, {69, 77}, {48, 62}, {48, 72}})
        paint(picture, plus_pattern(), p[0], p[1]);
    // Outer corners two inner distances apart, level and mirrored; eyes of like width.
    tables.set_shape({1.9, 2.1, 0.05, 0.05, 0.2, 0.8, 0.2, 0.2, 0.7, 1.5, 0.2, 0.2, 0.2, 0.3, 0.9,
                      0.2, 0.05, 0.3, 0.5});
    FaceLandmarks lm;
    ASSERT_EQ(landmark_search(1, box, picture.rows(), 200, 200, lm), 0);
    EXPECT_EQ((std::vector<int>{lm.eyes[0].out_x, lm.eyes[0].out_y, lm.eyes[0].in_x,
                                lm.eyes[1].in_x, lm.eyes[1].out_x}),
              (std::vector<int>{60, 72, 80, 120, 140}));
}

TEST_F(LandmarkSearch, MouthCornersStayInTheBandWhateverTheLine) {
    HsvPicture picture(200, 200);
    // The line at the band's first row (132): the corner rows would start 10 rows above it.
    for (int x = 89; x < 109; ++x)
        for (int y = 128; y < 135; ++y)
            picture.saturation(x, y, 120);
    paint(picture, plus_pattern(), 75, 124);
    paint(picture, plus_pattern(), 75, 136);
    FaceLandmarks lm;
    ASSERT_EQ(landmark_search(1, box, picture.rows(), 200, 200, lm), 0);
    EXPECT_EQ(lm.mouth.l_x, 75);
    EXPECT_EQ(lm.mouth.l_y, 136);
}

TEST_F(LandmarkSearch, TheMouthBandStartsBelowTheNose) {
    // A band from 55% of the box height takes in the nose base at row 110; the nostrils above
    // it are more saturated than the lips at rows 140-142.
    tables.set_range({0.20, 0.40, 0.30, 0.45, 0.05,  0.25, 0.10, -0.05, 0.05, 0.40, 0.60,
                      0.55, 0.70, 0.20, 0.05, -0.05, 0.05, 0.15, 0.35,  0.55, 0.90});
    HsvPicture picture(200, 200);
    paint(picture, plus_pattern(), 100, 110);
    paint(picture, plus_pattern(), 75, 143);
    for (int x = 89; x < 109; ++x) {
        for (int y = 104; y < 110; ++y)
            picture.saturation(x, y, 200);
        for (int y = 140; y < 143; ++y)
            picture.saturation(x, y, 120);
    }
    FaceLandmarks lm;
    ASSERT_EQ(landmark_search(1, box, picture.rows(), 200, 200, lm), 0);
    ASSERT_EQ(lm.nose.center_y, 110);
    const MouthBand band = mouth_band(
        box,
        std::array<double, 21>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.55, 0.90}
            .data(),
        110);
    EXPECT_EQ(band.y0, 111);
    EXPECT_EQ(lm.mouth.l_x, 75);
    EXPECT_EQ(lm.mouth.l_y, 143);
}

TEST_F(LandmarkSearch, PointsOfAFlatPictureTakeTheirWindowCentresAndStayOnIt) {
    // A box that reaches past every side of the picture, over a flat grey photo: nothing may be
    // read outside, and no point may fall to the corner.
    HsvPicture picture(120, 150);
    const FaceBox wide = make_box(-40, 159, -30, 179);
    FaceLandmarks lm;
    ASSERT_EQ(landmark_search(1, wide, picture.rows(), 120, 150, lm), 0);
    // The left inner corner's window: columns 0..40 (-40 + 200 x 0.2 .. 0.4), rows 33..64.
    EXPECT_EQ(lm.eyes[0].in_x, 20);
    EXPECT_EQ(lm.eyes[0].in_y, 48);
    const int all[9][2] = {
        {lm.eyes[0].in_x, lm.eyes[0].in_y},   {lm.eyes[0].out_x, lm.eyes[0].out_y},
        {lm.eyes[1].in_x, lm.eyes[1].in_y},   {lm.eyes[1].out_x, lm.eyes[1].out_y},
        {lm.nose.center_x, lm.nose.center_y}, {lm.nose.l_x, lm.nose.l_y},
        {lm.nose.r_x, lm.nose.r_y},           {lm.mouth.l_x, lm.mouth.l_y},
        {lm.mouth.r_x, lm.mouth.r_y}};
    for (const auto& p : all) {
        EXPECT_TRUE(p[0] >= 0 && p[0] < 120 && p[1] > 0 && p[1] < 150) << p[0] << "," << p[1];
    }
    // The right eye is searched around the left one, the wings around the nose centre.
    EXPECT_GT(lm.eyes[1].in_x, lm.eyes[0].in_x);
    EXPECT_LT(lm.nose.l_x, lm.nose.center_x);
    EXPECT_GT(lm.nose.r_x, lm.nose.center_x);
}

TEST_F(LandmarkSearch, PointsThatWereSetKeepTheirValueWhenNothingScores) {
    HsvPicture picture(200, 200);
    FaceLandmarks lm;
    lm.eyes[0].in_x = 3;
    lm.eyes[0].in_y = 4;
    ASSERT_EQ(landmark_search(1, box, picture.rows(), 200, 200, lm), 0);
    EXPECT_EQ(lm.eyes[0].in_x, 3);
    EXPECT_EQ(lm.eyes[0].in_y, 4);
}

TEST_F(LandmarkSearch, AMissingTableStopsTheSearchKeepingWhatWasFound) {
    HsvPicture picture(200, 200);
    paint(picture, plus_pattern(), 80, 75);
    FakeGenerationTables partial;
    partial.set_range({0.20, 0.40, 0.30, 0.45, 0.05,  0.25, 0.10, -0.05, 0.05, 0.40, 0.60,
                       0.55, 0.70, 0.20, 0.05, -0.05, 0.05, 0.15, 0.35,  0.75, 0.90});
    partial.add_points("EYE_LEFT_IN", 150, plus_pattern());
    FaceLandmarks lm;
    EXPECT_EQ(landmark_search(1, box, picture.rows(), 200, 200, lm), -21);
    EXPECT_EQ(lm.eyes[0].in_x, 80);
    EXPECT_EQ(lm.eyes[0].in_y, 75);
    FakeGenerationTables none;
    EXPECT_EQ(landmark_search(1, box, picture.rows(), 200, 200, lm), -21);
}

TEST(LandmarkDump, WritesTheNinePointsToTheNamedFileOnly) {
    FaceLandmarks lm;
    lm.eyes[0] = {11, 12, 13, 14, 0, 0, 0, 0};
    lm.eyes[1] = {21, 22, 23, 24, 0, 0, 0, 0};
    lm.nose = {31, 32, 33, 34, 35, 36};
    lm.mouth = {41, 42, 43, 44, 0, 0, 0, 0};
    const std::string file = zel::testing::work_dir() + "/points.txt";
    ASSERT_EQ(landmark_dump(file.c_str(), lm), 0);
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], "left_eye in_x:11");
    EXPECT_EQ(lines[7], "right_eye out_y:24");
    EXPECT_EQ(lines[8], "nose center_x:31");
    EXPECT_EQ(lines[13], "nose r_y:36");
    EXPECT_EQ(lines[17], "mouth r_y:44");
    EXPECT_EQ(landmark_dump((zel::testing::work_dir() + "/no/such/folder/x.txt").c_str(), lm), -11);
    EXPECT_EQ(landmark_dump(nullptr, lm), -11);
}

} // namespace
} // namespace zel::engine
