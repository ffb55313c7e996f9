#pragma once
// The numbers of Edit Face and its pen and text pop-ups: their pictures, cursors, templates and
// controls. Done and Cancel show the editing dialogs' pictures (editing_ids.h).

#include <zel/platform/platform.h>

namespace zel::dialogs {

constexpr WORD IDB_EDIT_FACE_SKIN = 298;
constexpr int IDB_ZOOM_IN = 323, IDB_ZOOM_OUT = 324;
// The mark of the chosen tool.
constexpr int IDI_TOOL_CHOSEN = 336;
// The cursors over the drawing area.
constexpr UINT IDC_ERASE_CURSOR = 249, IDC_PEN_CURSOR = 250;
// Pen k's picture is IDB_FIRST_PEN + 2 (k - 1); its picture inside a border follows it.
constexpr int IDB_FIRST_PEN = 256;

struct EditFaceIds {
    enum { IDD = 283 };
    // Controls and commands.
    enum : int {
        kZoomIn = 1063,
        kZoomOut = 1064,
        kUndo = 1075,
        kPen = 1076,
        kVerticalBar = 1080,
        kHorizontalBar = 1081,
        kDone = 1082,
        kPointer = 1093, // no control sends it
        kErase = 1094,
        kText = 1097,
        kCancel = 1167,
    };
};

struct PenChoiceIds {
    enum { IDD = 255 };
    // The pen buttons: kFirstPen + k - 1 shows pen k.
    static constexpr int kFirstPen = 1101;
    static constexpr int kPens = 6;
};

struct EditFacePopupIds {
    enum { IDD = 254 };
    static constexpr int kTextField = 1098;
};

} // namespace zel::dialogs
