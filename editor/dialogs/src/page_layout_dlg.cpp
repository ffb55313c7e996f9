#include "zel/dialogs/page_layout_dlg.h"

#include "paper_ground.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// A point this close to a side (in pixels, either way) grabs that side.
constexpr int kNear = 3;

bool near(int a, int b) {
    return std::abs(a - b) <= kNear;
}

// The page as the dialog shows it, in dialog units.
const CRect kLandscapePage(39, 33, 179, 121);
const CRect kPortraitPage(61, 20, 157, 138);

void register_template() {
    static const bool registered = [] {
        zel::platform::register_dialog(
            CPageLayoutDlg::IDD,
            DialogTemplate{"Page Layout",
                           0,
                           0,
                           218,
                           166,
                           WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                           "MS Sans Serif",
                           8,
                           {DefPushButton("OK", IDOK, 53, 145, 50, 14),
                            PushButton("Cancel", IDCANCEL, 115, 145, 50, 14)}});
        return true;
    }();
    (void)registered;
}

} // namespace

BEGIN_MESSAGE_MAP(CPageLayoutDlg, CDialog)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CPageLayoutDlg::CPageLayoutDlg(CWnd* parent) : CDialog(IDD, parent) {
    register_template();
}

CRect CPageLayoutDlg::PageRect() const {
    CRect page = m_landscape != 0 ? kLandscapePage : kPortraitPage;
    MapDialogRect(&page);
    return page;
}

BOOL CPageLayoutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The cursor this dialog chooses on every move stays until the next move.
    SetClassLongPtr(m_hWnd, GCLP_HCURSOR, 0);
    return TRUE;
}

// The view takes the fractions as its margins: they leave in order and on the page, whatever
// the last drag left behind (a left side dragged past the right one would print nothing).
void CPageLayoutDlg::OnOK() {
    if (m_left > m_right) {
        std::swap(m_left, m_right);
    }
    if (m_top > m_bottom) {
        std::swap(m_top, m_bottom);
    }
    for (float* f : {&m_left, &m_top, &m_right, &m_bottom}) {
        *f = std::clamp(*f, 0.0f, 1.0f);
    }
    CDialog::OnOK();
}

BOOL CPageLayoutDlg::OnEraseBkgnd(CDC* dc) {
    zel::dialogs::paint_paper(*this, *dc);
    return TRUE;
}

void CPageLayoutDlg::OnPaint() {
    CPaintDC dc(this);
    const CRect page = PageRect();
    dc.Rectangle(&page);
    DrawPictureRect(&dc);
}

CRect CPageLayoutDlg::RectFromFractions() const {
    const CRect page = PageRect();
    const float w = float(page.Width()), h = float(page.Height());
    return CRect(int(float(page.left) + w * m_left), int(float(page.top) + h * m_top),
                 int(float(page.left) + w * m_right), int(float(page.top) + h * m_bottom));
}

void CPageLayoutDlg::DrawPictureRect(CDC* dc) {
    if (m_left > m_right) {
        std::swap(m_left, m_right);
    }
    if (m_top > m_bottom) {
        std::swap(m_top, m_bottom);
    }
    for (float* f : {&m_left, &m_top, &m_right, &m_bottom}) {
        *f = std::max(*f, 0.0f);
    }
    m_rect = RectFromFractions();
    InvertSides(dc, m_rect);
}

void CPageLayoutDlg::InvertSides(CDC* dc, const CRect& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    dc->PatBlt(r.left, r.top, w, 1, DSTINVERT);
    dc->PatBlt(r.right, r.top, 1, h, DSTINVERT);
    dc->PatBlt(r.left, r.bottom, w, 1, DSTINVERT);
    dc->PatBlt(r.left, r.top, 1, h, DSTINVERT);
}

void CPageLayoutDlg::ConfineCursor(const CRect& client) {
    CRect screen = client;
    ClientToScreen(&screen);
    ClipCursor(&screen);
}

void CPageLayoutDlg::OnLButtonDown(UINT, CPoint point) {
    const CRect page = PageRect();
    if (!page.PtInRect(point)) {
        return;
    }
    m_dragging = 1;
    const int x = point.x, y = point.y;
    if (near(x, m_rect.left)) {
        m_dragLeft = 1;
    } else if (near(y, m_rect.top)) {
        m_dragTop = 1;
    } else if (near(x, m_rect.right)) {
        m_dragRight = 1;
    } else if (near(y, m_rect.bottom)) {
        m_dragBottom = 1;
    }
    if (m_dragLeft || m_dragTop || m_dragRight || m_dragBottom) {
        m_dragWhole = 0;
        CRect grown = page;
        grown.InflateRect(2, 2);
        ConfineCursor(grown);
        return;
    }
    const CRect inner(m_rect.left + 4, m_rect.top + 4, m_rect.right - 3, m_rect.bottom - 3);
    if (inner.PtInRect(point)) {
        m_dragWhole = 1;
        m_dragLeft = m_dragTop = m_dragRight = m_dragBottom = 0;
        m_lastPoint = point;
        // Wherever the cursor may go, the rectangle stays on the page.
        ConfineCursor(CRect(x + page.left - m_rect.left + 2, y + page.top - m_rect.top + 2,
                            x + page.right - m_rect.right - 2,
                            y + page.bottom - m_rect.bottom - 2));
    }
}

void CPageLayoutDlg::ShowCursorFor(CPoint p) {
    const CRect& r = m_rect;
    const bool acrossY = r.top < p.y && p.y < r.bottom;
    const bool acrossX = r.left < p.x && p.x < r.right;
    LPCTSTR cursor = IDC_ARROW;
    if (near(p.x, r.left) && acrossY) {
        cursor = IDC_SIZEWE;
    } else if (near(p.y, r.top) && acrossX) {
        cursor = IDC_SIZENS;
    } else if (near(p.x, r.right) && acrossY) {
        cursor = IDC_SIZEWE;
    } else if (near(p.y, r.bottom) && acrossX) {
        cursor = IDC_SIZENS;
    } else if (CRect(r.left + 4, r.top + 4, r.right - 3, r.bottom - 3).PtInRect(p)) {
        cursor = IDC_SIZEALL;
    }
    SetCursor(LoadCursor(nullptr, cursor));
}

void CPageLayoutDlg::OnMouseMove(UINT flags, CPoint point) {
    // A release that never arrived (the button let go while another window had the mouse)
    // still ends the drag.
    if (m_dragging && (flags & MK_LBUTTON) == 0) {
        EndDrag();
    }
    if (!m_dragging) {
        ShowCursorFor(point);
        return;
    }
    const CRect page = PageRect();
    const float w = float(page.Width()), h = float(page.Height());
    CClientDC dc(this);
    if (m_dragLeft || m_dragRight || m_dragTop || m_dragBottom) {
        InvertSides(&dc, m_rect);
        const float fx = float(point.x - page.left) / w;
        const float fy = float(point.y - page.top) / h;
        if (m_dragLeft) {
            m_left = fx;
        } else if (m_dragRight) {
            m_right = fx;
        } else if (m_dragTop) {
            m_top = fy;
        } else {
            m_bottom = fy;
        }
        m_rect = RectFromFractions();
        InvertSides(&dc, m_rect);
    } else if (m_dragWhole) {
        InvertSides(&dc, m_rect);
        const float dx = float(point.x - m_lastPoint.x) / w;
        const float dy = float(point.y - m_lastPoint.y) / h;
        m_left += dx;
        m_right += dx;
        m_top += dy;
        m_bottom += dy;
        DrawPictureRect(&dc);
        m_lastPoint = point;
    }
}

void CPageLayoutDlg::OnLButtonUp(UINT, CPoint) {
    EndDrag();
}

// Closing during a drag must not leave the cursor confined to where the dialog was.
void CPageLayoutDlg::OnDestroy() {
    EndDrag();
    CDialog::OnDestroy();
}

void CPageLayoutDlg::EndDrag() {
    m_dragging = 0;
    m_dragLeft = m_dragRight = m_dragTop = m_dragBottom = m_dragWhole = 0;
    ClipCursor(nullptr);
}
