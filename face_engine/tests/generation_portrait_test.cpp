// Segmentation and line drawing of real portraits, and GetCartoon's runs on them. The face box
// found from the picked colours must match the face a reference detector found, and the
// drawing must outline the head while the clean-up rules leave the face inside it clear for the
// part templates. The drawings are written beside the photos to the test output folder for a
// person to look at.

#include "face_state.h"
#include "generation/cartoon.h"
#include "generation/generation_tables.h"
#include "generation/stages.h"
#include "generation_support.h"
#include "portraits.h"

#include <zel/testing/test_env.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace zel::engine {
namespace {

using testing::MessageLog;
using testing::Portrait;

// Runs the checks and the segmentation stage on a portrait as GetCartoon does.
int segment_portrait(const Portrait& p, CartoonWork& work) {
    if (cartoon_work_setup(work, p.bottom_up(), p.cols(), p.rows()) != 0)
        return -2;
    if (cartoon_check_head(p.chin(), p.head_top(), p.cols(), p.rows()) != 0)
        return -20;
    generation_state().face_bottom_y = p.chin().y;
    work.box.box_record_init();
    return segmentation_stage(work, p.skin(), p.background(), p.chin());
}

int ink_in(unsigned char** drawing, int x0, int x1, int y0, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            n += drawing[y][x] == 0 ? 1 : 0;
    return n;
}

// Directions (in degrees, 0 to the right, counted towards the top) in which a ray from the
// face's middle meets no ink before the picture's border.
std::vector<int> open_directions(unsigned char** drawing, int cols, int rows, double cx,
                                 double cy) {
    std::vector<int> open;
    for (int deg = 0; deg < 360; deg += 15) {
        // The neck runs on below the chin: no outline there.
        if (deg > 240 && deg < 300)
            continue;
        const double a = deg * M_PI / 180.0;
        bool inked = false;
        for (double r = 0; !inked; r += 0.5) {
            const int x = static_cast<int>(std::lround(cx + r * std::cos(a)));
            const int y = static_cast<int>(std::lround(cy - r * std::sin(a)));
            if (x < 0 || x >= cols || y < 0 || y >= rows)
                break;
            inked = drawing[y][x] == 0;
        }
        if (!inked)
            open.push_back(deg);
    }
    return open;
}

class GenerationPortraits : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(face_alloc_clrimage(), 1); }
};

TEST_F(GenerationPortraits, FaceBoxAndOutline) {
    std::vector<std::unique_ptr<Portrait>> portraits;
    std::vector<const Portrait*> shown;
    std::vector<std::vector<unsigned char>> drawings;
    for (const std::string& name : testing::portrait_names()) {
        auto p = std::make_unique<Portrait>(name);
        ASSERT_TRUE(p->ok()) << name;
        SCOPED_TRACE(name);
        CartoonWork work;
        ASSERT_EQ(segment_portrait(*p, work), 0);
        const FaceBox& b = work.box;
        unsigned char** d = work.drawing.pixels;

        // The box ends at the marked chin and reaches up to the top of the head.
        EXPECT_EQ(b.maxy, p->chin().y);
        const int brows = std::min(p->ref("lbrow_mid").second, p->ref("rbrow_mid").second);
        EXPECT_GE(b.miny, p->head_top().y - 3);
        EXPECT_LT(b.miny, brows - 20);
        // The sides follow the head, which may be wider than the detector's box by the hair
        // beside the face when its colour lies in the skin range; a quarter of the face's
        // width allows for that and still refuses a box that missed the face.
        const std::vector<int>& ref = p->ref_box();
        const int tolerance = (ref[2] - ref[0]) / 4;
        EXPECT_NEAR(b.minx, ref[0], tolerance);
        EXPECT_NEAR(b.maxx, ref[2], tolerance);
        EXPECT_LT(b.minx, p->ref("leye_out").first - 5);
        EXPECT_GT(b.maxx, p->ref("reye_out").first + 5);
        EXPECT_LT(b.minx, p->ref("mouth_l").first);
        EXPECT_GT(b.maxx, p->ref("mouth_r").first);

        // An outline all round the face, from the middle between the eyes and the mouth.
        const double cx = (p->ref("leye_out").first + p->ref("reye_out").first) / 2.0;
        const double cy = (p->ref("leye_out").second + p->ref("mouth_l").second) / 2.0;
        EXPECT_LE(open_directions(d, p->cols(), p->rows(), cx, cy).size(), 2u);
        // Inside the face (eyes, nose and mouth) the shadows are gone: little ink is left.
        const int x0 = p->ref("leye_out").first;
        const int x1 = p->ref("reye_out").first;
        const int y0 = brows;
        const int y1 = p->ref("mouth_bot").second;
        const int area = (x1 - x0 + 1) * (y1 - y0 + 1);
        EXPECT_LT(ink_in(d, x0, x1, y0, y1), area / 100);
        // Nothing below the chin's shadow.
        EXPECT_EQ(ink_in(d, 0, p->cols() - 1, b.maxy + 15, p->rows() - 1), 0);

        std::vector<unsigned char> copy(static_cast<std::size_t>(p->cols()) * p->rows());
        for (int y = 0; y < p->rows(); ++y)
            for (int x = 0; x < p->cols(); ++x)
                copy[static_cast<std::size_t>(y) * p->cols() + x] = d[y][x];
        drawings.push_back(std::move(copy));
        shown.push_back(p.get());
        portraits.push_back(std::move(p));
    }
    testing::write_contact_sheet(zel::testing::output_dir() + "/generation_portraits.bmp", shown,
                                 drawings);
}

// The caller's output array, filled with a value no drawing holds.
struct Output : testing::Bits {
    Output(int c, int r) : Bits(c, r) {
        for (int y = 0; y < r; ++y)
            for (int x = 0; x < c; ++x)
                bits[y][x] = 7;
    }
    bool untouched() const {
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < cols; ++x)
                if (bits[y][x] != 7)
                    return false;
        return true;
    }
};

TEST_F(GenerationPortraits, RunWithTooNarrowSidesStopsAfterTheDrawing) {
    Portrait p(testing::portrait_names().front());
    ASSERT_TRUE(p.ok());
    CartoonWork work;
    ASSERT_EQ(segment_portrait(p, work), 0);

    MessageLog log;
    testing::CartoonCall call(p);
    call.points.point[0] = {100, 0, 1, 0};
    call.points.point[1] = {110, 0, 1, 0}; // 11 columns: no face to build on
    Output out(p.cols(), p.rows());
    EXPECT_EQ(call.run(out.bits), 0);
    ASSERT_EQ(log.texts().size(), 1u);
    EXPECT_EQ(log.last().rfind("The face found (", 0), 0u) << log.last();
    EXPECT_NE(log.last().find(" by 11) is too small or not inside the image.\n"), std::string::npos)
        << log.last();
    EXPECT_TRUE(out.untouched());
    // The segmentation's drawing never reached the face edge: the run made no face.
    unsigned char** edge = current_face().parts[kSlotFaceEdge].bitmap;
    int same = 0;
    for (int y = 0; y < p.rows(); ++y)
        for (int x = 0; x < p.cols(); ++x)
            same += edge[y][x] == work.drawing.pixels[y][x] ? 1 : 0;
    EXPECT_LT(same, p.cols() * p.rows());
}

TEST_F(GenerationPortraits, SkinColourMissingAtTheChinIsRefusedWithItsReason) {
    Portrait p(testing::portrait_names().front());
    ASSERT_TRUE(p.ok());
    MessageLog log;
    testing::CartoonCall call(p);
    call.skin = _pixel{0, 255, 0, 0};
    Output out(p.cols(), p.rows());
    EXPECT_EQ(call.run(out.bits), 0);
    ASSERT_EQ(log.texts().size(), 1u);
    EXPECT_EQ(log.last(), "No skin region reaching the chin has been found.\n"
                          "Please make sure that the skin color was picked on the face and the "
                          "chin's position on the chin.\n");
    EXPECT_TRUE(out.untouched());
}

TEST_F(GenerationPortraits, GreyPortraitsAreRefused) {
    MessageLog log;
    for (const std::string& n : testing::portrait_names()) {
        Portrait p(n);
        ASSERT_TRUE(p.ok());
        for (int y = 0; y < p.rows(); ++y) {
            for (int x = 0; x < p.cols(); ++x) {
                _pixel& c = p.bottom_up()[y][x];
                const auto g =
                    static_cast<unsigned char>((c.r * 299 + c.g * 587 + c.b * 114) / 1000);
                c = _pixel{g, g, g, 0};
            }
        }
        log.clear();
        EXPECT_EQ(testing::CartoonCall(p).run(nullptr), 0);
        EXPECT_EQ(log.last(), "The skin color was not selected properly.\n"
                              "Please make sure that your photo is not a black/white or gray "
                              "picture.\n");
    }
}

// Everything a run can change of the current face and the face object, byte for byte.
struct FaceSnapshot {
    FaceSnapshot() {
        const _zel_face& face = current_face();
        const FaceObject& object = face_object();
        take(&face, sizeof face, record);
        take(&object.colSize, sizeof object.colSize, header);
        take(&object.rowSize, sizeof object.rowSize, header);
        take(&object.sex, sizeof object.sex, header);
        take(&object.version, sizeof object.version, header);
        take(&object.Encyption, sizeof object.Encyption, header);
        take(&object.bRead, sizeof object.bRead, header);
        take(&object.Reserved, sizeof object.Reserved, header);
        take(object.key, sizeof object.key, header);
        take(&object.box, sizeof object.box, measured);
        take(&object.landmarks, sizeof object.landmarks, measured);
        take(&object.measures, sizeof object.measures, measured);
        for (int y = 0; y < kCanvasRows; ++y) {
            take(face.parts[kSlotFaceEdge].bitmap[y], kCanvasCols, edge);
            take(object.drawing.pixels[y], kCanvasCols, drawing);
            take(face.clrImage[y], kCanvasCols * sizeof(_pixel), canvas);
        }
    }
    static void take(const void* from, std::size_t size, std::vector<unsigned char>& into) {
        const auto* bytes = static_cast<const unsigned char*>(from);
        into.insert(into.end(), bytes, bytes + size);
    }
    void expect_same(const FaceSnapshot& o) const {
        EXPECT_TRUE(record == o.record) << "the part model";
        EXPECT_TRUE(header == o.header) << "the face object's size and words";
        EXPECT_TRUE(measured == o.measured) << "the face object's box, landmarks and measures";
        EXPECT_TRUE(edge == o.edge) << "the face edge";
        EXPECT_TRUE(drawing == o.drawing) << "the face object's drawing";
        EXPECT_TRUE(canvas == o.canvas) << "the colour face";
    }

    std::vector<unsigned char> record, header, measured, edge, drawing, canvas;
};

// A photo refused at any stage, from the checks to the part choice, leaves the face the caller
// had (here one generated from another portrait) as it was, to the last pixel.
TEST_F(GenerationPortraits, RefusedRunLeavesTheFaceAsItWas) {
    Portrait first(testing::portrait_names()[1]);
    ASSERT_TRUE(first.ok());
    ASSERT_EQ(testing::CartoonCall(first).run(nullptr), 1);
    const FaceSnapshot before;

    Portrait p(testing::portrait_names().front());
    ASSERT_TRUE(p.ok());
    MessageLog log;
    testing::CartoonCall headOnChin(p);
    headOnChin.headTop = {headOnChin.chin.x, headOnChin.chin.y, 1, 0};
    testing::CartoonCall noSkin(p);
    noSkin.skin = _pixel{0, 255, 0, 0};
    testing::CartoonCall narrow(p);
    narrow.points.point[0] = {100, 0, 1, 0};
    narrow.points.point[1] = {110, 0, 1, 0};
    testing::CartoonCall noTemplates(p);
    noTemplates.sex = 4; // a template set the library does not hold
    testing::CartoonCall* const calls[] = {&headOnChin, &noSkin, &narrow, &noTemplates};
    for (std::size_t i = 0; i < std::size(calls); ++i) {
        SCOPED_TRACE(i);
        Output out(p.cols(), p.rows());
        EXPECT_EQ(calls[i]->run(out.bits), 0);
        EXPECT_TRUE(out.untouched());
        FaceSnapshot().expect_same(before);
    }

    // Refused as late as the part choice: the fuzzy sets cannot be read.
    GenerationTableReader noFuzzy{};
    noFuzzy.read_fuzzy = [](int, void*, int) { return 0; };
    const GenerationTableReader library = set_generation_table_reader(noFuzzy);
    Output out(p.cols(), p.rows());
    EXPECT_EQ(testing::CartoonCall(p).run(out.bits), 0);
    set_generation_table_reader(library);
    EXPECT_TRUE(out.untouched());
    FaceSnapshot().expect_same(before);
}

} // namespace
} // namespace zel::engine
