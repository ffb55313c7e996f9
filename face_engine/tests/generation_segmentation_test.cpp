// Segmentation: the ranges from the picked colours, block samples, the coarse-to-fine masks and
// their opening, the debug writer, and the whole stage on a painted face.

#include "generation/cartoon.h"
#include "generation/segmentation.h"
#include "generation/stages.h"
#include "generation_support.h"

#include <zel/testing/test_env.h>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace zel::engine {
namespace {

using testing::filled_mask;
using testing::filled_picture;
using testing::mask_art;
using testing::mask_from_art;

// Some colour whose hue, saturation or luma (whichever is asked, -1 = any) has that value.
_pixel colour_with(int hue, int sat, int val) {
    for (int r = 0; r < 256; r += 4)
        for (int g = 0; g < 256; g += 4)
            for (int b = 0; b < 256; b += 4) {
                const _pixel p{static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                               static_cast<unsigned char>(b), 0};
                int h = 0, s = 0, v = 0;
                pixel2hsv(p, h, s, v);
                if ((hue < 0 || h == hue) && (sat < 0 || s == sat) && (val < 0 || v == val))
                    return p;
            }
    ADD_FAILURE() << "no colour with " << hue << " " << sat << " " << val;
    return {};
}

TEST(HsvRanges, HueWrapsBy255AndTheRestIsClamped) {
    HsvRange skin, back;
    JawBand jaw;
    hsv_pair_clamped(colour_with(5, -1, -1), colour_with(250, -1, -1), {0, 10, 1, 0}, skin, back,
                     jaw);
    EXPECT_EQ(skin.hue_min, 245);
    EXPECT_EQ(skin.hue_max, 20);
    EXPECT_EQ(back.hue_min, 225);
    EXPECT_EQ(back.hue_max, 20); // 275 - 255
    EXPECT_EQ(jaw.y_min, -15);
    EXPECT_EQ(jaw.y_max, 15);

    // A wrapped range passes hues at both ends of the scale.
    skin.sat_min = skin.val_min = 0;
    skin.sat_max = skin.val_max = 255;
    for (const int h : {245, 255, 0, 20})
        EXPECT_TRUE(skin.contains(h, 50, 50)) << h;
    for (const int h : {244, 21, 128})
        EXPECT_FALSE(skin.contains(h, 50, 50)) << h;

    hsv_pair_clamped(colour_with(-1, 30, -1), colour_with(-1, -1, 240), {0, 0, 1, 0}, skin, back,
                     jaw);
    EXPECT_EQ(skin.sat_min, 0);
    EXPECT_EQ(skin.sat_max, 100);
    EXPECT_EQ(back.val_min, 200);
    EXPECT_EQ(back.val_max, 255);
}

TEST(BlockModeSample, MostFrequentColourWithTheLargerCodeOnTiesAndItsExactMean) {
    // A 9 x 5 photo gives a 2 x 1 sample: the right and bottom remainders are not sampled.
    auto photo = filled_picture(9, 5, _pixel{0, 0, 0, 0});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const int i = y * 4 + x;
            // Eight reds of one 16-level bin against eight greens: red has the larger code.
            photo->pixels[y][x] = i % 2 == 0
                                      ? _pixel{static_cast<unsigned char>(200 + i / 2), 10, 10, 0}
                                      : _pixel{10, 200, 10, 0};
        }
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            // Nine blues against seven reds: the more frequent colour wins.
            photo->pixels[y][x] = (y * 4 + x - 4) < 9 ? _pixel{0, 0, 250, 0} : _pixel{240, 0, 0, 0};
    int cols = 0;
    int rows = 0;
    _pixel** sample = block_mode_sample(photo->pixels, 9, 5, &cols, &rows, 4);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(cols, 2);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(sample[0][0].r, 203); // (200 + ... + 207) / 8
    EXPECT_EQ(sample[0][0].g, 10);
    EXPECT_EQ(sample[0][1].b, 250);
    EXPECT_EQ(sample[0][1].r, 0);
    ppm_freearray(sample, rows);
}

TEST(MaskOpen, SpecksAndHairlinesOfTheValueGoInsideTheWindow) {
    auto m = mask_from_art({
        "..........",
        ".#....###.",
        "......###.",
        "......###.",
        "#####.....",
        "..........",
    });
    ASSERT_EQ(mask_open(m->bits, m->cols, m->rows, 0, m->cols - 1, 0, m->rows - 1, 1), 0);
    EXPECT_EQ(mask_art(*m), (std::vector<std::string>{
                                "..........",
                                "......###.",
                                "......###.",
                                "......###.",
                                "..........",
                                "..........",
                            }));
    // With value 0 a pinhole in a plain area closes; outside the window nothing changes.
    auto holes = mask_from_art({
        "#####",
        "#.###",
        "#####",
        "###.#",
        "#####",
    });
    ASSERT_EQ(mask_open(holes->bits, 5, 5, 0, 4, 0, 2, 0), 0);
    EXPECT_EQ(mask_art(*holes), (std::vector<std::string>{
                                    "#####",
                                    "#####",
                                    "#####",
                                    "###.#",
                                    "#####",
                                }));
}

TEST(MaskEdgesAndClassify, FinerScaleLooksAgainOnlyAtClassBorders) {
    auto parent = mask_from_art({
        "##..",
        "##..",
        "....",
    });
    auto edges = filled_mask(4, 3, 0);
    mask_edges(parent->bits, edges->bits, 4, 3);
    EXPECT_EQ(mask_art(*edges), (std::vector<std::string>{
                                    ".##.",
                                    "###.",
                                    "###.",
                                }));

    // A fine picture, 4 times the parent and 2 more columns, all of the class's colour but
    // two pixels.
    const _pixel inClass{100, 200, 50, 0};
    const _pixel outOfClass{10, 200, 50, 0};
    auto hsv = filled_picture(18, 12, inClass);
    hsv->pixels[1][1] = outOfClass; // under parent (0, 0), no edge
    hsv->pixels[4][4] = outOfClass; // under parent (1, 1), an edge
    HsvRange range{90, 110, 190, 210, 40, 60};
    auto out = filled_mask(18, 12, 9);
    mask_classify(hsv->pixels, 18, 12, 4, 3, edges->bits, out->bits, parent->bits, range);
    // Under a parent edge every pixel is classified; elsewhere the parent's class is copied,
    // and pixels past the parent take the nearest parent pixel's class.
    EXPECT_EQ(out->bits[1][1], 1);
    EXPECT_EQ(out->bits[4][4], 0);
    EXPECT_EQ(out->bits[11][11], 1);
    EXPECT_EQ(out->bits[0][12], 0);
    EXPECT_EQ(out->bits[11][17], 0);
    EXPECT_EQ(out->bits[5][16], 0);
    // Without parent every pixel is classified.
    mask_classify(hsv->pixels, 18, 12, 0, 0, nullptr, out->bits, nullptr, range);
    EXPECT_EQ(out->bits[1][1], 0);
    EXPECT_EQ(out->bits[11][17], 1);
}

TEST(SegmentParamsDump, WritesOnlyTheNamedFile) {
    SegmentParams params;
    params.skin = {200, 150, 120, 0};
    params.background = {60, 100, 160, 0};
    params.chin_x = 112;
    params.chin_y = 230;
    params.back = {130, 180, 50, 130, 60, 140};
    params.skinRange = {5, 35, 0, 120, 100, 240};
    params.jaw = {205, 235};
    const std::string name = zel::testing::work_dir() + "/seg";
    ASSERT_EQ(segment_params_dump(name.c_str(), params), 0);
    std::ifstream in(name + ".parm");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "back h_min:  130\nback h_max:  180\nback s_min:  50\n"
                          "back s_max:  130\nback v_min:  60\nback v_max:  140\n"
                          "skin h_min:  5\nskin h_max:  35\nskin s_min:  0\n"
                          "skin s_max:  120\nskin v_min:  100\nskin v_max:  240\n"
                          "jaw  y_min:  205\njaw  y_max:  235\n\n"
                          "back r/g/b:    60  100  160\nskin r/g/b:   200  150  120\n"
                          "chin   x/y:   112  230\n");
    EXPECT_EQ(segment_params_dump(nullptr, params), -11);
    EXPECT_EQ(segment_params_dump(std::string(5000, 'a').c_str(), params), -11);
    EXPECT_EQ(segment_params_dump((zel::testing::work_dir() + "/no/such/dir").c_str(), params),
              -11);
}

// A painted face: a skin ellipse with dark hair on top on a plain backdrop, below it a neck
// and dark shoulders; optionally a shadow line along the jaw.
struct PaintedFace {
    static constexpr int kCols = 200;
    static constexpr int kRows = 260;
    static constexpr _pixel kBack{70, 110, 170, 0};
    static constexpr _pixel kSkin{225, 175, 145, 0};
    static constexpr int kCx = 100, kCy = 120, kRx = 55, kRy = 75; // chin at row 195

    std::unique_ptr<testing::Picture> photo =
        filled_picture(kCols, kRows, kBack); // rows bottom first

    explicit PaintedFace(bool jawShadow) {
        for (int y = 0; y < kRows; ++y)
            for (int x = 0; x < kCols; ++x) {
                const double dx = (x - kCx) / double(kRx);
                const double dy = (y - kCy) / double(kRy);
                const double d = std::sqrt(dx * dx + dy * dy);
                _pixel c = kBack;
                if (y > 190 && std::abs(x - kCx) < 22)
                    c = kSkin; // neck
                if (y > 225)
                    c = _pixel{30, 30, 40, 0}; // shoulders
                if (d <= 1.0)
                    c = y < kCy - 45 ? _pixel{60, 40, 25, 0} : kSkin; // hair cap, face
                if (jawShadow && d <= 1.0 && d > 0.96 && y > kCy + 30)
                    c = _pixel{120, 80, 60, 0};
                put(x, y, c);
            }
    }
    void put(int x, int y, _pixel c) { photo->pixels[kRows - 1 - y][x] = c; }
};

int segment(const PaintedFace& face, CartoonWork& work) {
    const vyPointTag chin{PaintedFace::kCx, PaintedFace::kCy + PaintedFace::kRy, 1, 0};
    const vyPointTag top{PaintedFace::kCx, PaintedFace::kCy - PaintedFace::kRy - 3, 1, 0};
    EXPECT_EQ(cartoon_work_setup(work, face.photo->pixels, PaintedFace::kCols, PaintedFace::kRows),
              0);
    EXPECT_EQ(cartoon_check_head(chin, top, PaintedFace::kCols, PaintedFace::kRows), 0);
    generation_state().face_bottom_y = chin.y;
    work.box.box_record_init();
    return segmentation_stage(work, PaintedFace::kSkin, PaintedFace::kBack, chin);
}

int ink_near_outline(unsigned char** d, double from, double to) {
    int n = 0;
    for (int y = 0; y < PaintedFace::kRows; ++y)
        for (int x = 0; x < PaintedFace::kCols; ++x) {
            const double dx = (x - PaintedFace::kCx) / double(PaintedFace::kRx);
            const double dy = (y - PaintedFace::kCy) / double(PaintedFace::kRy);
            const double r = std::sqrt(dx * dx + dy * dy);
            n += r >= from && r <= to && d[y][x] == 0 ? 1 : 0;
        }
    return n;
}

TEST(FaceSegment, PaintedFaceGetsItsBoxAndOutline) {
    for (const bool shadow : {false, true}) {
        SCOPED_TRACE(shadow ? "with a jaw shadow" : "plain");
        PaintedFace face(shadow);
        CartoonWork work;
        ASSERT_EQ(segment(face, work), 0);
        const FaceBox& b = work.box;
        EXPECT_NEAR(b.minx, PaintedFace::kCx - PaintedFace::kRx, 2);
        EXPECT_NEAR(b.maxx, PaintedFace::kCx + PaintedFace::kRx, 2);
        EXPECT_EQ(b.maxy, PaintedFace::kCy + PaintedFace::kRy);
        // The top comes from the background mask: the first row where the head is wider than
        // 0.4 of the box.
        int top = 0;
        for (;; ++top) {
            const double dy = (top - PaintedFace::kCy) / double(PaintedFace::kRy);
            if (std::abs(dy) < 1.0 &&
                2.0 * PaintedFace::kRx * std::sqrt(1.0 - dy * dy) > 0.4 * b.width)
                break;
        }
        EXPECT_NEAR(b.miny, top, 2);
        EXPECT_EQ(b.height, b.maxy - b.miny + 1);
        // Ink along the outline, none well inside the face, none below the chin's shadow.
        unsigned char** d = work.drawing.pixels;
        EXPECT_GT(ink_near_outline(d, 0.9, 1.06), 100);
        EXPECT_EQ(ink_near_outline(d, 0.0, 0.6), 0);
        for (int y = b.maxy + 15; y < PaintedFace::kRows; ++y)
            for (int x = 0; x < PaintedFace::kCols; ++x)
                ASSERT_EQ(d[y][x], 1) << x << "," << y;
    }
}

TEST(FaceSegment, NoSkinAtTheChinIsAFailure) {
    PaintedFace face(false);
    CartoonWork work;
    const vyPointTag chin{10, 195, 1, 0}; // on the backdrop
    ASSERT_EQ(cartoon_work_setup(work, face.photo->pixels, PaintedFace::kCols, PaintedFace::kRows),
              0);
    ASSERT_EQ(cartoon_check_head(chin, {10, 20, 1, 0}, PaintedFace::kCols, PaintedFace::kRows), 0);
    work.box.box_record_init();
    EXPECT_EQ(segmentation_stage(work, PaintedFace::kSkin, PaintedFace::kBack, chin), -1);
}

} // namespace
} // namespace zel::engine
