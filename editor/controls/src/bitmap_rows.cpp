#include "bitmap_rows.h"

#include <new>

namespace zel::controls {

std::vector<BYTE> read_bitmap_rows(HBITMAP bitmap, int width, int height, int bitsPerPixel,
                                   bool topDown) {
    if (width <= 0 || height <= 0 || (bitsPerPixel != 24 && bitsPerPixel != 32)) {
        return {};
    }
    const std::size_t stride = (std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32 * 4;
    std::vector<BYTE> rows;
    try {
        rows.resize(stride * std::size_t(height));
    } catch (const std::bad_alloc&) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = topDown ? -height : height;
    info.bmiHeader.biBitCount = WORD(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = DWORD(rows.size());
    HDC screen = ::GetWindowDC(nullptr);
    const int lines =
        ::GetDIBits(screen, bitmap, 0, UINT(height), rows.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (lines <= 0) {
        rows.clear();
    }
    return rows;
}

} // namespace zel::controls
