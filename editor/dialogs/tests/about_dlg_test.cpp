// The About box: its caption, picture and text block, and a link on the box's paper that fits
// its words and opens the manual.

#include "zel/dialogs/about_dlg.h"

#include "paper_ground.h"

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

using namespace zel::platform::test;

namespace {

// Runs the box modally; `script` sees it open and must end it.
INT_PTR run(CDialog& dialog, const std::function<void()>& script) {
    zel::platform::set_modal_dialog_hook([&](CDialog&) { script(); });
    return dialog.DoModal();
}

bool near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(int(GetRValue(a)) - int(GetRValue(b))) <= tolerance &&
           std::abs(int(GetGValue(a)) - int(GetGValue(b))) <= tolerance &&
           std::abs(int(GetBValue(a)) - int(GetBValue(b))) <= tolerance;
}

struct AboutFixture : ::testing::Test {
    void SetUp() override { ensure_app(); }
    HookReset hooks;
    CAboutDlg about;
};

} // namespace

TEST(AboutDialog, LinksToTheApplicationsHelpFile) {
    ensure_app();
    EXPECT_TRUE(CAboutDlg().m_manualPath.empty());
    CWinApp app("ZEL Editor");
    app.m_pszHelpFilePath = "/opt/zel/share/manual/index.html";
    EXPECT_EQ(CAboutDlg().m_manualPath, "/opt/zel/share/manual/index.html");
}

TEST_F(AboutFixture, OpensWithItsCaptionPictureAndText) {
    about.m_manualPath = "/usr/share/zel-editor/manual/index.html";
    const INT_PTR result = run(about, [&] {
        about.UpdateWindow();
        CString caption;
        about.GetWindowText(caption);
        EXPECT_EQ(caption, "About ZEL Editor");

        CClientDC dc(&about);
        // The sketch's board, in the well colour, where the picture is stretched.
        CRect picture(CAboutDlg::kPicture);
        about.MapDialogRect(&picture);
        const int x = picture.left + picture.Width() * 20 / 248;
        const int y = picture.top + picture.Height() * 140 / 163;
        EXPECT_TRUE(near(dc.GetPixel(x, y), RGB(0xD8, 0xD0, 0xC0), 4)) << dc.GetPixel(x, y);
        // Outside the picture, the paper every dialog stands on.
        EXPECT_EQ(dc.GetPixel(picture.left - 4, picture.top + 10), zel::dialogs::kPaperGround);

        // The text block: name and version first, then the rights and the manual's place.
        EXPECT_EQ(about.TextBlock().Find("ZEL Editor v1.0\n"), 0);
        EXPECT_GT(about.TextBlock().Find("Copyright"), 0);
        EXPECT_GT(about.TextBlock().Find(about.m_manualPath.c_str()), 0);
        int ink = 0;
        const CRect block(CAboutDlg::kTextBlock);
        for (int py = block.top; py < block.top + 16; ++py) {
            for (int px = block.left; px < block.left + 120; ++px) {
                ink += dc.GetPixel(px, py) == RGB(0, 0, 0) ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 20);

        // The link stands on the same paper: no grey block of the classic face colour.
        CWnd& link = *about.GetDlgItem(CAboutDlg::IDC_LINK);
        link.UpdateWindow();
        CClientDC linkDc(&link);
        CRect linkArea;
        link.GetClientRect(&linkArea);
        int paper = 0;
        int grey = 0;
        for (int py = 0; py < linkArea.Height(); ++py) {
            for (int px = 0; px < linkArea.Width(); ++px) {
                const COLORREF c = linkDc.GetPixel(px, py);
                paper += c == zel::dialogs::kPaperGround ? 1 : 0;
                grey += c == RGB(192, 192, 192) ? 1 : 0;
            }
        }
        EXPECT_GT(paper, linkArea.Width() * linkArea.Height() / 2);
        EXPECT_EQ(grey, 0);
        about.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(result, IDOK);
}

// The link's text is set once when the box opens and the link is fitted to it afterwards:
// painting changes neither its words nor its place.
TEST_F(AboutFixture, LinkFitsItsWordsAndOpensTheManual) {
    about.m_manualPath = "/opt/zel/manual/index.html";
    std::string opened;
    zel::platform::set_shell_open_hook([&](const std::string& verb, const std::string& target) {
        opened = verb + " " + target;
        return 33;
    });
    run(about, [&] {
        CWnd* link = about.GetDlgItem(CAboutDlg::IDC_LINK);
        ASSERT_NE(link, nullptr);
        CString text;
        link->GetWindowText(text);
        EXPECT_EQ(text, "Open the user manual");
        EXPECT_EQ(about.Link().GetTarget(), "/opt/zel/manual/index.html");
        EXPECT_EQ(about.Link().GetUnderlineMode(), CHyperLink::kUnderlineAlways);

        CRect before;
        link->GetWindowRect(&before);
        CSize words;
        {
            CClientDC dc(link);
            CFont* old = dc.SelectObject(link->GetFont()); // the underlined font
            words = dc.GetTextExtent(text);
            dc.SelectObject(old);
        }
        EXPECT_EQ(before.Width(), words.cx);
        EXPECT_EQ(before.Height(), words.cy);

        about.Invalidate();
        about.UpdateWindow();
        CRect after;
        link->GetWindowRect(&after);
        EXPECT_EQ(after, before);
        link->GetWindowText(text);
        EXPECT_EQ(text, "Open the user manual");

        click(*link, CPoint(2, 2));
        EXPECT_EQ(opened, "open /opt/zel/manual/index.html");
        EXPECT_TRUE(about.Link().IsVisited());
        about.EndDialog(IDOK);
    });
}

// A line too long for the text block loses its middle: the start and the end (where the manual's
// file name is) stay readable, and nothing runs past the block.
TEST(AboutText, LinesAreFittedToTheBlockByDroppingTheirMiddle) {
    ensure_app();
    CWnd* screen = nullptr;
    CClientDC dc(screen);
    CFont font;
    font.CreatePointFont(85, "Verdana", &dc);
    CFont* old = dc.SelectObject(&font);
    const CString fits("ZEL Editor v1.0");
    EXPECT_EQ(zel::dialogs::fit_line(dc, fits, 300), fits);

    const CString path("Manual (F1): /home/someone/.local/share/zel-editor/a-rather-long-folder-"
                       "name/and-another-one/manual/index.html");
    ASSERT_GT(dc.GetTextExtent(path).cx, 300);
    const CString fitted = zel::dialogs::fit_line(dc, path, 300);
    EXPECT_LE(dc.GetTextExtent(fitted).cx, 300);
    EXPECT_EQ(fitted.Find("Manual (F1): /home"), 0);
    EXPECT_EQ(fitted.Right(10), CString("index.html"));
    EXPECT_GT(fitted.Find("..."), 0);
    EXPECT_EQ(zel::dialogs::fit_line(dc, path, 1), CString("..."));
    dc.SelectObject(old);
}
