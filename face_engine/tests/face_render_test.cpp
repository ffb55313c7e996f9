// The redraw of the whole face, the drawing order and the pictures handed out.

#include "test_templates.h"

#include <zel/common/work_folder.h>

#include <filesystem>

namespace zel::engine::testing {
namespace {

class FaceRenderTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        templates.add(1, "DOT", {"#"}, 0, 0);
        templates.add(1, "ARROW", {"#....", "##...", "#####"}, 4, 2);
        templates.add(6, "GLASSES_STD", {"###"}, 1, 0);
        part(kSlotBackground).color = _pixel{192, 192, 192, 0};
    }

    _pixel at(int x, int y) { return face().clrImage[y][x]; }
    bool is_background(int x, int y) { return color_equal(at(x, y), _pixel{192, 192, 192, 0}); }
};

TEST_F(FaceRenderTest, RedrawPaintsBackgroundFaceEdgeAndPartsInTheirStoredColours) {
    _zel_object& edge = part(kSlotFaceEdge);
    edge.IsLoaded = 1;
    edge.color = _pixel{1, 2, 3, 99};
    edge.bitmap[4][7] = 0;
    place(kSlotNose, "DOT", 20, 10);
    part(kSlotNose).color = _pixel{200, 10, 20, 77};

    ASSERT_EQ(face_redraw(), kOk);
    EXPECT_EQ(face().bDrawn, 1);
    EXPECT_TRUE(color_equal(at(7, 4), _pixel{1, 2, 3, 0}));
    EXPECT_EQ(at(7, 4).spare, 0);
    EXPECT_TRUE(color_equal(at(20, 10), _pixel{200, 10, 20, 0}));
    EXPECT_EQ(at(20, 10).spare, 0);
    EXPECT_TRUE(is_background(0, 0));
    EXPECT_TRUE(is_background(39, 29));
}

TEST_F(FaceRenderTest, RightEyeAndRightBrowAreMirrored) {
    place(kSlotLeftEye, "ARROW", 10, 5);
    place(kSlotRightEye, "ARROW", 29, 5);
    place(kSlotLeftBrow, "ARROW", 10, 15);
    place(kSlotRightBrow, "ARROW", 29, 15);
    ASSERT_EQ(face_redraw(), kOk);
    // The face is symmetric about column 19.5: column x mirrors column 39 - x.
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            EXPECT_EQ(is_background(x, y), is_background(39 - x, y)) << x << "," << y;
        }
    }
    EXPECT_FALSE(is_background(6, 5)); // the arrow's left end on the left eye
}

TEST_F(FaceRenderTest, HiddenAndUnloadedPartsAreSkippedWithoutReadingTemplates) {
    place(kSlotNose, "DOT", 5, 5);
    part(kSlotNose).Display = 0;
    place(kSlotMouth, "MISSING", 5, 5);
    part(kSlotMouth).IsLoaded = 0;
    ASSERT_EQ(face_redraw(), kOk);
    EXPECT_EQ(templates.location_reads(), 0);
    EXPECT_EQ(templates.opens(), 0);
}

TEST_F(FaceRenderTest, GlassesAreDrawnFromSetSixLastAndKeepThatSet) {
    place(kSlotNose, "DOT", 20, 10);
    place(kSlotGlasses, "GLASSES_STD", 20, 10);
    part(kSlotGlasses).Gender = 2;
    part(kSlotGlasses).color = _pixel{5, 5, 5, 0};
    ASSERT_EQ(face_redraw(), kOk);
    EXPECT_EQ(part(kSlotGlasses).Gender, 6);
    EXPECT_TRUE(color_equal(at(20, 10), _pixel{5, 5, 5, 0})); // over the nose
    EXPECT_TRUE(color_equal(at(19, 10), _pixel{5, 5, 5, 0}));
}

TEST_F(FaceRenderTest, MissingTemplateStopsTheRedrawAtThatPart) {
    place(kSlotLeftEye, "DOT", 3, 3);
    place(kSlotNose, "GONE", 5, 5);
    place(kSlotMouth, "DOT", 8, 8);
    EXPECT_EQ(face_redraw(), kFail);
    EXPECT_EQ(face().bDrawn, 0);
    EXPECT_FALSE(is_background(3, 3));
    EXPECT_TRUE(is_background(8, 8)); // later parts are not drawn
    EXPECT_EQ(templates.open_without_close(), 0);

    Bits bw(40, 30);
    int w = -1;
    int h = -1;
    EXPECT_EQ(face_compose_bw(bw.bits, &w, &h), 0);
    Picture clr(40, 30);
    EXPECT_EQ(face_compose_clr(clr.pixels, &w, &h), 0); // never drawn yet
    EXPECT_EQ(w, -1);
    face().bDrawn = 1; // drawn once before: the partly painted face is handed out
    EXPECT_EQ(face_compose_clr(clr.pixels, &w, &h), 1);
    EXPECT_EQ(w, 40);
}

TEST_F(FaceRenderTest, ComposeBwHandsOutEdgeInkBottomRowFirst) {
    _zel_object& edge = part(kSlotFaceEdge);
    edge.IsLoaded = 1;
    edge.bitmap[0][2] = 0;  // top row of the face
    edge.bitmap[29][5] = 0; // bottom row
    place(kSlotNose, "DOT", 20, 10);
    part(kSlotNose).Display = 0;

    Bits bw(40, 30);
    int w = 0;
    int h = 0;
    ASSERT_EQ(face_compose_bw(bw.bits, &w, &h), 1);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 30);
    int ink = 0;
    for (int r = 0; r < 30; ++r) {
        for (int c = 0; c < 40; ++c) {
            ink += bw.bits[r][c] == 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(ink, 2);
    EXPECT_EQ(bw.bits[29][2], 0);
    EXPECT_EQ(bw.bits[0][5], 0);
}

TEST_F(FaceRenderTest, ColourFaceIsHandedOutUpsideDownWithAllFourBytes) {
    place(kSlotNose, "DOT", 1, 0);
    part(kSlotNose).color = _pixel{9, 8, 7, 0};
    ASSERT_EQ(face_redraw(), kOk);
    face().clrImage[0][0].spare = 42;
    Picture clr(40, 30);
    int w = 0;
    int h = 0;
    ASSERT_EQ(get_clrface(clr.pixels, &w, &h), 1);
    EXPECT_TRUE(color_equal(clr.pixels[29][1], _pixel{9, 8, 7, 0}));
    EXPECT_EQ(clr.pixels[29][0].spare, 42);

    // Handed out into the canvas itself, the canvas is turned upside down.
    ASSERT_EQ(get_clrface(face().clrImage, nullptr, nullptr), 1);
    EXPECT_TRUE(color_equal(at(1, 29), _pixel{9, 8, 7, 0}));
}

TEST_F(FaceRenderTest, SizesPastTheCanvasAreNeverDrawnOrHandedOut) {
    for (auto [cols, rows] : {std::pair{721, 10}, std::pair{10, 961}, std::pair{-1, 10}}) {
        face().colSize = cols;
        face().rowSize = rows;
        face().bDrawn = 1;
        EXPECT_EQ(face_redraw(), kFail);
        Picture clr(10, 10);
        Bits bw(10, 10);
        int w = 0;
        int h = 0;
        EXPECT_EQ(get_clrface(clr.pixels, &w, &h), 0);
        EXPECT_EQ(face_compose_bw(bw.bits, &w, &h), 0);
        EXPECT_EQ(face_save_image(zel::work_path("big.bmp").c_str()), kFail);
    }
}

TEST_F(FaceRenderTest, FacePictureIsWrittenAsBmpOfTheFaceSize) {
    place(kSlotNose, "DOT", 2, 0);
    part(kSlotNose).color = _pixel{255, 0, 0, 0};
    ASSERT_EQ(face_redraw(), kOk);
    const std::string file = zel::work_path("head.bmp");
    ASSERT_EQ(face_save_image(file.c_str()), kOk);
    Picture back(720, 960);
    int w = 0;
    int h = 0;
    _BmpHeader header{};
    ASSERT_EQ(LoadGeneralImage(back.pixels, file.c_str(), &w, &h, &header), 1);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 30);
    // Picture files keep row 0 at the bottom: the face's top row is the last row.
    EXPECT_TRUE(color_equal(back.pixels[29][2], _pixel{255, 0, 0, 0}));

    // An empty face has no picture: refused as its scratch array would be, nothing written.
    const std::string empty = zel::work_path("empty.bmp");
    face().colSize = 0;
    EXPECT_EQ(face_save_image(empty.c_str()), kFail);
    face().colSize = 40;
    face().rowSize = 0;
    EXPECT_EQ(face_save_image(empty.c_str()), kFail);
    EXPECT_FALSE(std::filesystem::exists(empty));
}

} // namespace
} // namespace zel::engine::testing
