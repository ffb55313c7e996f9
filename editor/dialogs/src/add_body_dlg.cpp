#include "zel/dialogs/add_body_dlg.h"

#include "editing_templates.h"
#include "zel/dialogs/compose_paths.h"

#include <zel/composition.h>

namespace {

constexpr COLORREF kKey(BYTE red) {
    return RGB(red, 0, 0);
}

} // namespace

BEGIN_MESSAGE_MAP(dlgAddBody, CSkinDialog)
ON_WM_PAINT()
ON_BN_CLICKED(IDC_DONE, OnDone)
ON_BN_CLICKED(IDC_CANCEL, OnCancelButton)
ON_BN_CLICKED(IDC_MAN, OnMan)
ON_BN_CLICKED(IDC_WOMAN, OnWoman)
ON_BN_CLICKED(IDC_CHILD, OnChild)
ON_BN_CLICKED(IDC_STEP_HEAD, OnStepHead)
ON_BN_CLICKED(IDC_STEP_BODY, OnStepBody)
ON_BN_CLICKED(IDC_STEP_BOTH, OnStepBoth)
ON_BN_CLICKED(IDC_FAST, OnFast)
ON_BN_CLICKED(IDC_SLOW, OnSlow)
ON_BN_CLICKED(IDC_MOVE_UP, OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_DOWN, OnMoveDown)
ON_BN_CLICKED(IDC_MOVE_LEFT, OnMoveLeft)
ON_BN_CLICKED(IDC_MOVE_RIGHT, OnMoveRight)
ON_BN_CLICKED(IDC_ENLARGE, OnEnlarge)
ON_BN_CLICKED(IDC_REDUCE, OnReduce)
ON_BN_CLICKED(IDC_ROTATE_CW, OnRotateClockwise)
ON_BN_CLICKED(IDC_ROTATE_CCW, OnRotateCounterClockwise)
ON_BN_CLICKED(IDC_NEXT, OnNext)
ON_BN_CLICKED(IDC_PREVIOUS, OnPrevious)
ON_BN_CLICKED(IDC_ROTATE_SPARE, OnRotateSpare)
END_MESSAGE_MAP()

dlgAddBody::dlgAddBody(CWnd* parent) : CSkinDialog(IDD, parent) {
    static const bool registered = (zel::dialogs::register_add_body_template(), true);
    (void)registered;
}

dlgAddBody::~dlgAddBody() = default;

CRect dlgAddBody::PreviewRect() const {
    return zel::dialogs::dialog_rect(*this, kPreview.left, kPreview.top, kPreview.right,
                                     kPreview.bottom);
}

std::string dlgAddBody::BackupPath() const {
    return zel::dialogs::composed_backup_path(m_composedPath);
}

void dlgAddBody::DoDataExchange(CDataExchange* dx) {
    CSkinDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DONE, m_done);
    DDX_Control(dx, IDC_CANCEL, m_cancel);
    DDX_Control(dx, IDC_MAN, m_man);
    DDX_Control(dx, IDC_WOMAN, m_woman);
    DDX_Control(dx, IDC_CHILD, m_child);
    DDX_Control(dx, IDC_STEP_HEAD, m_stepHead);
    DDX_Control(dx, IDC_STEP_BODY, m_stepBody);
    DDX_Control(dx, IDC_STEP_BOTH, m_stepBoth);
    DDX_Control(dx, IDC_FAST, m_fastButton);
    DDX_Control(dx, IDC_SLOW, m_slowButton);
    DDX_Control(dx, IDC_MOVE_UP, m_moveUp);
    DDX_Control(dx, IDC_MOVE_DOWN, m_moveDown);
    DDX_Control(dx, IDC_MOVE_LEFT, m_moveLeft);
    DDX_Control(dx, IDC_MOVE_RIGHT, m_moveRight);
    DDX_Control(dx, IDC_ENLARGE, m_enlarge);
    DDX_Control(dx, IDC_REDUCE, m_reduce);
    DDX_Control(dx, IDC_ROTATE_CW, m_rotateCw);
    DDX_Control(dx, IDC_ROTATE_CCW, m_rotateCcw);
    DDX_Control(dx, IDC_NEXT, m_next);
    DDX_Control(dx, IDC_PREVIOUS, m_previous);
    DDX_Control(dx, IDC_ROTATE_SPARE, m_rotateSpare);
}

BOOL dlgAddBody::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    SetBitmap(WORD(364), kNoTransparentColor);
    m_nothingChosen = 1;
    m_fast = 0;
    m_backupPath = BackupPath();
    zel2_set_head(" ", m_headPath.c_str(), "bmp", m_faceKind);
    if (m_firstTime != 0) {
        clear_zeledit2();
        zel2_compose_save(m_otherAdded, 0, m_composedPath.c_str());
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
        {&m_done, 312, 40, "Done"},
        {&m_cancel, 313, 40, "Cancel"},
        {&m_moveUp, 318, 32, "Move Up"},
        {&m_moveDown, 314, 32, "Move Down"},
        {&m_moveLeft, 316, 32, "Move Left"},
        {&m_moveRight, 317, 32, "Move Right"},
        {&m_enlarge, 318, 32, "Enlarge"},
        {&m_reduce, 314, 32, "Reduce"},
        {&m_rotateCw, 366, 32, "Rotate clockwise"},
        {&m_rotateCcw, 367, 32, "Rotate counter clockwise"},
        {&m_rotateSpare, 366, 32, "Rotate counter clockwise"},
    };
    for (const Setup& s : pictures) {
        if (s.button == &m_moveUp || s.button == &m_moveDown) {
            s.button->ShiftColor(0, 30, TRUE);
        }
        s.button->SetStateBitmaps(s.picture, kKey(s.key), s.key, 0);
        s.button->SetTooltip(s.tooltip, TRUE);
        s.button->SetTransparent(FALSE);
    }
    for (CShadeButton* arrow : {&m_next, &m_previous}) {
        const bool next = arrow == &m_next;
        arrow->ShiftColor(0, 30, TRUE);
        arrow->SetIcons(next ? 315 : 281, 0);
        arrow->SetTooltip(next ? "Next" : "Previous", TRUE);
        arrow->SetTransparent(FALSE);
    }
    if (m_faceKind < 1 || m_faceKind > 3) {
        m_faceKind = 1;
    }
    ShowKind(m_faceKind);
    ShowStepLayer(50);
    ShowSpeed(0);

    zel2_save4undone();
    Invalidate();
    return TRUE;
}

void dlgAddBody::OnBackgroundDrawn(CDC* offscreen) {
    for (CShadeButton* button :
         {&m_done,     &m_cancel,    &m_man,        &m_woman,      &m_child,    &m_stepHead,
          &m_stepBody, &m_stepBoth,  &m_fastButton, &m_slowButton, &m_moveUp,   &m_moveDown,
          &m_moveLeft, &m_moveRight, &m_enlarge,    &m_reduce,     &m_rotateCw, &m_rotateCcw,
          &m_next,     &m_previous,  &m_rotateSpare}) {
        button->CaptureBackground(offscreen);
    }
}

void dlgAddBody::OnPaint() {
    CPaintDC dc(this);
    m_pictures.Paint(dc, PreviewRect());
}

void dlgAddBody::ShowKind(int kind) {
    m_faceKind = kind;
    m_man.SetStateBitmaps(kind == 1 ? 308 : 300, kKey(50), 40, 0);
    m_woman.SetStateBitmaps(kind == 2 ? 309 : 310, kKey(50), 40, 0);
    m_child.SetStateBitmaps(kind == 3 ? 306 : 307, kKey(40), 40, 0);
    m_man.SetTooltip("Man", TRUE);
    m_woman.SetTooltip("Woman", TRUE);
    m_child.SetTooltip("Child", TRUE);
    for (CShadeButton* button : {&m_man, &m_woman, &m_child}) {
        button->SetTransparent(FALSE);
    }
}

void dlgAddBody::ShowStepLayer(int layer) {
    m_stepLayer = layer;
    m_stepHead.SetStateBitmaps(layer == 50 ? 372 : 373, kKey(32), 32, 0);
    m_stepBody.SetStateBitmaps(layer == 51 ? 370 : 371, kKey(32), 32, 0);
    m_stepBoth.SetStateBitmaps(layer == 53 ? 374 : 375, kKey(82), 32, 0);
    for (CShadeButton* button : {&m_stepHead, &m_stepBody, &m_stepBoth}) {
        button->SetTransparent(FALSE);
    }
}

void dlgAddBody::ShowSpeed(int fast) {
    m_fast = fast;
    m_fastButton.SetStateBitmaps(fast != 0 ? 377 : 368, kKey(32), 32, 0);
    m_slowButton.SetStateBitmaps(fast != 0 ? 369 : 376, kKey(32), 32, 0);
    m_fastButton.SetTooltip("Do Fast", TRUE);
    m_slowButton.SetTooltip("Do Slowly", TRUE);
    m_fastButton.SetTransparent(FALSE);
    m_slowButton.SetTransparent(FALSE);
}

// After a reset nothing is on the canvas to move until a body is chosen.
void dlgAddBody::Step(Kind kind, int direction) {
    if (m_nothingChosen != 0 && m_firstTime != 0) {
        return;
    }
    const char* out = m_composedPath.c_str();
    const bool background = m_otherAdded != 0;
    switch (kind) {
    case kMove:
        zel2_move_save(background ? 11 : 10, m_stepLayer, direction, out, m_fast);
        break;
    case kRotate:
        zel2_rotate_save(background ? 2 : 1, m_stepLayer, direction, out, m_fast);
        break;
    case kScale:
        zel2_scale_save(background ? 2 : 1, m_stepLayer, direction, out, m_fast);
        break;
    }
    Reload();
}

void dlgAddBody::Select(int forward) {
    zel2_select_body_save(m_otherAdded, m_faceKind, m_composedPath.c_str(), forward);
    m_nothingChosen = 0;
    Reload();
}

void dlgAddBody::Reload() {
    if (!m_pictures.Load(m_composedPath)) {
        MessageBox("Could not load changed image!", "In InitImage() of dlgAddBody",
                   MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const CRect preview = PreviewRect();
    InvalidateRect(&preview, FALSE);
    m_changed = 1;
}

void dlgAddBody::OnDone() {
    EndDialog(1);
}

void dlgAddBody::OnCancelButton() {
    m_changed = 0;
    zel2_call4undone();
    imagefile_copy(m_composedPath.c_str(), m_backupPath.c_str());
    EndDialog(1);
}

void dlgAddBody::OnMan() {
    ShowKind(1);
}
void dlgAddBody::OnWoman() {
    ShowKind(2);
}
void dlgAddBody::OnChild() {
    ShowKind(3);
}
void dlgAddBody::OnStepHead() {
    ShowStepLayer(50);
}
void dlgAddBody::OnStepBody() {
    ShowStepLayer(51);
}
void dlgAddBody::OnStepBoth() {
    ShowStepLayer(53);
}
void dlgAddBody::OnFast() {
    ShowSpeed(1);
}
void dlgAddBody::OnSlow() {
    ShowSpeed(0);
}
void dlgAddBody::OnMoveUp() {
    Step(kMove, 1);
}
void dlgAddBody::OnMoveDown() {
    Step(kMove, 2);
}
void dlgAddBody::OnMoveLeft() {
    Step(kMove, 3);
}
void dlgAddBody::OnMoveRight() {
    Step(kMove, 4);
}
void dlgAddBody::OnEnlarge() {
    Step(kScale, 1);
}
void dlgAddBody::OnReduce() {
    Step(kScale, 2);
}
void dlgAddBody::OnRotateClockwise() {
    Step(kRotate, 2);
}
void dlgAddBody::OnRotateCounterClockwise() {
    Step(kRotate, 1);
}
void dlgAddBody::OnNext() {
    Select(1);
}
void dlgAddBody::OnPrevious() {
    Select(0);
}
void dlgAddBody::OnRotateSpare() {}
