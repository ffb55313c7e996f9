// The part model's defaults, the process-wide state and the face object.

#include "test_templates.h"

#include <cstring>

namespace zel::engine::testing {
namespace {

class FaceModelTest : public EngineTest {};

TEST_F(FaceModelTest, RecordInitResetsPartsAndGreysTheWholeCanvas) {
    face().clrImage[959][719] = _pixel{1, 2, 3, 4};
    face().bDrawn = 1;
    face().nExpression = 53;
    face_record_init(&face());
    EXPECT_EQ(face().nSex, 6);
    EXPECT_EQ(face().nExpression, 50);
    EXPECT_EQ(face().bDrawn, 0);
    EXPECT_EQ(face().colSize, 0);
    const _pixel corner = face().clrImage[959][719];
    EXPECT_TRUE(color_equal(corner, _pixel{192, 192, 192, 0}));
    EXPECT_EQ(corner.spare, 0);

    const int ids[] = {4, 5, 2, 3, 6, 7, 0, 1, 20};
    const char* names[] = {"EYE222",  "EYE222",    "BROW2",      "BROW2",      "NOSE2",
                           "MOUTH22", "FACE_EDGE", "FACE_BKGND", "GLASSES_STD"};
    for (int slot = 0; slot < kZelFaceParts; ++slot) {
        const _zel_object& p = part(slot);
        EXPECT_EQ(p.nOid, ids[slot]);
        EXPECT_STREQ(p.name, names[slot]);
        EXPECT_EQ(p.Scale, 1.0);
        EXPECT_EQ(p.Gender, 6);
        EXPECT_EQ(p.Display, 1);
        EXPECT_EQ(p.IsLoaded, 0);
        const unsigned char c = slot == kSlotBackground ? 192 : 0;
        EXPECT_TRUE(color_equal(p.color, _pixel{c, c, c, 0})) << slot;
        EXPECT_EQ(p.color.spare, 0);
        EXPECT_EQ(p.bitmap == nullptr, slot != kSlotFaceEdge);
    }

    _zel_face bare{};
    face_record_init(&bare); // no canvas: nothing to fill
    EXPECT_EQ(bare.clrImage, nullptr);
    EXPECT_EQ(bare.parts[kSlotGlasses].nOid, 20);
}

TEST_F(FaceModelTest, FaceEdgeInitWhitensTheWholeBitmapAndKeepsAux) {
    _zel_object& edge = part(kSlotFaceEdge);
    edge.bitmap[959][719] = 0;
    edge.bmCols = 2;
    edge.bmRows = 2;
    edge.aux1 = 9;
    part_object_init(&edge);
    EXPECT_EQ(edge.bitmap[959][719], 1);
    EXPECT_EQ(edge.bmCols, 0);
    EXPECT_EQ(edge.aux1, 9);

    _zel_object odd{};
    odd.nOid = 8;
    std::strcpy(odd.name, "KEEP");
    part_object_init(&odd);
    EXPECT_STREQ(odd.name, "KEEP");
}

TEST_F(FaceModelTest, FirstUseSetUpRunsOnce) {
    _pixel** canvas = face().clrImage;
    EXPECT_FALSE(face_canvas_pending());
    EXPECT_EQ(face_alloc_clrimage(), 1);
    EXPECT_EQ(face().clrImage, canvas);
    EXPECT_EQ(part(kSlotFaceEdge).bitmap, face_edge_holder().bitmap);
    EXPECT_EQ(face_object().drawing.cols, 720);
    EXPECT_NE(face_object().faceobj_get_bwimage(), nullptr);
}

TEST_F(FaceModelTest, FaceObjectDrawingCopies) {
    FaceObject& object = face_object();
    object.face_set_image(1, 3, 2);
    EXPECT_EQ(object.faceobj_get_width(), 3);
    EXPECT_EQ(object.faceobj_get_resource(), 1);
    EXPECT_EQ(object.face_set_bwimage(nullptr), kMissing);

    unsigned char** source = pbm_allocarray(3, 2);
    bw_array_fill(source, 3, 2, 1);
    source[1][2] = 0;
    ASSERT_EQ(object.face_set_bwimage(source), kOk);
    unsigned char** back = pbm_allocarray(3, 2);
    ASSERT_EQ(object.face_get_bwimage(back), kOk);
    EXPECT_EQ(back[1][2], 0);
    EXPECT_EQ(back[0][0], 1);

    // A size past the drawing's rows is refused rather than copied past them.
    object.face_set_image(1, 721, 2);
    EXPECT_EQ(object.face_set_bwimage(source), kMissing);
    EXPECT_EQ(object.face_get_bwimage(back), kMissing);
    object.face_set_image(1, 720, 960);
    pbm_freearray(source, 2);
    pbm_freearray(back, 2);
}

} // namespace
} // namespace zel::engine::testing
