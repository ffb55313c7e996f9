#pragma once
// Make Face: the user swaps the face's brows, eyes, nose and mouth for other part drawings by
// stepping through fixed lists of variants, puts on glasses, changes the expression and chooses
// the gender whose drawings are used. Each step asks the face engine to redraw the face into the
// head work file, which the preview then shows again. Cancel puts the face back as it was when
// the dialog opened.

#include "zel/dialogs/face_dialog.h"

#include <array>

class dlgSelect : public CFaceDialog {
public:
    enum : UINT {
        IDD = 285,
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
        IDC_MAN = 1170,
        IDC_WOMAN = 1171,
        IDC_CHILD = 1172,
    };
    // The variant lists, in the order the group rows show them.
    enum Table { kBrows, kEyes, kNose, kMouth, kGlasses, kExpression, kTables };

    explicit dlgSelect(CWnd* parent = nullptr);
    ~dlgSelect() override;

    int Group() const { return m_group; }
    int Action() const { return m_action; }
    int Variant() const { return m_variant; }
    int Gender() const { return m_gender; }
    // The program-wide position in `table` (0 at program start, kept between openings).
    static int Position(Table table);
    // Puts every position back to program start (for a test that needs a fresh program).
    static void ResetPositions();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnBackgroundDrawn(CDC* offscreen) override;

    void OnBrows();
    void OnEyes();
    void OnNose();
    void OnMouth();
    void OnGlasses();
    void OnExpression();
    void OnBrowPrevious();
    void OnBrowNext();
    void OnEyePrevious();
    void OnEyeNext();
    void OnNosePrevious();
    void OnNoseNext();
    void OnMouthPrevious();
    void OnMouthNext();
    void OnGlassesPrevious();
    void OnGlassesNext();
    void OnExpressionPrevious();
    void OnExpressionNext();
    void OnMan();
    void OnWoman();
    void OnChild();
    DECLARE_MESSAGE_MAP()

private:
    void ShowGroup(int group);
    void ShowGender(int gender);
    void PartStep(Table table, bool next);
    void GlassesStep(bool next);
    void ExpressionStep(bool next);
    static int Step(Table table, bool next);
    void Reload();

    int m_group = -1;
    int m_action = -1;
    int m_variant = -1;
    int m_gender = 0;

    CIconButton m_done, m_cancel;
    std::array<CShadeButton, 5> m_groups; // brows, eyes, nose, mouth, glasses
    CShadeButton m_expression;
    std::array<CIconButton, kTables> m_previous, m_next;
    CIconButton m_man, m_woman, m_child;
};
