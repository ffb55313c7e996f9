#pragma once
// Helpers of the Edit Face tests: a face drawing's screen copy as the view lends it, the
// dialog opened modeless over it, messages as the mouse and the buttons send them, and answers
// for the pop-ups the dialog opens.

#include "zel/dialogs/edit_face_dlg.h"
#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zel::dialogs::test {

using zel::platform::test::ensure_app;
using zel::platform::test::HookReset;
using zel::platform::test::pump;

constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(192, 192, 192);

// The view's screen copy of a face drawing: bottom-up 24-bit rows padded with 192.
struct FaceCopy {
    FaceCopy(int width, int height);
    int width, height;
    std::vector<unsigned char> bits;
    BITMAPINFO info{};
    // Inks the picture pixel (x, y), y counted from the top as the dialog's picture has it.
    void ink(int x, int y);
    // The colour of picture pixel (x, y) in the copy.
    COLORREF at(int x, int y) const;
};

// The dialog over a face copy, opened modeless and painted once.
class EditFaceTest : public ::testing::Test {
protected:
    void SetUp() override { ensure_app(); }
    void TearDown() override;
    // Opens the dialog over `copy`; with `paint` false the first paint has not run yet.
    void open(FaceCopy& copy, bool paint = true);
    void command(int id);
    void press(CPoint client);
    void drag(CPoint client);
    void release(CPoint client);
    void scroll(bool horizontal, UINT code, int pos = 0);
    // A point of the drawing area, `dx`, `dy` pixels from its top-left corner.
    CPoint area(int dx, int dy) const;
    COLORREF screen(CPoint client);
    CRect clip() const;

    HookReset hooks;
    CEditFaceDlg dialog;
};

// Answers the pop-ups: pen `pen` (0: "OK", which keeps the pen), and the text pop-up with
// `text` (null: Cancel). Edit Face itself, when run modally, gets `script`.
void answer_popups(int pen, const char* text, std::function<void(CEditFaceDlg&)> script = nullptr);

} // namespace zel::dialogs::test
