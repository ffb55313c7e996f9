// Fuzzy part choice: memberships at the class edges, the class ties, values no class holds,
// the twelve measures of a face with known landmarks, measures of a degenerate face, and the
// hand-over to the face object and the builder.

#include "generation/part_choice.h"

#include "builder_fixture.h"
#include "face_state.h"
#include "fake_generation_tables.h"
#include "file/bw_buffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zel::engine {
namespace {

using testing::fuzzy_set;

// Three classes that share every value between them: low falls from 1 at 1 to 0 at 3, middle
// rises from 1 to 3 and falls to 5, high rises from 3 to 5.
FuzzySet partition() {
    return fuzzy_set({1, 3, 1, 3, 5, 3, 5}, 10, 20, 30);
}

TEST(FuzzySets, MembershipsAtTheEdgesOfTheClasses) {
    const FuzzySet s = partition();
    EXPECT_DOUBLE_EQ(fuzzy_memberships(s, 1.0).low, 1.0);  // x = p2
    EXPECT_DOUBLE_EQ(fuzzy_memberships(s, 3.0).low, 0.0);  // x = p5
    EXPECT_DOUBLE_EQ(fuzzy_memberships(s, 3.0).mid, 1.0);  // x = p3
    EXPECT_DOUBLE_EQ(fuzzy_memberships(s, 1.0).mid, 0.0);  // x = p0
    EXPECT_DOUBLE_EQ(fuzzy_memberships(s, 5.0).mid, 0.0);  // x = p6
    EXPECT_DOUBLE_EQ(fuzzy_memberships(s, 3.0).high, 0.0); // x = p1
    EXPECT_DOUBLE_EQ(fuzzy_memberships(s, 5.0).high, 1.0); // x = p4
    const Memberships m = fuzzy_memberships(s, 2.5);
    EXPECT_DOUBLE_EQ(m.low, 0.25);
    EXPECT_DOUBLE_EQ(m.mid, 0.75);
    EXPECT_DOUBLE_EQ(m.high, 0.0);
    EXPECT_DOUBLE_EQ(fuzzy_value(s, 2.5), 0.25 * 10 + 0.75 * 20);
    EXPECT_DOUBLE_EQ(fuzzy_value(s, -7.0), 10);
    EXPECT_DOUBLE_EQ(fuzzy_value(s, 9.0), 30);
}

TEST(FuzzySets, TiesGoToTheLowerClass) {
    const FuzzySet s = partition();
    EXPECT_EQ(fuzzy_class(s, 2.0), 1.0); // (0.5, 0.5, 0)
    EXPECT_EQ(fuzzy_class(s, 4.0), 2.0); // (0, 0.5, 0.5)
    // (0.2, 0.3, 0.4) at x = 1.
    const FuzzySet t = fuzzy_set({0, 0, 0, 1 / 0.3, 2.5, 1.25, 5}, 1, 2, 3);
    const Memberships m = fuzzy_memberships(t, 1.0);
    EXPECT_NEAR(m.low, 0.2, 1e-12);
    EXPECT_NEAR(m.mid, 0.3, 1e-12);
    EXPECT_NEAR(m.high, 0.4, 1e-12);
    EXPECT_EQ(fuzzy_class(t, 1.0), 3.0);
}

TEST(FuzzySets, AValueInAGapTakesTheNearestClassAndNonFiniteOnesTheMiddle) {
    // Low ends at 1, middle holds 2..4, high starts at 5.
    const FuzzySet s = fuzzy_set({2, 5, 0.5, 3, 6, 1, 4}, 10, 20, 30);
    EXPECT_DOUBLE_EQ(fuzzy_value(s, 1.4), 10);
    EXPECT_EQ(fuzzy_class(s, 1.4), 1.0);
    EXPECT_DOUBLE_EQ(fuzzy_value(s, 1.6), 20);
    EXPECT_EQ(fuzzy_class(s, 1.6), 2.0);
    EXPECT_DOUBLE_EQ(fuzzy_value(s, 4.6), 30);
    EXPECT_EQ(fuzzy_class(s, 4.6), 3.0);
    for (double x : {std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
        EXPECT_DOUBLE_EQ(fuzzy_value(s, x), 20);
        EXPECT_EQ(fuzzy_class(s, x), 2.0);
    }
}

// A face of 100 x 150 from (0, 0) with known landmarks, and what each measure is then.
struct KnownFace {
    FaceBox box = testing::standard_box();
    FaceLandmarks lm;
    double x[kFuzzySets];

    KnownFace() {
        lm.eyes[0] = {40, 60, 20, 58, 30, 56, 30, 64};
        lm.eyes[1] = {60, 60, 80, 58, 70, 55, 70, 63};
        lm.brows[0] = {30, 40, 30, 46};
        lm.brows[1] = {70, 41, 70, 47};
        lm.nose = {50, 95, 42, 97, 58, 97};
        lm.mouth = {35, 120, 65, 122, 50, 115, 50, 127};
        const double D = ((149 - 59) + (149 - 60)) / 2.0; // eye rows 59 and 60
        const double Ne = ((95 - 59) + (95 - 60)) / 2.0;
        x[0] = D / 150;
        x[1] = 20 / 100.0;
        x[2] = Ne / D;
        x[3] = 26 / D;
        x[4] = 9 / D;
        x[5] = 6 / D;
        x[6] = 20.0 * 8 / (100 * D);
        x[7] = 8 / 20.0;
        x[8] = (91 - 89) / 20.0; // outer corners two rows above the inner ones
        x[9] = 16 / Ne;
        x[10] = 0.3;
        x[11] = 12 / D;
    }

    FaceMeasures measure(const FuzzySet* sets) const {
        FaceMeasures m;
        EXPECT_EQ(shape_measures_compute(sets, box, lm.eyes[0], lm.eyes[1], lm.nose, lm.mouth,
                                         lm.brows[0], lm.brows[1], m),
                  0);
        return m;
    }
};

// Three classes around centre, a thousandth wide, whose values are the class bounds: a value
// between them comes out as itself.
FuzzySet around(double centre) {
    const double u = 1e-3;
    return fuzzy_set({centre - u, centre, centre - u, centre, centre + u, centre, centre + u},
                     centre - u, centre, centre + u);
}

TEST(ShapeMeasures, ProportionsAndCodesOfAKnownFace) {
    const KnownFace face;
    EXPECT_GT(face.x[8], 0.0) << "outer corners higher than the inner ones slant upwards";
    // Sets centred on each expected measure: every value comes out as the measure and every
    // code is the middle one; shifted by 0.6 of their width the codes turn low or high.
    for (const double shift : {0.0, 0.6e-3, -0.6e-3}) {
        FuzzySet sets[kFuzzySets];
        for (int k = 0; k < kFuzzySets; ++k)
            sets[k] = around(face.x[k] + shift);
        const FaceMeasures m = face.measure(sets);
        if (shift == 0.0) {
            EXPECT_NEAR(m.eye_height, face.x[0], 1e-12);
            EXPECT_NEAR(m.eye_space, face.x[1], 1e-12);
            EXPECT_NEAR(m.eye_nose, face.x[2], 1e-12);
            EXPECT_NEAR(m.nose_mouth, face.x[3], 1e-12);
            EXPECT_NEAR(m.eye_brow, face.x[4], 1e-12);
        }
        const int code = shift == 0.0 ? 2 : shift > 0 ? 1 : 3;
        EXPECT_EQ(m.brow_thick, code);
        EXPECT_EQ(m.eye_size, code);
        EXPECT_EQ(m.eye_shape, code);
        EXPECT_EQ(m.eye_slant, code);
        EXPECT_EQ(m.nose_shape, code);
        EXPECT_EQ(m.mouth_size, code);
        EXPECT_EQ(m.lips_thick, code);
    }
}

TEST(ShapeMeasures, CoincidentPointsGiveTheMiddleClass) {
    // Every landmark at one place and an empty box: every divisor is 0.
    FuzzySet sets[kFuzzySets];
    for (FuzzySet& s : sets)
        s = partition();
    FaceMeasures m;
    FaceLandmarks lm;
    FaceBox box;
    ASSERT_EQ(shape_measures_compute(sets, box, lm.eyes[0], lm.eyes[1], lm.nose, lm.mouth,
                                     lm.brows[0], lm.brows[1], m),
              0);
    EXPECT_EQ(m.eye_height, 20);
    EXPECT_EQ(m.eye_brow, 20);
    EXPECT_EQ(m.eye_size, 2);
    EXPECT_EQ(m.lips_thick, 2);
}

class PartChoice : public testing::EngineTest {
protected:
    void SetUp() override {
        testing::EngineTest::SetUp();
        testing::add_builder_templates(templates, 1);
        std::array<FuzzySet, kFuzzySets> sets;
        for (int k = 0; k < kFuzzySets; ++k)
            sets[k] = around(face.x[k]);
        tables.set_fuzzy(sets);
        object().face_set_image(6, 0, 0);
    }
    static FaceObject& object() { return face_object(); }
    static int ink(const BwBuffer& drawing) {
        int count = 0;
        for (int i = 0; i < drawing.cols() * drawing.rows(); ++i)
            count += drawing.pixels()[i] == 0;
        return count;
    }

    testing::FakeGenerationTables tables;
    KnownFace face;
};

TEST_F(PartChoice, StoresTheRecordsAndDrawsTheChosenParts) {
    BwBuffer drawing(100, 150, 1);
    drawing.row_table()[140][50] = 0; // a dot of the face edge
    ASSERT_EQ(part_choose(object(), drawing.row_table(), 100, 150, face.box, face.lm, 1), 0);
    EXPECT_EQ(object().sex, 1);
    EXPECT_EQ(object().colSize, 100);
    EXPECT_EQ(object().rowSize, 150);
    EXPECT_EQ(object().box.height, 150);
    EXPECT_EQ(object().landmarks.mouth.bottom_y, 127);
    EXPECT_NEAR(object().measures.eye_height, face.x[0], 1e-12);
    EXPECT_EQ(object().measures.eye_size, 2);
    // The object keeps the drawing as it came (the face edge); the parts went into the
    // generation's drawing: two eyes, two brows, a nose and a mouth.
    EXPECT_EQ(object().drawing.pixels[140][50], 0);
    EXPECT_EQ(drawing.row_table()[59][35], 0) << "left eye ring's top-left corner";
    EXPECT_EQ(object().drawing.pixels[59][35], 1);
    EXPECT_EQ(ink(drawing), 1 + 2 * 12 + 2 * 12 + 7 + 7);
}

TEST_F(PartChoice, WithoutFuzzySetsTheObjectStaysAsItWas) {
    testing::FakeGenerationTables none;
    BwBuffer drawing(100, 150, 1);
    EXPECT_EQ(part_choose(object(), drawing.row_table(), 100, 150, face.box, face.lm, 1), -21);
    EXPECT_EQ(object().sex, 6);
    EXPECT_EQ(ink(drawing), 0);
}

TEST_F(PartChoice, TheBuilderTakesAnyMeasuresWithoutOverflow) {
    // Offsets far past the int range (the sanitizer build checks the arithmetic): held at the
    // range's ends and clipped like any far-away part.
    BwBuffer drawing(100, 150, 1);
    const FaceBox box = testing::standard_box();
    for (const double big : {1e300, -1e300, 3e9, -3e9}) {
        FaceMeasures m{big, big, big, -big, big, 1, 2, 1, 3, 2, 1, 2};
        EXPECT_EQ(face_build_from_parts(drawing.row_table(), 100, 150, 1, &box, &m, 0), 0) << big;
    }
}

} // namespace
} // namespace zel::engine
