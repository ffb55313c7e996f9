#pragma once
// A list of equally sized images with transparency, as the owner-drawn menus keep them: made
// from bitmap strips (one colour marks the transparent pixels) or from icons, drawn normally or
// in the embossed disabled look.

#include "zel/platform/platform.h"

#include <vector>

class CIcoImageList {
public:
    CIcoImageList() = default;
    ~CIcoImageList();
    CIcoImageList(const CIcoImageList&) = delete;
    CIcoImageList& operator=(const CIcoImageList&) = delete;

    // Empties the list and sets the image size; FALSE for a size below 1 x 1.
    BOOL Create(int width, int height);
    // Cuts `bitmap` into images of the list's size from the left; pixels of `transparent` become
    // transparent. Returns the index of the first image added, or -1.
    int Add(HBITMAP bitmap, COLORREF transparent);
    // Adds a copy of `icon` (scaled to the list's size). Returns its index, or -1.
    int Add(HICON icon);
    // Adds a copy of image `index` of `other`. Returns its index, or -1.
    int Add(const CIcoImageList& other, int index);
    int GetImageCount() const { return int(m_images.size()); }
    CSize GetImageSize() const { return {m_width, m_height}; }
    HICON GetIcon(int index) const;
    BOOL Draw(CDC* dc, int index, POINT at, BOOL disabled) const;
    void DeleteImageList();

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<HICON> m_images;
};
