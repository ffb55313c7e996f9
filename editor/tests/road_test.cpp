// The editing dialogs' road and the save-first question of the load commands.

#include "editor_test_support.h"
#include "resource_ids.h"

#include <zel/common/work_folder.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>

namespace zel::editor::test {
namespace {

namespace fs = std::filesystem;
using RoadTest = EditorTest;

TEST_F(RoadTest, ACancelledSaveInTheSaveFirstQuestionKeepsTheChangeFlag) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    AddBodyThroughTheRoad();
    ASSERT_EQ(Doc()->m_composedChanged, 1);
    m_fileDialogs.clear();
    AnswerMessageBox(IDYES);
    CancelFileDialog(); // the Save command's dialog
    CancelFileDialog(); // the load's own dialog
    Command(ID_LOAD_CARICATURE);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "Save Caricature");
    EXPECT_EQ(m_boxes[0].caption, "Caricature Not Saved");
    EXPECT_EQ(m_fileDialogs.size(), 2u);
    EXPECT_EQ(Doc()->m_composedChanged, 1);
    // So the exit question still comes.
    AnswerMessageBox(IDCANCEL);
    EXPECT_FALSE(Doc()->SaveModified());
}

TEST_F(RoadTest, AnUnsavedFaceEditIsAskedAboutBeforeLoading) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    Doc()->m_faceChanged = 1;
    const std::string chosen = zel::work_path("edited");
    AnswerMessageBox(IDYES);
    AnswerFileDialog(chosen, 1); // Save: its first filter writes the face file
    CancelFileDialog();          // the photo dialog
    Command(ID_FILE_OPEN);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "Save Caricature");
    EXPECT_TRUE(fs::exists(chosen + ".zel"));
    EXPECT_EQ(Doc()->m_faceChanged, 0);
}

TEST_F(RoadTest, NoAndCancelBothGoOnToTheFileDialog) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    Doc()->m_faceChanged = 1;
    for (int answer : {IDNO, IDCANCEL}) {
        m_fileDialogs.clear();
        AnswerMessageBox(answer);
        CancelFileDialog();
        Command(ID_LOAD_CARICATURE);
        ASSERT_EQ(m_fileDialogs.size(), 1u);
        EXPECT_EQ(m_fileDialogs[0].initialName, "*.zel");
    }
    EXPECT_EQ(Doc()->m_faceChanged, 1);
}

TEST_F(RoadTest, FirstTimeFlagsAreSetOnlyBySuccessfulFaceFileLoads) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    AddBodyThroughTheRoad();
    EXPECT_EQ(View()->m_bodyFirstTime, 0);
    EXPECT_EQ(View()->m_bodyAdded, 1);
    Doc()->m_composedChanged = 0;
    CancelFileDialog();
    Command(ID_LOAD_CARICATURE);
    EXPECT_EQ(View()->m_bodyFirstTime, 0);
    CancelFileDialog();
    Command(ID_FILE_OPEN);
    EXPECT_EQ(View()->m_bodyFirstTime, 0);
    LoadStarterFace("woman");
    EXPECT_EQ(View()->m_bodyFirstTime, 1);
    EXPECT_EQ(View()->m_bkgdFirstTime, 1);
    EXPECT_EQ(View()->m_bodyAdded, 0);
    EXPECT_EQ(Doc()->m_composedShown, 0);
}

TEST_F(RoadTest, AddBodyHandsItsInputsAndShowsTheComposedPicture) {
    ASSERT_TRUE(Start());
    LoadStarterFace("woman");
    AddBodyThroughTheRoad();
    const dlgAddBody& dialog = View()->m_dlgAddBody;
    EXPECT_EQ(dialog.m_faceKind, Doc()->m_faceKind);
    EXPECT_EQ(dialog.m_headPath, View()->m_headPath);
    EXPECT_EQ(dialog.m_composedPath, View()->m_composedPath);
    EXPECT_EQ(dialog.m_firstTime, 1);
    EXPECT_EQ(dialog.m_otherAdded, 0);
    EXPECT_EQ(Doc()->m_composedShown, 1);
    EXPECT_EQ(Doc()->m_composedChanged, 1);
    EXPECT_EQ(Doc()->m_composedWidth, 600);
    EXPECT_EQ(Doc()->m_composedHeight, 800);
    Repaint();
    // The composed picture fills its panel from the top-left corner.
    const CRect fitted = CTesselView::FitIntoPanel(CTesselView::kComposedPanel, 600, 800);
    const _pixel top = Doc()->m_composed[799][0];
    EXPECT_EQ(Pixel(fitted.left, fitted.top), RGB(top.r, top.g, top.b));

    // Add Background is told that a body was added; a cancelled dialog changes nothing.
    Doc()->m_composedChanged = 0;
    Command(ID_ADD_BKGD);
    EXPECT_EQ(View()->m_dlgAddBkgd.m_otherAdded, 1);
    EXPECT_EQ(View()->m_bkgdAdded, 0);
    EXPECT_EQ(Doc()->m_composedChanged, 0);
}

TEST_F(RoadTest, EveryRecompositionIsUnsavedWork) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    AddBodyThroughTheRoad();
    Doc()->m_composedChanged = 0;
    Doc()->m_faceChanged = 0;
    AnswerDialog([](CDialog& dialog) {
        Press(dialog, CChangeFaceDlg::IDC_MOVE_UP);
        Press(dialog, CChangeFaceDlg::IDC_DONE);
    });
    Command(ID_CHANGE_FACE);
    EXPECT_EQ(Doc()->m_faceChanged, 1);
    EXPECT_EQ(Doc()->m_composedChanged, 1);
    EXPECT_EQ(Doc()->m_composedShown, 1);
}

TEST_F(RoadTest, ACancelledFaceDialogChangesNothing) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    AddBodyThroughTheRoad();
    Doc()->m_composedChanged = 0;
    fs::remove(View()->m_composedPath);
    AnswerDialog([](CDialog& dialog) {
        Press(dialog, dlgSelect::IDC_BROW_NEXT);
        Press(dialog, dlgSelect::IDC_CANCEL);
    });
    Command(ID_CMD_MAKE_FACE);
    EXPECT_EQ(Doc()->m_faceChanged, 0);
    EXPECT_EQ(Doc()->m_composedChanged, 0);
    EXPECT_FALSE(fs::exists(View()->m_composedPath));
    EXPECT_TRUE(View()->m_btnMakeFace.IsWindowEnabled());
}

TEST_F(RoadTest, AHeadFileThatCannotBeWrittenStopsTheDialog) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    View()->m_headPath = "/nonexistent-folder/zel_head.bmp";
    View()->m_dlgSelect.m_changed = 1;
    Command(ID_MAKE_FACE);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_NE(m_boxes[0].text.find("/nonexistent-folder/zel_head.bmp"), std::string::npos);
    // The road stopped before the dialog: nothing was taken from it.
    EXPECT_EQ(Doc()->m_faceChanged, 0);
    EXPECT_TRUE(View()->m_btnMakeFace.IsWindowEnabled());
    View()->m_dlgSelect.m_changed = 0;
}

TEST_F(RoadTest, EditFaceTakesTheDrawnCopyAsTheNewFace) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    CTesselDoc& doc = *Doc();
    const int width = doc.m_faceRect.Width();
    // A speck of ink on the paper where the eraser lands (picture pixel 16, 16), so that the
    // stroke changes the picture.
    const std::size_t stride = std::size_t(width * 3 + 3) / 4 * 4;
    const std::size_t row = std::size_t(doc.m_faceRect.Height() - 1 - 16);
    std::fill_n(doc.m_faceBits.begin() + std::ptrdiff_t(row * stride + 16 * 3), 3, 0);
    // The dialog draws one stroke and ends with Done.
    zel::platform::set_modal_dialog_hook([](CDialog& d) {
        const CRect area = static_cast<CEditFaceDlg&>(d).GetDrawingArea();
        const LPARAM at = MAKELPARAM(WORD(area.left + 5), WORD(area.top + 5));
        d.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        d.SendMessage(WM_LBUTTONUP, 0, at);
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kDone, 0);
    });
    Command(ID_EDIT_FACE);
    EXPECT_EQ(View()->m_dlgEditFace.m_width, width);
    EXPECT_EQ(View()->m_dlgEditFace.m_faceBits, doc.m_faceBits.data());
    EXPECT_EQ(View()->m_dlgEditFace.m_faceInfo, &doc.m_faceInfo.info);
    EXPECT_EQ(doc.m_faceChanged, 1);
    EXPECT_TRUE(fs::exists(View()->m_headPath));
    EXPECT_TRUE(m_boxes.empty());

    // An edge the engine refuses is reported and not taken.
    doc.m_faceChanged = 0;
    fs::remove(View()->m_headPath);
    doc.m_faceRect.SetRect(0, 0, 0, 0);
    Command(ID_EDIT_FACE);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].caption, "Edit Face");
    EXPECT_FALSE(fs::exists(View()->m_headPath));
}

TEST_F(RoadTest, WithoutAWorkFolderTheEditingCommandsStayDisabled) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    View()->m_headPath.clear();
    Repaint();
    EXPECT_FALSE(CommandEnabled(ID_MAKE_FACE));
    EXPECT_FALSE(View()->m_btnAddBody.IsWindowEnabled());
    EXPECT_TRUE(CommandEnabled(ID_SAVE_FACE_FILE));
}

} // namespace
} // namespace zel::editor::test
