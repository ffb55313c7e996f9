#include "zel/dialogs/change_face_dlg.h"

#include "editing_templates.h"
#include "failed_backup.h"

#include <zel/common/work_folder.h>

using namespace zel::dialogs;

namespace {

constexpr int kGlassesPart = 20;
constexpr int kNotLoaded = -41;

} // namespace

BEGIN_MESSAGE_MAP(CChangeFaceDlg, CFaceDialog)
ON_BN_CLICKED(IDC_LEFT_BROW, OnLeftBrow)
ON_BN_CLICKED(IDC_RIGHT_BROW, OnRightBrow)
ON_BN_CLICKED(IDC_LEFT_EYE, OnLeftEye)
ON_BN_CLICKED(IDC_RIGHT_EYE, OnRightEye)
ON_BN_CLICKED(IDC_NOSE, OnNose)
ON_BN_CLICKED(IDC_MOUTH, OnMouth)
ON_BN_CLICKED(IDC_GLASSES, OnGlasses)
ON_BN_CLICKED(IDC_FACE_EDGE_LEFT, OnFaceEdge)
ON_BN_CLICKED(IDC_FACE_EDGE_RIGHT, OnFaceEdge)
ON_COMMAND_RANGE(zel::dialogs::kFirstActionButton, zel::dialogs::kLastActionButton, OnActionButton)
ON_BN_CLICKED(IDC_COLOR, OnColor)
END_MESSAGE_MAP()

CChangeFaceDlg::CChangeFaceDlg(CWnd* parent) : CFaceDialog(IDD, parent) {
    m_backupPath = zel::work_path("zelaedit.bmp");
    static const bool registered = (zel::dialogs::register_change_face_template(), true);
    (void)registered;
}

CChangeFaceDlg::~CChangeFaceDlg() = default;

void CChangeFaceDlg::DoDataExchange(CDataExchange* dx) {
    CFaceDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DONE, m_done);
    DDX_Control(dx, IDC_CANCEL, m_cancel);
    DDX_Control(dx, IDC_MOUTH, m_mouth);
    DDX_Control(dx, IDC_LEFT_EYE, m_leftEye);
    DDX_Control(dx, IDC_RIGHT_EYE, m_rightEye);
    DDX_Control(dx, IDC_LEFT_BROW, m_leftBrow);
    DDX_Control(dx, IDC_RIGHT_BROW, m_rightBrow);
    DDX_Control(dx, IDC_NOSE, m_nose);
    DDX_Control(dx, IDC_GLASSES, m_glasses);
    DDX_Control(dx, IDC_FACE_EDGE_LEFT, m_edgeLeft);
    DDX_Control(dx, IDC_FACE_EDGE_RIGHT, m_edgeRight);
    DDX_Control(dx, IDC_MOVE_LEFT, m_moveLeft);
    DDX_Control(dx, IDC_MOVE_RIGHT, m_moveRight);
    DDX_Control(dx, IDC_MOVE_DOWN, m_moveDown);
    DDX_Control(dx, IDC_MOVE_UP, m_moveUp);
    DDX_Control(dx, IDC_REDUCE, m_reduce);
    DDX_Control(dx, IDC_ENLARGE, m_enlarge);
    DDX_Control(dx, IDC_COLOR, m_color);
    DDX_Control(dx, IDC_HIDE, m_hide);
    DDX_Control(dx, IDC_DISPLAY, m_display);
}

BOOL CChangeFaceDlg::OnInitDialog() {
    CFaceDialog::OnInitDialog();
    SetBitmap(IDB_CHANGE_FACE_SKIN, kNoTransparentColor);
    m_part = m_action = m_parameter = -1;
    m_colour = _pixel{192, 0, 0, 0};

    // Opening redraws the head picture without changing the face, so the snapshot and Cancel
    // see the face exactly as the user left it.
    zel::dialogs::render_head(m_headPath);
    if (!BackUpHead()) {
        report_failed_backup(*this, m_backupPath, "face");
    }
    TakeSnapshot();

    struct Setup {
        CIconButton* button;
        int picture;
        BYTE key;
        int out;
        const char* tooltip;
    };
    const Setup setups[] = {
        {&m_done, IDB_DONE, 40, 40, "Done"},
        {&m_cancel, IDB_CANCEL, 40, 40, "Cancel"},
        {&m_mouth, IDB_MOUTH_CHOSEN, 38, 15, "Mouth"},
        {&m_leftEye, IDB_LEFT_EYE, 25, 25, "Left Eye"},
        {&m_rightEye, IDB_RIGHT_EYE, 25, 25, "Right Eye"},
        {&m_leftBrow, IDB_LEFT_BROW, 38, 18, "Left Brow"},
        {&m_rightBrow, IDB_RIGHT_BROW, 38, 18, "Right Brow"},
        {&m_nose, IDB_NOSE, 25, 38, "Nose"},
        {&m_glasses, IDB_GLASSES, 34, 25, "Eye Glasses"},
        {&m_edgeLeft, IDB_LEFT_EDGE, 18, 38, "Face Edge"},
        {&m_edgeRight, IDB_RIGHT_EDGE, 18, 38, "Face Edge"},
        {&m_moveLeft, IDB_ARROW_LEFT, 32, 32, "Move Left"},
        {&m_moveRight, IDB_ARROW_RIGHT, 32, 32, "Move Right"},
        {&m_moveDown, IDB_ARROW_DOWN, 32, 32, "Move Down"},
        {&m_moveUp, IDB_ARROW_UP, 32, 32, "Move Up"},
        {&m_reduce, IDB_ARROW_DOWN, 32, 32, "Reduce"},
        {&m_enlarge, IDB_ARROW_UP, 32, 32, "Enlarge"},
        {&m_color, IDB_COLOR, 32, 32, "Select a color for the chosen parts"},
        {&m_hide, IDB_HIDE, 32, 32, "Do NOT display the chosen parts."},
        {&m_display, IDB_DISPLAY, 32, 32, "Display the chosen parts."},
    };
    for (const Setup& s : setups) {
        if (s.button == &m_moveDown || s.button == &m_moveUp) {
            s.button->ShiftColor(0, 30, TRUE);
        }
        ShowPicture(*s.button, s.picture, s.key, s.out, s.tooltip);
    }
    m_part = 7;
    return TRUE;
}

void CChangeFaceDlg::OnBackgroundDrawn(CDC* offscreen) {
    m_done.CaptureBackground(offscreen);
    m_cancel.CaptureBackground(offscreen);
}

void CChangeFaceDlg::ChoosePart(int part) {
    m_part = part;
    // Each part button with its part, its chosen and normal pictures, and the key colour and
    // unused "out" id the dialog has always passed with them.
    struct PartButton {
        CIconButton* button;
        int part, chosen, normal;
        BYTE key;
        int out;
    };
    const PartButton buttons[] = {
        {&m_leftBrow, 2, IDB_LEFT_BROW_CHOSEN, IDB_LEFT_BROW, 38, 18},
        {&m_rightBrow, 3, IDB_RIGHT_BROW_CHOSEN, IDB_RIGHT_BROW, 38, 18},
        {&m_leftEye, 4, IDB_LEFT_EYE_CHOSEN, IDB_LEFT_EYE, 25, 25},
        {&m_rightEye, 5, IDB_RIGHT_EYE_CHOSEN, IDB_RIGHT_EYE, 25, 25},
        {&m_nose, 6, IDB_NOSE_CHOSEN, IDB_NOSE, 25, 38},
        {&m_mouth, 7, IDB_MOUTH_CHOSEN, IDB_MOUTH, 38, 20},
        {&m_glasses, 20, IDB_GLASSES_CHOSEN, IDB_GLASSES, 34, 25},
        {&m_edgeLeft, 0, IDB_LEFT_EDGE_CHOSEN, IDB_LEFT_EDGE, 18, 38},
        {&m_edgeRight, 0, IDB_RIGHT_EDGE_CHOSEN, IDB_RIGHT_EDGE, 18, 38},
    };
    for (const PartButton& b : buttons) {
        ShowPicture(*b.button, b.part == part ? b.chosen : b.normal, b.key, b.out, nullptr);
        b.button->SetTransparent(FALSE);
    }
    m_edgeLeft.SetTooltip("Face Edge", TRUE);
    m_edgeRight.SetTooltip("Face Edge", TRUE);
}

void CChangeFaceDlg::Act(int action, int parameter) {
    m_action = action;
    m_parameter = parameter;
    const char* head = m_headPath.c_str();
    int result = 0;
    switch (action) {
    case kMove:
        result = face_move_save(m_part, parameter, head);
        break;
    case kScale:
        result = face_scale_save(m_part, parameter, head);
        break;
    case kColour:
        result = face_color_save(m_part, m_colour, head);
        break;
    default:
        result = face_display_save(m_part, parameter, head);
        break;
    }
    if (result == kNotLoaded && m_part == kGlassesPart) {
        MessageBox("Please select a pair of eye glasses first.", "Eye Glasses",
                   MB_OK | MB_ICONEXCLAMATION);
    }
    // A failed read is silent: the preview keeps the previous picture.
    ReloadPreview(m_headPath);
    m_changed = 1;
}

void CChangeFaceDlg::OnLeftBrow() {
    ChoosePart(2);
}
void CChangeFaceDlg::OnRightBrow() {
    ChoosePart(3);
}
void CChangeFaceDlg::OnLeftEye() {
    ChoosePart(4);
}
void CChangeFaceDlg::OnRightEye() {
    ChoosePart(5);
}
void CChangeFaceDlg::OnNose() {
    ChoosePart(6);
}
void CChangeFaceDlg::OnMouth() {
    ChoosePart(7);
}
void CChangeFaceDlg::OnGlasses() {
    ChoosePart(kGlassesPart);
}
void CChangeFaceDlg::OnFaceEdge() {
    ChoosePart(0);
}

void CChangeFaceDlg::OnActionButton(UINT id) {
    int action = 0;
    int parameter = 0;
    if (zel::dialogs::action_button(id, action, parameter)) {
        Act(action, parameter);
    }
}

void CChangeFaceDlg::OnColor() {
    COLORREF chosen = 0;
    if (zel::dialogs::choose_colour(RGB(0, 0, 0), chosen)) {
        m_colour = zel::dialogs::engine_colour(chosen);
    }
    // Confirmed or not, the part takes the colour as it now stands.
    Act(kColour, 4);
}
