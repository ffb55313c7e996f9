// Edit Face through its messages: the mapping of presses and drags, zoom, scroll bars, undo,
// Done and Cancel, the cursor's confinement, and a second run of the same dialog object.

#include "edit_face_test_support.h"

#include "zel/testing/test_env.h"

#include <cstdlib>
#include <vector>

using namespace zel::dialogs::test;

namespace {

// The drawing area is (35, 42)-(269, 358): 234 x 316 pixels.
constexpr int kAreaWidth = 234, kAreaHeight = 316;

TEST_F(EditFaceTest, OpensOnTheWholePictureWithTheEraser) {
    FaceCopy copy(720, 960);
    open(copy);
    EXPECT_EQ(dialog.GetDrawingArea(), CRect(35, 42, 35 + kAreaWidth, 42 + kAreaHeight));
    EXPECT_EQ(dialog.GetToolMode(), CEditFaceDlg::kModeErase);
    // The first paint fits the window to the area's shape: 710 of the 720 columns.
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(0, 0, 710, 960));
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_EQ(dialog.GetStrokeCount(), 0);
    // The area shows the picture.
    EXPECT_EQ(screen(area(100, 100)), kPaper);
}

// The skin's slate header band lies inside the etched outer frame with paper on every side, so
// neither the frame's lines (x 7-8 and 576-577, y 6-7) nor the drawing panel below touch it.
TEST_F(EditFaceTest, TheHeaderBandStaysClearOfTheOuterFrameAndTheDrawingPanel) {
    FaceCopy copy(720, 960);
    open(copy);
    auto slate = [&](int x, int y) {
        const COLORREF c = screen(CPoint(x, y));
        return std::abs(GetRValue(c) - 0x44) < 16 && std::abs(GetGValue(c) - 0x57) < 16 &&
               std::abs(GetBValue(c) - 0x6B) < 16;
    };
    // Down the panel's column: frame line, paper, band, paper, then the panel's slate edge.
    std::vector<int> bandRows;
    int panelTop = -1;
    for (int y = 0; y < 40; ++y) {
        if (!slate(100, y)) {
            continue;
        }
        if (bandRows.empty() || bandRows.back() == y - 1) {
            bandRows.push_back(y);
        } else if (panelTop < 0) {
            panelTop = y;
        }
    }
    ASSERT_FALSE(bandRows.empty());
    EXPECT_GE(bandRows.front(), 9);      // paper under the frame's lines
    EXPECT_GE(int(bandRows.size()), 16); // under its lighter top
    ASSERT_GT(panelTop, 0);
    EXPECT_GE(panelTop - bandRows.back(), 2); // at least a row of paper between them
    // Across the band: it ends before the frame's right lines, and the frame's left lines are
    // not slate.
    const int mid = (bandRows.front() + bandRows.back()) / 2;
    for (int x = 5; x <= 9; ++x) {
        EXPECT_FALSE(slate(x, mid)) << x;
    }
    for (int x = 575; x <= 579; ++x) {
        EXPECT_FALSE(slate(x, mid)) << x;
    }
    EXPECT_TRUE(slate(300, mid));
}

TEST_F(EditFaceTest, APressMapsOnePixelFurtherThanADrag) {
    FaceCopy copy(720, 960);
    open(copy);
    // 710 x 960 shown in 234 x 316: (100, 50) shows picture (303, 151).
    EXPECT_EQ(dialog.MapToPicture(area(100, 50), false), CPoint(303, 151));
    EXPECT_EQ(dialog.MapToPicture(area(100, 50), true), CPoint(304, 152));
    // With the smallest pen, a press marks (303, 151): its pixel sits at the stamp's (7, 7).
    answer_popups(1, nullptr);
    command(CEditFaceDlg::kPen);
    press(area(100, 50));
    EXPECT_EQ(dialog.GetWorkingPixel(303, 151), kInk);
    EXPECT_EQ(dialog.GetWorkingPixel(304, 152), kPaper);
    // A drag at the same point marks one pixel up and to the left.
    drag(area(100, 50));
    EXPECT_EQ(dialog.GetWorkingPixel(302, 150), kInk);
    release(area(100, 50));
}

TEST_F(EditFaceTest, ZoomInShrinksByATenthThenTheAreaShapeRules) {
    FaceCopy copy(720, 960);
    open(copy, false);
    // Before any paint the whole 720 x 960 is the window: 72 and 96 go from each side, then
    // the paint cuts the width to the area's shape: 768 x 234 / 316 + 72 = 640.
    command(CEditFaceDlg::kZoomIn);
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(72, 96, 640, 864));
}

TEST_F(EditFaceTest, ZoomStopsAtTwentyFiveAndZoomOutSnapsToTheWholePicture) {
    FaceCopy copy(720, 960);
    open(copy);
    for (int i = 0; i < 20; ++i) {
        command(CEditFaceDlg::kZoomIn);
    }
    // Fifteen steps reach 23 x 31; a window of 25 or less refuses the sixteenth.
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(337, 458, 360, 489));
    // Under 50 a step out adds half the size on each side.
    command(CEditFaceDlg::kZoomOut);
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(326, 443, 371, 504));
    command(CEditFaceDlg::kZoomOut);
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(304, 413, 393, 533));
    for (int i = 0; i < 11; ++i) {
        command(CEditFaceDlg::kZoomOut);
    }
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(40, 54, 653, 884));
    // Reaching a whole side shows the whole picture again (fitted by the paint).
    command(CEditFaceDlg::kZoomOut);
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(0, 0, 710, 960));
    command(CEditFaceDlg::kZoomOut);
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(0, 0, 710, 960));
}

TEST_F(EditFaceTest, ZoomOutShiftsAWindowThatWouldLeaveThePicture) {
    FaceCopy copy(720, 960);
    open(copy);
    command(CEditFaceDlg::kZoomIn);
    command(CEditFaceDlg::kZoomIn);
    scroll(true, SB_THUMBTRACK, 0);
    scroll(false, SB_THUMBTRACK, 0);
    scroll(false, SB_ENDSCROLL);
    ASSERT_EQ(dialog.GetSourceWindow(), CRect(0, 0, 456, 616));
    // 45 and 61 more on each side: the negative left and top are shifted back to 0.
    command(CEditFaceDlg::kZoomOut);
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(0, 0, 546, 738));
}

TEST_F(EditFaceTest, ScrollBarsFollowTheWindowAndMoveIt) {
    FaceCopy copy(720, 960);
    open(copy, false);
    command(CEditFaceDlg::kZoomIn); // (72, 96, 640, 864)
    CScrollBar* hbar = static_cast<CScrollBar*>(dialog.GetDlgItem(CEditFaceDlg::kHorizontalBar));
    CScrollBar* vbar = static_cast<CScrollBar*>(dialog.GetDlgItem(CEditFaceDlg::kVerticalBar));
    int low = -1, high = -1;
    hbar->GetScrollRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 720 - 568);
    EXPECT_EQ(hbar->GetScrollPos(), 72);
    vbar->GetScrollRange(&low, &high);
    EXPECT_EQ(high, 960 - 768);
    EXPECT_EQ(vbar->GetScrollPos(), 96);

    // A line is a twentieth of the window, a page half of it; the last position is 152.
    scroll(true, SB_LINERIGHT);
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(100, 96, 668, 864));
    EXPECT_EQ(hbar->GetScrollPos(), 100);
    scroll(true, SB_PAGERIGHT);
    EXPECT_EQ(dialog.GetSourceWindow().left, 152);
    scroll(true, SB_PAGELEFT);
    EXPECT_EQ(dialog.GetSourceWindow().left, 0);
    scroll(true, SB_LINELEFT);
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(0, 96, 568, 864));
    // The thumb moves the window unless it reaches the last position.
    scroll(true, SB_THUMBTRACK, 40);
    EXPECT_EQ(dialog.GetSourceWindow().left, 40);
    scroll(true, SB_THUMBPOSITION, 152);
    EXPECT_EQ(dialog.GetSourceWindow().left, 40);
    EXPECT_EQ(hbar->GetScrollPos(), 40);
    // To the end: only the thumb goes; the paint after the scroll puts it back.
    scroll(false, SB_BOTTOM);
    EXPECT_EQ(vbar->GetScrollPos(), 192);
    EXPECT_EQ(dialog.GetSourceWindow().top, 96);
    scroll(false, SB_ENDSCROLL);
    EXPECT_EQ(vbar->GetScrollPos(), 96);
    scroll(false, SB_LINEDOWN);
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(40, 134, 608, 902));
    // The area shows the window the bars chose.
    scroll(false, SB_ENDSCROLL);
    EXPECT_EQ(dialog.GetSourceWindow(), CRect(40, 134, 608, 902));
}

TEST_F(EditFaceTest, UndoTakesBackTheLastStrokeAndCountsDown) {
    FaceCopy copy(720, 960);
    open(copy);
    const CPoint points[] = {area(20, 20), area(60, 60), area(100, 100)};
    for (CPoint p : points) {
        press(p);
        release(p);
    }
    EXPECT_EQ(dialog.GetStrokeCount(), 3);
    EXPECT_EQ(dialog.GetUndoCount(), 0);
    command(CEditFaceDlg::kUndo);
    EXPECT_EQ(dialog.GetStrokeCount(), 2);
    EXPECT_EQ(dialog.GetUndoCount(), 2);
    EXPECT_EQ(dialog.m_changed, 1);
    // There is one undo picture: a second Undo restores the same state and counts nothing.
    command(CEditFaceDlg::kUndo);
    EXPECT_EQ(dialog.GetStrokeCount(), 2);
    EXPECT_EQ(dialog.m_changed, 1);
}

TEST_F(EditFaceTest, UndoRestoresThePictureBeforeTheLastPress) {
    FaceCopy copy(720, 960);
    for (int x = 200; x < 400; ++x) {
        for (int y = 100; y < 400; ++y) {
            copy.ink(x, y);
        }
    }
    open(copy);
    // At the whole picture the eraser clears 45 x 45 picture pixels.
    press(area(100, 50)); // around (304, 152)
    release(area(100, 50));
    press(area(100, 100)); // around (304, 304)
    release(area(100, 100));
    EXPECT_EQ(dialog.GetWorkingPixel(304, 152), kPaper);
    EXPECT_EQ(dialog.GetWorkingPixel(304, 304), kPaper);
    command(CEditFaceDlg::kUndo);
    // The first stroke stays, the second is gone.
    EXPECT_EQ(dialog.GetWorkingPixel(304, 152), kPaper);
    EXPECT_EQ(dialog.GetWorkingPixel(304, 304), kInk);
    EXPECT_EQ(dialog.GetWorkingPixel(282, 282), kInk);
    EXPECT_EQ(dialog.m_changed, 1);
}

TEST_F(EditFaceTest, UndoOfTheOnlyStrokeClearsChangedAndDoneKeepsTheView) {
    FaceCopy copy(720, 960);
    copy.ink(304, 152);
    const auto before = copy.bits;
    open(copy);
    press(area(100, 50));
    release(area(100, 50));
    EXPECT_EQ(dialog.m_changed, 1);
    command(CEditFaceDlg::kUndo);
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_EQ(dialog.GetStrokeCount(), 0);
    command(CEditFaceDlg::kDone);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(copy.bits, before);
}

// Presses that change no pixel are no change: the view must not take the same drawing back as
// a new face edge nor ask for the face to be saved.
TEST_F(EditFaceTest, DoneAfterPressesThatChangedNoPixelReportsNoChange) {
    FaceCopy copy(720, 960);
    copy.ink(600, 800);
    const auto before = copy.bits;
    open(copy);
    // An erase on bare paper, then a text press whose pop-up is cancelled.
    press(area(20, 20));
    release(area(20, 20));
    zel::platform::set_font_dialog_hook(
        [](const zel::platform::FontDialogRequest&) { return zel::platform::FontDialogAnswer{}; });
    command(CEditFaceDlg::kText);
    answer_popups(0, nullptr);
    press(area(60, 60));
    release(area(60, 60));
    ASSERT_EQ(dialog.GetStrokeCount(), 2);
    command(CEditFaceDlg::kDone);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_EQ(copy.bits, before);

    // One pixel inked is a change.
    open(copy);
    answer_popups(1, nullptr);
    command(CEditFaceDlg::kPen);
    press(area(100, 200));
    release(area(100, 200));
    command(CEditFaceDlg::kDone);
    EXPECT_EQ(dialog.m_changed, 1);
    EXPECT_NE(copy.bits, before);
}

TEST_F(EditFaceTest, DoneWritesThePictureIntoTheViewsRows) {
    // 117 x 158 is shown at 2:1; its rows are 351 bytes and one pad byte.
    FaceCopy copy(117, 158);
    copy.bits[351] = 5; // a pad byte that must come back as 192
    copy.ink(3, 2);
    open(copy);
    ASSERT_EQ(dialog.GetSourceWindow(), CRect(0, 0, 117, 158));
    answer_popups(1, nullptr);
    command(CEditFaceDlg::kPen);
    // A press at (100, 200) of the area is picture (51, 101) with the press's pixel; the
    // smallest pen marks (50, 100).
    press(area(100, 200));
    release(area(100, 200));
    command(CEditFaceDlg::kDone);
    EXPECT_EQ(copy.at(50, 100), kInk);
    EXPECT_EQ(copy.at(51, 101), kPaper);
    EXPECT_EQ(copy.at(3, 2), kInk);
    EXPECT_EQ(copy.at(116, 157), kPaper);
    EXPECT_EQ(copy.at(0, 0), kPaper);
    EXPECT_EQ(copy.bits[351], 192);
}

TEST_F(EditFaceTest, CancelKeepsTheViewsRowsAndClearsChanged) {
    FaceCopy copy(720, 960);
    copy.ink(304, 152);
    const auto before = copy.bits;
    open(copy);
    for (int i = 0; i < 3; ++i) {
        press(area(100, 50 + 30 * i));
        drag(area(110, 55 + 30 * i));
        release(area(110, 55 + 30 * i));
    }
    ASSERT_EQ(dialog.m_changed, 1);
    command(CEditFaceDlg::kCancel);
    EXPECT_EQ(dialog.m_changed, 0);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(copy.bits, before);
}

TEST_F(EditFaceTest, EveryWayOutOfADragLetsTheCursorGo) {
    FaceCopy copy(720, 960);
    const int full = GetSystemMetrics(SM_CXSCREEN);
    open(copy);
    CRect confined = dialog.GetDrawingArea();
    dialog.ClientToScreen(&confined);

    press(area(10, 10));
    EXPECT_EQ(clip(), confined);
    release(area(10, 10));
    EXPECT_EQ(clip().right, full);

    // Another window taking over.
    press(area(10, 10));
    dialog.SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(clip().right, full);
    EXPECT_FALSE(dialog.IsPressed());
    // A cancelled mode.
    press(area(10, 10));
    dialog.SendMessage(WM_CANCELMODE);
    EXPECT_EQ(clip().right, full);
    // Escape during a drag.
    press(area(10, 10));
    dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(clip().right, full);
    EXPECT_EQ(dialog.m_hWnd, nullptr);

    // Done during a drag.
    open(copy);
    press(area(10, 10));
    command(CEditFaceDlg::kDone);
    EXPECT_EQ(clip().right, full);
}

TEST_F(EditFaceTest, ASecondRunStartsAfreshAndKeepsThePen) {
    FaceCopy copy(720, 960);
    answer_popups(4, nullptr, [&](CEditFaceDlg& d) {
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kPen, 0);
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kZoomIn, 0);
        const CRect a = d.GetDrawingArea();
        d.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.left + 5, a.top + 5));
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kDone, 0);
    });
    dialog.m_width = copy.width;
    dialog.m_height = copy.height;
    dialog.m_faceBits = copy.bits.data();
    dialog.m_faceInfo = &copy.info;
    EXPECT_EQ(dialog.DoModal(), 1);
    EXPECT_EQ(dialog.m_changed, 1);
    EXPECT_EQ(dialog.GetPenChoice(), 4);

    answer_popups(0, nullptr, [&](CEditFaceDlg& d) {
        EXPECT_EQ(d.m_changed, 0);
        EXPECT_EQ(d.GetStrokeCount(), 0);
        EXPECT_EQ(d.GetToolMode(), CEditFaceDlg::kModeErase);
        EXPECT_EQ(d.GetSourceWindow(), CRect(0, 0, 720, 960));
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kCancel, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPenChoice(), 4);
}

TEST_F(EditFaceTest, APictureOfTheDialogInUse) {
    FaceCopy copy(720, 960);
    for (int y = 200; y < 760; ++y) {
        for (int x = 150; x < 570; ++x) {
            const int dx = x - 360, dy = y - 480;
            const int r = dx * dx * 16 / 9 + dy * dy;
            if (r > 270 * 270 - 2400 && r < 270 * 270 + 2400) {
                copy.ink(x, y);
            }
        }
    }
    open(copy);
    command(CEditFaceDlg::kZoomIn);
    answer_popups(3, nullptr);
    command(CEditFaceDlg::kPen);
    press(area(60, 150));
    for (int i = 0; i < 40; ++i) {
        drag(area(60 + i * 2, 150 + i));
    }
    release(area(140, 190));
    pump(50);
    EXPECT_TRUE(zel::platform::test::save_picture(dialog, zel::testing::output_dir() +
                                                              "/edit-face-in-use.png"));
}

} // namespace
