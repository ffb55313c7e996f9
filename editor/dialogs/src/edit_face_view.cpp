// Edit Face: the source window (the part of the picture the drawing area shows), fitted to the
// picture and to the area's shape when the dialog paints, and moved by the scroll bars.

#include "zel/dialogs/edit_face_dlg.h"

#include <algorithm>

namespace {

constexpr int kSmallestWindow = 25; // pixels the window keeps inside the picture
constexpr int kFitRounds = 5;
constexpr double kLineStep = 0.05, kPageStep = 0.5;

} // namespace

void CEditFaceDlg::Repaint() {
    const CRect d = GetDrawingArea();
    InvalidateRect(&d, FALSE);
    UpdateWindow();
}

void CEditFaceDlg::OnPaint() {
    CPaintDC dc(this);
    FitSourceWindow();
    if (!m_pictures || m_source.IsRectEmpty()) {
        return;
    }
    const CRect d = GetDrawingArea();
    dc.SetStretchBltMode(COLORONCOLOR);
    dc.StretchBlt(d.left, d.top, d.Width(), d.Height(), &m_workDC, m_source.left, m_source.top,
                  m_source.Width(), m_source.Height(), SRCCOPY);
}

void CEditFaceDlg::FitSourceWindow() {
    m_source.left = std::min<LONG>(m_source.left, m_width - kSmallestWindow);
    m_source.top = std::min<LONG>(m_source.top, m_height - kSmallestWindow);
    const CRect d = GetDrawingArea();
    const CRect picture(0, 0, m_width, m_height);
    for (int round = 0; round < kFitRounds; ++round) {
        m_source.IntersectRect(m_source, picture);
        const double sw = m_source.Width(), sh = m_source.Height();
        if (sw <= 0 || sh <= 0) {
            break; // nothing of the picture to fit
        }
        const double r = (sw * d.Height()) / (d.Width() * sh);
        if (r > 1.005) {
            m_source.right = LONG(sh * d.Width() / d.Height() + m_source.left);
        } else if (r < 0.995) {
            m_source.bottom = LONG(sw * d.Height() / d.Width() + m_source.top);
        }
    }
    if (m_horizontalBar.m_hWnd != nullptr) {
        m_horizontalBar.SetScrollRange(0, m_width - m_source.Width(), FALSE);
        m_horizontalBar.SetScrollPos(m_source.left);
    }
    if (m_verticalBar.m_hWnd != nullptr) {
        m_verticalBar.SetScrollRange(0, m_height - m_source.Height(), FALSE);
        m_verticalBar.SetScrollPos(m_source.top);
    }
}

void CEditFaceDlg::OnHScroll(UINT code, UINT pos, CScrollBar*) {
    Scroll(code, pos, true);
}

void CEditFaceDlg::OnVScroll(UINT code, UINT pos, CScrollBar*) {
    Scroll(code, pos, false);
}

void CEditFaceDlg::Scroll(UINT code, UINT pos, bool horizontal) {
    LONG& start = horizontal ? m_source.left : m_source.top;
    LONG& end = horizontal ? m_source.right : m_source.bottom;
    CScrollBar& bar = horizontal ? m_horizontalBar : m_verticalBar;
    const int extent = horizontal ? m_width : m_height;
    const int b = std::max<int>(1, end - start);
    const int last = extent - b;
    switch (code) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
        if (start <= 0) {
            start = 0;
        } else {
            const double step = code == SB_LINELEFT ? kLineStep : kPageStep;
            start = std::max(0, int(start - step * b));
        }
        end = start + b;
        break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT: {
        const double step = code == SB_LINERIGHT ? kLineStep : kPageStep;
        start = std::min(int(start + step * b), last);
        end = start + b;
        break;
    }
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        if (int(pos) >= last) {
            return;
        }
        start = LONG(pos);
        end = start + b;
        break;
    case SB_LEFT:
        bar.SetScrollPos(0);
        return;
    case SB_RIGHT:
        // The next paint puts the thumb back where the window is.
        bar.SetScrollPos(horizontal ? m_width : m_height - b);
        return;
    case SB_ENDSCROLL:
        Repaint();
        return;
    default:
        return;
    }
    bar.SetScrollPos(start);
}
