// The About box: its template, the caption and link set once when it opens, and the painted
// picture and text block.

#include "zel/dialogs/about_dlg.h"

#include "bitmap_stretch.h"
#include "paper_ground.h"

#include <mutex>

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

constexpr const char* kProduct = "ZEL Editor";
constexpr const char* kVersion = "v1.0";
constexpr const char* kRights = "Copyright (C) the ZEL Editor developers.";
constexpr const char* kLinkText = "Open the user manual";
constexpr int kTextTenthsOfPoint = 85;

// Client 378 x 406 pixels: the picture at the top, the text block under it, then the link and
// OK. The link's words are set when the box opens.
void register_template() {
    zel::platform::register_dialog(
        CAboutDlg::IDD, DialogTemplate{"About",
                                       0,
                                       0,
                                       252,
                                       250,
                                       WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                                       "MS Sans Serif",
                                       8,
                                       {LText("Manual", CAboutDlg::IDC_LINK, 46, 190, 150, 10),
                                        DefPushButton("OK", IDOK, 196, 228, 50, 14)}});
}

} // namespace

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD, parent) {
    if (const CWinApp* app = AfxGetApp(); app != nullptr && app->m_pszHelpFilePath != nullptr) {
        m_manualPath = app->m_pszHelpFilePath;
    }
    static std::once_flag registered;
    std::call_once(registered, register_template);
}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_LINK, m_link);
}

// Caption and link text are set here once, and the link is fitted to its words afterwards, so
// that the clickable area is the text that shows.
BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CString caption;
    caption.Format("About %s", kProduct);
    SetWindowText(caption);
    m_link.SetWindowText(kLinkText);
    m_link.SetURL(m_manualPath.c_str());
    m_link.SetUnderline(CHyperLink::kUnderlineAlways);
    return TRUE;
}

CString CAboutDlg::TextBlock() const {
    CString text;
    text.Format("%s %s\n%s\nManual (F1): %s", kProduct, kVersion, kRights, m_manualPath.c_str());
    return text;
}

BOOL CAboutDlg::OnEraseBkgnd(CDC* dc) {
    zel::dialogs::paint_paper(*this, *dc);
    return TRUE;
}

void CAboutDlg::OnPaint() {
    CPaintDC dc(this);

    zel::dialogs::draw_bitmap_stretched(dc, *this, IDB_ABOUT, kPictureSource, kPicture);

    CFont font;
    font.CreatePointFont(kTextTenthsOfPoint, "Verdana", &dc);
    CFont* oldFont = dc.SelectObject(&font);
    const COLORREF oldColor = dc.SetTextColor(RGB(0, 0, 0));
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    // Each line fits the block: a long manual path loses its middle rather than its end.
    CRect block(kTextBlock);
    CString fitted;
    const CString text = TextBlock();
    for (int start = 0; start <= text.GetLength();) {
        int end = text.Find('\n', start);
        if (end < 0) {
            end = text.GetLength();
        }
        if (start > 0) {
            fitted += '\n';
        }
        fitted += zel::dialogs::fit_line(dc, text.Mid(start, end - start), block.Width());
        start = end + 1;
    }
    dc.DrawText(fitted, &block, 0);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColor);
    dc.SelectObject(oldFont);
}
