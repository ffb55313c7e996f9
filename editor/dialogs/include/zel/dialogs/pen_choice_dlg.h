#pragma once
// The pen pop-up of Edit Face: six buttons showing the pen shapes, the current one inside a
// border. A click on a pen ends the dialog with 1 and that pen as the choice; "OK" ends it with
// IDCANCEL and leaves the choice as the caller gave it.

#include "zel/platform/platform.h"

class CPenChoiceDlg : public CDialog {
public:
    enum { IDD = 255 };
    // The pen buttons: kFirstPen + k - 1 shows pen k.
    static constexpr int kFirstPen = 1101;
    static constexpr int kPens = 6;
    // Picture of pen k: kPlainPicture + 2 (k - 1); the bordered picture follows it.
    static constexpr int kPlainPicture = 256;

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
