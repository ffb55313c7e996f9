// The auxiliary buttons dialog: its template and the choice between its two radio buttons.

#include "zel/dialogs/aux_buttons_dlg.h"

#include <mutex>

BEGIN_MESSAGE_MAP(CAuxButtonsDlg, CDialog)
ON_BN_CLICKED(IDC_FIRST, OnFirst)
ON_BN_CLICKED(IDC_SECOND, OnSecond)
END_MESSAGE_MAP()

namespace {

void register_template() {
    zel::platform::register_dialog(
        CAuxButtonsDlg::IDD,
        DialogTemplate{"Auxiliary Buttons",
                       0,
                       0,
                       150,
                       66,
                       WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                       "MS Sans Serif",
                       8,
                       {Control("First choice", CAuxButtonsDlg::IDC_FIRST, "BUTTON",
                                BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 12, 10, 126, 12),
                        Control("Second choice", CAuxButtonsDlg::IDC_SECOND, "BUTTON",
                                BS_AUTORADIOBUTTON, 12, 26, 126, 12),
                        DefPushButton("OK", IDOK, 88, 46, 50, 14)}});
}

} // namespace

CAuxButtonsDlg::CAuxButtonsDlg(CWnd* parent) : CDialog(IDD, parent) {
    static std::once_flag registered;
    std::call_once(registered, register_template);
}

void CAuxButtonsDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDOK, m_ok);
    DDX_Control(dx, IDC_FIRST, m_first);
    DDX_Control(dx, IDC_SECOND, m_second);
}

BOOL CAuxButtonsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_first.SetCheck(m_choice == 1 ? BST_CHECKED : BST_UNCHECKED);
    m_second.SetCheck(m_choice == 1 ? BST_UNCHECKED : BST_CHECKED);
    m_ok.SetFocus();
    return FALSE; // the focus is set
}

void CAuxButtonsDlg::OnFirst() {
    m_choice = 1;
}

void CAuxButtonsDlg::OnSecond() {
    m_choice = 0;
}
