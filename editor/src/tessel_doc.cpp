// The document: its buffers, screen copies, flags and the may-close question.

#include "tessel_doc.h"

#include <zel/dialogs/screen_copy.h>

IMPLEMENT_DYNCREATE(CTesselDoc, CDocument)

namespace {
constexpr unsigned char kPicturePad = 128;
constexpr unsigned char kFacePad = 192;
} // namespace

CTesselDoc::CTesselDoc() {
    m_photo = ppm_allocarray(kMaxCols, kMaxRows);
    m_faceDrawing = pbm_allocarray(kMaxCols, kMaxRows);
    m_colorFace = ppm_allocarray(kMaxCols, kMaxRows);
    m_composed = ppm_allocarray(kMaxCols, kMaxRows);
}

CTesselDoc::~CTesselDoc() {
    ReleaseImages();
    pbm_freearray(m_faceDrawing, kMaxRows);
    ppm_freearray(m_colorFace, kMaxRows);
    ppm_freearray(m_photo, kMaxRows);
    ppm_freearray(m_composed, kMaxRows);
}

BOOL CTesselDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) {
        return FALSE;
    }
    ReleaseImages();
    m_photoCols = m_photoRows = 0;
    m_photoScreenSize = 0;
    m_faceRect.SetRectEmpty();
    m_colorWidth = m_colorHeight = 0;
    m_composedWidth = m_composedHeight = 0;
    return TRUE;
}

BOOL CTesselDoc::OnOpenDocument(LPCTSTR) {
    return TRUE;
}

void CTesselDoc::ReleaseImages() {
    m_photoBits.clear();
    m_photoBits.shrink_to_fit();
    m_faceBits.clear();
    m_faceBits.shrink_to_fit();
    m_composedBits.clear();
    m_composedBits.shrink_to_fit();
    m_photoScreenSize = 0;
    m_facePresent = 0;
    m_photoLoaded = 0;
    m_composedShown = 0;
    m_faceChanged = 0;
    m_composedChanged = 0;
}

void CTesselDoc::BuildPhotoScreen() {
    m_photoBits =
        zel::dialogs::screen_bits_from_pixels(m_photo, m_photoCols, m_photoRows, kPicturePad);
    m_photoScreenSize = int(m_photoBits.size());
    m_photoInfo = zel::dialogs::screen_info(m_photoCols, m_photoRows);
}

void CTesselDoc::BuildFaceScreen() {
    const int width = m_faceRect.Width();
    const int height = m_faceRect.Height();
    m_faceBits = zel::dialogs::screen_bits_from_drawing(m_faceDrawing, width, height, kFacePad);
    m_faceInfo.info.bmiHeader = zel::dialogs::screen_info(width, height);
    m_faceInfo.info.bmiHeader.biClrUsed = 2;
    m_faceInfo.info.bmiHeader.biClrImportant = 2;
}

void CTesselDoc::BuildComposedScreen() {
    m_composedBits = zel::dialogs::screen_bits_from_pixels(m_composed, m_composedWidth,
                                                           m_composedHeight, kPicturePad);
    m_composedInfo = zel::dialogs::screen_info(m_composedWidth, m_composedHeight);
}

void CTesselDoc::ReadFaceScreen() {
    const int width = m_faceRect.Width();
    const int height = m_faceRect.Height();
    if (m_facePresent == 0 || m_faceBits.empty() ||
        m_faceBits.size() != std::size_t(zel::dialogs::screen_row_bytes(width)) * height) {
        return;
    }
    zel::dialogs::drawing_from_screen_bits(m_faceBits.data(), width, height, m_faceDrawing);
}

CString CTesselDoc::NotSavedExplanation(int composedChanged, int faceChanged) {
    CString text("\n");
    if (composedChanged != 0) {
        text = "Click Save button to save the created image,";
        text += faceChanged != 0 ? " and/or\n" : " \n";
    }
    if (faceChanged != 0) {
        text += "Use 'Save Face in ZEL Format' from File menu to save the modified face "
                "caricature,\n";
    }
    text += "then click Exit button to exit.\n";
    return text;
}

BOOL CTesselDoc::SaveModified() {
    if (!IsModified() || (m_faceChanged == 0 && m_composedChanged == 0)) {
        return TRUE;
    }
    CWnd* main = AfxGetMainWnd();
    const HWND owner = main != nullptr ? main->m_hWnd : nullptr;
    switch (MessageBox(owner, "Save Caricature", "Caricature Not Saved",
                       MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
        return FALSE;
    case IDNO:
        return TRUE;
    default:
        break;
    }
    // The document cannot save by itself: it says which command saves what.
    MessageBox(owner, NotSavedExplanation(m_composedChanged, m_faceChanged),
               "Caricature Not Saved yet!", MB_OK | MB_ICONSTOP);
    return FALSE;
}
