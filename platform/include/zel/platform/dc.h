#pragma once
// Device contexts: drawing on a window's retained surface, on a memory bitmap or on a printer
// page, with the selection model of drawing objects (pen, brush, font, bitmap, palette), the
// drawing modes (text and background colour, background mode, stretch mode) and the raster
// copies (plain, AND, OR, XOR, inverted, stretched).
//
// A memory context starts with a 1 x 1 monochrome bitmap selected, so a bitmap made
// "compatible" with a fresh memory context is monochrome, as window code of this kind expects.

#include "zel/platform/gdi.h"

class CWnd;

// Raster operations (three-operand codes as stored).
constexpr DWORD SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6,
                SRCINVERT = 0x00660046, SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008,
                NOTSRCERASE = 0x001100A6, MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021,
                PATINVERT = 0x005A0049, DSTINVERT = 0x00550009, BLACKNESS = 0x00000042,
                WHITENESS = 0x00FF0062;
constexpr int TRANSPARENT = 1, OPAQUE = 2;
constexpr int BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4,
              STRETCH_DELETESCANS = COLORONCOLOR;
// Text drawing flags.
constexpr UINT DT_TOP = 0, DT_LEFT = 0, DT_CENTER = 1, DT_RIGHT = 2, DT_VCENTER = 4, DT_BOTTOM = 8,
               DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100,
               DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_END_ELLIPSIS = 0x8000;
// Device capabilities.
constexpr int HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, PLANES = 14,
              NUMCOLORS = 24, RASTERCAPS = 38, LOGPIXELSX = 88, LOGPIXELSY = 90, SIZEPALETTE = 104,
              PHYSICALWIDTH = 110, PHYSICALHEIGHT = 111, PHYSICALOFFSETX = 112,
              PHYSICALOFFSETY = 113;
constexpr int RC_BITBLT = 1, RC_PALETTE = 0x100, RC_STRETCHBLT = 0x800;
// Edges and drawing states.
constexpr UINT BDR_RAISEDOUTER = 1, BDR_SUNKENOUTER = 2, BDR_RAISEDINNER = 4, BDR_SUNKENINNER = 8,
               EDGE_RAISED = 5, EDGE_SUNKEN = 10, EDGE_ETCHED = 6, EDGE_BUMP = 9;
constexpr UINT BF_LEFT = 1, BF_TOP = 2, BF_RIGHT = 4, BF_BOTTOM = 8, BF_RECT = 15;
constexpr UINT DST_TEXT = 1, DST_ICON = 3, DST_BITMAP = 4, DSS_NORMAL = 0, DSS_DISABLED = 0x20;
constexpr UINT DI_NORMAL = 3;
constexpr int GDI_ERROR = -1;

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    static CDC* FromHandle(HDC dc);
    BOOL Attach(HDC dc);
    HDC Detach();

    // A memory context like `reference` (the screen when null), with a 1 x 1 monochrome bitmap.
    BOOL CreateCompatibleDC(CDC* reference);
    BOOL DeleteDC();
    BOOL IsPrinting() const;

    // Selection. Each returns the object that was selected before (a wrapper owned by the
    // layer), or null on failure.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    HGDIOBJ SelectObject(HGDIOBJ object);
    CPalette* SelectPalette(CPalette* palette, BOOL forceBackground);
    UINT RealizePalette();

    // Modes and colours.
    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int SetStretchBltMode(int mode);
    CPoint SetViewportOrg(int x, int y);
    CPoint GetViewportOrg() const;
    CPoint OffsetViewportOrg(int dx, int dy);
    int GetDeviceCaps(int index) const;

    // Raster copies. `source` may be this context; stretching obeys the stretch mode.
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    int StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                      int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                      DWORD rop);
    int SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int xSrc, int ySrc,
                          UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                          UINT usage);

    // Filling and framing.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int width, int height, COLORREF color);
    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(LPCRECT rect);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect) {
        return Rectangle(rect->left, rect->top, rect->right, rect->bottom);
    }
    BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
    BOOL Ellipse(int left, int top, int right, int bottom);

    // Lines (the last point is not drawn).
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    COLORREF GetPixel(int x, int y) const;

    // Text.
    int DrawText(const CString& text, LPRECT rect, UINT format);
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    BOOL TextOut(int x, int y, const CString& text);
    CSize GetTextExtent(const CString& text) const;
    CSize GetTextExtent(LPCTSTR text, int count) const;
    BOOL GetTextMetrics(struct TEXTMETRIC* tm) const;

    // Icons and state drawing.
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIconEx(int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flicker,
                    UINT flags);
    BOOL DrawState(CPoint pt, CSize size, HICON icon, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HBITMAP bitmap, UINT flags, HBRUSH brush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, CBitmap* bitmap, UINT flags, HBRUSH brush = nullptr) {
        return DrawState(pt, size, static_cast<HBITMAP>(*bitmap), flags, brush);
    }
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
};

// The context of a window's paint handler: begins with the erase of an invalid area that asks
// for it, clips to the invalid area and validates it.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    RECT m_rcPaint{};
    BOOL m_fErase = FALSE;

private:
    CWnd* m_wnd;
};

// A context on a window's client surface, usable at any time (outside paint too).
// A context on the client area of `wnd`; on the screen when `wnd` is null.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
};

// A context on a whole window; on the screen when `wnd` is null.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
};

// Free forms on handles.
HDC GetDC(HWND wnd);
HDC GetWindowDC(HWND wnd);
int ReleaseDC(HWND wnd, HDC dc);
