#include "zel/dialogs/compose_dialog.h"

#include "zel/dialogs/compose_paths.h"

#include "failed_backup.h"

#include <zel/composition.h>

using namespace zel::dialogs;

BEGIN_MESSAGE_MAP(CComposeDialog, CPreviewDialog)
ON_BN_CLICKED(IDC_DONE, OnDone)
ON_BN_CLICKED(IDC_CANCEL, OnCancel)
ON_BN_CLICKED(IDC_MOVE_UP, OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_DOWN, OnMoveDown)
ON_BN_CLICKED(IDC_MOVE_LEFT, OnMoveLeft)
ON_BN_CLICKED(IDC_MOVE_RIGHT, OnMoveRight)
END_MESSAGE_MAP()

CComposeDialog::CComposeDialog(UINT templateId, CWnd* parent)
    : CPreviewDialog(templateId, parent, kPreview) {}

void CComposeDialog::DoDataExchange(CDataExchange* dx) {
    CPreviewDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DONE, m_done);
    DDX_Control(dx, IDC_CANCEL, m_cancel);
    DDX_Control(dx, IDC_MOVE_UP, m_moveUp);
    DDX_Control(dx, IDC_MOVE_DOWN, m_moveDown);
    DDX_Control(dx, IDC_MOVE_LEFT, m_moveLeft);
    DDX_Control(dx, IDC_MOVE_RIGHT, m_moveRight);
}

void CComposeDialog::ShowCommonButtons() {
    ShowPictureButton(m_done, IDB_DONE, 40, "Done");
    ShowPictureButton(m_cancel, IDB_CANCEL, 40, "Cancel");
    ShowPictureButton(m_moveUp, IDB_ARROW_UP, 32, "Move Up", true);
    ShowPictureButton(m_moveDown, IDB_ARROW_DOWN, 32, "Move Down", true);
    ShowPictureButton(m_moveLeft, IDB_ARROW_LEFT, 32, "Move Left");
    ShowPictureButton(m_moveRight, IDB_ARROW_RIGHT, 32, "Move Right");
}

void CComposeDialog::CaptureCommonBackgrounds(CDC* offscreen) {
    for (CShadeButton* button :
         {&m_done, &m_cancel, &m_moveUp, &m_moveDown, &m_moveLeft, &m_moveRight}) {
        button->CaptureBackground(offscreen);
    }
}

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
    m_backedUp = imagefile_copy(m_backupPath.c_str(), m_composedPath.c_str()) != 0;
    if (!m_backedUp) {
        zel::dialogs::report_failed_backup(*this, m_backupPath, "composed picture");
    }
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
    if (m_backedUp) {
        imagefile_copy(m_composedPath.c_str(), m_backupPath.c_str());
    }
    EndDialog(1);
}
