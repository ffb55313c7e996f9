// The About box from the Help menu with its link to the manual, and the auxiliary buttons
// dialog on its command, which only a shown composed picture enables.

#include "editor_test_support.h"
#include "resource_ids.h"

#include <zel/dialogs/about_dlg.h>
#include <zel/dialogs/aux_buttons_dlg.h>

namespace zel::editor::test {
namespace {

using AboutAuxTest = EditorTest;

TEST_F(AboutAuxTest, HelpAboutShowsTheBoxWhoseLinkOpensTheManual) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(CommandEnabled(ID_APP_ABOUT));
    int shown = 0;
    AnswerDialog([&](CDialog& dialog) {
        auto* about = dynamic_cast<CAboutDlg*>(&dialog);
        ASSERT_NE(about, nullptr);
        ++shown;
        CString caption;
        about->GetWindowText(caption);
        EXPECT_EQ(caption, "About ZEL Editor");
        EXPECT_EQ(about->Link().GetTarget(), CTesselApp::ManualPath());
        zel::platform::test::click(*about->GetDlgItem(CAboutDlg::IDC_LINK), CPoint(2, 2));
        Press(dialog, IDOK);
    });
    Command(ID_APP_ABOUT);
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], CTesselApp::ManualPath());
}

TEST_F(AboutAuxTest, AuxiliaryButtonsOpenOnlyWhileAComposedPictureShows) {
    ASSERT_TRUE(Start());
    int shown = 0;
    AnswerDialog([&](CDialog& dialog) {
        ASSERT_NE(dynamic_cast<CAuxButtonsDlg*>(&dialog), nullptr);
        ++shown;
        Press(dialog, CAuxButtonsDlg::IDC_SECOND);
        Press(dialog, IDOK);
    });
    EXPECT_FALSE(CommandEnabled(ID_AUX_BUTTONS));
    Command(ID_AUX_BUTTONS);
    EXPECT_EQ(shown, 0);

    LoadStarterFace("man");
    EXPECT_FALSE(CommandEnabled(ID_AUX_BUTTONS)); // a face alone is not enough
    AddBodyThroughTheRoad();
    ASSERT_EQ(Doc()->m_composedShown, 1);
    EXPECT_TRUE(CommandEnabled(ID_AUX_BUTTONS));
    AnswerDialog([&](CDialog& dialog) {
        ++shown;
        Press(dialog, CAuxButtonsDlg::IDC_SECOND);
        Press(dialog, IDOK);
    });
    Command(ID_AUX_BUTTONS);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(View()->m_dlgAux.m_choice, 0);
    // Nothing else follows from the dialog.
    EXPECT_EQ(Doc()->m_composedShown, 1);
    EXPECT_TRUE(m_boxes.empty());
}

} // namespace
} // namespace zel::editor::test
