// Menu image lists: every image is kept as an icon, so transparency travels with it.

#include "zel/controls/image_list.h"

CIcoImageList::~CIcoImageList() {
    DeleteImageList();
}

void CIcoImageList::DeleteImageList() {
    for (HICON icon : m_images) {
        ::DestroyIcon(icon);
    }
    m_images.clear();
}

BOOL CIcoImageList::Create(int width, int height) {
    DeleteImageList();
    if (width < 1 || height < 1) {
        m_width = m_height = 0;
        return FALSE;
    }
    m_width = width;
    m_height = height;
    return TRUE;
}

int CIcoImageList::Add(HBITMAP bitmap, COLORREF transparent) {
    BITMAP bm;
    if (m_width < 1 || ::GetObject(bitmap, sizeof bm, &bm) == 0) {
        return -1;
    }
    const int count = bm.bmWidth / m_width;
    if (count < 1) {
        return -1;
    }
    CWindowDC screen(nullptr);
    CDC source, color, mask;
    source.CreateCompatibleDC(&screen);
    color.CreateCompatibleDC(&screen);
    mask.CreateCompatibleDC(&screen);
    CBitmap* oldSource = source.SelectObject(CBitmap::FromHandle(bitmap));
    const int first = GetImageCount();
    for (int i = 0; i < count; ++i) {
        CBitmap colorBitmap, maskBitmap;
        colorBitmap.CreateCompatibleBitmap(&screen, m_width, m_height);
        maskBitmap.CreateBitmap(m_width, m_height, 1, 1, nullptr);
        CBitmap* oldColor = color.SelectObject(&colorBitmap);
        CBitmap* oldMask = mask.SelectObject(&maskBitmap);
        color.BitBlt(0, 0, m_width, m_height, &source, i * m_width, 0, SRCCOPY);
        // Colour to monochrome: the source's background colour becomes 1 (transparent).
        source.SetBkColor(transparent);
        mask.BitBlt(0, 0, m_width, m_height, &source, i * m_width, 0, SRCCOPY);
        color.SelectObject(oldColor);
        mask.SelectObject(oldMask);
        ICONINFO info;
        info.fIcon = TRUE;
        info.hbmColor = colorBitmap;
        info.hbmMask = maskBitmap;
        if (HICON icon = ::CreateIconIndirect(&info)) {
            m_images.push_back(icon);
        }
    }
    source.SelectObject(oldSource);
    return GetImageCount() > first ? first : -1;
}

int CIcoImageList::Add(HICON icon) {
    // Icons keep their own transparency; drawing scales them to the list's size.
    HICON copy = m_width >= 1 ? ::CopyIcon(icon) : nullptr;
    if (copy == nullptr) {
        return -1;
    }
    m_images.push_back(copy);
    return GetImageCount() - 1;
}

int CIcoImageList::Add(const CIcoImageList& other, int index) {
    return Add(other.GetIcon(index));
}

HICON CIcoImageList::GetIcon(int index) const {
    return index >= 0 && index < GetImageCount() ? m_images[std::size_t(index)] : nullptr;
}

BOOL CIcoImageList::Draw(CDC* dc, int index, POINT at, BOOL disabled) const {
    HICON icon = GetIcon(index);
    if (dc == nullptr || icon == nullptr) {
        return FALSE;
    }
    return dc->DrawState(CPoint(at), CSize(m_width, m_height), icon,
                         disabled ? DSS_DISABLED : DSS_NORMAL);
}
