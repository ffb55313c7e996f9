#pragma once
// The program's one document: the picture buffers the view draws and the commands fill (photo,
// face drawing, colour face, composed picture), their sizes and screen copies, the flags that
// say what is present and what changed, and the question asked before it is closed.

#include <zel/imaging.h>
#include <zel/platform/platform.h>

#include <vector>

// The face screen info: the 40-byte header followed by its two colour entries.
struct FaceScreenInfo {
    BITMAPINFO info;
    RGBQUAD second;
};

class CTesselDoc : public CDocument {
    DECLARE_DYNCREATE(CTesselDoc)
public:
    // Every picture the program loads or makes fits these arrays.
    static constexpr int kMaxCols = 720;
    static constexpr int kMaxRows = 960;

    CTesselDoc();
    ~CTesselDoc() override;
    CTesselDoc(const CTesselDoc&) = delete;
    CTesselDoc& operator=(const CTesselDoc&) = delete;

    BOOL OnNewDocument() override;
    // A file dropped on the window or named on the command line: the document has no file of
    // its own, so nothing changes (not even the modified mark).
    BOOL OnOpenDocument(LPCTSTR path) override;
    BOOL SaveModified() override;

    // Frees the screen copies and clears what is present and what changed.
    void ReleaseImages();

    // Screen copies, each built from the delivered size (24-bit rows) and kept in step with it.
    void BuildPhotoScreen();
    void BuildFaceScreen();
    void BuildComposedScreen();
    // Reads the face screen copy back into the face drawing; nothing without a face.
    void ReadFaceScreen();

    // The texts of the may-close explanation for the change flags (a pure function of them).
    static CString NotSavedExplanation(int composedChanged, int faceChanged);

    _pixel** m_photo = nullptr;
    unsigned char** m_faceDrawing = nullptr;
    int m_photoCols = 0;
    int m_photoRows = 0;
    std::vector<unsigned char> m_photoBits;
    std::vector<unsigned char> m_faceBits;
    _BmpHeader m_photoHeader{};
    BITMAPINFOHEADER m_photoInfo{};
    int m_photoScreenSize = 0;
    int m_photoLoaded = 0;
    int m_facePresent = 0;
    CRect m_faceRect;
    _pixel** m_colorFace = nullptr;
    int m_colorWidth = 0;
    int m_colorHeight = 0;
    _pixel** m_composed = nullptr;
    int m_composedWidth = 0;
    int m_composedHeight = 0;
    std::vector<unsigned char> m_composedBits;
    _BmpHeader m_composedHeader{};
    BITMAPINFOHEADER m_composedInfo{};
    int m_composedShown = 0;
    int m_faceChanged = 0;
    int m_composedChanged = 0;
    int m_faceKind = 0;
    FaceScreenInfo m_faceInfo{};
};
