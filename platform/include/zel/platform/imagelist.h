#pragma once
// Image lists: rows of equally sized small pictures (menu and button images), each kept with
// its transparency; a bitmap strip adds one image per width, its mask colour transparent.

#include "zel/platform/dc.h"

#include <vector>

constexpr UINT ILC_COLOR = 0, ILC_MASK = 1, ILC_COLOR24 = 0x18, ILC_COLOR32 = 0x20;
constexpr UINT ILD_NORMAL = 0, ILD_TRANSPARENT = 1;

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    BOOL DeleteImageList();
    BOOL IsCreated() const { return m_cx > 0; }
    // Adds the images of a strip (its width divided by the image width); pixels of `mask`
    // colour are transparent. Returns the index of the first image added, or -1.
    int Add(CBitmap* bitmap, COLORREF mask);
    int Add(HICON icon);
    BOOL Replace(int index, HICON icon);
    int GetImageCount() const { return int(m_images.size()); }
    BOOL GetIconSize(int* cx, int* cy) const;
    BOOL Draw(CDC* dc, int index, POINT pt, UINT style) const;
    // A new icon of image `index` (the caller destroys it), or null.
    HICON ExtractIcon(int index) const;

private:
    int m_cx = 0;
    int m_cy = 0;
    std::vector<HICON> m_images; // owned
};
