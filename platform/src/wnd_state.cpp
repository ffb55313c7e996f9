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

BOOL CWnd::SetForegroundWindow() {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return FALSE;
    }
    r->window()->activateWindow();
    return TRUE;
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
