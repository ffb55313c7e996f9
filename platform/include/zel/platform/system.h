#pragma once
// System services with fixed answers where Linux has no equivalent: the classic system colour
// table and metrics, a classic desktop (Windows XP kind with the classic theme), a C-library
// style random generator of 0..32767, the desktop's opener, sounds, message boxes, cursors and
// the keyboard state.

#include "zel/platform/gdi.h"

// Message boxes.
constexpr UINT MB_OK = 0, MB_OKCANCEL = 1, MB_ABORTRETRYIGNORE = 2, MB_YESNOCANCEL = 3,
               MB_YESNO = 4, MB_RETRYCANCEL = 5, MB_TYPEMASK = 0xF, MB_ICONHAND = 0x10,
               MB_ICONSTOP = 0x10, MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20,
               MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONASTERISK = 0x40,
               MB_ICONINFORMATION = 0x40, MB_ICONMASK = 0xF0, MB_DEFBUTTON2 = 0x100,
               MB_DEFBUTTON3 = 0x200, MB_APPLMODAL = 0, MB_TASKMODAL = 0x2000;
int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type);
// The program's message box: captioned with the application's name.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
BOOL MessageBeep(UINT type);

// System colours (classic "Windows Standard" scheme) and metrics.
constexpr int COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2,
              COLOR_INACTIVECAPTION = 3, COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6,
              COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9,
              COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
              COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_3DFACE = 15,
              COLOR_BTNSHADOW = 16, COLOR_3DSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18,
              COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20, COLOR_3DHIGHLIGHT = 20,
              COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
              COLOR_HOTLIGHT = 26;
DWORD GetSysColor(int index);
constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3,
              SM_CYCAPTION = 4, SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXDLGFRAME = 7,
              SM_CYDLGFRAME = 8, SM_CXICON = 11, SM_CYICON = 12, SM_CXCURSOR = 13, SM_CYCURSOR = 14,
              SM_CYMENU = 15, SM_CXFRAME = 32, SM_CYFRAME = 33, SM_CXSMICON = 49, SM_CYSMICON = 50,
              SM_CXMENUCHECK = 71, SM_CYMENUCHECK = 72;
int GetSystemMetrics(int index);

// Operating-system kind: a classic desktop of the Windows XP kind (5.1, NT platform).
struct OSVERSIONINFO {
    DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformId = 0;
    char szCSDVersion[128] = {};
};
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1, VER_PLATFORM_WIN32_NT = 2;
DWORD GetVersion();
BOOL GetVersionEx(OSVERSIONINFO* info);

// The few registry values the editor's code reads; everything else is absent. The current
// theme reads "Windows Classic.theme".
using HKEY = struct HKEY__*;
extern HKEY const HKEY_CLASSES_ROOT;
extern HKEY const HKEY_CURRENT_USER;
constexpr LONG ERROR_SUCCESS = 0, ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD KEY_READ = 0x20019, KEY_QUERY_VALUE = 1;
LONG RegOpenKeyEx(HKEY key, LPCTSTR subKey, DWORD options, DWORD access, HKEY* result);
LONG RegQueryValueEx(HKEY key, LPCTSTR name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* size);
LONG RegCloseKey(HKEY key);

// Opening documents and addresses with the desktop's opener (via the shell-open hook).
// Results above 32 are success; else 2 file not found, 3 path (folder) not found, 5 access
// denied, 31 no association, 0 out of resources.
constexpr int SE_ERR_FNF = 2, SE_ERR_PNF = 3, SE_ERR_ACCESSDENIED = 5, SE_ERR_OOM = 8,
              SE_ERR_SHARE = 26, SE_ERR_ASSOCINCOMPLETE = 27, SE_ERR_DDETIMEOUT = 28,
              SE_ERR_DDEFAIL = 29, SE_ERR_DDEBUSY = 30, SE_ERR_NOASSOC = 31,
              SE_ERR_DLLNOTFOUND = 32;
HINSTANCE ShellExecute(HWND owner, LPCTSTR verb, LPCTSTR file, LPCTSTR parameters, LPCTSTR folder,
                       int show);
constexpr DWORD SEE_MASK_FLAG_NO_UI = 0x400;
struct SHELLEXECUTEINFO {
    DWORD cbSize = sizeof(SHELLEXECUTEINFO);
    DWORD fMask = 0;
    HWND hwnd = nullptr;
    LPCTSTR lpVerb = nullptr;
    LPCTSTR lpFile = nullptr;
    LPCTSTR lpParameters = nullptr;
    LPCTSTR lpDirectory = nullptr;
    int nShow = 0;
    HINSTANCE hInstApp = nullptr;
};
BOOL ShellExecuteEx(SHELLEXECUTEINFO* info);

// Sounds (recorded always; played when Qt can).
constexpr DWORD SND_SYNC = 0, SND_ASYNC = 1, SND_NODEFAULT = 2, SND_MEMORY = 4, SND_LOOP = 8,
                SND_NOSTOP = 0x10, SND_NOWAIT = 0x2000, SND_FILENAME = 0x20000,
                SND_RESOURCE = 0x40004;
BOOL PlaySound(LPCTSTR sound, HMODULE module, DWORD flags);

// Cursors and the mouse.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
BOOL GetCursorPos(LPPOINT point);
BOOL SetCursorPos(int x, int y);
// Confines the cursor to `rect` (screen coordinates) or frees it (null). Mouse positions that
// reach windows are kept inside the rectangle.
BOOL ClipCursor(const RECT* rect);
BOOL GetClipCursor(LPRECT rect);
constexpr int GCLP_HCURSOR = -12, GCL_HCURSOR = -12;
// Only the class cursor can be changed: windows of `wnd`'s kind then show `value` as an
// HCURSOR (0 = none, so the cursor a handler sets stays).
UINT_PTR SetClassLongPtr(HWND wnd, int index, INT_PTR value);
inline DWORD SetClassLong(HWND wnd, int index, LONG value) {
    return DWORD(SetClassLongPtr(wnd, index, value));
}
SHORT GetKeyState(int key);
DWORD GetTickCount();

// Shows the wait cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

namespace zel::platform {
// The C library's generator as the editor's arithmetic expects it: 0..32767.
constexpr int kRandMax = 32767;
int rand();
void srand(unsigned seed);
} // namespace zel::platform

// Metrics of menus and captions (SystemParametersInfo with SPI_GETNONCLIENTMETRICS).
constexpr UINT SPI_GETNONCLIENTMETRICS = 0x29;
struct NONCLIENTMETRICS {
    UINT cbSize = sizeof(NONCLIENTMETRICS);
    int iBorderWidth = 1;
    int iScrollWidth = 16;
    int iScrollHeight = 16;
    int iCaptionWidth = 18;
    int iCaptionHeight = 18;
    int iMenuWidth = 18;
    int iMenuHeight = 19;
    LOGFONT lfCaptionFont{};
    LOGFONT lfMenuFont{};
    LOGFONT lfStatusFont{};
    LOGFONT lfMessageFont{};
};
BOOL SystemParametersInfo(UINT action, UINT param, void* out, UINT winIni);
