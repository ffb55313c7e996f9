// The view: construction, its buttons and their states, painting and help.

#include "tessel_view.h"

#include "resource_ids.h"

#include <zel/common/work_folder.h>

using namespace zel::editor;

IMPLEMENT_DYNCREATE(CTesselView, CView)

BEGIN_MESSAGE_MAP(CTesselView, CView)
ON_WM_CREATE()
ON_WM_ERASEBKGND()
ON_WM_HELPINFO()
ON_WM_RBUTTONDOWN()
ON_WM_CHAR()
ON_COMMAND(ID_FILE_OPEN, OnLoadPhoto)
ON_COMMAND(ID_CMD_LOAD_PHOTO, OnLoadPhoto)
ON_COMMAND(ID_LOAD_CARICATURE, OnLoadCaricature)
ON_COMMAND(ID_CMD_LOAD_CARICATURE, OnLoadCaricature)
ON_COMMAND(ID_FILE_SAVE, OnSave)
ON_COMMAND(ID_CMD_SAVE, OnSave)
ON_COMMAND(ID_SAVE_FACE_FILE, OnSaveFaceFile)
ON_COMMAND(ID_EDIT_FACE, OnEditFace)
ON_COMMAND(ID_CMD_EDIT_FACE, OnEditFace)
ON_COMMAND(ID_MAKE_FACE, OnMakeFace)
ON_COMMAND(ID_CMD_MAKE_FACE, OnMakeFace)
ON_COMMAND(ID_CMD_MAKE_FACE_ALT, OnMakeFace)
ON_COMMAND(ID_CHANGE_FACE, OnChangeFace)
ON_COMMAND(ID_CMD_CHANGE_FACE, OnChangeFace)
ON_COMMAND(ID_ADD_BODY, OnAddBody)
ON_COMMAND(ID_CMD_ADD_BODY, OnAddBody)
ON_COMMAND(ID_ADD_BKGD, OnAddBkgd)
ON_COMMAND(ID_CMD_ADD_BKGD, OnAddBkgd)
ON_COMMAND(ID_CMD_EXIT, OnExit)
ON_COMMAND(ID_REFRESH_BUTTONS, OnRefreshButtons)
ON_COMMAND(ID_AUX_BUTTONS, OnAuxButtons)
ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
ON_COMMAND(ID_CMD_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
ON_COMMAND(ID_PAGE_SETUP, OnPageSetup)
ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateSave)
// The auxiliary buttons, like Save, only while a composed picture is shown.
ON_UPDATE_COMMAND_UI(ID_AUX_BUTTONS, OnUpdateSave)
ON_UPDATE_COMMAND_UI(ID_SAVE_FACE_FILE, OnUpdateSaveFaceFile)
ON_UPDATE_COMMAND_UI(ID_EDIT_FACE, OnUpdateNeedsFace)
ON_UPDATE_COMMAND_UI(ID_MAKE_FACE, OnUpdateNeedsFace)
ON_UPDATE_COMMAND_UI(ID_CHANGE_FACE, OnUpdateNeedsFace)
ON_UPDATE_COMMAND_UI(ID_ADD_BODY, OnUpdateNeedsFace)
ON_UPDATE_COMMAND_UI(ID_ADD_BKGD, OnUpdateNeedsFace)
ON_UPDATE_COMMAND_UI(ID_REFRESH_BUTTONS, OnUpdateRefresh)
ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_SETUP, OnUpdatePrint)
ON_UPDATE_COMMAND_UI(ID_FILE_PRINT, OnUpdatePrint)
ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_DIRECT, OnUpdatePrint)
ON_UPDATE_COMMAND_UI(ID_FILE_PRINT_PREVIEW, OnUpdatePrint)
END_MESSAGE_MAP()

const CRect CTesselView::kPhotoPanel(164, 83, 386, 393);
const CRect CTesselView::kFacePanel(179, 98, 356, 343);
const CRect CTesselView::kComposedPanel(442, 84, 664, 390);

namespace {

struct ButtonSpec {
    CShadeButton CTesselView::*button;
    UINT id;
    CRect rect;
    const char* text;
    int iconIn;
    int iconOut;
};

const ButtonSpec kButtons[] = {
    {&CTesselView::m_btnEditFace, IDC_BTN_EDIT_FACE, {29, 15, 90, 55}, "", IDI_EDIT_FACE_OFF, 0},
    {&CTesselView::m_btnMakeFace, IDC_BTN_MAKE_FACE, {29, 95, 90, 135}, "", IDI_MAKE_FACE, 0},
    {&CTesselView::m_btnChangeFace,
     IDC_BTN_CHANGE_FACE,
     {29, 175, 90, 215},
     "",
     IDI_CHANGE_FACE,
     0},
    {&CTesselView::m_btnAddBody, IDC_BTN_ADD_BODY, {29, 255, 90, 295}, "", IDI_ADD_BODY, 0},
    {&CTesselView::m_btnAddBkgd, IDC_BTN_ADD_BKGD, {29, 335, 90, 375}, "", IDI_ADD_BKGD, 0},
    {&CTesselView::m_btnExit, IDC_BTN_EXIT, {29, 415, 90, 455}, "", IDI_EXIT_IN, IDI_EXIT_OUT},
    {&CTesselView::m_btnLoadCaricature,
     IDC_BTN_LOAD_CARICATURE,
     {224, 415, 300, 455},
     "Load Caricature",
     0,
     0},
    {&CTesselView::m_btnSave, IDC_BTN_SAVE, {372, 415, 448, 455}, "Save", IDI_SAVE_OFF, 0},
    {&CTesselView::m_btnPrint, IDC_BTN_PRINT, {520, 415, 596, 455}, "Print", IDI_PRINT, 0},
};

} // namespace

CTesselView::CTesselView() {
    // No usable work folder leaves the paths empty: the editing commands then stay disabled
    // rather than writing work files into whatever the current folder is.
    m_headPath = zel::work_path("zel_head.bmp");
    m_composedPath = zel::work_path("zel_all.bmp");
    m_backupPath = zel::work_path("zel_tmp.bmp");
    LOGPALETTE lp{};
    lp.palVersion = 0x300;
    lp.palNumEntries = 1;
    m_palette.CreatePalette(&lp);
}

CTesselView::~CTesselView() = default;

int CTesselView::OnCreate(LPCREATESTRUCT cs) {
    if (CView::OnCreate(cs) == -1) {
        return -1;
    }
    CreateButtons();
    LoadBackground();
    return 0;
}

// The background picture is stretched to its place once, so that a paint only copies it.
void CTesselView::LoadBackground() {
    CBitmap picture;
    if (!picture.LoadBitmap(MAKEINTRESOURCE(IDB_BACKGROUND))) {
        return;
    }
    CClientDC screen(this);
    CDC source;
    CDC target;
    source.CreateCompatibleDC(&screen);
    target.CreateCompatibleDC(&screen);
    m_background.CreateCompatibleBitmap(&screen, kBackgroundWidth, kBackgroundHeight);
    CBitmap* oldSource = source.SelectObject(&picture);
    CBitmap* oldTarget = target.SelectObject(&m_background);
    target.StretchBlt(0, 0, kBackgroundWidth, kBackgroundHeight, &source, 0, 0,
                      kBackgroundSourceWidth, kBackgroundSourceHeight, SRCCOPY);
    target.SelectObject(oldTarget);
    source.SelectObject(oldSource);
}

void CTesselView::CreateButtons() {
    for (const ButtonSpec& entry : kButtons) {
        CShadeButton& button = this->*entry.button;
        button.Create(entry.text, WS_CHILD | WS_VISIBLE | WS_BORDER, entry.rect, this, entry.id);
        button.SetShade(CShadeButton::kHardBump, 8, 10, 0, 0);
        if (entry.iconIn != 0) {
            button.SetIcons(entry.iconIn, entry.iconOut);
        }
    }
}

void CTesselView::RefreshButtonsByState() {
    const CTesselDoc* doc = GetDocument();
    if (doc == nullptr || m_btnEditFace.m_hWnd == nullptr) {
        return;
    }
    if (doc->m_facePresent != 0 && WorkFilesUsable()) {
        EnableButtonsAfterDialog();
        return;
    }
    // Without a face the same buttons are off as while a dialog runs.
    DisableButtonsForDialog();
}

void CTesselView::DisableButtonsForDialog() {
    m_btnEditFace.EnableWindow(FALSE);
    m_btnEditFace.SetIcons(IDI_EDIT_FACE_OFF, 0);
    m_btnMakeFace.EnableWindow(FALSE);
    m_btnChangeFace.EnableWindow(FALSE);
    m_btnAddBody.EnableWindow(FALSE);
    m_btnAddBkgd.EnableWindow(FALSE);
    m_btnSave.EnableWindow(FALSE);
    m_btnSave.SetIcons(IDI_SAVE_OFF, 0);
    m_btnPrint.EnableWindow(FALSE);
}

// Save and Print follow the composed picture both ways: with none shown there is nothing they
// could write or print.
void CTesselView::EnableButtonsAfterDialog() {
    m_btnEditFace.EnableWindow(TRUE);
    m_btnEditFace.SetIcons(IDI_EDIT_FACE, 0);
    m_btnMakeFace.EnableWindow(TRUE);
    m_btnChangeFace.EnableWindow(TRUE);
    m_btnAddBody.EnableWindow(TRUE);
    m_btnAddBkgd.EnableWindow(TRUE);
    const BOOL composed = GetDocument() != nullptr && GetDocument()->m_composedShown != 0;
    m_btnSave.EnableWindow(composed);
    m_btnSave.SetIcons(composed ? IDI_SAVE : IDI_SAVE_OFF, 0);
    m_btnPrint.EnableWindow(composed);
}

BOOL CTesselView::OnEraseBkgnd(CDC*) {
    // The background picture covers the whole view when painting.
    return TRUE;
}

void CTesselView::OnDraw(CDC* dc) {
    RefreshButtonsByState();
    CPalette* oldPalette = dc->SelectPalette(&m_palette, TRUE);
    if (dc->IsPrinting()) {
        DrawPrintedPage(dc);
        dc->SelectPalette(oldPalette, TRUE);
        return;
    }
    CRect client;
    GetClientRect(&client);
    // The ground colour shows around the picture: the client area is a little larger.
    dc->FillSolidRect(0, 0, 1, client.bottom, RGB(0xEC, 0xE6, 0xDA));
    dc->FillSolidRect(1 + kBackgroundWidth, 0, client.right - 1 - kBackgroundWidth, client.bottom,
                      RGB(0xEC, 0xE6, 0xDA));
    dc->FillSolidRect(0, kBackgroundHeight, client.right, client.bottom - kBackgroundHeight,
                      RGB(0xEC, 0xE6, 0xDA));
    if (m_background.m_hObject != nullptr) {
        CDC mem;
        mem.CreateCompatibleDC(dc);
        CBitmap* old = mem.SelectObject(&m_background);
        dc->BitBlt(1, 0, kBackgroundWidth, kBackgroundHeight, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(old);
    }
    CTesselDoc* doc = GetDocument();
    if (doc != nullptr && doc->m_composedShown != 0) {
        DrawComposed(dc, kComposedPanel);
    }
    DrawFace(dc, kFacePanel);
    dc->SelectPalette(oldPalette, TRUE);
}

BOOL CTesselView::OnHelpInfo(HELPINFO*) {
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelp(0, HELP_FINDER);
    }
    return TRUE;
}

void CTesselView::OnRButtonDown(UINT, CPoint) {}

void CTesselView::OnChar(UINT, UINT, UINT) {}

int CTesselView::Say(const char* text, const char* caption, UINT type) {
    return MessageBox(text, caption, type);
}
