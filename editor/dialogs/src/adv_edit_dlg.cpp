// The advanced edit dialog: its template, opening, the variant steps of Make Face and the action
// routine of Change Face on the chosen group.

#include "zel/dialogs/adv_edit_dlg.h"

#include "editing_templates.h"
#include "face_variants.h"

#include <zel/common/work_folder.h>

#include <cstring>

using namespace zel::dialogs;

namespace {

constexpr int kNotLoaded = -41;
constexpr int kShow = 31, kHide = 32;

// The positions of the dialog's own lists, kept for the program's run.
VariantPositions g_positions = {};

// Client 615 x 413 pixels, the size of its skin (Change Face's): the preview in the skin's well,
// the part rows inside the head drawn on the skin, the expression's row and a second set of
// moves under its chin, and Change Face's actions below; the glasses' style under the preview.
void register_template() {
    using D = dlgAdvEdit;
    DialogTemplate t{"Advanced Edit", 0, 0, 410, 254, WS_POPUP | WS_CAPTION | DS_MODALFRAME,
                     "MS Sans Serif", 8, {}};
    auto button = [&t](UINT id, int x, int y, int cx, int cy, const char* text = "") {
        t.items.push_back(
            Control(text, int(id), "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, x, y, cx, cy));
    };
    struct Row {
        UINT previous, group, next;
        const char* text;
    };
    const Row rows[] = {
        {D::IDC_BROW_PREVIOUS, D::IDC_BROWS, D::IDC_BROW_NEXT, "BROWS"},
        {D::IDC_EYE_PREVIOUS, D::IDC_EYES, D::IDC_EYE_NEXT, "EYES"},
        {D::IDC_NOSE_PREVIOUS, D::IDC_NOSE, D::IDC_NOSE_NEXT, "NOSE"},
        {D::IDC_MOUTH_PREVIOUS, D::IDC_MOUTH, D::IDC_MOUTH_NEXT, "MOUTH"},
        {D::IDC_GLASSES_PREVIOUS, D::IDC_GLASSES, D::IDC_GLASSES_NEXT, "GLASSES"},
    };
    int y = 21;
    for (const Row& row : rows) {
        button(row.previous, 210, y, 17, 16);
        button(row.group, 230, y, 120, 16, row.text);
        button(row.next, 353, y, 17, 16);
        y += 18;
    }
    // The expression's row as Make Face has it, its pictures at their own size.
    button(D::IDC_EXPRESSION_PREVIOUS, 194, 111, kActionWidth, kActionHeight);
    button(D::IDC_EXPRESSION, 224, 111, kGroupWidth, kGroupHeight);
    button(D::IDC_EXPRESSION_NEXT, 360, 111, kActionWidth, kActionHeight);
    int x = 236;
    for (UINT id :
         {D::IDC_MOVE_LEFT_2, D::IDC_MOVE_UP_2, D::IDC_MOVE_DOWN_2, D::IDC_MOVE_RIGHT_2}) {
        button(id, x, 137, kActionWidth, kActionHeight);
        x += 28;
    }
    button(D::IDC_MOVE_UP, 220, 163, kActionWidth, kActionHeight);
    button(D::IDC_MOVE_LEFT, 194, 189, kActionWidth, kActionHeight);
    button(D::IDC_MOVE_RIGHT, 246, 189, kActionWidth, kActionHeight);
    button(D::IDC_MOVE_DOWN, 220, 215, kActionWidth, kActionHeight);
    button(D::IDC_ENLARGE, 288, 163, kActionWidth, kActionHeight);
    button(D::IDC_REDUCE, 288, 189, kActionWidth, kActionHeight);
    button(D::IDC_DISPLAY, 324, 163, kActionWidth, kActionHeight);
    button(D::IDC_HIDE, 360, 163, kActionWidth, kActionHeight);
    button(D::IDC_COLOR, 324, 189, kActionWidth, kActionHeight);
    button(D::IDC_DONE, 318, 216, kDoneWidth, kDoneHeight);
    button(D::IDC_CANCEL, 354, 216, kDoneWidth, kDoneHeight);
    t.items.push_back(Control("Standard", int(D::IDC_GLASSES_STANDARD), "BUTTON",
                              BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 24, 239, 52, 10));
    t.items.push_back(
        Control("Round", int(D::IDC_GLASSES_ROUND), "BUTTON", BS_AUTORADIOBUTTON, 82, 239, 40, 10));
    t.items.push_back(Control("Rectangular", int(D::IDC_GLASSES_RECTANGULAR), "BUTTON",
                              BS_AUTORADIOBUTTON, 128, 239, 54, 10));
    zel::platform::register_dialog(D::IDD, std::move(t));
}

} // namespace

BEGIN_MESSAGE_MAP(dlgAdvEdit, CVariantDialog)
ON_COMMAND_RANGE(kFirstActionButton, kLastActionButton, OnActionButton)
ON_COMMAND_RANGE(IDC_MOVE_UP_2, IDC_MOVE_RIGHT_2, OnSecondMove)
ON_BN_CLICKED(IDC_COLOR, OnColor)
END_MESSAGE_MAP()

dlgAdvEdit::dlgAdvEdit(CWnd* parent) : CVariantDialog(IDD, parent, g_positions) {
    m_backupPath = zel::work_path("zelaedit.bmp");
    static const bool registered = (register_template(), true);
    (void)registered;
}

dlgAdvEdit::~dlgAdvEdit() = default;

int dlgAdvEdit::Position(int table) {
    return g_positions[std::size_t(table)];
}

void dlgAdvEdit::ResetPositions() {
    g_positions = {};
}

void dlgAdvEdit::DoDataExchange(CDataExchange* dx) {
    CVariantDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DONE, m_done);
    DDX_Control(dx, IDC_CANCEL, m_cancel);
    const UINT moves[] = {IDC_MOVE_UP,   IDC_MOVE_DOWN,   IDC_MOVE_LEFT,   IDC_MOVE_RIGHT,
                          IDC_MOVE_UP_2, IDC_MOVE_DOWN_2, IDC_MOVE_LEFT_2, IDC_MOVE_RIGHT_2};
    for (std::size_t i = 0; i < m_moves.size(); ++i) {
        DDX_Control(dx, int(moves[i]), m_moves[i]);
    }
    DDX_Control(dx, IDC_ENLARGE, m_enlarge);
    DDX_Control(dx, IDC_REDUCE, m_reduce);
    DDX_Control(dx, IDC_DISPLAY, m_display);
    DDX_Control(dx, IDC_HIDE, m_hide);
    DDX_Control(dx, IDC_COLOR, m_color);
}

BOOL dlgAdvEdit::OnInitDialog() {
    CVariantDialog::OnInitDialog();
    SetBitmap(IDB_CHANGE_FACE_SKIN, kNoTransparentColor);
    m_group = m_action = m_variant = m_parameter = -1;
    m_colour = _pixel{192, 0, 0, 0};

    // Opened as Change Face is: the head redrawn without changing the face, then backed up.
    render_head(m_headPath);
    if (!BackUpHead()) {
        MessageBox("Not successful in save_piexels()", "In dialog box: Adv Edit",
                   MB_OK | MB_ICONEXCLAMATION);
    }
    TakeSnapshot();
    m_gender = m_snapshot.nSex;
    m_changed = 0;

    ShowPicture(m_done, IDB_DONE, 40, 40, "Done");
    ShowPicture(m_cancel, IDB_CANCEL, 40, 40, "Cancel");
    const char* moveTips[] = {"Move Up", "Move Down", "Move Left", "Move Right"};
    const int movePictures[] = {IDB_ARROW_UP, IDB_ARROW_DOWN, IDB_ARROW_LEFT, IDB_ARROW_RIGHT};
    for (std::size_t i = 0; i < m_moves.size(); ++i) {
        if (i % 4 < 2) { // up and down
            m_moves[i].ShiftColor(0, 30, TRUE);
        }
        ShowPicture(m_moves[i], movePictures[i % 4], 32, 32, moveTips[i % 4]);
    }
    ShowPicture(m_enlarge, IDB_ARROW_UP, 32, 32, "Enlarge");
    ShowPicture(m_reduce, IDB_ARROW_DOWN, 32, 32, "Reduce");
    ShowPicture(m_color, IDB_COLOR, 32, 32, "Select a color for the chosen parts");
    ShowPicture(m_hide, IDB_HIDE, 32, 32, "Do NOT display the chosen parts.");
    ShowPicture(m_display, IDB_DISPLAY, 32, 32, "Display the chosen parts.");
    ShowVariantButtons();
    ShowGlassesStyle();
    return TRUE;
}

// The style of the glasses the face wears, by the first 12 bytes of their template name.
void dlgAdvEdit::ShowGlassesStyle() {
    const _zel_object& glasses = m_snapshot.parts[kSlotGlasses];
    if (glasses.IsLoaded == 0) {
        return;
    }
    struct Style {
        const char* name;
        UINT radio;
    };
    const Style styles[] = {{"GLASSES_RND", IDC_GLASSES_ROUND},
                            {"GLASSES_REC", IDC_GLASSES_RECTANGULAR},
                            {"GLASSES_STD", IDC_GLASSES_STANDARD}};
    for (const Style& style : styles) {
        if (std::memcmp(glasses.name, style.name, 12) == 0) {
            CheckDlgButton(int(style.radio), BST_CHECKED);
            return;
        }
    }
}

void dlgAdvEdit::OnBackgroundDrawn(CDC* offscreen) {
    m_done.CaptureBackground(offscreen);
    m_cancel.CaptureBackground(offscreen);
}

void dlgAdvEdit::GlassesStep(bool next) {
    ShowGroup(kGlassesGroup);
    m_variant = StepList(kGlassesVariants, next);
    Act(kAddGlasses, m_variant);
}

const char* dlgAdvEdit::Refusal(int action, int parameter) const {
    if (m_group == -1 && action == -1) {
        return "Please select a facial component and an action to take.";
    }
    if (m_group == -1) {
        return action == kAddGlasses ? "Please select Eye Glasses."
                                     : "Please select a facial component.";
    }
    if (action == -1) {
        return "Please select an action to take on the selected facial component.";
    }
    if (action == kAddGlasses && m_group != kGlassesGroup) {
        return "Please choose other action except Add!";
    }
    if (action == kMove && (parameter < 1 || parameter > 4)) {
        return "How do you want to move the selected facial component?\n"
               "Please select one of {UP,DOWN,LEFT,RIGHT}.";
    }
    if (action == kScale && parameter != 1 && parameter != 2) {
        return "How do you want to scale the selected facial component?\n"
               "Please select UP or DOWN.";
    }
    if (action == kDisplay && parameter != kShow && parameter != kHide) {
        return "Do you want to display the selected facial component?\n"
               "Please select YES or NO.";
    }
    return nullptr;
}

void dlgAdvEdit::Act(int action, int parameter) {
    m_action = action;
    m_parameter = parameter;
    if (const char* refusal = Refusal(action, parameter)) {
        MessageBox(refusal, kPromptCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const int part = m_group;
    // The pair's other part changes first, without a redraw; the group's own part then
    // redraws the head picture with both.
    const int twin = part == kBrowGroup ? 3 : (part == kEyeGroup ? 5 : -1);
    const char* head = m_headPath.c_str();
    int result = 0;
    switch (action) {
    case kMove:
        if (twin >= 0) {
            face_move(twin, parameter);
        }
        result = face_move_save(part, parameter, head);
        break;
    case kScale:
        if (twin >= 0) {
            face_scale(twin, parameter);
        }
        result = face_scale_save(part, parameter, head);
        break;
    case kColour:
        if (twin >= 0) {
            face_color(twin, m_colour);
        }
        result = face_color_save(part, m_colour, head);
        break;
    case kDisplay:
        if (twin >= 0) {
            face_display(twin, parameter);
        }
        result = face_display_save(part, parameter, head);
        break;
    case kAddGlasses:
        if (parameter < 40 || parameter > 42) {
            return;
        }
        result = face_glasses_save(parameter, head);
        break;
    default:
        return;
    }
    if (result == kNotLoaded && part == kGlassesGroup) {
        MessageBox("Please select a pair of eye glasses first.", "Eye Glasses",
                   MB_OK | MB_ICONEXCLAMATION);
    }
    // A failed read is silent: the preview keeps the previous picture.
    ReloadPreview(m_headPath);
    m_changed = 1;
}

void dlgAdvEdit::OnActionButton(UINT id) {
    int action = 0;
    int parameter = 0;
    if (action_button(id, action, parameter)) {
        Act(action, parameter);
    }
}

// The second set of moves does what the first does.
void dlgAdvEdit::OnSecondMove(UINT id) {
    OnActionButton(id - IDC_MOVE_UP_2 + IDC_MOVE_UP);
}

void dlgAdvEdit::OnColor() {
    COLORREF chosen = 0;
    if (choose_colour(RGB(0, 0, 0), chosen)) {
        m_colour = engine_colour(chosen);
    }
    // Confirmed or not, the part takes the colour as it now stands.
    Act(kColour, kColour);
}
