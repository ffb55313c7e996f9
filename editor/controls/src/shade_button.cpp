// The shade button: its two pictures and how they are drawn.

#include "zel/controls/shade_button.h"

namespace zel::controls {

void set_shade_palette(CDibImage& picture, COLORREF lo, COLORREF mid, COLORREF hi) {
    auto mix = [](int a, int wa, int b, int wb) { return BYTE((a * wa + b * wb) / 128); };
    for (int i = 0; i <= 128; ++i) {
        picture.SetPaletteIndex(BYTE(i), mix(GetRValue(lo), 128 - i, GetRValue(mid), i),
                                mix(GetGValue(lo), 128 - i, GetGValue(mid), i),
                                mix(GetBValue(lo), 128 - i, GetBValue(mid), i));
    }
    for (int i = 1; i <= 128; ++i) {
        picture.SetPaletteIndex(BYTE(127 + i), mix(GetRValue(hi), i, GetRValue(mid), 128 - i),
                                mix(GetGValue(hi), i, GetGValue(mid), 128 - i),
                                mix(GetBValue(hi), i, GetBValue(mid), 128 - i));
    }
}

} // namespace zel::controls

void CShadeButton::SetShade(UINT pattern, BYTE granularity, BYTE highlight, BYTE coloring,
                            COLORREF color) {
    CRect window;
    GetWindowRect(&window);
    if (m_normalPicture.Create(window.Width(), window.Height(), 8) == nullptr) {
        m_hoverPicture.Clone(m_normalPicture);
        return;
    }
    zel::controls::set_shade_palette(m_normalPicture, ::GetSysColor(COLOR_BTNSHADOW),
                                     ::GetSysColor(COLOR_BTNFACE),
                                     ::GetSysColor(COLOR_BTNHIGHLIGHT));
    m_normalPicture.BlendPalette(color, coloring);
    zel::controls::fill_shade_pattern(m_normalPicture, pattern, granularity);
    m_hoverPicture.Clone(m_normalPicture);
    m_hoverPicture.BlendPalette(::GetSysColor(COLOR_BTNHIGHLIGHT), highlight);
}

DWORD CShadeButton::DrawBackground(CDC* dc, CRect* rect) {
    if (m_normalPicture.GetBits() == nullptr) {
        return CIconButton::DrawBackground(dc, rect);
    }
    if (m_hover) {
        const int shift = m_pressed ? 1 : 0;
        m_hoverPicture.Draw(dc, shift, shift);
    } else {
        m_normalPicture.Draw(dc, 0, 0);
    }
    return kButtonOk;
}

DWORD CShadeButton::DrawBorder(CDC* dc, CRect* rect) {
    CIconButton::DrawBorder(dc, rect);
    return kButtonOk;
}
