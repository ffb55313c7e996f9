// Edit Face through the view: the dialog draws on the document's face copy, and Done hands the
// drawing to the face engine as the new face edge; the colour face, the head work file, the
// composed picture and the face panel follow. Cancel and a stroke undone leave all as it was.

#include "editor_test_support.h"
#include "resource_ids.h"

#include <zel/dialogs/pen_choice_dlg.h>
#include <zel/face_engine.h>

#include <functional>
#include <vector>

namespace zel::editor::test {
namespace {

using EditFaceRoadTest = EditorTest;

// Runs Edit Face with `script` as the person's actions; the script ends the dialog.
void run_edit_face(EditorTest& t, const std::function<void(CEditFaceDlg&)>& script) {
    zel::platform::set_modal_dialog_hook([&](CDialog& d) {
        if (auto* editFace = dynamic_cast<CEditFaceDlg*>(&d)) {
            script(*editFace);
        } else {
            // The pen pop-up: the largest pen.
            d.SendMessage(WM_COMMAND, CPenChoiceDlg::kFirstPen + CPenChoiceDlg::kPens - 1, 0);
        }
    });
    t.Command(ID_EDIT_FACE);
    zel::platform::set_modal_dialog_hook(nullptr);
}

void send(CEditFaceDlg& d, UINT message, CPoint p) {
    d.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                  MAKELPARAM(WORD(p.x), WORD(p.y)));
}

// With the largest pen, a blob of ink near the picture's top-left corner; returns its centre
// in picture pixels (rows from the top).
CPoint draw_blob(CEditFaceDlg& d) {
    d.SendMessage(WM_COMMAND, CEditFaceDlg::kPen, 0);
    const CRect area = d.GetDrawingArea();
    const CPoint start(area.left + 12, area.top + 12);
    send(d, WM_LBUTTONDOWN, start);
    for (int y = 0; y <= 20; y += 2) {
        for (int x = 0; x <= 20; x += 2) {
            send(d, WM_MOUSEMOVE, CPoint(start.x + x, start.y + y));
        }
    }
    send(d, WM_LBUTTONUP, CPoint(start.x + 20, start.y + 20));
    return d.MapToPicture(CPoint(start.x + 10, start.y + 10), false);
}

// The picture point at the blob's centre, before it is drawn.
CPoint blob_centre(const CEditFaceDlg& d) {
    const CRect area = d.GetDrawingArea();
    return d.MapToPicture(CPoint(area.left + 22, area.top + 22), false);
}

bool dark(const _pixel& p) {
    return p.r + p.g + p.b < 3 * 96;
}

TEST_F(EditFaceRoadTest, DoneHandsTheNewEdgeToTheEngineAndEverythingFollows) {
    ASSERT_TRUE(Start());
    LoadStarterFace("man");
    CTesselDoc& doc = *Doc();
    const int w = doc.m_faceRect.Width(), h = doc.m_faceRect.Height();
    ASSERT_GT(w, 100);
    CPoint centre;
    _pixel colourBefore{};
    run_edit_face(*this, [&](CEditFaceDlg& d) {
        centre = blob_centre(d);
        // A spot of paper outside the head.
        EXPECT_EQ(d.GetWorkingPixel(centre.x, centre.y), RGB(192, 192, 192));
        colourBefore = doc.m_colorFace[h - 1 - centre.y][centre.x];
        EXPECT_EQ(draw_blob(d), centre);
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kDone, 0);
    });
    const int row = h - 1 - centre.y; // rows of the engine's pictures start at the bottom
    EXPECT_FALSE(dark(colourBefore));
    EXPECT_EQ(doc.m_faceChanged, 1);
    EXPECT_EQ(doc.m_faceDrawing[row][centre.x], 0);

    // The engine draws the new edge: a fresh black-and-white rendering has the blob.
    unsigned char** rendered = pbm_allocarray(CTesselDoc::kMaxCols, CTesselDoc::kMaxRows);
    int rw = w, rh = h;
    ASSERT_NE(face_compose_bw(rendered, &rw, &rh), 0);
    EXPECT_EQ(rendered[row][centre.x], 0);
    EXPECT_EQ(rendered[row][centre.x + 20], 0);
    pbm_freearray(rendered, CTesselDoc::kMaxRows);

    // The colour face and the head work file carry it.
    EXPECT_TRUE(dark(doc.m_colorFace[row][centre.x]));
    _pixel** head = ppm_allocarray(CTesselDoc::kMaxCols, CTesselDoc::kMaxRows);
    int cols = 0, rows = 0;
    _BmpHeader header{};
    ASSERT_NE(LoadGeneralImage(head, View()->m_headPath.c_str(), &cols, &rows, &header), 0);
    EXPECT_EQ(cols, doc.m_colorWidth);
    EXPECT_TRUE(dark(head[row][centre.x]));
    ppm_freearray(head, CTesselDoc::kMaxRows);

    // The face panel shows the edited drawing.
    Repaint();
    const CRect fitted = CTesselView::FitIntoPanel(CTesselView::kFacePanel, w, h);
    EXPECT_EQ(Pixel(fitted.left + centre.x * fitted.Width() / w,
                    fitted.top + centre.y * fitted.Height() / h),
              RGB(0, 0, 0));
}

TEST_F(EditFaceRoadTest, WithABodyTheComposedPictureFollows) {
    ASSERT_TRUE(Start());
    LoadStarterFace("woman");
    AddBodyThroughTheRoad();
    CTesselDoc& doc = *Doc();
    const std::vector<unsigned char> before = doc.m_composedBits;
    doc.m_composedChanged = 0;
    run_edit_face(*this, [&](CEditFaceDlg& d) {
        draw_blob(d);
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kDone, 0);
    });
    EXPECT_EQ(doc.m_composedChanged, 1);
    EXPECT_EQ(doc.m_composedShown, 1);
    EXPECT_NE(doc.m_composedBits, before);
}

TEST_F(EditFaceRoadTest, CancelAndAnUndoneStrokeLeaveTheFaceAsItWas) {
    ASSERT_TRUE(Start());
    LoadStarterFace("child");
    CTesselDoc& doc = *Doc();
    const std::vector<unsigned char> bits = doc.m_faceBits;
    run_edit_face(*this, [&](CEditFaceDlg& d) {
        draw_blob(d);
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kCancel, 0);
    });
    EXPECT_EQ(doc.m_faceChanged, 0);
    EXPECT_EQ(doc.m_faceBits, bits);

    run_edit_face(*this, [&](CEditFaceDlg& d) {
        draw_blob(d);
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kUndo, 0);
        d.SendMessage(WM_COMMAND, CEditFaceDlg::kDone, 0);
    });
    EXPECT_EQ(doc.m_faceChanged, 0);
    EXPECT_EQ(doc.m_faceBits, bits);
    EXPECT_TRUE(View()->m_btnEditFace.IsWindowEnabled());
}

} // namespace
} // namespace zel::editor::test
