// The auxiliary buttons dialog: its radio buttons follow the choice, which outlives each run.

#include "zel/dialogs/aux_buttons_dlg.h"

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <functional>

using namespace zel::platform::test;

namespace {

INT_PTR run(CDialog& dialog, const std::function<void()>& script) {
    zel::platform::set_modal_dialog_hook([&](CDialog&) { script(); });
    return dialog.DoModal();
}

struct AuxFixture : ::testing::Test {
    void SetUp() override { ensure_app(); }
    HookReset hooks;
    CAuxButtonsDlg aux;
};

} // namespace

TEST_F(AuxFixture, OpensOnTheFirstChoiceWithTheFocusOnOk) {
    EXPECT_EQ(aux.m_choice, 1);
    const INT_PTR result = run(aux, [&] {
        EXPECT_EQ(aux.IsDlgButtonChecked(CAuxButtonsDlg::IDC_FIRST), UINT(BST_CHECKED));
        EXPECT_EQ(aux.IsDlgButtonChecked(CAuxButtonsDlg::IDC_SECOND), UINT(BST_UNCHECKED));
        pump(100, [] { return CWnd::GetFocus() != nullptr; }); // the window becomes active
        EXPECT_EQ(CWnd::GetFocus(), aux.GetDlgItem(IDOK));
        aux.GetDlgItem(IDOK)->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(aux.m_choice, 1);
}

TEST_F(AuxFixture, TheChoiceFollowsTheButtonsAndOutlivesTheRun) {
    run(aux, [&] {
        aux.GetDlgItem(CAuxButtonsDlg::IDC_SECOND)->SendMessage(BM_CLICK);
        EXPECT_EQ(aux.m_choice, 0);
        aux.GetDlgItem(CAuxButtonsDlg::IDC_FIRST)->SendMessage(BM_CLICK);
        EXPECT_EQ(aux.m_choice, 1);
        aux.GetDlgItem(CAuxButtonsDlg::IDC_SECOND)->SendMessage(BM_CLICK);
        aux.GetDlgItem(IDOK)->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(aux.m_choice, 0);
    // The next run shows the second choice; Cancel keeps what was clicked.
    const INT_PTR result = run(aux, [&] {
        EXPECT_EQ(aux.IsDlgButtonChecked(CAuxButtonsDlg::IDC_FIRST), UINT(BST_UNCHECKED));
        EXPECT_EQ(aux.IsDlgButtonChecked(CAuxButtonsDlg::IDC_SECOND), UINT(BST_CHECKED));
        aux.GetDlgItem(CAuxButtonsDlg::IDC_FIRST)->SendMessage(BM_CLICK);
        aux.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(aux.m_choice, 1);
}
