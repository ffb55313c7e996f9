// Face box, landmark and measures records.

#include "engine_codes.h"

#include <zel/face_engine.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using zel::engine::kMissing;

TEST(FaceBox, SidesKeepCentreAndExtentTruncatedTowardZero) {
    FaceBox box;
    box.box_set_side(0, 10);
    box.box_set_side(1, 21);
    EXPECT_EQ(box.centerx, 15);
    EXPECT_EQ(box.width, 12);

    FaceBox fresh;
    fresh.box_set_side(2, 5);
    EXPECT_EQ(fresh.centery, 2);
    EXPECT_EQ(fresh.height, -4);

    fresh.box_set_side(7, -8); // any other side is maxy
    EXPECT_EQ(fresh.maxy, -8);
    EXPECT_EQ(fresh.centery, -1); // (5 - 8) / 2 truncated toward zero

    // Sides at the ends of the int range: the centre stays exact, nothing overflows.
    FaceBox wide;
    wide.box_set_side(0, INT_MIN);
    wide.box_set_side(1, INT_MAX);
    EXPECT_EQ(wide.centerx, 0);
    wide.box_set_side(2, INT_MAX);
    EXPECT_EQ(wide.centery, INT_MAX / 2);
}

TEST(MeasurementRecords, CopiesRefuseNullAndLandmarkCopiesKeepColours) {
    FaceBox box;
    box.maxx = 3;
    EXPECT_EQ(box.box_record_copy(nullptr), kMissing);
    EXPECT_EQ(box.maxx, 3);

    FaceMeasures measures;
    EXPECT_DOUBLE_EQ(measures.eye_height, 0.0);
    EXPECT_EQ(measures.lips_thick, 1);
    FaceMeasures other;
    other.eye_brow = 0.25;
    other.nose_shape = 3;
    EXPECT_EQ(measures.measures_record_copy(&other), 0);
    EXPECT_DOUBLE_EQ(measures.eye_brow, 0.25);
    EXPECT_EQ(measures.nose_shape, 3);
    EXPECT_EQ(measures.measures_record_copy(nullptr), kMissing);

    FaceLandmarks target;
    target.nose_color = _pixel{1, 2, 3, 4};
    FaceLandmarks source;
    source.mouth.top_y = 44;
    source.eyes[1].out_x = 7;
    source.nose_color = _pixel{9, 9, 9, 9};
    EXPECT_EQ(target.face_landmarks_copy(&source), 0);
    EXPECT_EQ(target.mouth.top_y, 44);
    EXPECT_EQ(target.eyes[1].out_x, 7);
    EXPECT_EQ(target.nose_color.r, 1);
    EXPECT_EQ(target.face_landmarks_copy(nullptr), kMissing);
}

TEST(FaceLandmarks, EyeCornersByCodeAndSide) {
    FaceLandmarks marks;
    marks.set_eye_point(1, 0, 10, 11); // left eye: code 1 is the inner corner
    marks.set_eye_point(0, 1, 20, 21); // right eye: code 0 is the inner corner
    marks.set_eye_point(0, 0, 30, 31);
    marks.set_eye_point(2, 0, 99, 99); // no such point
    EXPECT_EQ(marks.eyes[0].in_x, 10);
    EXPECT_EQ(marks.eyes[1].in_y, 21);
    EXPECT_EQ(marks.eyes[0].out_x, 30);
    EXPECT_EQ(marks.eyes[0].top_x, 0);
}

TEST(FaceLandmarks, BrowPointsByCodeAndSide) {
    FaceLandmarks marks;
    marks.set_brow_point(3, 0, 10, 11);
    marks.set_brow_point(4, 7, 20, 21); // any non-zero side is the right brow
    marks.set_brow_point(0, 0, 99, 99); // codes other than 3 and 4 store nothing
    marks.set_brow_point(1, 1, 99, 99);
    EXPECT_EQ(marks.brows[0].top_x, 10);
    EXPECT_EQ(marks.brows[0].top_y, 11);
    EXPECT_EQ(marks.brows[0].bottom_y, 0);
    EXPECT_EQ(marks.brows[1].bottom_x, 20);
    EXPECT_EQ(marks.brows[1].bottom_y, 21);
    EXPECT_EQ(marks.brows[1].top_x, 0);
}

TEST(FaceLandmarks, ColourSettersTakeRgbAndKeepTheSpareByte) {
    FaceLandmarks marks;
    marks.face_landmarks_init();
    void (FaceLandmarks::*setters[])(_pixel) = {
        &FaceLandmarks::set_brow_color,  &FaceLandmarks::set_eye_color,
        &FaceLandmarks::set_nose_color,  &FaceLandmarks::set_mouth_color,
        &FaceLandmarks::set_bkgnd_color, &FaceLandmarks::set_edge_color,
        &FaceLandmarks::set_face_color};
    _pixel FaceLandmarks::*stored[] = {&FaceLandmarks::brow_color,  &FaceLandmarks::eye_color,
                                       &FaceLandmarks::nose_color,  &FaceLandmarks::mouth_color,
                                       &FaceLandmarks::bkgnd_color, &FaceLandmarks::edge_color,
                                       &FaceLandmarks::face_color};
    for (int k = 0; k < 7; ++k) {
        (marks.*stored[k]).spare = 40;
        const auto v = static_cast<unsigned char>(10 * k);
        (marks.*setters[k])(
            _pixel{v, static_cast<unsigned char>(v + 1), static_cast<unsigned char>(v + 2), 99});
    }
    for (int k = 0; k < 7; ++k) {
        const _pixel& c = marks.*stored[k];
        EXPECT_EQ(c.r, 10 * k) << k;
        EXPECT_EQ(c.g, 10 * k + 1) << k;
        EXPECT_EQ(c.b, 10 * k + 2) << k;
        EXPECT_EQ(c.spare, 40) << k;
    }
}

} // namespace
