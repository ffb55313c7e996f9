#include "zel/dialogs/add_bkgd_dlg.h"

#include "editing_templates.h"
#include "zel/dialogs/compose_paths.h"

#include <zel/composition.h>

namespace {

constexpr COLORREF kKey(BYTE red) {
    return RGB(red, 0, 0);
}

} // namespace

BEGIN_MESSAGE_MAP(dlgAddBkgd, CSkinDialog)
ON_WM_PAINT()
ON_BN_CLICKED(IDC_DONE, OnDone)
ON_BN_CLICKED(IDC_CANCEL, OnCancelButton)
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
ON_BN_CLICKED(IDC_MOVE_UP, OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_DOWN, OnMoveDown)
ON_BN_CLICKED(IDC_MOVE_LEFT, OnMoveLeft)
ON_BN_CLICKED(IDC_MOVE_RIGHT, OnMoveRight)
END_MESSAGE_MAP()

dlgAddBkgd::dlgAddBkgd(CWnd* parent) : CSkinDialog(IDD, parent) {
    static const bool registered = (zel::dialogs::register_add_bkgd_template(), true);
    (void)registered;
}

dlgAddBkgd::~dlgAddBkgd() = default;

CRect dlgAddBkgd::PreviewRect() const {
    return zel::dialogs::dialog_rect(*this, kPreview.left, kPreview.top, kPreview.right,
                                     kPreview.bottom);
}

std::string dlgAddBkgd::BackupPath() const {
    return zel::dialogs::composed_backup_path(m_composedPath);
}

void dlgAddBkgd::DoDataExchange(CDataExchange* dx) {
    CSkinDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DONE, m_done);
    DDX_Control(dx, IDC_CANCEL, m_cancel);
    DDX_Control(dx, IDC_MOVE_UP, m_moveUp);
    DDX_Control(dx, IDC_MOVE_DOWN, m_moveDown);
    DDX_Control(dx, IDC_MOVE_LEFT, m_moveLeft);
    DDX_Control(dx, IDC_MOVE_RIGHT, m_moveRight);
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
    CSkinDialog::OnInitDialog();
    SetBitmap(WORD(387), kNoTransparentColor);
    m_nothingChosen = 1;
    // No speed buttons here: every step is made twice.
    m_fast = 1;
    m_backupPath = BackupPath();
    zel2_set_head(" ", m_headPath.c_str(), "bmp", m_faceKind);
    if (m_firstTime != 0) {
        zel2_compose_save(0, m_otherAdded, m_composedPath.c_str());
    }
    Reload();
    imagefile_copy(m_backupPath.c_str(), m_composedPath.c_str());
    m_changed = 0;

    struct Setup {
        CShadeButton* button;
        int picture;
        BYTE key;
        const char* tooltip;
    };
    const Setup pictures[] = {
        {&m_done, 312, 40, "Done"},          {&m_cancel, 313, 40, "Cancel"},
        {&m_moveUp, 318, 32, "Move Up"},     {&m_moveDown, 314, 32, "Move Down"},
        {&m_moveLeft, 316, 32, "Move Left"}, {&m_moveRight, 317, 32, "Move Right"},
    };
    for (const Setup& s : pictures) {
        if (s.button == &m_moveUp || s.button == &m_moveDown) {
            s.button->ShiftColor(0, 30, TRUE);
        }
        s.button->SetStateBitmaps(s.picture, kKey(s.key), s.key, 0);
        s.button->SetTooltip(s.tooltip, TRUE);
        s.button->SetTransparent(FALSE);
    }
    for (int i = 0; i < kCategories; ++i) {
        for (CShadeButton* arrow : {&m_previous[i], &m_next[i]}) {
            const bool next = arrow == &m_next[i];
            arrow->ShiftColor(0, 30, TRUE);
            arrow->SetIcons(next ? 315 : 281, 0);
            arrow->SetTooltip(next ? "Next" : "Previous", TRUE);
            arrow->SetTransparent(FALSE);
        }
    }
    ShowCategory(kMountains);
    m_stepLayer = m_otherAdded != 0 ? 53 : 50;

    zel2_save4undone();
    Invalidate();
    return TRUE;
}

void dlgAddBkgd::OnBackgroundDrawn(CDC* offscreen) {
    for (CShadeButton* button :
         {&m_done, &m_cancel, &m_moveUp, &m_moveDown, &m_moveLeft, &m_moveRight}) {
        button->CaptureBackground(offscreen);
    }
    for (int i = 0; i < kCategories; ++i) {
        m_previous[i].CaptureBackground(offscreen);
        m_next[i].CaptureBackground(offscreen);
    }
}

void dlgAddBkgd::OnPaint() {
    CPaintDC dc(this);
    m_pictures.Paint(dc, PreviewRect());
}

void dlgAddBkgd::ShowCategory(int category) {
    m_category = category;
    for (int i = 0; i < kCategories; ++i) {
        m_categories[i].SetIconsWithSize(282, 16, 16, i + 1 == category ? 282 : 283, 16, 16);
        m_categories[i].SetShade(CShadeButton::kSoftBump, 8, 10, 0, 0);
    }
}

void dlgAddBkgd::Select(int category, int forward) {
    ShowCategory(category);
    zel2_select_bkgd_save(m_otherAdded, category, m_composedPath.c_str(), forward);
    m_nothingChosen = 0;
    Reload();
}

// After a reset there is no background to move in front of until one is chosen.
void dlgAddBkgd::Move(int direction) {
    if (m_nothingChosen != 0 && m_firstTime != 0) {
        return;
    }
    zel2_move_save(2, m_stepLayer, direction, m_composedPath.c_str(), m_fast);
    Reload();
}

void dlgAddBkgd::Reload() {
    if (!m_pictures.Load(m_composedPath)) {
        MessageBox("Could not load changed image!", "In InitImage() of dlgAddBody",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const CRect preview = PreviewRect();
    InvalidateRect(&preview, FALSE);
    m_changed = 1;
}

void dlgAddBkgd::OnDone() {
    EndDialog(1);
}

void dlgAddBkgd::OnCancelButton() {
    m_changed = 0;
    zel2_call4undone();
    imagefile_copy(m_composedPath.c_str(), m_backupPath.c_str());
    EndDialog(1);
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
void dlgAddBkgd::OnMoveUp() {
    Move(1);
}
void dlgAddBkgd::OnMoveDown() {
    Move(2);
}
void dlgAddBkgd::OnMoveLeft() {
    Move(3);
}
void dlgAddBkgd::OnMoveRight() {
    Move(4);
}
