// The lines and codes figures that scripts read from the accuracy tool and the calibration.

#include "line_figures.h"

#include <gtest/gtest.h>

namespace zelgen {
namespace {

// A face whose eyes are 2 * iod apart in reference; its rows and codes are set per test.
ReferencePoints reference(double eyeHeight, double lipHeight) {
    ReferencePoints r;
    r["leye_out"] = {0, 100};
    r["leye_in"] = {20, 100};
    r["reye_in"] = {40, 100};
    r["reye_out"] = {60, 100};
    r["leye_top"] = {10, 100 - eyeHeight / 2};
    r["leye_bot"] = {10, 100 + eyeHeight / 2};
    r["reye_top"] = {50, 100 - eyeHeight / 2};
    r["reye_bot"] = {50, 100 + eyeHeight / 2};
    r["lbrow_mid"] = {10, 80};
    r["rbrow_mid"] = {50, 80};
    r["mouth_top"] = {30, 150};
    r["mouth_bot"] = {30, 150 + lipHeight};
    return r;
}

FaceLandmarks measured(int eyeHeight, int lipHeight, int browTop, int browBottom) {
    FaceLandmarks lm;
    lm.face_landmarks_init();
    for (auto& eye : lm.eyes) {
        eye.top_y = 97;
        eye.bottom_y = 97 + eyeHeight;
    }
    for (auto& brow : lm.brows) {
        brow.top_y = browTop;
        brow.bottom_y = browBottom;
    }
    lm.mouth.top_y = 150;
    lm.mouth.bottom_y = 150 + lipHeight;
    return lm;
}

FaceMeasures codes(int lips, int eyeShape) {
    FaceMeasures m;
    m.measures_record_init();
    m.lips_thick = lips;
    m.eye_shape = eyeShape;
    return m;
}

TEST(LineFigures, HeightsThatFollowTheReferenceCorrelateAndCodesAverageTheirFaces) {
    LineFigures f;
    // Measured heights twice the reference ones: r is 1, the errors grow with the height.
    f.add(measured(8, 20, 80, 84), codes(1, 1), reference(4, 10), 40.0);
    f.add(measured(12, 30, 82, 86), codes(3, 3), reference(6, 15), 40.0);
    f.add(measured(16, 40, 84, 88), codes(3, 3), reference(8, 20), 40.0);
    EXPECT_EQ(f.lines(), "lines: photos 3 eye_height_r 1.00 eye_height_median 0.150 "
                         "lip_height_r 1.00 mouth_bottom_median 0.375 brow_top_median 0.050 "
                         "brows_upside_down 0");
    // Lip heights 10, 15, 20 over 40; eye heights 4, 6, 8 over the eye's width 20.
    EXPECT_EQ(f.codes(), "codes: lips_thick 0.250 - 0.438 eye_shape 0.200 - 0.350");
}

TEST(LineFigures, BrowsAboveTheirTopAreCountedAndMergingAddsFaces) {
    LineFigures a, b;
    a.add(measured(6, 15, 80, 76), codes(2, 2), reference(6, 15), 40.0);
    b.add(measured(6, 15, 80, 80), codes(2, 2), reference(6, 15), 40.0);
    a.merge(b);
    // A brow whose rows meet is not upside down; heights that do not vary correlate as 0.
    EXPECT_EQ(a.lines(), "lines: photos 2 eye_height_r 0.00 eye_height_median 0.000 "
                         "lip_height_r 0.00 mouth_bottom_median 0.000 brow_top_median 0.000 "
                         "brows_upside_down 2");
    EXPECT_EQ(a.codes(), "codes: lips_thick - 0.375 - eye_shape - 0.300 -");
}

TEST(LineFigures, PhotoRowsListTheRowsAndTheSevenCodes) {
    FaceMeasures m = codes(3, 2);
    m.brow_thick = 1;
    EXPECT_EQ(photo_rows(measured(6, 12, 70, 75), m),
              "rows leye 97 103 reye 97 103 lbrow 70 75 rbrow 70 75 mouth 150 162 codes "
              "brow_thick 1 eye_size 1 eye_shape 2 eye_slant 1 nose_shape 1 mouth_size 1 "
              "lips_thick 3");
}

} // namespace
} // namespace zelgen
