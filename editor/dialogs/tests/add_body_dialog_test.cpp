// Add Body driven through its own buttons: the reset of a first run, arrows that wait for a
// body, stepping through a body library with its wrap-around, the kind, step-layer and speed
// buttons, Cancel, and the preview after a step. What the dialog composes is compared with what
// the composition library composes from the same calls made directly.

#include "editing_test_support.h"
#include "zel/dialogs/add_body_dlg.h"
#include "zel/dialogs/compose_paths.h"

#include <zel/common/work_folder.h>
#include <zel/composition.h>
#include <zel/platform/testing.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace zel::dialogs::test;
using D = dlgAddBody;

class AddBody : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(face.ok());
        clear_zeledit2();
        dialog.m_faceKind = face.kind();
        dialog.m_headPath = face.headPath;
        dialog.m_composedPath = face.composedPath;
        dialog.m_firstTime = 1;
        dialog.m_otherAdded = 0;
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
    // The same composition made by calling the library directly from a reset: the head alone,
    // then `select` body steps of library `kind` and one move of `layer` (none for 0).
    Picture direct(int kind, int select, int layer, int twice) {
        const std::string out = zel::work_path("direct.bmp");
        clear_zeledit2();
        zel2_set_head(" ", face.headPath.c_str(), "bmp", face.kind());
        zel2_compose_save(0, 0, out.c_str());
        for (int i = 0; i < select; ++i) {
            zel2_select_body_save(0, kind, out.c_str(), 1);
        }
        if (layer != 0) {
            zel2_move_save(10, layer, 1, out.c_str(), twice);
        }
        return read_picture(out);
    }

    zel::platform::test::HookReset hooks;
    LoadedFace face;
    D dialog;
};

TEST_F(AddBody, TheBackupIsTheComposedFileWithTmpForItsExtension) {
    EXPECT_EQ(dialog.BackupPath(), zel::work_path("zel_all_tmp.bmp"));
    run({});
    EXPECT_TRUE(read_picture(dialog.BackupPath()) == read_picture(face.composedPath));
}

TEST_F(AddBody, AFirstRunShowsTheHeadAloneAndTheArrowsWaitForABody) {
    const Picture opened = run({D::IDC_MOVE_UP, D::IDC_ENLARGE, D::IDC_ROTATE_CW});
    EXPECT_TRUE(opened == direct(1, 0, 0, 0));
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_EQ(dialog.NothingChosen(), 1);
    const Picture chosen = run({D::IDC_NEXT});
    EXPECT_TRUE(chosen == direct(1, 1, 0, 0));
    EXPECT_EQ(dialog.m_changed, 1);
    EXPECT_EQ(dialog.NothingChosen(), 0);
}

TEST_F(AddBody, ANextThatFindsNoBodyKeepsTheArrowsWaiting) {
    run_modal(dialog, [&] {
        const NoLibraries none;
        press(dialog, D::IDC_NEXT);
        press(dialog, D::IDC_PREVIOUS);
        press(dialog, D::IDC_DONE);
    });
    EXPECT_EQ(dialog.NothingChosen(), 1);
}

TEST_F(AddBody, ArrowsAfterAPreviousRunWorkAtOnce) {
    run({D::IDC_NEXT});
    dialog.m_firstTime = 0;
    const Picture moved = run({D::IDC_MOVE_UP});
    EXPECT_TRUE(moved == direct(1, 1, ZEL2_HEAD, 0));
    EXPECT_EQ(dialog.m_changed, 1);
}

TEST_F(AddBody, NextStepsThroughTheLibraryAndWrapsAround) {
    std::vector<Picture> bodies;
    run_modal(dialog, [&] {
        for (int i = 0; i < 5; ++i) {
            press(dialog, D::IDC_NEXT);
            bodies.push_back(read_picture(face.composedPath));
        }
        press(dialog, D::IDC_DONE);
    });
    // The starter library holds four bodies for each kind.
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            EXPECT_FALSE(bodies[i] == bodies[j]) << i << " " << j;
        }
    }
    EXPECT_TRUE(bodies[4] == bodies[0]);
}

TEST_F(AddBody, TheKindButtonsChooseTheLibrary) {
    const Picture woman = run({D::IDC_WOMAN, D::IDC_NEXT});
    EXPECT_TRUE(woman == direct(2, 1, 0, 0));
    EXPECT_EQ(dialog.m_faceKind, 2);
}

TEST_F(AddBody, DoFastMovesTheChosenLayerTwoStepsAtOnce) {
    const Picture fast = run({D::IDC_NEXT, D::IDC_STEP_BODY, D::IDC_FAST, D::IDC_MOVE_UP});
    EXPECT_EQ(dialog.Fast(), 1);
    EXPECT_EQ(dialog.StepLayer(), ZEL2_BODY);
    EXPECT_TRUE(fast == direct(1, 1, ZEL2_BODY, 1));
    EXPECT_FALSE(fast == direct(1, 1, ZEL2_BODY, 0));
    // Each opening starts slow, on the head.
    const Picture slow = run({D::IDC_NEXT, D::IDC_MOVE_UP});
    EXPECT_EQ(dialog.Fast(), 0);
    EXPECT_EQ(dialog.StepLayer(), ZEL2_HEAD);
    EXPECT_TRUE(slow == direct(1, 1, ZEL2_HEAD, 0));
}

TEST_F(AddBody, AFaceKindOutsideTheLibrariesBecomesMan) {
    dialog.m_faceKind = 6;
    run({});
    EXPECT_EQ(dialog.m_faceKind, 1);
}

TEST_F(AddBody, CancelRestoresTheLayersAndTheComposedFileOfTheOpening) {
    run({D::IDC_NEXT});
    dialog.m_firstTime = 0;
    const Picture opened = read_picture(face.composedPath);
    run({D::IDC_STEP_BOTH, D::IDC_MOVE_LEFT, D::IDC_ENLARGE, D::IDC_ROTATE_CCW, D::IDC_NEXT},
        D::IDC_CANCEL);
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_TRUE(read_picture(face.composedPath) == opened);
    // The layer records are back too: composing them again gives the same picture.
    const std::string again = zel::work_path("again.bmp");
    ASSERT_EQ(zel2_compose_save(0, 1, again.c_str()), 1);
    EXPECT_TRUE(read_picture(again) == opened);
}

TEST_F(AddBody, ABackupThatFailedIsReportedAndNeverPutBackByCancel) {
    run({D::IDC_NEXT});
    const Picture earlier = read_picture(dialog.BackupPath());
    ASSERT_GT(earlier.width, 0);
    // A composed file that cannot be read cannot be backed up.
    std::ofstream(face.composedPath, std::ios::trunc) << "not a picture";
    dialog.m_firstTime = 0;
    const MessageBoxes boxes;
    run({D::IDC_NEXT}, D::IDC_CANCEL);
    EXPECT_FALSE(read_picture(face.composedPath) == earlier);
    EXPECT_FALSE(std::filesystem::exists(dialog.BackupPath()));
    EXPECT_EQ(boxes.failed_backups("composed picture"), 1);
}

TEST_F(AddBody, AStepRepaintsTheWholePreview) {
    EXPECT_EQ(stale_pixels_after(dialog, D::IDC_NEXT), 0);
}

TEST(ComposedBackupPath, OnlyTheFileNamesExtensionIsReplaced) {
    using zel::dialogs::composed_backup_path;
    EXPECT_EQ(composed_backup_path("/w/zel_all.bmp"), "/w/zel_all_tmp.bmp");
    EXPECT_EQ(composed_backup_path("/w/a.b.bmp"), "/w/a.b_tmp.bmp");
    EXPECT_EQ(composed_backup_path("/w/v1.2/zel_all"), "/w/v1.2/zel_all_tmp.bmp");
    EXPECT_EQ(composed_backup_path("/w/.hidden"), "/w/.hidden_tmp.bmp");
    EXPECT_EQ(composed_backup_path("zel_all.bmp"), "zel_all_tmp.bmp");
    const std::string folder = "/" + std::string(4000, 'f');
    EXPECT_EQ(composed_backup_path(folder + "/zel_all.bmp"), folder + "/zel_all_tmp.bmp");
}

} // namespace
