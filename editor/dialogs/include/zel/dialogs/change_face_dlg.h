#pragma once
// Change Face: the user picks one part of the face (a brow, an eye, nose, mouth, the glasses or
// the face edge) and moves, scales, colours, hides or shows it. Each action asks the face engine
// to redraw the face into the head work file, which the preview then shows again. Cancel puts
// the face back as it was when the dialog opened.

#include "zel/dialogs/face_dialog.h"

class CChangeFaceDlg : public CFaceDialog, public zel::dialogs::ChangeFaceIds {
public:
    // Actions.
    enum { kMove = 1, kScale = 3, kColour = 4, kDisplay = 31 };

    // The backup is the dialog's own: "zelaedit.bmp" in the private work folder.
    explicit CChangeFaceDlg(CWnd* parent = nullptr);
    ~CChangeFaceDlg() override;

    int Part() const { return m_part; }
    int Action() const { return m_action; }
    int Parameter() const { return m_parameter; }
    // The chosen colour as the engine stores colours: 255 minus red, green and blue.
    _pixel Colour() const { return m_colour; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnBackgroundDrawn(CDC* offscreen) override;

    void OnLeftBrow();
    void OnRightBrow();
    void OnLeftEye();
    void OnRightEye();
    void OnNose();
    void OnMouth();
    void OnGlasses();
    void OnFaceEdge();
    void OnActionButton(UINT id);
    void OnColor();
    DECLARE_MESSAGE_MAP()

private:
    void ChoosePart(int part);
    void Act(int action, int parameter);

    int m_part = -1;
    int m_action = -1;
    int m_parameter = -1;
    _pixel m_colour{192, 0, 0, 0};

    CIconButton m_done, m_cancel;
    CIconButton m_mouth, m_leftEye, m_rightEye, m_leftBrow, m_rightBrow, m_nose, m_glasses,
        m_edgeLeft, m_edgeRight;
    CIconButton m_moveLeft, m_moveRight, m_moveDown, m_moveUp, m_reduce, m_enlarge, m_color, m_hide,
        m_display;
};
