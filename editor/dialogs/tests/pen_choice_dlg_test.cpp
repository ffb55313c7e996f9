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

// The black pixels of a pen picture, row by row: the first and last black column of each row
// (-1 for a row without black).
struct Rows {
    int first[16];
    int last[16];
};
Rows black_rows(const std::vector<COLORREF>& pixels) {
    Rows r{};
    for (int y = 0; y < 16; ++y) {
        r.first[y] = r.last[y] = -1;
        for (int x = 0; x < 16; ++x) {
            if (pixels[std::size_t(16 * y + x)] == kBlack) {
                r.first[y] = r.first[y] < 0 ? x : r.first[y];
                r.last[y] = x;
            }
        }
    }
    return r;
}

TEST(PenPictures, EachPenIsADiscAroundThePointItDrawsAtAndTheNextIsLarger) {
    ensure_app();
    std::vector<COLORREF> smaller;
    int previousWidth = 0;
    for (int pen = 1; pen <= 6; ++pen) {
        const std::vector<COLORREF> pixels = picture(zel::dialogs::IDB_FIRST_PEN + 2 * (pen - 1));
        ASSERT_EQ(pixels.size(), 256u);
        const Rows rows = black_rows(pixels);
        int top = -1, bottom = -1;
        for (int y = 0; y < 16; ++y) {
            // Each row is one run of black on white, centred on column 7.
            for (int x = 0; x < 16; ++x) {
                const bool inside = rows.first[y] >= 0 && x >= rows.first[y] && x <= rows.last[y];
                ASSERT_EQ(pixels[std::size_t(16 * y + x)], inside ? kBlack : kWhite)
                    << "pen " << pen << " at " << x << "," << y;
            }
            if (rows.first[y] >= 0) {
                EXPECT_EQ(rows.first[y] + rows.last[y], 14) << "pen " << pen << " row " << y;
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
        // The rows run without a gap, centred on row 7, widening to the middle and narrowing
        // after it the same way.
        ASSERT_GE(top, 0) << pen;
        EXPECT_EQ(top + bottom, 14) << pen;
        for (int y = top; y <= bottom; ++y) {
            EXPECT_GE(rows.first[y], 0) << "pen " << pen << " row " << y;
            EXPECT_EQ(rows.last[y] - rows.first[y], rows.last[14 - y] - rows.first[14 - y]) << pen;
            if (y > top && y <= 7) {
                EXPECT_LE(rows.first[y], rows.first[y - 1]) << "pen " << pen << " row " << y;
            }
        }
        // As wide as it is high; larger than the pen before it, which it covers.
        const int width = rows.last[7] - rows.first[7] + 1;
        EXPECT_EQ(width, bottom - top + 1) << pen;
        EXPECT_GT(width, previousWidth) << pen;
        for (std::size_t i = 0; i < smaller.size(); ++i) {
            if (smaller[i] == kBlack) {
                EXPECT_EQ(pixels[i], kBlack) << "pen " << pen << " does not cover pen " << pen - 1;
            }
        }
        previousWidth = width;
        smaller = pixels;
    }
    // The smallest pen is the point itself, the largest fills the picture but its last row and
    // column.
    EXPECT_EQ(previousWidth, 15);
    const Rows point = black_rows(picture(zel::dialogs::IDB_FIRST_PEN));
    EXPECT_EQ(point.first[7], 7);
    EXPECT_EQ(point.last[7], 7);
    EXPECT_EQ(point.first[6], -1);
}

TEST(PenPictures, TheBorderedPictureIsThePlainOneInsideAOnePixelFrame) {
    ensure_app();
    for (int pen = 1; pen <= 6; ++pen) {
        const int id = zel::dialogs::IDB_FIRST_PEN + 2 * (pen - 1);
        const std::vector<COLORREF> plain = picture(id);
        const std::vector<COLORREF> bordered = picture(id + 1);
        ASSERT_EQ(bordered.size(), 256u);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const bool frame = x == 0 || y == 0 || x == 15 || y == 15;
                EXPECT_EQ(bordered[std::size_t(16 * y + x)],
                          frame ? kBlack : plain[std::size_t(16 * y + x)])
                    << "pen " << pen << " at " << x << "," << y;
            }
        }
    }
}

TEST(PenPictures, AreFourBitsAPixel) {
    for (int id = zel::dialogs::IDB_FIRST_PEN; id < zel::dialogs::IDB_FIRST_PEN + 12; ++id) {
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
        // The pen's picture (the current one's inside its border) sits in the middle of the
        // larger button; around it only white.
        const std::vector<COLORREF> shown =
            picture(zel::dialogs::IDB_FIRST_PEN + 2 * (pen - 1) + (pen == 4 ? 1 : 0));
        const int left = (item.Width() - 16) / 2, top = (item.Height() - 16) / 2;
        CClientDC dc(button);
        for (int y = 0; y < item.Height(); ++y) {
            for (int x = 0; x < item.Width(); ++x) {
                const int px = x - left, py = y - top;
                const bool inside = px >= 0 && py >= 0 && px < 16 && py < 16;
                ASSERT_EQ(dc.GetPixel(x, y), inside ? shown[std::size_t(16 * py + px)] : kWhite)
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
