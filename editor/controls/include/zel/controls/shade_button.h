#pragma once
// The editor's picture button: an icon button whose background is an 8-bit palette picture of
// a relief in the system button colours with a little noise, rendered once by SetShade, and a
// copy with a brightened palette for the hover look.

#include "zel/controls/dib_image.h"
#include "zel/controls/icon_button.h"

class CShadeButton : public CIconButton {
public:
    // Relief patterns.
    enum : UINT {
        kFlat = 0,
        kDiagonalRamp = 1,
        kVerticalRamp = 2,
        kHorizontalRamp = 3,
        kHorizontalBump = 4,
        kVerticalBump = 5,
        kSoftBump = 6,
        kHardBump = 7,
        kBrushed = 8,
    };

    // Renders the pictures at the window's present size: `pattern` with noise of +-granularity,
    // the hover copy brightened by `highlight` percent, both palettes moved `coloring` percent
    // towards `color`.
    void SetShade(UINT pattern, BYTE granularity, BYTE highlight, BYTE coloring, COLORREF color);

    const CDibImage& NormalPicture() const { return m_normalPicture; }
    const CDibImage& HoverPicture() const { return m_hoverPicture; }

protected:
    DWORD DrawBackground(CDC* dc, CRect* rect) override;
    DWORD DrawBorder(CDC* dc, CRect* rect) override;

private:
    CDibImage m_normalPicture;
    CDibImage m_hoverPicture;
};

namespace zel::controls {
// Fills an 8-bit picture with relief `pattern` (rows from the bottom line up, as stored), using
// the process-wide 0..32767 generator for the noise.
void fill_shade_pattern(CDibImage& picture, UINT pattern, int granularity);
// Entries 0..255 of the shade palette: shadow, through face (128 is one step above it), to
// highlight.
void set_shade_palette(CDibImage& picture, COLORREF shadow, COLORREF face, COLORREF highlight);
} // namespace zel::controls
