// The pen pictures, the pen pop-up and the text pop-up.

#include "zel/dialogs/edit_face_popup_dlg.h"
#include "zel/dialogs/pen_choice_dlg.h"
#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

using zel::platform::test::ensure_app;
using zel::platform::test::HookReset;

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

// Black pixels of each pen, row by row from its first row, each row centred on column 7.
struct Shape {
    int firstRow;
    std::vector<int> widths;
};
const Shape kShapes[6] = {
    {7, {1}},
    {5, {1, 3, 5, 3, 1}},
    {4, {1, 5, 5, 7, 5, 5, 1}},
    {3, {3, 7, 7, 9, 9, 9, 7, 7, 3}},
    {2, {5, 9, 9, 11, 11, 11, 11, 11, 9, 9, 5}},
    {0, {3, 7, 11, 11, 13, 13, 15, 15, 15, 13, 13, 11, 11, 7, 3}},
};

bool black_in_shape(int pen, int x, int y, bool bordered) {
    if (bordered && (x == 0 || y == 0 || x == 15 || y == 15)) {
        return true;
    }
    const Shape& s = kShapes[pen - 1];
    const int row = y - s.firstRow;
    if (row < 0 || row >= int(s.widths.size())) {
        return false;
    }
    const int half = (s.widths[std::size_t(row)] - 1) / 2;
    return x >= 7 - half && x <= 7 + half;
}

// The picture of `id` as the program loads it, 16 x 16.
std::vector<COLORREF> picture(int id) {
    CBitmap bitmap;
    EXPECT_TRUE(bitmap.LoadBitmap(MAKEINTRESOURCE(id))) << id;
    BITMAP bm{};
    bitmap.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 16) << id;
    EXPECT_EQ(bm.bmHeight, 16) << id;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            pixels.push_back(dc.GetPixel(x, y));
        }
    }
    dc.SelectObject(old);
    return pixels;
}

TEST(PenPictures, EveryPenIsItsShapeInBlackOnWhitePlainAndBordered) {
    ensure_app();
    for (int pen = 1; pen <= 6; ++pen) {
        for (int bordered = 0; bordered < 2; ++bordered) {
            const int id = 256 + 2 * (pen - 1) + bordered;
            const std::vector<COLORREF> pixels = picture(id);
            ASSERT_EQ(pixels.size(), 256u);
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    EXPECT_EQ(pixels[std::size_t(16 * y + x)],
                              black_in_shape(pen, x, y, bordered != 0) ? kBlack : kWhite)
                        << "picture " << id << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(PenPictures, AreFourBitsAPixel) {
    for (int id = 256; id <= 267; ++id) {
        std::ifstream file(std::string(ZEL_PEN_FOLDER) + "/" + std::to_string(id) + ".bmp",
                           std::ios::binary);
        ASSERT_TRUE(file) << id;
        unsigned char header[54] = {};
        file.read(reinterpret_cast<char*>(header), sizeof header);
        EXPECT_EQ(header[0], 'B');
        EXPECT_EQ(header[18], 16); // width
        EXPECT_EQ(header[22], 16); // height, rows from the bottom
        EXPECT_EQ(header[28], 4);  // bits a pixel
    }
}

struct PenChoiceTest : ::testing::Test {
    void SetUp() override { ensure_app(); }
    HookReset hooks;
};

TEST_F(PenChoiceTest, TheCurrentPenIsShownInItsBorderOnWhite) {
    CPenChoiceDlg dialog;
    dialog.m_choice = 4;
    ASSERT_TRUE(dialog.Create(CPenChoiceDlg::IDD));
    for (int pen = 1; pen <= 6; ++pen) {
        CWnd* button = dialog.GetDlgItem(CPenChoiceDlg::kFirstPen + pen - 1);
        ASSERT_NE(button, nullptr);
        button->UpdateWindow();
        CRect item;
        button->GetClientRect(&item);
        ASSERT_GE(item.Width(), 16);
        ASSERT_GE(item.Height(), 16);
        // The picture sits in the middle of the larger button; around it only white.
        const int left = (item.Width() - 16) / 2, top = (item.Height() - 16) / 2;
        CClientDC dc(button);
        for (int y = 0; y < item.Height(); ++y) {
            for (int x = 0; x < item.Width(); ++x) {
                const int px = x - left, py = y - top;
                const bool inside = px >= 0 && py >= 0 && px < 16 && py < 16;
                const bool black = inside && black_in_shape(pen, px, py, pen == 4);
                ASSERT_EQ(dc.GetPixel(x, y), black ? kBlack : kWhite)
                    << "pen " << pen << " at " << x << "," << y;
            }
        }
    }
    dialog.DestroyWindow();
}

// The pop-up has no frame from the window system: it stands on paper inside a slate line.
TEST_F(PenChoiceTest, ThePopUpIsPaperInsideASlateLine) {
    CPenChoiceDlg dialog;
    ASSERT_TRUE(dialog.Create(CPenChoiceDlg::IDD));
    dialog.UpdateWindow();
    CRect client;
    dialog.GetClientRect(&client);
    CClientDC dc(&dialog);
    const COLORREF slate = RGB(0x44, 0x57, 0x6B), paper = RGB(0xEC, 0xE6, 0xDA);
    for (const CPoint p : {CPoint(0, 0), CPoint(client.right - 1, client.bottom - 1),
                           CPoint(client.right / 2, 0), CPoint(0, client.bottom / 2)}) {
        EXPECT_EQ(dc.GetPixel(p.x, p.y), slate) << p.x << "," << p.y;
    }
    EXPECT_EQ(dc.GetPixel(1, 1), paper);
    EXPECT_EQ(dc.GetPixel(client.right / 2, client.bottom - 3), paper);
    dialog.DestroyWindow();
}

// The text pop-up stands on the same paper, under its prompt too.
TEST_F(PenChoiceTest, TheTextPopUpAndItsPromptAreOnPaper) {
    CEditFacePopupDlg popup;
    ASSERT_TRUE(popup.Create(CEditFacePopupDlg::IDD));
    popup.UpdateWindow();
    const COLORREF paper = RGB(0xEC, 0xE6, 0xDA);
    EXPECT_EQ(CClientDC(&popup).GetPixel(3, 3), paper);
    CWnd* prompt = popup.GetDlgItem(-1);
    ASSERT_NE(prompt, nullptr);
    prompt->UpdateWindow();
    CRect area;
    prompt->GetClientRect(&area);
    // The prompt's words end well before its right side.
    EXPECT_EQ(CClientDC(prompt).GetPixel(area.right - 3, area.bottom / 2), paper);
    popup.DestroyWindow();
}

TEST_F(PenChoiceTest, AClickChoosesAndOkKeepsThePen) {
    CPenChoiceDlg dialog;
    dialog.m_choice = 3;
    zel::platform::set_modal_dialog_hook([](CDialog& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(CPenChoiceDlg::kFirstPen + 4, BN_CLICKED), 0);
    });
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(dialog.m_choice, 5);

    dialog.m_choice = 3;
    zel::platform::set_modal_dialog_hook([](CDialog& d) {
        CWnd* ok = d.GetDlgItem(IDCANCEL);
        ASSERT_NE(ok, nullptr);
        CString caption;
        ok->GetWindowText(caption);
        EXPECT_EQ(caption, "OK");
        ok->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_choice, 3);
}

TEST_F(PenChoiceTest, TheTextPopUpTypesIntoItsFieldAtOnce) {
    CEditFacePopupDlg popup;
    bool focused = false;
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        CWnd* field = d.GetDlgItem(CEditFacePopupDlg::kTextField);
        ASSERT_NE(field, nullptr);
        zel::platform::test::pump(50, [&] { return CWnd::GetFocus() == field; });
        focused = CWnd::GetFocus() == field;
        field->SetWindowText("Grandpa");
        d.SendMessage(WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(popup.DoModal(), IDOK);
    EXPECT_TRUE(focused);
    EXPECT_EQ(popup.m_text, "Grandpa");

    zel::platform::set_modal_dialog_hook([](CDialog& d) {
        d.SetDlgItemText(CEditFacePopupDlg::kTextField, "not this");
        d.SendMessage(WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(popup.DoModal(), IDCANCEL);
    EXPECT_EQ(popup.m_text, "Grandpa");
}

} // namespace
