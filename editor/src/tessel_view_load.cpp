// The load commands: a photo, and a caricature from a face file.

#include "picture_rows.h"
#include "save_names.h"
#include "tessel_view.h"

#include <zel/common/data_folder.h>
#include <zel/common/work_folder.h>
#include <zel/face_engine.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr const char* kFormatInvalid =
    "The specified document's format is invalid or not supported!";

// The face engine reads a face file into a work file before anything else. When a file that
// can be read cannot be copied into the work folder either (the folder is full or gone), the
// load failed for the work folder, and a good file must not be called invalid. A file larger
// than any face file was refused for its size: it is neither held nor copied to find out.
bool work_folder_refuses(const std::string& source) {
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(source, error);
    const std::uintmax_t size = regular ? std::filesystem::file_size(source, error) : 0;
    if (!regular || error || size == 0 || size > kZelMaxFaceFileBytes) {
        return false;
    }
    std::ifstream in(source, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() != size) {
        return false;
    }
    const std::string probe = zel::work_path("zel_load_check.zel");
    if (probe.empty()) {
        return true;
    }
    std::FILE* out = std::fopen(probe.c_str(), "wb");
    if (out == nullptr) {
        return true;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const bool closed = std::fclose(out) == 0;
    std::remove(probe.c_str());
    return !(written && closed);
}

// The load's failure told as the program tells every other work-file failure.
std::string work_folder_message() {
    const std::string folder = zel::work_folder();
    if (folder.empty()) {
        return "The face file cannot be read without a work folder. " + zel::work_folder_problem();
    }
    return "The face file cannot be read into the work folder " + folder + ".";
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
    CFileDialog dialog(TRUE, nullptr, "*.bmp", OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                       "Windows Bitmap||", this);
    AskSaveFirst();
    if (dialog.DoModal() == IDOK) {
        CWaitCursor wait;
        m_chosenPath = dialog.GetPathName().str();
        doc->SetTitle("Caricature");
        // Read apart from the document: a file that is no picture leaves the face, the photo
        // and the composed picture shown before it.
        zel::editor::ColourRows photo = zel::editor::colour_rows();
        _BmpHeader header{};
        int cols = 0;
        int rows = 0;
        const int read = LoadGeneralImage(photo.get(), m_chosenPath.c_str(), &cols, &rows, &header);
        CString text;
        text.Format("Load image file from %s: col=%d, row=%d", m_chosenPath.c_str(), cols, rows);
        Say(text, "Load image", MB_OK | MB_ICONSTOP);
        if (read != 0) {
            doc->ReleaseImages();
            zel::editor::take_rows(doc->m_photo, photo);
            doc->m_photoHeader = header;
            // A photo is of no kind yet: the kind of the face shown before it goes with that
            // face, and only a photo loaded takes it away (a cancelled dialog keeps it).
            m_faceKind = 1;
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
    CWaitCursor wait;
    // Read apart from the document: a file that cannot be loaded leaves the face, the photo
    // and the composed picture shown before it (the engine keeps its current face too).
    zel::editor::BilevelRows drawing = zel::editor::bilevel_rows();
    zel::editor::ColourRows colour = zel::editor::colour_rows();
    int width = 0;
    int height = 0;
    int kind = m_faceKind;
    int loaded = 0;
    // A name of another extension would be read as "<rest>.zel", another file.
    if (zel::editor::names_face_file(path) && drawing != nullptr && colour != nullptr) {
        std::vector<char> name(path.begin(), path.end());
        name.push_back('\0');
        loaded = face_loadzel2a(name.data(), drawing.get(), colour.get(), &width, &height, &kind);
    }
    if (loaded != 0 && width > 0 && height > 0 && width <= CTesselDoc::kMaxCols &&
        height <= CTesselDoc::kMaxRows) {
        doc->ReleaseImages();
        zel::editor::take_rows(doc->m_faceDrawing, drawing);
        zel::editor::take_rows(doc->m_colorFace, colour);
        m_faceKind = kind;
        doc->m_faceKind = kind;
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
        // The panels were invalidated before the file dialog: painted again, they show the
        // document as it was.
        InvalidatePanels();
        if (zel::editor::names_face_file(path) && work_folder_refuses(path)) {
            Say(work_folder_message().c_str(), "Work file", MB_OK | MB_ICONSTOP);
        } else {
            Say("The document's format is invalid or not supported!",
                "Load caricature from a ZEL file", MB_OK | MB_ICONSTOP);
        }
    }
    RefreshButtonsByState();
    return loaded != 0 ? TRUE : FALSE;
}
