// The four eye corners chosen as a set: what a pair of eyes may look like, and the choice that
// outvotes a corner on a look-alike with the other three.

#include "generation/eye_corners.h"

#include <gtest/gtest.h>

#include <vector>

namespace zel::engine {
namespace {

// Inner corners 40 apart on row 100 (x 80 and 120), eyes 26 wide: the outer corners at 54 and
// 146, a little above the inner ones. Shape limits as a calibration would give them.
class EyeSet : public ::testing::Test {
protected:
    EyeShape shape() const {
        EyeShape s;
        s.outer = {2.0, 2.6, 0.1, 0.15};
        s.innerTiltMax = 0.15;
        s.widthDifferenceMax = 0.15;
        s.reachLo = 15;
        s.reachHi = 40;
        s.dropLo = -8;
        s.dropHi = 4;
        s.innerSpanLo = 30;
        s.innerSpanHi = 60;
        return s;
    }
    EyeCorners truth{{54, 98, 0.6}, {80, 100, 0.6}, {120, 100, 0.6}, {146, 98, 0.6}};
};

TEST_F(EyeSet, APairOfEyesFitsAndEachMisshapeIsMeasured) {
    EXPECT_DOUBLE_EQ(shape_violation(truth, shape()), 0.0);
    // One eye twice as wide as the other.
    EyeCorners wide = truth;
    wide.rightOut.x = 172;
    EXPECT_GT(shape_violation(wide, shape()), 0.3);
    // The right eye 12 rows lower than the left: tilt 0.3 against the inner corners' distance.
    EyeCorners tilted = truth;
    tilted.rightIn.y += 12;
    tilted.rightOut.y += 12;
    EXPECT_GT(shape_violation(tilted, shape()), 0.1);
    // Inner corners too close for the face: the brows' inner ends of one eye.
    EyeCorners narrow{{54, 98, 0}, {60, 100, 0}, {80, 100, 0}, {106, 98, 0}};
    EXPECT_GT(shape_violation(narrow, shape()), 0.0);
    EXPECT_NEAR(inner_tilt({0, 0, 0}, {30, 40, 0}), 0.8, 1e-12);
    EXPECT_DOUBLE_EQ(inner_tilt({5, 5, 0}, {5, 5, 0}), 0.0);
}

TEST_F(EyeSet, AnInnerCornerOnALookAlikeIsOutvotedByTheOtherThree) {
    // The left inner window's best is a frame of glasses 12 pixels inwards and a little
    // higher; searched alone it would win and move the window of the left outer corner, whose
    // best there is the eyebrow's end.
    const std::vector<PointCandidate> leftIn{{92, 96, 0.9}, {80, 100, 0.6}};
    const std::vector<PointCandidate> rightIn{{120, 100, 0.7}, {134, 92, 0.5}};
    const std::vector<PointCandidate> leftOut{{40, 90, 0.7}, {54, 98, 0.6}};
    const std::vector<PointCandidate> rightOut{{146, 98, 0.7}};
    const EyeCorners e = choose_eye_corners(leftOut, leftIn, rightIn, rightOut, shape());
    EXPECT_EQ(e.leftIn.x, 80);
    EXPECT_EQ(e.leftOut.x, 54);
    EXPECT_EQ(e.rightIn.x, 120);
    EXPECT_EQ(e.rightOut.x, 146);
}

TEST_F(EyeSet, ASetJustOutsideTheLimitsKeepsItsBetterScores) {
    // A head tilted a little more than the portraits showed: the true set breaks the tilt
    // limit by 0.05 of the eyes' distance, a level look-alike fits but scores far less.
    const std::vector<PointCandidate> leftIn{{80, 100, 0.8}, {80, 108, 0.3}};
    const std::vector<PointCandidate> rightIn{{120, 92, 0.8}, {120, 108, 0.3}};
    const std::vector<PointCandidate> leftOut{{54, 104, 0.8}, {54, 106, 0.3}};
    const std::vector<PointCandidate> rightOut{{146, 86, 0.8}, {146, 106, 0.3}};
    EyeShape s = shape();
    s.outer.tiltMax = 0.5;
    const EyeCorners e = choose_eye_corners(leftOut, leftIn, rightIn, rightOut, s);
    EXPECT_EQ(e.rightIn.y, 92);
    EXPECT_EQ(e.leftIn.y, 100);
    EXPECT_EQ(e.rightOut.y, 86);
}

TEST_F(EyeSet, InnerCornersInTheWrongOrderAreNeverTaken) {
    // The right inner window's best lies left of the left inner corner's only candidate.
    const std::vector<PointCandidate> leftIn{{80, 100, 0.5}};
    const std::vector<PointCandidate> rightIn{{70, 100, 0.99}, {120, 100, 0.1}};
    const EyeCorners e =
        choose_eye_corners({{54, 98, 0.5}}, leftIn, rightIn, {{146, 98, 0.5}}, shape());
    EXPECT_EQ(e.rightIn.x, 120);
    // With nothing in order the first candidates stand, rather than nothing.
    const EyeCorners only =
        choose_eye_corners({{54, 98, 0.5}}, leftIn, {{70, 100, 0.9}}, {{146, 98, 0.5}}, shape());
    EXPECT_EQ(only.rightIn.x, 70);
}

} // namespace
} // namespace zel::engine
