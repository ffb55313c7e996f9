// The view's panels: fitting a picture into a panel and drawing the photo, the face drawing and
// the composed picture from their screen copies.

#include "tessel_view.h"

#include <zel/dialogs/screen_copy.h>

CRect CTesselView::FitIntoPanel(const CRect& panel, int width, int height) {
    const float ratio = height > 0 ? float(width) / float(height) : 1.0f;
    const int panelWidth = panel.Width();
    const int panelHeight = panel.Height();
    int w = 0;
    int h = 0;
    if (float(panelWidth) / float(panelHeight) >= ratio) {
        h = panelHeight;
        w = int(float(panelHeight) * ratio);
    } else {
        w = panelWidth;
        h = int(float(panelWidth) / ratio);
    }
    return CRect(panel.left, panel.top, panel.left + w, panel.top + h);
}

void CTesselView::DrawPhoto(CDC* dc, const CRect& panel) {
    const CTesselDoc* doc = GetDocument();
    if (doc != nullptr && doc->m_photoLoaded != 0) {
        PanelPicture photo; // drawn once after a load: nothing to keep
        photo.Draw(dc, panel, doc->m_photoBits, doc->m_photoInfo);
    }
}

void CTesselView::DrawFace(CDC* dc, const CRect& panel) {
    const CTesselDoc* doc = GetDocument();
    if (doc != nullptr && doc->m_facePresent != 0) {
        m_facePicture.Draw(dc, panel, doc->m_faceBits, doc->m_faceInfo.info.bmiHeader);
    }
}

void CTesselView::DrawComposed(CDC* dc, const CRect& panel) {
    const CTesselDoc* doc = GetDocument();
    if (doc != nullptr && doc->m_composedShown != 0) {
        m_composedPicture.Draw(dc, panel, doc->m_composedBits, doc->m_composedInfo);
    }
}

BOOL CTesselView::ShowComposedFile(const CRect& panel) {
    CTesselDoc* doc = GetDocument();
    int cols = 0;
    int rows = 0;
    if (m_composedPath.empty() || LoadGeneralImage(doc->m_composed, m_composedPath.c_str(), &cols,
                                                   &rows, &doc->m_composedHeader) == 0) {
        doc->m_composedShown = 0;
        doc->m_composedBits.clear();
        return FALSE;
    }
    doc->m_composedWidth = cols;
    doc->m_composedHeight = rows;
    doc->m_composedShown = 1;
    doc->BuildComposedScreen();
    CClientDC dc(this);
    DrawComposed(&dc, panel);
    return TRUE;
}

void CTesselView::InvalidatePanels() {
    InvalidateRect(&kFacePanel, FALSE);
    InvalidateRect(&kComposedPanel, FALSE);
}
