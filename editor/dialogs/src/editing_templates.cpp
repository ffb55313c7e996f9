#include "editing_templates.h"

#include "zel/dialogs/add_bkgd_dlg.h"
#include "zel/dialogs/add_body_dlg.h"
#include "zel/dialogs/change_face_dlg.h"
#include "zel/dialogs/select_dlg.h"

namespace zel::dialogs {

namespace {

// Client 615 x 413 pixels (Make Face, Change Face) or 615 x 393 (Add Body, Add Background).
constexpr int kWidth = 410;
constexpr int kFaceHeight = 254;
constexpr int kComposeHeight = 242;
// The control column right of the preview, and the bottom row's Done and Cancel.
constexpr int kColumn = 194;
constexpr int kDoneX = 318, kCancelX = 354;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME;

DialogItemTemplate button(UINT id, int x, int y, int cx, int cy, const char* text = "") {
    return Control(text, int(id), "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, x, y, cx, cy);
}

DialogTemplate frame(const char* caption, int height) {
    return DialogTemplate{caption, 0, 0, kWidth, height, kStyle, "MS Sans Serif", 8, {}};
}

// A row of Make Face or Add Background: previous, the group's own button, next.
void add_row(DialogTemplate& t, int y, UINT previous, UINT group, UINT next, const char* text) {
    t.items.push_back(button(previous, kColumn, y, kActionWidth, kActionHeight));
    t.items.push_back(button(group, kColumn + 30, y, kGroupWidth, kGroupHeight, text));
    t.items.push_back(button(next, kColumn + 166, y, kActionWidth, kActionHeight));
}

void add_done_cancel(DialogTemplate& t, int y) {
    t.items.push_back(button(1082, kDoneX, y, kDoneWidth, kDoneHeight));
    t.items.push_back(button(1128, kCancelX, y, kDoneWidth, kDoneHeight));
}

} // namespace

void register_make_face_template() {
    DialogTemplate t = frame("Make Face", kFaceHeight);
    struct Row {
        UINT previous, group, next;
        const char* text;
    };
    const Row rows[] = {
        {dlgSelect::IDC_BROW_PREVIOUS, dlgSelect::IDC_BROWS, dlgSelect::IDC_BROW_NEXT, "BROWS"},
        {dlgSelect::IDC_EYE_PREVIOUS, dlgSelect::IDC_EYES, dlgSelect::IDC_EYE_NEXT, "EYES"},
        {dlgSelect::IDC_NOSE_PREVIOUS, dlgSelect::IDC_NOSE, dlgSelect::IDC_NOSE_NEXT, "NOSE"},
        {dlgSelect::IDC_MOUTH_PREVIOUS, dlgSelect::IDC_MOUTH, dlgSelect::IDC_MOUTH_NEXT, "MOUTH"},
        {dlgSelect::IDC_GLASSES_PREVIOUS, dlgSelect::IDC_GLASSES, dlgSelect::IDC_GLASSES_NEXT,
         "GLASSES"},
        // The expression's own picture shows what it steps through.
        {dlgSelect::IDC_EXPRESSION_PREVIOUS, dlgSelect::IDC_EXPRESSION,
         dlgSelect::IDC_EXPRESSION_NEXT, ""},
    };
    int y = 26;
    for (const Row& row : rows) {
        add_row(t, y, row.previous, row.group, row.next, row.text);
        y += 27;
    }
    int x = kColumn;
    for (UINT id : {dlgSelect::IDC_MAN, dlgSelect::IDC_WOMAN, dlgSelect::IDC_CHILD}) {
        t.items.push_back(button(id, x, 200, kGenderWidth, kGenderHeight));
        x += 40;
    }
    add_done_cancel(t, 205);
    zel::platform::register_dialog(dlgSelect::IDD, std::move(t));
}

void register_change_face_template() {
    DialogTemplate t = frame("Change Face", kFaceHeight);
    using D = CChangeFaceDlg;
    // The part buttons are laid out as a face: brows over the eyes with the glasses between
    // them, the face's two edges at the sides, nose and mouth below.
    t.items.push_back(button(D::IDC_LEFT_BROW, 234, 30, 38, 16));
    t.items.push_back(button(D::IDC_RIGHT_BROW, 308, 30, 38, 16));
    t.items.push_back(button(D::IDC_FACE_EDGE_LEFT, 212, 52, 18, 48));
    t.items.push_back(button(D::IDC_LEFT_EYE, 240, 52, 26, 24));
    t.items.push_back(button(D::IDC_GLASSES, 271, 52, 38, 24));
    t.items.push_back(button(D::IDC_RIGHT_EYE, 314, 52, 26, 24));
    t.items.push_back(button(D::IDC_FACE_EDGE_RIGHT, 350, 52, 18, 48));
    t.items.push_back(button(D::IDC_NOSE, 277, 80, 26, 32));
    t.items.push_back(button(D::IDC_MOUTH, 268, 118, 44, 24));
    // Moves as a cross of arrows; size, display and colour beside it.
    t.items.push_back(button(D::IDC_MOVE_UP, 220, 152, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_MOVE_LEFT, 194, 178, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_MOVE_RIGHT, 246, 178, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_MOVE_DOWN, 220, 204, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_ENLARGE, 288, 152, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_REDUCE, 288, 178, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_DISPLAY, 324, 152, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_HIDE, 360, 152, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_COLOR, 324, 178, kActionWidth, kActionHeight));
    add_done_cancel(t, 205);
    zel::platform::register_dialog(D::IDD, std::move(t));
}

void register_add_body_template() {
    DialogTemplate t = frame("Add Body", kComposeHeight);
    using D = dlgAddBody;
    int x = kColumn;
    for (UINT id : {D::IDC_MAN, D::IDC_WOMAN, D::IDC_CHILD}) {
        t.items.push_back(button(id, x, 26, kGenderWidth, kGenderHeight));
        x += 40;
    }
    t.items.push_back(button(D::IDC_PREVIOUS, 324, 30, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_NEXT, 360, 30, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_STEP_HEAD, kColumn, 68, kLayerWidth, kLayerHeight));
    t.items.push_back(button(D::IDC_STEP_BODY, 261, 68, kLayerWidth, kLayerHeight));
    t.items.push_back(button(D::IDC_STEP_BOTH, 328, 68, kLayerWidth, kLayerHeight));
    t.items.push_back(button(D::IDC_MOVE_UP, 220, 104, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_MOVE_LEFT, 194, 130, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_MOVE_RIGHT, 246, 130, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_MOVE_DOWN, 220, 156, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_ENLARGE, 288, 104, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_REDUCE, 288, 130, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_ROTATE_CW, 324, 104, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_ROTATE_CCW, 324, 130, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_FAST, 360, 104, kActionWidth, kActionHeight));
    t.items.push_back(button(D::IDC_SLOW, 360, 130, kActionWidth, kActionHeight));
    // A second counter-clockwise button that does nothing: kept for its set-up, but given no
    // room, so nobody presses a button without an effect.
    t.items.push_back(button(D::IDC_ROTATE_SPARE, 0, 0, 0, 0));
    add_done_cancel(t, 193);
    zel::platform::register_dialog(D::IDD, std::move(t));
}

void register_add_bkgd_template() {
    DialogTemplate t = frame("Add Background", kComposeHeight);
    using D = dlgAddBkgd;
    struct Row {
        UINT previous, category, next;
        const char* text;
    };
    const Row rows[] = {
        {D::IDC_MOUNTAINS_PREVIOUS, D::IDC_MOUNTAINS, D::IDC_MOUNTAINS_NEXT, "MOUNTAINS"},
        {D::IDC_LANDMARKS_PREVIOUS, D::IDC_LANDMARKS, D::IDC_LANDMARKS_NEXT, "LANDMARKS"},
        {D::IDC_SPECIALS_PREVIOUS, D::IDC_SPECIALS, D::IDC_SPECIALS_NEXT, "SPECIALS"},
        {D::IDC_BEACHES_PREVIOUS, D::IDC_BEACHES, D::IDC_BEACHES_NEXT, "BEACHES"},
        {D::IDC_OTHERS_PREVIOUS, D::IDC_OTHERS, D::IDC_OTHERS_NEXT, "OTHERS"},
    };
    int y = 26;
    for (const Row& row : rows) {
        add_row(t, y, row.previous, row.category, row.next, row.text);
        y += 31;
    }
    int x = kColumn;
    for (UINT id : {D::IDC_MOVE_LEFT, D::IDC_MOVE_UP, D::IDC_MOVE_DOWN, D::IDC_MOVE_RIGHT}) {
        t.items.push_back(button(id, x, 193, kActionWidth, kActionHeight));
        x += 28;
    }
    add_done_cancel(t, 193);
    zel::platform::register_dialog(D::IDD, std::move(t));
}

} // namespace zel::dialogs
