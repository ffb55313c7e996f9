// Left-right landmark pairs: the local maxima a window keeps, the geometry of a pair against
// the face's axes, and the choice that puts a point thrown onto a look-alike back beside its
// partner.

#include "generation/landmark_pairs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace zel::engine {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

ScoreMap map_of(int x0, int y0, int cols, int rows, double fill) {
    return {x0, y0, cols, rows, std::vector<double>(static_cast<std::size_t>(cols) * rows, fill)};
}

void set(ScoreMap& map, int x, int y, double s) {
    map.scores[static_cast<std::size_t>(y - map.y0) * map.cols + (x - map.x0)] = s;
}

TEST(ScorePeaks, BestInScanOrderFirstThenSpacedLocalMaximaBestFirst) {
    ScoreMap map = map_of(10, 20, 30, 20, 0.1);
    set(map, 30, 25, 0.9); // a tie with the next: the smaller column comes first
    set(map, 15, 35, 0.9);
    set(map, 16, 35, 0.85); // beside the best: not a peak of its own
    set(map, 25, 22, 0.5);
    set(map, 36, 38, 0.7);
    const std::vector<PointCandidate> peaks = score_peaks(map, 4, 3);
    ASSERT_EQ(peaks.size(), 4u);
    EXPECT_EQ(peaks[0].x, 15);
    EXPECT_EQ(peaks[0].y, 35);
    EXPECT_EQ(peaks[1].x, 30);
    EXPECT_EQ(peaks[2].x, 36);
    EXPECT_EQ(peaks[3].x, 25);
    for (std::size_t i = 1; i < peaks.size(); ++i)
        EXPECT_LE(peaks[i].score, peaks[i - 1].score);
    // The count is a ceiling; one peak is the single search's answer.
    ASSERT_EQ(score_peaks(map, 1, 3).size(), 1u);
    EXPECT_EQ(score_peaks(map, 1, 3)[0].x, 15);
}

TEST(ScorePeaks, FlatOrLowestScoringWindowsGiveNothing) {
    EXPECT_TRUE(score_peaks(map_of(0, 0, 5, 5, kNaN), 6, 2).empty());
    EXPECT_TRUE(score_peaks(map_of(0, 0, 5, 5, -1.0), 6, 2).empty());
    EXPECT_TRUE(score_peaks(ScoreMap{}, 6, 2).empty());
    // A NaN among scores neither wins nor hides a peak beside it.
    ScoreMap map = map_of(0, 0, 5, 5, kNaN);
    set(map, 2, 2, 0.3);
    const auto peaks = score_peaks(map, 6, 1);
    ASSERT_EQ(peaks.size(), 1u);
    EXPECT_EQ(peaks[0].x, 2);
}

TEST(PairGeometry, MeasuresAlongTheEyeLineWhateverTheHeadsTilt) {
    // Eyes 40 apart on a level line, centre line at x = 100.
    const FaceAxes level = face_axes(80, 50, 120, 50, 100, 60);
    const PairGeometry g = pair_geometry({78, 90, 0}, {126, 94, 0}, level);
    EXPECT_NEAR(g.span, 48.0 / 40, 1e-9);
    EXPECT_NEAR(g.offCentre, 2.0 / 40, 1e-9);
    EXPECT_NEAR(g.tilt, 4.0 / 40, 1e-9);
    // The same face turned by 30 degrees about (100, 60) measures the same.
    const double a = M_PI / 6, c = std::cos(a), s = std::sin(a);
    auto turn = [&](double x, double y, double& tx, double& ty) {
        tx = 100 + (x - 100) * c - (y - 60) * s;
        ty = 60 + (x - 100) * s + (y - 60) * c;
    };
    double lx, ly, rx, ry, px, py, qx, qy;
    turn(80, 50, lx, ly);
    turn(120, 50, rx, ry);
    turn(75, 90, px, py);
    turn(125, 90, qx, qy);
    const FaceAxes turned = face_axes(lx, ly, rx, ry, 100, 60);
    const PairGeometry t = pair_geometry(
        {static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py)), 0},
        {static_cast<int>(std::lround(qx)), static_cast<int>(std::lround(qy)), 0}, turned);
    EXPECT_NEAR(t.span, 50.0 / 40, 0.03);
    EXPECT_NEAR(t.offCentre, 0.0, 0.03);
    EXPECT_NEAR(t.tilt, 0.0, 0.03);
    // Coincident eyes leave a scale of a pixel rather than a division by zero.
    EXPECT_DOUBLE_EQ(face_axes(5, 5, 5, 5, 5, 5).scale, 1.0);
}

TEST(PairShapeViolation, SumsHowFarEachMeasureLiesOutside) {
    const PairShape shape{1.0, 1.3, 0.2, 0.1};
    EXPECT_DOUBLE_EQ(shape_violation({1.1, 0.1, 0.05}, shape), 0.0);
    EXPECT_NEAR(shape_violation({0.8, 0.1, 0.05}, shape), 0.2, 1e-12);
    EXPECT_NEAR(shape_violation({1.5, 0.5, 0.3}, shape), 0.2 + 0.3 + 0.2, 1e-12);
}

class MouthPair : public ::testing::Test {
protected:
    // Eyes' middles 40 apart at row 50, nose centre at (100, 80); mouth corners at 78 and 122
    // on row 100: span 1.1 of the eyes' distance.
    FaceAxes axes = face_axes(80, 50, 120, 50, 100, 80);
    PairShape shape{0.9, 1.4, 0.2, 0.15};
};

TEST_F(MouthPair, AFittingBestPairIsKept) {
    const std::vector<PointCandidate> left{{78, 100, 0.8}, {60, 96, 0.5}};
    const std::vector<PointCandidate> right{{122, 100, 0.7}, {100, 101, 0.6}};
    const CandidatePair pair = choose_pair(left, right, axes, shape);
    EXPECT_EQ(pair.left.x, 78);
    EXPECT_EQ(pair.right.x, 122);
}

TEST_F(MouthPair, ACornerOnTheJawsEdgeIsPutBackBesideItsPartner) {
    // The right corner's best is the jaw's edge far out and higher; its second peak is the
    // true corner.
    const std::vector<PointCandidate> left{{78, 100, 0.7}, {90, 104, 0.4}};
    const std::vector<PointCandidate> right{{160, 88, 0.9}, {123, 101, 0.6}, {104, 100, 0.65}};
    const CandidatePair pair = choose_pair(left, right, axes, shape);
    EXPECT_EQ(pair.left.x, 78);
    EXPECT_EQ(pair.right.x, 123);
    EXPECT_EQ(pair.right.y, 101);
}

TEST_F(MouthPair, BothCornersWanderingOneWayAreTakenBackTogether) {
    // Both bests lie right of the centre line (a shadow beside the mouth); the mirrored pair
    // scores less but fits.
    const std::vector<PointCandidate> left{{96, 100, 0.9}, {79, 99, 0.6}};
    const std::vector<PointCandidate> right{{140, 100, 0.9}, {121, 100, 0.6}};
    const CandidatePair pair = choose_pair(left, right, axes, shape);
    EXPECT_EQ(pair.left.x, 79);
    EXPECT_EQ(pair.right.x, 121);
}

TEST_F(MouthPair, WhenNothingFitsTheLeastMisfitWins) {
    const std::vector<PointCandidate> left{{40, 100, 0.9}, {70, 100, 0.2}};
    const std::vector<PointCandidate> right{{180, 120, 0.9}};
    const CandidatePair pair = choose_pair(left, right, axes, shape);
    EXPECT_EQ(pair.left.x, 70);
    EXPECT_EQ(pair.right.x, 180);
}

TEST(NoseCentre, ALookAlikeBesideOrAboveTheEyesGivesWayToOneBelowTheirMiddle) {
    // Eyes' middles 40 apart at row 50: a nose centre 0.5 to 0.9 of that below, at most 0.1
    // beside the middle.
    const FaceAxes eyes = face_axes(80, 50, 120, 50, 100, 50);
    const PointShape shape{0.1, 0.5, 0.9};
    EXPECT_NEAR(point_geometry({104, 78, 0}, eyes).beside, 0.1, 1e-12);
    EXPECT_NEAR(point_geometry({104, 78, 0}, eyes).below, 0.7, 1e-12);
    EXPECT_LT(point_geometry({100, 30, 0}, eyes).below, 0.0);
    // The best scoring candidates lie on a cheek and between the eyes.
    const std::vector<PointCandidate> found{{130, 80, 0.9}, {100, 52, 0.8}, {99, 79, 0.5}};
    const PointCandidate c = choose_point(found, eyes, shape);
    EXPECT_EQ(c.x, 99);
    EXPECT_EQ(c.y, 79);
    // A fitting best is kept; with nothing fitting, the nearest fit.
    EXPECT_EQ(choose_point({{101, 76, 0.9}, {99, 79, 0.5}}, eyes, shape).y, 76);
    EXPECT_EQ(choose_point({{160, 80, 0.9}, {100, 110, 0.2}}, eyes, shape).x, 100);
}

} // namespace
} // namespace zel::engine
