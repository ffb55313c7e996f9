#pragma once
// The part-edit dialog: a plain form of the part-by-part face editor. The user picks a part, an
// action and a direction or value with radio buttons and applies them through the face engine,
// which redraws the face into the head work file; the preview then shows it again. Cancel puts
// the face back as it was when the dialog opened. Nothing in the program opens it.

#include "zel/dialogs/dialog_pictures.h"
#include "zel/dialogs/small_dialog_ids.h"

#include <zel/face_engine.h>

#include <string>

class CPartEditDlg : public CDialog, public zel::dialogs::PartEditIds {
public:
    // Actions.
    enum { kMove = 1, kScale = 3, kColour = 4, kGlassesType = 30, kDisplay = 31 };
    // The preview, in dialog units, and the pad byte of its screen copy.
    static constexpr RECT kPreview{13, 8, 159, 194};
    static constexpr unsigned char kPad = 128;
    static constexpr const char* kPromptCaption = "You must make a selection!";

    explicit CPartEditDlg(CWnd* parent = nullptr);

    // The head work file, set by whoever opens the dialog.
    std::string m_headPath;
    // Cancel's backup "zd_tmp.bmp" in the private work folder.
    std::string m_backupPath;

    int Part() const { return m_part; }
    int Action() const { return m_action; }
    int Value() const { return m_value; }
    _pixel Colour() const { return m_colour; }
    CRect PreviewRect() const;
    const zel::dialogs::DialogPictures& Pictures() const { return m_pictures; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnPaint();
    void OnPart(UINT id);
    void OnAction(UINT id);
    void OnValue(UINT id);
    void OnChooseColour();
    void OnApply();
    void OnDone();
    // The Cancel button, Escape and the close box all end here.
    void OnCancel() override;
    DECLARE_MESSAGE_MAP()

private:
    // The prompt for a selection that makes no action, or null.
    const char* Refusal() const;
    void Prompt(const char* text);

    int m_part = -1;
    int m_action = -1;
    int m_value = -1;
    _pixel m_colour{0, 0, 255, 0};
    // The colour the colour dialog starts with: the one chosen last.
    COLORREF m_chosenColour = 0;
    // The radio groups' values; nothing reads them.
    int m_radios[14];
    _zel_face m_snapshot{};
    zel::dialogs::DialogPictures m_pictures{kPad};
    // This opening's head picture was written to the backup, so Cancel may put it back.
    bool m_backedUp = false;
};
