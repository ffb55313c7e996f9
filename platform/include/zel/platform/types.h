#pragma once
// Plain types, handles and helpers that the editor's window code is written against: integer
// kinds, colour words, the handle kinds of windows and drawing objects, and the small
// word-packing helpers of messages. Handles are opaque pointers to objects the layer owns.

#include <cstddef>
#include <cstdint>

namespace zel::platform::detail {
struct WindowRecord;
struct DcState;
struct GdiObject;
struct PenObject;
struct BrushObject;
struct FontObject;
struct BitmapObject;
struct RegionObject;
struct PaletteObject;
struct IconObject;
struct MenuObject;
struct AccelTable;
struct Module;
struct DropList;
} // namespace zel::platform::detail

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using SHORT = std::int16_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using TCHAR = char;
using LPCTSTR = const char*;
using LPTSTR = char*;
using LPCSTR = const char*;
using LPSTR = char*;
using LPVOID = void*;
using HANDLE = void*;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

using HWND = zel::platform::detail::WindowRecord*;
using HDC = zel::platform::detail::DcState*;
using HGDIOBJ = void*;
using HPEN = zel::platform::detail::PenObject*;
using HBRUSH = zel::platform::detail::BrushObject*;
using HFONT = zel::platform::detail::FontObject*;
using HBITMAP = zel::platform::detail::BitmapObject*;
using HRGN = zel::platform::detail::RegionObject*;
using HPALETTE = zel::platform::detail::PaletteObject*;
using HICON = zel::platform::detail::IconObject*;
using HCURSOR = zel::platform::detail::IconObject*;
using HMENU = zel::platform::detail::MenuObject*;
using HACCEL = zel::platform::detail::AccelTable*;
using HINSTANCE = zel::platform::detail::Module*;
using HMODULE = HINSTANCE;
using HDROP = zel::platform::detail::DropList*;

// Colour words hold red in the low byte, then green, then blue.
constexpr COLORREF RGB(int r, int g, int b) {
    return COLORREF(BYTE(r)) | (COLORREF(BYTE(g)) << 8) | (COLORREF(BYTE(b)) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
    return BYTE(c);
}
constexpr BYTE GetGValue(COLORREF c) {
    return BYTE(c >> 8);
}
constexpr BYTE GetBValue(COLORREF c) {
    return BYTE(c >> 16);
}
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

constexpr WORD LOWORD(std::uintptr_t v) {
    return WORD(v & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t v) {
    return WORD((v >> 16) & 0xFFFF);
}
constexpr BYTE LOBYTE(std::uintptr_t v) {
    return BYTE(v & 0xFF);
}
constexpr DWORD MAKELONG(WORD lo, WORD hi) {
    return DWORD(lo) | (DWORD(hi) << 16);
}
constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) {
    return WPARAM(MAKELONG(lo, hi));
}
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) {
    return LPARAM(MAKELONG(lo, hi));
}
constexpr int GET_X_LPARAM(LPARAM l) {
    return SHORT(LOWORD(std::uintptr_t(l)));
}
constexpr int GET_Y_LPARAM(LPARAM l) {
    return SHORT(HIWORD(std::uintptr_t(l)));
}

// Resources are named by number; a number travels where a name pointer would.
inline LPCTSTR MAKEINTRESOURCE(UINT id) {
    return reinterpret_cast<LPCTSTR>(std::uintptr_t(WORD(id)));
}
inline bool IS_INTRESOURCE(LPCTSTR p) {
    return (reinterpret_cast<std::uintptr_t>(p) >> 16) == 0;
}

constexpr int MulDiv(int a, int b, int c) {
    return c == 0 ? -1
                  : int((std::int64_t(a) * b +
                         (((std::int64_t(a) * b) < 0) != (c < 0) ? -c / 2 : c / 2)) /
                        c);
}

#define _T(x) x
