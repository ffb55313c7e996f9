#include "zel/dialogs/face_dialog.h"

BEGIN_MESSAGE_MAP(CFaceDialog, CPreviewDialog)
ON_BN_CLICKED(IDC_DONE, OnDone)
ON_BN_CLICKED(IDC_CANCEL, OnCancel)
END_MESSAGE_MAP()

CFaceDialog::CFaceDialog(UINT templateId, CWnd* parent)
    : CPreviewDialog(templateId, parent, kPreview) {}

bool CFaceDialog::BackUpHead() {
    // A head that cannot be read leaves an earlier run's picture in the preview, which is no
    // backup of this one.
    m_backedUp = m_pictures.Load(m_headPath) && m_pictures.Save(m_backupPath);
    return m_backedUp;
}

void CFaceDialog::ReloadAfterStep() {
    if (!ReloadPreview(m_headPath)) {
        MessageBox("Could not load changed image!", "In InitImage() of dlgSelect",
                   MB_OK | MB_ICONEXCLAMATION);
    }
    m_changed = 1;
}

void CFaceDialog::TakeSnapshot() {
    m_snapshot = _zel_face{};
    zel_face_copyFromDLL(&m_snapshot);
}

void CFaceDialog::OnDone() {
    EndDialog(1);
}

// The view tells Done and Cancel apart by the changed flag alone.
void CFaceDialog::OnCancel() {
    if (m_changed != 0) {
        zel_face_copyToDLL(&m_snapshot);
        // Written back exactly as it was read: picture files hold red, green and blue in
        // place, so no colour rotation belongs here. Without this run's backup, or with one
        // that cannot be read, the head file is left alone rather than a stale picture written
        // over it.
        if (m_backedUp && m_pictures.Load(m_backupPath)) {
            m_pictures.Save(m_headPath);
        }
        m_changed = 0;
    }
    EndDialog(1);
}

namespace zel::dialogs {

namespace {
constexpr int kShow = 31, kHide = 32;
// The custom colours of the colour dialog, kept for the program's run.
COLORREF g_customColours[16] = {};
} // namespace

int render_head(const std::string& headPath) {
    int part = 4;
    for (int candidate : {7, 6, 2}) {
        if (zel_object_loaded(candidate) != 0) {
            part = candidate;
            break;
        }
    }
    _zel_face face{};
    zel_face_copyFromDLL(&face);
    int display = kShow;
    for (const _zel_object& object : face.parts) {
        if (object.nOid == part && object.Display == 0) {
            display = kHide;
        }
    }
    face_display_save(part, display, headPath.c_str());
    return part;
}

bool action_button(UINT id, int& action, int& parameter) {
    struct Button {
        UINT id;
        int action, parameter;
    };
    constexpr int kMove = 1, kScale = 3, kDisplay = 31;
    const Button buttons[] = {{1138, kMove, 1},        {1139, kMove, 2},       {1140, kMove, 3},
                              {1141, kMove, 4},        {1142, kScale, 1},      {1143, kScale, 2},
                              {1146, kDisplay, kShow}, {1147, kDisplay, kHide}};
    for (const Button& b : buttons) {
        if (b.id == id) {
            action = b.action;
            parameter = b.parameter;
            return true;
        }
    }
    return false;
}

bool choose_colour(COLORREF initial, COLORREF& chosen) {
    CColorDialog dialog(initial, 0, nullptr);
    dialog.m_cc.lpCustColors = g_customColours;
    if (dialog.DoModal() != IDOK) {
        return false;
    }
    chosen = dialog.GetColor();
    return true;
}

_pixel engine_colour(COLORREF colour) {
    return _pixel{BYTE(255 - GetRValue(colour)), BYTE(255 - GetGValue(colour)),
                  BYTE(255 - GetBValue(colour)), 0};
}

} // namespace zel::dialogs
