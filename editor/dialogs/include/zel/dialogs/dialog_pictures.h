#pragma once
// The pictures an editing dialog owns: the preview (the work file it last read, with a 24-bit
// screen copy padded with the byte 125, or the dialog's own pad byte) and, for the editing
// dialogs, the two further working arrays their constructors allocate, a colour and a bilevel
// one, each of the working size 720 x 960. An array that could not be allocated is never read,
// written or freed.

#include <zel/imaging.h>
#include <zel/platform/platform.h>

#include <memory>
#include <string>
#include <vector>

namespace zel::dialogs {

/// How the dialogs allocate their arrays; tests replace it to run out of memory.
struct ArrayAllocators {
    _pixel** (*colour)(int cols, int rows) = ppm_allocarray;
    unsigned char** (*bilevel)(int cols, int rows) = pbm_allocarray;
};
/// Installs `allocators` for the dialogs constructed from now on; returns the previous ones.
ArrayAllocators set_array_allocators(ArrayAllocators allocators);

class DialogPictures {
public:
    static constexpr int kCols = 720;
    static constexpr int kRows = 960;
    static constexpr unsigned char kPad = 125;

    /// Allocates the preview, the second colour array and the bilevel array in this order. At
    /// the first that fails it allocates no further and shows "Out of memory!" (caption
    /// "Morvane @ Runtime message", exclamation icon).
    DialogPictures();
    /// Allocates the preview alone, whose screen copy pads its rows with `pad`; says nothing
    /// when it cannot.
    explicit DialogPictures(unsigned char pad);
    ~DialogPictures();
    DialogPictures(const DialogPictures&) = delete;
    DialogPictures& operator=(const DialogPictures&) = delete;

    bool PreviewAllocated() const { return m_preview != nullptr; }
    bool AllAllocated() const {
        return m_preview != nullptr &&
               (!m_working || (m_second != nullptr && m_bilevel != nullptr));
    }

    /// Reads the picture at `path` into the preview and rebuilds the screen copy. False, with
    /// the preview and its copy as they were, when there is no preview array or the picture
    /// cannot be read.
    bool Load(const std::string& path);
    /// Writes the preview as a BMP picture to `path` (its extension replaced by "bmp"). False
    /// when there is nothing to write or the write failed.
    bool Save(const std::string& path) const;
    /// Stretches the whole preview into `rect` (the aspect ratio is not kept); nothing while
    /// no picture was read.
    void Paint(CDC& dc, const CRect& rect) const;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const std::vector<unsigned char>& ScreenBits() const { return m_bits; }

private:
    struct ColourRows {
        void operator()(_pixel** rows) const { ppm_freearray(rows, kRows); }
    };
    struct BilevelRows {
        void operator()(unsigned char** rows) const { pbm_freearray(rows, kRows); }
    };
    std::unique_ptr<_pixel*, ColourRows> m_preview;
    std::unique_ptr<_pixel*, ColourRows> m_second;
    std::unique_ptr<unsigned char*, BilevelRows> m_bilevel;
    unsigned char m_pad = kPad;
    bool m_working = true; // the working arrays belong to these pictures
    int m_width = 0;
    int m_height = 0;
    _BmpHeader m_header{};
    std::vector<unsigned char> m_bits;
};

/// A rectangle given in dialog units, in the pixels of `dialog`.
CRect dialog_rect(const CDialog& dialog, int left, int top, int right, int bottom);

} // namespace zel::dialogs
