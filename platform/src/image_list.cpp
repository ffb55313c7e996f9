#include "gdi_objects.h"

#include "zel/platform/imagelist.h"

using namespace zel::platform::detail;

BOOL CImageList::Create(int cx, int cy, UINT, int, int) {
    if (cx <= 0 || cy <= 0) {
        return FALSE;
    }
    DeleteImageList();
    m_cx = cx;
    m_cy = cy;
    return TRUE;
}

BOOL CImageList::DeleteImageList() {
    for (HICON i : m_images) {
        DestroyIcon(i);
    }
    m_images.clear();
    const BOOL had = m_cx > 0;
    m_cx = m_cy = 0;
    return had;
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask) {
    auto* b = bitmap != nullptr ? live<BitmapObject>(bitmap->m_hObject, GdiObject::Kind::Bitmap)
                                : nullptr;
    if (b == nullptr || m_cx <= 0) {
        return -1;
    }
    b->syncFromDib();
    const int first = GetImageCount();
    const QRgb key = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask)) & 0xFFFFFF;
    for (int x = 0; x + m_cx <= b->image.width(); x += m_cx) {
        auto* icon = new IconObject;
        icon->image = b->image.copy(x, 0, m_cx, m_cy).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < icon->image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(icon->image.scanLine(y));
            for (int i = 0; i < icon->image.width(); ++i) {
                if ((row[i] & 0xFFFFFF) == key) {
                    row[i] = 0;
                }
            }
        }
        icon->hotSpot = QPoint(m_cx / 2, m_cy / 2);
        m_images.push_back(icon);
    }
    return GetImageCount() > first ? first : -1;
}

int CImageList::Add(HICON icon) {
    HICON copy = CopyIcon(icon);
    if (copy == nullptr || m_cx <= 0) {
        DestroyIcon(copy);
        return -1;
    }
    copy->image = copy->image.scaled(m_cx, m_cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_images.push_back(copy);
    return GetImageCount() - 1;
}

BOOL CImageList::Replace(int index, HICON icon) {
    if (index < 0 || index >= GetImageCount()) {
        return FALSE;
    }
    HICON copy = CopyIcon(icon);
    if (copy == nullptr) {
        return FALSE;
    }
    copy->image = copy->image.scaled(m_cx, m_cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    DestroyIcon(m_images[std::size_t(index)]);
    m_images[std::size_t(index)] = copy;
    return TRUE;
}

BOOL CImageList::GetIconSize(int* cx, int* cy) const {
    if (cx == nullptr || cy == nullptr || m_cx <= 0) {
        return FALSE;
    }
    *cx = m_cx;
    *cy = m_cy;
    return TRUE;
}

BOOL CImageList::Draw(CDC* dc, int index, POINT pt, UINT) const {
    if (dc == nullptr || index < 0 || index >= GetImageCount()) {
        return FALSE;
    }
    return dc->DrawIconEx(pt.x, pt.y, m_images[std::size_t(index)], m_cx, m_cy, 0, nullptr,
                          DI_NORMAL);
}

HICON CImageList::ExtractIcon(int index) const {
    return index >= 0 && index < GetImageCount() ? CopyIcon(m_images[std::size_t(index)]) : nullptr;
}
