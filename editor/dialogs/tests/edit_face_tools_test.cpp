// Edit Face's tools through the mouse messages: the eraser's squares, the pens' stamps, text,
// strokes that begin outside the drawing area, stamps at the picture's edges, and the cursor
// that shows the tool.

#include "edit_face_test_support.h"

#include "zel/platform/commdlg.h"

#include <algorithm>
#include <cstring>

using namespace zel::dialogs::test;

namespace {

// Counts the ink pixels of the working picture in `r`.
int ink_in(const CEditFaceDlg& d, const CRect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            n += d.GetWorkingPixel(x, y) == kInk ? 1 : 0;
        }
    }
    return n;
}

FaceCopy inked(int width, int height) {
    FaceCopy copy(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            copy.ink(x, y);
        }
    }
    return copy;
}

TEST_F(EditFaceTest, EraseAtTwoToOneClearsHalfTheScreenSquare) {
    // 117 x 158 is shown at exactly 2:1 in the 234 x 316 area.
    FaceCopy copy = inked(117, 158);
    open(copy);
    const CPoint at = area(100, 200); // picture (51, 101) with the press's pixel
    press(at);
    release(at);
    // 117 x 15 / 234 = 7: a 7 x 7 square centred on (51, 101).
    EXPECT_EQ(ink_in(dialog, CRect(48, 98, 55, 105)), 0);
    EXPECT_EQ(ink_in(dialog, CRect(40, 90, 62, 112)), 22 * 22 - 49);
    // On the screen the square is 15 pixels, centred on the press.
    EXPECT_EQ(screen(CPoint(at.x - 7, at.y - 7)), kPaper);
    EXPECT_EQ(screen(CPoint(at.x + 7, at.y + 7)), kPaper);
    EXPECT_EQ(screen(CPoint(at.x - 8, at.y)), kInk);
    EXPECT_EQ(screen(CPoint(at.x, at.y + 8)), kInk);
}

TEST_F(EditFaceTest, ATinyEraseSquareIsOnePixel) {
    FaceCopy copy = inked(10, 14);
    open(copy);
    const CRect shown = dialog.GetSourceWindow();
    ASSERT_LT(shown.Width() * 15, 234);
    press(area(117, 158));
    EXPECT_EQ(ink_in(dialog, CRect(0, 0, 10, 14)), 10 * 14 - 1);
}

TEST_F(EditFaceTest, EraseSquaresStayInsideThePictureAndTheArea) {
    FaceCopy copy = inked(117, 158);
    open(copy);
    const CRect d = dialog.GetDrawingArea();
    const COLORREF outside = screen(CPoint(d.left - 1, d.top + 3));
    const COLORREF below = screen(CPoint(d.right - 3, d.bottom));
    // Squares that hang over the corners of the picture and of the area.
    press(area(0, 0));
    drag(CPoint(d.right - 1, d.bottom - 1));
    release(CPoint(d.right - 1, d.bottom - 1));
    EXPECT_EQ(screen(CPoint(d.left - 1, d.top + 3)), outside);
    EXPECT_EQ(screen(CPoint(d.right - 3, d.bottom)), below);
    EXPECT_EQ(screen(CPoint(d.left, d.top)), kPaper);
    // (1, 1) and (116, 157) centre the two squares: 5 x 5 and 4 x 4 of them are in the picture.
    EXPECT_EQ(ink_in(dialog, CRect(0, 0, 10, 10)), 100 - 25);
    EXPECT_EQ(ink_in(dialog, CRect(107, 148, 117, 158)), 100 - 16);
}

TEST_F(EditFaceTest, PensMarkOnlyTheirBlackPixels) {
    FaceCopy copy(117, 158);
    for (int y = 0; y < 158; ++y) {
        copy.ink(50, y); // a line through the stamp
    }
    open(copy);
    answer_popups(2, nullptr);
    command(CEditFaceDlg::kPen);
    ASSERT_EQ(dialog.GetToolMode(), CEditFaceDlg::kModePen);
    ASSERT_EQ(dialog.GetPenChoice(), 2);
    press(area(100, 200)); // stamp at (43, 93): the diamond is centred on (50, 100)
    release(area(100, 200));
    const CRect stamp(43, 93, 59, 109);
    // The line keeps its ink under the pen's white; the diamond's 13 pixels add 8 new ones.
    EXPECT_EQ(ink_in(dialog, stamp), 16 + 13 - 5);
    EXPECT_EQ(dialog.GetWorkingPixel(50, 93), kInk);
    EXPECT_EQ(dialog.GetWorkingPixel(48, 100), kInk);
    EXPECT_EQ(dialog.GetWorkingPixel(47, 100), kPaper);
}

TEST_F(EditFaceTest, TheSmallestPenMarksOnePixelAndTheLargestFifteenAcross) {
    FaceCopy copy(117, 158);
    open(copy);
    answer_popups(1, nullptr);
    command(CEditFaceDlg::kPen);
    press(area(100, 200));
    EXPECT_EQ(ink_in(dialog, CRect(43, 93, 59, 109)), 1);
    EXPECT_EQ(dialog.GetWorkingPixel(50, 100), kInk);
    release(area(100, 200));

    answer_popups(6, nullptr);
    command(CEditFaceDlg::kPen);
    press(area(40, 40)); // picture (21, 21): stamp at (13, 13), centre (20, 20)
    EXPECT_EQ(ink_in(dialog, CRect(13, 13, 29, 29)), 161);
    EXPECT_EQ(ink_in(dialog, CRect(13, 20, 29, 21)), 15);
    EXPECT_EQ(dialog.GetWorkingPixel(13, 20), kInk);
    EXPECT_EQ(dialog.GetWorkingPixel(27, 20), kInk);
    EXPECT_EQ(dialog.GetWorkingPixel(28, 20), kPaper);
    // The stamp shows in the area at once.
    EXPECT_EQ(screen(area(40, 40)), kInk);
}

TEST_F(EditFaceTest, StampsAtThePicturesEdgesAreCut) {
    FaceCopy copy(117, 158);
    open(copy);
    const CRect d = dialog.GetDrawingArea();
    const COLORREF left = screen(CPoint(d.left - 1, d.top + 2));
    answer_popups(6, nullptr);
    command(CEditFaceDlg::kPen);
    // Picture (1, 1): the stamp starts at (-7, -7).
    press(area(0, 0));
    release(area(0, 0));
    EXPECT_EQ(ink_in(dialog, CRect(0, 0, 117, 158)), 48);
    EXPECT_EQ(dialog.GetWorkingPixel(0, 0), kInk);
    EXPECT_EQ(screen(CPoint(d.left - 1, d.top + 2)), left);
    // Picture (117, 158), one beyond the last pixel.
    press(CPoint(d.right - 1, d.bottom - 1));
    release(CPoint(d.right - 1, d.bottom - 1));
    EXPECT_EQ(dialog.GetWorkingPixel(116, 157), kInk);
    EXPECT_EQ(screen(CPoint(d.right - 1, d.bottom - 1)), kInk);
}

TEST_F(EditFaceTest, ADragEnteringTheAreaStartsItsOwnStroke) {
    FaceCopy copy = inked(117, 158);
    open(copy);
    const CRect d = dialog.GetDrawingArea();
    CRect confined = d;
    dialog.ClientToScreen(&confined);
    press(CPoint(d.left - 10, d.top + 50));
    EXPECT_EQ(dialog.GetStrokeCount(), 0);
    EXPECT_EQ(dialog.m_changed, 0);
    drag(area(50, 50));
    EXPECT_EQ(dialog.GetStrokeCount(), 1);
    EXPECT_EQ(dialog.m_changed, 1);
    EXPECT_EQ(clip(), confined);
    drag(area(60, 50));
    EXPECT_EQ(dialog.GetStrokeCount(), 1); // once per drag
    release(area(60, 50));
    EXPECT_EQ(dialog.GetWorkingPixel(25, 25), kPaper);
    // Its undo copy is the picture before it.
    command(CEditFaceDlg::kUndo);
    EXPECT_EQ(dialog.GetWorkingPixel(25, 25), kInk);
    EXPECT_EQ(dialog.m_changed, 0);
    // A drag that never presses draws nothing.
    drag(area(50, 50));
    EXPECT_EQ(dialog.GetStrokeCount(), 0);
    EXPECT_EQ(dialog.GetWorkingPixel(25, 25), kInk);
}

TEST_F(EditFaceTest, ThePointerKeepsAnUndoCopyAndDrawsNothing) {
    FaceCopy copy = inked(117, 158);
    open(copy);
    dialog.SendMessage(WM_COMMAND, CEditFaceDlg::kPointer, 0);
    EXPECT_EQ(dialog.GetToolMode(), CEditFaceDlg::kModePointer);
    press(area(50, 50));
    drag(area(60, 60));
    release(area(60, 60));
    EXPECT_EQ(dialog.m_changed, 1);
    EXPECT_EQ(ink_in(dialog, CRect(0, 0, 117, 158)), 117 * 158);
}

TEST_F(EditFaceTest, TextIsWrittenWithTheChosenFont) {
    FaceCopy copy(117, 158);
    open(copy);
    LOGFONT asked{};
    zel::platform::set_font_dialog_hook([&](const zel::platform::FontDialogRequest& r) {
        asked = r.initial;
        zel::platform::FontDialogAnswer a;
        a.ok = true;
        a.font = r.initial;
        a.font.lfHeight = 30;
        a.font.lfWeight = FW_BOLD;
        std::strcpy(a.font.lfFaceName, "DejaVu Sans");
        return a;
    });
    command(CEditFaceDlg::kText);
    // 12-point Arial: a character height of 16 pixels.
    EXPECT_EQ(asked.lfHeight, -16);
    EXPECT_STREQ(asked.lfFaceName, "Arial");
    EXPECT_EQ(dialog.GetToolMode(), CEditFaceDlg::kModeText);
    EXPECT_TRUE(dialog.IsFontChosen());
    EXPECT_EQ(dialog.GetTextFont().lfHeight, 30);

    answer_popups(0, "HI");
    press(area(20, 100)); // picture (11, 51)
    release(area(20, 100));
    EXPECT_GT(ink_in(dialog, CRect(11, 51, 60, 90)), 40);
    EXPECT_EQ(ink_in(dialog, CRect(0, 0, 117, 50)), 0);
    EXPECT_EQ(dialog.m_changed, 1);

    // The next font dialog starts from the kept font; cancelling it keeps that font.
    zel::platform::set_font_dialog_hook([&](const zel::platform::FontDialogRequest& r) {
        asked = r.initial;
        return zel::platform::FontDialogAnswer{};
    });
    command(CEditFaceDlg::kText);
    EXPECT_EQ(asked.lfHeight, 30);
    EXPECT_EQ(dialog.GetTextFont().lfHeight, 30);
    EXPECT_EQ(dialog.GetToolMode(), CEditFaceDlg::kModeText);
}

// Until a font is chosen, text is written in the first font, 12 points: a capital stands 11 or
// 12 pixels tall (at 12 pixels, the letters stood 7 pixels tall and could not be read).
TEST_F(EditFaceTest, TextWithoutAChosenFontIsWrittenAtTwelvePoints) {
    FaceCopy copy(117, 158);
    open(copy);
    zel::platform::set_font_dialog_hook(
        [](const zel::platform::FontDialogRequest&) { return zel::platform::FontDialogAnswer{}; });
    command(CEditFaceDlg::kText);
    ASSERT_FALSE(dialog.IsFontChosen());
    answer_popups(0, "H");
    press(area(20, 100));
    release(area(20, 100));
    int top = 158;
    int bottom = -1;
    for (int y = 0; y < 158; ++y) {
        if (ink_in(dialog, CRect(0, y, 117, y + 1)) > 0) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    EXPECT_GE(bottom - top + 1, 11);
    EXPECT_LE(bottom - top + 1, 13);
}

TEST_F(EditFaceTest, ACancelledTextLeavesThePicture) {
    FaceCopy copy(117, 158);
    open(copy);
    zel::platform::set_font_dialog_hook(
        [](const zel::platform::FontDialogRequest&) { return zel::platform::FontDialogAnswer{}; });
    command(CEditFaceDlg::kText);
    EXPECT_FALSE(dialog.IsFontChosen());
    answer_popups(0, nullptr);
    press(area(20, 100));
    release(area(20, 100));
    EXPECT_EQ(ink_in(dialog, CRect(0, 0, 117, 158)), 0);
    // The text pop-up let the cursor go before it opened.
    EXPECT_EQ(clip().right, GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(EditFaceTest, ACancelledPenChoiceKeepsThePenAndTakesThePenTool) {
    FaceCopy copy(117, 158);
    open(copy);
    answer_popups(5, nullptr);
    command(CEditFaceDlg::kPen);
    answer_popups(0, nullptr);
    command(CEditFaceDlg::kErase);
    command(CEditFaceDlg::kPen);
    EXPECT_EQ(dialog.GetPenChoice(), 5);
    EXPECT_EQ(dialog.GetToolMode(), CEditFaceDlg::kModePen);
}

TEST_F(EditFaceTest, TheCursorShowsTheTool) {
    FaceCopy copy(117, 158);
    open(copy);
    const auto hot_spot = [] {
        ICONINFO info;
        ::GetIconInfo(::GetCursor(), &info);
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
        return CPoint(int(info.xHotspot), int(info.yHotspot));
    };
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(WORD(area(50, 50).x), WORD(area(50, 50).y)));
    EXPECT_EQ(hot_spot(), CPoint(16, 16)); // the eraser's square is centred
    answer_popups(0, nullptr);
    command(CEditFaceDlg::kPen);
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(WORD(area(50, 50).x), WORD(area(50, 50).y)));
    EXPECT_EQ(hot_spot(), CPoint(3, 28)); // the pencil's point
    dialog.SendMessage(WM_COMMAND, CEditFaceDlg::kPointer, 0);
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(WORD(area(50, 50).x), WORD(area(50, 50).y)));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_CROSS));
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_ARROW));
}

} // namespace
