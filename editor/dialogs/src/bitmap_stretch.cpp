#include "bitmap_stretch.h"

namespace zel::dialogs {

bool draw_bitmap_stretched(CDC& dc, const CDialog& dialog, UINT bitmapId, const RECT& source,
                           const RECT& target) {
    CBitmap picture;
    if (!picture.LoadBitmap(bitmapId)) {
        return false;
    }
    CRect to(target);
    dialog.MapDialogRect(&to);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&picture);
    // The pictures are drawn at a larger size than they show, so smoothing keeps thin lines.
    const int oldMode = dc.SetStretchBltMode(HALFTONE);
    dc.StretchBlt(to.left, to.top, to.Width(), to.Height(), &memory, source.left, source.top,
                  source.right - source.left, source.bottom - source.top, SRCCOPY);
    dc.SetStretchBltMode(oldMode);
    memory.SelectObject(old);
    return true;
}

} // namespace zel::dialogs
