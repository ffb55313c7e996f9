// Measuring and drawing the owner-drawn menu items, in the classic and the flat look.

#include "zel/controls/ico_menu.h"

#include "ico_menu_shared.h"
#include "zel/platform/wide_text.h"

#include <algorithm>

using zel::controls::ico_menu_shared;
using zel::controls::lighten_color;
using zel::platform::narrow;

namespace {

// The desktop's menu font, selected into a context for the object's lifetime; the context
// keeps its own font when the system names none.
class MenuFontSelection {
public:
    explicit MenuFontSelection(CDC* dc, bool select = true) : m_dc(dc) {
        NONCLIENTMETRICS metrics;
        if (select &&
            ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) &&
            m_font.CreateFontIndirect(&metrics.lfMenuFont)) {
            m_old = m_dc->SelectObject(&m_font);
        }
    }
    ~MenuFontSelection() {
        if (m_old != nullptr) {
            m_dc->SelectObject(m_old);
        }
    }
    MenuFontSelection(const MenuFontSelection&) = delete;
    MenuFontSelection& operator=(const MenuFontSelection&) = delete;

private:
    CDC* m_dc;
    CFont m_font;
    CFont* m_old = nullptr;
};

bool owns_record(const IcoMenu& menu, const IcoMenuData* record) {
    for (const auto& r : menu.Items()) {
        if (r.get() == record) {
            return true;
        }
        const IcoMenu* sub = zel::controls::sub_menu_of(*r);
        if (sub != nullptr && sub != &menu && owns_record(*sub, record)) {
            return true;
        }
    }
    return false;
}

// A check mark drawn with lines into `box`.
void draw_check_mark(CDC* dc, const CRect& box, COLORREF color) {
    CPen pen(PS_SOLID, 1, color);
    CPen* old = dc->SelectObject(&pen);
    const int x = box.left + (box.Width() - 7) / 2;
    const int y = box.top + (box.Height() - 7) / 2;
    for (int k = 0; k < 3; ++k) {
        dc->MoveTo(x, y + 2 + k);
        dc->LineTo(x + 2, y + 4 + k);
        dc->LineTo(x + 7, y - 1 + k);
    }
    dc->SelectObject(old);
}

} // namespace

void IcoMenu::MeasureItem(LPMEASUREITEMSTRUCT mis) {
    if (mis == nullptr) {
        return;
    }
    const auto* record = reinterpret_cast<const IcoMenuData*>(mis->itemData);
    if (record == nullptr || !owns_record(*this, record)) {
        return;
    }
    const bool flatMode = EffectiveDrawMode() == 1;
    const int margin = flatMode && ico_menu_shared().wideMargin ? 7 : 4;
    if (record->m_menuFlags & MF_SEPARATOR) {
        mis->itemWidth = 0;
        mis->itemHeight =
            UINT(std::max(::GetSystemMetrics(SM_CYMENU) / 2, (margin + m_imageHeight) / 2));
        return;
    }
    CWnd* main = AfxGetMainWnd();
    CWindowDC windowDC(main);
    CDC* dc = &windowDC;
    // Win32s measures with the context's own font.
    const MenuFontSelection font(dc, GetOsKind() > 1);
    std::wstring label, keys;
    zel::controls::split_item_text(
        record->GetWideString() != nullptr ? record->GetWideString() : L"", label, keys);
    // The key text is measured after a gap of a few spaces, where the tab puts it.
    const CString text(narrow(keys.empty() ? label : label + L"    " + keys));
    int textWidth = 0;
    if (GetOsKind() == 0) {
        CRect calc(0, 0, 0, 0);
        dc->DrawText(text, &calc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        TEXTMETRIC tm;
        dc->GetTextMetrics(&tm);
        textWidth = calc.Width() + 3 + 3 * tm.tmAveCharWidth;
    } else {
        textWidth = dc->GetTextExtent(text).cx;
    }
    mis->itemWidth =
        UINT(flatMode ? textWidth + m_imageWidth + margin + 8 : textWidth + 2 * m_imageWidth + 1);
    mis->itemHeight = UINT(std::max(::GetSystemMetrics(SM_CYMENU), m_imageHeight + margin));
}

void IcoMenu::DrawItem(LPDRAWITEMSTRUCT dis) {
    if (dis == nullptr || CDC::FromHandle(dis->hDC) == nullptr) {
        return;
    }
    const auto* record = reinterpret_cast<const IcoMenuData*>(dis->itemData);
    if (record == nullptr || !owns_record(*this, record)) {
        return;
    }
    CDC* dc = CDC::FromHandle(dis->hDC);
    const bool palette = (dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    if (palette || EffectiveDrawMode() != 1) {
        DrawItemClassic(dis);
    } else {
        DrawItemFlat(dis);
    }
}

void IcoMenu::DrawItemClassic(LPDRAWITEMSTRUCT dis) {
    CDC* dc = CDC::FromHandle(dis->hDC);
    const auto* record = reinterpret_cast<const IcoMenuData*>(dis->itemData);
    const CRect rc(dis->rcItem);
    const int W = m_imageWidth, H = m_imageHeight;
    const COLORREF bk =
        ::GetSysColor(UsesFlatLook(GetOsKind(), IsClassicTheme()) ? COLOR_BTNFACE : COLOR_MENU);
    const bool grayed = (dis->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool checked = (dis->itemState & ODS_CHECKED) != 0;
    const bool selected =
        (dis->itemState & ODS_SELECTED) != 0 && (!grayed || ico_menu_shared().grayedSelectable);

    if (record->m_menuFlags & MF_SEPARATOR) {
        dc->FillSolidRect(&rc, bk);
        CRect edge = rc;
        edge.top += rc.Height() / 2;
        dc->DrawEdge(&edge, EDGE_ETCHED, BF_TOP);
        return;
    }
    int index = -1;
    const CIcoImageList* images = ImagesOf(*record, index);
    const bool hasImage = images != nullptr;
    if (!selected) {
        dc->FillSolidRect(&rc, bk);
    } else if (hasImage || checked) {
        dc->FillSolidRect(rc.left, rc.top, W + 5, rc.Height(), bk);
        dc->FillSolidRect(rc.left + W + 5, rc.top, rc.Width() - W - 5, rc.Height(),
                          ::GetSysColor(COLOR_HIGHLIGHT));
    } else {
        dc->FillSolidRect(&rc, ::GetSysColor(COLOR_HIGHLIGHT));
    }
    const int d = std::max(0, (rc.Height() - H - 4) / 2);
    CRect frame(rc.left + 1, rc.top + d + 1, rc.left + W + 3, rc.top + d + H + 3);
    if (checked) {
        CRect under = frame;
        under.DeflateRect(1, 1);
        dc->FillSolidRect(&under, lighten_color(bk, 0.6));
    }
    if (hasImage) {
        images->Draw(dc, index, CPoint(rc.left + 2, rc.top + d + 2), grayed);
        if (GetOsKind() > 1 && (selected || checked)) {
            if (checked) {
                dc->Draw3dRect(&frame, ::GetSysColor(COLOR_BTNSHADOW),
                               ::GetSysColor(COLOR_BTNHIGHLIGHT));
            } else {
                dc->Draw3dRect(&frame, ::GetSysColor(COLOR_BTNHIGHLIGHT),
                               ::GetSysColor(COLOR_BTNSHADOW));
            }
        }
    } else if (checked) {
        const CRect mark(rc.left + 1, rc.top + d + 2, rc.left + W + 1, rc.top + d + H + 2);
        if (m_checkMarks != nullptr && m_checkMarks->GetImageCount() > 0) {
            m_checkMarks->Draw(dc, 0, mark.TopLeft(), grayed);
        } else {
            draw_check_mark(dc, mark, ::GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
        }
        if (GetOsKind() > 1) {
            dc->Draw3dRect(&frame, ::GetSysColor(COLOR_BTNSHADOW),
                           ::GetSysColor(COLOR_BTNHIGHLIGHT));
        }
    }

    std::wstring label, keys;
    zel::controls::split_item_text(
        record->GetWideString() != nullptr ? record->GetWideString() : L"", label, keys);
    CRect text(rc.left + W + 9, rc.top - 1, rc.right, rc.bottom - 1);
    CRect keyText = text;
    if (!keys.empty()) {
        keyText.right -= W;
    }
    const MenuFontSelection font(dc);
    dc->SetBkMode(TRANSPARENT);
    auto draw = [&](COLORREF color, int shift) {
        dc->SetTextColor(color);
        CRect l = text, k = keyText;
        l.OffsetRect(shift, shift);
        k.OffsetRect(shift, shift);
        dc->DrawText(CString(narrow(label)), &l, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (!keys.empty()) {
            dc->DrawText(CString(narrow(keys)), &k, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        }
    };
    if (grayed) {
        draw(::GetSysColor(COLOR_BTNHIGHLIGHT), 1);
        draw(::GetSysColor(COLOR_GRAYTEXT), 0);
    } else {
        draw(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT), 0);
    }
}

void IcoMenu::DrawItemFlat(LPDRAWITEMSTRUCT dis) {
    CDC* target = CDC::FromHandle(dis->hDC);
    const auto* record = reinterpret_cast<const IcoMenuData*>(dis->itemData);
    const bool grayed = (dis->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool checked = (dis->itemState & ODS_CHECKED) != 0;
    const bool selected =
        (dis->itemState & ODS_SELECTED) != 0 && (!grayed || ico_menu_shared().grayedSelectable);
    const CRect item(dis->rcItem);

    // Grayed items are composed off screen and copied in one transfer, unless asked to draw
    // straight; a printer context is always drawn on directly.
    const bool offscreen =
        grayed && !ico_menu_shared().directGrayedDrawing && !target->IsPrinting();
    CDC memory;
    CBitmap canvas;
    CBitmap* oldCanvas = nullptr;
    CDC* dc = target;
    CRect rc = item;
    if (offscreen && memory.CreateCompatibleDC(target) &&
        canvas.CreateCompatibleBitmap(target, item.Width(), item.Height())) {
        oldCanvas = memory.SelectObject(&canvas);
        dc = &memory;
        rc.OffsetRect(-item.left, -item.top);
    }
    const MenuFontSelection font(dc);

    const int W = m_imageWidth, H = m_imageHeight;
    const int margin = ico_menu_shared().wideMargin ? 7 : 4;
    const int column = W + margin + 2;
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF strip = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF selection = lighten_color(
        ::GetSysColor(COLOR_HIGHLIGHT), UsesFlatLook(GetOsKind(), IsClassicTheme()) ? 0.7 : 0.85);

    dc->FillSolidRect(rc.left, rc.top, column, rc.Height(), strip);
    dc->FillSolidRect(rc.left + column, rc.top, rc.Width() - column, rc.Height(), window);
    if (record->m_menuFlags & MF_SEPARATOR) {
        dc->FillSolidRect(rc.left + column + 4, rc.top + rc.Height() / 2, rc.Width() - column - 4,
                          1, ::GetSysColor(COLOR_BTNSHADOW));
    } else {
        if (selected) {
            CRect sel = rc;
            sel.DeflateRect(1, 0);
            dc->FillSolidRect(&sel, selection);
            dc->Draw3dRect(&sel, ::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_HIGHLIGHT));
        }
        const int top = rc.top + std::max(0, (rc.Height() - H) / 2);
        const CRect box(rc.left + margin / 2, top - 1, rc.left + margin / 2 + W + 2, top + H + 1);
        int index = -1;
        const CIcoImageList* images = ImagesOf(*record, index);
        if (checked) {
            dc->FillSolidRect(&box, lighten_color(::GetSysColor(COLOR_HIGHLIGHT), 0.85));
            dc->Draw3dRect(&box, ::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_HIGHLIGHT));
        }
        if (images != nullptr) {
            images->Draw(dc, index, CPoint(box.left + 1, top), grayed);
        } else if (checked) {
            draw_check_mark(dc, box, ::GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
        }
        std::wstring label, keys;
        zel::controls::split_item_text(
            record->GetWideString() != nullptr ? record->GetWideString() : L"", label, keys);
        CRect text(rc.left + column + 6, rc.top, rc.right - 6, rc.bottom);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(::GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
        dc->DrawText(CString(narrow(label)), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        if (!keys.empty()) {
            CRect keyText = text;
            keyText.right -= W;
            dc->DrawText(CString(narrow(keys)), &keyText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        }
    }
    if (dc == &memory) {
        target->BitBlt(item.left, item.top, item.Width(), item.Height(), &memory, 0, 0, SRCCOPY);
        memory.SelectObject(oldCanvas);
    }
}
