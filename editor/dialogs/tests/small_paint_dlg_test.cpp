// The small paint dialog: its picture where the dialog paints it, and an OK that does nothing.

#include "zel/dialogs/small_paint_dlg.h"

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zel::platform::test;

TEST(SmallPaintDialog, PaintsItsPictureAndStaysOpenOnOk) {
    ensure_app();
    HookReset hooks;
    CSmallPaintDlg dialog;
    zel::platform::set_modal_dialog_hook([&](CDialog&) {
        dialog.UpdateWindow();
        CClientDC dc(&dialog);
        CRect picture(CSmallPaintDlg::kPicture);
        dialog.MapDialogRect(&picture);
        // The teal paint on the palette, at (78, 56) of the picture's 251 x 163.
        const COLORREF teal = dc.GetPixel(picture.left + picture.Width() * 78 / 251,
                                          picture.top + picture.Height() * 56 / 163);
        EXPECT_LE(std::abs(int(GetRValue(teal)) - 0x2F), 4);
        EXPECT_LE(std::abs(int(GetGValue(teal)) - 0x7F), 4);
        EXPECT_LE(std::abs(int(GetBValue(teal)) - 0x7B), 4);
        EXPECT_EQ(dc.GetPixel(picture.right + 4, picture.top + 10), RGB(192, 192, 192));

        dialog.GetDlgItem(IDOK)->SendMessage(BM_CLICK);
        EXPECT_TRUE(dialog.IsWindowVisible());
        dialog.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}
