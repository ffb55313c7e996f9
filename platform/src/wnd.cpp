// CWnd: attaching objects to windows, message dispatch with reflection, geometry, painting
// requests, state and timers.

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

BOOL CWnd::Attach(HWND wnd) {
    WindowRecord* r = live_window(wnd);
    if (r == nullptr || m_hWnd != nullptr) {
        return FALSE;
    }
    r->object = this;
    m_hWnd = wnd;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND h = m_hWnd;
    if (WindowRecord* r = rec(this); r != nullptr && r->object == this) {
        r->object = nullptr;
    }
    m_hWnd = nullptr;
    return h;
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

HWND CWnd::UnsubclassWindow() {
    return Detach();
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
    if (r == nullptr || r->dead) {
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

// ---- geometry -----------------------------------------------------------------------------

void CWnd::GetClientRect(LPRECT rect) const {
    WindowRecord* r = rec(this);
    if (rect == nullptr) {
        return;
    }
    *rect = r != nullptr ? RECT{0, 0, r->surface.width(), r->surface.height()} : RECT{};
}

void CWnd::GetWindowRect(LPRECT rect) const {
    WindowRecord* r = rec(this);
    if (rect == nullptr) {
        return;
    }
    if (r == nullptr) {
        *rect = RECT{};
        return;
    }
    const QPoint tl = r->mapToGlobal(QPoint(0, 0));
    const QRect g = QRect(tl, r->size()).marginsAdded(r->decoration);
    *rect = RECT{g.left(), g.top(), g.right() + 1, g.bottom() + 1};
}

void CWnd::ClientToScreen(LPPOINT p) const {
    WindowRecord* r = rec(this);
    if (r != nullptr && p != nullptr) {
        const QPoint g = r->mapToGlobal(QPoint(p->x, p->y) + r->clientOrigin());
        *p = POINT{g.x(), g.y()};
    }
}

void CWnd::ClientToScreen(LPRECT rc) const {
    if (rc != nullptr) {
        ClientToScreen(reinterpret_cast<LPPOINT>(&rc->left));
        ClientToScreen(reinterpret_cast<LPPOINT>(&rc->right));
    }
}

void CWnd::ScreenToClient(LPPOINT p) const {
    WindowRecord* r = rec(this);
    if (r != nullptr && p != nullptr) {
        const QPoint l = r->mapFromGlobal(QPoint(p->x, p->y)) - r->clientOrigin();
        *p = POINT{l.x(), l.y()};
    }
}

void CWnd::ScreenToClient(LPRECT rc) const {
    if (rc != nullptr) {
        ScreenToClient(reinterpret_cast<LPPOINT>(&rc->left));
        ScreenToClient(reinterpret_cast<LPPOINT>(&rc->right));
    }
}

void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const {
    for (UINT i = 0; i < count; ++i) {
        ClientToScreen(&points[i]);
        if (to != nullptr) {
            to->ScreenToClient(&points[i]);
        }
    }
}

void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const {
    MapWindowPoints(to, reinterpret_cast<LPPOINT>(rect), 2);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT flags) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return FALSE;
    }
    CRect now;
    GetWindowRect(&now);
    if (WindowRecord* p = r->parentRecord()) {
        p->wnd()->ScreenToClient(&now);
    }
    const int nx = (flags & SWP_NOMOVE) ? now.left : x;
    const int ny = (flags & SWP_NOMOVE) ? now.top : y;
    const int ncx = (flags & SWP_NOSIZE) ? now.Width() : cx;
    const int ncy = (flags & SWP_NOSIZE) ? now.Height() : cy;
    QRect g = QRect(nx, ny, std::max(1, ncx), std::max(1, ncy)).marginsRemoved(r->decoration);
    if (WindowRecord* p = r->parentRecord()) {
        g.translate(p->clientOrigin());
    }
    if (r->isWindow() && !(r->style & WS_THICKFRAME)) {
        r->setFixedSize(g.size().expandedTo(QSize(1, 1)));
    }
    r->setGeometry(g);
    if (flags & SWP_SHOWWINDOW) {
        r->show();
    }
    return TRUE;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER | (repaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    if (rect != nullptr) {
        MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top,
                   repaint);
    }
}

void CWnd::CenterWindow(CWnd*) {
    WindowRecord* r = rec(this);
    if (r == nullptr || !r->isWindow()) {
        return;
    }
    CRect wr;
    GetWindowRect(&wr);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - wr.Width()) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - wr.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int CWnd::SetWindowRgn(HRGN region, BOOL redraw) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return 0;
    }
    if (r->windowRegion != nullptr && r->windowRegion != region) {
        ::DeleteObject(r->windowRegion);
    }
    r->windowRegion = region;
    auto* rg = live<RegionObject>(region, GdiObject::Kind::Region);
    if (rg == nullptr) {
        r->clearMask();
        r->windowRegion = nullptr;
    } else {
        // The region is in window coordinates, which start at the caption's corner.
        r->setMask(rg->region.translated(-r->decoration.left(), -r->decoration.top()));
    }
    if (redraw) {
        r->update();
    }
    return 1;
}

int CWnd::GetWindowRgn(HRGN region) const {
    WindowRecord* r = rec(this);
    if (r == nullptr || r->windowRegion == nullptr) {
        return ERROR;
    }
    return ::CombineRgn(region, r->windowRegion, nullptr, RGN_COPY);
}

// ---- family -------------------------------------------------------------------------------

CWnd* CWnd::GetParent() const {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return nullptr;
    }
    if (WindowRecord* p = r->parentRecord()) {
        return p->wnd();
    }
    // An owned top-level window answers its owner.
    auto* owner = dynamic_cast<WindowRecord*>(r->parentWidget());
    return owner != nullptr && !owner->dead ? owner->wnd() : nullptr;
}

CWnd* CWnd::GetTopLevelParent() const {
    WindowRecord* r = rec(this);
    while (r != nullptr && r->parentRecord() != nullptr) {
        r = r->parentRecord();
    }
    return r != nullptr ? r->wnd() : nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return nullptr;
    }
    for (WindowRecord* c : r->childRecords()) {
        if (c->id == id || WORD(c->id) == WORD(id)) {
            return c->wnd();
        }
    }
    return nullptr;
}

int CWnd::GetDlgCtrlID() const {
    WindowRecord* r = rec(this);
    return r != nullptr ? r->id : 0;
}

int CWnd::SetDlgCtrlID(int id) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return 0;
    }
    const int old = r->id;
    r->id = id;
    return old;
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return nullptr;
    }
    std::vector<WindowRecord*> items;
    for (WindowRecord* c : r->childRecords()) {
        if ((c->style & WS_TABSTOP) && c->isVisible() && c->isEnabled()) {
            items.push_back(c);
        }
    }
    if (items.empty()) {
        return nullptr;
    }
    WindowRecord* from = rec(control);
    auto it = std::find(items.begin(), items.end(), from);
    if (it == items.end()) {
        return items.front()->wnd();
    }
    const auto index = std::size_t(it - items.begin());
    const std::size_t n = items.size();
    return items[previous ? (index + n - 1) % n : (index + 1) % n]->wnd();
}

CWnd* CWnd::GetWindow(UINT relation) const {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return nullptr;
    }
    if (relation == GW_CHILD) {
        const auto children = r->childRecords();
        return children.empty() ? nullptr : children.front()->wnd();
    }
    if (relation == GW_HWNDNEXT && r->parentRecord() != nullptr) {
        const auto siblings = r->parentRecord()->childRecords();
        auto it = std::find(siblings.begin(), siblings.end(), r);
        if (it != siblings.end() && ++it != siblings.end()) {
            return (*it)->wnd();
        }
    }
    return nullptr;
}

namespace {
WindowRecord* record_of_widget(QWidget* w) {
    while (w != nullptr) {
        if (auto* r = dynamic_cast<WindowRecord*>(w); r != nullptr && !r->dead) {
            return r;
        }
        w = w->parentWidget();
    }
    return nullptr;
}
} // namespace

CWnd* CWnd::GetActiveWindow() {
    WindowRecord* r = record_of_widget(QApplication::activeWindow());
    return r != nullptr ? r->wnd() : nullptr;
}

CWnd* CWnd::GetFocus() {
    WindowRecord* r = record_of_widget(QApplication::focusWidget());
    return r != nullptr ? r->wnd() : nullptr;
}

CWnd* CWnd::GetCapture() {
    WindowRecord* r = record_of_widget(QWidget::mouseGrabber());
    return r != nullptr ? r->wnd() : nullptr;
}

CWnd* CWnd::WindowFromPoint(POINT p) {
    WindowRecord* r = record_of_widget(QApplication::widgetAt(QPoint(p.x, p.y)));
    return r != nullptr ? r->wnd() : nullptr;
}

CWnd* CWnd::GetDesktopWindow() {
    return nullptr;
}

BOOL CWnd::IsChild(const CWnd* other) const {
    WindowRecord* r = rec(this);
    WindowRecord* o = rec(other);
    for (; o != nullptr; o = o->parentRecord()) {
        if (o->parentRecord() == r) {
            return TRUE;
        }
    }
    return FALSE;
}

// ---- styles and text ----------------------------------------------------------------------

DWORD CWnd::GetStyle() const {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return 0;
    }
    return (r->style & ~(WS_VISIBLE | WS_DISABLED)) | (r->isVisible() ? WS_VISIBLE : 0) |
           (r->isEnabled() ? 0 : WS_DISABLED);
}

DWORD CWnd::GetExStyle() const {
    WindowRecord* r = rec(this);
    return r != nullptr ? r->exStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return FALSE;
    }
    const DWORD next = (r->style & ~remove) | add;
    if (next == r->style) {
        return FALSE;
    }
    r->style = next;
    r->invalidate(QRegion(r->clientRect()), true);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return FALSE;
    }
    r->exStyle = (r->exStyle & ~remove) | add;
    return TRUE;
}

void CWnd::SetWindowText(LPCTSTR text) {
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : ""));
}

int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const {
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    CString t;
    GetWindowText(t);
    const int n = std::min(t.GetLength(), maxCount - 1);
    std::memcpy(buffer, t.GetString(), std::size_t(n));
    buffer[n] = 0;
    return n;
}

void CWnd::GetWindowText(CString& text) const {
    WindowRecord* r = rec(this);
    text = r != nullptr ? CString(r->text.toStdString()) : CString();
}

int CWnd::GetWindowTextLength() const {
    CString t;
    GetWindowText(t);
    return t.GetLength();
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, WPARAM(font != nullptr ? HFONT(*font) : nullptr), redraw);
}

CFont* CWnd::GetFont() const {
    WindowRecord* r = rec(this);
    return r != nullptr && r->font != nullptr ? CFont::FromHandle(r->font) : nullptr;
}

void CWnd::SetIcon(HICON icon, BOOL) {
    WindowRecord* r = rec(this);
    auto* i = live<IconObject>(icon, GdiObject::Kind::Icon);
    if (r != nullptr && i != nullptr) {
        r->setWindowIcon(QIcon(QPixmap::fromImage(i->image)));
    }
}

// ---- painting -----------------------------------------------------------------------------

void CWnd::Invalidate(BOOL erase) {
    if (WindowRecord* r = rec(this)) {
        r->invalidate(QRegion(r->clientRect()), erase != FALSE);
    }
}

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return;
    }
    if (rect == nullptr) {
        Invalidate(erase);
        return;
    }
    const CRect rc(rect);
    if (!rc.IsRectEmpty()) {
        r->invalidate(QRegion(rc.left, rc.top, rc.Width(), rc.Height()), erase != FALSE);
    }
}

void CWnd::InvalidateRgn(CRgn* region, BOOL erase) {
    WindowRecord* r = rec(this);
    auto* rg = region != nullptr ? live<RegionObject>(region->m_hObject, GdiObject::Kind::Region)
                                 : nullptr;
    if (r != nullptr) {
        r->invalidate(rg != nullptr ? rg->region : QRegion(r->clientRect()), erase != FALSE);
    }
}

void CWnd::ValidateRect(LPCRECT rect) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return;
    }
    if (rect == nullptr) {
        r->invalid = QRegion();
        r->erasePending = false;
    } else {
        const CRect rc(rect);
        r->invalid -= QRegion(rc.left, rc.top, rc.Width(), rc.Height());
    }
}

BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL) {
    WindowRecord* r = rec(this);
    if (r == nullptr || r->invalid.isEmpty()) {
        if (rect != nullptr) {
            *rect = RECT{};
        }
        return FALSE;
    }
    const QRect b = r->invalid.boundingRect();
    if (rect != nullptr) {
        *rect = RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    }
    return TRUE;
}

void CWnd::UpdateWindow() {
    if (WindowRecord* r = rec(this)) {
        r->runPaint();
    }
}

BOOL CWnd::RedrawWindow(LPCRECT rect, CRgn* region, UINT flags) {
    if (flags & RDW_INVALIDATE) {
        if (region != nullptr) {
            InvalidateRgn(region, (flags & RDW_ERASE) != 0);
        } else {
            InvalidateRect(rect, (flags & RDW_ERASE) != 0);
        }
    }
    if (flags & RDW_UPDATENOW) {
        UpdateWindow();
    }
    return rec(this) != nullptr;
}

CDC* CWnd::GetDC() {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return nullptr;
    }
    auto* dc = new CDC;
    DcState* s = new_window_dc(r);
    dc->m_hDC = s;
    s->wrapper = dc;
    s->ownedByWrapper = true;
    return dc;
}

CDC* CWnd::GetWindowDC() {
    return GetDC();
}

int CWnd::ReleaseDC(CDC* dc) {
    delete dc;
    return 1;
}

// ---- state --------------------------------------------------------------------------------

BOOL CWnd::ShowWindow(int command) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return FALSE;
    }
    const BOOL was = r->isVisible();
    if (command == SW_HIDE) {
        r->hide();
    } else if (command == SW_MINIMIZE) {
        r->showMinimized();
    } else {
        r->show();
    }
    r->style = command == SW_HIDE ? (r->style & ~WS_VISIBLE) : (r->style | WS_VISIBLE);
    return was;
}

BOOL CWnd::IsWindowVisible() const {
    WindowRecord* r = rec(this);
    return r != nullptr && r->isVisible();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return FALSE;
    }
    const BOOL wasDisabled = !r->isEnabled();
    if (wasDisabled == !enable) {
        return wasDisabled;
    }
    r->setEnabled(enable != FALSE);
    r->style = enable ? (r->style & ~WS_DISABLED) : (r->style | WS_DISABLED);
    SendMessage(WM_ENABLE, enable ? 1 : 0, 0);
    r->invalidate(QRegion(r->clientRect()), true);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    WindowRecord* r = rec(this);
    return r != nullptr && r->isEnabled();
}

CWnd* CWnd::SetFocus() {
    CWnd* old = GetFocus();
    if (WindowRecord* r = rec(this)) {
        if (r->edit != nullptr) {
            r->edit->setFocus();
        } else {
            if (r->focusPolicy() == Qt::NoFocus) {
                r->setFocusPolicy(Qt::ClickFocus);
            }
            r->setFocus(Qt::OtherFocusReason);
        }
    }
    return old;
}

CWnd* CWnd::SetCapture() {
    CWnd* old = GetCapture();
    if (WindowRecord* r = rec(this); r != nullptr && r->isVisible()) {
        r->grabMouse();
    }
    return old;
}

BOOL CWnd::SetForegroundWindow() {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return FALSE;
    }
    r->window()->activateWindow();
    return TRUE;
}

void CWnd::BringWindowToTop() {
    if (WindowRecord* r = rec(this)) {
        r->raise();
    }
}

BOOL CWnd::IsIconic() const {
    WindowRecord* r = rec(this);
    return r != nullptr && r->isMinimized();
}

void CWnd::DragAcceptFiles(BOOL accept) {
    if (WindowRecord* r = rec(this)) {
        r->setAcceptDrops(accept != FALSE);
    }
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void*) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return 0;
    }
    QTimer*& t = r->timers[id];
    if (t == nullptr) {
        t = new QTimer(r);
        QPointer<WindowRecord> target(r);
        QObject::connect(t, &QTimer::timeout, r, [target, id] {
            if (!target.isNull() && !target->dead) {
                target->deliver(WM_TIMER, id, 0);
            }
        });
    }
    t->start(int(elapseMs));
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return FALSE;
    }
    auto it = r->timers.find(id);
    if (it == r->timers.end()) {
        return FALSE;
    }
    it->second->stop();
    it->second->deleteLater();
    r->timers.erase(it);
    return TRUE;
}

// ---- dialog-control helpers ---------------------------------------------------------------

void CWnd::CheckDlgButton(int id, UINT check) {
    SendDlgItemMessage(id, BM_SETCHECK, check, 0);
}
UINT CWnd::IsDlgButtonChecked(int id) const {
    CWnd* item = GetDlgItem(id);
    return item != nullptr ? UINT(item->SendMessage(BM_GETCHECK)) : 0;
}
void CWnd::CheckRadioButton(int first, int last, int checked) {
    for (int id = first; id <= last; ++id) {
        CheckDlgButton(id, id == checked ? BST_CHECKED : BST_UNCHECKED);
    }
}
int CWnd::GetCheckedRadioButton(int first, int last) const {
    for (int id = first; id <= last; ++id) {
        if (IsDlgButtonChecked(id) == BST_CHECKED) {
            return id;
        }
    }
    return 0;
}
void CWnd::SetDlgItemText(int id, LPCTSTR text) {
    if (CWnd* item = GetDlgItem(id)) {
        item->SetWindowText(text);
    }
}
int CWnd::GetDlgItemText(int id, CString& text) const {
    CWnd* item = GetDlgItem(id);
    if (item == nullptr) {
        text.Empty();
        return 0;
    }
    item->GetWindowText(text);
    return text.GetLength();
}
UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL) const {
    CString t;
    GetDlgItemText(id, t);
    char* end = nullptr;
    const long v = std::strtol(t.GetString(), &end, 10);
    const bool ok = end != t.GetString() && *end == 0;
    if (translated != nullptr) {
        *translated = ok;
    }
    return ok ? UINT(v) : 0;
}
void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) {
    CString t;
    t.Format(isSigned ? "%d" : "%u", isSigned ? int(value) : value);
    SetDlgItemText(id, t);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return;
    }
    for (WindowRecord* c : r->childRecords()) {
        dispatch(c, message, wParam, lParam);
        if (deep) {
            c->wnd()->SendMessageToDescendants(message, wParam, lParam, deep);
        }
    }
}

CMenu* CWnd::GetMenu() const {
    WindowRecord* r = rec(this);
    return r != nullptr && r->menu != nullptr ? CMenu::FromHandle(r->menu) : nullptr;
}

// ---- default handlers ---------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) {
    return int(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return BOOL(Default());
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
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    return BOOL(Default());
}
void CWnd::OnSetFocus(CWnd*) {
    Default();
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
void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
    const MSG* m = GetCurrentMessage();
    LRESULT r = 0;
    if (m == nullptr || !ReflectChildNotify(m->message, m->wParam, m->lParam, &r)) {
        Default();
    }
}
void CWnd::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
    OnHScroll(code, pos, bar);
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
void CWnd::OnDropFiles(HDROP) {
    Default();
}
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) {
    Default();
}
void CWnd::OnNcLButtonDown(UINT, CPoint) {
    Default();
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

// ---- free forms ---------------------------------------------------------------------------

LRESULT SendMessage(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return dispatch(live_window(wnd), message, wParam, lParam);
}
BOOL IsWindow(HWND wnd) {
    return live_window(wnd) != nullptr;
}
HWND GetParent(HWND wnd) {
    CWnd* w = CWnd::FromHandle(wnd);
    CWnd* p = w != nullptr ? w->GetParent() : nullptr;
    return p != nullptr ? p->m_hWnd : nullptr;
}
BOOL GetClientRect(HWND wnd, LPRECT rect) {
    CWnd* w = CWnd::FromHandle(wnd);
    if (w == nullptr) {
        return FALSE;
    }
    w->GetClientRect(rect);
    return TRUE;
}
BOOL GetWindowRect(HWND wnd, LPRECT rect) {
    CWnd* w = CWnd::FromHandle(wnd);
    if (w == nullptr) {
        return FALSE;
    }
    w->GetWindowRect(rect);
    return TRUE;
}
BOOL InvalidateRect(HWND wnd, const RECT* rect, BOOL erase) {
    CWnd* w = CWnd::FromHandle(wnd);
    if (w == nullptr) {
        return FALSE;
    }
    w->InvalidateRect(rect, erase);
    return TRUE;
}
BOOL UpdateWindow(HWND wnd) {
    CWnd* w = CWnd::FromHandle(wnd);
    if (w == nullptr) {
        return FALSE;
    }
    w->UpdateWindow();
    return TRUE;
}
int SetWindowRgn(HWND wnd, HRGN region, BOOL redraw) {
    CWnd* w = CWnd::FromHandle(wnd);
    return w != nullptr ? w->SetWindowRgn(region, redraw) : 0;
}
BOOL EnableWindow(HWND wnd, BOOL enable) {
    CWnd* w = CWnd::FromHandle(wnd);
    return w != nullptr ? w->EnableWindow(enable) : FALSE;
}
BOOL IsWindowEnabled(HWND wnd) {
    CWnd* w = CWnd::FromHandle(wnd);
    return w != nullptr && w->IsWindowEnabled();
}
HWND SetFocus(HWND wnd) {
    CWnd* w = CWnd::FromHandle(wnd);
    CWnd* old = w != nullptr ? w->SetFocus() : nullptr;
    return old != nullptr ? old->m_hWnd : nullptr;
}
HWND GetFocus() {
    CWnd* w = CWnd::GetFocus();
    return w != nullptr ? w->m_hWnd : nullptr;
}
HWND GetActiveWindow() {
    CWnd* w = CWnd::GetActiveWindow();
    return w != nullptr ? w->m_hWnd : nullptr;
}
HWND SetCapture(HWND wnd) {
    CWnd* w = CWnd::FromHandle(wnd);
    CWnd* old = w != nullptr ? w->SetCapture() : nullptr;
    return old != nullptr ? old->m_hWnd : nullptr;
}
BOOL ReleaseCapture() {
    if (QWidget* g = QWidget::mouseGrabber()) {
        g->releaseMouse();
    }
    return TRUE;
}
HWND GetCapture() {
    CWnd* w = CWnd::GetCapture();
    return w != nullptr ? w->m_hWnd : nullptr;
}
HWND WindowFromPoint(POINT p) {
    CWnd* w = CWnd::WindowFromPoint(p);
    return w != nullptr ? w->m_hWnd : nullptr;
}
BOOL ScreenToClient(HWND wnd, LPPOINT p) {
    CWnd* w = CWnd::FromHandle(wnd);
    if (w == nullptr) {
        return FALSE;
    }
    w->ScreenToClient(p);
    return TRUE;
}
BOOL ClientToScreen(HWND wnd, LPPOINT p) {
    CWnd* w = CWnd::FromHandle(wnd);
    if (w == nullptr) {
        return FALSE;
    }
    w->ClientToScreen(p);
    return TRUE;
}
