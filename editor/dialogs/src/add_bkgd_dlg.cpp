#include "zel/dialogs/add_bkgd_dlg.h"

#include "editing_templates.h"

#include <zel/composition.h>

using namespace zel::dialogs;

BEGIN_MESSAGE_MAP(dlgAddBkgd, CComposeDialog)
ON_BN_CLICKED(IDC_MOUNTAINS, OnMountains)
ON_BN_CLICKED(IDC_MOUNTAINS_PREVIOUS, OnMountainsPrevious)
ON_BN_CLICKED(IDC_MOUNTAINS_NEXT, OnMountainsNext)
ON_BN_CLICKED(IDC_LANDMARKS, OnLandmarks)
ON_BN_CLICKED(IDC_LANDMARKS_PREVIOUS, OnLandmarksPrevious)
ON_BN_CLICKED(IDC_LANDMARKS_NEXT, OnLandmarksNext)
ON_BN_CLICKED(IDC_SPECIALS, OnSpecials)
ON_BN_CLICKED(IDC_SPECIALS_PREVIOUS, OnSpecialsPrevious)
ON_BN_CLICKED(IDC_SPECIALS_NEXT, OnSpecialsNext)
ON_BN_CLICKED(IDC_BEACHES, OnBeaches)
ON_BN_CLICKED(IDC_BEACHES_PREVIOUS, OnBeachesPrevious)
ON_BN_CLICKED(IDC_BEACHES_NEXT, OnBeachesNext)
ON_BN_CLICKED(IDC_OTHERS, OnOthers)
ON_BN_CLICKED(IDC_OTHERS_PREVIOUS, OnOthersPrevious)
ON_BN_CLICKED(IDC_OTHERS_NEXT, OnOthersNext)
END_MESSAGE_MAP()

dlgAddBkgd::dlgAddBkgd(CWnd* parent) : CComposeDialog(IDD, parent) {
    static const bool registered = (zel::dialogs::register_add_bkgd_template(), true);
    (void)registered;
}

dlgAddBkgd::~dlgAddBkgd() = default;

void dlgAddBkgd::DoDataExchange(CDataExchange* dx) {
    CComposeDialog::DoDataExchange(dx);
    const UINT categories[] = {IDC_MOUNTAINS, IDC_LANDMARKS, IDC_SPECIALS, IDC_BEACHES, IDC_OTHERS};
    const UINT previous[] = {IDC_MOUNTAINS_PREVIOUS, IDC_LANDMARKS_PREVIOUS, IDC_SPECIALS_PREVIOUS,
                             IDC_BEACHES_PREVIOUS, IDC_OTHERS_PREVIOUS};
    const UINT next[] = {IDC_MOUNTAINS_NEXT, IDC_LANDMARKS_NEXT, IDC_SPECIALS_NEXT,
                         IDC_BEACHES_NEXT, IDC_OTHERS_NEXT};
    for (int i = 0; i < kCategories; ++i) {
        DDX_Control(dx, int(categories[i]), m_categories[i]);
        DDX_Control(dx, int(previous[i]), m_previous[i]);
        DDX_Control(dx, int(next[i]), m_next[i]);
    }
}

BOOL dlgAddBkgd::OnInitDialog() {
    CComposeDialog::OnInitDialog();
    SetBitmap(IDB_ADD_BKGD_SKIN, kNoTransparentColor);
    // No speed buttons here: every step is made twice.
    m_fast = 1;
    OpenComposition();

    ShowCommonButtons();
    for (int i = 0; i < kCategories; ++i) {
        ShowArrow(m_previous[i], false);
        ShowArrow(m_next[i], true);
    }
    ShowCategory(kMountains);
    m_stepLayer = m_otherAdded != 0 ? 53 : 50;
    FinishOpening();
    return TRUE;
}

// A first run composes the head (and the body, when one was added) without a reset.
void dlgAddBkgd::ComposeFirst() {
    zel2_compose_save(0, m_otherAdded, m_composedPath.c_str());
}

void dlgAddBkgd::OnBackgroundDrawn(CDC* offscreen) {
    CaptureCommonBackgrounds(offscreen);
    for (int i = 0; i < kCategories; ++i) {
        m_previous[i].CaptureBackground(offscreen);
        m_next[i].CaptureBackground(offscreen);
    }
}

void dlgAddBkgd::ShowCategory(int category) {
    m_category = category;
    for (int i = 0; i < kCategories; ++i) {
        m_categories[i].SetIconsWithSize(IDI_GROUP_CHOSEN, 16, 16,
                                         i + 1 == category ? IDI_GROUP_CHOSEN : IDI_GROUP, 16, 16);
        m_categories[i].SetShade(CShadeButton::kSoftBump, 8, 10, 0, 0);
    }
}

void dlgAddBkgd::Select(int category, int forward) {
    ShowCategory(category);
    // A step that failed chose nothing: the arrows keep waiting for a background.
    if (zel2_select_bkgd_save(m_otherAdded, category, m_composedPath.c_str(), forward) != 0) {
        m_nothingChosen = 0;
    }
    Reload();
}

void dlgAddBkgd::Move(int direction) {
    if (WaitingForChoice()) {
        return;
    }
    zel2_move_save(2, m_stepLayer, direction, m_composedPath.c_str(), m_fast);
    Reload();
}

void dlgAddBkgd::OnMountains() {
    ShowCategory(kMountains);
}
void dlgAddBkgd::OnMountainsPrevious() {
    Select(kMountains, 0);
}
void dlgAddBkgd::OnMountainsNext() {
    Select(kMountains, 1);
}
void dlgAddBkgd::OnLandmarks() {
    ShowCategory(kLandmarks);
}
void dlgAddBkgd::OnLandmarksPrevious() {
    Select(kLandmarks, 0);
}
void dlgAddBkgd::OnLandmarksNext() {
    Select(kLandmarks, 1);
}
void dlgAddBkgd::OnSpecials() {
    ShowCategory(kSpecials);
}
void dlgAddBkgd::OnSpecialsPrevious() {
    Select(kSpecials, 0);
}
void dlgAddBkgd::OnSpecialsNext() {
    Select(kSpecials, 1);
}
void dlgAddBkgd::OnBeaches() {
    ShowCategory(kBeaches);
}
void dlgAddBkgd::OnBeachesPrevious() {
    Select(kBeaches, 0);
}
void dlgAddBkgd::OnBeachesNext() {
    Select(kBeaches, 1);
}
void dlgAddBkgd::OnOthers() {
    ShowCategory(kOthers);
}
void dlgAddBkgd::OnOthersPrevious() {
    Select(kOthers, 0);
}
void dlgAddBkgd::OnOthersNext() {
    Select(kOthers, 1);
}
