#pragma once
// The base of the editor's dialogs: a modal dialog whose background is a picture placed in one
// of thirteen styles, optionally cut to a shape by one transparent colour of the picture, and
// optionally moved by dragging its body. After each background is composed off screen,
// OnBackgroundDrawn hands that picture to the derived dialog (its transparent buttons copy
// what lies under them from it).

#include "zel/platform/platform.h"

#include <vector>

class CSkinDialog : public CDialog {
public:
    // Placement styles of the background picture (SetStyle).
    enum : BYTE {
        kTile = 0,
        kCentre = 1,
        kStretch = 2,
        kTileTop = 3,
        kTileBottom = 4,
        kTileLeft = 5,
        kTileRight = 6,
        kTopLeft = 7,
        kTopRight = 8,
        kTopCentre = 9,
        kBottomLeft = 10,
        kBottomRight = 11,
        kBottomCentre = 12,
    };
    // Status codes.
    enum : DWORD { kSkinOk = 0, kSkinNoDescription = 1, kSkinBadStyle = 2, kSkinNoRegion = 3 };
    // No transparent colour: the window keeps its rectangular shape.
    static constexpr COLORREF kNoTransparentColor = COLORREF(-1);

    CSkinDialog();
    CSkinDialog(UINT templateId, CWnd* parent);
    CSkinDialog(LPCTSTR templateName, CWnd* parent);
    ~CSkinDialog() override;

    // Loads bitmap resource `resourceId` of the program as the background.
    DWORD SetBitmap(WORD resourceId, COLORREF transparent);
    // Takes `bitmap` (owned from now on; null removes the background). With a transparent
    // colour other than kNoTransparentColor, the pixels of that colour are cut out of the
    // window's shape.
    DWORD SetBitmap(HBITMAP bitmap, COLORREF transparent);
    DWORD SetStyle(BYTE style, BOOL repaint);
    DWORD EnableEasyMove(BOOL enable);
    // Centres the picture and sizes the window so that its client area is the picture's size.
    DWORD FitToBitmap(BOOL repaint);

    BYTE GetStyle() const { return m_drawStyle; }
    HRGN GetRegion() const { return m_region; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Called with the off-screen context holding the finished background, before it is
    // released.
    virtual void OnBackgroundDrawn(CDC* offscreen);

    void Init();
    // flag 1: deletes the picture and the region (taking the region off the window) as well.
    void FreeBitmap(int flag);
    // The region of every pixel of the picture that is not (red, green, blue), over the
    // picture's width rounded down to a multiple of 4; null when the pixels cannot be read.
    HRGN BuildRegion(HBITMAP bitmap, BYTE red, BYTE green, BYTE blue);
    // The picture as 24-bit top-down rows (blue, green, red) of the width rounded down to a
    // multiple of 4; empty when it cannot be read.
    std::vector<BYTE> GetBitmapBits(HBITMAP bitmap, DWORD& width, DWORD& height);

    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnLButtonDown(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    void PlaceBackground(CDC& target, CDC& picture, const CRect& client);

    HBITMAP m_bitmap = nullptr;
    HRGN m_region = nullptr;
    DWORD m_bitmapWidth = 0;
    DWORD m_bitmapHeight = 0;
    BYTE m_drawStyle = kTile;
    BOOL m_easyMove = FALSE;
    bool m_regionOnWindow = false; // the window took the region and deletes it
};
