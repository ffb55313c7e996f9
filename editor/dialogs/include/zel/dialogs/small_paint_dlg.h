#pragma once
// A dialog that only shows a picture. Nothing in the program opens it.

#include "zel/platform/platform.h"

class CSmallPaintDlg : public CDialog {
public:
    enum : UINT { IDD = 147, IDB_PICTURE = 208 };
    // The picture's part that is shown, and where (dialog units).
    static constexpr RECT kPictureSource{0, 0, 507, 493};
    static constexpr RECT kPicture{37, 28, 204, 128};

    explicit CSmallPaintDlg(CWnd* parent = nullptr);

protected:
    void OnPaint();
    void OnOK() override;
    DECLARE_MESSAGE_MAP()
};
