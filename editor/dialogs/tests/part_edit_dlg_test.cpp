// The part-edit dialog driven through its radio buttons and Apply: opening without moving a
// part, the prompts of selections that make no action, the engine calls, the glasses, Cancel and
// the preview after an apply.

#include "editing_test_support.h"
#include "zel/dialogs/part_edit_dlg.h"
#include "zel/dialogs/screen_copy.h"

#include <zel/common/work_folder.h>
#include <zel/platform/testing.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

using namespace zel::dialogs::test;
using D = CPartEditDlg;

class PartEdit : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(face.ok());
        dialog.m_headPath = face.headPath;
        // No backup an earlier test of this process wrote.
        std::error_code ignored;
        std::filesystem::remove(dialog.m_backupPath, ignored);
    }
    void run(std::initializer_list<UINT> ids, UINT last = D::IDC_DONE) {
        run_modal(dialog, [&] {
            for (UINT id : ids) {
                press(dialog, id);
            }
            press(dialog, last);
        });
    }

    zel::platform::test::HookReset hooks;
    LoadedFace face;
    D dialog;
};

TEST_F(PartEdit, OpensWithNothingChosenAndTheFaceUnmoved) {
    const _zel_face before = engine_face();
    EXPECT_EQ(dialog.m_backupPath, zel::work_path("zd_tmp.bmp"));
    run_modal(dialog, [&] {
        EXPECT_EQ(dialog.Part(), -1);
        EXPECT_EQ(dialog.Action(), -1);
        EXPECT_EQ(dialog.Value(), -1);
        EXPECT_EQ(dialog.Colour().b, 255);
        EXPECT_EQ(dialog.IsDlgButtonChecked(D::IDC_MOUTH), 0u);
        // The head picture is in the preview, its screen rows padded with 128.
        const auto& pictures = dialog.Pictures();
        ASSERT_GT(pictures.Height(), 0);
        EXPECT_EQ(preview_mismatches(dialog, dialog.PreviewRect(), pictures), 0);
        const int used = pictures.Width() * 3;
        const int row = zel::dialogs::screen_row_bytes(pictures.Width());
        for (int b = used; b < row; ++b) {
            EXPECT_EQ(pictures.ScreenBits()[std::size_t(b)], 128);
        }
        press(dialog, D::IDC_DONE);
    });
    // Not moved down and back up, which shifts the part.
    EXPECT_TRUE(same_face(engine_face(), before));
    EXPECT_TRUE(read_picture(dialog.m_backupPath) == read_picture(face.headPath));
}

TEST_F(PartEdit, SelectionsThatMakeNoActionArePrompted) {
    MessageBoxes boxes;
    const _zel_face before = engine_face();
    struct Case {
        std::vector<UINT> presses;
        const char* prompt;
    };
    const Case cases[] = {
        {{}, "Please select a facial component and an action to take."},
        {{D::IDC_GLASSES_TYPE}, "Please select Eye Glasses."},
        {{D::IDC_MOVE}, "Please select a facial component."},
        {{D::IDC_NOSE}, "Please select an action to take on the selected facial component."},
        {{D::IDC_NOSE, D::IDC_GLASSES_TYPE}, "Please choose other action except Add!"},
        {{D::IDC_NOSE, D::IDC_MOVE},
         "How do you want to move the selected facial component?\n"
         "Please select one of {UP,DOWN,LEFT,RIGHT}."},
        {{D::IDC_MOUTH, D::IDC_SCALE, D::IDC_SHOW},
         "How do you want to scale the selected facial component?\nPlease select UP or DOWN."},
        {{D::IDC_GLASSES, D::IDC_GLASSES_TYPE, D::IDC_UP},
         "What type of eye glasses do you want to use?\n"
         "Please select STANDARD, ROUND or RECTANGULAR."},
        {{D::IDC_LEFT_EYE, D::IDC_DISPLAY, D::IDC_LARGER},
         "Do you want to display the selected facial component?\nPlease select YES or NO."},
    };
    for (const Case& c : cases) {
        D fresh;
        fresh.m_headPath = face.headPath;
        boxes.shown.clear();
        run_modal(fresh, [&] {
            for (UINT id : c.presses) {
                press(fresh, id);
            }
            press(fresh, D::IDC_APPLY);
            press(fresh, D::IDC_DONE);
        });
        ASSERT_EQ(boxes.shown.size(), 1u) << c.prompt;
        EXPECT_EQ(boxes.shown[0].text, c.prompt);
        EXPECT_EQ(boxes.shown[0].caption, "You must make a selection!");
        EXPECT_EQ(boxes.shown[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
    }
    EXPECT_TRUE(same_face(engine_face(), before));
}

TEST_F(PartEdit, AppliedActionsReachTheChosenPartOnly) {
    zel::platform::set_color_dialog_hook([](const zel::platform::ColorDialogRequest& r) {
        EXPECT_EQ(r.initial, RGB(0, 0, 0));
        zel::platform::ColorDialogAnswer a;
        a.ok = true;
        a.color = RGB(200, 100, 50);
        return a;
    });
    const _zel_face before = engine_face();
    run({D::IDC_LEFT_EYE, D::IDC_MOVE, D::IDC_RIGHT, D::IDC_APPLY,     // left eye right
         D::IDC_NOSE, D::IDC_SCALE, D::IDC_LARGER, D::IDC_APPLY,       // nose larger
         D::IDC_RIGHT_BROW, D::IDC_DISPLAY, D::IDC_HIDE, D::IDC_APPLY, // right brow hidden
         D::IDC_CHOOSE_COLOUR, D::IDC_MOUTH, D::IDC_COLOUR, D::IDC_APPLY});
    const _zel_face after = engine_face();
    EXPECT_EQ(after.parts[kSlotLeftEye].lx, int(before.parts[kSlotLeftEye].lx * 1.03));
    EXPECT_EQ(after.parts[kSlotRightEye].lx, before.parts[kSlotRightEye].lx);
    EXPECT_DOUBLE_EQ(after.parts[kSlotNose].Scale, before.parts[kSlotNose].Scale * 1.05);
    EXPECT_EQ(after.parts[kSlotRightBrow].Display, 0);
    EXPECT_EQ(after.parts[kSlotLeftBrow].Display, 1);
    EXPECT_EQ(after.parts[kSlotMouth].color.r, 200);
    EXPECT_EQ(after.parts[kSlotMouth].color.g, 100);
    EXPECT_EQ(after.parts[kSlotMouth].color.b, 50);
    EXPECT_EQ(dialog.Colour().r, 55); // kept as the complement
    EXPECT_EQ(dialog.Part(), 7);
    EXPECT_EQ(dialog.Action(), D::kColour);
    // The next opening starts again from its first colour; the colour dialog starts with the
    // colour chosen last.
    bool asked = false;
    zel::platform::set_color_dialog_hook([&asked](const zel::platform::ColorDialogRequest& r) {
        EXPECT_EQ(r.initial, RGB(200, 100, 50));
        asked = true;
        return zel::platform::ColorDialogAnswer{};
    });
    run({D::IDC_CHOOSE_COLOUR});
    EXPECT_TRUE(asked);
    EXPECT_EQ(dialog.Colour().r, 0);
    EXPECT_EQ(dialog.Colour().b, 255);
}

TEST_F(PartEdit, GlassesAreAddedByTheirTypeAndWantedBeforeOtherActions) {
    MessageBoxes boxes;
    run({D::IDC_GLASSES, D::IDC_DISPLAY, D::IDC_SHOW, D::IDC_APPLY});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Please ADD Eye Glasses first!");
    EXPECT_EQ(engine_face().parts[kSlotGlasses].IsLoaded, 0);
    run({D::IDC_GLASSES, D::IDC_GLASSES_TYPE, D::IDC_RECTANGULAR, D::IDC_APPLY});
    EXPECT_NE(engine_face().parts[kSlotGlasses].IsLoaded, 0);
    EXPECT_STREQ(engine_face().parts[kSlotGlasses].name, "GLASSES_REC");
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(PartEdit, CancelRestoresTheFaceAndTheHeadPicture) {
    const _zel_face before = engine_face();
    const Picture head = read_picture(face.headPath);
    run({D::IDC_MOUTH, D::IDC_MOVE, D::IDC_DOWN, D::IDC_APPLY, D::IDC_APPLY}, D::IDC_CANCEL);
    EXPECT_TRUE(same_face(engine_face(), before));
    EXPECT_TRUE(read_picture(face.headPath) == head);
}

// One dialog object run again: a head that cannot be drawn and read at opening leaves the
// previous run's picture in the preview, which is no backup of this run.
TEST_F(PartEdit, AFaceThatCouldNotBeBackedUpIsReportedAndNeverPutBackByCancel) {
    run({D::IDC_MOUTH, D::IDC_MOVE, D::IDC_DOWN, D::IDC_APPLY});
    const Picture previous = read_picture(face.headPath);
    ASSERT_GT(previous.width, 0);
    const MessageBoxes boxes;
    const Picture after = run_with_late_head(dialog, dialog.m_headPath, [&] {
        for (UINT id : {D::IDC_MOUTH, D::IDC_MOVE, D::IDC_UP, D::IDC_APPLY, D::IDC_CANCEL}) {
            press(dialog, id);
        }
    });
    EXPECT_GT(after.width, 0);
    EXPECT_FALSE(after == previous);
    EXPECT_FALSE(std::filesystem::exists(dialog.m_backupPath));
    EXPECT_EQ(boxes.failed_backups("face"), 1);
}

// Escape is Cancel: nothing applied stays in the face or the head picture.
TEST_F(PartEdit, EscapeRestoresAsCancelDoes) {
    const _zel_face before = engine_face();
    const Picture head = read_picture(face.headPath);
    run_modal(dialog, [&] {
        for (UINT id : {D::IDC_NOSE, D::IDC_MOVE, D::IDC_UP, D::IDC_APPLY}) {
            press(dialog, id);
        }
        ASSERT_FALSE(same_face(engine_face(), before));
        zel::platform::test::key(*dialog.GetDlgItem(int(D::IDC_DONE)), Qt::Key_Escape);
    });
    EXPECT_TRUE(same_face(engine_face(), before));
    EXPECT_TRUE(read_picture(face.headPath) == head);
}

TEST_F(PartEdit, TheWholePreviewShowsTheFaceAfterAnApply) {
    run_modal(dialog, [&] {
        const CRect preview = dialog.PreviewRect();
        dialog.UpdateWindow();
        CClientDC(&dialog).FillSolidRect(&preview, RGB(255, 0, 255));
        ASSERT_EQ(preview_mismatches(dialog, preview, dialog.Pictures()),
                  preview.Width() * preview.Height());
        for (UINT id : {D::IDC_NOSE, D::IDC_MOVE, D::IDC_UP, D::IDC_APPLY}) {
            press(dialog, id);
        }
        EXPECT_EQ(preview_mismatches(dialog, preview, dialog.Pictures()), 0);
        press(dialog, D::IDC_DONE);
    });
}

// Without its picture array (out of memory) the dialog runs, edits the face and cancels, but
// never reads, writes or frees the array it does not have.
_pixel** no_array(int, int) {
    return nullptr;
}

TEST_F(PartEdit, WithoutItsPictureArrayItStillEditsAndCancels) {
    const _zel_face before = engine_face();
    const zel::dialogs::ArrayAllocators previous =
        zel::dialogs::set_array_allocators({no_array, pbm_allocarray});
    MessageBoxes boxes;
    {
        D starved;
        zel::dialogs::set_array_allocators(previous);
        starved.m_headPath = face.headPath;
        EXPECT_FALSE(starved.Pictures().PreviewAllocated());
        run_modal(starved, [&] {
            for (UINT id : {D::IDC_NOSE, D::IDC_MOVE, D::IDC_UP, D::IDC_APPLY}) {
                press(starved, id);
            }
            starved.UpdateWindow();
            EXPECT_EQ(starved.Pictures().Height(), 0);
            press(starved, D::IDC_CANCEL);
        });
    }
    // Nothing but the backup it could not write is reported.
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text,
              "The face could not be backed up: Cancel will not undo the changes made to it.");
    EXPECT_TRUE(same_face(engine_face(), before));
    EXPECT_FALSE(read_picture(dialog.m_backupPath).width > 0); // no backup was written
}

} // namespace
