// The icon button's owner drawing: background, border, image placement, icon, bitmap, caption
// and focus rectangle.

#include "zel/controls/icon_button.h"

namespace {
// The slot of the image shown: "in" (0) or "out" (1).
int image_slot(BOOL pressed, BOOL hover, BOOL checkBox, bool hasOut) {
    if (pressed || (!checkBox && hover)) {
        return 0;
    }
    return hasOut ? 1 : 0;
}
} // namespace

void CIconButton::DrawItem(LPDRAWITEMSTRUCT dis) {
    CDC* dc = CDC::FromHandle(dis->hDC);
    if (dc == nullptr) {
        return;
    }
    const BOOL selected = (dis->itemState & ODS_SELECTED) != 0;
    if (m_checkBox) {
        m_pressed = selected || m_checkState != 0;
    } else {
        m_pressed = selected || m_menuShown;
    }
    m_focused = (dis->itemState & ODS_FOCUS) != 0;
    m_disabled = (dis->itemState & ODS_DISABLED) != 0;

    CRect item(dis->rcItem);
    dc->SetBkMode(TRANSPARENT);
    if (m_transparent) {
        PaintParentBackground(dc);
    } else {
        DrawBackground(dc, &item);
    }
    DrawBorder(dc, &item);

    CString caption;
    GetWindowText(caption);
    CRect captionRect = item;
    const BOOL hasCaption = !caption.IsEmpty();
    if (m_icons[0].icon != nullptr) {
        DrawIcon(dc, hasCaption, &dis->rcItem, &captionRect, m_pressed, m_disabled);
    }
    if (m_bitmaps[0].bitmap != nullptr) {
        dc->SetBkColor(RGB(255, 255, 255));
        DrawBitmap(dc, hasCaption, &dis->rcItem, &captionRect, m_pressed, m_disabled);
    }
    if (hasCaption) {
        DrawText(dc, caption, &dis->rcItem, &captionRect, m_pressed, m_disabled);
    }
    if (m_focused && (!m_flat || m_drawFlatFocus)) {
        CRect focus = item;
        focus.DeflateRect(3, 3);
        dc->DrawFocusRect(&focus);
    }
}

DWORD CIconButton::DrawBackground(CDC* dc, CRect* rect) {
    if (!m_flat && (m_focused || m_defaultButton)) {
        CBrush black(RGB(0, 0, 0));
        dc->FrameRect(rect, &black);
        rect->DeflateRect(1, 1);
    }
    COLORREF color = m_colors[kBackNormal];
    if (m_hover || m_pressed) {
        color = m_colors[kBackHover];
    } else if (m_focused) {
        color = m_colors[kBackFocus];
    }
    dc->FillSolidRect(rect, color);
    return kButtonOk;
}

DWORD CIconButton::DrawBorder(CDC* dc, CRect* rect) {
    if (m_pressed) {
        if (m_flat) {
            if (m_drawBorder) {
                dc->Draw3dRect(rect, ::GetSysColor(COLOR_BTNSHADOW),
                               ::GetSysColor(COLOR_BTNHIGHLIGHT));
            }
        } else {
            CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
            dc->FrameRect(rect, &shadow);
        }
        return kButtonOk;
    }
    if (m_flat) {
        if (m_hover && m_drawBorder) {
            dc->Draw3dRect(rect, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        }
        return kButtonOk;
    }
    const int l = rect->left, t = rect->top, r = rect->right, b = rect->bottom;
    CPen highlight(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen light(PS_SOLID, 1, ::GetSysColor(COLOR_3DLIGHT));
    CPen darkShadow(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
    CPen shadow(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    CPen* old = dc->SelectObject(&highlight);
    dc->MoveTo(l, b - 1);
    dc->LineTo(l, t);
    dc->LineTo(r, t);
    dc->SelectObject(&light);
    dc->MoveTo(l + 1, b - 1);
    dc->LineTo(l + 1, t + 1);
    dc->LineTo(r, t + 1);
    dc->SelectObject(&darkShadow);
    dc->MoveTo(l, b - 1);
    dc->LineTo(r - 1, b - 1);
    dc->LineTo(r - 1, t - 1);
    dc->SelectObject(&shadow);
    dc->MoveTo(l + 1, b - 2);
    dc->LineTo(r - 2, b - 2);
    dc->LineTo(r - 2, t);
    dc->SelectObject(old);
    return kButtonOk;
}

void CIconButton::PlaceImage(BOOL hasCaption, const RECT* itemRect, CRect* captionRect,
                             BOOL pressed, DWORD imageWidth, DWORD imageHeight, CRect* imageRect) {
    *imageRect = CRect(itemRect);
    const int w = int(imageWidth), h = int(imageHeight);
    const CRect item(itemRect);
    switch (m_alignment) {
    case kImageLeft:
        if (hasCaption) {
            imageRect->left += m_imageOrigin.x;
            captionRect->left += m_imageOrigin.x + w;
        } else {
            imageRect->left += (item.Width() - w) / 2;
        }
        imageRect->top += (item.Height() - h) / 2;
        break;
    case kImageAbove:
        imageRect->left += (item.Width() - w) / 2;
        if (hasCaption) {
            imageRect->top = m_imageOrigin.y;
            captionRect->top += h;
        } else {
            imageRect->top += (item.Height() - h) / 2;
        }
        break;
    case kImageRight:
        if (hasCaption) {
            CRect client;
            GetClientRect(&client);
            captionRect->right = captionRect->Width() - m_imageOrigin.x - w;
            captionRect->left = m_imageOrigin.x;
            imageRect->left = client.right - m_imageOrigin.x - w;
            imageRect->top += (item.Height() - h) / 2;
        } else {
            imageRect->left += (item.Width() - w) / 2;
        }
        break;
    default:
        break;
    }
    if (pressed && !m_checkBox) {
        imageRect->OffsetRect(m_pressedShift.x, m_pressedShift.y);
    }
}

void CIconButton::DrawIcon(CDC* dc, BOOL hasCaption, RECT* itemRect, CRect* captionRect,
                           BOOL pressed, BOOL disabled) {
    const IconRecord& icon =
        m_icons[image_slot(pressed, m_hover, m_checkBox, m_icons[1].icon != nullptr)];
    CRect imageRect;
    PlaceImage(hasCaption, itemRect, captionRect, pressed, icon.width, icon.height, &imageRect);
    dc->DrawState(imageRect.TopLeft(), CSize(int(icon.width), int(icon.height)), icon.icon,
                  disabled ? DSS_DISABLED : DSS_NORMAL);
}

void CIconButton::DrawBitmap(CDC* dc, BOOL hasCaption, RECT* itemRect, CRect* captionRect,
                             BOOL pressed, BOOL disabled) {
    const BitmapRecord& bitmap =
        m_bitmaps[image_slot(pressed, m_hover, m_checkBox, m_bitmaps[1].bitmap != nullptr)];
    CRect imageRect;
    PlaceImage(hasCaption, itemRect, captionRect, pressed, bitmap.width, bitmap.height, &imageRect);
    const int w = int(bitmap.width), h = int(bitmap.height);
    CDC picture, mask;
    picture.CreateCompatibleDC(dc);
    mask.CreateCompatibleDC(dc);
    CBitmap* oldPicture = picture.SelectObject(CBitmap::FromHandle(bitmap.bitmap));
    CBitmap* oldMask = mask.SelectObject(CBitmap::FromHandle(bitmap.mask));
    if (disabled && m_showDisabledBitmap) {
        // The picture on white, then embossed.
        CDC temp;
        temp.CreateCompatibleDC(dc);
        CBitmap tempBitmap;
        tempBitmap.CreateCompatibleBitmap(dc, w, h);
        CBitmap* oldTemp = temp.SelectObject(&tempBitmap);
        temp.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
        temp.SetTextColor(RGB(0, 0, 0));
        temp.SetBkColor(RGB(255, 255, 255));
        temp.BitBlt(0, 0, w, h, &mask, 0, 0, SRCAND);
        temp.BitBlt(0, 0, w, h, &picture, 0, 0, SRCPAINT);
        temp.SelectObject(oldTemp);
        dc->DrawState(imageRect.TopLeft(), CSize(w, h), &tempBitmap, DSS_DISABLED);
    } else {
        dc->BitBlt(imageRect.left, imageRect.top, w, h, &mask, 0, 0, SRCAND);
        dc->BitBlt(imageRect.left, imageRect.top, w, h, &picture, 0, 0, SRCPAINT);
    }
    picture.SelectObject(oldPicture);
    mask.SelectObject(oldMask);
}

void CIconButton::DrawText(CDC* dc, LPCTSTR text, RECT*, CRect* captionRect, BOOL pressed,
                           BOOL disabled) {
    if (pressed && !m_checkBox) {
        captionRect->OffsetRect(m_pressedShift.x, m_pressedShift.y);
    }
    const CRect copy = *captionRect;
    CRect measured = *captionRect;
    dc->DrawText(text, -1, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    measured.OffsetRect((copy.Width() - measured.Width()) / 2,
                        (copy.Height() - measured.Height()) / 2);
    *captionRect = measured;
    dc->SetBkMode(TRANSPARENT);
    if (disabled) {
        captionRect->OffsetRect(1, 1);
        dc->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc->DrawText(text, -1, captionRect, DT_WORDBREAK | DT_CENTER);
        captionRect->OffsetRect(-1, -1);
        dc->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    } else if (m_hover || pressed) {
        dc->SetTextColor(m_colors[kTextHover]);
        dc->SetBkColor(m_colors[kBackHover]);
    } else if (m_focused) {
        dc->SetTextColor(m_colors[kTextFocus]);
        dc->SetBkColor(m_colors[kBackFocus]);
    } else {
        dc->SetTextColor(m_colors[kTextNormal]);
        dc->SetBkColor(m_colors[kBackNormal]);
    }
    dc->DrawText(text, -1, captionRect, DT_WORDBREAK | DT_CENTER);
}
