#pragma once
// The editor's owner-drawn push button. It subclasses a template button and draws background,
// border, an icon or a bitmap per state, the caption and the focus rectangle; tracks the mouse
// for a hover look; shows a tooltip; can copy its parent's background under itself to look
// transparent; and on a click toggles (check-box mode), drops down an owner-drawn menu or opens
// a document or address.

#include "zel/controls/ico_menu.h"
#include "zel/platform/platform.h"

class CIconButton : public CButton {
public:
    // Status codes.
    enum : DWORD {
        kButtonOk = 0,
        kButtonNoResource = 1,
        kButtonNoMask = 2,
        kButtonBadColorIndex = 3,
        kButtonBadAlignment = 4,
        kButtonBadOffset = 5,
        kButtonBadPressedStyle = 6,
    };
    // Colour slots.
    enum : BYTE {
        kBackHover = 0,
        kTextHover = 1,
        kBackNormal = 2,
        kTextNormal = 3,
        kBackFocus = 4,
        kTextFocus = 5,
    };
    // Image alignment.
    enum : BYTE { kImageLeft = 0, kImageAbove = 1, kImageRight = 2, kImageAsIs = 3 };
    // The "out" image as a grey or a darker copy of the "in" image.
    static constexpr int kGreyOut = -2;
    static constexpr int kDarkerOut = -3;
    static HBITMAP GreyOutBitmap() { return reinterpret_cast<HBITMAP>(INT_PTR(kGreyOut)); }
    static HBITMAP DarkerOutBitmap() { return reinterpret_cast<HBITMAP>(INT_PTR(kDarkerOut)); }
    static HICON GreyOutIcon() { return reinterpret_cast<HICON>(INT_PTR(kGreyOut)); }
    static HICON DarkerOutIcon() { return reinterpret_cast<HICON>(INT_PTR(kDarkerOut)); }
    static constexpr int kUrlSize = 260;
    static constexpr int kSoundNameSize = 260;

    CIconButton();
    ~CIconButton() override;

    // ---- images ("in": pressed or hovered, "out": normal) ----
    DWORD SetStateBitmaps(int idIn, COLORREF transparentIn, int idOut, COLORREF transparentOut);
    DWORD SetStateBitmaps(HBITMAP in, COLORREF transparentIn, HBITMAP out, COLORREF transparentOut);
    DWORD SetIconsWithSize(int idIn, int widthIn, int heightIn, int idOut, int widthOut,
                           int heightOut);
    DWORD SetIcons(int idIn, int idOut);
    DWORD SetIcons(HICON in, HICON out);

    // ---- look ----
    DWORD ShiftColor(BYTE index, SHORT offset, BOOL repaint);
    DWORD SetFlatLook(BOOL flat, BOOL repaint);
    DWORD SetImageAlignment(BYTE alignment, BOOL repaint);
    DWORD SetPressedShift(BYTE style, BOOL repaint);
    DWORD ResetColors(BOOL repaint);
    DWORD SetStateColor(BYTE index, COLORREF color, BOOL repaint);
    DWORD GetStateColor(BYTE index, COLORREF* color) const;
    DWORD SetBorderDrawn(BOOL drawn, BOOL repaint);
    DWORD SetFlatFocusDrawn(BOOL drawn, BOOL repaint);
    DWORD SetButtonCursor(int cursorId, BOOL repaint);
    DWORD FitToImage();

    // ---- transparency ----
    void SetTransparent(BOOL repaint);
    // Copies what the button covers in its parent from `dc` (the parent's background picture).
    DWORD CaptureBackground(CDC* dc);

    // ---- behaviour ----
    DWORD SetCheckState(int state, BOOL repaint);
    int GetCheckState() const { return m_checkState; }
    DWORD SetTrackWhenInactive(BOOL track);
    BOOL IsDefaultButton() const { return m_defaultButton; }
    DWORD SetLinkTarget(LPCTSTR url);
    DWORD SetDropDownMenu(UINT menuId, CWnd* owner, UINT menuDrawMode, UINT toolbarId,
                          int iconWidth, int iconHeight, COLORREF toolbarBackground, BOOL repaint);
    DWORD SetMenuNotify(CWnd* wnd, UINT message, LPARAM lParam);
    // `sound` is a file name, or with a module a resource of it (MAKEINTRESOURCE); null clears.
    DWORD SetButtonSound(LPCTSTR sound, HMODULE module, BOOL onClick, BOOL asynchronous);

    // ---- tooltip ----
    void SetTooltip(LPCTSTR text, BOOL activate);
    void SetTooltipFromResource(UINT stringId, BOOL activate);
    void ActivateTooltip(BOOL activate);
    DWORD UseBalloonTooltip();
    CToolTipCtrl& Tooltip() { return m_tooltip; }

    // ---- state, as the last paint and the mouse left it ----
    BOOL IsHovered() const { return m_hover; }
    BOOL IsTransparent() const { return m_transparent; }
    BOOL IsCheckBox() const { return m_checkBox; }
    BOOL IsFlat() const { return m_flat; }

    // Each channel c becomes c - factor * c; factors outside 0 < factor <= 1 change nothing.
    static COLORREF DarkenColor(COLORREF color, double factor);

    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    void PreSubclassWindow() override;

    // Drawing steps of DrawItem, each on the paint context.
    virtual DWORD DrawBackground(CDC* dc, CRect* rect);
    virtual DWORD DrawBorder(CDC* dc, CRect* rect);
    virtual void DrawIcon(CDC* dc, BOOL hasCaption, RECT* itemRect, CRect* captionRect,
                          BOOL pressed, BOOL disabled);
    virtual void DrawBitmap(CDC* dc, BOOL hasCaption, RECT* itemRect, CRect* captionRect,
                            BOOL pressed, BOOL disabled);
    virtual void DrawText(CDC* dc, LPCTSTR text, RECT* itemRect, CRect* captionRect, BOOL pressed,
                          BOOL disabled);

    void PlaceImage(BOOL hasCaption, const RECT* itemRect, CRect* captionRect, BOOL pressed,
                    DWORD imageWidth, DWORD imageHeight, CRect* imageRect);
    void PaintParentBackground(CDC* dc);
    void CreateTooltip();
    void EndHover();
    void ReleaseImages(BOOL destroy);
    void DropBackground();

    static HBITMAP MakeMask(HBITMAP bitmap, DWORD width, DWORD height, COLORREF transparent);
    static HBITMAP MakeGreyBitmap(HBITMAP bitmap, DWORD width, DWORD height, COLORREF transparent);
    static HBITMAP MakeDarkerBitmap(HBITMAP bitmap, DWORD width, DWORD height,
                                    COLORREF transparent);
    static HICON MakeGreyIcon(HICON icon);
    static HICON MakeDarkerIcon(HICON icon);

    // Message handlers.
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnKillFocus(CWnd* newWnd);
    void OnMouseMove(UINT flags, CPoint point);
    void OnSysColorChange();
    BOOL OnClicked();
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnEnable(BOOL enable);
    void OnCancelMode();
    UINT OnGetDlgCode();
    HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

protected:
    struct IconRecord {
        HICON icon = nullptr;
        DWORD width = 0;
        DWORD height = 0;
    };
    struct BitmapRecord {
        HBITMAP bitmap = nullptr;
        DWORD width = 0;
        DWORD height = 0;
        HBITMAP mask = nullptr;
        COLORREF transparent = 0;
    };
    struct MenuNotify {
        HWND wnd = nullptr;
        UINT message = 0;
        LPARAM lParam = 0;
    };
    struct SoundRecord {
        char name[kSoundNameSize] = {};
        LPCTSTR sound = nullptr;
        HMODULE module = nullptr;
        DWORD flags = 0;
    };
    void Repaint(BOOL repaint);

    BOOL m_showDisabledBitmap = TRUE;
    CPoint m_imageOrigin{3, 3};
    CPoint m_pressedShift{1, 1};
    BOOL m_flat = TRUE;
    BOOL m_hover = FALSE;
    BOOL m_transparent = FALSE;
    BOOL m_pressed = FALSE;
    BOOL m_focused = FALSE;
    BOOL m_disabled = FALSE;
    BOOL m_defaultButton = FALSE;
    BOOL m_checkBox = FALSE;
    BYTE m_alignment = kImageLeft;
    BOOL m_drawBorder = TRUE;
    BOOL m_drawFlatFocus = FALSE;
    COLORREF m_colors[6] = {};
    HWND m_menuOwner = nullptr;
    BOOL m_menuShown = FALSE;
    IcoMenu m_menu;
    HCURSOR m_cursor = nullptr;
    CToolTipCtrl m_tooltip;
    CDC m_backgroundDC;
    CBitmap m_backgroundBitmap;
    CBitmap* m_previousBitmap = nullptr;
    BOOL m_trackWhenInactive = TRUE;
    int m_checkState = 0;
    UINT m_buttonType = 0x1F;
    DWORD m_tooltipStyle = 0;
    char m_url[kUrlSize] = {};
    IconRecord m_icons[2];
    BitmapRecord m_bitmaps[2];
    MenuNotify m_menuNotify;
    SoundRecord m_sounds[2];
};
