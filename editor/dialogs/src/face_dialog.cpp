#include "zel/dialogs/face_dialog.h"

BEGIN_MESSAGE_MAP(CFaceDialog, CPreviewDialog)
ON_BN_CLICKED(IDC_DONE, OnDone)
ON_BN_CLICKED(IDC_CANCEL, OnCancelButton)
END_MESSAGE_MAP()

CFaceDialog::CFaceDialog(UINT templateId, CWnd* parent)
    : CPreviewDialog(templateId, parent, kPreview) {}

void CFaceDialog::BackUpHead() {
    m_pictures.Load(m_headPath);
    m_pictures.Save(m_backupPath);
}

void CFaceDialog::TakeSnapshot() {
    m_snapshot = _zel_face{};
    zel_face_copyFromDLL(&m_snapshot);
}

void CFaceDialog::OnDone() {
    EndDialog(1);
}

// The view tells Done and Cancel apart by the changed flag alone.
void CFaceDialog::OnCancelButton() {
    if (m_changed != 0) {
        zel_face_copyToDLL(&m_snapshot);
        // Written back exactly as it was read: picture files hold red, green and blue in
        // place, so no colour rotation belongs here. A backup that cannot be read leaves the
        // head file alone rather than writing a stale picture over it.
        if (m_pictures.Load(m_backupPath)) {
            m_pictures.Save(m_headPath);
        }
        m_changed = 0;
    }
    EndDialog(1);
}
