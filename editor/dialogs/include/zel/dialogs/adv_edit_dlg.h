#pragma once
// The advanced edit dialog: Make Face and Change Face in one window. The user steps the brows,
// eyes, nose, mouth, glasses and expression through their variants and moves, scales, colours,
// hides or shows the chosen group's part (both parts of a pair). Each step asks the face engine
// to redraw the face into the head work file, which the preview then shows again. Cancel puts
// the face back as it was when the dialog opened. Nothing in the program opens it.

#include "zel/dialogs/small_dialog_ids.h"
#include "zel/dialogs/variant_dialog.h"

#include <array>

class dlgAdvEdit : public CVariantDialog, public zel::dialogs::AdvEditIds {
public:
    // Actions.
    enum { kMove = 1, kScale = 3, kColour = 4, kAddGlasses = 30, kDisplay = 31 };
    // The caption of every prompt but the glasses'.
    static constexpr const char* kPromptCaption = "You must make a selection!";

    // The backup is Change Face's: "zelaedit.bmp" in the private work folder.
    explicit dlgAdvEdit(CWnd* parent = nullptr);
    ~dlgAdvEdit() override;

    int Parameter() const { return m_parameter; }
    _pixel Colour() const { return m_colour; }
    // The program-wide position in list `table` (brows, eyes, nose, mouth, glasses,
    // expression), the dialog's own: 0 at program start, kept between openings.
    static int Position(int table);
    static void ResetPositions();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnBackgroundDrawn(CDC* offscreen) override;

    // The action routine: `action` with `parameter` on the chosen group's part, after the
    // pair's other part. Selections that do not make an action are refused with a prompt.
    void Act(int action, int parameter);

    void OnActionButton(UINT id);
    void OnSecondMove(UINT id);
    void OnColor();
    DECLARE_MESSAGE_MAP()

protected:
    int m_parameter = -1;

private:
    void GlassesStep(bool next) override;
    // The prompt for a selection that makes no action, or null.
    const char* Refusal(int action, int parameter) const;
    void ShowGlassesStyle();

    _pixel m_colour{192, 0, 0, 0};

    CIconButton m_done, m_cancel;
    std::array<CIconButton, 8> m_moves; // up, down, left, right; then the second set
    CIconButton m_enlarge, m_reduce, m_display, m_hide, m_color;
};
