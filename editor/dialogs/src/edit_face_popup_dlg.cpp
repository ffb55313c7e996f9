// The text pop-up of Edit Face: its template, the text field's exchange and its focus.

#include "zel/dialogs/edit_face_popup_dlg.h"

#include "paper_ground.h"

namespace {

void register_template() {
    static const bool once = [] {
        zel::platform::register_dialog(
            CEditFacePopupDlg::IDD,
            DialogTemplate{"Text",
                           0,
                           0,
                           186,
                           50,
                           WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                           "MS Sans Serif",
                           8,
                           {
                               LText("Text to write into the picture:", -1, 7, 5, 172, 9),
                               EditText(CEditFacePopupDlg::kTextField, 7, 15, 172, 13),
                               DefPushButton("OK", IDOK, 75, 32, 50, 14),
                               PushButton("Cancel", IDCANCEL, 129, 32, 50, 14),
                           }});
        return true;
    }();
    (void)once;
}

} // namespace

BEGIN_MESSAGE_MAP(CEditFacePopupDlg, CDialog)
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CEditFacePopupDlg::CEditFacePopupDlg(CWnd* parent)
    : CDialog(IDD, parent), m_paper(zel::dialogs::kPaperGround) {
    register_template();
}

BOOL CEditFacePopupDlg::OnEraseBkgnd(CDC* dc) {
    zel::dialogs::paint_paper(*this, *dc);
    return TRUE;
}

HBRUSH CEditFacePopupDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    if (ctlColor != CTLCOLOR_STATIC) {
        return CDialog::OnCtlColor(dc, wnd, ctlColor);
    }
    dc->SetBkColor(zel::dialogs::kPaperGround);
    return m_paper;
}

void CEditFacePopupDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, kTextField, m_text);
}

BOOL CEditFacePopupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CWnd* field = GetDlgItem(kTextField)) {
        field->SetFocus();
    }
    return FALSE;
}
