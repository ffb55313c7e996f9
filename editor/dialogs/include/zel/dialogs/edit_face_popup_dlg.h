#pragma once
// The text pop-up of Edit Face: asks for the text that the text tool writes into the picture.

#include "zel/dialogs/edit_face_ids.h"
#include "zel/platform/platform.h"

class CEditFacePopupDlg : public CDialog, public zel::dialogs::EditFacePopupIds {
public:
    explicit CEditFacePopupDlg(CWnd* parent = nullptr);

    // The text, taken from the edit field when the dialog ends with OK.
    CString m_text;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Puts the keyboard into the text field at once.
    BOOL OnInitDialog() override;
    // The pop-up and its prompt stand on the paper of Edit Face.
    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    DECLARE_MESSAGE_MAP()

private:
    CBrush m_paper;
};
