#pragma once
// The pen pop-up of Edit Face: six buttons showing the pen shapes, the current one inside a
// border. A click on a pen ends the dialog with 1 and that pen as the choice; "OK" ends it with
// IDCANCEL and leaves the choice as the caller gave it.

#include "zel/dialogs/edit_face_ids.h"
#include "zel/platform/platform.h"

class CPenChoiceDlg : public CDialog, public zel::dialogs::PenChoiceIds {
public:
    explicit CPenChoiceDlg(CWnd* parent = nullptr);

    // The pen choice, 1 to 6: set by the caller before the run, read back after a run that did
    // not end with IDCANCEL.
    int m_choice = 1;

protected:
    BOOL OnEraseBkgnd(CDC* dc);
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    void OnPen(UINT id);
    DECLARE_MESSAGE_MAP()
};
