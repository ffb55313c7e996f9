#pragma once
// Edit Face: the touch-up editor of the black-and-white face drawing. The view lends it the
// screen copy of the drawing; the user erases, draws with disc-shaped pens or writes text on a
// copy of it shown zoomed and scrolled in the drawing area; Done writes the result back into the
// view's buffer, Cancel leaves the buffer as it was. The changed flag tells the view which.

#include "zel/controls/icon_button.h"
#include "zel/controls/shade_button.h"
#include "zel/controls/skin_dialog.h"
#include "zel/dialogs/edit_face_ids.h"

class CEditFaceDlg : public CSkinDialog, public zel::dialogs::EditFaceIds {
public:
    // Tool modes.
    enum : int { kModePointer = 1, kModeErase = 2, kModePen = 3, kModeText = 4 };

    explicit CEditFaceDlg(CWnd* parent = nullptr);
    ~CEditFaceDlg() override;

    // Creates the dialog modeless over `parent`.
    using CSkinDialog::Create;
    BOOL Create(CWnd* parent);
    BOOL DestroyWindow() override;

    // Lent by the view before each run: the drawing's size and the view's 24-bit screen copy of
    // it (rows of 3 x width bytes padded to whole words), drawn on by Done.
    int m_width = 0;
    int m_height = 0;
    unsigned char* m_faceBits = nullptr;
    BITMAPINFO* m_faceInfo = nullptr;
    // Read by the view after the run: set while a stroke is not taken back.
    int m_changed = 0;

    // What the dialog shows and keeps.
    int GetToolMode() const { return m_mode; }
    int GetPenChoice() const { return m_penChoice; }
    const LOGFONT& GetTextFont() const { return m_font; }
    BOOL IsFontChosen() const { return m_fontChosen; }
    int GetStrokeCount() const { return m_strokes; }
    int GetUndoCount() const { return m_undoStrokes; }
    BOOL IsPressed() const { return m_pressed; }
    // The part of the picture shown, in picture pixels.
    CRect GetSourceWindow() const { return m_source; }
    // The drawing area in client pixels.
    CRect GetDrawingArea() const;
    // A pixel of the working picture (CLR_INVALID outside it or before the dialog runs).
    COLORREF GetWorkingPixel(int x, int y) const;
    // The picture point that client point `p` shows; `press` adds the press's one pixel.
    CPoint MapToPicture(CPoint p, bool press) const;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnBackgroundDrawn(CDC* offscreen) override;

    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnCancelMode();
    void OnDone();
    void OnZoomIn();
    void OnZoomOut();
    void OnUndo();
    void OnErase();
    void OnPenTool();
    void OnTextTool();
    void OnPointer();
    DECLARE_MESSAGE_MAP()

private:
    void SelectTool(int mode);
    void Repaint();
    // Fits the source window to the picture and to the drawing area's shape, and sets the
    // scroll bars from it.
    void FitSourceWindow();
    // A press inside the drawing area, or the first point of a drag entering it: confines the
    // cursor, keeps the undo copy and counts the stroke.
    void BeginStroke();
    // Clears the pressed flag and lets the cursor go (every way a drag can end).
    void EndStroke();
    void ReleaseCursor();
    void ApplyTool(CPoint client, CPoint picture, bool press);
    void StampErase(CPoint client, CPoint picture);
    void StampPen(CPoint picture);
    void WriteText(CPoint picture);
    void ChooseCursor(CPoint client);
    void Scroll(UINT code, UINT pos, bool horizontal);
    void LoadPen();
    void FreePictures();

    // The working picture and the picture before the last stroke, both width x height.
    CDC m_workDC;
    CDC m_undoDC;
    CBitmap m_workBitmap;
    CBitmap m_undoBitmap;
    CBitmap* m_workOld = nullptr;
    CBitmap* m_undoOld = nullptr;
    bool m_pictures = false;
    CBitmap m_penBitmap; // the current pen's shape

    CRect m_source;
    int m_mode = kModePointer;
    BOOL m_pressed = FALSE;
    bool m_strokeOpen = false; // this drag has its undo copy
    bool m_confined = false;
    CPoint m_pressPoint, m_releasePoint, m_lastPoint, m_lastPicturePoint;
    int m_strokes = 0;
    int m_undoStrokes = 0;
    int m_penChoice = 1;
    LOGFONT m_font{};
    BOOL m_fontChosen = FALSE;
    HCURSOR m_eraseCursor = nullptr;
    HCURSOR m_penCursor = nullptr;

    CShadeButton m_erase, m_pen, m_text, m_undo;
    CIconButton m_zoomIn, m_zoomOut, m_done, m_cancel;
    CScrollBar m_horizontalBar, m_verticalBar;
};
