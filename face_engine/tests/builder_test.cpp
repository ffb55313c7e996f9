#include "builder/face_builder.h"
#include "builder_fixture.h"
#include "file/bw_buffer.h"

#include <gtest/gtest.h>

namespace zel::engine {
namespace {

using testing::add_builder_templates;
using testing::sample_measures;
using testing::standard_box;

class BuilderTest : public testing::EngineTest {
protected:
    void SetUp() override {
        testing::EngineTest::SetUp();
        add_builder_templates(templates, 1);
    }
    int build(_zel_face& record, BwBuffer& drawing, const FaceMeasures& m, int erase = 0) {
        return face_record_build(&record, drawing.row_table(), drawing.cols(), drawing.rows(), 1,
                                 &box, &m, erase);
    }
    static int ink(const BwBuffer& drawing) {
        int count = 0;
        for (int i = 0; i < drawing.cols() * drawing.rows(); ++i)
            count += drawing.pixels()[i] == 0;
        return count;
    }
    FaceBox box = standard_box();
};

TEST_F(BuilderTest, NamesPlacesAndLoadsEveryPartButTheGlasses) {
    _zel_face record{};
    face_record_init(&record);
    BwBuffer drawing(100, 150, 1);
    ASSERT_EQ(build(record, drawing, sample_measures()), 0);

    EXPECT_EQ(record.nSex, 1);
    EXPECT_EQ(record.colSize, 100);
    EXPECT_EQ(record.rowSize, 150);
    const _zel_object* p = record.parts;
    EXPECT_STREQ(p[kSlotLeftEye].name, "EYE213");
    EXPECT_STREQ(p[kSlotRightEye].name, "EYE213");
    EXPECT_STREQ(p[kSlotLeftBrow].name, "BROW1");
    EXPECT_STREQ(p[kSlotNose].name, "NOSE2");
    EXPECT_STREQ(p[kSlotMouth].name, "MOUTH12");
    // Box centre 49, eye line E = 75 above the last row 149, spacing S = 30.
    EXPECT_EQ(p[kSlotLeftEye].lx, 34);
    EXPECT_EQ(p[kSlotRightEye].lx, 64);
    EXPECT_EQ(p[kSlotLeftEye].ly, 74);
    // Brows: 1.2 x eye width 5 over their own width 6 gives scale 1; bottom row B = 15 above
    // the eye's top row 73.
    EXPECT_DOUBLE_EQ(p[kSlotLeftBrow].Scale, 1.0);
    EXPECT_EQ(p[kSlotLeftBrow].lx, 34);
    EXPECT_EQ(p[kSlotRightBrow].lx, 64);
    EXPECT_EQ(p[kSlotLeftBrow].ly, 58);
    // Nose base N = 30 and mouth N + M = 52 below the eye line.
    EXPECT_EQ(p[kSlotNose].lx, 49);
    EXPECT_EQ(p[kSlotNose].ly, 104);
    EXPECT_EQ(p[kSlotMouth].ly, 126);
    EXPECT_EQ(p[kSlotGlasses].lx, 49) << "truncated midpoint of 34 and 64";
    EXPECT_EQ(p[kSlotGlasses].ly, 74);
    EXPECT_DOUBLE_EQ(p[kSlotGlasses].Scale, 2.0);
    for (int slot = 0; slot < kZelFaceParts; ++slot)
        EXPECT_EQ(p[slot].IsLoaded, slot == kSlotGlasses ? 0 : 1) << slot;

    // Scale 1: every template lands pixel for pixel; eye ring 12, brow 12, nose 7, mouth 7.
    EXPECT_EQ(ink(drawing), 2 * 12 + 2 * 12 + 7 + 7);
    EXPECT_EQ(drawing.row_table()[73][30], 0) << "left eye ring's top-left corner";
    EXPECT_EQ(drawing.row_table()[74][31], 1) << "inside the ring";
    EXPECT_EQ(drawing.row_table()[126][46], 0) << "mouth's left end";
}

TEST_F(BuilderTest, AHiddenPartIsPlacedButNotDrawn) {
    _zel_face record{};
    face_record_init(&record);
    record.parts[kSlotMouth].Display = 0;
    BwBuffer drawing(100, 150, 1);
    ASSERT_EQ(build(record, drawing, sample_measures()), 0);
    EXPECT_STREQ(record.parts[kSlotMouth].name, "MOUTH12");
    EXPECT_EQ(record.parts[kSlotMouth].ly, 126);
    EXPECT_EQ(ink(drawing), 2 * 12 + 2 * 12 + 7);
}

TEST_F(BuilderTest, NoEyeHeightPutsEyesNoseAndMouthOnTheLastRow) {
    FaceMeasures m = sample_measures();
    m.eye_height = 0;
    _zel_face record{};
    face_record_init(&record);
    BwBuffer drawing(100, 150, 1);
    ASSERT_EQ(build(record, drawing, m), 0);
    EXPECT_EQ(record.parts[kSlotLeftEye].ly, 149);
    EXPECT_EQ(record.parts[kSlotNose].ly, 149);
    EXPECT_EQ(record.parts[kSlotMouth].ly, 149);
    EXPECT_EQ(record.parts[kSlotLeftBrow].ly, 148) << "brow bottom on the eye's top row";
}

TEST_F(BuilderTest, CodesOutsideOneToThreeNameNoTemplate) {
    for (int code : {0, 4, 12, -1}) {
        FaceMeasures m = sample_measures();
        m.eye_slant = code;
        _zel_face record{};
        face_record_init(&record);
        BwBuffer drawing(100, 150, 1);
        EXPECT_EQ(build(record, drawing, m), -21) << code;
        EXPECT_EQ(ink(drawing), 0) << code;
    }
    FaceMeasures m = sample_measures();
    m.lips_thick = 4;
    EXPECT_EQ(mouth_template_name(m), "");
}

TEST_F(BuilderTest, AMissingStandardFaceOrTemplateFails) {
    _zel_face record{};
    face_record_init(&record);
    BwBuffer drawing(100, 150, 1);
    const FaceMeasures m = sample_measures();
    EXPECT_EQ(face_record_build(&record, drawing.row_table(), 100, 150, 3, &box, &m, 0), -21)
        << "set 3 has no STD_FACE";
    EXPECT_EQ(face_record_build(nullptr, drawing.row_table(), 100, 150, 1, &box, &m, 0), -1);
}

TEST_F(BuilderTest, RebuildErasesThePartsAndKeepsTheFaceEdge) {
    BwBuffer drawing(100, 150, 1);
    for (int r = 0; r < 150; ++r)
        drawing.row_table()[r][2] = 0; // a face edge down column 2
    const FaceMeasures m = sample_measures();
    ASSERT_EQ(face_build_from_parts(drawing.row_table(), 100, 150, 1, &box, &m, 0), 0);
    EXPECT_EQ(ink(drawing), 150 + 62);
    ASSERT_EQ(face_build_rebuild(drawing.row_table(), 100, 150, 1, &box, &m), 0);
    EXPECT_EQ(ink(drawing), 150);
}

TEST_F(BuilderTest, RenderMakesTheObjectsDrawingTheFaceEdgeAndFillsTheCanvas) {
    FaceObject& object = face_object();
    object.face_set_image(1, 100, 150);
    object.face_set_outline(&box);
    const FaceMeasures m = sample_measures();
    object.face_set_measures(&m);
    BwBuffer edge(100, 150, 1);
    edge.row_table()[10][10] = 0;
    ASSERT_EQ(object.face_set_bwimage(edge.row_table()), 0);
    _zel_face& live = face();
    ASSERT_EQ(face_build_render(object, live), 0);
    EXPECT_EQ(live.bDrawn, 1);
    EXPECT_EQ(live.parts[kSlotFaceEdge].bmReady, 1);
    EXPECT_EQ(live.parts[kSlotFaceEdge].bitmap[10][10], 0);
    EXPECT_EQ(live.parts[kSlotFaceEdge].bitmap[73][30], 1) << "the face edge has no parts";
    EXPECT_EQ(object.drawing.pixels[73][30], 0) << "the drawing has them";
    EXPECT_EQ(live.clrImage[73][30].r, 0);
    EXPECT_EQ(live.clrImage[0][0].r, 192);
}

} // namespace
} // namespace zel::engine
