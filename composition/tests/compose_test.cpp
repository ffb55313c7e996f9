// Composing background, body and head into the 600 x 800 picture.

#include "library_fixture.h"

#include <unistd.h>

namespace zel::composition::testing {
namespace {

using Compose = LibraryTest;

// Sample points of the default placement (columns from the left, rows from the bottom).
constexpr int body_only_col = 150, body_only_row = 300; // body 120..419 x 160..559
constexpr int head_col = 260, head_row = 600;           // head 200..319 x 460..699
constexpr int outside_col = 20, outside_row = 20;       // neither

TEST_F(Compose, LayersArePaintedBackgroundBodyHead) {
    make_scene();
    ASSERT_EQ(zel2_compose_save(1, 1, out_path().c_str()), 1);
    Picture out(array_cols, array_rows);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(outside_col, outside_row), sky));
    EXPECT_TRUE(near(out.at(body_only_col, body_only_row), red));
    EXPECT_TRUE(near(out.at(head_col, head_row), skin));
    // The body's white margin and the head's grey one are key colour: not pasted.
    EXPECT_TRUE(near(out.at(125, 300), sky));
    EXPECT_TRUE(near(out.at(260, 465), red));
}

// Where no picture lies the canvas shows the background's key colour, which a plain background
// picture lends it through its corners.
_pixel canvas_colour() {
    const zeleditObject& bkgd = state().bkgd;
    return _pixel{bkgd.bgClr[0], bkgd.bgClr[1], bkgd.bgClr[2], 0};
}

TEST_F(Compose, FlagsLeaveOutBackgroundAndBody) {
    make_scene();
    EXPECT_TRUE(near(canvas_colour(), sky));
    state().bkgd.setBgColor(grey192);
    ASSERT_EQ(zel2_compose_save(0, 0, out_path().c_str()), 1);
    Picture out(array_cols, array_rows);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(outside_col, outside_row), grey192, 2));
    EXPECT_TRUE(near(out.at(body_only_col, body_only_row), grey192, 2));
    EXPECT_TRUE(near(out.at(head_col, head_row), skin));

    // A background chosen but not marked loaded is not painted either.
    state().bkgd.IsLoaded = 0;
    ASSERT_EQ(zel2_compose_save(1, 1, out_path().c_str()), 1);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(outside_col, outside_row), grey192, 2));
    EXPECT_TRUE(near(out.at(body_only_col, body_only_row), red));
}

TEST_F(Compose, UnreadableBackgroundLeavesTheKeyColour) {
    make_scene();
    ASSERT_EQ(::unlink((data_dir() + "/libraries/bkgd01/bkgd01-00.zif").c_str()), 0);
    state().bkgd.setBgColor(grey192);
    ASSERT_EQ(zel2_compose_save(1, 1, out_path().c_str()), 1);
    Picture out(array_cols, array_rows);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(outside_col, outside_row), grey192, 2));
}

TEST_F(Compose, MissingBodyOrHeadFails) {
    make_scene();
    ASSERT_EQ(::unlink((data_dir() + "/libraries/body01/body01-00.zif").c_str()), 0);
    EXPECT_EQ(zel2_compose_save(1, 1, out_path().c_str()), 0);
    EXPECT_EQ(::access(out_path().c_str(), F_OK), -1);
    EXPECT_EQ(zel2_compose_save(1, 0, out_path().c_str()), 1);

    ASSERT_EQ(::unlink(state().head.csPath), 0);
    EXPECT_EQ(zel2_compose_save(1, 0, out_path().c_str()), 0);
    EXPECT_EQ(zel2_compose_save(1, 0, nullptr), 0);
}

TEST_F(Compose, TargetLargerThanTheArraysIsRefused) {
    make_scene();
    state().body.tCol = array_cols + 1;
    EXPECT_EQ(zel2_compose_save(1, 1, out_path().c_str()), 0);
    state().body.tCol = 300;
    state().head.tRow = 0;
    EXPECT_EQ(zel2_compose_save(1, 1, out_path().c_str()), 0);
}

TEST_F(Compose, DecipheredPicturesGoToTheWorkFolder) {
    make_scene();
    ASSERT_EQ(zel2_compose_save(1, 1, out_path().c_str()), 1);
    const std::string work = zel::testing::work_dir();
    EXPECT_EQ(::access((work + "/zif_body.jpg").c_str(), R_OK), 0);
    EXPECT_EQ(::access((work + "/zif_bkgd.jpg").c_str(), R_OK), 0);
    EXPECT_EQ(::access((work + "/zif_tmp.jpg").c_str(), R_OK), 0);
}

TEST_F(Compose, BackgroundColourRecomposesWithoutTheBackgroundPicture) {
    make_scene();
    const _pixel violet{120, 40, 160, 0};
    ASSERT_EQ(zel2_set_bg_clr(violet, out_path().c_str()), 0);
    Picture out(array_cols, array_rows);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(outside_col, outside_row), violet, 2));
    EXPECT_TRUE(near(out.at(body_only_col, body_only_row), red));
    EXPECT_EQ(state().bkgd.bgClr[0], 120);

    ASSERT_EQ(::unlink(state().head.csPath), 0);
    EXPECT_EQ(zel2_set_bg_clr(violet, out_path().c_str()), -1);
}

} // namespace
} // namespace zel::composition::testing
