// Fitted panel pictures, made again only when their rows change.

#include "panel_picture.h"

#include "tessel_view.h"

#include <zel/dialogs/screen_copy.h>

#include <functional>
#include <string_view>

void PanelPicture::Draw(CDC* dc, const CRect& panel, const std::vector<unsigned char>& bits,
                        const BITMAPINFOHEADER& info) {
    const int width = info.biWidth;
    const int height = info.biHeight;
    if (width <= 0 || height <= 0 ||
        bits.size() != std::size_t(zel::dialogs::screen_row_bytes(width)) * std::size_t(height)) {
        return;
    }
    const CRect dest = CTesselView::FitIntoPanel(panel, width, height);
    // The rows and their size decide the picture; a dialog may draw on the rows in place.
    std::size_t key = std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(bits.data()), bits.size()));
    key ^= std::hash<long long>{}((static_cast<long long>(width) << 32) | height) + 0x9E3779B9;
    if (m_bitmap.m_hObject == nullptr || key != m_key || dest != m_dest) {
        m_bitmap.DeleteObject();
        m_bitmap.CreateCompatibleBitmap(dc, dest.Width(), dest.Height());
        CDC mem;
        mem.CreateCompatibleDC(dc);
        CBitmap* old = mem.SelectObject(&m_bitmap);
        BITMAPINFO bmi{};
        bmi.bmiHeader = info;
        mem.SetStretchBltMode(COLORONCOLOR);
        mem.StretchDIBits(0, 0, dest.Width(), dest.Height(), 0, 0, width, height, bits.data(), &bmi,
                          DIB_RGB_COLORS, SRCCOPY);
        mem.SelectObject(old);
        m_key = key;
        m_dest = dest;
    }
    CDC mem;
    mem.CreateCompatibleDC(dc);
    CBitmap* old = mem.SelectObject(&m_bitmap);
    dc->BitBlt(dest.left, dest.top, dest.Width(), dest.Height(), &mem, 0, 0, SRCCOPY);
    mem.SelectObject(old);
}
