// GetCartoon's own rules: the input and head checks with their messages, the side points, the
// box rules between the stages, and what a failed run leaves behind.

#include "face_state.h"
#include "generation/cartoon.h"
#include "generation_support.h"
#include "portraits.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zel::engine {
namespace {

using testing::box_of;
using testing::MessageLog;

// Stands in for a photograph where only its presence is checked.
_pixel** some_photo() {
    static _pixel pixel{};
    static _pixel* rows[1] = {&pixel};
    return rows;
}

unsigned char** some_output() {
    static unsigned char byte = 0;
    static unsigned char* rows[1] = {&byte};
    return rows;
}

constexpr _pixel kSkin{200, 150, 120, 0};
char kName[] = "portrait.jpg";

TEST(CartoonCheckInput, SizeLimitsNameRowsFirst) {
    MessageLog log;
    EXPECT_EQ(cartoon_check_input(kName, some_photo(), 100, 150, some_output(), kSkin), 0);
    EXPECT_EQ(cartoon_check_input(kName, some_photo(), 720, 960, some_output(), kSkin), 0);
    EXPECT_TRUE(log.texts().empty());

    struct Case {
        int cols, rows;
        const char* text;
    };
    const Case refused[] = {
        {99, 150, "The input image's size (150 by 99) is under the limit (150 by 100 )."},
        {100, 149, "The input image's size (149 by 100) is under the limit (150 by 100 )."},
        {721, 960, "The input image's size (960 by 721) is over the limit (960 by 720 )."},
        {720, 961, "The input image's size (961 by 720) is over the limit (960 by 720 )."},
    };
    for (const Case& c : refused) {
        log.clear();
        EXPECT_EQ(cartoon_check_input(kName, some_photo(), c.cols, c.rows, some_output(), kSkin),
                  -1);
        EXPECT_EQ(log.last(), c.text);
    }
}

TEST(CartoonCheckInput, MissingPhotoAndNameInThatOrder) {
    MessageLog log;
    EXPECT_EQ(cartoon_check_input(nullptr, nullptr, 10, 10, nullptr, kSkin), -1);
    EXPECT_EQ(log.last(), "No input image has been found for creating caricuture!");
    EXPECT_EQ(cartoon_check_input(nullptr, some_photo(), 200, 200, some_output(), kSkin), -1);
    EXPECT_EQ(log.last(), "The file name of the color image has not been specified!");
    // Without an output array the run still needs memory for its drawing: here it has it.
    log.clear();
    EXPECT_EQ(cartoon_check_input(kName, some_photo(), 200, 200, nullptr, kSkin), 0);
    EXPECT_TRUE(log.texts().empty());
}

TEST(CartoonCheckInput, GreySkinIsRefused) {
    MessageLog log;
    EXPECT_EQ(
        cartoon_check_input(kName, some_photo(), 200, 200, some_output(), _pixel{128, 128, 132, 0}),
        -1);
    EXPECT_EQ(log.last(), "The skin color was not selected properly.\n"
                          "Please make sure that your photo is not a black/white or gray "
                          "picture.\n");
    EXPECT_EQ(
        cartoon_check_input(kName, some_photo(), 200, 200, some_output(), _pixel{128, 128, 133, 0}),
        0);
    // Any one channel pair 5 apart makes a colour.
    EXPECT_EQ(
        cartoon_check_input(kName, some_photo(), 200, 200, some_output(), _pixel{133, 128, 130, 0}),
        0);
}

TEST(CartoonCheckHead, ChinAndHeadTopBounds) {
    MessageLog log;
    const vyPointTag top{50, 20, 1, 0};
    EXPECT_EQ(cartoon_check_head({0, 100, 1, 0}, top, 200, 300), -20);
    EXPECT_EQ(log.last(), "The chin's position (0,100) was not correctly specified.\n");
    EXPECT_EQ(cartoon_check_head({100, 300, 1, 0}, top, 200, 300), -20);
    EXPECT_EQ(log.last(), "The chin's position (100,300) was not correctly specified.\n");
    EXPECT_EQ(cartoon_check_head({100, 150, 1, 0}, {-7, -1, 1, 0}, 200, 300), -20);
    EXPECT_EQ(log.last(),
              "The position of the top of the head (-7,-1) was not correctly specified.\n");
    EXPECT_EQ(cartoon_check_head({100, 150, 1, 0}, {100, 150, 1, 0}, 200, 300), -20);
    EXPECT_EQ(log.last(), "Please follow the instruction on 'Quinlet'\n"
                          "to specify the chin's position and the top of the head.");

    // The head top's column is not checked; the chin may stand on the last column. The
    // state is stored only by a check that passes.
    log.clear();
    ASSERT_EQ(cartoon_check_head({199, 150, 1, 0}, {-40, 0, 0, 0}, 200, 300), 0);
    EXPECT_TRUE(log.texts().empty());
    EXPECT_EQ(generation_state().chin_x, 199);
    EXPECT_EQ(generation_state().chin_y, 150);
    EXPECT_EQ(generation_state().head_top_y, 0);
    EXPECT_EQ(cartoon_check_head({10, 20, 1, 0}, {10, 30, 1, 0}, 200, 300), -20);
    EXPECT_EQ(generation_state().chin_x, 199);
}

TEST(CartoonCheckSides, UsedSidesInsideAndInOrder) {
    MessageLog log;
    vyPointSetTag points{};
    // Unused points are never looked at.
    points.point[0] = {-5, 0, 0, 0};
    points.point[1] = {900, 0, 0, 0};
    EXPECT_EQ(cartoon_check_sides(points, 200), 0);

    points.point[0] = {-1, 0, 1, 0};
    EXPECT_EQ(cartoon_check_sides(points, 200), -20);
    EXPECT_EQ(log.last(), "The face's side (-1) was not correctly specified.\n");
    points.point[0] = {0, 0, 1, 0};
    points.point[1] = {200, 0, 1, 0};
    EXPECT_EQ(cartoon_check_sides(points, 200), -20);
    EXPECT_EQ(log.last(), "The face's side (200) was not correctly specified.\n");
    points.point[1] = {199, 0, 1, 0};
    EXPECT_EQ(cartoon_check_sides(points, 200), 0);
    points.point[0] = {120, 0, 1, 0};
    points.point[1] = {120, 0, 1, 0};
    EXPECT_EQ(cartoon_check_sides(points, 200), -20);
    EXPECT_EQ(log.last(), "The face's left side must lie left of its right side.\n");
}

TEST(CartoonBoxRules, HeightLimitedToWidthTimesOnePointEight) {
    for (int sex : {1, 2, 3}) {
        FaceBox box = box_of(10, 109, 20, 219); // 100 x 200
        EXPECT_EQ(cartoon_limit_box_ratio(sex, box), 1);
        EXPECT_EQ(box.height, 179); // trunc(100 x 1.8f), not 180
        EXPECT_EQ(box.maxy, 219);
        EXPECT_EQ(box.miny, 41);
        EXPECT_EQ(box.centery, 130);
    }
    FaceBox other = box_of(10, 109, 20, 219);
    EXPECT_EQ(cartoon_limit_box_ratio(4, other), 0);
    EXPECT_EQ(other.height, 200);
    FaceBox square = box_of(10, 109, 20, 119);
    EXPECT_EQ(cartoon_limit_box_ratio(1, square), 0);
    FaceBox noWidth = box_of(10, 9, 20, 219);
    EXPECT_EQ(cartoon_limit_box_ratio(1, noWidth), 0);
    EXPECT_EQ(noWidth.height, 200);
}

TEST(CartoonBoxRules, SetUpFromChinAndUsedSides) {
    vyPointSetTag points{};
    points.point[0] = {30, 0, 0, 0};
    points.point[1] = {60, 0, 0, 0};
    FaceBox box = box_of(10, 109, 20, 150);
    cartoon_set_landmarks(4, {50, 170, 1, 0}, {50, 5, 1, 0}, points, box, 200);
    EXPECT_EQ(box.minx, 10);
    EXPECT_EQ(box.maxx, 109);
    EXPECT_EQ(box.maxy, 170);
    EXPECT_EQ(box.height, 151);

    points.point[0].used = 1;
    points.point[1].used = 1;
    cartoon_set_landmarks(1, {50, 170, 1, 0}, {50, 5, 1, 0}, points, box, 200);
    EXPECT_EQ(box.minx, 30);
    EXPECT_EQ(box.maxx, 60);
    EXPECT_EQ(box.width, 31);
    EXPECT_EQ(box.centerx, 45);
    // 31 wide: at most trunc(31 x 1.8f) = 55 high, ending at the chin.
    EXPECT_EQ(box.height, 55);
    EXPECT_EQ(box.miny, 116);
}

// Head from y 10 to the chin at y 210 (200 rows) on the column x 100 of a 240-wide picture.
TEST(CartoonBoxRules, SegmentedBoxCheckedAgainstTheHead) {
    const vyPointTag chin{100, 210, 1, 0};
    const vyPointTag top{100, 10, 1, 0};

    // A whole face: 110 wide (0.55 of the head), centred 10 off the chin's column.
    FaceBox whole = box_of(55, 164, 30, 210);
    EXPECT_EQ(cartoon_box_fit_head(chin, top, 240, whole), 0);
    EXPECT_EQ(whole.minx, 55);
    EXPECT_EQ(whole.maxx, 164);

    // Half a face split off at glasses: 60 wide, under 0.42 of the head. It takes 0.55 of the
    // head, centred on the chin, whatever side the kept piece lay on; rows stay.
    FaceBox half = box_of(110, 169, 60, 210);
    EXPECT_EQ(cartoon_box_fit_head(chin, top, 240, half), 1);
    EXPECT_EQ(half.minx, 45);
    EXPECT_EQ(half.maxx, 154);
    EXPECT_EQ(half.width, 110);
    EXPECT_EQ(half.centerx, 99);
    EXPECT_EQ(half.miny, 60);
    EXPECT_EQ(half.maxy, 210);

    // Just at the width limit (84 = 0.42 x 200) and centred: kept.
    FaceBox slim = box_of(58, 141, 30, 210);
    EXPECT_EQ(cartoon_box_fit_head(chin, top, 240, slim), 0);

    // A box that took in a skin-coloured backdrop on the right, or lost the shadowed left half
    // of the face: its centre 19.5 off the chin (more than 0.09 of the head) moves onto the
    // chin's column, keeping its width.
    FaceBox drifted = box_of(70, 169, 30, 210);
    EXPECT_EQ(cartoon_box_fit_head(chin, top, 240, drifted), 1);
    EXPECT_EQ(drifted.minx, 50);
    EXPECT_EQ(drifted.maxx, 149);
    FaceBox lost = box_of(31, 130, 30, 210);
    EXPECT_EQ(cartoon_box_fit_head(chin, top, 240, lost), 1);
    EXPECT_EQ(lost.minx, 50);
    EXPECT_EQ(lost.centerx, 99);
    // 18 off (exactly 0.09) is still a face's own asymmetry.
    FaceBox turned = box_of(69, 167, 30, 210);
    EXPECT_EQ(cartoon_box_fit_head(chin, top, 240, turned), 0);
}

TEST(CartoonBoxRules, HeadFittedBoxStaysInsideThePicture) {
    // Chin near the left border: the 110-wide fallback starts at column 0, not before it.
    FaceBox left = box_of(5, 40, 30, 210);
    EXPECT_EQ(cartoon_box_fit_head({20, 210, 1, 0}, {20, 10, 1, 0}, 240, left), 1);
    EXPECT_EQ(left.minx, 0);
    EXPECT_EQ(left.maxx, 109);
    // Near the right border it ends at the last column.
    FaceBox right = box_of(200, 235, 30, 210);
    EXPECT_EQ(cartoon_box_fit_head({230, 210, 1, 0}, {230, 10, 1, 0}, 240, right), 1);
    EXPECT_EQ(right.maxx, 239);
    EXPECT_EQ(right.minx, 130);
    // A head taller than the picture is wide: the box takes the whole width.
    FaceBox wide = box_of(40, 49, 30, 210);
    EXPECT_EQ(cartoon_box_fit_head({45, 210, 1, 0}, {45, 10, 1, 0}, 90, wide), 1);
    EXPECT_EQ(wide.minx, 0);
    EXPECT_EQ(wide.maxx, 89);
    // Without a head above the chin there is nothing to measure against.
    FaceBox none = box_of(110, 119, 30, 210);
    EXPECT_EQ(cartoon_box_fit_head({100, 210, 1, 0}, {100, 210, 1, 0}, 240, none), 0);
    EXPECT_EQ(none.minx, 110);
}

TEST(CartoonBoxRules, UsedSidePointsOverrideTheHeadFit) {
    // The user's own sides hold even where the segmented box was implausible.
    vyPointSetTag points{};
    points.point[0] = {70, 0, 1, 0};
    points.point[1] = {120, 0, 1, 0};
    FaceBox box = box_of(110, 129, 30, 150);
    cartoon_set_landmarks(4, {100, 210, 1, 0}, {100, 10, 1, 0}, points, box, 240);
    EXPECT_EQ(box.minx, 70);
    EXPECT_EQ(box.maxx, 120);
    EXPECT_EQ(box.maxy, 210);
    // Without them the set-up widens it.
    points = vyPointSetTag{};
    box = box_of(110, 129, 30, 150);
    cartoon_set_landmarks(4, {100, 210, 1, 0}, {100, 10, 1, 0}, points, box, 240);
    EXPECT_EQ(box.minx, 45);
    EXPECT_EQ(box.maxx, 154);
}

TEST(CartoonBoxRules, UsedPointsReplaceLandmarks) {
    FaceLandmarks lm;
    lm.face_landmarks_init();
    vyPointSetTag points{};
    for (int i = 0; i < kCartoonPoints; ++i)
        points.point[i] = {100 + i, 200 + i, 0, 0};
    cartoon_store_landmarks(points, lm);
    FaceLandmarks untouched;
    untouched.face_landmarks_init();
    EXPECT_EQ(std::memcmp(&lm.eyes, &untouched.eyes, sizeof lm.eyes), 0);
    EXPECT_EQ(lm.nose.center_x, 0);

    for (int i = 0; i < kCartoonPoints; ++i)
        points.point[i].used = 1;
    cartoon_store_landmarks(points, lm);
    const std::int32_t expected[][2] = {
        {lm.eyes[0].out_x, lm.eyes[0].out_y}, {lm.eyes[0].in_x, lm.eyes[0].in_y},
        {lm.eyes[0].top_x, lm.eyes[0].top_y}, {lm.eyes[0].bottom_x, lm.eyes[0].bottom_y},
        {lm.eyes[1].in_x, lm.eyes[1].in_y},   {lm.eyes[1].out_x, lm.eyes[1].out_y},
        {lm.eyes[1].top_x, lm.eyes[1].top_y}, {lm.eyes[1].bottom_x, lm.eyes[1].bottom_y},
        {lm.mouth.l_x, lm.mouth.l_y},         {lm.mouth.r_x, lm.mouth.r_y},
        {lm.mouth.top_x, lm.mouth.top_y},     {lm.mouth.bottom_x, lm.mouth.bottom_y},
        {lm.nose.l_x, lm.nose.l_y},           {lm.nose.center_x, lm.nose.center_y},
        {lm.nose.r_x, lm.nose.r_y},
    };
    for (int i = 2; i < kCartoonPoints; ++i) {
        EXPECT_EQ(expected[i - 2][0], 100 + i) << "point " << i;
        EXPECT_EQ(expected[i - 2][1], 200 + i) << "point " << i;
    }
    // The brows have no point of their own.
    EXPECT_EQ(lm.brows[0].top_x, 0);
}

TEST(CartoonBoxRules, EyeLineKeepsItsShareAboveTheChin) {
    FaceLandmarks lm;
    lm.face_landmarks_init();
    lm.eyes[0].in_y = lm.eyes[0].out_y = lm.eyes[1].in_y = lm.eyes[1].out_y = 120;
    // 80 rows from the eye line to the chin: 0.4 of 200.
    FaceBox man = box_of(0, 99, 0, 199);
    EXPECT_EQ(cartoon_fit_parts(1, man, lm), 1);
    EXPECT_EQ(man.height, 177); // trunc(80 / 0.45f)
    EXPECT_EQ(man.miny, 23);
    EXPECT_EQ(man.maxy, 199);
    FaceBox woman = box_of(0, 99, 0, 199);
    EXPECT_EQ(cartoon_fit_parts(2, woman, lm), 1);
    EXPECT_EQ(woman.height, 190); // trunc(80 / 0.42f)
    FaceBox other = box_of(0, 99, 0, 199);
    EXPECT_EQ(cartoon_fit_parts(5, other, lm), 0);
    EXPECT_EQ(other.height, 200);

    // An eye line high enough changes nothing; one below the chin cannot turn the box over.
    lm.eyes[0].in_y = lm.eyes[0].out_y = lm.eyes[1].in_y = lm.eyes[1].out_y = 100;
    FaceBox high = box_of(0, 99, 0, 199);
    EXPECT_EQ(cartoon_fit_parts(1, high, lm), 0);
    lm.eyes[0].in_y = lm.eyes[0].out_y = lm.eyes[1].in_y = lm.eyes[1].out_y = 400;
    FaceBox low = box_of(0, 99, 0, 199);
    EXPECT_EQ(cartoon_fit_parts(1, low, lm), 0);
    EXPECT_EQ(low.miny, 0);
}

TEST(CartoonBoxRules, UsableBoxLiesInsideAndIsLargeEnough) {
    EXPECT_TRUE(cartoon_box_usable(box_of(0, 15, 0, 15), 16, 16));
    EXPECT_FALSE(cartoon_box_usable(box_of(0, 14, 0, 15), 16, 16));
    EXPECT_FALSE(cartoon_box_usable(box_of(0, 15, 0, 14), 16, 16));
    EXPECT_FALSE(cartoon_box_usable(box_of(-1, 15, 0, 15), 16, 16));
    EXPECT_FALSE(cartoon_box_usable(box_of(0, 16, 0, 15), 16, 16));
    EXPECT_FALSE(cartoon_box_usable(box_of(0, 15, 0, 16), 16, 16));
    EXPECT_FALSE(cartoon_box_usable(box_of(15, 0, 0, 15), 16, 16));
    EXPECT_FALSE(cartoon_box_usable(FaceBox{}, 720, 960));
}

} // namespace
} // namespace zel::engine
