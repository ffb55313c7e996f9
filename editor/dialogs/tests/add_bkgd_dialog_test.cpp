// Add Background driven through its own buttons: categories and their libraries, moves of the
// head alone or of head and body together, arrows that wait for a background, Cancel, and the
// preview after a step. What the dialog composes is compared with what the composition library
// composes from the same calls made directly.

#include "editing_test_support.h"
#include "zel/dialogs/add_bkgd_dlg.h"

#include <zel/common/work_folder.h>
#include <zel/composition.h>
#include <zel/platform/testing.h>

#include <gtest/gtest.h>

namespace {

using namespace zel::dialogs::test;
using D = dlgAddBkgd;

class AddBackground : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(face.ok()); }
    // The composition as the view leaves it: reset, with the head and, when asked, a body.
    void start(bool body) {
        clear_zeledit2();
        zel2_set_head(" ", face.headPath.c_str(), "bmp", face.kind());
        zel2_compose_save(0, 0, face.composedPath.c_str());
        if (body) {
            zel2_select_body_save(0, face.kind(), face.composedPath.c_str(), 1);
        }
        dialog.m_faceKind = face.kind();
        dialog.m_headPath = face.headPath;
        dialog.m_composedPath = face.composedPath;
        dialog.m_firstTime = 1;
        dialog.m_otherAdded = body ? 1 : 0;
    }
    Picture run(std::initializer_list<UINT> ids, UINT last = D::IDC_DONE) {
        run_modal(dialog, [&] {
            for (UINT id : ids) {
                press(dialog, id);
            }
            press(dialog, last);
        });
        return read_picture(face.composedPath);
    }
    // From the same start, background library `category` stepped once and one move up of
    // `layer` (none for 0), made by calling the library directly.
    Picture direct(bool body, int category, int layer) {
        const std::string out = zel::work_path("direct.bmp");
        start(body);
        zel2_compose_save(0, body ? 1 : 0, out.c_str());
        zel2_select_bkgd_save(body ? 1 : 0, category, out.c_str(), 1);
        if (layer != 0) {
            zel2_move_save(2, layer, 1, out.c_str(), 1);
        }
        return read_picture(out);
    }

    zel::platform::test::HookReset hooks;
    LoadedFace face;
    D dialog;
};

TEST_F(AddBackground, OpensOnMountainsMovingTheHeadAloneWithoutABody) {
    start(false);
    run_modal(dialog, [&] {
        EXPECT_EQ(dialog.Category(), D::kMountains);
        EXPECT_EQ(dialog.StepLayer(), ZEL2_HEAD);
        press(dialog, D::IDC_BEACHES);
        EXPECT_EQ(dialog.Category(), D::kBeaches);
        EXPECT_EQ(dialog.m_changed, 0);
        press(dialog, D::IDC_DONE);
    });
    start(true);
    run({});
    EXPECT_EQ(dialog.StepLayer(), ZEL2_HEAD_AND_BODY);
}

TEST_F(AddBackground, ACategorysNextLoadsFromItsOwnLibrary) {
    start(false);
    const Picture beach = run({D::IDC_BEACHES_NEXT});
    EXPECT_EQ(dialog.Category(), D::kBeaches);
    EXPECT_EQ(dialog.m_changed, 1);
    EXPECT_TRUE(beach == direct(false, D::kBeaches, 0));
    EXPECT_FALSE(beach == direct(false, D::kOthers, 0));
}

TEST_F(AddBackground, WithoutABodyTheArrowsMoveTheHeadAlone) {
    start(false);
    const Picture moved = run({D::IDC_SPECIALS_NEXT, D::IDC_MOVE_UP});
    EXPECT_TRUE(moved == direct(false, D::kSpecials, ZEL2_HEAD));
}

TEST_F(AddBackground, WithABodyTheArrowsMoveHeadAndBodyTogether) {
    start(true);
    const Picture moved = run({D::IDC_SPECIALS_NEXT, D::IDC_MOVE_UP});
    EXPECT_TRUE(moved == direct(true, D::kSpecials, ZEL2_HEAD_AND_BODY));
    EXPECT_FALSE(moved == direct(true, D::kSpecials, ZEL2_HEAD));
}

TEST_F(AddBackground, ArrowsWaitForABackgroundOnAFirstRun) {
    start(true);
    const Picture opened = run({D::IDC_MOVE_UP, D::IDC_MOVE_LEFT});
    EXPECT_EQ(dialog.m_changed, 0);
    dialog.m_firstTime = 0;
    EXPECT_FALSE(run({D::IDC_MOVE_UP}) == opened);
    EXPECT_EQ(dialog.m_changed, 1);
}

TEST_F(AddBackground, ANextThatFindsNoBackgroundKeepsTheArrowsWaiting) {
    start(true);
    run_modal(dialog, [&] {
        const NoLibraries none;
        press(dialog, D::IDC_BEACHES_NEXT);
        press(dialog, D::IDC_DONE);
    });
    EXPECT_EQ(dialog.NothingChosen(), 1);
}

TEST_F(AddBackground, CancelRestoresTheComposedFileOfTheOpening) {
    start(true);
    const Picture opened = run({});
    EXPECT_TRUE(run({D::IDC_LANDMARKS_NEXT, D::IDC_MOVE_DOWN}, D::IDC_CANCEL) == opened);
    EXPECT_EQ(dialog.m_changed, 0);
}

TEST_F(AddBackground, AStepRepaintsTheWholePreview) {
    start(false);
    EXPECT_EQ(stale_pixels_after(dialog, D::IDC_OTHERS_PREVIOUS), 0);
}

} // namespace
