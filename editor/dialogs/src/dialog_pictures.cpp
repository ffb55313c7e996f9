#include "zel/dialogs/dialog_pictures.h"

#include "zel/dialogs/screen_copy.h"

namespace zel::dialogs {

namespace {

ArrayAllocators& allocators() {
    static ArrayAllocators current;
    return current;
}

} // namespace

ArrayAllocators set_array_allocators(ArrayAllocators replacement) {
    const ArrayAllocators previous = allocators();
    allocators() = replacement;
    return previous;
}

DialogPictures::DialogPictures() {
    const ArrayAllocators& alloc = allocators();
    m_preview.reset(alloc.colour(kCols, kRows));
    if (m_preview != nullptr) {
        m_second.reset(alloc.colour(kCols, kRows));
    }
    if (m_second != nullptr) {
        m_bilevel.reset(alloc.bilevel(kCols, kRows));
    }
    if (!AllAllocated()) {
        MessageBox(nullptr, "Out of memory!", "Morvane @ Runtime message",
                   MB_OK | MB_ICONEXCLAMATION);
    }
}

DialogPictures::DialogPictures(unsigned char pad) : m_pad(pad), m_working(false) {
    m_preview.reset(allocators().colour(kCols, kRows));
}

DialogPictures::~DialogPictures() = default;

bool DialogPictures::Load(const std::string& path) {
    if (m_preview == nullptr) {
        return false;
    }
    int cols = 0;
    int rows = 0;
    _BmpHeader header{};
    if (LoadGeneralImage(m_preview.get(), path.c_str(), &cols, &rows, &header) == 0) {
        return false;
    }
    m_width = cols;
    m_height = rows;
    m_header = header;
    m_bits = screen_bits_from_pixels(m_preview.get(), cols, rows, m_pad);
    return true;
}

bool DialogPictures::Save(const std::string& path) const {
    if (m_preview == nullptr || m_height <= 0) {
        return false;
    }
    return save_pixels(m_preview.get(), m_width, m_height, path.c_str(), "bmp") != 0;
}

void DialogPictures::Paint(CDC& dc, const CRect& rect) const {
    if (m_height <= 0 || m_bits.empty()) {
        return;
    }
    dc.SetStretchBltMode(COLORONCOLOR);
    // A picture with a colour table is drawn through a palette of its own colours.
    CPalette palette;
    CPalette* previous = nullptr;
    if (m_header.colors_used > 0 && m_header.palette != nullptr) {
        const DWORD count = m_header.colors_used;
        std::vector<BYTE> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
        auto* lp = reinterpret_cast<LOGPALETTE*>(block.data());
        lp->palVersion = 0x300;
        lp->palNumEntries = WORD(count);
        for (DWORD i = 0; i < count; ++i) {
            const unsigned char* entry = m_header.palette + 4 * i;
            lp->palPalEntry[i] = PALETTEENTRY{entry[2], entry[1], entry[0], 0};
        }
        palette.CreatePalette(lp);
        previous = dc.SelectPalette(&palette, FALSE);
        dc.RealizePalette();
    }
    BITMAPINFO info{};
    info.bmiHeader = screen_info(m_width, m_height);
    dc.StretchDIBits(rect.left, rect.top, rect.Width(), rect.Height(), 0, 0, m_width, m_height,
                     m_bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    if (previous != nullptr) {
        dc.SelectPalette(previous, FALSE);
    }
}

CRect dialog_rect(const CDialog& dialog, int left, int top, int right, int bottom) {
    CRect rect(left, top, right, bottom);
    dialog.MapDialogRect(&rect);
    return rect;
}

} // namespace zel::dialogs
