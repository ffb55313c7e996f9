#include "editor_test_support.h"

#include "resource_ids.h"

#include <zel/common/data_folder.h>
#include <zel/dialogs/compose_paths.h>
#include <zel/imaging.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace zel::editor::test {

using namespace zel::platform;

std::string starter_face(const std::string& name) {
    return zel::data_path("faces/" + name + ".zel");
}

std::vector<_pixel> pixels_of(_pixel** rows, int width, int height) {
    std::vector<_pixel> out;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            _pixel p = rows[y][x];
            p.spare = 0;
            out.push_back(p);
        }
    }
    return out;
}

bool same(const std::vector<_pixel>& a, const std::vector<_pixel>& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](const _pixel& p, const _pixel& q) {
               return p.r == q.r && p.g == q.g && p.b == q.b;
           });
}

std::vector<_pixel> picture_file(const std::string& path) {
    _pixel** rows = ppm_allocarray(720, 960);
    _BmpHeader header{};
    int w = 0, h = 0;
    std::vector<_pixel> out;
    if (LoadGeneralImage(rows, path.c_str(), &w, &h, &header) != 0) {
        out = pixels_of(rows, w, h);
    }
    ppm_freearray(rows, 960);
    return out;
}

bool write_photo(const std::string& path, int cols, int rows, _pixel colour) {
    _pixel** pixels = ppm_allocarray(cols, rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            pixels[r][c] = colour;
        }
    }
    const bool written = save_pixels(pixels, cols, rows, path.c_str(), "bmp") != 0;
    ppm_freearray(pixels, rows);
    return written;
}

void EditorTest::SetUp() {
    zel::platform::test::ensure_app();
    set_message_box_hook([this](const MessageBoxRequest& r) {
        m_boxes.push_back(r);
        if (!m_boxAnswers.empty()) {
            const int a = m_boxAnswers.front();
            m_boxAnswers.pop_front();
            return a;
        }
        return (r.type & 0xF) == MB_YESNOCANCEL ? IDNO : IDOK;
    });
    set_file_dialog_hook([this](const FileDialogRequest& r) {
        m_fileDialogs.push_back(r);
        FileDialogAnswer a;
        if (!m_fileAnswers.empty()) {
            a = m_fileAnswers.front();
            m_fileAnswers.pop_front();
        }
        return a;
    });
    AnswerDialog({});
    set_shell_open_hook([this](const std::string&, const std::string& target) {
        m_opened.push_back(target);
        return 42;
    });
}

void EditorTest::TearDown() {
    if (m_app && Doc() != nullptr) {
        Doc()->SetModifiedFlag(FALSE);
    }
    // The next test in this process starts without the work files this one left.
    if (m_app && View() != nullptr) {
        for (const std::string& path :
             {View()->m_headPath, View()->m_composedPath, View()->m_backupPath,
              zel::dialogs::composed_backup_path(View()->m_composedPath)}) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
    }
    m_app.reset();
    zel::set_message_handler(nullptr);
}

BOOL EditorTest::Start(std::vector<std::string> args) {
    m_app = std::make_unique<CTesselApp>();
    m_app->m_args.emplace_back("zel-editor");
    for (auto& a : args) {
        m_app->m_args.push_back(std::move(a));
    }
    const BOOL started = m_app->InitInstance();
    if (started) {
        zel::platform::test::pump(20);
    }
    return started;
}

CMainFrame* EditorTest::Frame() const {
    return m_app ? static_cast<CMainFrame*>(m_app->m_pMainWnd) : nullptr;
}

CTesselView* EditorTest::View() const {
    return Frame() != nullptr ? static_cast<CTesselView*>(Frame()->GetActiveView()) : nullptr;
}

CTesselDoc* EditorTest::Doc() const {
    return View() != nullptr ? View()->GetDocument() : nullptr;
}

void EditorTest::AnswerFileDialog(const std::string& path, int filterIndex) {
    FileDialogAnswer a;
    a.ok = true;
    a.path = path;
    a.filterIndex = filterIndex;
    m_fileAnswers.push_back(a);
}

void EditorTest::CancelFileDialog() {
    m_fileAnswers.push_back(FileDialogAnswer{});
}

void EditorTest::AnswerDialog(std::function<void(CDialog&)> script) {
    if (!script) {
        script = [](CDialog& dialog) { dialog.EndDialog(1); };
    }
    set_modal_dialog_hook(std::move(script));
}

void EditorTest::Press(CDialog& dialog, UINT id) {
    if (CWnd* button = dialog.GetDlgItem(int(id))) {
        button->SendMessage(BM_CLICK);
    }
}

void EditorTest::AnswerMessageBox(int answer) {
    m_boxAnswers.push_back(answer);
}

void EditorTest::Command(UINT id) {
    Frame()->SendMessage(WM_COMMAND, id, 0);
}

bool EditorTest::CommandEnabled(UINT id) {
    CCmdUI ui;
    ui.m_nID = id;
    ui.DoUpdate(Frame(), TRUE);
    return ui.m_bEnabled != FALSE;
}

void EditorTest::LoadStarterFace(const std::string& name) {
    AnswerFileDialog(starter_face(name));
    Command(ID_LOAD_CARICATURE);
}

void EditorTest::AddBodyThroughTheRoad() {
    AnswerDialog([](CDialog& dialog) {
        Press(dialog, dlgAddBody::IDC_NEXT);
        Press(dialog, dlgAddBody::IDC_DONE);
    });
    Command(ID_ADD_BODY);
    AnswerDialog({});
}

void EditorTest::Repaint() {
    View()->Invalidate(FALSE);
    View()->UpdateWindow();
}

COLORREF EditorTest::Pixel(int x, int y) {
    CClientDC dc(View());
    return dc.GetPixel(x, y);
}

} // namespace zel::editor::test
