#include "zel/dialogs/compose_dialog.h"

#include "zel/dialogs/compose_paths.h"

#include <zel/composition.h>

BEGIN_MESSAGE_MAP(CComposeDialog, CPreviewDialog)
ON_BN_CLICKED(IDC_DONE, OnDone)
ON_BN_CLICKED(IDC_CANCEL, OnCancel)
END_MESSAGE_MAP()

CComposeDialog::CComposeDialog(UINT templateId, CWnd* parent)
    : CPreviewDialog(templateId, parent, kPreview) {}

std::string CComposeDialog::BackupPath() const {
    return zel::dialogs::composed_backup_path(m_composedPath);
}

void CComposeDialog::OpenComposition() {
    m_nothingChosen = 1;
    m_backupPath = BackupPath();
    zel2_set_head(" ", m_headPath.c_str(), "bmp", m_faceKind);
    if (m_firstTime != 0) {
        ComposeFirst();
    }
    Reload();
    imagefile_copy(m_backupPath.c_str(), m_composedPath.c_str());
    m_changed = 0;
}

void CComposeDialog::FinishOpening() {
    zel2_save4undone();
    Invalidate();
}

void CComposeDialog::Reload() {
    if (!ReloadPreview(m_composedPath)) {
        // Both dialogs have always said so under this one caption.
        MessageBox("Could not load changed image!", "In InitImage() of dlgAddBody",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_changed = 1;
}

void CComposeDialog::ShowPictureButton(CShadeButton& button, int picture, BYTE key,
                                       const char* tooltip, bool lighten) {
    if (lighten) {
        button.ShiftColor(0, 30, TRUE);
    }
    ShowPicture(button, picture, key, key, tooltip);
    button.SetTransparent(FALSE);
}

void CComposeDialog::ShowArrow(CShadeButton& button, bool next) {
    button.ShiftColor(0, 30, TRUE);
    button.SetIcons(next ? zel::dialogs::IDI_NEXT : zel::dialogs::IDI_PREVIOUS, 0);
    button.SetTooltip(next ? "Next" : "Previous", TRUE);
    button.SetTransparent(FALSE);
}

void CComposeDialog::OnDone() {
    EndDialog(1);
}

void CComposeDialog::OnCancel() {
    m_changed = 0;
    zel2_call4undone();
    imagefile_copy(m_composedPath.c_str(), m_backupPath.c_str());
    EndDialog(1);
}
