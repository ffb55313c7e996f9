// Printing: one page with the face drawing, the composed picture beside it and a footer line,
// placed by the margins that the page-layout command sets. Print, print preview and printer
// set-up are the framework's; the view gives the page count and draws the page.

#include "tessel_view.h"

namespace {

// The footer of every printed page.
constexpr const char* kRightsNotice =
    "Printed with ZEL Editor. Copyright (C) the ZEL Editor developers. All rights reserved.";

} // namespace

BOOL CTesselView::OnPreparePrinting(CPrintInfo* info) {
    info->SetMaxPage(1);
    return DoPreparePrinting(info);
}

void CTesselView::DrawPrintedPage(CDC* dc) {
    const int width = dc->GetDeviceCaps(HORZRES);
    const int height = dc->GetDeviceCaps(VERTRES);
    const float w = float(width), h = float(height);
    // The face takes 49% of the picture rectangle's width, from its left side.
    const CRect face(int(w * m_leftMargin), int(h * m_topMargin),
                     int(w * m_leftMargin + (w * m_rightMargin - w * m_leftMargin) * 0.49),
                     int(h * m_bottomMargin));
    DrawFace(dc, face);
    // The composed picture starts 1% of the page's width right of the face's rectangle.
    const int offset = int(face.Width() + width * 0.01);
    const CRect composed(face.left + offset, face.top, face.right + offset, face.bottom);
    if (GetDocument()->m_composedShown != 0) {
        DrawComposed(dc, composed);
    }
    CFont font;
    font.CreatePointFont(150, "Times New Roman", dc);
    CFont* old = dc->SelectObject(&font);
    dc->TextOut(0, int(height * 0.95), kRightsNotice);
    dc->SelectObject(old);
}

void CTesselView::OnPageSetup() {
    CPrintDialog setup(TRUE);
    if (CWinApp* app = AfxGetApp()) {
        app->GetPrinterDeviceDefaults(&setup.m_pd);
    }
    const DEVMODE* mode = setup.GetDevMode();
    m_dlgPageLayout.m_landscape =
        mode == nullptr || mode->dmOrientation == DMORIENT_PORTRAIT ? 0 : 1;
    m_dlgPageLayout.m_left = m_leftMargin;
    m_dlgPageLayout.m_top = m_topMargin;
    m_dlgPageLayout.m_right = m_rightMargin;
    m_dlgPageLayout.m_bottom = m_bottomMargin;
    if (m_dlgPageLayout.DoModal() == IDCANCEL) {
        return;
    }
    m_leftMargin = m_dlgPageLayout.m_left;
    m_topMargin = m_dlgPageLayout.m_top;
    m_rightMargin = m_dlgPageLayout.m_right;
    m_bottomMargin = m_dlgPageLayout.m_bottom;
}

void CTesselView::OnUpdatePrint(CCmdUI* ui) {
    ui->Enable(GetDocument()->m_composedShown != 0);
}
