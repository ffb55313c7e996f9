// Edit Face: presses, drags and releases in the drawing area, the erase, pen and text tools,
// the cursor that shows the tool, and the confinement of the cursor during a stroke.

#include "zel/dialogs/edit_face_dlg.h"

#include "zel/dialogs/edit_face_popup_dlg.h"

namespace {

// Drawing area in dialog units.
constexpr RECT kDrawingArea = {23, 26, 179, 220};
constexpr int kEraseSide = 15; // pixels of the screen
constexpr int kPenSide = 16;
constexpr int kPenOffset = 8;
constexpr COLORREF kPaperColor = RGB(192, 192, 192);

// `r` cut to `bounds`; empty when they do not meet.
CRect clipped(CRect r, const CRect& bounds) {
    CRect out;
    out.IntersectRect(r, bounds);
    return out;
}

} // namespace

CRect CEditFaceDlg::GetDrawingArea() const {
    CRect d(kDrawingArea);
    MapDialogRect(&d);
    return d;
}

COLORREF CEditFaceDlg::GetWorkingPixel(int x, int y) const {
    if (!m_pictures || x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return CLR_INVALID;
    }
    return m_workDC.GetPixel(x, y);
}

CPoint CEditFaceDlg::MapToPicture(CPoint p, bool press) const {
    const CRect d = GetDrawingArea();
    const int extra = press ? 1 : 0;
    return {m_source.Width() * (p.x - d.left) / d.Width() + m_source.left + extra,
            m_source.Height() * (p.y - d.top) / d.Height() + m_source.top + extra};
}

void CEditFaceDlg::OnLButtonDown(UINT flags, CPoint point) {
    m_pressPoint = point;
    m_pressed = TRUE;
    m_strokeOpen = false;
    if (GetDrawingArea().PtInRect(point)) {
        BeginStroke();
        const CPoint picture = MapToPicture(point, true);
        ApplyTool(point, picture, true);
        m_lastPoint = point;
        m_lastPicturePoint = picture;
    }
    CSkinDialog::OnLButtonDown(flags, point);
}

void CEditFaceDlg::OnMouseMove(UINT flags, CPoint point) {
    const bool stamps = m_mode == kModeErase || m_mode == kModePen;
    if (m_pressed && stamps && GetDrawingArea().PtInRect(point)) {
        // A drag that started outside the area gets its undo copy at its first point inside.
        if (!m_strokeOpen) {
            BeginStroke();
        }
        const CPoint picture = MapToPicture(point, false);
        ApplyTool(point, picture, false);
        m_lastPoint = point;
        m_lastPicturePoint = picture;
    }
    ChooseCursor(point);
    CSkinDialog::OnMouseMove(flags, point);
}

void CEditFaceDlg::OnLButtonUp(UINT flags, CPoint point) {
    m_releasePoint = point;
    EndStroke();
    CSkinDialog::OnLButtonUp(flags, point);
}

void CEditFaceDlg::OnActivate(UINT state, CWnd* other, BOOL minimized) {
    CSkinDialog::OnActivate(state, other, minimized);
    // The release of a drag goes elsewhere once another window takes over.
    if (state == WA_INACTIVE) {
        EndStroke();
    }
}

void CEditFaceDlg::OnCancelMode() {
    CSkinDialog::OnCancelMode();
    EndStroke();
}

void CEditFaceDlg::BeginStroke() {
    CRect screen = GetDrawingArea();
    ClientToScreen(&screen);
    ::ClipCursor(&screen);
    m_confined = true;
    m_strokeOpen = true;
    if (m_pictures) {
        m_undoDC.BitBlt(0, 0, m_width, m_height, &m_workDC, 0, 0, SRCCOPY);
    }
    m_changed = 1;
    ++m_strokes;
}

void CEditFaceDlg::EndStroke() {
    m_pressed = FALSE;
    m_strokeOpen = false;
    ReleaseCursor();
}

void CEditFaceDlg::ReleaseCursor() {
    if (m_confined) {
        ::ClipCursor(nullptr);
        m_confined = false;
    }
}

void CEditFaceDlg::ApplyTool(CPoint client, CPoint picture, bool press) {
    switch (m_mode) {
    case kModeErase:
        StampErase(client, picture);
        break;
    case kModePen:
        StampPen(picture);
        break;
    case kModeText:
        if (press) {
            WriteText(picture);
        }
        break;
    default:
        break;
    }
}

void CEditFaceDlg::StampErase(CPoint client, CPoint picture) {
    const CRect d = GetDrawingArea();
    const int half = kEraseSide / 2;
    const CRect onScreen =
        clipped(CRect(client.x - half, client.y - half, client.x - half + kEraseSide,
                      client.y - half + kEraseSide),
                d);
    if (!onScreen.IsRectEmpty()) {
        CClientDC dc(this);
        dc.FillSolidRect(&onScreen, kPaperColor);
    }
    if (!m_pictures) {
        return;
    }
    int w = m_source.Width() * kEraseSide / d.Width();
    int h = m_source.Height() * kEraseSide / d.Height();
    if (w == 0 || h == 0) {
        w = h = 1;
    }
    const CRect square = clipped(CRect(CPoint(picture.x - w / 2, picture.y - h / 2), CSize(w, h)),
                                 CRect(0, 0, m_width, m_height));
    if (!square.IsRectEmpty()) {
        m_workDC.FillSolidRect(&square, kPaperColor);
    }
}

void CEditFaceDlg::StampPen(CPoint picture) {
    if (!m_pictures || m_penBitmap.m_hObject == nullptr) {
        return;
    }
    const CRect stamp(picture.x - kPenOffset, picture.y - kPenOffset,
                      picture.x - kPenOffset + kPenSide, picture.y - kPenOffset + kPenSide);
    // Only the black pixels of the pen mark the picture.
    const CRect inPicture = clipped(stamp, CRect(0, 0, m_width, m_height));
    if (inPicture.IsRectEmpty()) {
        return;
    }
    CDC pen;
    pen.CreateCompatibleDC(&m_workDC);
    CBitmap* old = pen.SelectObject(&m_penBitmap);
    m_workDC.BitBlt(inPicture.left, inPicture.top, inPicture.Width(), inPicture.Height(), &pen,
                    inPicture.left - stamp.left, inPicture.top - stamp.top, SRCAND);
    pen.SelectObject(old);

    // Show the stamped square where the drawing area shows it.
    const CRect shown = clipped(inPicture, m_source);
    if (shown.IsRectEmpty() || m_source.IsRectEmpty()) {
        return;
    }
    const CRect d = GetDrawingArea();
    const int sw = m_source.Width(), sh = m_source.Height();
    const CRect target(d.left + (shown.left - m_source.left) * d.Width() / sw,
                       d.top + (shown.top - m_source.top) * d.Height() / sh,
                       d.left + (shown.right - m_source.left) * d.Width() / sw,
                       d.top + (shown.bottom - m_source.top) * d.Height() / sh);
    if (!(clipped(target, d) == target) || target.IsRectEmpty()) {
        return;
    }
    CClientDC dc(this);
    dc.SetStretchBltMode(COLORONCOLOR);
    dc.StretchBlt(target.left, target.top, target.Width(), target.Height(), &m_workDC, shown.left,
                  shown.top, shown.Width(), shown.Height(), SRCCOPY);
}

void CEditFaceDlg::WriteText(CPoint picture) {
    ReleaseCursor();
    CEditFacePopupDlg popup(this);
    if (popup.DoModal() == IDCANCEL || !m_pictures) {
        return;
    }
    CFont font;
    font.CreateFontIndirect(&m_font);
    CFont* old = m_workDC.SelectObject(&font);
    m_workDC.SetBkMode(TRANSPARENT);
    m_workDC.TextOut(picture.x, picture.y, popup.m_text);
    m_workDC.SelectObject(old);
    Repaint();
}

void CEditFaceDlg::ChooseCursor(CPoint client) {
    if (!GetDrawingArea().PtInRect(client)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return;
    }
    switch (m_mode) {
    case kModeErase:
        if (m_eraseCursor == nullptr) {
            m_eraseCursor = ::LoadCursor(AfxGetResourceHandle(),
                                         MAKEINTRESOURCE(zel::dialogs::IDC_ERASE_CURSOR));
        }
        ::SetCursor(m_eraseCursor);
        break;
    case kModePen:
        if (m_penCursor == nullptr) {
            m_penCursor =
                ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(zel::dialogs::IDC_PEN_CURSOR));
        }
        ::SetCursor(m_penCursor);
        break;
    case kModeText:
        ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
        break;
    default:
        ::SetCursor(::LoadCursor(nullptr, IDC_CROSS));
        break;
    }
}
