// The icon button's pictures: loading, masks, and the grey and darker copies made once when
// the pictures are set.

#include "zel/controls/icon_button.h"

#include "bitmap_rows.h"

#include <vector>

using zel::controls::read_bitmap_rows;

namespace {

bool is_marker(const void* handle, int marker) {
    return reinterpret_cast<INT_PTR>(handle) == marker;
}

// A new screen-compatible bitmap of `width` x `height` holding `bitmap` with every pixel passed
// through `map`; null when the pixels cannot be read.
template <class Map> HBITMAP map_pixels(HBITMAP bitmap, DWORD width, DWORD height, Map map) {
    const int w = int(width), h = int(height);
    if (w <= 0 || h <= 0) {
        return nullptr;
    }
    std::vector<BYTE> pixels = read_bitmap_rows(bitmap, w, h, 32, true);
    if (pixels.empty()) {
        return nullptr;
    }
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        const COLORREF c = map(RGB(pixels[i + 2], pixels[i + 1], pixels[i]));
        pixels[i] = GetBValue(c);
        pixels[i + 1] = GetGValue(c);
        pixels[i + 2] = GetRValue(c);
    }
    HDC screen = ::GetWindowDC(nullptr);
    HBITMAP result = ::CreateCompatibleBitmap(screen, w, h);
    BITMAPINFO info{};
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biBitCount = 32;
    if (result != nullptr) {
        ::SetDIBits(screen, result, 0, UINT(h), pixels.data(), &info, DIB_RGB_COLORS);
    }
    ::ReleaseDC(nullptr, screen);
    return result;
}

COLORREF grey_of(COLORREF c) {
    const int g = int(0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c));
    return RGB(g, g, g);
}

// The size an icon is counted with: twice its hot spot.
bool icon_size(HICON icon, DWORD& width, DWORD& height) {
    ICONINFO info;
    if (!::GetIconInfo(icon, &info)) {
        return false;
    }
    width = 2 * info.xHotspot;
    height = 2 * info.yHotspot;
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return true;
}

template <class Map> HICON map_icon(HICON icon, Map map) {
    ICONINFO info;
    if (!::GetIconInfo(icon, &info)) {
        return nullptr;
    }
    HICON result = nullptr;
    BITMAP bm;
    if (::GetObject(info.hbmColor, sizeof bm, &bm) != 0) {
        HBITMAP color = map_pixels(info.hbmColor, 2 * info.xHotspot, 2 * info.yHotspot,
                                   [&map](COLORREF c) { return c == RGB(0, 0, 0) ? c : map(c); });
        if (color != nullptr) {
            ICONINFO made;
            made.fIcon = TRUE;
            made.hbmMask = info.hbmMask;
            made.hbmColor = color;
            result = ::CreateIconIndirect(&made);
            ::DeleteObject(color);
        }
    }
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return result;
}

} // namespace

void CIconButton::ReleaseImages(BOOL destroy) {
    if (destroy) {
        for (IconRecord& r : m_icons) {
            if (r.icon != nullptr) {
                ::DestroyIcon(r.icon);
            }
        }
        for (BitmapRecord& r : m_bitmaps) {
            if (r.bitmap != nullptr) {
                ::DeleteObject(r.bitmap);
            }
            if (r.mask != nullptr) {
                ::DeleteObject(r.mask);
            }
        }
    }
    for (IconRecord& r : m_icons) {
        r = IconRecord{};
    }
    for (BitmapRecord& r : m_bitmaps) {
        r = BitmapRecord{};
    }
}

HBITMAP CIconButton::MakeMask(HBITMAP bitmap, DWORD width, DWORD height, COLORREF transparent) {
    const int w = int(width), h = int(height);
    HBITMAP mask = ::CreateBitmap(w, h, 1, 1, nullptr);
    if (mask == nullptr) {
        return nullptr;
    }
    CDC picture, maskDC;
    picture.CreateCompatibleDC(nullptr);
    maskDC.CreateCompatibleDC(nullptr);
    CBitmap* oldPicture = picture.SelectObject(CBitmap::FromHandle(bitmap));
    CBitmap* oldMask = maskDC.SelectObject(CBitmap::FromHandle(mask));
    // Transparent pixels become 1 in the mask, the others 0 ...
    picture.SetBkColor(transparent);
    maskDC.BitBlt(0, 0, w, h, &picture, 0, 0, SRCCOPY);
    // ... and black in the picture, so that OR-ing it leaves the background alone.
    picture.SetTextColor(RGB(255, 255, 255));
    picture.SetBkColor(RGB(0, 0, 0));
    picture.BitBlt(0, 0, w, h, &maskDC, 0, 0, SRCAND);
    picture.SelectObject(oldPicture);
    maskDC.SelectObject(oldMask);
    return mask;
}

HBITMAP CIconButton::MakeGreyBitmap(HBITMAP bitmap, DWORD width, DWORD height,
                                    COLORREF transparent) {
    return map_pixels(bitmap, width, height,
                      [transparent](COLORREF c) { return c == transparent ? c : grey_of(c); });
}

HBITMAP CIconButton::MakeDarkerBitmap(HBITMAP bitmap, DWORD width, DWORD height,
                                      COLORREF transparent) {
    return map_pixels(bitmap, width, height, [transparent](COLORREF c) {
        return c == transparent ? c : DarkenColor(c, 0.25);
    });
}

HICON CIconButton::MakeGreyIcon(HICON icon) {
    return map_icon(icon, grey_of);
}

HICON CIconButton::MakeDarkerIcon(HICON icon) {
    return map_icon(icon, [](COLORREF c) { return DarkenColor(c, 0.25); });
}

DWORD CIconButton::SetStateBitmaps(int idIn, COLORREF transparentIn, int idOut,
                                   COLORREF transparentOut) {
    auto load = [](int id) {
        return static_cast<HBITMAP>(::LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(UINT(id)),
                                                IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    };
    HBITMAP in = load(idIn);
    HBITMAP out = nullptr;
    if (idOut == kGreyOut || idOut == kDarkerOut) {
        out = reinterpret_cast<HBITMAP>(INT_PTR(idOut));
    } else if (idOut != 0) {
        out = load(idOut);
    }
    return SetStateBitmaps(in, transparentIn, out, transparentOut);
}

DWORD CIconButton::SetStateBitmaps(HBITMAP in, COLORREF transparentIn, HBITMAP out,
                                   COLORREF transparentOut) {
    ReleaseImages(TRUE);
    if (in != nullptr) {
        BitmapRecord& inRecord = m_bitmaps[0];
        inRecord.bitmap = in;
        inRecord.transparent = transparentIn;
        BITMAP bm;
        if (::GetObject(in, sizeof bm, &bm) == 0) {
            if (out != nullptr && !is_marker(out, kGreyOut) && !is_marker(out, kDarkerOut)) {
                ::DeleteObject(out);
            }
            ReleaseImages(TRUE);
            return kButtonNoResource;
        }
        inRecord.width = DWORD(bm.bmWidth);
        inRecord.height = DWORD(bm.bmHeight);
        if (is_marker(out, kDarkerOut)) {
            out = MakeDarkerBitmap(in, inRecord.width, inRecord.height, transparentIn);
            transparentOut = transparentIn;
        } else if (is_marker(out, kGreyOut)) {
            out = MakeGreyBitmap(in, inRecord.width, inRecord.height, transparentIn);
            transparentOut = transparentIn;
        }
        inRecord.mask = MakeMask(in, inRecord.width, inRecord.height, transparentIn);
        if (inRecord.mask == nullptr) {
            if (out != nullptr) {
                ::DeleteObject(out);
            }
            ReleaseImages(TRUE);
            return kButtonNoMask;
        }
        if (out != nullptr) {
            BitmapRecord& outRecord = m_bitmaps[1];
            outRecord.bitmap = out;
            outRecord.transparent = transparentOut;
            if (::GetObject(out, sizeof bm, &bm) == 0) {
                ReleaseImages(TRUE);
                return kButtonNoResource;
            }
            outRecord.width = DWORD(bm.bmWidth);
            outRecord.height = DWORD(bm.bmHeight);
            outRecord.mask = MakeMask(out, outRecord.width, outRecord.height, transparentOut);
            if (outRecord.mask == nullptr) {
                ReleaseImages(TRUE);
                return kButtonNoMask;
            }
        }
    } else if (out != nullptr && !is_marker(out, kGreyOut) && !is_marker(out, kDarkerOut)) {
        // Without an "in" picture the "out" one is never shown; it is ours to delete.
        ::DeleteObject(out);
    }
    Repaint(TRUE);
    return kButtonOk;
}

DWORD CIconButton::SetIconsWithSize(int idIn, int widthIn, int heightIn, int idOut, int widthOut,
                                    int heightOut) {
    auto load = [](int id, int w, int h) {
        return static_cast<HICON>(::LoadImage(AfxGetInstanceHandle(), MAKEINTRESOURCE(UINT(id)),
                                              IMAGE_ICON, w, h, LR_DEFAULTCOLOR));
    };
    HICON in = load(idIn, widthIn, heightIn);
    HICON out = nullptr;
    if (idOut == kGreyOut || idOut == kDarkerOut) {
        out = reinterpret_cast<HICON>(INT_PTR(idOut));
    } else if (idOut != 0) {
        out = load(idOut, widthOut, heightOut);
    }
    return SetIcons(in, out);
}

DWORD CIconButton::SetIcons(int idIn, int idOut) {
    return SetIconsWithSize(idIn, 0, 0, idOut, 0, 0);
}

DWORD CIconButton::SetIcons(HICON in, HICON out) {
    ReleaseImages(TRUE);
    if (in != nullptr) {
        m_icons[0].icon = in;
        if (!icon_size(in, m_icons[0].width, m_icons[0].height)) {
            if (out != nullptr && !is_marker(out, kGreyOut) && !is_marker(out, kDarkerOut)) {
                ::DestroyIcon(out);
            }
            ReleaseImages(TRUE);
            return kButtonNoResource;
        }
        if (out != nullptr) {
            if (is_marker(out, kDarkerOut)) {
                out = MakeDarkerIcon(in);
            } else if (is_marker(out, kGreyOut)) {
                out = MakeGreyIcon(in);
            }
            m_icons[1].icon = out;
            if (out == nullptr || !icon_size(out, m_icons[1].width, m_icons[1].height)) {
                ReleaseImages(TRUE);
                return kButtonNoResource;
            }
        }
    } else if (out != nullptr && !is_marker(out, kGreyOut) && !is_marker(out, kDarkerOut)) {
        ::DestroyIcon(out);
    }
    Repaint(TRUE);
    return kButtonOk;
}
