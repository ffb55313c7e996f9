#pragma once
// The part variants that Make Face and the advanced edit dialog step through: the six lists
// with their values, stepping a list's position, the engine calls that change a part to a
// variant, and the group buttons and arrows that go with the lists.

#include "zel/controls/shade_button.h"
#include "zel/dialogs/editing_ids.h"

#include <array>
#include <string>

namespace zel::dialogs {

// The lists, in the order the group rows show them.
enum VariantTable : int {
    kBrowVariants,
    kEyeVariants,
    kNoseVariants,
    kMouthVariants,
    kGlassesVariants,
    kExpressionVariants,
    kVariantTables
};
// Group codes: the part a group stands for in the face engine.
constexpr int kBrowGroup = 2, kEyeGroup = 4, kNoseGroup = 6, kMouthGroup = 7, kGlassesGroup = 20;

// The buttons of the lists (the same in every dialog that steps them), in list order.
constexpr UINT kGroupButtons[5] = {VariantDialogIds::IDC_BROWS, VariantDialogIds::IDC_EYES,
                                   VariantDialogIds::IDC_NOSE, VariantDialogIds::IDC_MOUTH,
                                   VariantDialogIds::IDC_GLASSES};
constexpr UINT kPreviousButtons[kVariantTables] = {
    VariantDialogIds::IDC_BROW_PREVIOUS,    VariantDialogIds::IDC_EYE_PREVIOUS,
    VariantDialogIds::IDC_NOSE_PREVIOUS,    VariantDialogIds::IDC_MOUTH_PREVIOUS,
    VariantDialogIds::IDC_GLASSES_PREVIOUS, VariantDialogIds::IDC_EXPRESSION_PREVIOUS};
constexpr UINT kNextButtons[kVariantTables] = {
    VariantDialogIds::IDC_BROW_NEXT,    VariantDialogIds::IDC_EYE_NEXT,
    VariantDialogIds::IDC_NOSE_NEXT,    VariantDialogIds::IDC_MOUTH_NEXT,
    VariantDialogIds::IDC_GLASSES_NEXT, VariantDialogIds::IDC_EXPRESSION_NEXT};
constexpr UINT kExpressionButton = VariantDialogIds::IDC_EXPRESSION;
constexpr UINT kFirstVariantButton = VariantDialogIds::IDC_BROW_PREVIOUS,
               kLastVariantButton = VariantDialogIds::IDC_EXPRESSION_NEXT;

// One position per list; each kind of dialog keeps its own for the whole program.
using VariantPositions = std::array<int, kVariantTables>;

/// Moves the position of `table` to the next entry (after the last: the first) or the previous
/// one (before the first: the last) and returns that entry's value.
int step_variant(VariantPositions& positions, int table, bool next);
/// The group code of list `table` (brows to glasses).
int variant_group(int table);
/// Changes the part of list `table` (brows to mouth; both parts of a pair) to the variant
/// `value` drawn in template set `gender`, and writes the head picture to `headPath`.
void change_part_variant(int table, int value, int gender, const std::string& headPath);

/// The group a group button stands for; -1 for another button.
int group_of_button(UINT id);
/// The list and direction of a previous or next button; false for another button.
bool variant_arrow(UINT id, int& table, bool& next);

/// Subclasses the group buttons and the previous and next buttons of the lists.
void exchange_variant_buttons(CDataExchange* dx, std::array<CShadeButton, 5>& groups,
                              std::array<CIconButton, kVariantTables>& previous,
                              std::array<CIconButton, kVariantTables>& next);
/// The group buttons (brows, eyes, nose, mouth, glasses) with `group` chosen: its button shows
/// the filled bullet in both states, the others the open one until pressed; all shaded.
void show_group_buttons(std::array<CShadeButton, 5>& groups, int group);
/// The previous and next buttons of the lists: arrows with their tooltips, the expression's
/// with its own pictures.
void show_variant_arrows(std::array<CIconButton, kVariantTables>& previous,
                         std::array<CIconButton, kVariantTables>& next);

} // namespace zel::dialogs
