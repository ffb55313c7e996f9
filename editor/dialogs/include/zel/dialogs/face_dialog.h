#pragma once
// What Make Face and Change Face share: the head work file they redraw through the face
// engine, the backup of the head picture and the face record taken when the dialog opened, and
// Done and Cancel. Cancel after a change puts the engine's face record back and writes the
// backup over the head work file exactly as it was read.

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
    // Reads the head picture into the preview and writes it to the backup path.
    void BackUpHead();
    // The face record as the engine has it now becomes the one Cancel restores.
    void TakeSnapshot();

    void OnDone();
    void OnCancelButton();
    DECLARE_MESSAGE_MAP()

protected:
    // Value-initialised before every copy: the engine copies pixels through any bitmap or
    // canvas pointer the record holds.
    _zel_face m_snapshot{};
};
