#pragma once
// The ground of the plain dialogs (About, Page Layout, the pen choice): the same warm paper the
// skinned dialogs and the main window stand on, instead of the classic grey face colour.

#include "zel/platform/platform.h"

namespace zel::dialogs {

inline constexpr COLORREF kPaperGround = RGB(0xEC, 0xE6, 0xDA);
inline constexpr COLORREF kSlateLine = RGB(0x44, 0x57, 0x6B);

/// Fills the client area of `wnd` with the paper ground; `framed` adds a one-pixel slate line
/// round it, for a pop-up that has no frame of its own.
void paint_paper(CWnd& wnd, CDC& dc, bool framed = false);

/// `line` as it fits `width` pixels in the font selected into `dc`: unchanged when it fits,
/// else with its middle replaced by "..." (a long folder name keeps its start and its end).
CString fit_line(CDC& dc, const CString& line, int width);

} // namespace zel::dialogs
