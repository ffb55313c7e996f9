// The picture block: header, palette and rows in one allocation, drawn through a cached
// DIB section.

#include "zel/controls/dib_image.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr DWORD kHeaderSize = sizeof(BITMAPINFOHEADER);
// Pictures beyond this many bytes are refused: no button or skin comes near it, and the size
// arithmetic stays far from overflowing.
constexpr std::uint64_t kMaxImageBytes = 256u << 20;

DWORD palette_entries_for(int bitCount) {
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

void put16(std::FILE* f, unsigned v) {
    const unsigned char b[2] = {BYTE(v), BYTE(v >> 8)};
    std::fwrite(b, 1, 2, f);
}
void put32(std::FILE* f, DWORD v) {
    const unsigned char b[4] = {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
    std::fwrite(b, 1, 4, f);
}

} // namespace

CDibImage::~CDibImage() {
    Release();
}

void CDibImage::Release() {
    m_memDC.DeleteDC();
    if (m_section != nullptr) {
        ::DeleteObject(m_section);
        m_section = nullptr;
    }
    m_sectionBits = nullptr;
    m_block.reset();
    m_header = BITMAPINFOHEADER{};
    m_header.biSize = 0;
    m_header.biPlanes = 0;
    m_lineWidth = 0;
    m_paletteEntries = 0;
}

BYTE* CDibImage::Create(int width, int height, int bitCount) {
    Release();
    if (width <= 0 || height <= 0 || bitCount <= 0 || bitCount > 32) {
        return nullptr;
    }
    const std::uint64_t line = ((std::uint64_t(width) * std::uint64_t(bitCount) + 31) >> 5) << 2;
    const std::uint64_t image = line * std::uint64_t(height);
    if (image > kMaxImageBytes) {
        return nullptr;
    }
    const DWORD entries = palette_entries_for(bitCount);
    const std::size_t total = kHeaderSize + entries * 4 + std::size_t(image);
    m_block.reset(new (std::nothrow) BYTE[total]);
    if (!m_block) {
        return nullptr;
    }
    m_header = BITMAPINFOHEADER{};
    m_header.biSize = kHeaderSize;
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biPlanes = 1;
    m_header.biBitCount = WORD(bitCount);
    m_header.biCompression = BI_RGB;
    m_header.biSizeImage = DWORD(image);
    m_lineWidth = DWORD(line);
    m_paletteEntries = entries;
    std::memcpy(m_block.get(), &m_header, kHeaderSize);
    return m_block.get();
}

DWORD CDibImage::GetSize() const {
    return m_block ? kHeaderSize + GetPaletteSize() + m_header.biSizeImage : 0;
}

DWORD CDibImage::GetPaletteSize() const {
    return m_paletteEntries * 4;
}

BYTE* CDibImage::GetBits() const {
    if (!m_block) {
        return nullptr;
    }
    DWORD headerSize = 0;
    std::memcpy(&headerSize, m_block.get(), sizeof headerSize);
    return m_block.get() + headerSize + GetPaletteSize();
}

void CDibImage::SetPaletteIndex(BYTE index, BYTE red, BYTE green, BYTE blue) {
    if (!m_block || m_paletteEntries == 0 || index >= m_paletteEntries) {
        return;
    }
    BYTE* entry = m_block.get() + kHeaderSize + std::size_t(index) * 4;
    entry[0] = blue;
    entry[1] = green;
    entry[2] = red;
    entry[3] = 0;
}

void CDibImage::BlendPalette(COLORREF color, int percent) {
    if (!m_block || m_paletteEntries == 0) {
        return;
    }
    const int p = std::clamp(percent, 0, 100);
    const int target[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
    BYTE* entry = m_block.get() + kHeaderSize;
    for (DWORD i = 0; i < m_paletteEntries; ++i, entry += 4) {
        for (int c = 0; c < 3; ++c) {
            entry[c] = BYTE((target[c] * p + entry[c] * (100 - p)) / 100);
        }
    }
}

void CDibImage::SetGreyPalette() {
    if (!m_block || m_paletteEntries == 0) {
        return;
    }
    for (DWORD i = 0; i < m_paletteEntries; ++i) {
        SetPaletteIndex(BYTE(i), BYTE(i), BYTE(i), BYTE(i));
    }
    SetPaletteIndex(0, 0, 0, 0);
    SetPaletteIndex(BYTE(m_paletteEntries - 1), 255, 255, 255);
}

void CDibImage::Clear(BYTE value) {
    if (BYTE* bits = GetBits()) {
        std::memset(bits, value, m_header.biSizeImage);
    }
}

void CDibImage::SetPixelIndex(int x, int y, BYTE value) {
    // One byte a pixel: on pictures of fewer bits a row holds fewer bytes than pixels, and a
    // byte written at column x could land past the picture.
    if (!m_block || m_paletteEntries == 0 || m_header.biBitCount != 8) {
        return;
    }
    if (x < 0 || y < 0 || x >= m_header.biWidth || y >= m_header.biHeight) {
        return;
    }
    GetBits()[std::size_t(m_header.biHeight - y - 1) * m_lineWidth + std::size_t(x)] = value;
}

void CDibImage::Clone(const CDibImage& other) {
    if (&other == this) {
        return;
    }
    if (!other.m_block) {
        Release();
        return;
    }
    if (Create(other.GetWidth(), other.GetHeight(), other.GetBitCount()) != nullptr) {
        std::memcpy(m_block.get(), other.m_block.get(), other.GetSize());
    }
}

void CDibImage::Draw(CDC* dc, int x, int y) {
    if (!m_block || dc == nullptr) {
        return;
    }
    if (m_section == nullptr) {
        void* bits = nullptr;
        m_section =
            ::CreateDIBSection(dc->m_hDC, reinterpret_cast<const BITMAPINFO*>(m_block.get()),
                               DIB_RGB_COLORS, &bits, nullptr, 0);
        if (m_section == nullptr || bits == nullptr) {
            if (m_section != nullptr) {
                ::DeleteObject(m_section);
                m_section = nullptr;
            }
            return;
        }
        m_sectionBits = bits;
    }
    if (m_memDC.m_hDC == nullptr && !m_memDC.CreateCompatibleDC(dc)) {
        return;
    }
    std::memcpy(m_sectionBits, GetBits(), m_header.biSizeImage);
    HGDIOBJ old = m_memDC.SelectObject(HGDIOBJ(m_section));
    dc->BitBlt(x, y, GetWidth(), GetHeight(), &m_memDC, 0, 0, SRCCOPY);
    m_memDC.SelectObject(old);
}

int CDibImage::SaveBmp(LPCTSTR fileName) const {
    if (fileName == nullptr || *fileName == 0 || !m_block) {
        return 0;
    }
    std::FILE* f = std::fopen(fileName, "wb");
    if (f == nullptr) {
        return 0;
    }
    put16(f, 0x4D42);
    put32(f, GetSize() + 14);
    put16(f, 0);
    put16(f, 0);
    put32(f, 14 + kHeaderSize + GetPaletteSize());
    const std::size_t written = std::fwrite(m_block.get(), 1, GetSize(), f);
    const bool ok = std::ferror(f) == 0 && written == GetSize();
    return std::fclose(f) == 0 && ok ? 1 : 0;
}
