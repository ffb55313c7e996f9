#pragma once
// What Make Face, Change Face and the advanced edit dialog share: the head work file they
// redraw through the face engine, the backup of the head picture and the face record taken when
// the dialog opened, and Done and Cancel. Cancel after a change puts the engine's face record
// back and writes the backup over the head work file exactly as it was read.

#include "zel/dialogs/preview_dialog.h"

#include <zel/face_engine.h>

#include <string>

class CFaceDialog : public CPreviewDialog {
public:
    // The preview of both dialogs, in dialog units.
    static constexpr RECT kPreview{23, 26, 179, 232};

    CFaceDialog(UINT templateId, CWnd* parent);

    // The head work file, set by the view before each run.
    std::string m_headPath;
    // Cancel's backup of the head picture.
    std::string m_backupPath;
    // 1 after any change (Cancel clears it); read by the view after the run.
    int m_changed = 0;

protected:
    // Reads the head picture into the preview and writes it to the backup path; false when the
    // head could not be read or the backup was not written, and Cancel then leaves the head
    // file alone.
    bool BackUpHead();
    // Shows the head picture again after a variant step; one that cannot be read back leaves
    // the previous one in the preview (with a message), and the step still counts.
    void ReloadAfterStep();
    // The face record as the engine has it now becomes the one Cancel restores.
    void TakeSnapshot();

    void OnDone();
    // The Cancel button, Escape and the close box all end here, so none of them keeps a
    // change half-way.
    void OnCancel() override;
    DECLARE_MESSAGE_MAP()

protected:
    // Value-initialised before every copy: the engine copies pixels through any bitmap or
    // canvas pointer the record holds.
    _zel_face m_snapshot{};
    // This opening's head picture was written to the backup, so Cancel may put it back.
    bool m_backedUp = false;
};

namespace zel::dialogs {

/// Redraws the head picture at `headPath` through one part of the face (the mouth, else the
/// nose, else the left brow when they are in the face, else the left eye) without changing that
/// part, not even whether it shows. Returns the part drawn through.
int render_head(const std::string& headPath);

/// The action and parameter of an action button (move up, down, left or right, enlarge, reduce,
/// display, do not display: 1138 to 1147); false for another button.
bool action_button(UINT id, int& action, int& parameter);

/// Asks for a colour in the colour dialog, starting at `initial`, with custom colours kept for
/// the program's run. True, with `chosen` set, when the user confirmed.
bool choose_colour(COLORREF initial, COLORREF& chosen);
/// `colour` as the face engine is handed colours: 255 minus red, green and blue, then 0.
_pixel engine_colour(COLORREF colour);

} // namespace zel::dialogs
