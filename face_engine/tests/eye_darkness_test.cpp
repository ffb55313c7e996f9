// The dark of an eye between its corners: where it lies, and what a pair of corners holding it
// near one end costs when the four corners are chosen as a set.

#include "generation/eye_corners.h"
#include "generation/eye_darkness.h"

#include "hsv_picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zel::engine {
namespace {

using testing::HsvPicture;

// A bright face with the dark of an eye (an iris 5 pixels across, the pupil darkest) about
// (x, 20).
void iris_at(HsvPicture& picture, int x) {
    picture.fill(x - 2, x + 2, 17, 23, 60);
    picture.fill(x, x, 17, 23, 20);
}

TEST(EyeDarkness, FindsTheDarkAlongTheCornersLineEitherWay) {
    HsvPicture picture(80, 40, 200);
    iris_at(picture, 30);
    // Corners 20 pixels apart about the iris: it lies halfway, whichever corner is inner.
    EXPECT_NEAR(darkest_share(picture.rows(), 80, 40, {20, 20, 0}, {40, 20, 0}), 0.5, 0.08);
    EXPECT_NEAR(darkest_share(picture.rows(), 80, 40, {40, 20, 0}, {20, 20, 0}), 0.5, 0.08);
    // Corners that took the iris' far edge for the outer corner hold it at their far end.
    EXPECT_GT(darkest_share(picture.rows(), 80, 40, {14, 20, 0}, {33, 20, 0}), 0.75);
    // Too short to judge, or no picture: no answer and no cost.
    EXPECT_TRUE(std::isnan(darkest_share(picture.rows(), 80, 40, {30, 20, 0}, {32, 20, 0})));
    EXPECT_TRUE(std::isnan(darkest_share(nullptr, 80, 40, {20, 20, 0}, {40, 20, 0})));
    EXPECT_EQ(dark_off_middle_cost(nullptr, 80, 40, {20, 20, 0}, {40, 20, 0}), 0.0);
    // Corners reaching past the picture's edge read only what lies inside it.
    EXPECT_NEAR(darkest_share(picture.rows(), 80, 40, {30, 20, 0}, {100, 20, 0}), 0.1, 0.05);
}

TEST(EyeDarkness, OnlyADarkNearTheOuterEndCosts) {
    HsvPicture picture(80, 40, 200);
    iris_at(picture, 30);
    EXPECT_EQ(dark_off_middle_cost(picture.rows(), 80, 40, {40, 20, 0}, {20, 20, 0}), 0.0);
    // Near the inner end it may be the shadow beside the nose: no cost.
    EXPECT_EQ(dark_off_middle_cost(picture.rows(), 80, 40, {31, 20, 0}, {47, 20, 0}), 0.0);
    EXPECT_GT(dark_off_middle_cost(picture.rows(), 80, 40, {40, 20, 0}, {31, 20, 0}), 0.05);
}

// Two eyes of a level face, irises at 30 and 70; the left eye's outer corner has a look-alike
// scoring a little better that holds the iris at its outer end (lashes inside the true corner).
TEST(EyeDarkness, ChoiceOfCornersPrefersTheEyeHoldingItsDarkMidway) {
    HsvPicture picture(100, 40, 200);
    iris_at(picture, 30);
    iris_at(picture, 70);
    const std::vector<PointCandidate> leftOut = {{31, 20, 0.40}, {20, 20, 0.38}};
    const std::vector<PointCandidate> leftIn = {{40, 20, 0.4}};
    const std::vector<PointCandidate> rightIn = {{60, 20, 0.4}};
    const std::vector<PointCandidate> rightOut = {{80, 20, 0.4}};
    EyeShape loose;
    loose.outer = {0.0, 10.0, 10.0, 10.0};
    loose.innerTiltMax = 1.0;
    loose.widthDifferenceMax = 10.0;
    loose.reachLo = 0;
    loose.reachHi = 100;
    loose.dropLo = -100;
    loose.dropHi = 100;
    loose.innerSpanLo = 0;
    loose.innerSpanHi = 100;
    EXPECT_EQ(choose_eye_corners(leftOut, leftIn, rightIn, rightOut, loose).leftOut.x, 31);
    const EyeCost byDark = [&](const PointCandidate& in, const PointCandidate& out) {
        return dark_off_middle_cost(picture.rows(), 100, 40, in, out);
    };
    EXPECT_EQ(choose_eye_corners(leftOut, leftIn, rightIn, rightOut, loose, byDark).leftOut.x, 20);
}

} // namespace
} // namespace zel::engine
