#pragma once
// The program's only view: background picture, the button column and the bottom buttons, the
// photo, face and composed panels, the work-file paths, the editing dialogs (one object of each
// for the view's whole life) and every user command. Split by concern:
//   tessel_view.cpp        construction, buttons and their states, painting, help
//   tessel_view_draw.cpp   panels: fitting and drawing a picture, the composed work file
//   tessel_view_load.cpp   load photo, load caricature (face file)
//   tessel_view_save.cpp   save as face file or picture, save face file
//   tessel_view_edit.cpp   the road every editing dialog runs by, exit, refresh, menu states
//   tessel_view_debug.cpp  the two text dumps of pictures (nothing calls them)
//   tessel_view_print.cpp  the printed page, its page count and the page-layout command

#include "panel_picture.h"
#include "tessel_doc.h"

#include <zel/controls/shade_button.h>
#include <zel/dialogs/add_bkgd_dlg.h>
#include <zel/dialogs/add_body_dlg.h>
#include <zel/dialogs/aux_buttons_dlg.h>
#include <zel/dialogs/change_face_dlg.h>
#include <zel/dialogs/edit_face_dlg.h>
#include <zel/dialogs/page_layout_dlg.h>
#include <zel/dialogs/select_dlg.h>
#include <zel/platform/platform.h>

#include <string>

class CTesselView : public CView {
    DECLARE_DYNCREATE(CTesselView)
public:
    CTesselView();
    ~CTesselView() override;

    CTesselDoc* GetDocument() const { return static_cast<CTesselDoc*>(m_pDocument); }
    void OnDraw(CDC* dc) override;

    // Panels in client coordinates.
    static const CRect kPhotoPanel;
    static const CRect kFacePanel;
    static const CRect kComposedPanel;

    // The destination of a width x height picture fitted into panel: the panel's height high
    // (or width wide) keeping the aspect, from the panel's top-left corner, not centred.
    static CRect FitIntoPanel(const CRect& panel, int width, int height);

    // Button states.
    void RefreshButtonsByState();
    void DisableButtonsForDialog();
    void EnableButtonsAfterDialog();

    // Drawing into the panels; each draws only what exists.
    void DrawPhoto(CDC* dc, const CRect& panel);
    void DrawFace(CDC* dc, const CRect& panel);
    void DrawComposed(CDC* dc, const CRect& panel);
    // Reads the composed work file and shows it; FALSE (composed shown cleared) when unreadable.
    BOOL ShowComposedFile(const CRect& panel);
    void InvalidatePanels();

    // Loads a face file; TRUE when loaded.
    BOOL LoadFaceFile(const std::string& path);
    // The printed page: the face drawing and the composed picture inside the margins, and the
    // footer line. Draws only what exists.
    void DrawPrintedPage(CDC* dc);

    // Recomposes the face, body and background into the composed file and shows it.
    BOOL Recompose();
    // Writes the colour face to the head work file; FALSE (with a message) when it cannot.
    BOOL WriteHeadFile();
    // TRUE when the work folder is usable; the editing commands need it.
    BOOL WorkFilesUsable() const { return !m_headPath.empty(); }

    // Debugging: a picture written as text to `path`. Nothing calls them.
    static void DumpPixels(_pixel** pixels, int cols, int rows, const char* path);
    static void DumpBytes(unsigned char** bytes, int cols, int rows, const char* path);

    // The sex code of the current face, handed to Add Body and Add Background.
    int m_faceKind = 1;
    // The last file name chosen in a file dialog.
    std::string m_chosenPath;
    CPalette m_palette;
    // The background picture: its part from (0, 0) that is shown, stretched once to where it is
    // drawn from (1, 0).
    static constexpr int kBackgroundSourceWidth = 689;
    static constexpr int kBackgroundSourceHeight = 464;
    static constexpr int kBackgroundWidth = 709;
    static constexpr int kBackgroundHeight = 484;
    CBitmap m_background;
    // The face drawing and the composed picture as last fitted into their panels.
    PanelPicture m_facePicture;
    PanelPicture m_composedPicture;

    CShadeButton m_btnEditFace;
    CShadeButton m_btnMakeFace;
    CShadeButton m_btnChangeFace;
    CShadeButton m_btnAddBody;
    CShadeButton m_btnAddBkgd;
    CShadeButton m_btnExit;
    CShadeButton m_btnLoadCaricature;
    CShadeButton m_btnSave;
    CShadeButton m_btnPrint;

    // Work files in the private work folder; empty when there is none.
    std::string m_headPath;
    std::string m_composedPath;
    std::string m_backupPath;

    CAuxButtonsDlg m_dlgAux;
    CPageLayoutDlg m_dlgPageLayout;
    CEditFaceDlg m_dlgEditFace;
    dlgSelect m_dlgSelect;
    CChangeFaceDlg m_dlgChangeFace;
    dlgAddBody m_dlgAddBody;
    dlgAddBkgd m_dlgAddBkgd;

    // The picture's place on the printed page, as fractions of the page.
    float m_leftMargin = 0.1f;
    float m_topMargin = 0.1f;
    float m_rightMargin = 0.9f;
    float m_bottomMargin = 0.9f;

    int m_bodyAdded = 0;
    int m_bkgdAdded = 0;
    // Add Body and Add Background start from their first choice while set.
    int m_bodyFirstTime = 1;
    int m_bkgdFirstTime = 1;
    // The folder of the last face file loaded or saved; Load Caricature opens there, and so do
    // the save commands where that folder takes new files.
    std::string m_lastFaceFolder;

    // Commands.
    void OnLoadPhoto();
    void OnLoadCaricature();
    void OnSave();
    void OnSaveFaceFile();
    void OnEditFace();
    void OnMakeFace();
    void OnChangeFace();
    void OnAddBody();
    void OnAddBkgd();
    void OnExit();
    void OnRefreshButtons();
    void OnAuxButtons();
    void OnPageSetup();
    BOOL OnPreparePrinting(CPrintInfo* info) override;

protected:
    int OnCreate(LPCREATESTRUCT cs);
    BOOL OnEraseBkgnd(CDC* dc);
    BOOL OnHelpInfo(HELPINFO* info);
    void OnRButtonDown(UINT flags, CPoint point);
    void OnChar(UINT ch, UINT repeat, UINT flags);

    void OnUpdateSave(CCmdUI* ui);
    void OnUpdateNeedsFace(CCmdUI* ui);
    void OnUpdateSaveFaceFile(CCmdUI* ui);
    void OnUpdateRefresh(CCmdUI* ui);
    void OnUpdatePrint(CCmdUI* ui);

    DECLARE_MESSAGE_MAP()

private:
    void CreateButtons();
    void LoadBackground();
    // The save-first question of the load commands.
    void AskSaveFirst();
    // The road of Make Face and Change Face after their dialog.
    void AfterFaceDialog(int changed);
    // The road of Add Body and Add Background: inputs, head file, the dialog, what follows.
    template <class LayerDialog>
    void RunLayerDialog(LayerDialog& dialog, int& added, int& firstTime, int otherAdded);
    // The road of Add Body and Add Background after their dialog.
    void AfterLayerDialog(int changed, int& added, int& firstTime);
    // Shows a message owned by the view.
    int Say(const char* text, const char* caption, UINT type);
    // Whether the file a save writes may be replaced: the file dialog asked about the name it
    // handed back, but not about the name with the extension the save adds to it.
    bool MayReplace(const std::string& chosen, const std::string& written, const char* caption);
};
