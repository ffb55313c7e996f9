#include "face_variants.h"

#include "zel/dialogs/preview_dialog.h"

#include <zel/face_engine.h>

#include <cstdio>

namespace zel::dialogs {

namespace {

// The lists: part codes for brows, eyes, nose and mouth, glasses styles and expression codes.
struct VariantList {
    int count;
    int values[27];
};
constexpr VariantList kVariants[kVariantTables] = {
    {3, {1, 2, 3}},
    {27, {111, 112, 113, 121, 122, 123, 131, 132, 133, 211, 212, 213, 221, 222,
          223, 231, 232, 233, 311, 312, 313, 321, 322, 323, 331, 332, 333}},
    {3, {1, 2, 3}},
    {9, {11, 12, 13, 21, 22, 23, 31, 32, 33}},
    {3, {40, 41, 42}},
    {4, {50, 51, 52, 53}},
};

// The group of each part list, its name format and the engine's part ids (the one changed
// first, then the one whose change writes the head picture; -1 for a single part).
struct PartGroup {
    int group;
    const char* format;
    int first;
    int last;
};
constexpr PartGroup kPartGroups[] = {
    {kBrowGroup, "BROW%1d", 3, 2},    {kEyeGroup, "EYE%3d", 5, 4},
    {kNoseGroup, "NOSE%1d", -1, 6},   {kMouthGroup, "MOUTH%2d", -1, 7},
    {kGlassesGroup, nullptr, -1, -1},
};

} // namespace

int step_variant(VariantPositions& positions, int table, bool next) {
    int& position = positions[std::size_t(table)];
    const int count = kVariants[table].count;
    position = next ? (position + 1 >= count ? 0 : position + 1)
                    : (position - 1 < 0 ? count - 1 : position - 1);
    return kVariants[table].values[position];
}

int variant_group(int table) {
    return kPartGroups[table].group;
}

void change_part_variant(int table, int value, int gender, const std::string& headPath) {
    const PartGroup& part = kPartGroups[table];
    char name[24];
    std::snprintf(name, sizeof name, part.format, value);
    if (part.first >= 0) {
        face_gender(part.first, gender);
        face_change(part.first, name);
    }
    face_gender(part.last, gender);
    face_change_save(part.last, name, headPath.c_str());
}

int group_of_button(UINT id) {
    for (int i = 0; i < 5; ++i) {
        if (kGroupButtons[i] == id) {
            return kPartGroups[i].group;
        }
    }
    return -1;
}

bool variant_arrow(UINT id, int& table, bool& next) {
    for (int i = 0; i < kVariantTables; ++i) {
        if (kPreviousButtons[i] == id || kNextButtons[i] == id) {
            table = i;
            next = kNextButtons[i] == id;
            return true;
        }
    }
    return false;
}

void exchange_variant_buttons(CDataExchange* dx, std::array<CShadeButton, 5>& groups,
                              std::array<CIconButton, kVariantTables>& previous,
                              std::array<CIconButton, kVariantTables>& next) {
    for (std::size_t i = 0; i < groups.size(); ++i) {
        DDX_Control(dx, int(kGroupButtons[i]), groups[i]);
    }
    for (std::size_t i = 0; i < previous.size(); ++i) {
        DDX_Control(dx, int(kPreviousButtons[i]), previous[i]);
        DDX_Control(dx, int(kNextButtons[i]), next[i]);
    }
}

void show_group_buttons(std::array<CShadeButton, 5>& groups, int group) {
    for (std::size_t i = 0; i < groups.size(); ++i) {
        groups[i].SetIconsWithSize(IDI_GROUP_CHOSEN, 16, 16,
                                   kPartGroups[i].group == group ? IDI_GROUP_CHOSEN : IDI_GROUP, 16,
                                   16);
        groups[i].SetShade(CShadeButton::kSoftBump, 8, 10, 0, 0);
    }
}

void show_variant_arrows(std::array<CIconButton, kVariantTables>& previous,
                         std::array<CIconButton, kVariantTables>& next) {
    for (int i = 0; i < kExpressionVariants; ++i) {
        for (CIconButton* arrow : {&previous[std::size_t(i)], &next[std::size_t(i)]}) {
            const bool back = arrow == &previous[std::size_t(i)];
            arrow->ShiftColor(0, 30, TRUE);
            arrow->SetIcons(back ? IDI_PREVIOUS : IDI_NEXT, 0);
            arrow->SetTooltip(back ? "Previous" : "Next", TRUE);
        }
    }
    CPreviewDialog::ShowPicture(previous[kExpressionVariants], IDB_ARROW_LEFT, 32, 32, "Previous");
    CPreviewDialog::ShowPicture(next[kExpressionVariants], IDB_ARROW_RIGHT, 32, 32, "Next");
}

} // namespace zel::dialogs
