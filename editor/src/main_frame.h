#pragma once
// The main frame: a fixed-size window without toolbar or status bar, placed at a tenth of the
// screen from its top-left corner.

#include <zel/platform/platform.h>

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    static constexpr int kWidth = 720;
    static constexpr int kHeight = 530;
    // Caption, system menu and minimise box; no resizing border and no maximise box.
    static constexpr DWORD kStyle = 0x80CA0000;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The index of the menu item whose text is `text`, or -1.
    int FindMenuItem(CMenu* menu, LPCTSTR text);

protected:
    DECLARE_MESSAGE_MAP()
};
