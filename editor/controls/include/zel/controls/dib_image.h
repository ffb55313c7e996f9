#pragma once
// A device-independent picture held in one memory block (info header, palette, pixel rows) and
// drawn through a DIB section made on the first draw and reused after that.

#include "zel/platform/platform.h"

#include <memory>

class CDibImage {
public:
    CDibImage() = default;
    virtual ~CDibImage();
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // Releases everything and makes a block for a `width` x `height` picture of `bitCount`
    // bits per pixel. Palette and pixels are left as they are. Null when the block cannot be
    // allocated (then every other operation does nothing).
    BYTE* Create(int width, int height, int bitCount);

    // Header, palette and pixel bytes.
    DWORD GetSize() const;
    DWORD GetPaletteSize() const;
    BYTE* GetBits() const;
    int GetWidth() const { return m_header.biWidth; }
    int GetHeight() const { return m_header.biHeight; }
    DWORD GetLineWidth() const { return m_lineWidth; }
    int GetBitCount() const { return m_header.biBitCount; }
    DWORD GetPaletteCount() const { return m_paletteEntries; }

    void SetPaletteIndex(BYTE index, BYTE red, BYTE green, BYTE blue);
    // Moves every palette entry `percent` (at most 100) of the way towards `color`.
    void BlendPalette(COLORREF color, int percent);
    void SetGreyPalette();

    void Clear(BYTE value);
    // Writes one byte-per-pixel value; y counts from the top line of the picture.
    void SetPixelIndex(int x, int y, BYTE value);
    void Clone(const CDibImage& other);

    // Copies the picture to (x, y) of `dc`.
    void Draw(CDC* dc, int x, int y);
    // Writes the picture as a BMP file; 1 when written, else 0.
    int SaveBmp(LPCTSTR fileName) const;

private:
    void Release();

    std::unique_ptr<BYTE[]> m_block;
    BITMAPINFOHEADER m_header{};
    DWORD m_lineWidth = 0;
    DWORD m_paletteEntries = 0;
    HBITMAP m_section = nullptr;
    CDC m_memDC;
    void* m_sectionBits = nullptr;
};
