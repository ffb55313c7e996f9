#pragma once
// A dialog that only shows a picture. Nothing in the program opens it.

#include "zel/dialogs/small_dialog_ids.h"
#include "zel/platform/platform.h"

class CSmallPaintDlg : public CDialog, public zel::dialogs::SmallPaintIds {
public:
    // The picture's part that is shown, and where (dialog units).
    static constexpr RECT kPictureSource{0, 0, 507, 493};
    static constexpr RECT kPicture{37, 28, 204, 128};

    explicit CSmallPaintDlg(CWnd* parent = nullptr);

protected:
    void OnPaint();
    void OnOK() override;
    DECLARE_MESSAGE_MAP()
};
