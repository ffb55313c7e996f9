// CWnd: attaching objects to windows, creation and destruction, message dispatch with
// reflection, and the default handlers. Geometry and family are in wnd_layout.cpp, painting,
// state and timers in wnd_state.cpp.

#include "dc_state.h"
#include "window_record.h"

#include "zel/platform/controls.h"
#include "zel/platform/menu.h"
#include "zel/platform/resources.h"
#include "zel/platform/system.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

#include <vector>

using namespace zel::platform::detail;

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

namespace zel::platform::detail {

namespace {
std::vector<MSG>& current_messages() {
    static thread_local std::vector<MSG> stack;
    return stack;
}
} // namespace

LRESULT dispatch(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam) {
    if (r == nullptr || r->dead) {
        return 0;
    }
    QPointer<WindowRecord> guard(r);
    MSG msg{r, message, wParam, lParam, GetTickCount(), {}};
    GetCursorPos(&msg.pt);
    current_messages().push_back(msg);
    const LRESULT result = r->wnd()->WindowProc(message, wParam, lParam);
    current_messages().pop_back();
    return result;
}

LRESULT default_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (r->kind) {
    case WindowKind::Button:
        return button_proc(r, message, wParam, lParam);
    case WindowKind::Static:
        return static_proc(r, message, wParam, lParam);
    case WindowKind::ScrollBar:
        return scroll_bar_proc(r, message, wParam, lParam);
    case WindowKind::Edit:
        return edit_proc(r, message, wParam, lParam);
    default:
        return plain_proc(r, message, wParam, lParam);
    }
}

LRESULT plain_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        CPaintDC dc(r->wnd()); // erases and validates
        return 0;
    }
    case WM_ERASEBKGND: {
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        if (dc == nullptr) {
            return 0;
        }
        CRect rc;
        r->wnd()->GetClientRect(&rc);
        dc->FillSolidRect(
            &rc, GetSysColor(r->kind == WindowKind::Dialog ? COLOR_BTNFACE : COLOR_WINDOW));
        return 1;
    }
    case WM_SETCURSOR: {
        // The parent may decide first; then the window kind's cursor, unless cleared.
        if (WindowRecord* p = r->parentRecord()) {
            if (dispatch(p, WM_SETCURSOR, wParam, lParam) != 0) {
                return 1;
            }
        }
        // Only the window under the mouse shows its class cursor.
        if (reinterpret_cast<HWND>(wParam) != r) {
            return 0;
        }
        if (r->classCursorSet) {
            if (r->classCursor != nullptr) {
                SetCursor(r->classCursor);
            }
        } else if (LOWORD(UINT_PTR(lParam)) == HTCLIENT) {
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
        }
        return 0;
    }
    case WM_CLOSE:
        r->wnd()->DestroyWindow();
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_F1) {
            HELPINFO info;
            info.iCtrlId = r->wnd()->GetDlgCtrlID();
            info.hItemHandle = r;
            dispatch(r, WM_HELP, 0, LPARAM(&info));
        }
        return 0;
    case WM_HELP:
        if (WindowRecord* p = r->parentRecord()) {
            return dispatch(p, WM_HELP, wParam, lParam);
        }
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION && r->window()->windowHandle() != nullptr) {
            r->window()->windowHandle()->startSystemMove();
        }
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: {
        CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        if (dc != nullptr) {
            dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
            dc->SetBkColor(GetSysColor(COLOR_BTNFACE));
        }
        return LRESULT(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETTEXT:
        r->text = QString::fromUtf8(reinterpret_cast<LPCTSTR>(lParam));
        if (r->isWindow()) {
            r->setWindowTitle(r->text);
        }
        return 1;
    case WM_SETFONT:
        r->font = reinterpret_cast<HFONT>(wParam);
        if (lParam != 0) {
            r->invalidate(QRegion(r->clientRect()), true);
        }
        return 0;
    case WM_GETFONT:
        return LRESULT(r->font);
    default:
        return 0;
    }
}

} // namespace zel::platform::detail

namespace {
WindowRecord* rec(const CWnd* w) {
    return w != nullptr ? live_window(w->m_hWnd) : nullptr;
}
} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
    if (WindowRecord* r = rec(this)) {
        if (r->object == this) {
            DestroyWindow();
        }
    }
}

CWnd* CWnd::FromHandlePermanent(HWND wnd) {
    WindowRecord* r = live_window(wnd);
    return r != nullptr ? r->object : nullptr;
}

CWnd* CWnd::FromHandle(HWND wnd) {
    WindowRecord* r = live_window(wnd);
    return r != nullptr ? r->wnd() : nullptr;
}

BOOL CWnd::SubclassWindow(HWND wnd) {
    WindowRecord* r = live_window(wnd);
    if (r == nullptr || m_hWnd != nullptr || (r->object != nullptr && r->object != this)) {
        return FALSE;
    }
    r->object = this;
    m_hWnd = wnd;
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    CWnd* item = parent != nullptr ? parent->GetDlgItem(int(id)) : nullptr;
    return item != nullptr && SubclassWindow(item->m_hWnd);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) {
    return TRUE;
}
void CWnd::PreSubclassWindow() {}
BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}
void CWnd::PostNcDestroy() {}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, void* context) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id, context);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID param) {
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hwndParent = parent != nullptr ? parent->m_hWnd : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = LONG(style);
    cs.dwExStyle = exStyle;
    cs.lpszName = windowName;
    cs.lpszClass = className;
    if (!PreCreateWindow(cs)) {
        return FALSE;
    }
    WindowKind kind = kind_of_class(cs.lpszClass);
    if (kind == WindowKind::Plain && IsKindOf(RUNTIME_CLASS(CToolTipCtrl))) {
        kind = WindowKind::Hidden;
    }
    WindowRecord* r = create_window(
        kind, DWORD(cs.style), cs.dwExStyle,
        QString::fromUtf8(cs.lpszName != nullptr && !IS_INTRESOURCE(cs.lpszName) ? cs.lpszName
                                                                                 : ""),
        QRect(cs.x, cs.y, cs.cx, cs.cy), live_window(cs.hwndParent), int(id));
    r->object = this;
    m_hWnd = r;
    // A window made by its own object gets the same chance as a subclassed dialog item to
    // adjust itself (an owner-drawn button sets its style here), before WM_CREATE.
    PreSubclassWindow();
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (WindowRecord* live = rec(this);
        live != nullptr && (live->style & WS_VISIBLE) && kind != WindowKind::Hidden) {
        live->show();
    }
    return m_hWnd != nullptr;
}

namespace {
void send_destroy(WindowRecord* r) {
    r->destroying = true;
    dispatch(r, WM_DESTROY, 0, 0);
    for (WindowRecord* c : r->childRecords()) {
        send_destroy(c);
    }
}
void finish_destroy(WindowRecord* r) {
    for (WindowRecord* c : r->childRecords()) {
        finish_destroy(c);
    }
    for (auto& t : r->timers) {
        t.second->stop();
    }
    r->dead = true;
    CWnd* o = r->object;
    r->object = nullptr;
    if (r->placeholder) {
        r->placeholder->m_hWnd = nullptr;
    }
    if (o != nullptr) {
        o->m_hWnd = nullptr;
        o->PostNcDestroy(); // may delete the object
    }
}
} // namespace

void zel::platform::detail::destroy_window(WindowRecord* r) {
    // A window asked to go while it is going (a WM_DESTROY handler destroying it or one of its
    // parents) is left to the destruction under way, which would otherwise start again.
    if (r == nullptr || r->dead || r->destroying) {
        return;
    }
    QPointer<WindowRecord> guard(r);
    send_destroy(r);
    if (guard.isNull() || r->dead) {
        return;
    }
    if (QWidget::mouseGrabber() == r) {
        r->releaseMouse();
    }
    finish_destroy(r);
    r->hide();
    r->deleteLater();
}

BOOL CWnd::DestroyWindow() {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return FALSE;
    }
    destroy_window(r);
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* r = rec(this);
    return r != nullptr ? default_proc(r, message, wParam, lParam) : 0;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *result = 0;
            return TRUE;
        }
        return FALSE;
    }
    if (const MessageMapEntry* e = FindEntry(message, 0, 0)) {
        return e->invoke(this, wParam, lParam, result) ? TRUE : FALSE;
    }
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return ReflectChildNotify(message, wParam, lParam, result);
    default:
        return FALSE;
    }
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND child = nullptr;
    switch (message) {
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (dis->CtlType == ODT_MENU) {
            if (CMenu* m = CMenu::FromHandle(reinterpret_cast<HMENU>(dis->hwndItem))) {
                m->DrawItem(dis);
                *result = TRUE;
                return TRUE;
            }
            return FALSE;
        }
        child = dis->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        if (mis->CtlType == ODT_MENU) {
            // Menu items are measured by the menu being shown.
            if (CMenu* m = CMenu::FromHandle(tracking_menu())) {
                m->MeasureItem(mis);
                *result = TRUE;
                return TRUE;
            }
            return FALSE;
        }
        CWnd* item = GetDlgItem(int(mis->CtlID));
        child = item != nullptr ? item->m_hWnd : nullptr;
        break;
    }
    default:
        child = reinterpret_cast<HWND>(lParam);
        break;
    }
    CWnd* c = FromHandlePermanent(child);
    return c != nullptr && c->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
    if (const MessageMapEntry* e = FindEntry(WM_REFLECT_BASE + message, code, 0)) {
        LRESULT r = 0;
        const bool handled = e->invoke(this, wParam, lParam, &r);
        if (handled && result != nullptr) {
            *result = r;
        }
        return handled ? TRUE : FALSE;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    int code = SHORT(HIWORD(wParam));
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control != nullptr) {
        if (CWnd* c = FromHandlePermanent(control)) {
            LRESULT r = 0;
            if (c->OnChildNotify(WM_COMMAND, wParam, lParam, &r)) {
                return TRUE;
            }
        }
    } else {
        // A menu item or accelerator (code 1) is a plain command; one whose item is disabled
        // is not carried out.
        code = CN_COMMAND;
        CCmdUI state;
        state.m_nID = id;
        if (OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state) && !state.m_bEnabled) {
            return TRUE;
        }
    }
    return OnCmdMsg(id, code, control);
}

BOOL CWnd::OnCmdMsg(UINT id, int code, void* extra) {
    return CCmdTarget::OnCmdMsg(id, code, extra);
}

LRESULT CWnd::Default() {
    const auto& stack = current_messages();
    if (stack.empty()) {
        return 0;
    }
    const MSG& m = stack.back();
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* CWnd::GetCurrentMessage() {
    const auto& stack = current_messages();
    return stack.empty() ? nullptr : &stack.back();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return dispatch(rec(this), message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* item = GetDlgItem(id);
    return item != nullptr ? item->SendMessage(message, wParam, lParam) : 0;
}

// ---- default handlers ---------------------------------------------------------------------

void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnSize(UINT, int, int) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return BOOL(Default());
}
void CWnd::OnKillFocus(CWnd*) {
    Default();
}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {
    Default();
}
void CWnd::OnEnable(BOOL) {
    Default();
}
void CWnd::OnCancelMode() {
    Default();
}
void CWnd::OnSysColorChange() {
    Default();
}
UINT CWnd::OnGetDlgCode() {
    return UINT(Default());
}
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) {
    const MSG* m = GetCurrentMessage();
    LRESULT r = 0;
    if (m == nullptr || !ReflectChildNotify(m->message, m->wParam, m->lParam, &r)) {
        Default();
    }
}
void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis) {
    OnDrawItem(id, reinterpret_cast<LPDRAWITEMSTRUCT>(mis));
}
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) {
    return Default();
}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) {
    const MSG* m = GetCurrentMessage();
    LRESULT r = 0;
    if (m != nullptr && ReflectChildNotify(m->message, m->wParam, m->lParam, &r)) {
        return reinterpret_cast<HBRUSH>(r);
    }
    return reinterpret_cast<HBRUSH>(Default());
}

// ---- unpacking helpers --------------------------------------------------------------------

namespace zel::platform::detail {
CPoint point_of(LPARAM l) {
    return CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l));
}
CWnd* wnd_of(LPARAM l) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(l));
}
CWnd* wnd_of_w(WPARAM w) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(w));
}
CDC* dc_of(WPARAM w) {
    return CDC::FromHandle(reinterpret_cast<HDC>(w));
}
CScrollBar* scroll_bar_of(LPARAM l) {
    return dynamic_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(l)));
}
CMenu* menu_of(LPARAM l) {
    return CMenu::FromHandle(reinterpret_cast<HMENU>(l));
}
} // namespace zel::platform::detail
