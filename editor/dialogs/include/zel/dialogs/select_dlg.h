#pragma once
// Make Face: the user swaps the face's brows, eyes, nose and mouth for other part drawings by
// stepping through fixed lists of variants, puts on glasses, changes the expression and chooses
// the gender whose drawings are used. Each step asks the face engine to redraw the face into the
// head work file, which the preview then shows again. Cancel puts the face back as it was when
// the dialog opened.

#include "zel/dialogs/variant_dialog.h"

class dlgSelect : public CVariantDialog, public zel::dialogs::MakeFaceIds {
public:
    // The variant lists, in the order the group rows show them.
    enum Table { kBrows, kEyes, kNose, kMouth, kGlasses, kExpression, kTables };

    explicit dlgSelect(CWnd* parent = nullptr);
    ~dlgSelect() override;

    // The program-wide position in `table` (0 at program start, kept between openings).
    static int Position(Table table);
    // Puts every position back to program start (for a test that needs a fresh program).
    static void ResetPositions();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnBackgroundDrawn(CDC* offscreen) override;

    void OnMan();
    void OnWoman();
    void OnChild();
    DECLARE_MESSAGE_MAP()

private:
    void ShowGender(int gender);
    void GlassesStep(bool next) override;

    CIconButton m_done, m_cancel;
    CIconButton m_man, m_woman, m_child;
};
