#pragma once
// Add Body: puts the head picture on a body from the body library of the face kind, and moves,
// rotates and scales the head, the body or both. Every button calls one action of the
// composition library, which rewrites the composed work file; the preview then shows it again.
// Cancel puts the layer records and the composed file back as they were when the dialog opened.

#include "zel/dialogs/compose_dialog.h"

class dlgAddBody : public CComposeDialog {
public:
    enum : UINT {
        IDD = 287,
        IDC_MAN = 1025,
        IDC_WOMAN = 1026,
        IDC_CHILD = 1027,
        IDC_STEP_HEAD = 1144,
        IDC_STEP_BODY = 1145,
        IDC_STEP_BOTH = 1148,
        IDC_FAST = 1146,
        IDC_SLOW = 1147,
        IDC_MOVE_UP = 1138,
        IDC_MOVE_DOWN = 1139,
        IDC_MOVE_LEFT = 1140,
        IDC_MOVE_RIGHT = 1141,
        IDC_ENLARGE = 1142,
        IDC_REDUCE = 1143,
        IDC_ROTATE_CW = 1187,
        IDC_ROTATE_CCW = 1186,
        IDC_NEXT = 1188,
        IDC_PREVIOUS = 1189,
        IDC_ROTATE_SPARE = 1190,
    };

    explicit dlgAddBody(CWnd* parent = nullptr);
    ~dlgAddBody() override;

    int StepLayer() const { return m_stepLayer; }
    int Fast() const { return m_fast; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnBackgroundDrawn(CDC* offscreen) override;

    void ComposeFirst() override;
    void OnMan();
    void OnWoman();
    void OnChild();
    void OnStepHead();
    void OnStepBody();
    void OnStepBoth();
    void OnFast();
    void OnSlow();
    void OnMoveUp();
    void OnMoveDown();
    void OnMoveLeft();
    void OnMoveRight();
    void OnEnlarge();
    void OnReduce();
    void OnRotateClockwise();
    void OnRotateCounterClockwise();
    void OnNext();
    void OnPrevious();
    void OnRotateSpare();
    DECLARE_MESSAGE_MAP()

private:
    enum Kind { kMove, kRotate, kScale };
    void ShowKind(int kind);
    void ShowStepLayer(int layer);
    void ShowSpeed(int fast);
    void Step(Kind kind, int direction);
    void Select(int forward);

    int m_stepLayer = 50;
    int m_fast = 0;

    CShadeButton m_done, m_cancel, m_man, m_woman, m_child, m_stepHead, m_stepBody, m_stepBoth,
        m_fastButton, m_slowButton, m_moveUp, m_moveDown, m_moveLeft, m_moveRight, m_enlarge,
        m_reduce, m_rotateCw, m_rotateCcw, m_next, m_previous, m_rotateSpare;
};
