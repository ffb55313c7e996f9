#include "edit_face_test_support.h"

#include "zel/dialogs/edit_face_popup_dlg.h"
#include "zel/dialogs/pen_choice_dlg.h"
#include "zel/dialogs/screen_copy.h"

namespace zel::dialogs::test {

FaceCopy::FaceCopy(int w, int h) : width(w), height(h) {
    std::vector<unsigned char> paper(std::size_t(w) * std::size_t(h), 1);
    std::vector<unsigned char*> rows(static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        rows[std::size_t(y)] = paper.data() + std::size_t(y) * std::size_t(w);
    }
    bits = screen_bits_from_drawing(rows.data(), w, h, 192);
    info.bmiHeader = screen_info(w, h);
}

void FaceCopy::ink(int x, int y) {
    unsigned char* p = bits.data() +
                       std::size_t(height - 1 - y) * std::size_t(screen_row_bytes(width)) +
                       std::size_t(3 * x);
    p[0] = p[1] = p[2] = 0;
}

COLORREF FaceCopy::at(int x, int y) const {
    const unsigned char* p = bits.data() +
                             std::size_t(height - 1 - y) * std::size_t(screen_row_bytes(width)) +
                             std::size_t(3 * x);
    return RGB(p[2], p[1], p[0]);
}

void EditFaceTest::TearDown() {
    if (dialog.m_hWnd != nullptr) {
        dialog.DestroyWindow();
    }
    ::ClipCursor(nullptr);
}

void EditFaceTest::open(FaceCopy& copy, bool paint) {
    dialog.m_width = copy.width;
    dialog.m_height = copy.height;
    dialog.m_faceBits = copy.bits.data();
    dialog.m_faceInfo = &copy.info;
    ASSERT_TRUE(dialog.Create(nullptr));
    if (paint) {
        dialog.UpdateWindow();
    }
}

void EditFaceTest::command(int id) {
    CWnd* control = dialog.GetDlgItem(id);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED),
                       reinterpret_cast<LPARAM>(control != nullptr ? control->m_hWnd : nullptr));
}

void EditFaceTest::press(CPoint p) {
    dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(WORD(p.x), WORD(p.y)));
}

void EditFaceTest::drag(CPoint p) {
    dialog.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(WORD(p.x), WORD(p.y)));
}

void EditFaceTest::release(CPoint p) {
    dialog.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(WORD(p.x), WORD(p.y)));
}

void EditFaceTest::scroll(bool horizontal, UINT code, int pos) {
    CWnd* bar =
        dialog.GetDlgItem(horizontal ? CEditFaceDlg::kHorizontalBar : CEditFaceDlg::kVerticalBar);
    dialog.SendMessage(horizontal ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(WORD(code), WORD(pos)),
                       reinterpret_cast<LPARAM>(bar->m_hWnd));
}

CPoint EditFaceTest::area(int dx, int dy) const {
    const CRect d = dialog.GetDrawingArea();
    return {d.left + dx, d.top + dy};
}

COLORREF EditFaceTest::screen(CPoint p) {
    CClientDC dc(&dialog);
    return dc.GetPixel(p.x, p.y);
}

CRect EditFaceTest::clip() const {
    CRect r;
    ::GetClipCursor(&r);
    return r;
}

void answer_popups(int pen, const char* text, std::function<void(CEditFaceDlg&)> script) {
    const std::string answer = text != nullptr ? text : "";
    const bool writes = text != nullptr;
    zel::platform::set_modal_dialog_hook([=](CDialog& d) {
        if (dynamic_cast<CPenChoiceDlg*>(&d) != nullptr) {
            const int id = pen > 0 ? CPenChoiceDlg::kFirstPen + pen - 1 : IDCANCEL;
            d.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED), 0);
        } else if (dynamic_cast<CEditFacePopupDlg*>(&d) != nullptr) {
            d.SetDlgItemText(CEditFacePopupDlg::kTextField, answer.c_str());
            d.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(writes ? IDOK : IDCANCEL), BN_CLICKED), 0);
        } else if (auto* editFace = dynamic_cast<CEditFaceDlg*>(&d); editFace && script) {
            script(*editFace);
        }
    });
}

} // namespace zel::dialogs::test
