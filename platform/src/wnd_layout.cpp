// CWnd: geometry, the family of windows, styles and text.

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
    // Qt holds back the resize event of a window that is not shown yet; the client area
    // follows at once all the same.
    r->resizeSurface();
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

CWnd* CWnd::WindowFromPoint(POINT p) {
    WindowRecord* r = record_of_widget(QApplication::widgetAt(QPoint(p.x, p.y)));
    return r != nullptr ? r->wnd() : nullptr;
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

void CWnd::SetWindowText(LPCTSTR text) {
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : ""));
}

void CWnd::GetWindowText(CString& text) const {
    WindowRecord* r = rec(this);
    text = r != nullptr ? CString(r->text.toStdString()) : CString();
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
