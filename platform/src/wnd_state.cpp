// CWnd: painting requests, state, timers, dialog-control helpers, and the free forms on
// window handles.

#include "dc_state.h"
#include "window_record.h"

#include "zel/platform/controls.h"
#include "zel/platform/menu.h"
#include "zel/platform/resources.h"
#include "zel/platform/system.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

using namespace zel::platform::detail;

namespace {
WindowRecord* rec(const CWnd* w) {
    return w != nullptr ? live_window(w->m_hWnd) : nullptr;
}
} // namespace

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
