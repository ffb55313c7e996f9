// The widget behind every window, and the one place where Qt's events become messages.

#include "window_record.h"

#include "dc_state.h"
#include "zel/platform/controls.h"
#include "zel/platform/menu.h"
#include "zel/platform/system.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>

#include <cstring>
#include <unordered_set>

namespace zel::platform::detail {

namespace {

std::unordered_set<const void*>& window_set() {
    static auto* set = new std::unordered_set<const void*>;
    return *set;
}

const QEvent::Type kPostedMessage = QEvent::Type(QEvent::User + 101);
const QEvent::Type kPaintRequest = QEvent::Type(QEvent::User + 102);

struct PostedMessage : QEvent {
    PostedMessage(UINT m, WPARAM w, LPARAM l)
        : QEvent(kPostedMessage), message(m), wParam(w), lParam(l) {}
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

UINT virtual_key(const QKeyEvent* e) {
    const int k = e->key();
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) {
        return UINT(k);
    }
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) {
        return VK_F1 + UINT(k - Qt::Key_F1);
    }
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    default:
        return 0;
    }
}

UINT mouse_flags(Qt::MouseButtons b, Qt::KeyboardModifiers m) {
    UINT f = 0;
    f |= (b & Qt::LeftButton) ? MK_LBUTTON : 0;
    f |= (b & Qt::RightButton) ? MK_RBUTTON : 0;
    f |= (m & Qt::ShiftModifier) ? MK_SHIFT : 0;
    f |= (m & Qt::ControlModifier) ? MK_CONTROL : 0;
    return f;
}

QRect g_cursorClip;
bool g_cursorClipped = false;

} // namespace

const QRect* cursor_clip() {
    return g_cursorClipped ? &g_cursorClip : nullptr;
}
void set_cursor_clip(const QRect* r) {
    g_cursorClipped = r != nullptr;
    if (r != nullptr) {
        g_cursorClip = *r;
    }
}

WindowRecord* live_window(HWND wnd) {
    if (wnd == nullptr || window_set().count(wnd) == 0) {
        return nullptr;
    }
    return wnd->dead ? nullptr : wnd;
}

void ensure_application() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "zel-editor";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

WindowRecord::WindowRecord(WindowKind k, QWidget* parent) : QWidget(parent), kind(k) {
    window_set().insert(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

WindowRecord::~WindowRecord() {
    window_set().erase(this);
    dead = true;
    if (object != nullptr && object->m_hWnd == this) {
        object->m_hWnd = nullptr;
    }
    if (windowRegion != nullptr) {
        ::DeleteObject(windowRegion);
    }
    // A picture static's picture comes from its template's resource number and is its own.
    if (staticBitmap != nullptr) {
        ::DeleteObject(staticBitmap);
    }
    if (staticIcon != nullptr) {
        ::DestroyIcon(staticIcon);
    }
}

CWnd* WindowRecord::wnd() {
    if (object != nullptr) {
        return object;
    }
    if (!placeholder) {
        // A stand-in of the kind's class, so a control found by its id can be used as one.
        switch (kind) {
        case WindowKind::Button:
            placeholder = std::make_unique<CButton>();
            break;
        case WindowKind::Static:
            placeholder = std::make_unique<CStatic>();
            break;
        case WindowKind::ScrollBar:
            placeholder = std::make_unique<CScrollBar>();
            break;
        default:
            placeholder = std::make_unique<CWnd>();
            break;
        }
        placeholder->m_hWnd = this;
    }
    return placeholder.get();
}

QRect WindowRecord::clientRect() const {
    return QRect(QPoint(0, 0), surface.size());
}

WindowRecord* WindowRecord::parentRecord() const {
    if (isWindow()) {
        return nullptr;
    }
    return dynamic_cast<WindowRecord*>(parentWidget());
}

std::vector<WindowRecord*> WindowRecord::childRecords() const {
    std::vector<WindowRecord*> out;
    for (QObject* o : children()) {
        auto* r = dynamic_cast<WindowRecord*>(o);
        if (r != nullptr && !r->dead && !r->isWindow()) {
            out.push_back(r);
        }
    }
    return out;
}

void WindowRecord::resizeSurface() {
    const QSize client = size().shrunkBy(nonClient).expandedTo(QSize(1, 1));
    if (surface.size() == client) {
        return;
    }
    QImage next(client, QImage::Format_RGB32);
    next.fill(qcolor(GetSysColor(kind == WindowKind::Plain ? COLOR_WINDOW : COLOR_BTNFACE)));
    if (!surface.isNull()) {
        QPainter p(&next);
        p.drawImage(0, 0, surface);
    }
    surface = next;
}

void WindowRecord::invalidate(const QRegion& region, bool erase) {
    if (dead) {
        return;
    }
    invalid |= region & QRegion(clientRect());
    erasePending = erasePending || erase;
    if (!invalid.isEmpty()) {
        postPaint();
    }
}

void WindowRecord::postPaint() {
    if (!paintPosted) {
        paintPosted = true;
        QCoreApplication::postEvent(this, new QEvent(kPaintRequest), Qt::LowEventPriority);
    }
}

void WindowRecord::runPaint() {
    paintPosted = false;
    if (dead || invalid.isEmpty()) {
        return;
    }
    QPointer<WindowRecord> self(this);
    dispatch(this, WM_PAINT, 0, 0);
    if (self.isNull() || dead) {
        return;
    }
    // A paint handler that did not validate would be asked again forever.
    invalid = QRegion();
    erasePending = false;
    update();
}

void WindowRecord::deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    if (dead) {
        return;
    }
    MSG msg;
    msg.hwnd = this;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    GetCursorPos(&msg.pt);
    // Pre-translation runs from the target up to its top-level window; any step may take the
    // message (accelerators, dialog keys, tooltips) or change it.
    for (WindowRecord* r = this; r != nullptr; r = r->parentRecord()) {
        QPointer<WindowRecord> guard(r);
        if (r->object != nullptr && r->object->PreTranslateMessage(&msg)) {
            return;
        }
        if (guard.isNull() || r->dead) {
            return;
        }
    }
    if (WindowRecord* target = live_window(msg.hwnd)) {
        dispatch(target, msg.message, msg.wParam, msg.lParam);
    }
}

bool WindowRecord::event(QEvent* e) {
    if (e->type() == kPostedMessage) {
        auto* m = static_cast<PostedMessage*>(e);
        deliver(m->message, m->wParam, m->lParam);
        return true;
    }
    if (e->type() == kPaintRequest) {
        runPaint();
        return true;
    }
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate) {
        if (isWindow() && !dead) {
            dispatch(this, WM_ACTIVATE,
                     e->type() == QEvent::WindowActivate ? WA_ACTIVE : WA_INACTIVE, 0);
        }
    }
    return QWidget::event(e);
}

void WindowRecord::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.setClipRegion(e->region());
    p.drawImage(clientOrigin(), surface);
    if (!isWindow() && (style & WS_BORDER)) {
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    } else if (!isWindow() && (exStyle & WS_EX_CLIENTEDGE)) {
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.setPen(qcolor(GetSysColor(COLOR_BTNSHADOW)));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(qcolor(GetSysColor(COLOR_BTNHIGHLIGHT)));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
}

void WindowRecord::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (dead) {
        return;
    }
    if (menuBar != nullptr) {
        menuBar->setGeometry(0, 0, width(), menuBar->height());
    }
    resizeSurface();
    if (kind == WindowKind::Static) {
        shape_static_frame(this);
    }
    invalidate(QRegion(clientRect()), true);
    dispatch(this, WM_SIZE, SIZE_RESTORED,
             MAKELPARAM(WORD(surface.width()), WORD(surface.height())));
}

void WindowRecord::mouseMessage(UINT message, QMouseEvent* e) {
    QPoint global = e->globalPosition().toPoint();
    if (const QRect* clip = cursor_clip()) {
        global.setX(std::clamp(global.x(), clip->left(), clip->right()));
        global.setY(std::clamp(global.y(), clip->top(), clip->bottom()));
    }
    const QPoint local = mapFromGlobal(global) - clientOrigin();
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) {
        QPointer<WindowRecord> guard(this);
        dispatch(this, WM_SETCURSOR, WPARAM(this), MAKELPARAM(HTCLIENT, WORD(message)));
        if (guard.isNull() || dead) {
            return;
        }
    }
    deliver(message, mouse_flags(e->buttons(), e->modifiers()),
            MAKELPARAM(WORD(SHORT(local.x())), WORD(SHORT(local.y()))));
}

void WindowRecord::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        mouseMessage(WM_LBUTTONDOWN, e);
    } else if (e->button() == Qt::RightButton) {
        mouseMessage(WM_RBUTTONDOWN, e);
    }
}

void WindowRecord::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        mouseMessage(WM_LBUTTONUP, e);
    } else if (e->button() == Qt::RightButton) {
        mouseMessage(WM_RBUTTONUP, e);
    }
}

void WindowRecord::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        mouseMessage(WM_LBUTTONDBLCLK, e);
    }
}

void WindowRecord::mouseMoveEvent(QMouseEvent* e) {
    mouseMessage(WM_MOUSEMOVE, e);
}

void WindowRecord::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    if (trackLeave && !dead) {
        trackLeave = false;
        deliver(WM_MOUSELEAVE, 0, 0);
    }
}

void set_key_modifiers(Qt::KeyboardModifiers m);

void WindowRecord::keyPressEvent(QKeyEvent* e) {
    set_key_modifiers(e->modifiers());
    const UINT vk = virtual_key(e);
    QPointer<WindowRecord> guard(this);
    if (vk != 0) {
        deliver(WM_KEYDOWN, vk, 1);
    }
    const QString typed = e->text();
    if (!guard.isNull() && !dead && !typed.isEmpty() && typed.at(0).unicode() >= 0x20 &&
        !(e->modifiers() & Qt::ControlModifier)) {
        deliver(WM_CHAR, typed.at(0).unicode(), 1);
    }
}

void WindowRecord::keyReleaseEvent(QKeyEvent* e) {
    set_key_modifiers(e->modifiers());
    const UINT vk = virtual_key(e);
    if (vk != 0) {
        deliver(WM_KEYUP, vk, 1);
    }
}

void WindowRecord::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    if (!dead) {
        dispatch(this, WM_SETFOCUS, 0, 0);
    }
}

void WindowRecord::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    if (!dead) {
        dispatch(this, WM_KILLFOCUS, 0, 0);
    }
}

void WindowRecord::closeEvent(QCloseEvent* e) {
    // The window decides itself (WM_CLOSE); by default it is destroyed.
    e->ignore();
    if (!dead) {
        dispatch(this, WM_CLOSE, 0, 0);
    }
}

void WindowRecord::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
}

void WindowRecord::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) {
        e->acceptProposedAction();
    }
}

void WindowRecord::dropEvent(QDropEvent* e) {
    DropList drop;
    for (const QUrl& url : e->mimeData()->urls()) {
        if (url.isLocalFile()) {
            drop.files.push_back(url.toLocalFile().toStdString());
        }
    }
    if (!drop.files.empty() && !dead) {
        e->acceptProposedAction();
        dispatch(this, WM_DROPFILES, WPARAM(&drop), 0);
    }
}

WindowKind kind_of_class(LPCTSTR className) {
    if (className == nullptr || IS_INTRESOURCE(className)) {
        return WindowKind::Plain;
    }
    const CString c(className);
    if (c.CompareNoCase("BUTTON") == 0)
        return WindowKind::Button;
    if (c.CompareNoCase("STATIC") == 0)
        return WindowKind::Static;
    if (c.CompareNoCase("EDIT") == 0)
        return WindowKind::Edit;
    if (c.CompareNoCase("SCROLLBAR") == 0)
        return WindowKind::ScrollBar;
    return WindowKind::Plain;
}

QFont window_font(WindowRecord* r) {
    auto* f = live<FontObject>(r->font, GdiObject::Kind::Font);
    if (f == nullptr) {
        f = static_cast<FontObject*>(GetStockObject(DEFAULT_GUI_FONT));
    }
    return f->qfont();
}

void setup_edit(WindowRecord* r);
void setup_scroll_bar(WindowRecord* r);
void setup_static(WindowRecord* r);

WindowRecord* create_window(WindowKind kind, DWORD style, DWORD exStyle, const QString& text,
                            const QRect& rect, WindowRecord* parent, int id) {
    ensure_application();
    const bool child = parent != nullptr && (style & WS_CHILD);
    auto* r = new WindowRecord(kind, child ? parent : nullptr);
    r->style = style;
    r->exStyle = exStyle;
    r->id = id;
    r->text = text;
    if (child) {
        if (style & WS_BORDER) {
            r->nonClient = QMargins(1, 1, 1, 1);
        } else if (exStyle & WS_EX_CLIENTEDGE) {
            r->nonClient = QMargins(2, 2, 2, 2);
        }
        r->setGeometry(rect.translated(parent->clientOrigin()));
        if (kind == WindowKind::Button || kind == WindowKind::Edit) {
            r->setFocusPolicy(Qt::StrongFocus);
        } else if (kind == WindowKind::Plain) {
            r->setFocusPolicy(Qt::ClickFocus);
        }
    } else {
        Qt::WindowFlags flags = kind == WindowKind::Dialog ? Qt::Dialog : Qt::Window;
        if ((style & WS_CAPTION) != WS_CAPTION) {
            flags |= Qt::FramelessWindowHint;
        } else {
            // Caption, system menu and minimise box only: no maximise, no resizing border.
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
            if (style & WS_SYSMENU)
                flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (style & WS_MINIMIZEBOX)
                flags |= Qt::WindowMinimizeButtonHint;
            if (style & WS_MAXIMIZEBOX)
                flags |= Qt::WindowMaximizeButtonHint;
            const int border = (style & WS_THICKFRAME) ? GetSystemMetrics(SM_CXFRAME)
                                                       : GetSystemMetrics(SM_CXDLGFRAME);
            r->decoration =
                QMargins(border, border + GetSystemMetrics(SM_CYCAPTION), border, border);
        }
        if (parent != nullptr) {
            // An owned top-level window stays above its owner.
            r->setParent(parent->window(), flags);
        } else {
            r->setWindowFlags(flags);
        }
        r->setWindowTitle(text);
        r->setFocusPolicy(Qt::ClickFocus);
        const QRect inner = rect.marginsRemoved(r->decoration);
        r->setGeometry(inner.x(), inner.y(), std::max(1, inner.width()),
                       std::max(1, inner.height()));
        if (!(style & WS_THICKFRAME) && kind != WindowKind::Hidden) {
            r->setFixedSize(r->size());
        }
    }
    r->resizeSurface();
    r->invalid = QRegion(r->clientRect());
    r->erasePending = true;
    r->postPaint();
    if (kind == WindowKind::Edit) {
        setup_edit(r);
    } else if (kind == WindowKind::ScrollBar) {
        setup_scroll_bar(r);
    } else if (kind == WindowKind::Static) {
        setup_static(r);
    }
    if (style & WS_DISABLED) {
        r->setEnabled(false);
    }
    return r;
}

DcState* new_window_dc(WindowRecord* r) {
    auto* s = new DcState(DcState::Target::Window);
    s->wnd = r;
    if (r->font != nullptr) {
        if (auto* f = live<FontObject>(r->font, GdiObject::Kind::Font)) {
            s->select(s->font, f);
        }
    }
    return s;
}

} // namespace zel::platform::detail

using namespace zel::platform::detail;

BOOL PostMessage(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* r = live_window(wnd);
    if (r == nullptr) {
        return FALSE;
    }
    QCoreApplication::postEvent(r, new PostedMessage(message, wParam, lParam));
    return TRUE;
}

UINT DragQueryFile(HDROP drop, UINT index, LPTSTR buffer, UINT size) {
    if (drop == nullptr) {
        return 0;
    }
    if (index == 0xFFFFFFFF) {
        return UINT(drop->files.size());
    }
    if (index >= drop->files.size()) {
        return 0;
    }
    const std::string& f = drop->files[index];
    if (buffer == nullptr || size == 0) {
        return UINT(f.size());
    }
    const std::size_t n = std::min<std::size_t>(f.size(), size - 1);
    std::memcpy(buffer, f.data(), n);
    buffer[n] = 0;
    return UINT(n);
}

// The drop list lives only while WM_DROPFILES is handled.
void DragFinish(HDROP) {}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* tme) {
    WindowRecord* r = tme != nullptr ? live_window(tme->hwndTrack) : nullptr;
    if (r == nullptr) {
        return FALSE;
    }
    r->trackLeave = (tme->dwFlags & TME_LEAVE) != 0;
    return TRUE;
}
