#pragma once
// An icon button whose pressed or hovered face is a black-framed rectangle, square or rounded,
// filled with the button's first colour (background pressed or hovered).

#include "zel/controls/icon_button.h"

class CColorButton : public CIconButton {
public:
    static constexpr int kCornerSize = 8;

    DWORD SetRounded(BOOL rounded, BOOL repaint);
    BOOL IsRounded() const { return m_rounded; }

protected:
    DWORD DrawBackground(CDC* dc, CRect* rect) override;
    DWORD DrawBorder(CDC* dc, CRect* rect) override;

private:
    BOOL m_rounded = FALSE;
};
