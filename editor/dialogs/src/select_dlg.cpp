#include "zel/dialogs/select_dlg.h"

#include "editing_templates.h"
#include "face_variants.h"
#include "failed_backup.h"

using namespace zel::dialogs;

namespace {

constexpr int kAddGlasses = 30;

// One position per list for the whole program: every opening continues where the last left.
VariantPositions g_positions = {};

static_assert(int(dlgSelect::kBrows) == kBrowVariants &&
                  int(dlgSelect::kExpression) == kExpressionVariants &&
                  int(dlgSelect::kTables) == kVariantTables,
              "Make Face's lists are the shared lists");

} // namespace

BEGIN_MESSAGE_MAP(dlgSelect, CVariantDialog)
ON_BN_CLICKED(IDC_MAN, OnMan)
ON_BN_CLICKED(IDC_WOMAN, OnWoman)
ON_BN_CLICKED(IDC_CHILD, OnChild)
END_MESSAGE_MAP()

dlgSelect::dlgSelect(CWnd* parent) : CVariantDialog(IDD, parent, g_positions) {
    static const bool registered = (zel::dialogs::register_make_face_template(), true);
    (void)registered;
}

dlgSelect::~dlgSelect() = default;

int dlgSelect::Position(Table table) {
    return g_positions[table];
}

void dlgSelect::ResetPositions() {
    g_positions = {};
}

void dlgSelect::DoDataExchange(CDataExchange* dx) {
    CVariantDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DONE, m_done);
    DDX_Control(dx, IDC_CANCEL, m_cancel);
    DDX_Control(dx, IDC_MAN, m_man);
    DDX_Control(dx, IDC_WOMAN, m_woman);
    DDX_Control(dx, IDC_CHILD, m_child);
}

BOOL dlgSelect::OnInitDialog() {
    CVariantDialog::OnInitDialog();
    SetBitmap(IDB_MAKE_FACE_SKIN, kNoTransparentColor);
    m_group = m_action = m_variant = -1;

    // The picture the dialog opens with is Cancel's backup.
    if (!BackUpHead()) {
        report_failed_backup(*this, m_backupPath, "face");
    }
    TakeSnapshot();
    m_gender = m_snapshot.nSex;
    if (m_gender >= 1 && m_gender <= 3) {
        ShowGender(m_gender);
    }
    m_changed = 0;

    ShowPicture(m_done, IDB_DONE, 40, 40, "Done");
    ShowPicture(m_cancel, IDB_CANCEL, 40, 40, "Cancel");
    ShowVariantButtons();
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

void dlgSelect::ShowGender(int gender) {
    m_gender = gender;
    // Only the pressed button gets its tooltip.
    ShowPicture(m_man, gender == 1 ? IDB_MAN_CHOSEN : IDB_MAN, 50, 40,
                gender == 1 ? "Man" : nullptr);
    ShowPicture(m_woman, gender == 2 ? IDB_WOMAN_CHOSEN : IDB_WOMAN, 50, 40,
                gender == 2 ? "Woman" : nullptr);
    ShowPicture(m_child, gender == 3 ? IDB_CHILD_CHOSEN : IDB_CHILD, 40, 40,
                gender == 3 ? "Child" : nullptr);
    for (CIconButton* button : {&m_man, &m_woman, &m_child}) {
        button->SetTransparent(FALSE);
    }
}

void dlgSelect::GlassesStep(bool next) {
    ShowGroup(kGlassesGroup);
    m_action = kAddGlasses;
    m_variant = StepList(kGlasses, next);
    face_glasses_save(m_variant, m_headPath.c_str());
    ReloadAfterStep();
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
