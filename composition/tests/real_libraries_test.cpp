// The picture libraries the build makes: every body and background loads, bodies show their
// key colour at the probed corners and carry the head on their neck. Each composition is also
// left in the test output folder for a person to look at.

#include "composer_state.h"
#include "work_paths.h"
#include "zel/common/work_folder.h"

#include "zel/testing/test_env.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zel::composition {
namespace {

constexpr int body_numbers = 3; // 01 man, 02 woman, 03 child
constexpr int bkgd_numbers = 5; // mountains, landmarks, specials, beaches, others
constexpr int min_variants = 4;

class RealLibraries : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("ZEL_DATA_DIR", ZEL_DATA_BUILD_DIR, 1);
        if (::access((library_folder() + "/body01/body01-00.zif").c_str(), R_OK) != 0)
            FAIL() << "the picture libraries are not built (the build makes them)";
        ComposerState& s = state();
        s.head = s.body = s.bkgd = zeleditObject();
        clear_zeledit2();
        zel2_set_head(" ", make_head().c_str(), "bmp", 1);
        m_out = zel::testing::output_dir() + "/composition";
        ::mkdir(m_out.c_str(), 0755);
    }

    // A stand-in for the editor's head picture: a 360 x 480 face on the face canvas's grey,
    // its chin at the bottom edge as a face with its neck lines ends.
    static std::string make_head() {
        constexpr int cols = 360, rows = 480;
        _pixel** face = ppm_allocarray(cols, rows);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                // Row 0 is the bottom; the oval's lowest point touches row 0.
                const double dx = (c - 180) / 130.0;
                const double dy = (r - 220) / 220.0;
                const double d = dx * dx + dy * dy;
                const double ex =
                    std::min(std::hypot(c - 130.0, r - 260.0), std::hypot(c - 230.0, r - 260.0));
                _pixel p{192, 192, 192, 0};
                if (d <= 1.0)
                    p = r > 330 && d > 0.55 ? _pixel{90, 60, 30, 0} : _pixel{236, 188, 150, 0};
                if (d > 0.93 && d <= 1.0)
                    p = _pixel{40, 30, 30, 0};
                if (ex < 14)
                    p = _pixel{40, 30, 30, 0};
                if (std::abs(r - 130) < 5 && std::abs(c - 180) < 50)
                    p = _pixel{180, 40, 50, 0};
                face[r][c] = p;
            }
        }
        const std::string path = zel::testing::work_dir() + "/zel_head.bmp";
        EXPECT_EQ(save_pixels(face, cols, rows, path.c_str(), "bmp"), 1);
        ppm_freearray(face, rows);
        return path;
    }

    // Writes the composed picture as a JPEG for a person to look at.
    void keep(const std::string& composed, const std::string& name) const {
        EXPECT_EQ(imagefile_copy((m_out + "/" + name + ".jpg").c_str(), composed.c_str()), 1);
    }

    std::string composed() const { return zel::testing::work_dir() + "/zel_all.bmp"; }

    // The composed picture, bottom row first, or an empty table when it does not read.
    static std::vector<_pixel> read_canvas(const std::string& path, int angle = 0) {
        std::vector<_pixel> pixels;
        _pixel** canvas = ppm_allocarray(canvas_cols, canvas_rows);
        if (fget_set_pixels(canvas, path.c_str(), canvas_cols, canvas_rows, angle) == 1)
            for (int r = 0; r < canvas_rows; ++r)
                pixels.insert(pixels.end(), canvas[r], canvas[r] + canvas_cols);
        ppm_freearray(canvas, canvas_rows);
        return pixels;
    }

    // Where neither body nor head lies (the canvas's corners), the composed picture is the
    // background picture itself, pixel for pixel.
    void expect_background_at_the_corners() {
        const std::string background =
            zel::work_path(std::string("zif_bkgd.") + state().bkgd.csExt);
        const std::vector<_pixel> expected = read_canvas(background);
        const std::vector<_pixel> got = read_canvas(composed());
        ASSERT_EQ(expected.size(), got.size());
        ASSERT_FALSE(got.empty());
        for (const int col : {3, canvas_cols - 4}) {
            for (const int row : {3, canvas_rows - 4}) {
                const _pixel a = got[static_cast<std::size_t>(row) * canvas_cols + col];
                const _pixel b = expected[static_cast<std::size_t>(row) * canvas_cols + col];
                EXPECT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << col << ", " << row;
            }
        }
    }

    std::string m_out;
};

TEST_F(RealLibraries, EveryBodyHasFourVariantsOnItsKeyColourCarryingTheHead) {
    ComposerState& s = state();
    _pixel** canvas = ppm_allocarray(array_cols, array_rows);
    for (int nn = 1; nn <= body_numbers; ++nn) {
        for (int mm = 0; mm < min_variants; ++mm) {
            SCOPED_TRACE(::testing::Message() << "body" << nn << "-" << mm);
            ASSERT_EQ(zel2_select_body_save(0, nn, composed().c_str(), 1), 1);
            EXPECT_EQ(s.bodyVariant[nn], mm);
            EXPECT_EQ(s.body.col, 300);
            EXPECT_EQ(s.body.row, 400);
            EXPECT_EQ(s.body.bgClr[0] + s.body.bgClr[1] + s.body.bgClr[2], 3 * 255);
            char name[32];
            std::snprintf(name, sizeof name, "body%02d-%02d", nn, mm);
            keep(composed(), name);

            // Just under the head's lowest row the neck (or the collar around it) shows, with no
            // hole down to the shoulders.
            int cols = 0, rows = 0;
            ASSERT_EQ(fget_pixels(canvas, &cols, &rows, composed().c_str(), array_cols, array_rows),
                      1);
            for (const int below : {4, 14}) {
                const _pixel neck = canvas[s.head.rowOffset - below][s.head.colOffset + 60];
                EXPECT_GT(std::abs(neck.r - 192) + std::abs(neck.g - 192) + std::abs(neck.b - 192),
                          36)
                    << below << " rows below the head";
            }
        }
    }
    ppm_freearray(canvas, array_rows);
}

TEST_F(RealLibraries, EveryBackgroundHasFourVariantsAtTheCanvasSize) {
    ComposerState& s = state();
    for (int nn = 1; nn <= bkgd_numbers; ++nn) {
        ASSERT_EQ(zel2_get_next_body(1 + (nn - 1) % body_numbers), 0);
        for (int mm = 0; mm < min_variants; ++mm) {
            SCOPED_TRACE(::testing::Message() << "bkgd" << nn << "-" << mm);
            ASSERT_EQ(zel2_select_bkgd_save(1, nn, composed().c_str(), 1), 1);
            EXPECT_EQ(s.bkgdVariant[nn], mm);
            EXPECT_EQ(s.bkgd.col, canvas_cols);
            EXPECT_EQ(s.bkgd.row, canvas_rows);
            char name[32];
            std::snprintf(name, sizeof name, "bkgd%02d-%02d", nn, mm);
            keep(composed(), name);
            expect_background_at_the_corners();
            zel2_get_next_body(1 + (nn + mm) % body_numbers);
        }
    }
}

TEST_F(RealLibraries, MovedRotatedAndScaledFigureOverABackground) {
    ASSERT_EQ(zel2_select_body_save(1, 2, composed().c_str(), 1), 1);
    ASSERT_EQ(zel2_select_bkgd_save(1, 4, composed().c_str(), 1), 1);
    const ComposerState& s = state();
    const int headCol = s.head.colOffset;
    const int headWidth = s.head.tCol;
    ASSERT_EQ(zel2_scale_save(2, ZEL2_HEAD_AND_BODY, 1, composed().c_str(), 1), 0);
    ASSERT_EQ(zel2_rotate_save(2, ZEL2_HEAD_AND_BODY, 2, composed().c_str(), 0), 0);
    ASSERT_EQ(zel2_move_save(11, ZEL2_HEAD_AND_BODY, 3, composed().c_str(), 1), 0);
    keep(composed(), "moved-rotated-scaled");
    EXPECT_LT(s.head.colOffset, headCol);
    EXPECT_GT(s.head.tCol, headWidth);

    // The face's middle (skin) lies at the middle of the head's new box, and the background
    // still shows round the figure.
    const std::vector<_pixel> got = read_canvas(composed());
    ASSERT_FALSE(got.empty());
    const int col = s.head.colOffset + s.head.tCol / 2;
    const int row = s.head.rowOffset + s.head.tRow * 220 / 480;
    const _pixel middle = got[static_cast<std::size_t>(row) * canvas_cols + col];
    EXPECT_NEAR(middle.r, 236, 24);
    EXPECT_NEAR(middle.g, 188, 24);
    EXPECT_NEAR(middle.b, 150, 24);
    expect_background_at_the_corners();
}

} // namespace
} // namespace zel::composition
