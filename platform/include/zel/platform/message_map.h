#pragma once
// Message maps: per-class tables from a message, or a command identifier and notification code,
// to a member function. A class declares its table with DECLARE_MESSAGE_MAP() and fills it
// between BEGIN_MESSAGE_MAP(Class, Base) and END_MESSAGE_MAP(); lookup walks from the most
// derived table to its bases, so a derived class's entry wins.
//
// Command targets route commands (menu items, accelerators, control notifications) through
// OnCmdMsg; update handlers (ON_UPDATE_COMMAND_UI) decide enabling through a CCmdUI.

#include "zel/platform/geometry.h"
#include "zel/platform/messages.h"
#include "zel/platform/object.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CScrollBar;
class CMenu;

// One table entry. `invoke` unpacks the message for the member function; it returns false
// when the entry declined the message (the _EX forms), so routing goes on.
struct MessageMapEntry {
    UINT message; // WM_COMMAND for commands and notifications
    UINT code;    // notification code (CN_UPDATE_COMMAND_UI for update handlers)
    UINT idFirst; // command identifier range (low 16 bits)
    UINT idLast;
    bool (*invoke)(CCmdTarget* self, WPARAM wParam, LPARAM lParam, LRESULT* result);
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries; // ends with an entry whose invoke is null
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    // Routes command `id` with notification `code`. For CN_UPDATE_COMMAND_UI `extra` is the
    // CCmdUI; for other codes it is the control's window handle (or null). TRUE when handled.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra);

    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }
    static const MessageMap* GetThisMessageMap();

protected:
    // Looks `message` (with `code` and `id` for commands) up in this object's tables.
    const MessageMapEntry* FindEntry(UINT message, UINT code, UINT id) const;
};

// Enabling, checking and text of one command's user-interface items (menu item, button).
class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE) { SetCheck(on ? 1 : 0); }
    virtual void SetText(LPCTSTR text);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes the update through `target`; with `disableIfNoHandler`, an item whose command has
    // no handler on the route is disabled. TRUE when some handler decided.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

    // What the last update decided (for items without a visible user interface).
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
};

// Unpacking helpers used by the entry macros.
namespace zel::platform::detail {
CPoint point_of(LPARAM l);
CWnd* wnd_of(LPARAM l);
CWnd* wnd_of_w(WPARAM w);
CDC* dc_of(WPARAM w);
CScrollBar* scroll_bar_of(LPARAM l);
CMenu* menu_of(LPARAM l);
} // namespace zel::platform::detail

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const MessageMap* GetThisMessageMap();                                                  \
    const MessageMap* GetMessageMap() const override;                                              \
                                                                                                   \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const MessageMap* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const MessageMap* theClass::GetThisMessageMap() {                                              \
        using ThisClass = theClass;                                                                \
        using TheBaseClass = baseClass;                                                            \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }

#define ZEL_MSG_ENTRY(msg, body)                                                                   \
    {msg, 0, 0, 0, [](CCmdTarget* t, WPARAM wParam, LPARAM lParam, LRESULT* result) -> bool {      \
         [[maybe_unused]] auto* self = static_cast<ThisClass*>(t);                                 \
         (void)wParam;                                                                             \
         (void)lParam;                                                                             \
         (void)result;                                                                             \
         body;                                                                                     \
         return true;                                                                              \
     }},

namespace zdetail = zel::platform::detail;

// Window messages.
#define ON_WM_CREATE()                                                                             \
    ZEL_MSG_ENTRY(WM_CREATE, *result = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)))
#define ON_WM_DESTROY() ZEL_MSG_ENTRY(WM_DESTROY, self->OnDestroy())
#define ON_WM_CLOSE() ZEL_MSG_ENTRY(WM_CLOSE, self->OnClose())
#define ON_WM_PAINT() ZEL_MSG_ENTRY(WM_PAINT, self->OnPaint())
#define ON_WM_ERASEBKGND()                                                                         \
    ZEL_MSG_ENTRY(WM_ERASEBKGND, *result = self->OnEraseBkgnd(zdetail::dc_of(wParam)))
#define ON_WM_SIZE()                                                                               \
    ZEL_MSG_ENTRY(WM_SIZE,                                                                         \
                  self->OnSize(UINT(wParam), LOWORD(UINT_PTR(lParam)), HIWORD(UINT_PTR(lParam))))
#define ON_WM_TIMER() ZEL_MSG_ENTRY(WM_TIMER, self->OnTimer(UINT_PTR(wParam)))
#define ON_WM_MOUSEMOVE()                                                                          \
    ZEL_MSG_ENTRY(WM_MOUSEMOVE, self->OnMouseMove(UINT(wParam), zdetail::point_of(lParam)))
#define ON_WM_LBUTTONDOWN()                                                                        \
    ZEL_MSG_ENTRY(WM_LBUTTONDOWN, self->OnLButtonDown(UINT(wParam), zdetail::point_of(lParam)))
#define ON_WM_LBUTTONUP()                                                                          \
    ZEL_MSG_ENTRY(WM_LBUTTONUP, self->OnLButtonUp(UINT(wParam), zdetail::point_of(lParam)))
#define ON_WM_RBUTTONDOWN()                                                                        \
    ZEL_MSG_ENTRY(WM_RBUTTONDOWN, self->OnRButtonDown(UINT(wParam), zdetail::point_of(lParam)))
#define ON_WM_SETCURSOR()                                                                          \
    ZEL_MSG_ENTRY(WM_SETCURSOR,                                                                    \
                  *result = self->OnSetCursor(zdetail::wnd_of_w(wParam), LOWORD(UINT_PTR(lParam)), \
                                              HIWORD(UINT_PTR(lParam))))
#define ON_WM_KILLFOCUS() ZEL_MSG_ENTRY(WM_KILLFOCUS, self->OnKillFocus(zdetail::wnd_of_w(wParam)))
#define ON_WM_ACTIVATE()                                                                           \
    ZEL_MSG_ENTRY(WM_ACTIVATE,                                                                     \
                  self->OnActivate(LOWORD(wParam), zdetail::wnd_of(lParam), HIWORD(wParam)))
#define ON_WM_ENABLE() ZEL_MSG_ENTRY(WM_ENABLE, self->OnEnable(BOOL(wParam)))
#define ON_WM_CANCELMODE() ZEL_MSG_ENTRY(WM_CANCELMODE, self->OnCancelMode())
#define ON_WM_SYSCOLORCHANGE() ZEL_MSG_ENTRY(WM_SYSCOLORCHANGE, self->OnSysColorChange())
#define ON_WM_GETDLGCODE() ZEL_MSG_ENTRY(WM_GETDLGCODE, *result = self->OnGetDlgCode())
#define ON_WM_CHAR()                                                                               \
    ZEL_MSG_ENTRY(WM_CHAR,                                                                         \
                  self->OnChar(UINT(wParam), LOWORD(UINT_PTR(lParam)), HIWORD(UINT_PTR(lParam))))
#define ON_WM_HSCROLL()                                                                            \
    ZEL_MSG_ENTRY(WM_HSCROLL, self->OnHScroll(LOWORD(wParam), SHORT(HIWORD(wParam)),               \
                                              zdetail::scroll_bar_of(lParam)))
#define ON_WM_VSCROLL()                                                                            \
    ZEL_MSG_ENTRY(WM_VSCROLL, self->OnVScroll(LOWORD(wParam), SHORT(HIWORD(wParam)),               \
                                              zdetail::scroll_bar_of(lParam)))
#define ON_WM_DRAWITEM()                                                                           \
    ZEL_MSG_ENTRY(WM_DRAWITEM,                                                                     \
                  (self->OnDrawItem(int(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)),      \
                   *result = TRUE))
#define ON_WM_MEASUREITEM()                                                                        \
    ZEL_MSG_ENTRY(                                                                                 \
        WM_MEASUREITEM,                                                                            \
        (self->OnMeasureItem(int(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)),          \
         *result = TRUE))
#define ON_WM_MENUCHAR()                                                                           \
    ZEL_MSG_ENTRY(WM_MENUCHAR, *result = self->OnMenuChar(LOWORD(wParam), HIWORD(wParam),          \
                                                          zdetail::menu_of(lParam)))
#define ON_WM_CTLCOLOR()                                                                           \
    ZEL_MSG_ENTRY(WM_CTLCOLORSTATIC, *result = LRESULT(self->OnCtlColor(                           \
                                         zdetail::dc_of(wParam), zdetail::wnd_of(lParam), 6)))     \
    ZEL_MSG_ENTRY(WM_CTLCOLORBTN, *result = LRESULT(self->OnCtlColor(zdetail::dc_of(wParam),       \
                                                                     zdetail::wnd_of(lParam), 3))) \
    ZEL_MSG_ENTRY(WM_CTLCOLORDLG, *result = LRESULT(self->OnCtlColor(zdetail::dc_of(wParam),       \
                                                                     zdetail::wnd_of(lParam), 4)))
#define ON_WM_DROPFILES()                                                                          \
    ZEL_MSG_ENTRY(WM_DROPFILES, self->OnDropFiles(reinterpret_cast<HDROP>(wParam)))
#define ON_WM_INITMENUPOPUP()                                                                      \
    ZEL_MSG_ENTRY(WM_INITMENUPOPUP,                                                                \
                  self->OnInitMenuPopup(zdetail::menu_of(LPARAM(wParam)),                          \
                                        LOWORD(UINT_PTR(lParam)), HIWORD(UINT_PTR(lParam))))
// Any message to `memberFxn(WPARAM, LPARAM) -> LRESULT`.
#define ON_WM_HELPINFO()                                                                           \
    ZEL_MSG_ENTRY(WM_HELP, *result = self->OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam)))
#define ON_MESSAGE(msg, memberFxn) ZEL_MSG_ENTRY(msg, *result = self->memberFxn(wParam, lParam))

// Reflected messages: handled by the control itself before its parent sees them.
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    ZEL_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLORSTATIC,                                             \
                  *result = LRESULT(self->CtlColor(zdetail::dc_of(wParam), 6)))                    \
    ZEL_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLORBTN,                                                \
                  *result = LRESULT(self->CtlColor(zdetail::dc_of(wParam), 3)))

// Commands and notifications. `id` is compared with the low 16 bits of the identifier.
#define ZEL_CMD_ENTRY(code, first, last, body)                                                     \
    {WM_COMMAND, UINT(code), UINT(WORD(first)), UINT(WORD(last)),                                  \
     [](CCmdTarget* t, WPARAM wParam, LPARAM lParam, LRESULT* result) -> bool {                    \
         [[maybe_unused]] auto* self = static_cast<ThisClass*>(t);                                 \
         (void)wParam;                                                                             \
         (void)lParam;                                                                             \
         (void)result;                                                                             \
         body;                                                                                     \
         return true;                                                                              \
     }},
#define ON_COMMAND(id, memberFxn) ZEL_CMD_ENTRY(CN_COMMAND, id, id, self->memberFxn())
#define ON_COMMAND_RANGE(first, last, memberFxn)                                                   \
    ZEL_CMD_ENTRY(CN_COMMAND, first, last, self->memberFxn(UINT(wParam)))
#define ON_CONTROL(code, id, memberFxn) ZEL_CMD_ENTRY(code, id, id, self->memberFxn())
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                        \
    ZEL_CMD_ENTRY(CN_UPDATE_COMMAND_UI, id, id, self->memberFxn(reinterpret_cast<CCmdUI*>(lParam)))
// A control's own handler of its notification `code`; the parent does not see it.
#define ON_CONTROL_REFLECT(code, memberFxn)                                                        \
    {WM_REFLECT_BASE + WM_COMMAND, UINT(code), 0, 0xFFFF,                                          \
     [](CCmdTarget* t, WPARAM, LPARAM, LRESULT*) -> bool {                                         \
         static_cast<ThisClass*>(t)->memberFxn();                                                  \
         return true;                                                                              \
     }},
// The same, returning BOOL: FALSE lets the parent handle the notification too.
#define ON_CONTROL_REFLECT_EX(code, memberFxn)                                                     \
    {WM_REFLECT_BASE + WM_COMMAND, UINT(code), 0, 0xFFFF,                                          \
     [](CCmdTarget* t, WPARAM, LPARAM, LRESULT*) -> bool {                                         \
         return static_cast<ThisClass*>(t)->memberFxn() != FALSE;                                  \
     }},
