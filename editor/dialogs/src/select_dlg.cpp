#include "zel/dialogs/select_dlg.h"

#include "editing_templates.h"

#include <cstdio>

namespace {

constexpr int kBrowGroup = 2, kEyeGroup = 4, kNoseGroup = 6, kMouthGroup = 7, kGlassesGroup = 20;
constexpr int kAddGlasses = 30, kExpressionAction = 35;

// The variant lists: part codes for brows, eyes, nose and mouth, glasses styles and
// expression codes.
struct VariantTable {
    int count;
    int values[27];
};
constexpr VariantTable kVariants[dlgSelect::kTables] = {
    {3, {1, 2, 3}},
    {27, {111, 112, 113, 121, 122, 123, 131, 132, 133, 211, 212, 213, 221, 222,
          223, 231, 232, 233, 311, 312, 313, 321, 322, 323, 331, 332, 333}},
    {3, {1, 2, 3}},
    {9, {11, 12, 13, 21, 22, 23, 31, 32, 33}},
    {3, {40, 41, 42}},
    {4, {50, 51, 52, 53}},
};

// One position per list for the whole program: every opening continues where the last left.
int g_positions[dlgSelect::kTables] = {};

// The group each part list belongs to, its name format and the engine's part ids (the one
// changed first, then the one whose change writes the head picture; -1 for a single part).
struct PartGroup {
    int group;
    const char* format;
    int first;
    int last;
};
constexpr PartGroup kPartGroups[] = {
    {kBrowGroup, "BROW%1d", 3, 2},
    {kEyeGroup, "EYE%3d", 5, 4},
    {kNoseGroup, "NOSE%1d", -1, 6},
    {kMouthGroup, "MOUTH%2d", -1, 7},
};

} // namespace

BEGIN_MESSAGE_MAP(dlgSelect, CFaceDialog)
ON_BN_CLICKED(IDC_BROWS, OnBrows)
ON_BN_CLICKED(IDC_EYES, OnEyes)
ON_BN_CLICKED(IDC_NOSE, OnNose)
ON_BN_CLICKED(IDC_MOUTH, OnMouth)
ON_BN_CLICKED(IDC_GLASSES, OnGlasses)
ON_BN_CLICKED(IDC_EXPRESSION, OnExpression)
ON_BN_CLICKED(IDC_BROW_PREVIOUS, OnBrowPrevious)
ON_BN_CLICKED(IDC_BROW_NEXT, OnBrowNext)
ON_BN_CLICKED(IDC_EYE_PREVIOUS, OnEyePrevious)
ON_BN_CLICKED(IDC_EYE_NEXT, OnEyeNext)
ON_BN_CLICKED(IDC_NOSE_PREVIOUS, OnNosePrevious)
ON_BN_CLICKED(IDC_NOSE_NEXT, OnNoseNext)
ON_BN_CLICKED(IDC_MOUTH_PREVIOUS, OnMouthPrevious)
ON_BN_CLICKED(IDC_MOUTH_NEXT, OnMouthNext)
ON_BN_CLICKED(IDC_GLASSES_PREVIOUS, OnGlassesPrevious)
ON_BN_CLICKED(IDC_GLASSES_NEXT, OnGlassesNext)
ON_BN_CLICKED(IDC_EXPRESSION_PREVIOUS, OnExpressionPrevious)
ON_BN_CLICKED(IDC_EXPRESSION_NEXT, OnExpressionNext)
ON_BN_CLICKED(IDC_MAN, OnMan)
ON_BN_CLICKED(IDC_WOMAN, OnWoman)
ON_BN_CLICKED(IDC_CHILD, OnChild)
END_MESSAGE_MAP()

dlgSelect::dlgSelect(CWnd* parent) : CFaceDialog(IDD, parent) {
    static const bool registered = (zel::dialogs::register_make_face_template(), true);
    (void)registered;
}

dlgSelect::~dlgSelect() = default;

int dlgSelect::Position(Table table) {
    return g_positions[table];
}

void dlgSelect::ResetPositions() {
    for (int& position : g_positions) {
        position = 0;
    }
}

void dlgSelect::DoDataExchange(CDataExchange* dx) {
    CFaceDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DONE, m_done);
    DDX_Control(dx, IDC_CANCEL, m_cancel);
    const UINT groups[] = {IDC_BROWS, IDC_EYES, IDC_NOSE, IDC_MOUTH, IDC_GLASSES};
    for (std::size_t i = 0; i < m_groups.size(); ++i) {
        DDX_Control(dx, int(groups[i]), m_groups[i]);
    }
    DDX_Control(dx, IDC_EXPRESSION, m_expression);
    const UINT previous[] = {IDC_BROW_PREVIOUS,  IDC_EYE_PREVIOUS,     IDC_NOSE_PREVIOUS,
                             IDC_MOUTH_PREVIOUS, IDC_GLASSES_PREVIOUS, IDC_EXPRESSION_PREVIOUS};
    const UINT next[] = {IDC_BROW_NEXT,  IDC_EYE_NEXT,     IDC_NOSE_NEXT,
                         IDC_MOUTH_NEXT, IDC_GLASSES_NEXT, IDC_EXPRESSION_NEXT};
    for (int i = 0; i < kTables; ++i) {
        DDX_Control(dx, int(previous[i]), m_previous[i]);
        DDX_Control(dx, int(next[i]), m_next[i]);
    }
    DDX_Control(dx, IDC_MAN, m_man);
    DDX_Control(dx, IDC_WOMAN, m_woman);
    DDX_Control(dx, IDC_CHILD, m_child);
}

BOOL dlgSelect::OnInitDialog() {
    CFaceDialog::OnInitDialog();
    SetBitmap(WORD(343), kNoTransparentColor);
    m_group = m_action = m_variant = -1;

    // The picture the dialog opens with is Cancel's backup.
    BackUpHead();
    TakeSnapshot();
    m_gender = m_snapshot.nSex;
    if (m_gender >= 1 && m_gender <= 3) {
        ShowGender(m_gender);
    }
    m_changed = 0;

    ShowPicture(m_done, 312, 40, 40, "Done");
    ShowPicture(m_cancel, 313, 40, 40, "Cancel");
    ShowPicture(m_expression, 360, 120, 30, "Expression");
    for (int i = 0; i < kExpression; ++i) {
        for (CIconButton* arrow : {&m_previous[i], &m_next[i]}) {
            const bool previous = arrow == &m_previous[i];
            arrow->ShiftColor(0, 30, TRUE);
            arrow->SetIcons(previous ? 281 : 315, 0);
            arrow->SetTooltip(previous ? "Previous" : "Next", TRUE);
        }
    }
    ShowPicture(m_previous[kExpression], 316, 32, 32, "Previous");
    ShowPicture(m_next[kExpression], 317, 32, 32, "Next");
    ShowGroup(kBrowGroup);
    return TRUE;
}

void dlgSelect::OnBackgroundDrawn(CDC* offscreen) {
    m_done.CaptureBackground(offscreen);
    m_cancel.CaptureBackground(offscreen);
    for (CShadeButton& group : m_groups) {
        group.CaptureBackground(offscreen);
    }
    m_expression.CaptureBackground(offscreen);
    for (int i = 0; i < kTables; ++i) {
        m_previous[i].CaptureBackground(offscreen);
        m_next[i].CaptureBackground(offscreen);
    }
}

void dlgSelect::ShowGroup(int group) {
    m_group = group;
    const int ids[] = {kBrowGroup, kEyeGroup, kNoseGroup, kMouthGroup, kGlassesGroup};
    for (std::size_t i = 0; i < m_groups.size(); ++i) {
        m_groups[i].SetIconsWithSize(282, 16, 16, ids[i] == group ? 282 : 283, 16, 16);
        m_groups[i].SetShade(CShadeButton::kSoftBump, 8, 10, 0, 0);
    }
}

void dlgSelect::ShowGender(int gender) {
    m_gender = gender;
    // Only the pressed button gets its tooltip.
    ShowPicture(m_man, gender == 1 ? 308 : 300, 50, 40, gender == 1 ? "Man" : nullptr);
    ShowPicture(m_woman, gender == 2 ? 309 : 310, 50, 40, gender == 2 ? "Woman" : nullptr);
    ShowPicture(m_child, gender == 3 ? 306 : 307, 40, 40, gender == 3 ? "Child" : nullptr);
    for (CIconButton* button : {&m_man, &m_woman, &m_child}) {
        button->SetTransparent(FALSE);
    }
}

int dlgSelect::Step(Table table, bool next) {
    int& position = g_positions[table];
    const int count = kVariants[table].count;
    position = next ? (position + 1 >= count ? 0 : position + 1)
                    : (position - 1 < 0 ? count - 1 : position - 1);
    return kVariants[table].values[position];
}

void dlgSelect::PartStep(Table table, bool next) {
    const PartGroup& part = kPartGroups[table];
    ShowGroup(part.group);
    char name[24];
    std::snprintf(name, sizeof name, part.format, Step(table, next));
    if (part.first >= 0) {
        face_gender(part.first, m_gender);
        face_change(part.first, name);
    }
    face_gender(part.last, m_gender);
    face_change_save(part.last, name, m_headPath.c_str());
    Reload();
}

void dlgSelect::GlassesStep(bool next) {
    ShowGroup(kGlassesGroup);
    m_action = kAddGlasses;
    m_variant = Step(kGlasses, next);
    face_glasses_save(m_variant, m_headPath.c_str());
    Reload();
}

void dlgSelect::ExpressionStep(bool next) {
    m_action = kExpressionAction;
    m_variant = Step(kExpression, next);
    face_expression_save(m_variant, m_headPath.c_str());
    Reload();
}

// A head picture that cannot be read back leaves the previous one in the preview; the step
// still counts.
void dlgSelect::Reload() {
    if (!ReloadPreview(m_headPath)) {
        MessageBox("Could not load changed image!", "In InitImage() of dlgSelect",
                   MB_OK | MB_ICONEXCLAMATION);
    }
    m_changed = 1;
}

void dlgSelect::OnBrows() {
    ShowGroup(kBrowGroup);
}
void dlgSelect::OnEyes() {
    ShowGroup(kEyeGroup);
}
void dlgSelect::OnNose() {
    ShowGroup(kNoseGroup);
}
void dlgSelect::OnMouth() {
    ShowGroup(kMouthGroup);
}
void dlgSelect::OnGlasses() {
    ShowGroup(kGlassesGroup);
}
void dlgSelect::OnExpression() {}

void dlgSelect::OnBrowPrevious() {
    PartStep(kBrows, false);
}
void dlgSelect::OnBrowNext() {
    PartStep(kBrows, true);
}
void dlgSelect::OnEyePrevious() {
    PartStep(kEyes, false);
}
void dlgSelect::OnEyeNext() {
    PartStep(kEyes, true);
}
void dlgSelect::OnNosePrevious() {
    PartStep(kNose, false);
}
void dlgSelect::OnNoseNext() {
    PartStep(kNose, true);
}
void dlgSelect::OnMouthPrevious() {
    PartStep(kMouth, false);
}
void dlgSelect::OnMouthNext() {
    PartStep(kMouth, true);
}
void dlgSelect::OnGlassesPrevious() {
    GlassesStep(false);
}
void dlgSelect::OnGlassesNext() {
    GlassesStep(true);
}
void dlgSelect::OnExpressionPrevious() {
    ExpressionStep(false);
}
void dlgSelect::OnExpressionNext() {
    ExpressionStep(true);
}

void dlgSelect::OnMan() {
    ShowGender(1);
}
void dlgSelect::OnWoman() {
    ShowGender(2);
}
void dlgSelect::OnChild() {
    ShowGender(3);
}
