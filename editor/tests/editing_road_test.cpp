// The editing dialogs run by the view's road: what Make Face, Change Face, Add Body and Add
// Background leave behind when they end with Done or Cancel, and the recomposition that
// follows in the view.

#include "editor_test_support.h"
#include "resource_ids.h"

#include <zel/common/work_folder.h>
#include <zel/composition.h>
#include <zel/imaging.h>

#include <filesystem>
#include <vector>

namespace zel::editor::test {
namespace {

namespace fs = std::filesystem;
using EditingRoadTest = EditorTest;

TEST_F(EditingRoadTest, MakeFaceKeptChangesTheFaceAndRecomposesTheBody) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    AddBodyThroughTheRoad();
    CTesselDoc& doc = *Doc();
    doc.m_composedChanged = 0;
    const std::vector<unsigned char> faceBits = doc.m_faceBits;
    const std::vector<_pixel> composed = picture_file(View()->m_composedPath);
    AnswerDialog([](CDialog& dialog) {
        Press(dialog, dlgSelect::IDC_MOUTH_NEXT);
        Press(dialog, dlgSelect::IDC_BROW_PREVIOUS);
        Press(dialog, dlgSelect::IDC_DONE);
    });
    Command(ID_MAKE_FACE);
    EXPECT_EQ(View()->m_dlgSelect.m_changed, 1);
    EXPECT_EQ(doc.m_faceChanged, 1);
    EXPECT_NE(doc.m_faceBits, faceBits);
    // The colour face is the engine's new drawing, the one the dialog showed last.
    EXPECT_TRUE(same(pixels_of(doc.m_colorFace, doc.m_colorWidth, doc.m_colorHeight),
                     picture_file(View()->m_headPath)));
    EXPECT_EQ(doc.m_composedChanged, 1);
    EXPECT_FALSE(same(picture_file(View()->m_composedPath), composed));
    EXPECT_TRUE(View()->m_btnMakeFace.IsWindowEnabled());
}

TEST_F(EditingRoadTest, MakeFaceCancelledLeavesTheViewAndTheHeadPictureAsTheyWere) {
    ASSERT_TRUE(Start());
    LoadStarterFace("woman");
    CTesselDoc& doc = *Doc();
    const std::vector<unsigned char> faceBits = doc.m_faceBits;
    const std::vector<_pixel> colour =
        pixels_of(doc.m_colorFace, doc.m_colorWidth, doc.m_colorHeight);
    AnswerDialog([](CDialog& dialog) {
        Press(dialog, dlgSelect::IDC_MAN);
        Press(dialog, dlgSelect::IDC_EYE_NEXT);
        Press(dialog, dlgSelect::IDC_EXPRESSION_NEXT);
        Press(dialog, dlgSelect::IDC_CANCEL);
    });
    Command(ID_MAKE_FACE);
    EXPECT_EQ(doc.m_faceChanged, 0);
    EXPECT_EQ(doc.m_faceBits, faceBits);
    EXPECT_TRUE(same(picture_file(View()->m_headPath), colour));
    EXPECT_FALSE(fs::exists(View()->m_composedPath));
}

TEST_F(EditingRoadTest, ChangeFaceColourReachesTheColourFace) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    zel::platform::set_color_dialog_hook([](const zel::platform::ColorDialogRequest&) {
        zel::platform::ColorDialogAnswer a;
        a.ok = true;
        a.color = RGB(200, 30, 60);
        return a;
    });
    auto painted = [this] {
        const CTesselDoc& doc = *Doc();
        int count = 0;
        for (const _pixel& p : pixels_of(doc.m_colorFace, doc.m_colorWidth, doc.m_colorHeight)) {
            count += p.r == 200 && p.g == 30 && p.b == 60 ? 1 : 0;
        }
        return count;
    };
    ASSERT_EQ(painted(), 0);
    AnswerDialog([](CDialog& dialog) {
        Press(dialog, CChangeFaceDlg::IDC_COLOR);
        Press(dialog, CChangeFaceDlg::IDC_DONE);
    });
    Command(ID_CHANGE_FACE);
    EXPECT_EQ(Doc()->m_faceChanged, 1);
    EXPECT_GT(painted(), 50); // the mouth's ink
}

TEST_F(EditingRoadTest, AddBodyThenAddBackgroundMoveHeadAndBodyTogether) {
    ASSERT_TRUE(Start());
    LoadStarterFace("child");
    AddBodyThroughTheRoad();
    EXPECT_EQ(View()->m_bodyAdded, 1);
    EXPECT_EQ(View()->m_bodyFirstTime, 0);
    EXPECT_EQ(View()->m_dlgAddBody.m_faceKind, 3);
    AnswerDialog([](CDialog& dialog) {
        Press(dialog, dlgAddBkgd::IDC_BEACHES_NEXT);
        Press(dialog, dlgAddBkgd::IDC_MOVE_UP);
        Press(dialog, dlgAddBkgd::IDC_DONE);
    });
    Command(ID_ADD_BKGD);
    const dlgAddBkgd& background = View()->m_dlgAddBkgd;
    EXPECT_EQ(background.StepLayer(), ZEL2_HEAD_AND_BODY);
    EXPECT_EQ(background.Category(), dlgAddBkgd::kBeaches);
    EXPECT_EQ(View()->m_bkgdAdded, 1);
    EXPECT_EQ(View()->m_bkgdFirstTime, 0);
    EXPECT_EQ(Doc()->m_composedShown, 1);
    EXPECT_TRUE(same(pixels_of(Doc()->m_composed, 600, 800), picture_file(View()->m_composedPath)));

    // A later Add Body starts from the composition as it is and a Cancel keeps it.
    const std::vector<_pixel> composed = picture_file(View()->m_composedPath);
    Doc()->m_composedChanged = 0;
    AnswerDialog([](CDialog& dialog) {
        EXPECT_EQ(static_cast<dlgAddBody&>(dialog).m_firstTime, 0);
        EXPECT_EQ(static_cast<dlgAddBody&>(dialog).m_otherAdded, 1);
        Press(dialog, dlgAddBody::IDC_MOVE_LEFT);
        Press(dialog, dlgAddBody::IDC_CANCEL);
    });
    Command(ID_ADD_BODY);
    EXPECT_EQ(Doc()->m_composedChanged, 0);
    EXPECT_TRUE(same(picture_file(View()->m_composedPath), composed));
}

} // namespace
} // namespace zel::editor::test
