#pragma once
// Resources by number: bitmaps, icons, cursors, strings, menus, accelerator tables and dialog
// templates.
//
// Pictures come from Qt's resource system, compiled into the program:
//   ":/zel/res/bitmap/<id>.bmp" (or .png), ":/zel/res/icon/<id>.png" (or .ico),
//   ":/zel/res/cursor/<id>.png" (or .cur; the hot spot is the picture's centre unless
//   registered). A resource library keeps the same layout without the "zel" prefix
//   ("res/bitmap/<id>.bmp", "res/string/<id>.txt"): Qt shows a library's files at their own
//   paths too, so the program's prefix keeps the two apart.
// Strings, menus, accelerators, toolbars and dialog templates are tables in code, registered at
// start-up. FindResource hands out a registered menu as the standard binary menu template and a
// registered toolbar as the standard toolbar record, so code that walks real resources reads
// them unchanged.
// A resource library (LoadLibraryEx) is a compiled Qt resource file whose pictures sit under the
// same names; a module handle picks where a lookup searches.

#include "zel/platform/dialog.h"
#include "zel/platform/menu.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

struct MenuItemTemplate {
    std::string text; // empty with MF_SEPARATOR
    UINT id = 0;
    UINT flags = 0;
    std::vector<MenuItemTemplate> popup; // items of a pop-up (MF_POPUP is implied)
};

namespace zel::platform {

void register_dialog(UINT id, DialogTemplate tmpl);
void register_menu(UINT id, std::vector<MenuItemTemplate> items);
// A toolbar: its buttons' size and one command per button (0 for a separator); its picture is
// bitmap `id`, the buttons' images side by side, separators taking none.
void register_toolbar(UINT id, int buttonWidth, int buttonHeight, std::vector<UINT> commands);
void register_accelerators(UINT id, std::vector<ACCEL> entries);
void register_strings(std::initializer_list<std::pair<UINT, const char*>> strings);
// A picture kept in a file instead of the compiled resources (kind: IMAGE_BITMAP, IMAGE_ICON
// or IMAGE_CURSOR).
void register_image_file(UINT kind, UINT id, const std::string& path);
void register_cursor_hotspot(UINT id, int x, int y);

const DialogTemplate* find_dialog(UINT id);
const std::vector<MenuItemTemplate>* find_menu(UINT id);

} // namespace zel::platform

// Resource types for FindResource.
#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_TOOLBAR MAKEINTRESOURCE(241)

// Stock cursors (LoadCursor with no module).
#define IDC_ARROW MAKEINTRESOURCE(32512)
#define IDC_IBEAM MAKEINTRESOURCE(32513)
#define IDC_WAIT MAKEINTRESOURCE(32514)
#define IDC_CROSS MAKEINTRESOURCE(32515)
#define IDC_SIZEALL MAKEINTRESOURCE(32646)
#define IDC_SIZENWSE MAKEINTRESOURCE(32642)
#define IDC_SIZENESW MAKEINTRESOURCE(32643)
#define IDC_SIZEWE MAKEINTRESOURCE(32644)
#define IDC_SIZENS MAKEINTRESOURCE(32645)
#define IDC_NO MAKEINTRESOURCE(32648)
#define IDC_HAND MAKEINTRESOURCE(32649)
#define IDI_APPLICATION MAKEINTRESOURCE(32512)

using HRSRC = const void*;
using HGLOBAL = const void*;

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxFindResourceHandle(LPCTSTR name, LPCTSTR type);

// Pictures. `width`/`height` 0 keep the picture's own size. Null when there is none.
HANDLE LoadImage(HINSTANCE instance, LPCTSTR name, UINT type, int width, int height, UINT flags);
HBITMAP LoadBitmap(HINSTANCE instance, LPCTSTR name);
HICON LoadIcon(HINSTANCE instance, LPCTSTR name);
HCURSOR LoadCursor(HINSTANCE instance, LPCTSTR name);
int LoadString(HINSTANCE instance, UINT id, LPTSTR buffer, int bufferSize);

// Resource libraries: a compiled Qt resource file (made with rcc --binary).
constexpr DWORD LOAD_LIBRARY_AS_DATAFILE = 2;
HMODULE LoadLibraryEx(LPCTSTR path, HANDLE file, DWORD flags);
BOOL FreeLibrary(HMODULE module);
// The reason of the last failed LoadLibraryEx: 2 file not found, 3 path not found, 126 module
// not usable, 0 none.
DWORD GetLastError();
void SetLastError(DWORD code);
HRSRC FindResource(HMODULE module, LPCTSTR name, LPCTSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
const void* LockResource(HGLOBAL data);
