#pragma once
// The numbers of the editing dialogs (Make Face, Change Face, Add Body and Add Background, and
// the preview, face, variant and composing dialogs they are built on): their pictures, templates
// and controls. Advanced Edit and Edit Face show some of these pictures too.

#include <zel/platform/platform.h>

namespace zel::dialogs {

// Skins.
constexpr WORD IDB_MAKE_FACE_SKIN = 343, IDB_CHANGE_FACE_SKIN = 322, IDB_ADD_BODY_SKIN = 364,
               IDB_ADD_BKGD_SKIN = 387;

// Button pictures. Done and Cancel; the arrows (up also enlarges, down also reduces).
constexpr int IDB_DONE = 312, IDB_CANCEL = 313;
constexpr int IDB_ARROW_UP = 318, IDB_ARROW_DOWN = 314, IDB_ARROW_LEFT = 316, IDB_ARROW_RIGHT = 317;
// The kind of face, chosen or not.
constexpr int IDB_MAN_CHOSEN = 308, IDB_MAN = 300, IDB_WOMAN_CHOSEN = 309, IDB_WOMAN = 310,
              IDB_CHILD_CHOSEN = 306, IDB_CHILD = 307;
// Colouring, hiding and showing the chosen parts; the expression row of Make Face.
constexpr int IDB_COLOR = 319, IDB_HIDE = 320, IDB_DISPLAY = 321, IDB_EXPRESSION = 360;
// Change Face's part buttons, chosen or not.
constexpr int IDB_LEFT_BROW_CHOSEN = 352, IDB_LEFT_BROW = 353, IDB_RIGHT_BROW_CHOSEN = 358,
              IDB_RIGHT_BROW = 359, IDB_LEFT_EYE_CHOSEN = 174, IDB_LEFT_EYE = 173,
              IDB_RIGHT_EYE_CHOSEN = 176, IDB_RIGHT_EYE = 175, IDB_NOSE_CHOSEN = 158,
              IDB_NOSE = 157, IDB_MOUTH_CHOSEN = 160, IDB_MOUTH = 159, IDB_GLASSES_CHOSEN = 354,
              IDB_GLASSES = 355, IDB_LEFT_EDGE_CHOSEN = 162, IDB_LEFT_EDGE = 161,
              IDB_RIGHT_EDGE_CHOSEN = 386, IDB_RIGHT_EDGE = 385;
// Add Body: turning, the layer the steps move (chosen or not), and the speed (chosen or not).
constexpr int IDB_ROTATE_CW = 366, IDB_ROTATE_CCW = 367;
constexpr int IDB_STEP_HEAD_CHOSEN = 372, IDB_STEP_HEAD = 373, IDB_STEP_BODY_CHOSEN = 370,
              IDB_STEP_BODY = 371, IDB_STEP_BOTH_CHOSEN = 374, IDB_STEP_BOTH = 375;
constexpr int IDB_FAST_CHOSEN = 377, IDB_FAST = 368, IDB_SLOW_CHOSEN = 376, IDB_SLOW = 369;

// Icons: the list arrows, and the bullet of a group or category, chosen (filled) or not.
constexpr int IDI_NEXT = 315, IDI_PREVIOUS = 281, IDI_GROUP_CHOSEN = 282, IDI_GROUP = 283;

// Templates and controls. Each dialog class takes its own numbers as a base, so that they read
// as its members (dlgAddBody::IDC_MAN).
struct PreviewDialogIds {
    enum : UINT { IDC_DONE = 1082, IDC_CANCEL = 1128 };
};

// The action buttons of the face dialogs: move up, down, left and right, enlarge, reduce,
// display, do not display.
constexpr UINT kFirstActionButton = 1138, kLastActionButton = 1147;

// The group buttons and the previous and next arrows of the variant lists.
struct VariantDialogIds {
    enum : UINT {
        IDC_BROWS = 1029,
        IDC_EYES = 1032,
        IDC_NOSE = 1112,
        IDC_MOUTH = 1113,
        IDC_GLASSES = 1050,
        IDC_EXPRESSION = 1053,
        IDC_BROW_PREVIOUS = 1028,
        IDC_BROW_NEXT = 1030,
        IDC_EYE_PREVIOUS = 1031,
        IDC_EYE_NEXT = 1033,
        IDC_NOSE_PREVIOUS = 1037,
        IDC_NOSE_NEXT = 1039,
        IDC_MOUTH_PREVIOUS = 1043,
        IDC_MOUTH_NEXT = 1045,
        IDC_GLASSES_PREVIOUS = 1049,
        IDC_GLASSES_NEXT = 1051,
        IDC_EXPRESSION_PREVIOUS = 1052,
        IDC_EXPRESSION_NEXT = 1054,
    };
};

// Make Face.
struct MakeFaceIds {
    enum : UINT {
        IDD = 285,
        IDC_MAN = 1170,
        IDC_WOMAN = 1171,
        IDC_CHILD = 1172,
    };
};

// Change Face.
struct ChangeFaceIds {
    enum : UINT {
        IDD = 286,
        IDC_MOUTH = 1113,
        IDC_LEFT_EYE = 1176,
        IDC_RIGHT_EYE = 1178,
        IDC_LEFT_BROW = 1174,
        IDC_RIGHT_BROW = 1175,
        IDC_NOSE = 1112,
        IDC_GLASSES = 1050,
        IDC_FACE_EDGE_LEFT = 1177,
        IDC_FACE_EDGE_RIGHT = 1179,
        IDC_MOVE_LEFT = 1140,
        IDC_MOVE_RIGHT = 1141,
        IDC_MOVE_DOWN = 1139,
        IDC_MOVE_UP = 1138,
        IDC_REDUCE = 1143,
        IDC_ENLARGE = 1142,
        IDC_COLOR = 1149,
        IDC_HIDE = 1147,
        IDC_DISPLAY = 1146,
    };
};

// The move buttons of Add Body and Add Background.
struct ComposeDialogIds {
    enum : UINT {
        IDC_MOVE_UP = 1138,
        IDC_MOVE_DOWN = 1139,
        IDC_MOVE_LEFT = 1140,
        IDC_MOVE_RIGHT = 1141
    };
};

// Add Body.
struct AddBodyIds {
    enum : UINT {
        IDD = 287,
        IDC_MAN = 1025,
        IDC_WOMAN = 1026,
        IDC_CHILD = 1027,
        IDC_STEP_HEAD = 1144,
        IDC_STEP_BODY = 1145,
        IDC_STEP_BOTH = 1148,
        IDC_FAST = 1146,
        IDC_SLOW = 1147,
        IDC_ENLARGE = 1142,
        IDC_REDUCE = 1143,
        IDC_ROTATE_CW = 1187,
        IDC_ROTATE_CCW = 1186,
        IDC_NEXT = 1188,
        IDC_PREVIOUS = 1189,
        IDC_ROTATE_SPARE = 1190,
    };
};

// Add Background.
struct AddBkgdIds {
    enum : UINT {
        IDD = 288,
        IDC_MOUNTAINS = 1195,
        IDC_LANDMARKS = 1190,
        IDC_SPECIALS = 1034,
        IDC_BEACHES = 1203,
        IDC_OTHERS = 1033,
        IDC_MOUNTAINS_PREVIOUS = 1194,
        IDC_MOUNTAINS_NEXT = 1196,
        IDC_LANDMARKS_PREVIOUS = 1189,
        IDC_LANDMARKS_NEXT = 1191,
        IDC_SPECIALS_PREVIOUS = 1199,
        IDC_SPECIALS_NEXT = 1200,
        IDC_BEACHES_PREVIOUS = 1192,
        IDC_BEACHES_NEXT = 1193,
        IDC_OTHERS_PREVIOUS = 1197,
        IDC_OTHERS_NEXT = 1198,
    };
};

} // namespace zel::dialogs
