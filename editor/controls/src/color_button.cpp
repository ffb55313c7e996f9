// The colour button's faces.

#include "zel/controls/color_button.h"

DWORD CColorButton::SetRounded(BOOL rounded, BOOL repaint) {
    m_rounded = rounded;
    Repaint(repaint);
    return kButtonOk;
}

DWORD CColorButton::DrawBackground(CDC* dc, CRect* rect) {
    if (!m_hover && !m_pressed) {
        return CIconButton::DrawBackground(dc, rect);
    }
    CBrush brush(m_colors[kBackHover]);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush* oldBrush = dc->SelectObject(&brush);
    CPen* oldPen = dc->SelectObject(&pen);
    if (m_rounded) {
        dc->RoundRect(rect->left, rect->top, rect->right, rect->bottom, kCornerSize, kCornerSize);
    } else {
        dc->Rectangle(rect);
    }
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
    return kButtonOk;
}

// The frame of the face is the border; the base's relief would be drawn over it.
DWORD CColorButton::DrawBorder(CDC*, CRect*) {
    return kButtonOk;
}
