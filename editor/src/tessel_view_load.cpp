// The load commands: a photo, and a caricature from a face file.

#include "tessel_view.h"

#include <zel/common/data_folder.h>
#include <zel/face_engine.h>

#include <filesystem>
#include <vector>

namespace {

constexpr const char* kFormatInvalid =
    "The specified document's format is invalid or not supported!";

// The face engine cuts whatever follows the last '.' and reads "<rest>.zel": only a name that
// ends in ".zel" is read as itself.
bool names_face_file(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".zel") == 0;
}

} // namespace

void CTesselView::AskSaveFirst() {
    CTesselDoc* doc = GetDocument();
    // A face edited and never saved is as much at stake as a composed picture.
    if (!doc->IsModified() || (doc->m_composedChanged == 0 && doc->m_faceChanged == 0)) {
        return;
    }
    if (Say("Save Caricature", "Caricature Not Saved", MB_YESNOCANCEL | MB_ICONQUESTION) == IDYES) {
        // The Save command clears a change flag only when it wrote its file.
        OnSave();
    }
}

void CTesselView::OnLoadPhoto() {
    CTesselDoc* doc = GetDocument();
    InvalidatePanels();
    m_faceKind = 1;
    CFileDialog dialog(TRUE, nullptr, "*.bmp", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       "Windows Bitmap||", this);
    AskSaveFirst();
    if (dialog.DoModal() == IDOK) {
        CWaitCursor wait;
        m_chosenPath = dialog.GetPathName().str();
        doc->ReleaseImages();
        doc->SetTitle("Caricature");
        int cols = 0;
        int rows = 0;
        const int read =
            LoadGeneralImage(doc->m_photo, m_chosenPath.c_str(), &cols, &rows, &doc->m_photoHeader);
        CString text;
        text.Format("Load image file from %s: col=%d, row=%d", m_chosenPath.c_str(), cols, rows);
        Say(text, "Load image", MB_OK | MB_ICONSTOP);
        if (read != 0) {
            doc->m_photoLoaded = 1;
            doc->m_photoCols = cols;
            doc->m_photoRows = rows;
            doc->BuildPhotoScreen();
            doc->m_faceRect.SetRect(0, 0, cols, rows);
            InvalidatePanels();
            CClientDC dc(this);
            DrawPhoto(&dc, kPhotoPanel);
        } else {
            InvalidatePanels();
            Say(kFormatInvalid, "Open File", MB_OK | MB_ICONSTOP);
        }
    }
    RefreshButtonsByState();
}

void CTesselView::OnLoadCaricature() {
    InvalidatePanels();
    CFileDialog dialog(TRUE, nullptr, "*.zel", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       "ZEL Files (*.zel)||", this);
    // The folder of the last face file, else the starter faces, so that a first start shows
    // faces to load.
    const std::string folder =
        m_lastFaceFolder.empty() ? zel::data_path("faces") : m_lastFaceFolder;
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    AskSaveFirst();
    if (dialog.DoModal() == IDOK) {
        CWaitCursor wait;
        m_chosenPath = dialog.GetPathName().str();
        if (LoadFaceFile(m_chosenPath)) {
            CTesselDoc* doc = GetDocument();
            doc->m_facePresent = 1;
            doc->m_composedShown = 0;
            m_bodyFirstTime = 1;
            m_bkgdFirstTime = 1;
        }
    }
    RefreshButtonsByState();
}

BOOL CTesselView::LoadFaceFile(const std::string& path) {
    CTesselDoc* doc = GetDocument();
    doc->ReleaseImages();
    CWaitCursor wait;
    int width = 0;
    int height = 0;
    int kind = m_faceKind;
    int loaded = 0;
    if (names_face_file(path)) {
        std::vector<char> name(path.begin(), path.end());
        name.push_back('\0');
        loaded = face_loadzel2a(name.data(), doc->m_faceDrawing, doc->m_colorFace, &width, &height,
                                &kind);
        m_faceKind = kind;
        doc->m_faceKind = kind;
    }
    if (loaded != 0 && width > 0 && height > 0 && width <= CTesselDoc::kMaxCols &&
        height <= CTesselDoc::kMaxRows) {
        m_bodyAdded = 0;
        m_bkgdAdded = 0;
        // White paper shows as grey 192, the colour of the panels' paper.
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                _pixel& p = doc->m_colorFace[r][c];
                if (p.r == 255 && p.g == 255 && p.b == 255) {
                    p.r = p.g = p.b = 192;
                }
            }
        }
        face_color(1, _pixel{63, 63, 63, 0});
        doc->m_colorWidth = width;
        doc->m_colorHeight = height;
        doc->m_faceRect.SetRect(0, 0, width, height);
        doc->BuildFaceScreen();
        doc->m_facePresent = 1;
        doc->m_composedShown = 0;
        doc->m_faceChanged = 0;
        doc->m_composedChanged = 0;
        m_lastFaceFolder = std::filesystem::path(path).parent_path().string();
        InvalidatePanels();
        CClientDC dc(this);
        DrawFace(&dc, kFacePanel);
        doc->SetModifiedFlag(TRUE);
        m_btnSave.EnableWindow(FALSE);
        m_btnPrint.EnableWindow(FALSE);
    } else {
        loaded = 0;
        doc->ReleaseImages();
        // The panels were last painted while the file dialog was open, from the document as it
        // was: painted again, they show that nothing is loaded.
        InvalidatePanels();
        Say("The document's format is invalid or not supported!", "Load caricature from a ZEL file",
            MB_OK | MB_ICONSTOP);
    }
    RefreshButtonsByState();
    return loaded != 0 ? TRUE : FALSE;
}
