// The standard controls: their classes and the behaviour of their window kinds (clicks,
// checking, classic drawing, owner-draw requests, static texts and frames, edit fields, scroll
// bars) and tooltips.

#include "dc_state.h"
#include "window_record.h"

#include "zel/platform/controls.h"
#include "zel/platform/resources.h"
#include "zel/platform/system.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

using namespace zel::platform::detail;

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

WindowRecord* rec(const CWnd* w) {
    return w != nullptr ? live_window(w->m_hWnd) : nullptr;
}
DWORD type_of(WindowRecord* r) {
    return r->style & BS_TYPEMASK;
}
// Buttons redraw a change of state at once, as their owners expect to see each state drawn.
void repaint(WindowRecord* r) {
    r->invalidate(QRegion(r->clientRect()), false);
    if (r->kind == WindowKind::Button && r->isVisible()) {
        r->runPaint();
    }
}

void notify_parent(WindowRecord* r, UINT code) {
    if (WindowRecord* p = r->parentRecord()) {
        dispatch(p, WM_COMMAND, MAKEWPARAM(WORD(r->id), WORD(code)), reinterpret_cast<LPARAM>(r));
    }
}

void click(WindowRecord* r) {
    QPointer<WindowRecord> guard(r);
    const DWORD type = type_of(r);
    if (type == BS_AUTOCHECKBOX) {
        r->checked = r->checked != 0 ? 0 : 1;
        repaint(r);
    } else if (type == BS_AUTORADIOBUTTON) {
        if (WindowRecord* p = r->parentRecord()) {
            // Unchecks the other radio buttons of the group (up to the next WS_GROUP).
            const auto siblings = p->childRecords();
            auto it = std::find(siblings.begin(), siblings.end(), r);
            auto first = it;
            while (first != siblings.begin() && !((*first)->style & WS_GROUP)) {
                --first;
            }
            for (auto s = first; s != siblings.end(); ++s) {
                if (s != first && ((*s)->style & WS_GROUP)) {
                    break;
                }
                if ((*s)->kind == WindowKind::Button && type_of(*s) == BS_AUTORADIOBUTTON &&
                    *s != r && (*s)->checked != 0) {
                    (*s)->checked = 0;
                    repaint(*s);
                }
            }
        }
        r->checked = 1;
        repaint(r);
    }
    if (!guard.isNull()) {
        notify_parent(r, BN_CLICKED);
    }
}

void draw_classic_button(WindowRecord* r, CDC& dc) {
    CRect rc(0, 0, r->surface.width(), r->surface.height());
    const DWORD type = type_of(r);
    const bool enabled = r->isEnabled();
    CFont* font = CFont::FromHandle(
        r->font != nullptr ? r->font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const CString caption(r->text.toStdString());
    if (type == BS_GROUPBOX) {
        CRect frame = rc;
        frame.top += 6;
        dc.Draw3dRect(&frame, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        CRect label(8, 0, rc.right - 8, 14);
        dc.SetBkMode(OPAQUE);
        dc.SetBkColor(GetSysColor(COLOR_BTNFACE));
        dc.DrawText(caption, &label, DT_LEFT | DT_SINGLELINE);
        return;
    }
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
        type == BS_AUTORADIOBUTTON || type == BS_3STATE) {
        dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
        const int top = (rc.Height() - 13) / 2;
        CRect box(0, top, 13, top + 13);
        dc.FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
        dc.Draw3dRect(&box, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        if (r->checked != 0) {
            CRect mark(3, top + 3, 10, top + 10);
            dc.FillSolidRect(&mark, GetSysColor(COLOR_WINDOWTEXT));
        }
        CRect label(17, 0, rc.right, rc.bottom);
        dc.DrawText(caption, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    // Push buttons: raised, or sunken while pushed; the default button has a black frame.
    dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNFACE));
    CRect edge = rc;
    if (type == BS_DEFPUSHBUTTON) {
        dc.Draw3dRect(&edge, 0, 0);
        edge.DeflateRect(1, 1);
    }
    if (r->highlighted) {
        dc.Draw3dRect(&edge, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
    } else {
        dc.Draw3dRect(&edge, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        edge.DeflateRect(1, 1);
        dc.Draw3dRect(&edge, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
    CRect label = rc;
    if (r->highlighted) {
        label.OffsetRect(1, 1);
    }
    dc.DrawText(caption, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (r->hasFocus()) {
        CRect focus = rc;
        focus.DeflateRect(4, 4);
        dc.DrawFocusRect(&focus);
    }
}

void paint_button(WindowRecord* r) {
    QPointer<WindowRecord> guard(r);
    CPaintDC dc(r->wnd());
    if (guard.isNull() || r->dead) {
        return;
    }
    if (type_of(r) != BS_OWNERDRAW) {
        draw_classic_button(r, dc);
        return;
    }
    // Owner-drawn: the parent draws (and passes the request back to the control's DrawItem).
    DRAWITEMSTRUCT dis;
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = UINT(r->id);
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = (r->highlighted ? ODS_SELECTED : 0) | (r->hasFocus() ? ODS_FOCUS : 0) |
                    (r->isEnabled() ? 0 : ODS_DISABLED);
    dis.hwndItem = r;
    dis.hDC = dc.m_hDC;
    dis.rcItem = RECT{0, 0, r->surface.width(), r->surface.height()};
    if (WindowRecord* p = r->parentRecord()) {
        dispatch(p, WM_DRAWITEM, WPARAM(r->id), reinterpret_cast<LPARAM>(&dis));
    } else if (CButton* b = dynamic_cast<CButton*>(r->object)) {
        b->DrawItem(&dis);
    }
}

} // namespace

namespace zel::platform::detail {

LRESULT button_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint_button(r);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        r->pressed = true;
        r->highlighted = true;
        r->wnd()->SetFocus();
        repaint(r);
        return 0;
    case WM_MOUSEMOVE:
        if (r->pressed) {
            const bool inside =
                r->clientRect().contains(QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            if (inside != r->highlighted) {
                r->highlighted = inside;
                repaint(r);
            }
        }
        return plain_proc(r, message, wParam, lParam);
    case WM_LBUTTONUP:
        if (r->pressed) {
            r->pressed = false;
            const bool inside = r->highlighted;
            r->highlighted = false;
            repaint(r);
            if (inside) {
                click(r);
            }
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE) {
            click(r);
        }
        return 0;
    case BM_CLICK:
        click(r);
        return 0;
    case BM_GETCHECK:
        return r->checked;
    case BM_SETCHECK:
        if (r->checked != int(wParam)) {
            r->checked = int(wParam);
            repaint(r);
        }
        return 0;
    case BM_GETSTATE:
        return r->checked | (r->highlighted ? BST_PUSHED : 0) | (r->hasFocus() ? BST_FOCUS : 0);
    case BM_SETSTATE:
        if (r->highlighted != (wParam != 0)) {
            r->highlighted = wParam != 0;
            repaint(r);
        }
        return 0;
    case BM_SETSTYLE:
        r->style = (r->style & 0xFFFF0000) | LOWORD(wParam);
        if (lParam != 0) {
            repaint(r);
        }
        return 0;
    case WM_GETDLGCODE: {
        const DWORD type = type_of(r);
        return DLGC_BUTTON |
               (type == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON
                                         : (type == BS_PUSHBUTTON ? DLGC_UNDEFPUSHBUTTON : 0));
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        repaint(r);
        return 0;
    case WM_SETTEXT:
        r->text = QString::fromUtf8(reinterpret_cast<LPCTSTR>(lParam));
        repaint(r);
        return 1;
    default:
        return plain_proc(r, message, wParam, lParam);
    }
}

LRESULT static_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        QPointer<WindowRecord> guard(r);
        CPaintDC dc(r->wnd());
        if (guard.isNull() || r->dead) {
            return 0;
        }
        CRect rc(0, 0, r->surface.width(), r->surface.height());
        dc.SelectObject(CFont::FromHandle(
            r->font != nullptr ? r->font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
        const DWORD type = r->style & SS_TYPEMASK;
        HBRUSH brush = nullptr;
        if (WindowRecord* p = r->parentRecord()) {
            brush = reinterpret_cast<HBRUSH>(
                dispatch(p, WM_CTLCOLORSTATIC, WPARAM(dc.m_hDC), LPARAM(r)));
        }
        auto* b = live<BrushObject>(brush, GdiObject::Kind::Brush);
        const bool frameOnly = type == SS_BLACKFRAME || type == SS_GRAYFRAME ||
                               type == SS_WHITEFRAME || type == SS_ETCHEDFRAME ||
                               type == SS_ETCHEDHORZ;
        if (b != nullptr && b->style != BS_NULL && !frameOnly) {
            dc.FillRect(&rc, CBrush::FromHandle(brush));
        }
        switch (type) {
        case SS_BLACKFRAME:
            dc.Draw3dRect(&rc, 0, 0);
            break;
        case SS_GRAYFRAME:
            dc.Draw3dRect(&rc, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW));
            break;
        case SS_WHITEFRAME:
            dc.Draw3dRect(&rc, RGB(255, 255, 255), RGB(255, 255, 255));
            break;
        case SS_ETCHEDFRAME:
            dc.DrawEdge(&rc, EDGE_ETCHED, BF_RECT);
            break;
        case SS_ETCHEDHORZ:
            dc.DrawEdge(&rc, EDGE_ETCHED, BF_TOP);
            break;
        case SS_BLACKRECT:
            dc.FillSolidRect(&rc, 0);
            break;
        case SS_GRAYRECT:
            dc.FillSolidRect(&rc, GetSysColor(COLOR_BTNSHADOW));
            break;
        case SS_WHITERECT:
            dc.FillSolidRect(&rc, RGB(255, 255, 255));
            break;
        case SS_ICON:
            if (r->staticIcon != nullptr) {
                dc.DrawIcon(0, 0, r->staticIcon);
            }
            break;
        case SS_BITMAP:
            if (r->staticBitmap != nullptr) {
                CDC mem;
                mem.CreateCompatibleDC(&dc);
                CBitmap* old = mem.SelectObject(CBitmap::FromHandle(r->staticBitmap));
                BITMAP bm;
                ::GetObject(r->staticBitmap, sizeof bm, &bm);
                dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &mem, 0, 0, SRCCOPY);
                mem.SelectObject(old);
            }
            break;
        default: {
            const UINT align =
                type == SS_CENTER ? DT_CENTER : (type == SS_RIGHT ? DT_RIGHT : DT_LEFT);
            const UINT vertical =
                (r->style & SS_CENTERIMAGE) ? (DT_VCENTER | DT_SINGLELINE) : DT_WORDBREAK;
            if (!r->isEnabled()) {
                dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
            }
            if (b == nullptr || b->style == BS_NULL) {
                dc.SetBkMode(TRANSPARENT);
            }
            dc.DrawText(CString(r->text.toStdString()), &rc, align | vertical);
            break;
        }
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONUP:
        if (r->style & SS_NOTIFY) {
            notify_parent(r, STN_CLICKED);
        }
        return 0;
    case WM_SETTEXT:
        r->text = QString::fromUtf8(reinterpret_cast<LPCTSTR>(lParam));
        r->invalidate(QRegion(r->clientRect()), true);
        return 1;
    default:
        return plain_proc(r, message, wParam, lParam);
    }
}

void shape_static_frame(WindowRecord* r) {
    int line = 0;
    switch (r->style & SS_TYPEMASK) {
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
        line = 1;
        break;
    case SS_ETCHEDFRAME:
    case SS_ETCHEDHORZ:
        line = 2;
        break;
    default:
        return;
    }
    const QRect outer = r->rect();
    QRect inner = outer.adjusted(line, line, -line, -line);
    if ((r->style & SS_TYPEMASK) == SS_ETCHEDHORZ) {
        inner = outer.adjusted(0, line, 0, 0);
    }
    r->setMask(QRegion(outer).subtracted(QRegion(inner)));
}

void setup_edit(WindowRecord* r) {
    r->edit = new QLineEdit(r);
    r->edit->setGeometry(r->rect().marginsRemoved(r->nonClient));
    r->edit->setFrame(false);
    r->edit->setText(r->text);
    r->edit->setFont(window_font(r));
    r->edit->show();
    r->setFocusProxy(r->edit);
    QPointer<WindowRecord> target(r);
    QObject::connect(r->edit, &QLineEdit::textChanged, r, [target](const QString& t) {
        if (!target.isNull() && !target->dead) {
            target->text = t;
            notify_parent(target, EN_CHANGE);
        }
    });
}

LRESULT edit_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:
        r->text = QString::fromUtf8(reinterpret_cast<LPCTSTR>(lParam));
        if (r->edit != nullptr && r->edit->text() != r->text) {
            r->edit->setText(r->text);
        }
        return 1;
    case WM_SETFONT:
        r->font = reinterpret_cast<HFONT>(wParam);
        if (r->edit != nullptr) {
            r->edit->setFont(window_font(r));
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return plain_proc(r, message, wParam, lParam);
    }
}

// A picture static whose text names a resource ("#311" or "311") shows that picture of the
// program, as a template's picture statics do.
void setup_static(WindowRecord* r) {
    const DWORD type = r->style & SS_TYPEMASK;
    if (type != SS_BITMAP && type != SS_ICON) {
        return;
    }
    QString name = r->text;
    if (name.startsWith('#')) {
        name.remove(0, 1);
    }
    bool number = false;
    const UINT id = name.toUInt(&number);
    if (!number || id == 0 || id > 0xFFFF) {
        return;
    }
    if (type == SS_BITMAP) {
        r->staticBitmap = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
    } else {
        r->staticIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
    }
}

void setup_scroll_bar(WindowRecord* r) {
    r->bar = new QScrollBar((r->style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, r);
    r->bar->setGeometry(r->rect());
    r->bar->setRange(r->barMin, r->barMax);
    r->bar->show();
    QPointer<WindowRecord> target(r);
    auto report = [target](UINT code, int pos) {
        if (target.isNull() || target->dead) {
            return;
        }
        if (WindowRecord* p = target->parentRecord()) {
            const UINT msg = (target->style & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
            dispatch(p, msg, MAKEWPARAM(WORD(code), WORD(pos)),
                     reinterpret_cast<LPARAM>(target.data()));
        }
    };
    QObject::connect(r->bar, &QAbstractSlider::actionTriggered, r, [target, report](int action) {
        if (target.isNull() || target->dead) {
            return;
        }
        const int pos = target->bar->sliderPosition();
        // The thumb stays where the owner puts it.
        {
            const QSignalBlocker quiet(target->bar);
            target->bar->setSliderPosition(target->barPos);
        }
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            report(SB_LINEUP, 0);
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            report(SB_LINEDOWN, 0);
            break;
        case QAbstractSlider::SliderPageStepSub:
            report(SB_PAGEUP, 0);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            report(SB_PAGEDOWN, 0);
            break;
        case QAbstractSlider::SliderToMinimum:
            report(SB_TOP, 0);
            break;
        case QAbstractSlider::SliderToMaximum:
            report(SB_BOTTOM, 0);
            break;
        case QAbstractSlider::SliderMove:
            report(SB_THUMBTRACK, pos);
            return;
        default:
            return;
        }
        report(SB_ENDSCROLL, 0);
    });
    QObject::connect(r->bar, &QAbstractSlider::sliderReleased, r, [target, report] {
        if (!target.isNull() && !target->dead) {
            report(SB_THUMBPOSITION, target->bar->sliderPosition());
            report(SB_ENDSCROLL, 0);
        }
    });
}

LRESULT scroll_bar_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    return plain_proc(r, message, wParam, lParam);
}

} // namespace zel::platform::detail

// ---- classes ------------------------------------------------------------------------------

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("BUTTON", caption, style, rect, parent, id);
}
void CButton::SetCheck(int check) {
    SendMessage(BM_SETCHECK, WPARAM(check));
}
void CButton::SetState(BOOL highlight) {
    SendMessage(BM_SETSTATE, WPARAM(highlight));
}
UINT CButton::GetButtonStyle() const {
    WindowRecord* r = rec(this);
    return r != nullptr ? UINT(r->style & 0xFFFF) : 0;
}
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (result != nullptr) {
            *result = TRUE;
        }
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}

int CScrollBar::GetScrollPos() const {
    WindowRecord* r = rec(this);
    return r != nullptr ? r->barPos : 0;
}
int CScrollBar::SetScrollPos(int pos, BOOL) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return 0;
    }
    const int old = r->barPos;
    r->barPos = std::clamp(pos, r->barMin, r->barMax);
    if (r->bar != nullptr) {
        // Moving the thumb from here is no user action: nothing is reported.
        const QSignalBlocker quiet(r->bar);
        r->bar->setSliderPosition(r->barPos);
    }
    return old;
}
void CScrollBar::GetScrollRange(int* minPos, int* maxPos) const {
    WindowRecord* r = rec(this);
    if (minPos != nullptr)
        *minPos = r != nullptr ? r->barMin : 0;
    if (maxPos != nullptr)
        *maxPos = r != nullptr ? r->barMax : 0;
}
void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL redraw) {
    WindowRecord* r = rec(this);
    if (r == nullptr) {
        return;
    }
    r->barMin = minPos;
    r->barMax = std::max(minPos, maxPos);
    if (r->bar != nullptr) {
        const QSignalBlocker quiet(r->bar);
        r->bar->setRange(r->barMin, r->barMax);
    }
    SetScrollPos(r->barPos, redraw);
}

// ---- tooltips -----------------------------------------------------------------------------

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CWnd::CreateEx(0, nullptr, "", WS_POPUP | style, CRect(0, 0, 1, 1), parent, 0);
}

void CToolTipCtrl::Apply() {
    for (const Tool& t : m_tools) {
        if (WindowRecord* r = rec(t.wnd)) {
            r->setToolTip(m_active ? QString::fromUtf8(t.text.GetString()) : QString());
        }
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, LPCTSTR text, LPCRECT, UINT_PTR toolId) {
    if (wnd == nullptr || m_hWnd == nullptr) {
        return FALSE;
    }
    m_tools.push_back(Tool{wnd, toolId, CString(text)});
    Apply();
    return TRUE;
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR toolId) {
    for (Tool& t : m_tools) {
        if (t.wnd == wnd && t.id == toolId) {
            t.text = text;
        }
    }
    Apply();
}

void CToolTipCtrl::GetText(CString& text, CWnd* wnd, UINT_PTR toolId) const {
    text.Empty();
    for (const Tool& t : m_tools) {
        if (t.wnd == wnd && t.id == toolId) {
            text = t.text;
        }
    }
}

int CToolTipCtrl::GetToolCount() const {
    return int(m_tools.size());
}

void CToolTipCtrl::Activate(BOOL activate) {
    m_active = activate;
    Apply();
}

// Qt shows tooltips from the tool windows' own events; nothing needs relaying.
void CToolTipCtrl::RelayEvent(LPMSG) {}

int CToolTipCtrl::SetMaxTipWidth(int width) {
    const int old = m_maxWidth;
    m_maxWidth = width;
    return old;
}

BOOL CToolTipCtrl::DestroyWindow() {
    for (const Tool& t : m_tools) {
        if (WindowRecord* r = rec(t.wnd)) {
            r->setToolTip(QString());
        }
    }
    m_tools.clear();
    return CWnd::DestroyWindow();
}
