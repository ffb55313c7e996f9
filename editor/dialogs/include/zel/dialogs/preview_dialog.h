#pragma once
// What every editing dialog with a preview shares: the skinned dialog, its own pictures (the
// preview and the working arrays) and the rectangle, given in dialog units, that the preview is
// stretched into; reloading the preview marks exactly that rectangle, in pixels, for repainting.

#include "zel/controls/shade_button.h"
#include "zel/controls/skin_dialog.h"
#include "zel/dialogs/dialog_pictures.h"
#include "zel/dialogs/editing_ids.h"

#include <string>

class CPreviewDialog : public CSkinDialog, public zel::dialogs::PreviewDialogIds {
public:
    CPreviewDialog(UINT templateId, CWnd* parent, const RECT& preview);

    // The preview rectangle in this dialog's pixels.
    CRect PreviewRect() const;
    const zel::dialogs::DialogPictures& Pictures() const { return m_pictures; }

    // A button that shows picture `picture` in both states (the small key and "out" numbers
    // are what the dialogs have always passed), with its tooltip.
    static void ShowPicture(CIconButton& button, int picture, BYTE key, int out,
                            const char* tooltip);

protected:
    // Reads the picture at `path` into the preview and marks the preview for repainting without
    // erasing; false, with the preview as it was, when it cannot be read.
    bool ReloadPreview(const std::string& path);

    void OnPaint();
    DECLARE_MESSAGE_MAP()

protected:
    zel::dialogs::DialogPictures m_pictures;

private:
    RECT m_preview;
};
