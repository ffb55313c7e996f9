// Corners judged by the skin beyond them: the skin's hue from the box's middle, the share of
// skin in the strip beyond a corner, and the candidates kept.

#include "generation/temple_skin.h"

#include "hsv_picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zel::engine {
namespace {

using testing::HsvPicture;

// Hue h and saturation s over columns x0..x1, every row.
void colour(HsvPicture& picture, int x0, int x1, unsigned char h, unsigned char s) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = x0; x <= x1; ++x) {
            picture.rows()[y][x].r = h;
            picture.saturation(x, y, s);
        }
    }
}

// A box 100 pixels wide over the whole picture's height: the strip beyond a corner then runs
// from 2 to 8 pixels outwards.
FaceBox box_of(const HsvPicture& picture) {
    FaceBox box;
    box.minx = 10;
    box.maxx = 109;
    box.width = 100;
    box.centerx = 50;
    box.miny = 0;
    box.maxy = picture.height() - 1;
    box.height = picture.height();
    box.centery = picture.height() / 2;
    return box;
}

constexpr int kNear = 2;
constexpr int kFar = 8;

// Skin (hue 10) up to column 89, a coloured background (hue 150) beyond, as beside a turned
// head whose far temple ends at the picture's background.
class SkinBeyond : public ::testing::Test {
protected:
    void SetUp() override {
        colour(picture, 0, 89, 10, 120);
        colour(picture, 90, 119, 150, 80);
    }
    HsvPicture picture{120, 100};
};

TEST_F(SkinBeyond, TheShareOfSkinEndsWhereTheFaceEnds) {
    const double hue = skin_hue(picture.rows(), 120, 100, box_of(picture));
    ASSERT_NEAR(hue, 10.0, 0.5);
    _pixel** p = picture.rows();
    // Beyond a corner well inside the face, all skin; beyond one at the face's edge, none; the
    // strip 86..92 straddling the edge holds 4 columns of skin in 7.
    EXPECT_DOUBLE_EQ(skin_beyond(p, 120, 100, 70, 50, 1, kNear, kFar, hue), 1.0);
    EXPECT_DOUBLE_EQ(skin_beyond(p, 120, 100, 88, 50, 1, kNear, kFar, hue), 0.0);
    EXPECT_NEAR(skin_beyond(p, 120, 100, 84, 50, 1, kNear, kFar, hue), 4.0 / 7.0, 1e-9);
    // Outwards to the left; the part of the strip outside the picture is no skin, and a strip
    // wholly outside it holds none (no read outside the rows either).
    EXPECT_DOUBLE_EQ(skin_beyond(p, 120, 100, 30, 50, -1, kNear, kFar, hue), 1.0);
    EXPECT_NEAR(skin_beyond(p, 120, 100, 4, 50, -1, kNear, kFar, hue), 3.0 / 7.0, 1e-9);
    EXPECT_DOUBLE_EQ(skin_beyond(p, 120, 100, 0, 0, -1, kNear, kFar, hue), 0.0);
    EXPECT_NEAR(skin_beyond(p, 120, 100, 70, 0, 1, kNear, kFar, hue), 2.0 / 3.0, 1e-9);
}

TEST_F(SkinBeyond, KeepsTheCandidatesWithSkinBeyondThemInTheirOrder) {
    const FaceBox box = box_of(picture);
    const double hue = skin_hue(picture.rows(), 120, 100, box);
    const std::vector<PointCandidate> right{{88, 50, 0.4}, {70, 50, 0.3}, {84, 50, 0.2}};
    const auto kept =
        corners_with_skin_beyond(right, picture.rows(), 120, 100, box, 1, hue, kLeastSkinBeyondEye);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].x, 70);
    EXPECT_EQ(kept[1].x, 84);
    // A mouth corner needs only some skin beyond it; the jaw's edge with none is still dropped.
    const std::vector<PointCandidate> mouth{{88, 50, 0.4}, {85, 50, 0.3}};
    const auto kept2 = corners_with_skin_beyond(mouth, picture.rows(), 120, 100, box, 1, hue,
                                                kLeastSkinBeyondMouth);
    ASSERT_EQ(kept2.size(), 1u);
    EXPECT_EQ(kept2[0].x, 85);
}

TEST_F(SkinBeyond, GreyHairOrAFrameOfSkinsHueIsNoSkin) {
    // Beyond column 70 the hue is skin's but the pixels carry next to no colour.
    colour(picture, 71, 89, 10, 5);
    const double hue = skin_hue(picture.rows(), 120, 100, box_of(picture));
    EXPECT_DOUBLE_EQ(skin_beyond(picture.rows(), 120, 100, 70, 50, 1, kNear, kFar, hue), 0.0);
}

// An ear of skin in columns 92..93 beyond the face's edge, and a dark line (the arm of a frame)
// across the temple at columns 66..67.
TEST_F(SkinBeyond, TheFaceBeyondAnOuterCornerRunsToItsFarthestSkin) {
    colour(picture, 92, 93, 10, 120);
    colour(picture, 66, 67, 150, 5);
    const FaceBox box = box_of(picture);
    const double hue = skin_hue(picture.rows(), 120, 100, box);
    _pixel** p = picture.rows();
    // From a corner at 60 the frame's arm does not end the face: it runs on to column 89.
    EXPECT_EQ(face_beyond(p, 120, 100, 60, 50, 1, kNear, 30, hue), 89 - 60 - kNear);
    // Beside the face's edge only the ear lies beyond, and past the ear nothing; outwards to the
    // left the picture's edge ends the face; grey pictures judge nothing.
    EXPECT_EQ(face_beyond(p, 120, 100, 88, 50, 1, kNear, 30, hue), 93 - 88 - kNear);
    EXPECT_EQ(face_beyond(p, 120, 100, 95, 50, 1, kNear, 30, hue), 0);
    EXPECT_EQ(face_beyond(p, 120, 100, 3, 50, -1, kNear, 30, hue), 3 - kNear);
    EXPECT_EQ(face_beyond(p, 120, 100, 95, 50, 1, kNear, 30, std::nan("")), 30 - kNear);

    // A corner with the temple beyond keeps its score; one on the ear loses more than one at
    // the face's edge with the ear beyond it, and the list keeps its order.
    const std::vector<PointCandidate> right{{60, 50, 0.5}, {90, 50, 0.5}, {87, 50, 0.5}};
    const auto weighed = outer_corners_weighed_by_face(right, p, 120, 100, box, 1, hue);
    ASSERT_EQ(weighed.size(), 3u);
    EXPECT_EQ(weighed[1].x, 90);
    EXPECT_DOUBLE_EQ(weighed[0].score, 0.5);
    EXPECT_LT(weighed[2].score, 0.5);
    EXPECT_LT(weighed[1].score, weighed[2].score);
    EXPECT_GT(weighed[1].score, 0.0);
    const auto unjudged = outer_corners_weighed_by_face(right, p, 120, 100, box, 1, std::nan(""));
    EXPECT_DOUBLE_EQ(unjudged[1].score, 0.5);
}

TEST(SkinHue, IsAveragedAroundTheCircle) {
    // Reddish skin on both sides of the hue's wrap: a plain mean would give a green's hue.
    HsvPicture picture{120, 100};
    colour(picture, 0, 49, 250, 120);
    colour(picture, 50, 119, 3, 120);
    const double hue = skin_hue(picture.rows(), 120, 100, box_of(picture));
    ASSERT_FALSE(std::isnan(hue));
    EXPECT_TRUE(hue > 245.0 || hue < 8.0) << hue;
    // A pixel of hue 3 is skin of hue 250 and more.
    EXPECT_DOUBLE_EQ(skin_beyond(picture.rows(), 120, 100, 60, 50, 1, kNear, kFar, hue), 1.0);
}

TEST(SkinHue, AGreyPictureOrNoneJudgesNothing) {
    HsvPicture grey{120, 100};
    const FaceBox box = box_of(grey);
    const double hue = skin_hue(grey.rows(), 120, 100, box);
    EXPECT_TRUE(std::isnan(hue));
    EXPECT_TRUE(std::isnan(skin_hue(nullptr, 120, 100, box)));
    EXPECT_DOUBLE_EQ(skin_beyond(grey.rows(), 120, 100, 88, 50, 1, kNear, kFar, hue), 1.0);
    const std::vector<PointCandidate> list{{88, 50, 0.4}, {119, 99, 0.1}};
    EXPECT_EQ(
        corners_with_skin_beyond(list, grey.rows(), 120, 100, box, 1, hue, kLeastSkinBeyondEye)
            .size(),
        2u);
    // A box off the picture gives no square to take the hue from.
    FaceBox off = box;
    off.centerx = 500;
    EXPECT_TRUE(std::isnan(skin_hue(grey.rows(), 120, 100, off)));
}

} // namespace
} // namespace zel::engine
