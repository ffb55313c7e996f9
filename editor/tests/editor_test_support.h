#pragma once
// A started program for the editor's tests: the application object after its start-up, with
// the message boxes and file dialogs answered by the test and every answer recorded.

#include "main_frame.h"
#include "tessel_app.h"
#include "tessel_doc.h"
#include "tessel_view.h"

#include <zel/platform/hooks.h>
#include <zel/platform/testing.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zel::editor::test {

class EditorTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Starts the program with `args` after the program name; TRUE when start-up succeeded.
    BOOL Start(std::vector<std::string> args = {});

    CMainFrame* Frame() const;
    CTesselView* View() const;
    CTesselDoc* Doc() const;

    // The next file dialogs end with these answers (then: cancelled).
    void AnswerFileDialog(const std::string& path, int filterIndex = 1);
    void CancelFileDialog();
    // The next message boxes answer these (then: IDOK, or IDNO for Yes/No/Cancel questions).
    void AnswerMessageBox(int answer);

    // The next modal dialogs run `script` once they are open; the script ends them (by default
    // each dialog ends at once, as if closed without doing anything).
    void AnswerDialog(std::function<void(CDialog&)> script);
    // Presses button `id` of an open dialog as a click does.
    static void Press(CDialog& dialog, UINT id);

    // Sends a command as the menu or an accelerator does.
    void Command(UINT id);
    // Whether the frame's routing enables command `id`.
    bool CommandEnabled(UINT id);

    // Loads a starter face ("man", "woman", "child", "man-glasses") through the command.
    void LoadStarterFace(const std::string& name);
    // Runs Add Body's road with the dialog choosing the first body and ending with Done.
    void AddBodyThroughTheRoad();
    // Paints the whole view now.
    void Repaint();
    COLORREF Pixel(int x, int y);

    std::unique_ptr<CTesselApp> m_app;
    std::vector<zel::platform::MessageBoxRequest> m_boxes;
    std::vector<zel::platform::FileDialogRequest> m_fileDialogs;
    std::deque<zel::platform::FileDialogAnswer> m_fileAnswers;
    std::deque<int> m_boxAnswers;
    std::vector<std::string> m_opened;

private:
    zel::platform::test::HookReset m_reset;
};

// The path of a starter face in the data folder.
std::string starter_face(const std::string& name);
// Writes a cols x rows BMP picture of one colour to path; TRUE when written.
bool write_photo(const std::string& path, int cols, int rows, _pixel colour);
// The pixels of a colour array, rows bottom first.
std::vector<_pixel> pixels_of(_pixel** rows, int width, int height);
// The pixels of a picture file (empty when it cannot be read).
std::vector<_pixel> picture_file(const std::string& path);
// Whether two pixel lists hold the same colours.
bool same(const std::vector<_pixel>& a, const std::vector<_pixel>& b);

} // namespace zel::editor::test
