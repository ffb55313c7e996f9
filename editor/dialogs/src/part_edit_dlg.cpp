// The part-edit dialog: its template, opening, the selections and applying them.

#include "zel/dialogs/part_edit_dlg.h"

#include "zel/dialogs/face_dialog.h"

#include "failed_backup.h"

#include <zel/common/work_folder.h>

BEGIN_MESSAGE_MAP(CPartEditDlg, CDialog)
ON_WM_PAINT()
ON_COMMAND_RANGE(CPartEditDlg::IDC_LEFT_BROW, CPartEditDlg::IDC_MOUTH, OnPart)
ON_COMMAND_RANGE(CPartEditDlg::IDC_GLASSES, CPartEditDlg::IDC_GLASSES, OnPart)
ON_COMMAND_RANGE(CPartEditDlg::IDC_MOVE, CPartEditDlg::IDC_DISPLAY, OnAction)
ON_COMMAND_RANGE(CPartEditDlg::IDC_COLOUR, CPartEditDlg::IDC_COLOUR, OnAction)
ON_COMMAND_RANGE(CPartEditDlg::IDC_GLASSES_TYPE, CPartEditDlg::IDC_GLASSES_TYPE, OnAction)
ON_COMMAND_RANGE(CPartEditDlg::IDC_UP, CPartEditDlg::IDC_RIGHT, OnValue)
ON_COMMAND_RANGE(CPartEditDlg::IDC_LARGER, CPartEditDlg::IDC_SMALLER, OnValue)
ON_COMMAND_RANGE(CPartEditDlg::IDC_SHOW, CPartEditDlg::IDC_HIDE, OnValue)
ON_COMMAND_RANGE(CPartEditDlg::IDC_ROUND, CPartEditDlg::IDC_RECTANGULAR, OnValue)
ON_BN_CLICKED(CPartEditDlg::IDC_CHOOSE_COLOUR, OnChooseColour)
ON_BN_CLICKED(CPartEditDlg::IDC_APPLY, OnApply)
ON_BN_CLICKED(CPartEditDlg::IDC_DONE, OnDone)
ON_BN_CLICKED(CPartEditDlg::IDC_CANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

constexpr int kGlassesPart = 20;
constexpr int kNotLoaded = -41;

// The radio buttons whose group values the dialog exchanges.
constexpr UINT kExchanged[14] = {1118, 1119, 1120, 1117, 1108, 1110, 1113,
                                 1114, 1112, 1109, 1111, 1127, 1116, 1115};

// Client 495 x 331 pixels: the preview on the left; the part, action and value groups of radio
// buttons on the right, with the colour, Apply, Done and Cancel buttons under them.
void register_template() {
    using D = CPartEditDlg;
    DialogTemplate t{
        "Part Edit",     0, 0, 330, 204, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
        "MS Sans Serif", 8, {}};
    auto group = [&t](const char* text, int x, int y, int cx, int cy) {
        t.items.push_back(Control(text, -1, "BUTTON", BS_GROUPBOX, x, y, cx, cy));
    };
    // The first radio button of each group starts it.
    auto radio = [&t](const char* text, UINT id, int x, int y, int cx, bool first = false) {
        t.items.push_back(Control(text, int(id), "BUTTON",
                                  BS_AUTORADIOBUTTON | (first ? WS_GROUP | WS_TABSTOP : 0), x, y,
                                  cx, 10));
    };
    group("Part", 168, 4, 74, 100);
    const UINT parts[] = {D::IDC_LEFT_BROW, D::IDC_RIGHT_BROW, D::IDC_LEFT_EYE, D::IDC_RIGHT_EYE,
                          D::IDC_NOSE,      D::IDC_MOUTH,      D::IDC_GLASSES};
    const char* partNames[] = {"Left brow", "Right brow", "Left eye", "Right eye",
                               "Nose",      "Mouth",      "Glasses"};
    for (int i = 0; i < 7; ++i) {
        radio(partNames[i], parts[i], 174, 16 + 12 * i, 64, i == 0);
    }
    group("Action", 248, 4, 76, 76);
    const UINT actions[] = {D::IDC_MOVE, D::IDC_SCALE, D::IDC_COLOUR, D::IDC_GLASSES_TYPE,
                            D::IDC_DISPLAY};
    const char* actionNames[] = {"Move", "Scale", "Colour", "Glasses type", "Display"};
    for (int i = 0; i < 5; ++i) {
        radio(actionNames[i], actions[i], 254, 16 + 12 * i, 64, i == 0);
    }
    group("Move", 168, 108, 74, 40);
    radio("Up", D::IDC_UP, 174, 120, 30, true);
    radio("Down", D::IDC_DOWN, 174, 132, 30);
    radio("Left", D::IDC_LEFT, 208, 120, 30);
    radio("Right", D::IDC_RIGHT, 208, 132, 30);
    group("Scale", 248, 84, 76, 28);
    radio("Larger", D::IDC_LARGER, 254, 96, 32, true);
    radio("Smaller", D::IDC_SMALLER, 288, 96, 34);
    group("Display", 248, 116, 76, 28);
    radio("Yes", D::IDC_SHOW, 254, 128, 30, true);
    radio("No", D::IDC_HIDE, 288, 128, 30);
    group("Glasses", 168, 152, 74, 48);
    radio("Standard", D::IDC_STANDARD, 174, 164, 64, true);
    radio("Round", D::IDC_ROUND, 174, 176, 64);
    radio("Rectangular", D::IDC_RECTANGULAR, 174, 188, 64);
    t.items.push_back(PushButton("Colour...", int(D::IDC_CHOOSE_COLOUR), 248, 150, 76, 14));
    t.items.push_back(PushButton("Apply", int(D::IDC_APPLY), 248, 168, 76, 14));
    t.items.push_back(PushButton("Done", int(D::IDC_DONE), 248, 186, 36, 14));
    t.items.push_back(PushButton("Cancel", int(D::IDC_CANCEL), 288, 186, 36, 14));
    zel::platform::register_dialog(D::IDD, std::move(t));
}

} // namespace

CPartEditDlg::CPartEditDlg(CWnd* parent)
    : CDialog(IDD, parent), m_backupPath(zel::work_path("zd_tmp.bmp")) {
    for (int& value : m_radios) {
        value = -1;
    }
    static const bool registered = (register_template(), true);
    (void)registered;
}

CRect CPartEditDlg::PreviewRect() const {
    return zel::dialogs::dialog_rect(*this, kPreview.left, kPreview.top, kPreview.right,
                                     kPreview.bottom);
}

void CPartEditDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    for (int i = 0; i < 14; ++i) {
        DDX_Radio(dx, int(kExchanged[i]), m_radios[i]);
    }
}

BOOL CPartEditDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_part = m_action = m_value = -1;
    m_colour = _pixel{0, 0, 255, 0};
    // Redrawn without moving or changing any part, so the face the dialog opens on is the one
    // the user left.
    zel::dialogs::render_head(m_headPath);
    // A head that cannot be read leaves an earlier run's picture in the preview, which is no
    // backup of this one.
    m_backedUp = m_pictures.Load(m_headPath) && m_pictures.Save(m_backupPath);
    if (!m_backedUp) {
        zel::dialogs::report_failed_backup(*this, m_backupPath, "face");
    }
    m_snapshot = _zel_face{};
    zel_face_copyFromDLL(&m_snapshot);
    return TRUE;
}

void CPartEditDlg::OnPaint() {
    CPaintDC dc(this);
    m_pictures.Paint(dc, PreviewRect());
}

void CPartEditDlg::OnPart(UINT id) {
    switch (LOWORD(id)) {
    case IDC_LEFT_BROW:
        m_part = 2;
        break;
    case IDC_RIGHT_BROW:
        m_part = 3;
        break;
    case IDC_LEFT_EYE:
        m_part = 4;
        break;
    case IDC_RIGHT_EYE:
        m_part = 5;
        break;
    case IDC_NOSE:
        m_part = 6;
        break;
    case IDC_MOUTH:
        m_part = 7;
        break;
    default:
        m_part = kGlassesPart;
        break;
    }
}

void CPartEditDlg::OnAction(UINT id) {
    switch (LOWORD(id)) {
    case IDC_MOVE:
        m_action = kMove;
        break;
    case IDC_SCALE:
        m_action = kScale;
        break;
    case IDC_COLOUR:
        m_action = kColour;
        break;
    case IDC_GLASSES_TYPE:
        m_action = kGlassesType;
        break;
    default:
        m_action = kDisplay;
        break;
    }
}

void CPartEditDlg::OnValue(UINT id) {
    id = LOWORD(id);
    switch (id) {
    case IDC_UP:
    case IDC_DOWN:
    case IDC_LEFT:
    case IDC_RIGHT:
        m_value = int(id - IDC_UP) + 1;
        break;
    case IDC_LARGER:
        m_value = 1;
        break;
    case IDC_SMALLER:
        m_value = 2;
        break;
    case IDC_SHOW:
        m_value = 31;
        break;
    case IDC_HIDE:
        m_value = 32;
        break;
    case IDC_STANDARD:
        m_value = 40;
        break;
    case IDC_ROUND:
        m_value = 41;
        break;
    default:
        m_value = 42;
        break;
    }
}

void CPartEditDlg::OnChooseColour() {
    COLORREF chosen = 0;
    if (zel::dialogs::choose_colour(m_chosenColour, chosen)) {
        m_chosenColour = chosen;
        m_colour = zel::dialogs::engine_colour(chosen);
    }
}

const char* CPartEditDlg::Refusal() const {
    if (m_part == -1 && m_action == -1) {
        return "Please select a facial component and an action to take.";
    }
    if (m_part == -1) {
        return m_action == kGlassesType ? "Please select Eye Glasses."
                                        : "Please select a facial component.";
    }
    if (m_action == -1) {
        return "Please select an action to take on the selected facial component.";
    }
    if (m_action == kGlassesType && m_part != kGlassesPart) {
        return "Please choose other action except Add!";
    }
    switch (m_action) {
    case kMove:
        return m_value >= 1 && m_value <= 4
                   ? nullptr
                   : "How do you want to move the selected facial component?\n"
                     "Please select one of {UP,DOWN,LEFT,RIGHT}.";
    case kScale:
        return m_value == 1 || m_value == 2
                   ? nullptr
                   : "How do you want to scale the selected facial component?\n"
                     "Please select UP or DOWN.";
    case kGlassesType:
        return m_value >= 40 && m_value <= 42 ? nullptr
                                              : "What type of eye glasses do you want to use?\n"
                                                "Please select STANDARD, ROUND or RECTANGULAR.";
    case kDisplay:
        return m_value == 31 || m_value == 32
                   ? nullptr
                   : "Do you want to display the selected facial component?\n"
                     "Please select YES or NO.";
    default:
        return nullptr;
    }
}

void CPartEditDlg::Prompt(const char* text) {
    MessageBox(text, kPromptCaption, MB_OK | MB_ICONEXCLAMATION);
}

void CPartEditDlg::OnApply() {
    if (const char* refusal = Refusal()) {
        Prompt(refusal);
        return;
    }
    const char* head = m_headPath.c_str();
    int result = 0;
    switch (m_action) {
    case kMove:
        result = face_move_save(m_part, m_value, head);
        break;
    case kScale:
        result = face_scale_save(m_part, m_value, head);
        break;
    case kColour:
        result = face_color_save(m_part, m_colour, head);
        break;
    case kGlassesType:
        result = face_glasses_save(m_value, head);
        break;
    default:
        result = face_display_save(m_part, m_value, head);
        break;
    }
    if (result == kNotLoaded && m_part == kGlassesPart) {
        Prompt("Please ADD Eye Glasses first!");
    }
    // The rectangle the preview is painted in, in pixels, without erasing.
    if (m_pictures.Load(m_headPath)) {
        const CRect preview = PreviewRect();
        InvalidateRect(&preview, FALSE);
    }
}

void CPartEditDlg::OnDone() {
    EndDialog(1);
}

// The face record goes back to the engine, and the head picture back to the one the dialog
// opened with; without that backup, or with one that cannot be read, the head file is left
// alone.
void CPartEditDlg::OnCancel() {
    zel_face_copyToDLL(&m_snapshot);
    if (m_backedUp && m_pictures.Load(m_backupPath)) {
        m_pictures.Save(m_headPath);
    }
    EndDialog(1);
}
