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
constexpr UINT RDW_INVALIDATE = 1, RDW_ERASE = 4, RDW_UPDATENOW = 0x100, RDW_ALLCHILDREN = 0x80;
constexpr UINT GW_HWNDNEXT = 2, GW_CHILD = 5;
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
    BOOL Attach(HWND wnd);
    HWND Detach();
    // Attaches this object to an existing window (a dialog control): runs PreSubclassWindow,
    // then this object's message map sees the window's messages.
    BOOL SubclassWindow(HWND wnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

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
    void MapWindowPoints(CWnd* to, LPRECT rect) const;
    void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const;
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
    int SetDlgCtrlID(int id);
    CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const;
    CWnd* GetWindow(UINT relation) const;
    static CWnd* GetActiveWindow();
    static CWnd* GetFocus();
    static CWnd* GetCapture();
    static CWnd* WindowFromPoint(POINT screenPoint);
    static CWnd* GetDesktopWindow();
    BOOL IsChild(const CWnd* other) const;

    // Styles and text.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    void SetWindowText(LPCTSTR text);
    int GetWindowText(LPTSTR buffer, int maxCount) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    void SetIcon(HICON icon, BOOL big);

    // Painting.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void InvalidateRgn(CRgn* region, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    BOOL GetUpdateRect(LPRECT rect, BOOL erase = FALSE);
    // Runs a pending erase and paint now.
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT rect = nullptr, CRgn* region = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* dc);

    // State.
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    CWnd* SetFocus();
    CWnd* SetCapture();
    BOOL SetForegroundWindow();
    void BringWindowToTop();
    BOOL IsIconic() const;
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
    void CheckRadioButton(int first, int last, int checked);
    int GetCheckedRadioButton(int first, int last) const;
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL deep = TRUE);

    BOOL OnCmdMsg(UINT id, int code, void* extra) override;

protected:
    // Default handlers; each runs the default handling of its message.
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnClose();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnRButtonDown(UINT flags, CPoint point);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnEnable(BOOL enable);
    void OnCancelMode();
    void OnSysColorChange();
    UINT OnGetDlgCode();
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    // Owner-draw for a control: passed back to the control (reflection); for a menu item: the
    // menu object's DrawItem / MeasureItem.
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);
    LRESULT OnMenuChar(UINT ch, UINT flags, CMenu* menu);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnDropFiles(HDROP drop);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnNcLButtonDown(UINT hitTest, CPoint point);

    // Passes the current message to the child control it concerns; TRUE when it handled it.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    friend struct zel::platform::detail::WindowRecord;
};

constexpr int CTLCOLOR_BTN = 3, CTLCOLOR_DLG = 4, CTLCOLOR_STATIC = 6;

// Free forms on handles.
LRESULT SendMessage(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND wnd);
HWND GetParent(HWND wnd);
BOOL GetClientRect(HWND wnd, LPRECT rect);
BOOL GetWindowRect(HWND wnd, LPRECT rect);
BOOL InvalidateRect(HWND wnd, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND wnd);
int SetWindowRgn(HWND wnd, HRGN region, BOOL redraw);
BOOL EnableWindow(HWND wnd, BOOL enable);
BOOL IsWindowEnabled(HWND wnd);
HWND SetFocus(HWND wnd);
HWND GetFocus();
HWND GetActiveWindow();
HWND SetCapture(HWND wnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND WindowFromPoint(POINT screenPoint);
BOOL ScreenToClient(HWND wnd, LPPOINT p);
BOOL ClientToScreen(HWND wnd, LPPOINT p);
// The files of a drop: with index 0xFFFFFFFF the count; else copies file `index` and returns
// its length (the length needed when `buffer` is null).
UINT DragQueryFile(HDROP drop, UINT index, LPTSTR buffer, UINT size);
void DragFinish(HDROP drop);
