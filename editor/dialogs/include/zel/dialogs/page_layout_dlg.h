#pragma once
// The page-layout dialog: where the picture goes on the printed page. It shows the page, upright
// or on its side, with the picture rectangle drawn on it by inverting the screen; the user drags
// one side of the rectangle or the whole of it. The rectangle travels as four fractions of the
// page (left, top, right, bottom), which the view hands in and takes back unless the dialog
// ends with Cancel.

#include "zel/dialogs/page_layout_ids.h"
#include <zel/platform/platform.h>

class CPageLayoutDlg : public CDialog, public zel::dialogs::PageLayoutIds {
public:
    explicit CPageLayoutDlg(CWnd* parent = nullptr);

    // The page in client pixels, for the current orientation.
    CRect PageRect() const;

    CRect m_rect{10, 10, 90, 90}; // the picture rectangle as last drawn
    int m_landscape = 0;          // 1 when the printer's orientation is not portrait
    int m_dragging = 0;           // between a press on the page and its release
    float m_left = 0.1f, m_top = 0.1f, m_right = 0.9f, m_bottom = 0.9f;
    int m_dragLeft = 0, m_dragRight = 0, m_dragTop = 0, m_dragBottom = 0, m_dragWhole = 0;
    CPoint m_lastPoint; // last mouse position of a whole-rectangle drag

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // Puts the fractions in order, raises negative ones to 0, then draws the rectangle.
    void DrawPictureRect(CDC* dc);
    // The picture rectangle of the fractions as they stand.
    CRect RectFromFractions() const;
    // Inverts the rectangle's four sides; a second call erases them.
    static void InvertSides(CDC* dc, const CRect& rect);
    // Confines the cursor to `client` (client coordinates).
    void ConfineCursor(const CRect& client);
    // Ends a drag: no flags, no cursor confinement.
    void EndDrag();
    void ShowCursorFor(CPoint point);
};
