#pragma once
// Replaceable hooks for everything that waits for a person: message boxes, the common dialogs
// (file open and save, colour, font, print and print set-up), modal dialogs, the print
// preview, the profile store, the desktop's opener and sounds. Each hook is the real Qt
// implementation; tests install their own answers through the testing library
// (zel/platform/testing.h).

#include "zel/platform/gdi.h"

#include <functional>
#include <string>
#include <vector>

class CDialog;

namespace zel::platform {

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0; // MB_* buttons | icon | default button
};
// Returns IDOK, IDCANCEL, IDYES, IDNO, ...
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;

// Runs after a modal dialog's OnInitDialog and before its loop. A hook that ends the dialog
// (EndDialog, or a click on one of its buttons) answers it without a loop; one that returns
// leaving the dialog open hands it to the person.
using ModalDialogHook = std::function<void(CDialog& dialog)>;

struct FileDialogRequest {
    bool open = true;
    HWND owner = nullptr;
    std::string initialName;
    std::string initialDir; // empty: wherever the dialog opens by itself
    std::string defaultExt;
    // Pairs of description and patterns, e.g. {"ZEL Files (*.zel)", "*.zel"}.
    std::vector<std::pair<std::string, std::string>> filters;
    int filterIndex = 1; // 1-based
    DWORD flags = 0;
};
struct FileDialogAnswer {
    bool ok = false;
    std::string path;
    int filterIndex = 1; // 1-based index of the filter chosen
};
using FileDialogHook = std::function<FileDialogAnswer(const FileDialogRequest&)>;

struct ColorDialogRequest {
    HWND owner = nullptr;
    COLORREF initial = 0;
    COLORREF custom[16] = {};
};
struct ColorDialogAnswer {
    bool ok = false;
    COLORREF color = 0;
    COLORREF custom[16] = {};
};
using ColorDialogHook = std::function<ColorDialogAnswer(const ColorDialogRequest&)>;

struct FontDialogRequest {
    HWND owner = nullptr;
    LOGFONT initial{};
    bool hasInitial = false;
};
struct FontDialogAnswer {
    bool ok = false;
    LOGFONT font{};
    COLORREF color = 0;
};
using FontDialogHook = std::function<FontDialogAnswer(const FontDialogRequest&)>;

// Printed pages are drawn as pictures of at least this many dots per inch, so that their
// lines and letters look sharp on paper; only paper too large for such a picture (a poster)
// gets fewer.
constexpr int kMinimumPrintDpi = 300;

// What a print or print set-up dialog decides.
struct PrinterSettings {
    std::string printerName;            // empty: the default printer
    std::string outputFile;             // not empty: print into this PDF file
    int orientation = 1;                // 1 portrait, 2 landscape
    int dotsPerInch = kMinimumPrintDpi; // the printer's resolution, for the page pictures
    double pageWidthMm = 210;           // paper size
    double pageHeightMm = 297;
    // The edges of the paper that the printer cannot reach, in the printed orientation. Pages
    // are drawn inside them, on the printable area (all 0 for a PDF file).
    double marginLeftMm = 0, marginTopMm = 0, marginRightMm = 0, marginBottomMm = 0;
};
struct PrintDialogRequest {
    HWND owner = nullptr;
    bool setupOnly = false;
    PrinterSettings current;
    int minPage = 1, maxPage = 1;
};
struct PrintDialogAnswer {
    bool ok = false;
    PrinterSettings settings;
    int fromPage = 1, toPage = 1;
};
using PrintDialogHook = std::function<PrintDialogAnswer(const PrintDialogRequest&)>;

// A document ready to print: pages are rendered on demand into bitmaps that the caller
// deletes (DeleteObject).
struct PrintJob {
    std::string title;
    PrinterSettings settings;
    int firstPage = 1, lastPage = 1;
    std::function<HBITMAP(int page)> renderPage;
};
// Sends finished pages to the printer (or the PDF file); TRUE when the job was written.
using PrintOutputHook = std::function<bool(const PrintJob&)>;
// Shows pages on screen before printing; returns TRUE when the person asked to print.
using PrintPreviewHook = std::function<bool(const PrintJob&)>;

// The profile: settings by section and entry. The default keeps them with QSettings in the
// user's configuration folder.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual bool read(const std::string& section, const std::string& entry, std::string& value) = 0;
    virtual void write(const std::string& section, const std::string& entry,
                       const std::string& value) = 0;
    virtual void remove(const std::string& section, const std::string& entry) = 0;
};
ProfileStore& profile_store();

// Opens a document or address with the desktop's opener. Returns a value above 32 on success,
// else the reason (2 file not found, 3 its folder not found, 5 access denied, 31 no application
// associated, 0 out of resources).
using ShellOpenHook = std::function<int(const std::string& verb, const std::string& target)>;

// Sounds: the default plays a sound file when Qt can.
struct SoundRequest {
    std::string name; // file name, or "#<id>" for a sound resource, or "beep:<type>"
    DWORD flags = 0;
};
using SoundHook = std::function<void(const SoundRequest&)>;

} // namespace zel::platform
