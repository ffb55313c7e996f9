#pragma once
// The standard controls the editor's dialogs hold: push, check and radio buttons (drawn by the
// layer in the classic look, or by their owner with BS_OWNERDRAW), static texts, frames and
// pictures, scroll bars and tooltips. Single-line edit fields are a window kind of their own
// ("EDIT") without a class here.

#include "zel/platform/wnd.h"

#include <vector>

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    using CWnd::Create;
    BOOL Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetCheck(int check);
    void SetState(BOOL highlight);
    UINT GetButtonStyle() const;
    // Owner-drawn buttons draw here; the record's context draws on the button's surface.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// A picture static (SS_BITMAP, SS_ICON) whose text is a resource number ("#311") shows that
// picture of the program.
class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
};

// A scroll bar moves only when its owner sets the position: a user's action is reported to the
// parent as WM_HSCROLL or WM_VSCROLL and the thumb stays where the owner puts it.
class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    int GetScrollPos() const;
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    void GetScrollRange(int* minPos, int* maxPos) const;
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
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
