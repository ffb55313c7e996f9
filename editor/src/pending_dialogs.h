#pragma once
// Stand-ins for the editing dialogs that are not built yet. Each has the public members the
// view's road reads and writes, and a DoModal that ends at once like a Cancel that changed
// nothing: the flag the view reads after it stays as the view (or a test) left it. A dialog's
// real class replaces its stand-in here; the file goes when the last one is gone.

#include <zel/platform/platform.h>

// Page layout of the printed picture.
class CPageLayoutDlg {
public:
    INT_PTR DoModal() { return 1; }
    int m_landscape = 0;
    float m_left = 0.1f;
    float m_top = 0.1f;
    float m_right = 0.9f;
    float m_bottom = 0.9f;
};
