#pragma once
// What Make Face and the advanced edit dialog share: the group buttons and the lists of part
// variants, glasses and expressions they step through with their previous and next buttons,
// each kind of dialog with its own program-wide positions in the lists.

#include "zel/dialogs/face_dialog.h"

#include <array>

class CVariantDialog : public CFaceDialog {
public:
    // The group buttons and the lists' arrows, the same in every dialog of this kind.
    enum : UINT {
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
    };

    int Group() const { return m_group; }
    int Action() const { return m_action; }
    int Variant() const { return m_variant; }
    int Gender() const { return m_gender; }

protected:
    // `positions`: the positions in the six lists that every dialog of this kind shares.
    CVariantDialog(UINT templateId, CWnd* parent, std::array<int, 6>& positions);

    void DoDataExchange(CDataExchange* dx) override;
    // The group buttons, the expression's picture and the arrows, with the brows' group shown.
    void ShowVariantButtons();
    void ShowGroup(int group);
    // A step through the list `table` of brows, eyes, nose or mouth, in template set m_gender.
    void PartStep(int table, bool next);
    void ExpressionStep(bool next);
    // Each dialog puts on glasses its own way.
    virtual void GlassesStep(bool next) = 0;
    // The next or previous value of list `table`.
    int StepList(int table, bool next);

    void OnGroupButton(UINT id);
    void OnExpression();
    void OnVariantArrow(UINT id);
    DECLARE_MESSAGE_MAP()

protected:
    int m_group = -1;
    int m_action = -1;
    int m_variant = -1;
    int m_gender = 0;

    std::array<CShadeButton, 5> m_groups; // brows, eyes, nose, mouth, glasses
    CShadeButton m_expression;
    std::array<CIconButton, 6> m_previous, m_next;

private:
    std::array<int, 6>& m_positions;
};
