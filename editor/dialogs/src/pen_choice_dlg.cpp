// The pen pop-up of Edit Face: its template and the six owner-drawn pen buttons.

#include "zel/dialogs/pen_choice_dlg.h"

#include "paper_ground.h"

#include <algorithm>

namespace {

constexpr int kPenPicture = 16; // pixels of a pen picture's side

void register_template() {
    static const bool once = [] {
        std::vector<DialogItemTemplate> items = {
            DefPushButton("OK", IDCANCEL, 37, 24, 50, 14),
        };
        for (int k = 0; k < CPenChoiceDlg::kPens; ++k) {
            items.push_back(Control("", CPenChoiceDlg::kFirstPen + k, "BUTTON",
                                    BS_OWNERDRAW | WS_TABSTOP, 4 + 20 * k, 3, 16, 16));
        }
        zel::platform::register_dialog(CPenChoiceDlg::IDD,
                                       DialogTemplate{"", 0, 0, 124, 42, WS_POPUP | WS_BORDER,
                                                      "MS Sans Serif", 8, std::move(items)});
        return true;
    }();
    (void)once;
}

} // namespace

BEGIN_MESSAGE_MAP(CPenChoiceDlg, CDialog)
ON_WM_ERASEBKGND()
ON_WM_DRAWITEM()
ON_COMMAND_RANGE(kFirstPen, kFirstPen + kPens - 1, OnPen)
END_MESSAGE_MAP()

CPenChoiceDlg::CPenChoiceDlg(CWnd* parent) : CDialog(IDD, parent) {
    register_template();
}

// The pop-up has no caption and the window system draws no frame round it: its border is this
// slate line round the paper.
BOOL CPenChoiceDlg::OnEraseBkgnd(CDC* dc) {
    zel::dialogs::paint_paper(*this, *dc, true);
    return TRUE;
}

void CPenChoiceDlg::OnPen(UINT id) {
    m_choice = int(id) - kFirstPen + 1;
    EndDialog(1);
}

void CPenChoiceDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT dis) {
    const int k = id - kFirstPen + 1;
    if (dis == nullptr || k < 1 || k > kPens) {
        CDialog::OnDrawItem(id, dis);
        return;
    }
    if (!(dis->itemAction & ODA_DRAWENTIRE)) {
        return;
    }
    CDC* dc = CDC::FromHandle(dis->hDC);
    const CRect item(dis->rcItem);
    // The button is larger than the picture: the pen sits on white in its middle, and nothing
    // is read from beyond the picture.
    dc->FillSolidRect(&item, RGB(255, 255, 255));
    CBitmap picture;
    if (!picture.LoadBitmap(
            MAKEINTRESOURCE(zel::dialogs::IDB_FIRST_PEN + 2 * (k - 1) + (k == m_choice)))) {
        return;
    }
    BITMAP bm;
    picture.GetBitmap(&bm);
    const int w = std::min<int>({bm.bmWidth, item.Width(), kPenPicture});
    const int h = std::min<int>({bm.bmHeight, item.Height(), kPenPicture});
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old = memory.SelectObject(&picture);
    dc->BitBlt(item.left + (item.Width() - w) / 2, item.top + (item.Height() - h) / 2, w, h,
               &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}
