// Fixed answers and small services: system colours and metrics, the operating-system kind and
// theme, folders, the desktop's opener, sounds, message boxes, cursors, keys, time, random.

#include "gdi_objects.h"
#include "hook_slots.h"
#include "modal_focus.h"
#include "window_record.h"

#include "zel/platform/docview.h"
#include "zel/platform/hooks.h"
#include "zel/platform/system.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>

#include <cstring>
#include <strings.h>

namespace zel::platform::detail {

namespace {
Qt::KeyboardModifiers g_modifiers;
HCURSOR g_cursor = nullptr;
} // namespace
void set_key_modifiers(Qt::KeyboardModifiers m) {
    g_modifiers = m;
}
} // namespace zel::platform::detail

using namespace zel::platform::detail;
using zel::platform::MessageBoxRequest;
using zel::platform::SoundRequest;

DWORD GetSysColor(int index) {
    // The classic "Windows Standard" scheme.
    static const COLORREF table[] = {
        RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128),
        RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(0, 0, 0),       RGB(255, 255, 255), RGB(192, 192, 192), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),
        RGB(255, 255, 225), RGB(180, 180, 180), RGB(0, 0, 255),     RGB(16, 132, 208),
        RGB(181, 181, 181)};
    if (index < 0 || std::size_t(index) >= std::size(table)) {
        return 0;
    }
    return table[index];
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
    case SM_CYSCREEN: {
        ensure_application();
        const QScreen* s = QGuiApplication::primaryScreen();
        const QSize size = s != nullptr ? s->size() : QSize(1024, 768);
        return index == SM_CXSCREEN ? size.width() : size.height();
    }
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 16;
    case SM_CYCAPTION:
        return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CYMENU:
        return 19;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK:
        return 13;
    default:
        return 0;
    }
}

DWORD GetVersion() {
    return 0x0A280105;
} // 5.1, build 2600, NT platform

BOOL GetVersionEx(OSVERSIONINFO* info) {
    if (info == nullptr) {
        return FALSE;
    }
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::strcpy(info->szCSDVersion, "");
    return TRUE;
}

struct HKEY__ {
    int which;
};
namespace {
HKEY__ g_classesRoot{1}, g_currentUser{2}, g_themeKey{3};
constexpr const char* kThemeKey = "Software\\Microsoft\\Plus!\\Themes\\Current";
constexpr const char* kClassicTheme = "C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme";
} // namespace
HKEY const HKEY_CLASSES_ROOT = &g_classesRoot;
HKEY const HKEY_CURRENT_USER = &g_currentUser;

LONG RegOpenKeyEx(HKEY key, LPCTSTR subKey, DWORD, DWORD, HKEY* result) {
    if (key == HKEY_CURRENT_USER && subKey != nullptr && ::strcasecmp(subKey, kThemeKey) == 0 &&
        result != nullptr) {
        *result = &g_themeKey;
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

LONG RegQueryValueEx(HKEY key, LPCTSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
    if (key != &g_themeKey || (name != nullptr && *name != 0) || size == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    const DWORD needed = DWORD(std::strlen(kClassicTheme) + 1);
    if (type != nullptr) {
        *type = 1;
    }
    if (data != nullptr) {
        if (*size < needed) {
            *size = needed;
            return 234; // more data
        }
        std::memcpy(data, kClassicTheme, needed);
    }
    *size = needed;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY) {
    return ERROR_SUCCESS;
}

HINSTANCE ShellExecute(HWND, LPCTSTR verb, LPCTSTR file, LPCTSTR, LPCTSTR, int) {
    const int result =
        shell_open_hook()(verb != nullptr ? verb : "open", file != nullptr ? file : "");
    return reinterpret_cast<HINSTANCE>(std::intptr_t(result));
}

BOOL ShellExecuteEx(SHELLEXECUTEINFO* info) {
    if (info == nullptr) {
        return FALSE;
    }
    const int result = shell_open_hook()(info->lpVerb != nullptr ? info->lpVerb : "open",
                                         info->lpFile != nullptr ? info->lpFile : "");
    info->hInstApp = reinterpret_cast<HINSTANCE>(std::intptr_t(result));
    return result > 32;
}

BOOL PlaySound(LPCTSTR sound, HMODULE, DWORD flags) {
    if (sound == nullptr) {
        return TRUE; // stops nothing: sounds are short
    }
    SoundRequest r;
    // Built by appending: GCC 12 at -O3 reports a false -Wrestrict for "literal" + string.
    if ((flags & SND_RESOURCE) == SND_RESOURCE && IS_INTRESOURCE(sound)) {
        r.name = "#";
        r.name += std::to_string(reinterpret_cast<std::uintptr_t>(sound));
    } else {
        r.name = sound;
    }
    r.flags = flags;
    sound_hook()(r);
    return TRUE;
}

BOOL MessageBeep(UINT type) {
    SoundRequest r{std::string("beep:").append(std::to_string(type)), 0};
    sound_hook()(r);
    return TRUE;
}

int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) {
    MessageBoxRequest r;
    r.owner = owner;
    r.text = text != nullptr ? text : "";
    r.caption = caption != nullptr ? caption : "Error";
    r.type = type;
    const FocusReturn focus(owner);
    return message_box_hook()(r);
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
    return ::MessageBox(m_hWnd, text, caption != nullptr ? caption : AfxGetAppName(), type);
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
    CWnd* main = AfxGetMainWnd();
    return MessageBox(main != nullptr ? main->m_hWnd : nullptr, text, AfxGetAppName(), type);
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = g_cursor;
    g_cursor = cursor;
    auto* c = live<IconObject>(cursor, GdiObject::Kind::Icon);
    QWidget* w = QWidget::mouseGrabber();
    if (w == nullptr) {
        w = QApplication::widgetAt(QCursor::pos());
    }
    if (w != nullptr) {
        if (c != nullptr) {
            w->setCursor(c->qcursor());
        } else {
            w->setCursor(Qt::BlankCursor);
        }
    }
    return old;
}

HCURSOR GetCursor() {
    return g_cursor;
}

BOOL GetCursorPos(LPPOINT point) {
    if (point == nullptr) {
        return FALSE;
    }
    QPoint p = QCoreApplication::instance() != nullptr ? QCursor::pos() : QPoint();
    if (const QRect* clip = cursor_clip()) {
        p.setX(std::clamp(p.x(), clip->left(), clip->right()));
        p.setY(std::clamp(p.y(), clip->top(), clip->bottom()));
    }
    *point = POINT{p.x(), p.y()};
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    QCursor::setPos(x, y);
    return TRUE;
}

BOOL ClipCursor(const RECT* rect) {
    if (rect == nullptr) {
        set_cursor_clip(nullptr);
        return TRUE;
    }
    const QRect r(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1));
    set_cursor_clip(&r);
    return TRUE;
}

BOOL GetClipCursor(LPRECT rect) {
    if (rect == nullptr) {
        return FALSE;
    }
    if (const QRect* clip = cursor_clip()) {
        *rect = RECT{clip->left(), clip->top(), clip->right() + 1, clip->bottom() + 1};
    } else {
        *rect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return TRUE;
}

BOOL SystemParametersInfo(UINT action, UINT, void* out, UINT) {
    if (action != SPI_GETNONCLIENTMETRICS || out == nullptr) {
        return FALSE;
    }
    NONCLIENTMETRICS m;
    LOGFONT lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    std::strcpy(lf.lfFaceName, "MS Sans Serif");
    m.lfMenuFont = m.lfStatusFont = m.lfMessageFont = lf;
    lf.lfWeight = FW_BOLD;
    m.lfCaptionFont = lf;
    *static_cast<NONCLIENTMETRICS*>(out) = m;
    return TRUE;
}

UINT_PTR SetClassLongPtr(HWND wnd, int index, INT_PTR value) {
    WindowRecord* r = live_window(wnd);
    if (r == nullptr || index != GCLP_HCURSOR) {
        return 0;
    }
    const auto old = reinterpret_cast<UINT_PTR>(r->classCursor);
    r->classCursor = reinterpret_cast<HCURSOR>(value);
    r->classCursorSet = true;
    return old;
}

SHORT GetKeyState(int key) {
    Qt::KeyboardModifiers m = g_modifiers;
    switch (key) {
    case VK_CONTROL:
        return (m & Qt::ControlModifier) ? SHORT(0x8000) : 0;
    case VK_SHIFT:
        return (m & Qt::ShiftModifier) ? SHORT(0x8000) : 0;
    case VK_MENU:
        return (m & Qt::AltModifier) ? SHORT(0x8000) : 0;
    case 0x01:
        return (QApplication::mouseButtons() & Qt::LeftButton) ? SHORT(0x8000) : 0;
    default:
        return 0;
    }
}

DWORD GetTickCount() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return DWORD(timer.elapsed());
}

CWaitCursor::CWaitCursor() {
    ensure_application();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}
CWaitCursor::~CWaitCursor() {
    QApplication::restoreOverrideCursor();
}

namespace zel::platform {
namespace {
unsigned long g_seed = 1;
}
int rand() {
    // The classic C-library generator: 15 bits out of a 32-bit linear congruence.
    g_seed = (g_seed * 214013UL + 2531011UL) & 0xFFFFFFFFUL;
    return int((g_seed >> 16) & 0x7FFF);
}
void srand(unsigned seed) {
    g_seed = seed;
}
} // namespace zel::platform
