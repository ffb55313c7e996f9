#pragma once
// The standard controls the editor's dialogs hold: push, check and radio buttons (drawn by the
// layer in the classic look, or by their owner with BS_OWNERDRAW), static texts, frames and
// pictures, single-line edit fields, scroll bars, and tooltips.

#include "zel/platform/wnd.h"

#include <vector>

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    using CWnd::Create;
    BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const;
    void SetCheck(int check);
    UINT GetState() const;
    void SetState(BOOL highlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
    // Owner-drawn buttons draw here; the record's context draws on the button's surface.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    using CWnd::Create;
    BOOL Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
    // A picture static (SS_BITMAP, SS_ICON) created with a resource number as its text
    // ("#311") shows that picture of the program; these set another one (the caller keeps it).
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const;
    HICON SetIcon(HICON icon);
    HICON GetIcon() const;
};

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void LimitText(int maxChars);
};

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};
constexpr UINT SIF_RANGE = 1, SIF_PAGE = 2, SIF_POS = 4, SIF_TRACKPOS = 0x10, SIF_ALL = 0x17;

// A scroll bar moves only when its owner sets the position: a user's action is reported to the
// parent as WM_HSCROLL or WM_VSCROLL and the thumb stays where the owner puts it.
class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetScrollPos() const;
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    void GetScrollRange(int* minPos, int* maxPos) const;
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
    BOOL SetScrollInfo(SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const;
};

constexpr DWORD TTS_ALWAYSTIP = 1, TTS_NOPREFIX = 2, TTS_BALLOON = 0x40;
constexpr UINT TTF_IDISHWND = 1, TTF_SUBCLASS = 0x10;
constexpr UINT TTM_ACTIVATE = WM_USER + 1, TTM_SETMAXTIPWIDTH = WM_USER + 24;

// Tooltips: one text per tool (a window, or a rectangle of it with a tool id), shown by the
// Qt tooltip of the tool's window while the tooltip is active.
class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    using CWnd::Create;
    BOOL Create(CWnd* parent, DWORD style = 0);
    BOOL AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    void UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId = 0);
    void GetText(CString& text, CWnd* wnd, UINT_PTR toolId = 0) const;
    void DelTool(CWnd* wnd, UINT_PTR toolId = 0);
    int GetToolCount() const;
    void Activate(BOOL activate);
    BOOL IsActive() const { return m_active; }
    void RelayEvent(LPMSG msg);
    int SetMaxTipWidth(int width);
    BOOL DestroyWindow() override;

private:
    struct Tool {
        CWnd* wnd;
        UINT_PTR id;
        CString text;
    };
    void Apply();
    std::vector<Tool> m_tools;
    BOOL m_active = TRUE;
    int m_maxWidth = -1;
};
