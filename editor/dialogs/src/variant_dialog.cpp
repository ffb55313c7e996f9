#include "zel/dialogs/variant_dialog.h"

#include "face_variants.h"

using namespace zel::dialogs;

namespace {
constexpr int kExpressionAction = 35;
static_assert(kVariantTables == 6, "six lists");
} // namespace

BEGIN_MESSAGE_MAP(CVariantDialog, CFaceDialog)
ON_COMMAND_RANGE(kGroupButtons[0], kGroupButtons[0], OnGroupButton)
ON_COMMAND_RANGE(kGroupButtons[1], kGroupButtons[1], OnGroupButton)
ON_COMMAND_RANGE(kGroupButtons[2], kGroupButtons[2], OnGroupButton)
ON_COMMAND_RANGE(kGroupButtons[3], kGroupButtons[3], OnGroupButton)
ON_COMMAND_RANGE(kGroupButtons[4], kGroupButtons[4], OnGroupButton)
ON_BN_CLICKED(kExpressionButton, OnExpression)
// Every other button from the first list's previous to the last list's next steps a list.
ON_COMMAND_RANGE(kFirstVariantButton, kLastVariantButton, OnVariantArrow)
END_MESSAGE_MAP()

CVariantDialog::CVariantDialog(UINT templateId, CWnd* parent, std::array<int, 6>& positions)
    : CFaceDialog(templateId, parent), m_positions(positions) {}

void CVariantDialog::DoDataExchange(CDataExchange* dx) {
    CFaceDialog::DoDataExchange(dx);
    exchange_variant_buttons(dx, m_groups, m_previous, m_next);
    DDX_Control(dx, int(kExpressionButton), m_expression);
}

void CVariantDialog::ShowVariantButtons() {
    ShowPicture(m_expression, IDB_EXPRESSION, 120, 30, "Expression");
    show_variant_arrows(m_previous, m_next);
    ShowGroup(kBrowGroup);
}

void CVariantDialog::ShowGroup(int group) {
    m_group = group;
    show_group_buttons(m_groups, group);
}

int CVariantDialog::StepList(int table, bool next) {
    return step_variant(m_positions, table, next);
}

void CVariantDialog::PartStep(int table, bool next) {
    ShowGroup(variant_group(table));
    change_part_variant(table, StepList(table, next), m_gender, m_headPath);
    ReloadAfterStep();
}

void CVariantDialog::ExpressionStep(bool next) {
    m_action = kExpressionAction;
    m_variant = StepList(kExpressionVariants, next);
    face_expression_save(m_variant, m_headPath.c_str());
    ReloadAfterStep();
}

void CVariantDialog::OnGroupButton(UINT id) {
    ShowGroup(group_of_button(id));
}

// The expression's button only shows what its arrows step through.
void CVariantDialog::OnExpression() {}

void CVariantDialog::OnVariantArrow(UINT id) {
    int table = 0;
    bool next = false;
    if (!variant_arrow(id, table, next)) {
        return;
    }
    if (table == kGlassesVariants) {
        GlassesStep(next);
    } else if (table == kExpressionVariants) {
        ExpressionStep(next);
    } else {
        PartStep(table, next);
    }
}
