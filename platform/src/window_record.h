#pragma once
// The Qt widget behind every window: it keeps the retained surface, the invalid area, the
// window's kind, style, identifier and text, and translates Qt's events into messages (the one
// place where that happens).

#include "zel/platform/wnd.h"

#include <QImage>
#include <QMargins>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QMenuBar;
class QLineEdit;
class QScrollBar;
class QTimer;

namespace zel::platform::detail {

enum class WindowKind { Plain, Dialog, Button, Static, Edit, ScrollBar, Hidden };

struct WindowRecord : QWidget {
    WindowRecord(WindowKind kind, QWidget* parent);
    ~WindowRecord() override;

    WindowKind kind;
    CWnd* object = nullptr;            // the attached object (null while none)
    std::unique_ptr<CWnd> placeholder; // a plain object for windows nobody subclassed
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    QString text;
    HFONT font = nullptr;
    bool dead = false;
    bool destroying = false; // WM_DESTROY has been sent: destruction is under way

    // Retained client surface and the part of it waiting for WM_PAINT.
    QImage surface;
    QRegion invalid;
    bool erasePending = false;
    bool paintPosted = false;
    QMargins nonClient;  // border drawn inside the widget (children) or menu bar (frames)
    QMargins decoration; // caption and borders a top-level window is counted with

    std::map<UINT_PTR, QTimer*> timers;
    HRGN windowRegion = nullptr;
    bool trackLeave = false;
    HCURSOR classCursor = nullptr;
    bool classCursorSet = false;
    HMENU menu = nullptr;
    QMenuBar* menuBar = nullptr;

    // Buttons.
    bool pressed = false;     // the mouse went down on it and is held
    bool highlighted = false; // shown pushed
    int checked = 0;
    // Statics.
    HBITMAP staticBitmap = nullptr;
    HICON staticIcon = nullptr;
    // Edits and scroll bars.
    QLineEdit* edit = nullptr;
    QScrollBar* bar = nullptr;
    int barMin = 0, barMax = 100, barPos = 0;

    CWnd* wnd();              // attached object or placeholder
    QRect clientRect() const; // (0, 0, client width, client height)
    QPoint clientOrigin() const { return {nonClient.left(), nonClient.top()}; }
    WindowRecord* parentRecord() const;
    std::vector<WindowRecord*> childRecords() const;
    bool isTopLevel() const { return parentRecord() == nullptr; }

    // Painting.
    void invalidate(const QRegion& region, bool erase);
    void postPaint();
    void runPaint();
    void resizeSurface();

    // Delivery of queued input (pre-translation, accelerators, dispatch).
    void deliver(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void mouseMessage(UINT message, QMouseEvent* e);
};

struct DropList {
    std::vector<std::string> files;
};

WindowRecord* live_window(HWND wnd);
// The Qt window of `owner`, to own a dialog shown for it (null when none).
inline QWidget* owner_widget(HWND owner) {
    WindowRecord* r = live_window(owner);
    return r != nullptr ? r->window() : nullptr;
}
// The pop-up menu being shown by TrackPopupMenu, if any.
HMENU tracking_menu();
// Sends `message` to the window's object (its WindowProc); 0 for a dead window.
LRESULT dispatch(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam);
// The window kind's own behaviour (what DefWindowProc does).
LRESULT default_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT plain_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT button_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT static_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT scroll_bar_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT edit_proc(WindowRecord* r, UINT message, WPARAM wParam, LPARAM lParam);
// Makes a window of `kind`; the caller sends WM_CREATE.
WindowRecord* create_window(WindowKind kind, DWORD style, DWORD exStyle, const QString& text,
                            const QRect& rect, WindowRecord* parent, int id);
WindowKind kind_of_class(LPCTSTR className);
void destroy_window(WindowRecord* r);
// Frame-only statics keep just their line: what lies inside shows, and takes the mouse of,
// the window underneath.
void shape_static_frame(WindowRecord* r);
// Makes sure a Qt application exists (tests and the program's entry make one first).
void ensure_application();
// The screen-clip of ClipCursor, if any.
const QRect* cursor_clip();
void set_cursor_clip(const QRect* screenRect);
// A client-area context for `r` (owned by the caller).
DcState* new_window_dc(WindowRecord* r);
QFont window_font(WindowRecord* r);

} // namespace zel::platform::detail
