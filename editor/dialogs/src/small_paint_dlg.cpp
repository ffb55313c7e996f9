// The small paint dialog: its template and its painted picture.

#include "zel/dialogs/small_paint_dlg.h"

#include "bitmap_stretch.h"

#include <mutex>

BEGIN_MESSAGE_MAP(CSmallPaintDlg, CDialog)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

void register_template() {
    zel::platform::register_dialog(
        CSmallPaintDlg::IDD, DialogTemplate{"Small Paint",
                                            0,
                                            0,
                                            242,
                                            160,
                                            WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                                            "MS Sans Serif",
                                            8,
                                            {DefPushButton("OK", IDOK, 154, 138, 50, 14)}});
}

} // namespace

CSmallPaintDlg::CSmallPaintDlg(CWnd* parent) : CDialog(IDD, parent) {
    static std::once_flag registered;
    std::call_once(registered, register_template);
}

void CSmallPaintDlg::OnPaint() {
    CPaintDC dc(this);
    zel::dialogs::draw_bitmap_stretched(dc, *this, IDB_PICTURE, kPictureSource, kPicture);
}

// OK does nothing: the box closes from its caption's close button or with Escape.
void CSmallPaintDlg::OnOK() {}
