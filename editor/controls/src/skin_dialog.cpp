// The skinned dialog: background picture placement, the shape cut from a transparent colour
// and easy move.

#include "zel/controls/skin_dialog.h"

#include "bitmap_rows.h"

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog() {
    Init();
}

CSkinDialog::CSkinDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {
    Init();
}

CSkinDialog::CSkinDialog(LPCTSTR templateName, CWnd* parent) : CDialog(templateName, parent) {
    Init();
}

CSkinDialog::~CSkinDialog() {
    FreeBitmap(1);
}

void CSkinDialog::Init() {
    FreeBitmap(0);
    m_drawStyle = kTile;
    m_easyMove = FALSE;
}

void CSkinDialog::FreeBitmap(int flag) {
    if (flag == 1) {
        if (m_bitmap != nullptr) {
            ::DeleteObject(m_bitmap);
        }
        if (m_region != nullptr) {
            // A region the window took is the window's to delete (it does so when the region
            // is replaced, or when the window goes); deleting it here as well could delete
            // an object that has since taken its place.
            if (m_regionOnWindow) {
                if (GetSafeHwnd() != nullptr) {
                    SetWindowRgn(nullptr, FALSE);
                }
            } else {
                ::DeleteObject(m_region);
            }
        }
    }
    m_bitmap = nullptr;
    m_region = nullptr;
    m_regionOnWindow = false;
    m_bitmapWidth = 0;
    m_bitmapHeight = 0;
}

DWORD CSkinDialog::SetBitmap(WORD resourceId, COLORREF transparent) {
    auto* bitmap = static_cast<HBITMAP>(LoadImage(
        AfxGetInstanceHandle(), MAKEINTRESOURCE(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    return SetBitmap(bitmap, transparent);
}

DWORD CSkinDialog::SetBitmap(HBITMAP bitmap, COLORREF transparent) {
    if (bitmap != nullptr && bitmap == m_bitmap) {
        m_bitmap = nullptr; // given again: kept, not deleted with the old background
    }
    FreeBitmap(1);
    if (bitmap != nullptr) {
        m_bitmap = bitmap;
        BITMAP bm;
        if (::GetObject(bitmap, sizeof bm, &bm) == 0) {
            FreeBitmap(1);
            return kSkinNoDescription;
        }
        m_bitmapWidth = DWORD(bm.bmWidth);
        m_bitmapHeight = DWORD(bm.bmHeight);
        if (transparent != kNoTransparentColor) {
            HRGN region = BuildRegion(m_bitmap, GetRValue(transparent), GetGValue(transparent),
                                      GetBValue(transparent));
            if (region == nullptr) {
                FreeBitmap(1);
                return kSkinNoRegion;
            }
            m_region = region;
            m_regionOnWindow = GetSafeHwnd() != nullptr && SetWindowRgn(region, FALSE) != 0;
        }
    }
    if (GetSafeHwnd() != nullptr) {
        Invalidate(TRUE);
    }
    return kSkinOk;
}

DWORD CSkinDialog::SetStyle(BYTE style, BOOL repaint) {
    if (style > kBottomCentre) {
        return kSkinBadStyle;
    }
    m_drawStyle = style;
    if (repaint && GetSafeHwnd() != nullptr) {
        Invalidate(TRUE);
    }
    return kSkinOk;
}

DWORD CSkinDialog::EnableEasyMove(BOOL enable) {
    m_easyMove = enable;
    return kSkinOk;
}

DWORD CSkinDialog::FitToBitmap(BOOL repaint) {
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    m_drawStyle = kCentre;
    MoveWindow(window.left, window.top, window.Width() + int(m_bitmapWidth) - client.Width(),
               window.Height() + int(m_bitmapHeight) - client.Height(), repaint);
    return kSkinOk;
}

void CSkinDialog::OnBackgroundDrawn(CDC*) {}

void CSkinDialog::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
}

std::vector<BYTE> CSkinDialog::GetBitmapBits(HBITMAP bitmap, DWORD& width, DWORD& height) {
    width = height = 0;
    BITMAP bm;
    if (::GetObject(bitmap, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
        return {};
    }
    // Whole 4-byte words per 24-bit row.
    const DWORD w = DWORD(bm.bmWidth) & ~3u;
    const DWORD h = DWORD(bm.bmHeight);
    std::vector<BYTE> bits = zel::controls::read_bitmap_rows(bitmap, int(w), int(h), 24, true);
    if (bits.empty()) {
        return {};
    }
    width = w;
    height = h;
    return bits;
}

HRGN CSkinDialog::BuildRegion(HBITMAP bitmap, BYTE red, BYTE green, BYTE blue) {
    DWORD width = 0, height = 0;
    const std::vector<BYTE> bits = GetBitmapBits(bitmap, width, height);
    if (bits.empty()) {
        return nullptr;
    }
    HRGN region = ::CreateRectRgn(0, 0, int(width), int(height));
    if (region == nullptr) {
        return nullptr;
    }
    const BYTE* p = bits.data();
    for (DWORD y = 0; y < height; ++y) {
        for (DWORD x = 0; x < width; ++x, p += 3) {
            if (p[0] == blue && p[1] == green && p[2] == red) {
                HRGN dot = ::CreateRectRgn(int(x), int(y), int(x) + 1, int(y) + 1);
                ::CombineRgn(region, region, dot, RGN_XOR);
                ::DeleteObject(dot);
            }
        }
    }
    return region;
}

void CSkinDialog::PlaceBackground(CDC& target, CDC& picture, const CRect& client) {
    const int W = client.Width(), H = client.Height();
    const int w = int(m_bitmapWidth), h = int(m_bitmapHeight);
    // A picture without extent would never advance the tiling.
    if (w <= 0 || h <= 0) {
        return;
    }
    auto copy = [&](int x, int y) { target.BitBlt(x, y, w, h, &picture, 0, 0, SRCCOPY); };
    switch (m_drawStyle) {
    case kTile:
        for (int y = 0; y < H; y += h) {
            for (int x = 0; x < W; x += w) {
                copy(x, y);
            }
        }
        break;
    case kCentre:
        copy((W - w) / 2, (H - h) / 2);
        break;
    case kStretch:
        target.StretchBlt(0, 0, W, H, &picture, 0, 0, w, h, SRCCOPY);
        break;
    case kTileTop:
        for (int x = 0; x < W; x += w) {
            copy(x, 0);
        }
        break;
    case kTileBottom:
        for (int x = 0; x < W; x += w) {
            copy(x, H - h);
        }
        break;
    case kTileLeft:
        for (int y = 0; y < H; y += h) {
            copy(0, y);
        }
        break;
    case kTileRight:
        for (int y = 0; y < H; y += h) {
            copy(W - w, y);
        }
        break;
    case kTopLeft:
        copy(0, 0);
        break;
    case kTopRight:
        copy(W - w, 0);
        break;
    case kTopCentre:
        copy((W - w) / 2, 0);
        break;
    case kBottomLeft:
        copy(0, H - h);
        break;
    case kBottomRight:
        copy(W - w, H - h);
        break;
    case kBottomCentre:
        copy((W - w) / 2, H - h);
        break;
    default:
        break;
    }
}

BOOL CSkinDialog::OnEraseBkgnd(CDC* dc) {
    const BOOL result = BOOL(Default());
    if (m_bitmap == nullptr || dc == nullptr) {
        return result;
    }
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty()) {
        return result;
    }
    CDC offscreen;
    offscreen.CreateCompatibleDC(dc);
    CBitmap canvas;
    canvas.CreateCompatibleBitmap(dc, client.Width(), client.Height());
    CBitmap* oldCanvas = offscreen.SelectObject(&canvas);
    offscreen.FillSolidRect(&client, dc->GetBkColor());

    CDC picture;
    picture.CreateCompatibleDC(dc);
    CBitmap* oldPicture = picture.SelectObject(CBitmap::FromHandle(m_bitmap));
    PlaceBackground(offscreen, picture, client);

    dc->BitBlt(0, 0, client.Width(), client.Height(), &offscreen, 0, 0, SRCCOPY);
    OnBackgroundDrawn(&offscreen);

    picture.SelectObject(oldPicture);
    offscreen.SelectObject(oldCanvas);
    return result;
}

void CSkinDialog::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    if (m_bitmap != nullptr) {
        Invalidate(TRUE);
    }
}

void CSkinDialog::OnLButtonDown(UINT flags, CPoint point) {
    if (m_easyMove) {
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(WORD(point.x), WORD(point.y)));
    }
    CDialog::OnLButtonDown(flags, point);
}
