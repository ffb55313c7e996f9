// The face region's rules on small pictures with known answers: the jaw path and the drawing
// threshold, the ray rules, the region rules, the brow cut and the side trim.

#include "generation/cartoon.h"
#include "generation/face_region.h"
#include "generation_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zel::engine {
namespace {

using testing::as_art;
using testing::Bits;
using testing::box_of;
using testing::filled_mask;
using testing::filled_picture;
using testing::mask_art;
using testing::mask_from_art;
using testing::MessageLog;
using testing::Picture;

// An HSV picture whose luma (byte 2) is v everywhere.
std::unique_ptr<Picture> luma_picture(int cols, int rows, int v) {
    return filled_picture(cols, rows, _pixel{0, 0, static_cast<unsigned char>(v), 0});
}
void set_luma(Picture& p, int x, int y, int v) {
    p.pixels[y][x].b = static_cast<unsigned char>(v);
}

class JawPath : public ::testing::Test {
protected:
    std::unique_ptr<Picture> hsv = luma_picture(12, 10, 200);
    std::unique_ptr<Bits> back = filled_mask(12, 10, 0);
    std::unique_ptr<Bits> skin = filled_mask(12, 10, 1);
    FaceBox box = box_of(1, 10, 0, 9);
    JawBand jaw{2, 7};

    int path(int t) {
        return face_jaw_path(hsv->pixels, 12, 10, back->bits, skin->bits, jaw, box, t);
    }
    // A dark route: row 4 from column 1 to 5, down column 5 to row 6, row 6 to column 10.
    void dark_route(int v) {
        for (int x = 1; x <= 5; ++x)
            set_luma(*hsv, x, 4, v);
        set_luma(*hsv, 5, 5, v);
        for (int x = 5; x <= 10; ++x)
            set_luma(*hsv, x, 6, v);
    }
};

TEST_F(JawPath, DarkRouteAcrossTheBoxAtOrAboveItsLuma) {
    dark_route(50);
    EXPECT_EQ(path(50), 1);
    EXPECT_EQ(path(49), 0);
    set_luma(*hsv, 8, 6, 200);
    EXPECT_EQ(path(100), 0);
    // Background and pixels off the skin pass whatever their luma.
    back->bits[6][8] = 1;
    EXPECT_EQ(path(100), 1);
    back->bits[6][8] = 0;
    skin->bits[6][8] = 0;
    EXPECT_EQ(path(100), 1);
}

TEST_F(JawPath, DeadEndsDoNotCarryThePath) {
    // Column 3 is dark at rows 4 (reached) and 2 (not reached from column 2); column 4 is dark
    // only at row 2, which joins column 3's unreached cell.
    for (int x = 1; x <= 3; ++x)
        set_luma(*hsv, x, 4, 50);
    set_luma(*hsv, 3, 2, 50);
    set_luma(*hsv, 4, 2, 50);
    for (int x = 5; x <= 10; ++x)
        set_luma(*hsv, x, 2, 50);
    EXPECT_EQ(path(100), 0);
    set_luma(*hsv, 3, 3, 50); // now row 2 of column 3 is reached through row 3
    EXPECT_EQ(path(100), 1);
}

TEST_F(JawPath, OneColumnBoxAlwaysHasAPathAnEmptyBandNever) {
    box = box_of(4, 4, 0, 9);
    EXPECT_EQ(path(0), 1);
    box = box_of(1, 10, 0, 9);
    dark_route(50);
    jaw = {8, 1};
    EXPECT_EQ(path(255), 0);
    jaw = {2, 7};
    box = box_of(1, 10, 8, 9); // the band lies above the box
    EXPECT_EQ(path(255), 0);
}

// A picture whose levels put lo at 49 and hi at 199: 30 % dark pixels off the skin at luma
// 50, the rest skin at luma 200, with a stripe of skin across the jaw band at stripeLuma.
class Threshold : public ::testing::Test {
protected:
    std::unique_ptr<Picture> hsv = luma_picture(40, 40, 200);
    std::unique_ptr<Bits> back = filled_mask(40, 40, 0);
    std::unique_ptr<Bits> skin = filled_mask(40, 40, 1);
    FaceBox box = box_of(5, 34, 12, 39);
    JawBand jaw{20, 30};

    void paint(int stripeLuma, int darkLuma = 50) {
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 40; ++x) {
                set_luma(*hsv, x, y, darkLuma);
                skin->bits[y][x] = 0;
            }
        for (int x = 5; x <= 34; ++x)
            set_luma(*hsv, x, 25, stripeLuma);
    }
    int threshold() {
        int t = -1;
        EXPECT_EQ(face_threshold(hsv->pixels, 40, 40, back->bits, skin->bits, jaw, box, &t), 0);
        return t;
    }
};

TEST_F(Threshold, PathAtTheFirstLevelIsKept) {
    paint(40); // a path exists at 49 and below
    EXPECT_EQ(threshold(), 49);
}

TEST_F(Threshold, LaterHitIsRefinedDownToTheLowestLevelWithAPath) {
    paint(56); // tried at 49, 54, 59; refined 58, 57, 56 (55 has none)
    EXPECT_EQ(threshold(), 56);
    paint(199);
    EXPECT_EQ(threshold(), 199);
}

TEST_F(Threshold, DarkQuarterAtLevelZeroStartsTheSearchAtZero) {
    paint(3, 0); // no level lies below a quarter of the pixels: tried at 0, 5; refined to 3
    EXPECT_EQ(threshold(), 3);
}

TEST_F(Threshold, NoPathEndsAtTheLastLevelTried) {
    paint(250);
    EXPECT_EQ(threshold(), 199); // 49 + 30 x 5
}

TEST_F(Threshold, SkinReachedBeforeAQuarterOfThePictureTakesTheFirstLevel) {
    // 10 % skin at luma 20, the rest off the skin at 100: the levels stop at 20 with lo 20
    // and hi 19, and no path is looked for.
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool isSkin = y < 4;
            skin->bits[y][x] = isSkin ? 1 : 0;
            set_luma(*hsv, x, y, isSkin ? 20 : 100);
        }
    EXPECT_EQ(threshold(), 20);
}

TEST_F(Threshold, NothingToMeasureFailsAndSaysWhy) {
    int t = -1;
    MessageLog log;
    auto none = filled_mask(40, 40, 0);
    EXPECT_EQ(face_threshold(hsv->pixels, 40, 40, back->bits, none->bits, jaw, box, &t), -13);
    auto all = filled_mask(40, 40, 1);
    EXPECT_EQ(face_threshold(hsv->pixels, 40, 40, all->bits, skin->bits, jaw, box, &t), -13);
    EXPECT_EQ(t, -1);
    ASSERT_EQ(log.texts().size(), 2u);
    EXPECT_EQ(log.last(), "No skin apart from the background has been found on the face.\n"
                          "Please make sure that the background color was picked beside the head "
                          "and the skin color on the face.\n");
}

// One ray along row 1 of a 20 x 3 picture crossing an ink run at columns 5..11.
class RayErase : public ::testing::Test {
protected:
    std::unique_ptr<Bits> drawing = mask_from_art({
        "####################",
        "#####.......########",
        "####################",
    });
    std::unique_ptr<Bits> skin = filled_mask(20, 3, 1);
    std::unique_ptr<Bits> erase = filled_mask(20, 3, 0);
    std::unique_ptr<Bits> dots = filled_mask(20, 3, 0);

    void run_ray() {
        face_ray_erase_marks(drawing->bits, skin->bits, 20, 3, 1, 1, 19, 1, erase->bits,
                             dots->bits);
    }
};

TEST_F(RayErase, ThreePixelsOffTheSkinMakeAShadowErasedButForItsEndDot) {
    for (int x = 9; x <= 11; ++x)
        skin->bits[1][x] = 0;
    run_ray();
    EXPECT_EQ(mask_art(*erase), (std::vector<std::string>{
                                    "....................",
                                    ".....#######........",
                                    "....................",
                                }));
    EXPECT_EQ(mask_art(*dots), (std::vector<std::string>{
                                   "..........###.......",
                                   "..........###.......",
                                   "..........###.......",
                               }));
}

TEST_F(RayErase, FourPixelsOffTheSkinMakeALineThatKeepsThem) {
    for (int x = 8; x <= 11; ++x)
        skin->bits[1][x] = 0;
    run_ray();
    EXPECT_EQ(mask_art(*erase), (std::vector<std::string>{
                                    "....................",
                                    ".....###............",
                                    "....................",
                                }));
    EXPECT_EQ(mask_art(*dots), (std::vector<std::string>(3, "....................")));
}

TEST(RaysErase, ADotOnTheSkinGrowsIntoItsEndBlock) {
    auto drawing = filled_mask(21, 21, 1);
    drawing->bits[10][15] = 0;
    auto skin = filled_mask(21, 21, 1);
    ASSERT_EQ(face_rays_erase(drawing->bits, skin->bits, 21, 21, box_of(0, 20, 0, 20)), 0);
    int ink = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) {
            const bool block = x >= 14 && x <= 16 && y >= 9 && y <= 11;
            EXPECT_EQ(drawing->bits[y][x], block ? 0 : 1) << x << "," << y;
            ink += drawing->bits[y][x] == 0 ? 1 : 0;
        }
    EXPECT_EQ(ink, 9);
}

TEST(InkRegions, KeptWhenTheyBorderBothTheFaceAndTheOutside) {
    // The face is the left half. '#' is ink.
    auto drawing = mask_from_art(
        {
            "....................",
            "....................",
            "...##......##....#..",
            "....................",
            "....................",
            "....................",
            "....................",
            "####################",
        },
        '.');
    auto face = filled_mask(20, 8, 0);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x)
            face->bits[y][x] = 1;
    ASSERT_EQ(face_keep_ink_regions(drawing->bits, face->bits, 20, 8), 0);
    EXPECT_EQ(as_art(drawing->bits, 20, 8), (std::vector<std::string>{
                                                "....................",
                                                "....................",
                                                "...........##.......",
                                                "....................",
                                                "....................",
                                                "....................",
                                                "....................",
                                                "####################",
                                            }));
}

TEST(InkRegions, SmallOrEnclosedInkGoes) {
    auto drawing = filled_mask(220, 10, 1);
    auto face = filled_mask(220, 10, 0);
    for (int x = 0; x < 199; ++x)
        drawing->bits[1][x] = 0; // 199 pixels
    for (int x = 0; x < 200; ++x)
        drawing->bits[4][x] = 0; // 200 pixels
    for (int x = 0; x < 210; ++x) {
        drawing->bits[7][x] = 0; // wrapped in face
        face->bits[6][x] = face->bits[8][x] = 1;
    }
    face->bits[7][210] = 1;
    ASSERT_EQ(face_drop_small_ink(drawing->bits, face->bits, 220, 10, 0, 200), 0);
    EXPECT_EQ(drawing->bits[1][0], 1);
    EXPECT_EQ(drawing->bits[4][0], 0);
    EXPECT_EQ(drawing->bits[4][199], 0);
    EXPECT_EQ(drawing->bits[7][0], 1);
}

TEST(InkRegions, OverflowsAreReported) {
    auto stripes = filled_mask(720, 200, 1);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 720; x += 2)
            stripes->bits[y][x] = 0;
    auto face = filled_mask(720, 200, 0);
    // Each says which list overflowed: the run that ends there shows why.
    MessageLog log;
    EXPECT_EQ(face_keep_ink_regions(stripes->bits, face->bits, 720, 200), -13);
    EXPECT_EQ(log.last(), "Segmentation list table overflows @ face_keep_ink_regions().");
    EXPECT_EQ(face_drop_small_ink(stripes->bits, face->bits, 720, 200, 0, 200), -13);
    EXPECT_EQ(log.last(), "Segmentation list table overflows @ face_drop_small_ink().");
    EXPECT_EQ(face_fill_enclosed(stripes->bits, face->bits, 720, 200), -13);
    EXPECT_EQ(log.last(), "Segmentation list table overflows @ face_fill_enclosed().");
    EXPECT_EQ(log.texts().size(), 3u);
}

TEST(InkRegions, EnclosedWhiteOutsideTheFaceIsInked) {
    auto drawing = mask_from_art(
        {
            "##########",
            "#..#.....#",
            "#..#.....#",
            "####.....#",
            "#.#......#",
            "###......#",
            "..........",
        },
        '.');
    auto face = filled_mask(10, 7, 0);
    face->bits[4][1] = 1;
    ASSERT_EQ(face_fill_enclosed(drawing->bits, face->bits, 10, 7), 0);
    EXPECT_EQ(as_art(drawing->bits, 10, 7), (std::vector<std::string>{
                                                "##########",
                                                "####.....#",
                                                "####.....#",
                                                "####.....#",
                                                "#.#......#",
                                                "###......#",
                                                "..........",
                                            }));
}

TEST(FaceFillColumns, GapsBetweenFaceInAColumnOfTheBoxClose) {
    auto face = mask_from_art({
        "#....",
        "##.#.",
        "..#..",
        "..#..",
        "##.#.",
        "#...#",
    });
    face_fill_columns(face->bits, 5, 6, box_of(1, 3, 0, 4));
    EXPECT_EQ(mask_art(*face), (std::vector<std::string>{
                                   "#....",
                                   "##.#.",
                                   ".###.",
                                   ".###.",
                                   "##.#.",
                                   "#...#",
                               }));
}

TEST(EyebrowCut, FlatBlobsInTheUpperFaceGoCompactOnesStay) {
    auto drawing = filled_mask(30, 41, 1);
    auto skin = filled_mask(30, 41, 1);
    for (int y = 8; y <= 9; ++y)
        for (int x = 3; x <= 12; ++x)
            drawing->bits[y][x] = 0; // a brow: 10 x 2
    for (int x = 3; x <= 12; ++x)
        drawing->bits[4][x] = 0; // one row: no spread down at all
    for (int y = 10; y <= 13; ++y)
        for (int x = 20; x <= 23; ++x)
            drawing->bits[y][x] = 0; // a compact blob
    for (int y = 15; y <= 25; ++y)
        for (int x = 26; x <= 29; ++x)
            drawing->bits[y][x] = 0; // flat where it is cut at the middle, but runs on below
    ASSERT_EQ(face_cuteyebrow(drawing->bits, skin->bits, 30, 41, box_of(0, 29, 0, 40)), 0);
    EXPECT_EQ(drawing->bits[8][3], 1);
    EXPECT_EQ(drawing->bits[9][12], 1);
    EXPECT_EQ(drawing->bits[4][7], 1);
    EXPECT_EQ(drawing->bits[10][20], 0);
    EXPECT_EQ(drawing->bits[13][23], 0);
    EXPECT_EQ(drawing->bits[15][26], 0);
}

TEST(EyebrowCut, InkAboveTheFaceSkinIsNotTaken) {
    // Hair: ink from the box top before any skin is met.
    auto drawing = filled_mask(30, 41, 1);
    auto skin = filled_mask(30, 41, 0);
    for (int y = 0; y <= 2; ++y)
        for (int x = 0; x <= 29; ++x)
            drawing->bits[y][x] = 0;
    for (int y = 3; y <= 40; ++y)
        for (int x = 0; x <= 29; ++x)
            skin->bits[y][x] = 1;
    ASSERT_EQ(face_cuteyebrow(drawing->bits, skin->bits, 30, 41, box_of(0, 29, 0, 40)), 0);
    EXPECT_EQ(drawing->bits[1][10], 0);
}

TEST(EyebrowCut, OverflowIsReported) {
    MessageLog log;
    auto drawing = filled_mask(720, 960, 1);
    auto skin = filled_mask(720, 960, 1);
    for (int y = 2; y < 480; y += 2)
        for (int x = 0; x < 720; ++x)
            drawing->bits[y][x] = 0;
    EXPECT_EQ(face_cuteyebrow(drawing->bits, skin->bits, 720, 960, box_of(0, 719, 0, 959)), -13);
    EXPECT_EQ(log.last(), "Segmentation list table overflows @ face_cuteyebrow().");
}

// A round face of radius 15 at (20, 20) in front of background beyond radius `back`.
struct RoundFace {
    std::unique_ptr<Bits> drawing = filled_mask(41, 41, 1);
    std::unique_ptr<Bits> skin = filled_mask(41, 41, 0);
    std::unique_ptr<Bits> back = filled_mask(41, 41, 0);
    std::unique_ptr<Bits> face = filled_mask(41, 41, 0);
    explicit RoundFace(double backFrom, double inkFrom) {
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < 41; ++x) {
                const double r = std::hypot(x - 20, y - 20);
                skin->bits[y][x] = face->bits[y][x] = r <= 15 ? 1 : 0;
                back->bits[y][x] = r > backFrom ? 1 : 0;
                drawing->bits[y][x] = r > inkFrom && r <= backFrom ? 0 : 1;
            }
    }
    int ink(double from, double to) const {
        int n = 0;
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < 41; ++x) {
                const double r = std::hypot(x - 20, y - 20);
                n += r >= from && r <= to && drawing->bits[y][x] == 0 ? 1 : 0;
            }
        return n;
    }
    void close() {
        face_rays_close(drawing->bits, skin->bits, back->bits, face->bits, 41, 41,
                        box_of(5, 35, 5, 35));
    }
};

TEST(RaysClose, DotsCloseTheOutlineWhereFaceMeetsBackground) {
    RoundFace open(15.5, 99.0);
    open.close();
    EXPECT_GT(open.ink(13.0, 16.0), 60);
    EXPECT_EQ(open.ink(0.0, 12.0), 0);
    // Dots stop above the chin's row.
    for (int x = 0; x < 41; ++x)
        EXPECT_EQ(open.drawing->bits[36][x], 1);

    RoundFace lined(17.0, 15.0);
    const int before = lined.ink(0.0, 99.0);
    lined.close();
    EXPECT_EQ(lined.ink(0.0, 99.0), before);
}

// A face mask of 30 x 60 whose top outline, seen from the left side, has the given first rows
// (60: no face in that column); the columns after them hold face down the whole box, so the
// first of them is the first column inside the face.
std::unique_ptr<Bits> profile_mask(const std::vector<int>& tops) {
    auto face = filled_mask(30, 60, 0);
    for (std::size_t x = 0; x < tops.size(); ++x)
        if (tops[x] < 60)
            face->bits[tops[x]][x] = 1;
    for (int x = static_cast<int>(tops.size()); x < 30; ++x)
        for (int y = 5; y < 60; ++y)
            face->bits[y][x] = 1;
    return face;
}

TEST(TrimSides, SideMovesInToTheDeepestNotch) {
    // Hair beside the face, then a gap without face down to the chin, then the face.
    auto face = profile_mask({10, 10, 10, 10, 10, 10, 60, 60, 60, 60});
    FaceBox box = box_of(0, 29, 0, 59);
    face_trim_sides(face->bits, 30, 60, box);
    EXPECT_EQ(box.minx, 8);
    EXPECT_EQ(box.maxx, 29);
    EXPECT_EQ(box.width, 22);
    EXPECT_EQ(box.centerx, 18);
}

TEST(TrimSides, NotchOfAreaTwoLeavesTheSide) {
    auto face = profile_mask({10, 10, 10, 10, 12, 12, 10, 10, 10, 10});
    FaceBox box = box_of(0, 29, 0, 59);
    face_trim_sides(face->bits, 30, 60, box);
    EXPECT_EQ(box.minx, 0);
    EXPECT_EQ(box.width, 30);
}

TEST(TrimSides, RightSideIsTheMirror) {
    auto left = profile_mask({10, 10, 10, 10, 10, 10, 60, 60, 60, 60});
    auto right = filled_mask(30, 60, 0);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 30; ++x)
            right->bits[y][29 - x] = left->bits[y][x];
    FaceBox box = box_of(0, 29, 0, 59);
    face_trim_sides(right->bits, 30, 60, box);
    EXPECT_EQ(box.minx, 0);
    EXPECT_EQ(box.maxx, 21);
}

TEST(TrimSides, NoColumnInsideTheFaceLeavesTheSide) {
    auto face = profile_mask(std::vector<int>(30, 10));
    FaceBox box = box_of(0, 29, 0, 59);
    face_trim_sides(face->bits, 30, 60, box);
    EXPECT_EQ(box.minx, 0);
    EXPECT_EQ(box.maxx, 29);
}

} // namespace
} // namespace zel::engine
