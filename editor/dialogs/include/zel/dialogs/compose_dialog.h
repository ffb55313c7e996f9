#pragma once
// What Add Body and Add Background share: the inputs the view hands them, the composed work
// file that every action of the composition library rewrites and the preview reloads, its
// backup, the layer records saved for undo when the dialog opens, Done and Cancel, and the four
// move buttons. Cancel puts the layer records and the composed file back as they were when the
// dialog opened; the composed file only when it could be backed up then.

#include "zel/dialogs/preview_dialog.h"

#include <string>

class CComposeDialog : public CPreviewDialog, public zel::dialogs::ComposeDialogIds {
public:
    // The preview of both dialogs, in dialog units.
    static constexpr RECT kPreview{23, 26, 179, 220};

    CComposeDialog(UINT templateId, CWnd* parent);

    // Set by the view before each run.
    int m_faceKind = 1; // 1 man, 2 woman, 3 child
    std::string m_headPath;
    std::string m_composedPath;
    int m_firstTime = 1;  // the head changed since the last run that was kept
    int m_otherAdded = 0; // Add Body: a background was added; Add Background: a body
    // 1 once the preview was reloaded after an action (Cancel clears it); read by the view.
    int m_changed = 0;

    // The composed path with its extension replaced by "_tmp.bmp".
    std::string BackupPath() const;
    int NothingChosen() const { return m_nothingChosen; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // The opening's common steps: the head given to the composer, the first composition of a
    // first run (`ComposeFirst`), the preview, the backup; changed 0.
    void OpenComposition();
    virtual void ComposeFirst() = 0;
    // The layer records saved for Cancel; the whole dialog repainted.
    void FinishOpening();
    // After a reset nothing is on the canvas to act on until the library gives a first choice.
    bool WaitingForChoice() const { return m_nothingChosen != 0 && m_firstTime != 0; }
    // Reads the composed file into the preview; changed = 1, or a message when it is unreadable.
    void Reload();

    // Button set-up as both dialogs make it: a picture in both states with its tooltip, drawn
    // over the captured background (Move Up and Move Down lighten their pressed colour first);
    // a previous or next arrow icon.
    static void ShowPictureButton(CShadeButton& button, int picture, BYTE key, const char* tooltip,
                                  bool lighten = false);
    static void ShowArrow(CShadeButton& button, bool next);
    // Done, Cancel and the move buttons set up, and their backgrounds captured.
    void ShowCommonButtons();
    void CaptureCommonBackgrounds(CDC* offscreen);
    // A move button pressed: 1 up, 2 down, 3 left, 4 right.
    virtual void Move(int direction) = 0;

    void OnDone();
    // The Cancel button, Escape and the close box all end here, so none of them keeps a
    // change half-way.
    void OnCancel() override;
    void OnMoveUp() { Move(1); }
    void OnMoveDown() { Move(2); }
    void OnMoveLeft() { Move(3); }
    void OnMoveRight() { Move(4); }
    DECLARE_MESSAGE_MAP()

protected:
    int m_nothingChosen = 1;
    std::string m_backupPath;
    // The opening's composed file was copied whole to the backup, so Cancel may put it back.
    bool m_backedUp = false;
    CShadeButton m_done, m_cancel, m_moveUp, m_moveDown, m_moveLeft, m_moveRight;
};
