#include "zel/dialogs/add_body_dlg.h"

#include "editing_templates.h"

#include <zel/composition.h>

using namespace zel::dialogs;

BEGIN_MESSAGE_MAP(dlgAddBody, CComposeDialog)
ON_BN_CLICKED(IDC_MAN, OnMan)
ON_BN_CLICKED(IDC_WOMAN, OnWoman)
ON_BN_CLICKED(IDC_CHILD, OnChild)
ON_BN_CLICKED(IDC_STEP_HEAD, OnStepHead)
ON_BN_CLICKED(IDC_STEP_BODY, OnStepBody)
ON_BN_CLICKED(IDC_STEP_BOTH, OnStepBoth)
ON_BN_CLICKED(IDC_FAST, OnFast)
ON_BN_CLICKED(IDC_SLOW, OnSlow)
ON_BN_CLICKED(IDC_ENLARGE, OnEnlarge)
ON_BN_CLICKED(IDC_REDUCE, OnReduce)
ON_BN_CLICKED(IDC_ROTATE_CW, OnRotateClockwise)
ON_BN_CLICKED(IDC_ROTATE_CCW, OnRotateCounterClockwise)
ON_BN_CLICKED(IDC_NEXT, OnNext)
ON_BN_CLICKED(IDC_PREVIOUS, OnPrevious)
ON_BN_CLICKED(IDC_ROTATE_SPARE, OnRotateSpare)
END_MESSAGE_MAP()

dlgAddBody::dlgAddBody(CWnd* parent) : CComposeDialog(IDD, parent) {
    static const bool registered = (zel::dialogs::register_add_body_template(), true);
    (void)registered;
}

dlgAddBody::~dlgAddBody() = default;

void dlgAddBody::DoDataExchange(CDataExchange* dx) {
    CComposeDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_MAN, m_man);
    DDX_Control(dx, IDC_WOMAN, m_woman);
    DDX_Control(dx, IDC_CHILD, m_child);
    DDX_Control(dx, IDC_STEP_HEAD, m_stepHead);
    DDX_Control(dx, IDC_STEP_BODY, m_stepBody);
    DDX_Control(dx, IDC_STEP_BOTH, m_stepBoth);
    DDX_Control(dx, IDC_FAST, m_fastButton);
    DDX_Control(dx, IDC_SLOW, m_slowButton);
    DDX_Control(dx, IDC_ENLARGE, m_enlarge);
    DDX_Control(dx, IDC_REDUCE, m_reduce);
    DDX_Control(dx, IDC_ROTATE_CW, m_rotateCw);
    DDX_Control(dx, IDC_ROTATE_CCW, m_rotateCcw);
    DDX_Control(dx, IDC_NEXT, m_next);
    DDX_Control(dx, IDC_PREVIOUS, m_previous);
    DDX_Control(dx, IDC_ROTATE_SPARE, m_rotateSpare);
}

BOOL dlgAddBody::OnInitDialog() {
    CComposeDialog::OnInitDialog();
    SetBitmap(IDB_ADD_BODY_SKIN, kNoTransparentColor);
    m_fast = 0;
    OpenComposition();

    ShowCommonButtons();
    ShowPictureButton(m_enlarge, IDB_ARROW_UP, 32, "Enlarge");
    ShowPictureButton(m_reduce, IDB_ARROW_DOWN, 32, "Reduce");
    ShowPictureButton(m_rotateCw, IDB_ROTATE_CW, 32, "Rotate clockwise");
    ShowPictureButton(m_rotateCcw, IDB_ROTATE_CCW, 32, "Rotate counter clockwise");
    ShowPictureButton(m_rotateSpare, IDB_ROTATE_CW, 32, "Rotate counter clockwise");
    ShowArrow(m_next, true);
    ShowArrow(m_previous, false);
    if (m_faceKind < 1 || m_faceKind > 3) {
        m_faceKind = 1;
    }
    ShowKind(m_faceKind);
    ShowStepLayer(50);
    ShowSpeed(0);
    FinishOpening();
    return TRUE;
}

// A first run starts the composer afresh: the head alone, or on the background when one was
// added.
void dlgAddBody::ComposeFirst() {
    clear_zeledit2();
    zel2_compose_save(m_otherAdded, 0, m_composedPath.c_str());
}

void dlgAddBody::OnBackgroundDrawn(CDC* offscreen) {
    for (CShadeButton* button : {&m_man, &m_woman, &m_child, &m_stepHead, &m_stepBody, &m_stepBoth,
                                 &m_fastButton, &m_slowButton, &m_enlarge, &m_reduce, &m_rotateCw,
                                 &m_rotateCcw, &m_next, &m_previous, &m_rotateSpare}) {
        button->CaptureBackground(offscreen);
    }
}

void dlgAddBody::ShowKind(int kind) {
    m_faceKind = kind;
    ShowPicture(m_man, kind == 1 ? IDB_MAN_CHOSEN : IDB_MAN, 50, 40, "Man");
    ShowPicture(m_woman, kind == 2 ? IDB_WOMAN_CHOSEN : IDB_WOMAN, 50, 40, "Woman");
    ShowPicture(m_child, kind == 3 ? IDB_CHILD_CHOSEN : IDB_CHILD, 40, 40, "Child");
    for (CShadeButton* button : {&m_man, &m_woman, &m_child}) {
        button->SetTransparent(FALSE);
    }
}

void dlgAddBody::ShowStepLayer(int layer) {
    m_stepLayer = layer;
    ShowPicture(m_stepHead, layer == 50 ? IDB_STEP_HEAD_CHOSEN : IDB_STEP_HEAD, 32, 32, nullptr);
    ShowPicture(m_stepBody, layer == 51 ? IDB_STEP_BODY_CHOSEN : IDB_STEP_BODY, 32, 32, nullptr);
    ShowPicture(m_stepBoth, layer == 53 ? IDB_STEP_BOTH_CHOSEN : IDB_STEP_BOTH, 82, 32, nullptr);
    for (CShadeButton* button : {&m_stepHead, &m_stepBody, &m_stepBoth}) {
        button->SetTransparent(FALSE);
    }
}

void dlgAddBody::ShowSpeed(int fast) {
    m_fast = fast;
    ShowPictureButton(m_fastButton, fast != 0 ? IDB_FAST_CHOSEN : IDB_FAST, 32, "Do Fast");
    ShowPictureButton(m_slowButton, fast != 0 ? IDB_SLOW : IDB_SLOW_CHOSEN, 32, "Do Slowly");
}

void dlgAddBody::Step(Kind kind, int direction) {
    if (WaitingForChoice()) {
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
    // A step that failed chose nothing: the arrows keep waiting for a body.
    if (zel2_select_body_save(m_otherAdded, m_faceKind, m_composedPath.c_str(), forward) != 0) {
        m_nothingChosen = 0;
    }
    Reload();
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
