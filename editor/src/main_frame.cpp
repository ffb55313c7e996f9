// The main frame's placement and style, and its help commands.

#include "main_frame.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_COMMAND(ID_HELP_FINDER, OnHelpFinder)
ON_COMMAND(ID_DEFAULT_HELP, OnHelpFinder)
END_MESSAGE_MAP()

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style = LONG(kStyle);
    cs.cx = kWidth;
    cs.cy = kHeight;
    CClientDC screen(nullptr);
    cs.x = int(screen.GetDeviceCaps(HORZRES) * 0.1);
    cs.y = int(screen.GetDeviceCaps(VERTRES) * 0.1);
    return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::FindMenuItem(CMenu* menu, LPCTSTR text) {
    if (menu == nullptr || text == nullptr) {
        return -1;
    }
    const int count = int(menu->GetMenuItemCount());
    for (int i = 0; i < count; ++i) {
        CString item;
        if (menu->GetMenuString(UINT(i), item, MF_BYPOSITION) > 0 && item == text) {
            return i;
        }
    }
    return -1;
}
