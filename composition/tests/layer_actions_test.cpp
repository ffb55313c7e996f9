// Moving, rotating and scaling layers with their limits, the act-and-save exports, library
// selection with recomposition, and the one-level undo.

#include "library_fixture.h"

#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace zel::composition::testing {
namespace {

using LayerActions = LibraryTest;

enum { move_action = 1, rotate_action = 2, scale_action = 3 };
enum { up = 1, down = 2, left = 3, right = 4 };

TEST_F(LayerActions, MovesStopAtTheCanvasLimits) {
    zeleditObject& body = state().body;
    body.setOffset(3, 678);
    EXPECT_EQ(zel2_single_action(ZEL2_BODY, move_action, up), 0);
    EXPECT_EQ(body.rowOffset, 680);
    EXPECT_EQ(zel2_single_action(ZEL2_BODY, move_action, up), 0);
    EXPECT_EQ(body.rowOffset, 680);
    EXPECT_EQ(zel2_single_action(ZEL2_BODY, move_action, left), 0);
    EXPECT_EQ(body.colOffset, 0);

    body.setOffset(447, 4);
    zel2_single_action(ZEL2_BODY, move_action, right);
    zel2_single_action(ZEL2_BODY, move_action, down);
    EXPECT_EQ(body.colOffset, 450);
    EXPECT_EQ(body.rowOffset, 0);
}

TEST_F(LayerActions, ScaleStepsTruncateAndEnlargeStopsAtTheCanvas) {
    zeleditObject& body = state().body;
    body.tCol = 300;
    body.tRow = 400;
    zel2_single_action(ZEL2_BODY, scale_action, 1);
    EXPECT_EQ(body.tCol, 315);
    EXPECT_EQ(body.tRow, 420);
    zel2_single_action(ZEL2_BODY, scale_action, 1);
    EXPECT_EQ(body.tCol, 330);
    EXPECT_EQ(body.tRow, 441);

    zeleditObject& head = state().head;
    zel2_single_action(ZEL2_HEAD, scale_action, 2);
    EXPECT_EQ(head.tCol, 114);
    EXPECT_EQ(head.tRow, 228);

    body.tCol = 600;
    body.tRow = 500;
    EXPECT_EQ(zel2_single_action(ZEL2_BODY, scale_action, 1), 0);
    EXPECT_EQ(body.tCol, 600);
    EXPECT_EQ(zel2_single_action(ZEL2_BODY, scale_action, 7), 0);
    EXPECT_EQ(body.tRow, 500);

    // A step from a target no int could grow further (an absurd setScale) stays defined.
    body.tCol = INT_MIN;
    EXPECT_EQ(zel2_single_action(ZEL2_BODY, scale_action, 1), 0);
    EXPECT_EQ(body.tCol, INT_MIN);
    EXPECT_EQ(body.tRow, 525);
}

// Reducing stops at the smallest size that an enlargement still grows: below 20 pixels the
// truncated product of an enlargement is the size itself, and further down the layer becomes
// too small to compose, so the composition could never be rewritten again.
TEST_F(LayerActions, ReducingStopsWhereEnlargingCanStillBringTheLayerBack) {
    zeleditObject& head = state().head; // 120 x 240
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(zel2_single_action(ZEL2_HEAD, scale_action, 2), 0);
    EXPECT_EQ(head.tCol, 21);
    EXPECT_EQ(head.tRow, 51);
    EXPECT_EQ(zel2_single_action(ZEL2_HEAD, scale_action, 1), 0);
    EXPECT_EQ(head.tCol, 22);
    EXPECT_EQ(head.tRow, 53);
    for (int i = 0; i < 200; ++i)
        zel2_single_action(ZEL2_HEAD, scale_action, 1);
    EXPECT_GE(head.tCol, 120);

    make_scene();
    for (int i = 0; i < 100; ++i)
        zel2_scale_save(1, ZEL2_HEAD, 2, out_path().c_str(), 1);
    EXPECT_EQ(zel2_scale_save(1, ZEL2_HEAD, 1, out_path().c_str(), 1), 0);
    EXPECT_EQ(zel2_move_save(10, ZEL2_BODY, left, out_path().c_str(), 0), 0);
}

TEST_F(LayerActions, RotationAndBothLayersAndRefusals) {
    for (int i = 0; i < 3; ++i)
        zel2_single_action(ZEL2_BODY, rotate_action, 2);
    EXPECT_EQ(state().body.nAngle, 15);
    for (int i = 0; i < 3; ++i)
        zel2_single_action(ZEL2_BODY, rotate_action, 1);
    EXPECT_EQ(state().body.nAngle, 0);

    EXPECT_EQ(zel2_action(ZEL2_HEAD_AND_BODY, move_action, right), 0);
    EXPECT_EQ(state().head.colOffset, 205);
    EXPECT_EQ(state().body.colOffset, 125);

    EXPECT_EQ(zel2_single_action(54, move_action, up), -1);
    EXPECT_EQ(zel2_single_action(ZEL2_BODY, 4, up), -43);
    EXPECT_EQ(zel2_single_action(ZEL2_BODY, move_action, 5), -43);
    EXPECT_EQ(zel2_action(ZEL2_HEAD_AND_BODY, rotate_action, 3), -43);
    EXPECT_EQ(state().body.rowOffset, 160);
    EXPECT_EQ(state().head.nAngle, 0);
}

TEST_F(LayerActions, MoveSaveInTheBackgroundDialogLeavesTheBodyOutForTheHead) {
    make_scene();
    ASSERT_EQ(zel2_move_save(2, ZEL2_HEAD, up, out_path().c_str(), 1), 0);
    EXPECT_EQ(state().head.rowOffset, 470);
    Picture out(array_cols, array_rows);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(150, 300), sky));  // where the body would be
    EXPECT_TRUE(near(out.at(260, 695), skin)); // the head, 10 rows higher
    EXPECT_TRUE(near(out.at(20, 20), sky));

    ASSERT_EQ(zel2_move_save(2, ZEL2_HEAD_AND_BODY, down, out_path().c_str(), 0), 0);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(150, 300), red));
    EXPECT_EQ(state().body.rowOffset, 155);
}

TEST_F(LayerActions, ActAndSaveNeedsTheLayerLoaded) {
    const std::string head = make_head(skin);
    zel2_set_head(" ", head.c_str(), "bmp", 1);
    EXPECT_EQ(zel2_move_save(10, ZEL2_HEAD_AND_BODY, up, out_path().c_str(), 0), -41);
    EXPECT_EQ(state().head.rowOffset, 460);
    EXPECT_EQ(zel2_rotate_save(1, ZEL2_BODY, 2, out_path().c_str(), 0), -41);
    EXPECT_EQ(zel2_scale_save(1, 57, 1, out_path().c_str(), 0), -41);
    EXPECT_EQ(::access(out_path().c_str(), F_OK), -1);

    // The body dialog's kinds compose the body, which is not there: the move stays.
    EXPECT_EQ(zel2_move_save(10, ZEL2_HEAD, up, out_path().c_str(), 0), -1);
    EXPECT_EQ(state().head.rowOffset, 465);
}

TEST_F(LayerActions, ActionErrorIsReturnedWithoutComposing) {
    make_scene();
    EXPECT_EQ(zel2_move_save(11, ZEL2_BODY, 8, out_path().c_str(), 1), -43);
    EXPECT_EQ(::access(out_path().c_str(), F_OK), -1);
}

TEST_F(LayerActions, ComposeFailureKeepsTheAction) {
    make_scene();
    ASSERT_EQ(::unlink(state().head.csPath), 0);
    EXPECT_EQ(zel2_scale_save(2, ZEL2_BODY, 1, out_path().c_str(), 0), -1);
    EXPECT_EQ(state().body.tCol, 315);
}

TEST_F(LayerActions, RotatedAndScaledBodyStillComposes) {
    make_scene();
    state().bkgd.setBgColor(grey192);
    ASSERT_EQ(zel2_rotate_save(2, ZEL2_BODY, 2, out_path().c_str(), 1), 0);
    EXPECT_EQ(state().body.nAngle, 10);
    ASSERT_EQ(zel2_scale_save(1, ZEL2_HEAD_AND_BODY, 2, out_path().c_str(), 1), 0);
    EXPECT_EQ(state().body.tCol, 270);
    Picture out(array_cols, array_rows);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(20, 20), grey192, 2)); // kind 1: no background
    EXPECT_TRUE(near(out.at(260, 300), red));
}

// A body pushed to the canvas's top right corner is cut off at the edges, never wrapped round
// to the other side.
TEST_F(LayerActions, ABodyAtTheCanvasCornerIsCutOffThere) {
    make_scene();
    state().body.setOffset(450, 680); // the body's 300 x 400 reach to 749 x 1079
    ASSERT_EQ(zel2_compose_save(1, 1, out_path().c_str()), 1);
    Picture out(array_cols, array_rows);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(595, 795), red));
    EXPECT_TRUE(near(out.at(470, 700), red));
    EXPECT_TRUE(near(out.at(455, 795), sky)); // the body's white margin
    EXPECT_TRUE(near(out.at(5, 795), sky));
    EXPECT_TRUE(near(out.at(595, 5), sky));
    EXPECT_TRUE(near(out.at(100, 300), sky));
}

TEST_F(LayerActions, SelectingAVariantRecomposes) {
    make_scene();
    make_body(1, 1, green);
    make_bkgd(1, 1, sand);
    ASSERT_EQ(zel2_select_body_save(1, 1, out_path().c_str(), 1), 1);
    EXPECT_STREQ(state().body.csFile, "body01-01");
    Picture out(array_cols, array_rows);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(150, 300), green));
    EXPECT_TRUE(near(out.at(20, 20), sky));

    ASSERT_EQ(zel2_select_bkgd_save(0, 1, out_path().c_str(), 1), 1);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(20, 20), sand));
    EXPECT_TRUE(near(out.at(150, 300), sand));
    EXPECT_EQ(state().bkgd.IsLoaded, 1);

    // Back past variant 00 stays on 00.
    ASSERT_EQ(zel2_select_body_save(1, 1, out_path().c_str(), 0), 1);
    ASSERT_EQ(zel2_select_body_save(1, 1, out_path().c_str(), 0), 1);
    EXPECT_STREQ(state().body.csFile, "body01-00");
}

TEST_F(LayerActions, FailedSelectionKeepsThePreviousPicture) {
    make_scene();
    ASSERT_EQ(zel2_compose_save(1, 1, out_path().c_str()), 1);
    struct stat before {};
    ASSERT_EQ(::stat(out_path().c_str(), &before), 0);
    EXPECT_EQ(zel2_select_body_save(1, 2, out_path().c_str(), 1), 0);
    EXPECT_EQ(zel2_select_bkgd_save(1, 7, out_path().c_str(), 0), 0);
    Picture out(array_cols, array_rows);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(150, 300), red));

    // The layers still name the pictures shown, so the next step composes them both.
    EXPECT_STREQ(state().body.csFile, "body01-00");
    EXPECT_EQ(state().bkgdVariant[7], no_variant);
    ASSERT_EQ(zel2_move_save(11, ZEL2_BODY, right, out_path().c_str(), 0), 0);
    ASSERT_TRUE(read_composed(out_path(), out));
    EXPECT_TRUE(near(out.at(150, 300), red));
    EXPECT_TRUE(near(out.at(20, 20), sky));
}

TEST_F(LayerActions, UndoRestoresTheRecordsOfTheSnapshot) {
    make_scene();
    zel2_save4undone();
    const zeleditObject head = state().head;
    const zeleditObject bkgd = state().bkgd;
    zel2_move_save(11, ZEL2_HEAD_AND_BODY, left, out_path().c_str(), 1);
    zel2_rotate_save(2, ZEL2_HEAD, 1, out_path().c_str(), 0);
    make_body(1, 1, green);
    zel2_select_body_save(1, 1, out_path().c_str(), 1);
    zel2_set_bg_clr(_pixel{1, 2, 3, 0}, out_path().c_str());

    zel2_call4undone();
    const ComposerState& s = state();
    EXPECT_EQ(s.head.colOffset, head.colOffset);
    EXPECT_EQ(s.head.nAngle, 0);
    EXPECT_EQ(s.body.colOffset, 120);
    EXPECT_STREQ(s.body.csFile, "body01-00");
    EXPECT_STREQ(s.head.csPath, head.csPath);
    EXPECT_EQ(s.bkgd.bgClr[0], bkgd.bgClr[0]);
    EXPECT_EQ(s.bkgd.bgClr[2], bkgd.bgClr[2]);
    EXPECT_EQ(s.result.nOid, 56);
}

} // namespace
} // namespace zel::composition::testing
