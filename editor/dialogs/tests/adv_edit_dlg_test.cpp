// The advanced edit dialog driven through its own buttons: opening like Change Face, Make
// Face's variant steps with the dialog's own positions, actions on both parts of a pair, the
// glasses, the prompts of selections that make no action, Cancel and the preview.

#include "editing_test_support.h"
#include "zel/dialogs/adv_edit_dlg.h"
#include "zel/dialogs/select_dlg.h"

#include <zel/common/work_folder.h>
#include <zel/platform/testing.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace zel::dialogs::test;
using D = dlgAdvEdit;

// The action routine with any selection, as no button can make one.
class SelectingAdvEdit : public dlgAdvEdit {
public:
    void act(int group, int action, int parameter) {
        m_group = group;
        Act(action, parameter);
    }
};

class AdvEdit : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(face.ok());
        dlgAdvEdit::ResetPositions();
        dialog.m_headPath = face.headPath;
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
    SelectingAdvEdit dialog;
};

TEST_F(AdvEdit, OpensOnTheBrowsWithoutChangingTheFace) {
    // A hidden nose stays hidden: opening redraws the head without showing a part.
    face_display(6, 32);
    face.write_head();
    const _zel_face before = engine_face();
    EXPECT_EQ(dialog.m_backupPath, zel::work_path("zelaedit.bmp"));
    run_modal(dialog, [&] {
        EXPECT_EQ(dialog.Group(), 2);
        EXPECT_EQ(dialog.Action(), -1);
        EXPECT_EQ(dialog.Gender(), before.nSex);
        EXPECT_EQ(dialog.m_changed, 0);
        EXPECT_EQ(dialog.IsDlgButtonChecked(D::IDC_GLASSES_STANDARD), 0u); // no glasses
        EXPECT_EQ(preview_mismatches(dialog), 0);
        press(dialog, D::IDC_DONE);
    });
    EXPECT_TRUE(same_face(engine_face(), before));
    EXPECT_EQ(engine_face().parts[kSlotNose].Display, 0);
    EXPECT_TRUE(read_picture(dialog.m_backupPath) == read_picture(face.headPath));
}

TEST_F(AdvEdit, TheGlassesTheFaceWearsAreChosenByTheirName) {
    face_glasses(41);
    run_modal(dialog, [&] {
        EXPECT_EQ(dialog.IsDlgButtonChecked(D::IDC_GLASSES_ROUND), 1u);
        EXPECT_EQ(dialog.IsDlgButtonChecked(D::IDC_GLASSES_STANDARD), 0u);
        EXPECT_EQ(dialog.IsDlgButtonChecked(D::IDC_GLASSES_RECTANGULAR), 0u);
        press(dialog, D::IDC_DONE);
    });
    face_glasses(42);
    run_modal(dialog, [&] {
        EXPECT_EQ(dialog.IsDlgButtonChecked(D::IDC_GLASSES_RECTANGULAR), 1u);
        press(dialog, D::IDC_DONE);
    });
}

TEST_F(AdvEdit, VariantStepsKeepTheirOwnPositions) {
    dlgSelect::ResetPositions();
    run({D::IDC_BROW_NEXT, D::IDC_BROW_NEXT, D::IDC_EYE_PREVIOUS, D::IDC_MOUTH_NEXT});
    const _zel_face after = engine_face();
    EXPECT_STREQ(after.parts[kSlotLeftBrow].name, "BROW3");
    EXPECT_STREQ(after.parts[kSlotRightBrow].name, "BROW3");
    EXPECT_STREQ(after.parts[kSlotLeftEye].name, "EYE333");
    EXPECT_STREQ(after.parts[kSlotRightEye].name, "EYE333");
    EXPECT_STREQ(after.parts[kSlotMouth].name, "MOUTH12");
    EXPECT_EQ(dialog.Group(), 7);
    EXPECT_EQ(dialog.m_changed, 1);
    EXPECT_EQ(D::Position(dlgSelect::kBrows), 2);
    // Make Face's positions are Make Face's.
    EXPECT_EQ(dlgSelect::Position(dlgSelect::kBrows), 0);
    // The next opening goes on from there.
    run({D::IDC_BROW_NEXT});
    EXPECT_STREQ(engine_face().parts[kSlotLeftBrow].name, "BROW1");
}

TEST_F(AdvEdit, ActionsMoveBothPartsOfAPairAndOnlyTheChosenPart) {
    const _zel_face before = engine_face();
    run({D::IDC_MOVE_UP, D::IDC_EYES, D::IDC_ENLARGE, D::IDC_NOSE, D::IDC_MOVE_LEFT_2});
    const _zel_face after = engine_face();
    // Brows (the group the dialog opens on) moved up together.
    EXPECT_EQ(after.parts[kSlotLeftBrow].ly, int(before.parts[kSlotLeftBrow].ly * 0.97));
    EXPECT_EQ(after.parts[kSlotRightBrow].ly, int(before.parts[kSlotRightBrow].ly * 0.97));
    // Both eyes enlarged.
    EXPECT_DOUBLE_EQ(after.parts[kSlotLeftEye].Scale, before.parts[kSlotLeftEye].Scale * 1.05);
    EXPECT_DOUBLE_EQ(after.parts[kSlotRightEye].Scale, before.parts[kSlotRightEye].Scale * 1.05);
    // The second set of moves moves the nose alone.
    EXPECT_EQ(after.parts[kSlotNose].lx, int(before.parts[kSlotNose].lx * 0.97));
    EXPECT_EQ(after.parts[kSlotMouth].lx, before.parts[kSlotMouth].lx);
    EXPECT_EQ(dialog.Action(), D::kMove);
    EXPECT_EQ(dialog.Parameter(), 3);
}

TEST_F(AdvEdit, ColourAndDisplayReachBothBrows) {
    zel::platform::set_color_dialog_hook([](const zel::platform::ColorDialogRequest& r) {
        zel::platform::ColorDialogAnswer a;
        a.ok = true;
        a.color = RGB(10, 20, 30);
        std::copy(std::begin(r.custom), std::end(r.custom), a.custom);
        return a;
    });
    run({D::IDC_COLOR, D::IDC_HIDE});
    const _zel_face after = engine_face();
    for (int slot : {kSlotLeftBrow, kSlotRightBrow}) {
        // Handed as the complement and stored as 255 minus that: the colour chosen.
        EXPECT_EQ(after.parts[slot].color.r, 10);
        EXPECT_EQ(after.parts[slot].color.g, 20);
        EXPECT_EQ(after.parts[slot].color.b, 30);
        EXPECT_EQ(after.parts[slot].Display, 0);
    }
    EXPECT_EQ(after.parts[kSlotNose].Display, 1);
    EXPECT_EQ(dialog.Colour().r, 245);
}

TEST_F(AdvEdit, GlassesAreAddedByTheirStepAndWantedBeforeTheirActions) {
    MessageBoxes boxes;
    run({D::IDC_GLASSES, D::IDC_DISPLAY});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Please select a pair of eye glasses first.");
    EXPECT_EQ(boxes.shown[0].caption, "Eye Glasses");
    EXPECT_EQ(engine_face().parts[kSlotGlasses].IsLoaded, 0);
    // The glasses step adds the next style of the list.
    run({D::IDC_GLASSES_NEXT});
    EXPECT_NE(engine_face().parts[kSlotGlasses].IsLoaded, 0);
    EXPECT_STREQ(engine_face().parts[kSlotGlasses].name, "GLASSES_RND");
    EXPECT_EQ(dialog.Group(), 20);
    EXPECT_EQ(dialog.Action(), D::kAddGlasses);
    EXPECT_EQ(dialog.Parameter(), 41);
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(AdvEdit, SelectionsThatMakeNoActionArePrompted) {
    MessageBoxes boxes;
    const _zel_face before = engine_face();
    struct Case {
        int group, action, parameter;
        const char* prompt;
    };
    const Case cases[] = {
        {-1, -1, 0, "Please select a facial component and an action to take."},
        {-1, D::kAddGlasses, 40, "Please select Eye Glasses."},
        {-1, D::kMove, 1, "Please select a facial component."},
        {2, -1, 0, "Please select an action to take on the selected facial component."},
        {2, D::kAddGlasses, 40, "Please choose other action except Add!"},
        {6, D::kMove, 5,
         "How do you want to move the selected facial component?\n"
         "Please select one of {UP,DOWN,LEFT,RIGHT}."},
        {7, D::kScale, 0,
         "How do you want to scale the selected facial component?\nPlease select UP or DOWN."},
        {4, D::kDisplay, 33,
         "Do you want to display the selected facial component?\nPlease select YES or NO."},
    };
    run_modal(dialog, [&] {
        for (const Case& c : cases) {
            boxes.shown.clear();
            dialog.act(c.group, c.action, c.parameter);
            ASSERT_EQ(boxes.shown.size(), 1u) << c.prompt;
            EXPECT_EQ(boxes.shown[0].text, c.prompt);
            EXPECT_EQ(boxes.shown[0].caption, "You must make a selection!");
            EXPECT_EQ(boxes.shown[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
        }
        press(dialog, D::IDC_DONE);
    });
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_TRUE(same_face(engine_face(), before));
}

TEST_F(AdvEdit, CancelRestoresTheFaceAndTheHeadPicture) {
    const _zel_face before = engine_face();
    const Picture head = read_picture(face.headPath);
    run({D::IDC_BROW_NEXT, D::IDC_MOVE_DOWN, D::IDC_EXPRESSION_NEXT}, D::IDC_CANCEL);
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_TRUE(same_face(engine_face(), before));
    EXPECT_TRUE(read_picture(face.headPath) == head);
}

TEST_F(AdvEdit, ABackupThatCannotBeWrittenIsReported) {
    MessageBoxes boxes;
    dialog.m_backupPath = zel::work_path("no-such-folder/zelaedit.bmp");
    run({});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Not successful in save_piexels()");
    EXPECT_EQ(boxes.shown[0].caption, "In dialog box: Adv Edit");
}

// One dialog object run again: a head that cannot be drawn and read at opening leaves the
// previous run's picture in the preview, which is no backup of this run.
TEST_F(AdvEdit, AFaceThatCouldNotBeBackedUpIsReportedAndNeverPutBackByCancel) {
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
    EXPECT_EQ(boxes.count("Not successful in save_piexels()", "In dialog box: Adv Edit"), 1);
}

TEST_F(AdvEdit, TheWholePreviewShowsTheFaceAfterAStep) {
    EXPECT_EQ(stale_pixels_after(dialog, D::IDC_MOVE_UP), 0);
    EXPECT_EQ(stale_pixels_after(dialog, D::IDC_NOSE_NEXT), 0);
}

} // namespace
