#pragma once
// What Make Face and the advanced edit dialog share: the group buttons and the lists of part
// variants, glasses and expressions they step through with their previous and next buttons,
// each kind of dialog with its own program-wide positions in the lists.

#include "zel/dialogs/face_dialog.h"

#include <array>

class CVariantDialog : public CFaceDialog, public zel::dialogs::VariantDialogIds {
public:
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
