#pragma once
// The numbers of the small dialogs (the About box, the auxiliary buttons, Advanced Edit, Part
// Edit and the small picture box): their templates, controls and pictures. Advanced Edit shows
// the editing dialogs' pictures (editing_ids.h).

#include <zel/platform/platform.h>

namespace zel::dialogs {

struct AboutIds {
    enum : UINT { IDD = 280, IDC_LINK = 1169, IDB_ABOUT = 388 };
};

struct AuxButtonsIds {
    enum : UINT { IDD = 245, IDC_FIRST = 1063, IDC_SECOND = 1064 };
};

struct AdvEditIds {
    enum : UINT {
        IDD = 282,
        IDC_MOVE_UP = 1138,
        IDC_MOVE_DOWN = 1139,
        IDC_MOVE_LEFT = 1140,
        IDC_MOVE_RIGHT = 1141,
        IDC_MOVE_UP_2 = 1155,
        IDC_MOVE_DOWN_2 = 1156,
        IDC_MOVE_LEFT_2 = 1157,
        IDC_MOVE_RIGHT_2 = 1158,
        IDC_ENLARGE = 1142,
        IDC_REDUCE = 1143,
        IDC_DISPLAY = 1146,
        IDC_HIDE = 1147,
        IDC_COLOR = 1149,
        IDC_GLASSES_ROUND = 1148,
        IDC_GLASSES_STANDARD = 1150,
        IDC_GLASSES_RECTANGULAR = 1151,
    };
};

struct PartEditIds {
    enum : UINT {
        IDD = 281,
        // Parts.
        IDC_LEFT_BROW = 1108,
        IDC_RIGHT_BROW = 1109,
        IDC_LEFT_EYE = 1110,
        IDC_RIGHT_EYE = 1111,
        IDC_NOSE = 1112,
        IDC_MOUTH = 1113,
        IDC_GLASSES = 1127,
        // Actions.
        IDC_MOVE = 1114,
        IDC_SCALE = 1115,
        IDC_COLOUR = 1124,
        IDC_GLASSES_TYPE = 1130,
        IDC_DISPLAY = 1116,
        // Directions and values.
        IDC_UP = 1117,
        IDC_DOWN = 1118,
        IDC_LEFT = 1119,
        IDC_RIGHT = 1120,
        IDC_LARGER = 1122,
        IDC_SMALLER = 1123,
        IDC_SHOW = 1125,
        IDC_HIDE = 1126,
        IDC_STANDARD = 1133,
        IDC_ROUND = 1132,
        IDC_RECTANGULAR = 1134,
        // Buttons.
        IDC_CHOOSE_COLOUR = 1135,
        IDC_APPLY = 1121,
        IDC_DONE = 1082,
        IDC_CANCEL = 1128,
    };
};

struct SmallPaintIds {
    enum : UINT { IDD = 147, IDB_PICTURE = 208 };
};

} // namespace zel::dialogs
