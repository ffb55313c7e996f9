#include "zel/dialogs/preview_dialog.h"

BEGIN_MESSAGE_MAP(CPreviewDialog, CSkinDialog)
ON_WM_PAINT()
END_MESSAGE_MAP()

CPreviewDialog::CPreviewDialog(UINT templateId, CWnd* parent, const RECT& preview)
    : CSkinDialog(templateId, parent), m_preview(preview) {}

CRect CPreviewDialog::PreviewRect() const {
    return zel::dialogs::dialog_rect(*this, m_preview.left, m_preview.top, m_preview.right,
                                     m_preview.bottom);
}

bool CPreviewDialog::ReloadPreview(const std::string& path) {
    if (!m_pictures.Load(path)) {
        return false;
    }
    const CRect preview = PreviewRect();
    InvalidateRect(&preview, FALSE);
    return true;
}

void CPreviewDialog::ShowPicture(CIconButton& button, int picture, BYTE key, int out,
                                 const char* tooltip) {
    button.SetStateBitmaps(picture, RGB(key, 0, 0), out, 0);
    if (tooltip != nullptr) {
        button.SetTooltip(tooltip, TRUE);
    }
}

void CPreviewDialog::OnPaint() {
    CPaintDC dc(this);
    m_pictures.Paint(dc, PreviewRect());
}
