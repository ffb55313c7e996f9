// Contexts on windows: the paint context (erase, clip to the invalid area, validate) and the
// client context usable at any time.

#include "dc_state.h"
#include "window_record.h"

using namespace zel::platform::detail;

CPaintDC::CPaintDC(CWnd* wnd) : m_wnd(wnd) {
    WindowRecord* r = wnd != nullptr ? live_window(wnd->m_hWnd) : nullptr;
    if (r == nullptr) {
        return;
    }
    const QRegion area = r->invalid.isEmpty() ? QRegion(r->clientRect()) : r->invalid;
    const QRect b = area.boundingRect();
    m_rcPaint = RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    DcState* s = new_window_dc(r);
    s->paintClip = area;
    s->wrapper = this;
    s->ownedByWrapper = true;
    m_hDC = s;
    // The area is valid from here on; an erase that the window asked for runs first.
    r->invalid = QRegion();
    const bool erase = r->erasePending;
    r->erasePending = false;
    if (erase) {
        QPointer<WindowRecord> guard(r);
        m_fErase = dispatch(r, WM_ERASEBKGND, WPARAM(m_hDC), 0) == 0;
        if (guard.isNull()) {
            return;
        }
    }
}

CPaintDC::~CPaintDC() = default;

// Without a window the context is the screen's, as GetDC(nullptr).
CClientDC::CClientDC(CWnd* wnd) {
    WindowRecord* r = wnd != nullptr ? live_window(wnd->m_hWnd) : nullptr;
    if (wnd != nullptr && r == nullptr) {
        return;
    }
    DcState* s = r != nullptr ? new_window_dc(r) : new DcState(DcState::Target::Screen);
    s->wrapper = this;
    s->ownedByWrapper = true;
    m_hDC = s;
}

CWindowDC::CWindowDC(CWnd* wnd) {
    WindowRecord* r = wnd != nullptr ? live_window(wnd->m_hWnd) : nullptr;
    DcState* s = r != nullptr ? new_window_dc(r) : new DcState(DcState::Target::Screen);
    s->wrapper = this;
    s->ownedByWrapper = true;
    m_hDC = s;
}

HDC GetDC(HWND wnd) {
    WindowRecord* r = live_window(wnd);
    return r != nullptr ? new_window_dc(r) : new DcState(DcState::Target::Screen);
}

HDC GetWindowDC(HWND wnd) {
    return GetDC(wnd);
}

int ReleaseDC(HWND, HDC dc) {
    DcState* s = live_dc(dc);
    if (s == nullptr || s->wrapper != nullptr) {
        return 0;
    }
    delete s;
    return 1;
}
