#pragma once
// A picture fitted into one of the view's panels. The fitted picture is kept as a bitmap of its
// place's size and made again only when the rows it comes from change, so that a repaint copies
// a small bitmap instead of stretching the whole picture again.

#include <zel/platform/platform.h>

#include <cstddef>
#include <vector>

class PanelPicture {
public:
    // Draws 24-bit rows described by info, fitted into panel from its top-left corner. Nothing
    // when the rows do not hold the picture the header describes (never built, or built at
    // another size).
    void Draw(CDC* dc, const CRect& panel, const std::vector<unsigned char>& bits,
              const BITMAPINFOHEADER& info);

private:
    std::size_t m_key = 0;
    CRect m_dest;
    CBitmap m_bitmap;
};
