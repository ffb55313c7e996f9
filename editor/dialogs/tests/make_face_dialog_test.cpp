// Make Face driven through its own buttons: the variant lists from program start and across
// openings, the gender before a part change, the changed flag, Cancel's restoration of the
// face record and the head picture, the preview after a step and a head picture that cannot
// be read back.

#include "editing_test_support.h"
#include "zel/dialogs/select_dlg.h"

#include <zel/common/work_folder.h>
#include <zel/platform/testing.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace zel::dialogs::test;

class MakeFace : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(face.ok());
        dlgSelect::ResetPositions();
        dialog.m_headPath = face.headPath;
        dialog.m_backupPath = zel::work_path("zel_tmp.bmp");
    }
    // Runs the dialog, presses `ids` in order, then ends it with `last` (Done or Cancel).
    INT_PTR run(std::initializer_list<UINT> ids, UINT last = dlgSelect::IDC_DONE) {
        return run_modal(dialog, [&] {
            for (UINT id : ids) {
                press(dialog, id);
            }
            press(dialog, last);
        });
    }
    static std::string name(int slot) { return engine_face().parts[slot].name; }

    zel::platform::test::HookReset hooks;
    LoadedFace face;
    dlgSelect dialog;
};

TEST_F(MakeFace, VariantListsStartAtTheSecondEntryGoingOnAndAtTheLastGoingBack) {
    std::vector<std::string> brows;
    run_modal(dialog, [&] {
        for (int i = 0; i < 3; ++i) {
            press(dialog, dlgSelect::IDC_BROW_NEXT);
            EXPECT_EQ(name(kSlotRightBrow), name(kSlotLeftBrow));
            brows.push_back(name(kSlotLeftBrow));
        }
        press(dialog, dlgSelect::IDC_EYE_PREVIOUS);
        press(dialog, dlgSelect::IDC_DONE);
    });
    EXPECT_EQ(brows, (std::vector<std::string>{"BROW2", "BROW3", "BROW1"}));
    EXPECT_EQ(name(kSlotLeftEye), "EYE333");
    EXPECT_EQ(name(kSlotRightEye), "EYE333");
    EXPECT_EQ(dialog.Group(), 4);
}

TEST_F(MakeFace, PositionsCarryOverToTheNextOpeningAndToAnotherDialog) {
    EXPECT_EQ(run({dlgSelect::IDC_MOUTH_NEXT, dlgSelect::IDC_MOUTH_NEXT}), 1);
    EXPECT_EQ(name(kSlotMouth), "MOUTH13");
    run({dlgSelect::IDC_MOUTH_NEXT});
    EXPECT_EQ(name(kSlotMouth), "MOUTH21");
    dlgSelect other;
    other.m_headPath = face.headPath;
    other.m_backupPath = dialog.m_backupPath;
    run_modal(other, [&] {
        press(other, dlgSelect::IDC_MOUTH_PREVIOUS);
        press(other, dlgSelect::IDC_DONE);
    });
    EXPECT_EQ(name(kSlotMouth), "MOUTH13");
    EXPECT_EQ(dlgSelect::Position(dlgSelect::kMouth), 2);
}

TEST_F(MakeFace, TheChosenGenderReachesThePartsBeforeTheirChange) {
    run_modal(dialog, [&] {
        EXPECT_EQ(dialog.Gender(), 1); // the starter man
        press(dialog, dlgSelect::IDC_CHILD);
        EXPECT_EQ(dialog.Gender(), 3);
        EXPECT_EQ(dialog.m_changed, 0);
        EXPECT_EQ(engine_face().parts[kSlotMouth].Gender, 1); // nothing changes yet
        press(dialog, dlgSelect::IDC_MOUTH_NEXT);
        press(dialog, dlgSelect::IDC_BROW_NEXT);
        press(dialog, dlgSelect::IDC_DONE);
    });
    const _zel_face after = engine_face();
    EXPECT_EQ(after.parts[kSlotMouth].Gender, 3);
    EXPECT_STREQ(after.parts[kSlotMouth].name, "MOUTH12");
    EXPECT_EQ(after.parts[kSlotLeftBrow].Gender, 3);
    EXPECT_EQ(after.parts[kSlotRightBrow].Gender, 3);
    EXPECT_EQ(after.parts[kSlotNose].Gender, 1);
}

TEST_F(MakeFace, GlassesAndExpressionStepTheirOwnLists) {
    run_modal(dialog, [&] {
        press(dialog, dlgSelect::IDC_GLASSES_NEXT);
        EXPECT_EQ(dialog.Group(), 20);
        EXPECT_EQ(dialog.Action(), 30);
        EXPECT_EQ(dialog.Variant(), 41);
        EXPECT_STREQ(engine_face().parts[kSlotGlasses].name, "GLASSES_RND");
        press(dialog, dlgSelect::IDC_EXPRESSION_PREVIOUS);
        EXPECT_EQ(dialog.Group(), 20); // the expression has no group of its own
        EXPECT_EQ(dialog.Action(), 35);
        EXPECT_EQ(dialog.Variant(), 53);
        EXPECT_EQ(engine_face().nExpression, 53);
        press(dialog, dlgSelect::IDC_DONE);
    });
}

TEST_F(MakeFace, GroupButtonsAndExpressionAloneChangeNothing) {
    const Picture before = read_picture(face.headPath);
    run_modal(dialog, [&] {
        press(dialog, dlgSelect::IDC_NOSE);
        EXPECT_EQ(dialog.Group(), 6);
        press(dialog, dlgSelect::IDC_EXPRESSION);
        press(dialog, dlgSelect::IDC_WOMAN);
        EXPECT_EQ(dialog.m_changed, 0);
        EXPECT_EQ(dialog.Action(), -1);
        press(dialog, dlgSelect::IDC_DONE);
    });
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_TRUE(read_picture(face.headPath) == before);
}

TEST_F(MakeFace, CancelRestoresTheFaceRecordAndTheHeadPictureExactly) {
    // A head picture in colour: a colour rotation anywhere on the way back would show.
    ASSERT_EQ(face_color_save(7, _pixel{55, 225, 195, 0}, face.headPath.c_str()), 0);
    const _zel_face record = engine_face();
    const Picture before = read_picture(face.headPath);
    ASSERT_GT(before.width, 0);
    EXPECT_EQ(run({dlgSelect::IDC_CHILD, dlgSelect::IDC_BROW_NEXT, dlgSelect::IDC_EYE_NEXT,
                   dlgSelect::IDC_GLASSES_NEXT, dlgSelect::IDC_EXPRESSION_NEXT},
                  dlgSelect::IDC_CANCEL),
              1);
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_TRUE(same_face(engine_face(), record));
    EXPECT_TRUE(read_picture(face.headPath) == before);
    // The engine draws the restored face as the picture was.
    EXPECT_TRUE(read_picture(dialog.m_backupPath) == before);
}

TEST_F(MakeFace, CancelWithoutStepsTouchesNothing) {
    struct stat was {};
    ASSERT_EQ(::stat(face.headPath.c_str(), &was), 0);
    const _zel_face record = engine_face();
    run({dlgSelect::IDC_GLASSES}, dlgSelect::IDC_CANCEL);
    struct stat now {};
    ASSERT_EQ(::stat(face.headPath.c_str(), &now), 0);
    EXPECT_EQ(now.st_mtim.tv_sec, was.st_mtim.tv_sec);
    EXPECT_EQ(now.st_mtim.tv_nsec, was.st_mtim.tv_nsec);
    EXPECT_TRUE(same_face(engine_face(), record));
    EXPECT_EQ(dialog.m_changed, 0);
}

// The view runs one dialog object again and again, so a head that cannot be read at opening
// leaves the previous run's picture in the preview: that is no backup of this run.
TEST_F(MakeFace, AFaceThatCouldNotBeBackedUpIsReportedAndNeverPutBackByCancel) {
    run({dlgSelect::IDC_BROW_NEXT});
    const Picture previous = read_picture(face.headPath);
    ASSERT_GT(previous.width, 0);
    std::ofstream(face.headPath, std::ios::trunc) << "not a picture";
    const MessageBoxes boxes;
    run({dlgSelect::IDC_EYE_NEXT}, dlgSelect::IDC_CANCEL);
    EXPECT_FALSE(read_picture(face.headPath) == previous);
    EXPECT_FALSE(std::filesystem::exists(dialog.m_backupPath));
    EXPECT_EQ(boxes.failed_backups("face"), 1);
}

TEST_F(MakeFace, AStepRepaintsTheWholePreview) {
    EXPECT_EQ(stale_pixels_after(dialog, dlgSelect::IDC_EYE_NEXT), 0);
}

TEST_F(MakeFace, AHeadPictureThatCannotBeReadBackIsReportedAndTheStepStillCounts) {
    MessageBoxes boxes;
    dialog.m_headPath = zel::work_path("missing/zel_head.bmp");
    run({dlgSelect::IDC_BROW_NEXT});
    // Opening could not back the head up either, and said so first.
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "Could not load changed image!");
    EXPECT_EQ(boxes.shown[1].caption, "In InitImage() of dlgSelect");
    EXPECT_EQ(boxes.shown[1].type & 0xF0, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(dialog.m_changed, 1);
    EXPECT_EQ(dialog.Pictures().Height(), 0);
}

} // namespace
