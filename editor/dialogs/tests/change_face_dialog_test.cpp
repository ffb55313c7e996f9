// Change Face driven through its own buttons: the part buttons, moves, scales, colours (with
// the colour dialog answered through the platform's hook), hiding and showing, the glasses'
// message, Cancel, the preview after an action and the opening that must not change the face.

#include "editing_test_support.h"
#include "zel/dialogs/change_face_dlg.h"

#include <zel/common/work_folder.h>
#include <zel/platform/testing.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace zel::dialogs::test;
using D = CChangeFaceDlg;

class ChangeFace : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(face.ok());
        dialog.m_headPath = face.headPath;
    }
    INT_PTR run(std::initializer_list<UINT> ids, UINT last = D::IDC_DONE) {
        return run_modal(dialog, [&] {
            for (UINT id : ids) {
                press(dialog, id);
            }
            press(dialog, last);
        });
    }
    // Sets a field of the engine's record of the part in `slot`.
    static void edit_part(int slot, const std::function<void(_zel_object&)>& change) {
        _zel_face record = engine_face();
        change(record.parts[slot]);
        zel_face_copyToDLL(&record);
    }

    zel::platform::test::HookReset hooks;
    LoadedFace face;
    D dialog;
};

TEST_F(ChangeFace, TheBackupIsItsOwnFileInTheWorkFolder) {
    EXPECT_EQ(dialog.m_backupPath, zel::work_path("zelaedit.bmp"));
    run({});
    EXPECT_TRUE(read_picture(dialog.m_backupPath) == read_picture(face.headPath));
}

TEST_F(ChangeFace, MoveLeftThreeTimesMovesTheMouthLeftThreeSteps) {
    int x = engine_face().parts[kSlotMouth].lx;
    const int y = engine_face().parts[kSlotMouth].ly;
    run_modal(dialog, [&] {
        // Each opening starts on the mouth, with no action.
        EXPECT_EQ(dialog.Part(), 7);
        EXPECT_EQ(dialog.Action(), -1);
        for (int i = 0; i < 3; ++i) {
            press(dialog, D::IDC_MOVE_LEFT);
        }
        press(dialog, D::IDC_DONE);
    });
    for (int i = 0; i < 3; ++i) {
        x = int(x * 0.97);
    }
    EXPECT_EQ(engine_face().parts[kSlotMouth].lx, x);
    EXPECT_EQ(engine_face().parts[kSlotMouth].ly, y);
    EXPECT_EQ(dialog.Action(), 1);
    EXPECT_EQ(dialog.Parameter(), 3);
    EXPECT_EQ(dialog.m_changed, 1);
}

TEST_F(ChangeFace, PartButtonsChooseWhatTheActionsChange) {
    const _zel_face before = engine_face();
    run({D::IDC_LEFT_EYE, D::IDC_ENLARGE, D::IDC_RIGHT_BROW, D::IDC_MOVE_UP, D::IDC_NOSE,
         D::IDC_REDUCE, D::IDC_FACE_EDGE_RIGHT});
    const _zel_face after = engine_face();
    EXPECT_DOUBLE_EQ(after.parts[kSlotLeftEye].Scale, before.parts[kSlotLeftEye].Scale * 1.05);
    EXPECT_DOUBLE_EQ(after.parts[kSlotRightEye].Scale, before.parts[kSlotRightEye].Scale);
    EXPECT_EQ(after.parts[kSlotRightBrow].ly, int(before.parts[kSlotRightBrow].ly * 0.97));
    EXPECT_EQ(after.parts[kSlotLeftBrow].ly, before.parts[kSlotLeftBrow].ly);
    EXPECT_DOUBLE_EQ(after.parts[kSlotNose].Scale, before.parts[kSlotNose].Scale * 0.95);
    EXPECT_EQ(dialog.Part(), 0);
}

TEST_F(ChangeFace, HideAndShowReachTheEngine) {
    run_modal(dialog, [&] {
        press(dialog, D::IDC_HIDE);
        EXPECT_EQ(engine_face().parts[kSlotMouth].Display, 0);
        EXPECT_EQ(dialog.Parameter(), 32);
        press(dialog, D::IDC_DISPLAY);
        EXPECT_EQ(engine_face().parts[kSlotMouth].Display, 1);
        EXPECT_EQ(dialog.Action(), 31);
        EXPECT_EQ(dialog.Parameter(), 31);
        press(dialog, D::IDC_DONE);
    });
}

TEST_F(ChangeFace, TheColourDialogGivesThePartItsColourAndACancelKeepsThePrevious) {
    std::vector<zel::platform::ColorDialogRequest> requests;
    bool confirm = true;
    zel::platform::set_color_dialog_hook([&](const zel::platform::ColorDialogRequest& r) {
        requests.push_back(r);
        zel::platform::ColorDialogAnswer a;
        a.ok = confirm;
        a.color = RGB(10, 20, 30);
        std::copy(std::begin(r.custom), std::end(r.custom), a.custom);
        a.custom[3] = RGB(1, 2, 3);
        return a;
    });
    run_modal(dialog, [&] {
        press(dialog, D::IDC_COLOR);
        const _pixel stored = engine_face().parts[kSlotMouth].color;
        EXPECT_EQ(stored.r, 10);
        EXPECT_EQ(stored.g, 20);
        EXPECT_EQ(stored.b, 30);
        EXPECT_EQ(dialog.Colour().r, 245);
        EXPECT_EQ(dialog.Action(), 4);
        confirm = false;
        press(dialog, D::IDC_NOSE);
        press(dialog, D::IDC_COLOR);
        EXPECT_EQ(engine_face().parts[kSlotNose].color.g, 20);
        press(dialog, D::IDC_DONE);
    });
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].owner, nullptr);
    EXPECT_EQ(requests[0].initial, RGB(0, 0, 0));
    EXPECT_EQ(requests[1].initial, RGB(0, 0, 0));
    EXPECT_EQ(requests[1].custom[3], RGB(1, 2, 3)); // the custom colours stay
}

TEST_F(ChangeFace, ACancelledColourDialogAtOpeningAppliesTheStartingColour) {
    zel::platform::set_color_dialog_hook([](const zel::platform::ColorDialogRequest&) {
        return zel::platform::ColorDialogAnswer{};
    });
    run({D::IDC_COLOR});
    const _pixel stored = engine_face().parts[kSlotMouth].color;
    EXPECT_EQ(stored.r, 63);
    EXPECT_EQ(stored.g, 255);
    EXPECT_EQ(stored.b, 255);
}

TEST_F(ChangeFace, GlassesThatAreNotInTheFaceAreAskedFor) {
    MessageBoxes boxes;
    run({D::IDC_GLASSES, D::IDC_MOVE_UP, D::IDC_MOUTH, D::IDC_MOVE_UP});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Please select a pair of eye glasses first.");
    EXPECT_EQ(boxes.shown[0].caption, "Eye Glasses");
    EXPECT_EQ(boxes.shown[0].type & 0xF0, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(dialog.m_changed, 1);
}

TEST_F(ChangeFace, CancelRestoresTheFaceRecordAndTheHeadPictureExactly) {
    zel::platform::set_color_dialog_hook([](const zel::platform::ColorDialogRequest&) {
        zel::platform::ColorDialogAnswer a;
        a.ok = true;
        a.color = RGB(200, 30, 30);
        return a;
    });
    // A head picture in colour: a colour rotation anywhere on the way back would show.
    ASSERT_EQ(face_color_save(7, _pixel{55, 225, 195, 0}, face.headPath.c_str()), 0);
    const _zel_face record = engine_face();
    const Picture before = read_picture(face.headPath);
    EXPECT_EQ(run({D::IDC_MOVE_DOWN, D::IDC_ENLARGE, D::IDC_COLOR, D::IDC_LEFT_EYE, D::IDC_HIDE,
                   D::IDC_FACE_EDGE_LEFT, D::IDC_REDUCE},
                  D::IDC_CANCEL),
              1);
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_TRUE(same_face(engine_face(), record));
    EXPECT_TRUE(read_picture(face.headPath) == before);
}

// The view runs one dialog object again and again: a head that cannot be drawn and read at
// opening leaves the previous run's picture in the preview, which is no backup of this run.
TEST_F(ChangeFace, AFaceThatCouldNotBeBackedUpIsReportedAndNeverPutBackByCancel) {
    run({D::IDC_MOVE_DOWN});
    const Picture previous = read_picture(face.headPath);
    ASSERT_GT(previous.width, 0);
    const MessageBoxes boxes;
    const Picture after = run_with_late_head(dialog, dialog.m_headPath, [&] {
        press(dialog, D::IDC_MOVE_UP);
        press(dialog, D::IDC_CANCEL);
    });
    EXPECT_GT(after.width, 0);
    EXPECT_FALSE(after == previous);
    EXPECT_FALSE(std::filesystem::exists(dialog.m_backupPath));
    EXPECT_EQ(boxes.failed_backups("face"), 1);
}

// Opening redraws the head picture but leaves every part as the user left it, so a hidden part
// stays hidden, Cancel can undo showing it, and nothing counts as a change.
TEST_F(ChangeFace, OpeningKeepsAHiddenPartHidden) {
    face_display(7, 32);
    ASSERT_TRUE(face.write_head());
    run({});
    EXPECT_EQ(engine_face().parts[kSlotMouth].Display, 0);
    EXPECT_EQ(dialog.m_changed, 0);
    run({D::IDC_DISPLAY}, D::IDC_CANCEL);
    EXPECT_EQ(engine_face().parts[kSlotMouth].Display, 0);
}

TEST_F(ChangeFace, WithoutAMouthOpeningRedrawsThroughTheNextPartThatIsThere) {
    edit_part(kSlotMouth, [](_zel_object& p) { p.IsLoaded = 0; });
    face_display(6, 32);
    const _zel_face record = engine_face();
    run({});
    EXPECT_TRUE(same_face(engine_face(), record));
    // The head picture is the engine's drawing of the face without mouth and nose.
    EXPECT_TRUE(read_picture(face.headPath) == read_picture(dialog.m_backupPath));
    face_display_save(2, 31, zel::work_path("drawn.bmp").c_str());
    EXPECT_TRUE(read_picture(zel::work_path("drawn.bmp")) == read_picture(face.headPath));
}

TEST_F(ChangeFace, AnActionRepaintsTheWholePreview) {
    EXPECT_EQ(stale_pixels_after(dialog, D::IDC_ENLARGE), 0);
}

} // namespace
