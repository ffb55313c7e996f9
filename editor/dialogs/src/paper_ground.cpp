#include "paper_ground.h"

namespace zel::dialogs {

void paint_paper(CWnd& wnd, CDC& dc, bool framed) {
    CRect client;
    wnd.GetClientRect(&client);
    dc.FillSolidRect(&client, kPaperGround);
    if (framed) {
        CBrush slate(kSlateLine);
        dc.FrameRect(&client, &slate);
    }
}

CString fit_line(CDC& dc, const CString& line, int width) {
    if (dc.GetTextExtent(line).cx <= width) {
        return line;
    }
    const CString dots("...");
    for (int keep = line.GetLength() - 1; keep > 0; --keep) {
        const int head = (keep + 1) / 2;
        CString shortened = line.Left(head) + dots + line.Right(keep - head);
        if (dc.GetTextExtent(shortened).cx <= width) {
            return shortened;
        }
    }
    return dots;
}

} // namespace zel::dialogs
