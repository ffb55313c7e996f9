#pragma once
// Windows. Every window keeps a retained surface, an image of its client area: invalidating
// marks part of it for painting (with or without erasing), and when the window next paints, the
// erase (WM_ERASEBKGND) and then the paint (WM_PAINT) run in that order and draw into the
// surface; the screen only ever shows the surface. A client context may draw into the surface at
// any time.
//
// Messages reach a window through WindowProc: its message map first (most derived class
// first), then the window kind's default behaviour (DefWindowProc). Commands from controls
// arrive as WM_COMMAND with the low 16 bits of the control's identifier; the control itself sees
// its notification first (reflection), then the parent routes it through OnCmdMsg.

#include "zel/platform/cstring.h"
#include "zel/platform/dc.h"
#include "zel/platform/message_map.h"

class CMenu;

// ShowWindow commands and window-position flags.
constexpr int SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOW = 5, SW_SHOWMAXIMIZED = 3, SW_MINIMIZE = 6,
              SW_RESTORE = 9, SW_SHOWNA = 8;
constexpr UINT SWP_NOSIZE = 1, SWP_NOMOVE = 2, SWP_NOZORDER = 4, SWP_NOREDRAW = 8,
               SWP_NOACTIVATE = 0x10, SWP_FRAMECHANGED = 0x20, SWP_SHOWWINDOW = 0x40;
inline CWnd* const wndTop = nullptr;

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object attached to `wnd`; windows that nobody subclassed get a permanent plain CWnd.
    static CWnd* FromHandle(HWND wnd);
    static CWnd* FromHandlePermanent(HWND wnd);
    // Attaches this object to an existing window (a dialog control): runs PreSubclassWindow,
    // then this object's message map sees the window's messages.
    BOOL SubclassWindow(HWND wnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    // Creation. `className` may name a standard kind ("BUTTON", "STATIC", "EDIT",
    // "SCROLLBAR") or be null/empty for a plain window.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                        CWnd* parent, UINT id, void* context = nullptr);
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style,
                          const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void PostNcDestroy();

    // Messages.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A message that this control's parent passes back to it; TRUE when the control handled
    // it (its reflected message-map entries, or its owner-draw code).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The default handling of the message being handled now.
    LRESULT Default();
    static const MSG* GetCurrentMessage();
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // Geometry (client coordinates start at the client area's top-left corner).
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT p) const;
    void ClientToScreen(LPRECT r) const;
    void ScreenToClient(LPPOINT p) const;
    void ScreenToClient(LPRECT r) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags);
    void CenterWindow(CWnd* alternateOwner = nullptr);
    int SetWindowRgn(HRGN region, BOOL redraw);
    int GetWindowRgn(HRGN region) const;

    // Family.
    CWnd* GetParent() const;
    CWnd* GetOwner() const { return GetParent(); }
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    static CWnd* GetActiveWindow();
    static CWnd* GetFocus();
    static CWnd* WindowFromPoint(POINT screenPoint);

    // Styles and text.
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    void SetWindowText(LPCTSTR text);
    void GetWindowText(CString& text) const;
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    void SetIcon(HICON icon, BOOL big);

    // Painting.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);
    // Runs a pending erase and paint now.
    void UpdateWindow();

    // State.
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    CWnd* SetFocus();
    BOOL SetForegroundWindow();
    void DragAcceptFiles(BOOL accept = TRUE);
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* menu);
    void DrawMenuBar();

    // A message box owned by this window (through the message-box hook).
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = 0);

    // Timers: WM_TIMER arrives with `id` every `elapseMs` until killed.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* callback);
    BOOL KillTimer(UINT_PTR id);

    // Dialog-control helpers.
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;

    BOOL OnCmdMsg(UINT id, int code, void* extra) override;

protected:
    // Default handlers; each runs the default handling of its message.
    void OnDestroy();
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnKillFocus(CWnd* newWnd);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnEnable(BOOL enable);
    void OnCancelMode();
    void OnSysColorChange();
    UINT OnGetDlgCode();
    // Owner-draw for a control: passed back to the control (reflection); for a menu item: the
    // menu object's DrawItem / MeasureItem.
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
    LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);

    // Passes the current message to the child control it concerns; TRUE when it handled it.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    friend struct zel::platform::detail::WindowRecord;
};

constexpr int CTLCOLOR_BTN = 3, CTLCOLOR_DLG = 4, CTLCOLOR_STATIC = 6;

// Free forms on handles.
LRESULT SendMessage(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND wnd);
// The files of a drop: with index 0xFFFFFFFF the count; else copies file `index` and returns
// its length (the length needed when `buffer` is null).
UINT DragQueryFile(HDROP drop, UINT index, LPTSTR buffer, UINT size);
void DragFinish(HDROP drop);
