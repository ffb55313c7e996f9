// A face built from the real template library renders to a face: written to the test output
// folder for a person to look at, and checked for what a face needs (every part inked where it
// was placed, left and right in balance).

#include "builder/face_builder.h"
#include "face_state.h"

#include <zel/common/work_folder.h>
#include <zel/testing/test_env.h>

#include <gtest/gtest.h>

#include <vyresrc/vyresrc.h>

#include <cmath>

namespace zel::engine {
namespace {

constexpr int kSet = 1;

class RealFaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(face_alloc_clrimage(), 1);
        std::int32_t std[6] = {};
        ASSERT_NE(ReadLocResource(kSet, "STD_FACE", std), 0)
            << "the template library is missing: build the template_data target";
        face_record_init(&current_face());

        FaceObject& object = face_object();
        object.face_set_image(kSet, kCanvasCols, kCanvasRows);
        FaceBox box;
        box.box_set_side(0, std[vyresrc::kLocFirstCol]);
        box.box_set_side(1, std[vyresrc::kLocLastCol]);
        box.box_set_side(2, std[vyresrc::kLocFirstRow]);
        box.box_set_side(3, std[vyresrc::kLocLastRow]);
        FaceMeasures measures;
        measures.eye_height = 0.52;
        measures.eye_space = 0.25;
        measures.eye_nose = 0.40;
        measures.nose_mouth = 0.18;
        measures.eye_brow = 0.105;
        measures.eye_size = 2;
        measures.eye_shape = 2;
        measures.eye_slant = 2;
        measures.brow_thick = 2;
        measures.nose_shape = 2;
        measures.mouth_size = 2;
        measures.lips_thick = 2;
        ASSERT_EQ(object.face_set_outline(&box), 0);
        ASSERT_EQ(object.face_set_measures(&measures), 0);
        draw_outline(object, box);
        ASSERT_EQ(face_build_render(object, current_face()), 0);
    }

    // An egg-shaped outline, three pixels wide, inside the face box.
    static void draw_outline(FaceObject& object, const FaceBox& box) {
        unsigned char** drawing = object.faceobj_get_bwimage();
        bw_array_fill(drawing, kCanvasCols, kCanvasRows, 1);
        const double cx = box.centerx;
        const double cy = box.miny + 0.45 * box.height;
        const double rx = 0.5 * box.width;
        for (int y = box.miny; y <= box.maxy; ++y) {
            // Wider above the middle, narrowing to the chin.
            const double ry = y < cy ? cy - box.miny : box.maxy - cy;
            for (int x = box.minx; x <= box.maxx; ++x) {
                const double dx = (x - cx) / rx;
                const double dy = (y - cy) / ry;
                const double d = std::sqrt(dx * dx + dy * dy);
                if (std::abs(d - 1.0) * rx < 1.5) {
                    drawing[y][x] = 0;
                }
            }
        }
    }

    // Ink pixels of the handed-out drawing (rows bottom first) in a column range.
    static int ink(unsigned char** bw, int h, int x0, int x1, int y0, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                n += bw[h - 1 - y][x] == 0 ? 1 : 0;
            }
        }
        return n;
    }
};

TEST_F(RealFaceTest, BuiltFaceRendersAsAFace) {
    const _zel_face& face = current_face();
    EXPECT_STREQ(face.parts[kSlotLeftEye].name, "EYE222");
    EXPECT_STREQ(face.parts[kSlotMouth].name, "MOUTH22");

    // Colours as the editor asks for them (the complement of the wanted colour).
    ASSERT_EQ(face_color(4, _pixel{255 - 40, 255 - 90, 255 - 160, 0}), 0);
    ASSERT_EQ(face_color(5, _pixel{255 - 40, 255 - 90, 255 - 160, 0}), 0);
    ASSERT_EQ(face_color(7, _pixel{255 - 170, 255 - 30, 255 - 40, 0}), 0);
    ASSERT_EQ(face_color(1, _pixel{255 - 235, 255 - 215, 255 - 190, 0}), 0);
    ASSERT_EQ(face_glasses(42), 0);

    _pixel** clr = ppm_allocarray(kCanvasCols, kCanvasRows);
    unsigned char** bw = pbm_allocarray(kCanvasCols, kCanvasRows);
    int w = 0;
    int h = 0;
    ASSERT_EQ(face_compose_bw(bw, &w, &h), 1);
    ASSERT_EQ(face_compose_clr(clr, &w, &h), 1);
    EXPECT_EQ(w, 720);
    EXPECT_EQ(h, 960);
    EXPECT_EQ(face.parts[kSlotGlasses].Gender, 6);
    const std::string out = zel::testing::output_dir() + "/real_face.bmp";
    EXPECT_EQ(save_pixels(clr, w, h, out.c_str(), "bmp"), 1);

    // Every part left ink around its anchor.
    for (int slot :
         {kSlotLeftEye, kSlotRightEye, kSlotLeftBrow, kSlotRightBrow, kSlotNose, kSlotMouth}) {
        const _zel_object& p = face.parts[slot];
        EXPECT_GT(ink(bw, h, p.lx - 40, p.lx + 40, p.ly - 40, p.ly + 40), 20) << p.name;
    }
    // The eyes sit above the nose, the nose above the mouth, all inside the face box.
    EXPECT_LT(face.parts[kSlotLeftBrow].ly, face.parts[kSlotLeftEye].ly);
    EXPECT_LT(face.parts[kSlotLeftEye].ly, face.parts[kSlotNose].ly);
    EXPECT_LT(face.parts[kSlotNose].ly, face.parts[kSlotMouth].ly);
    // Mirrored parts balance the face: as much ink left of the centre as right of it.
    const int cx = face_object().box.centerx;
    const int left = ink(bw, h, 0, cx - 1, 0, h - 1);
    const int right = ink(bw, h, cx + 1, w - 1, 0, h - 1);
    EXPECT_NEAR(left, right, 0.05 * (left + right));

    ppm_freearray(clr, kCanvasRows);
    pbm_freearray(bw, kCanvasRows);
}

TEST_F(RealFaceTest, EnlargedAndMovedPartsStayOnTheCanvas) {
    // Scaled far up and moved to the edge, the parts are clipped, never drawn past the canvas.
    for (int i = 0; i < 30; ++i) {
        face_scale(5, 1);
        face_move(5, 4);
        face_scale(7, 1);
        face_move(7, 2);
    }
    EXPECT_EQ(face_redraw(), kOk);
    EXPECT_EQ(face_move_save(5, 4, zel::work_path("head.bmp").c_str()), 0);
}

} // namespace
} // namespace zel::engine
