#pragma once
// Add Body: puts the head picture on a body from the body library of the face kind, and moves,
// rotates and scales the head, the body or both. Every button calls one action of the
// composition library, which rewrites the composed work file; the preview then shows it again.
// Cancel puts the layer records and the composed file back as they were when the dialog opened.

#include "zel/dialogs/compose_dialog.h"

class dlgAddBody : public CComposeDialog, public zel::dialogs::AddBodyIds {
public:
    explicit dlgAddBody(CWnd* parent = nullptr);
    ~dlgAddBody() override;

    int StepLayer() const { return m_stepLayer; }
    int Fast() const { return m_fast; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnBackgroundDrawn(CDC* offscreen) override;

    void ComposeFirst() override;
    void Move(int direction) override { Step(kMove, direction); }
    void OnMan();
    void OnWoman();
    void OnChild();
    void OnStepHead();
    void OnStepBody();
    void OnStepBoth();
    void OnFast();
    void OnSlow();
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

    CShadeButton m_man, m_woman, m_child, m_stepHead, m_stepBody, m_stepBoth, m_fastButton,
        m_slowButton, m_enlarge, m_reduce, m_rotateCw, m_rotateCcw, m_next, m_previous,
        m_rotateSpare;
};
