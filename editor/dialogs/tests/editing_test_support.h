#pragma once
// What the editing dialogs' tests and demo share: a starter face loaded into the face engine
// as the view loads it, the head picture written where the view writes it, buttons pressed
// through their windows, and the preview compared with what it should show.

#include "zel/dialogs/preview_dialog.h"

#include <zel/face_engine.h>
#include <zel/platform/platform.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zel::dialogs::test {

// The view's colour face: loaded from a starter face file, its white turned into the grey 192
// of the face panel, the engine told the same, and written to the head work file.
class LoadedFace {
public:
    explicit LoadedFace(const std::string& starter = "man");
    ~LoadedFace();
    LoadedFace(const LoadedFace&) = delete;
    LoadedFace& operator=(const LoadedFace&) = delete;

    bool ok() const { return m_ok; }
    int kind() const { return m_kind; }
    // Writes the colour face to the head work file again.
    bool write_head() const;

    std::string headPath;
    std::string composedPath;

private:
    bool m_ok = false;
    int m_width = 0, m_height = 0, m_kind = 0;
    unsigned char** m_drawing = nullptr;
    _pixel** m_colour = nullptr;
};

// The picture file at `path` as rows of red, green, blue (bottom row first); empty when it
// cannot be read.
struct Picture {
    int width = 0, height = 0;
    std::vector<_pixel> pixels;
    bool operator==(const Picture& other) const;
};
Picture read_picture(const std::string& path);

// Presses button `id` of `dialog` as a click would: through the button, so its own handling
// runs first.
void press(CWnd& dialog, UINT id);

// Runs `dialog` modally with `script` run once it is open (the script must end it); returns
// DoModal's result.
INT_PTR run_modal(CDialog& dialog, const std::function<void()>& script);

// Points `headPath` into a folder made only once `dialog` is open, so that opening can neither
// draw nor read the head but the steps of `script` can; runs the dialog with `script` (which
// must end it) and returns the head picture it left, the folder then removed.
Picture run_with_late_head(CDialog& dialog, std::string& headPath,
                           const std::function<void()>& script);

// The number of pixels of `dialog`'s preview rectangle that differ from its picture stretched
// into the rectangle exactly as the dialog paints it (after any pending paint has run).
int preview_mismatches(CPreviewDialog& dialog);
// The same for any window that stretches `pictures` into `rect`.
int preview_mismatches(CWnd& dialog, const CRect& rect, const DialogPictures& pictures);
// Runs `dialog` with its preview covered by a colour the picture does not have, presses `step`
// and then Done; the pixels of the preview that do not show the picture after the step (the
// whole preview, -1, when the cover was not seen before the step).
int stale_pixels_after(CPreviewDialog& dialog, UINT step);

// The whole face record of the engine, pointers cleared.
_zel_face engine_face();
// The parts of two face records that an edit can change are the same.
bool same_face(const _zel_face& a, const _zel_face& b);

// Points the data folder at an empty one until destroyed, so that every library step fails.
class NoLibraries {
public:
    NoLibraries();
    ~NoLibraries();
    NoLibraries(const NoLibraries&) = delete;
    NoLibraries& operator=(const NoLibraries&) = delete;

private:
    std::optional<std::string> m_saved;
};

// Records every message box and answers it with OK, until destroyed.
class MessageBoxes {
public:
    MessageBoxes();
    ~MessageBoxes();
    // How many of the boxes shown had this text and caption.
    int count(const std::string& text, const std::string& caption) const;
    // How many said that the `what` ("face", "composed picture") could not be backed up.
    int failed_backups(const std::string& what) const;
    std::vector<zel::platform::MessageBoxRequest> shown;
};

} // namespace zel::dialogs::test
