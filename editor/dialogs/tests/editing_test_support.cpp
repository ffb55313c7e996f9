#include "editing_test_support.h"

#include "zel/platform/testing.h"

#include <zel/common/data_folder.h>
#include <zel/common/work_folder.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace zel::dialogs::test {

LoadedFace::LoadedFace(const std::string& starter)
    : headPath(zel::work_path("zel_head.bmp")), composedPath(zel::work_path("zel_all.bmp")) {
    zel::platform::test::ensure_app();
    m_drawing = pbm_allocarray(720, 960);
    m_colour = ppm_allocarray(720, 960);
    std::string path = zel::data_path("faces/" + starter + ".zel");
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    if (face_loadzel2a(name.data(), m_drawing, m_colour, &m_width, &m_height, &m_kind) == 0) {
        return;
    }
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            _pixel& p = m_colour[y][x];
            if (p.r == 255 && p.g == 255 && p.b == 255) {
                p.r = p.g = p.b = 192;
            }
        }
    }
    face_color(1, _pixel{63, 63, 63, 0});
    m_ok = write_head();
}

LoadedFace::~LoadedFace() {
    pbm_freearray(m_drawing, 960);
    ppm_freearray(m_colour, 960);
}

bool LoadedFace::write_head() const {
    return save_pixels(m_colour, m_width, m_height, headPath.c_str(), "bmp") != 0;
}

bool Picture::operator==(const Picture& other) const {
    return width == other.width && height == other.height &&
           std::memcmp(pixels.data(), other.pixels.data(), pixels.size() * sizeof(_pixel)) == 0;
}

Picture read_picture(const std::string& path) {
    Picture picture;
    _pixel** rows = ppm_allocarray(720, 960);
    _BmpHeader header{};
    int w = 0, h = 0;
    if (LoadGeneralImage(rows, path.c_str(), &w, &h, &header) != 0) {
        picture.width = w;
        picture.height = h;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                _pixel p = rows[y][x];
                p.spare = 0;
                picture.pixels.push_back(p);
            }
        }
    }
    ppm_freearray(rows, 960);
    return picture;
}

void press(CWnd& dialog, UINT id) {
    CWnd* button = dialog.GetDlgItem(int(id));
    if (button != nullptr) {
        button->SendMessage(BM_CLICK);
    }
}

INT_PTR run_modal(CDialog& dialog, const std::function<void()>& script) {
    zel::platform::set_modal_dialog_hook([&script](CDialog&) { script(); });
    const INT_PTR result = dialog.DoModal();
    zel::platform::set_modal_dialog_hook({});
    return result;
}

int preview_mismatches(CPreviewDialog& dialog) {
    return preview_mismatches(dialog, dialog.PreviewRect(), dialog.Pictures());
}

int preview_mismatches(CWnd& dialog, const CRect& rect, const DialogPictures& pictures) {
    dialog.UpdateWindow();
    CClientDC screen(&dialog);
    CDC expected;
    expected.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, rect.Width(), rect.Height());
    CBitmap* old = expected.SelectObject(&bitmap);
    pictures.Paint(expected, CRect(0, 0, rect.Width(), rect.Height()));
    int mismatches = 0;
    for (int y = 0; y < rect.Height(); ++y) {
        for (int x = 0; x < rect.Width(); ++x) {
            if (screen.GetPixel(rect.left + x, rect.top + y) != expected.GetPixel(x, y)) {
                ++mismatches;
            }
        }
    }
    expected.SelectObject(old);
    return mismatches;
}

int stale_pixels_after(CPreviewDialog& dialog, UINT step) {
    int stale = -1;
    run_modal(dialog, [&] {
        const CRect preview = dialog.PreviewRect();
        dialog.UpdateWindow();
        CClientDC(&dialog).FillSolidRect(&preview, RGB(255, 0, 255));
        const bool covered = preview_mismatches(dialog) == preview.Width() * preview.Height();
        press(dialog, step);
        stale = covered ? preview_mismatches(dialog) : -1;
        press(dialog, CPreviewDialog::IDC_DONE);
    });
    return stale;
}

bool same_face(const _zel_face& a, const _zel_face& b) {
    if (a.nSex != b.nSex || a.nExpression != b.nExpression || a.bBackedUp != b.bBackedUp) {
        return false;
    }
    for (int i = 0; i < kZelFaceParts; ++i) {
        const _zel_object& p = a.parts[i];
        const _zel_object& q = b.parts[i];
        if (std::strcmp(p.name, q.name) != 0 || p.IsLoaded != q.IsLoaded || p.lx != q.lx ||
            p.ly != q.ly || p.Display != q.Display || p.Gender != q.Gender || p.Scale != q.Scale ||
            p.color.r != q.color.r || p.color.g != q.color.g || p.color.b != q.color.b) {
            return false;
        }
    }
    return true;
}

MessageBoxes::MessageBoxes() {
    zel::platform::set_message_box_hook([this](const zel::platform::MessageBoxRequest& r) {
        shown.push_back(r);
        return IDOK;
    });
}

MessageBoxes::~MessageBoxes() {
    zel::platform::set_message_box_hook({});
}

Picture run_with_late_head(CDialog& dialog, std::string& headPath,
                           const std::function<void()>& script) {
    const std::filesystem::path folder = zel::work_path("later");
    std::filesystem::remove_all(folder);
    headPath = (folder / "zel_head.bmp").string();
    run_modal(dialog, [&] {
        std::filesystem::create_directory(folder);
        script();
    });
    Picture head = read_picture(headPath);
    std::filesystem::remove_all(folder);
    return head;
}

int MessageBoxes::count(const std::string& text, const std::string& caption) const {
    return int(std::count_if(shown.begin(), shown.end(), [&](const auto& box) {
        return box.text == text && box.caption == caption;
    }));
}

int MessageBoxes::failed_backups(const std::string& what) const {
    return count("The " + what +
                     " could not be backed up: Cancel will not undo the changes made to it.",
                 "Morvane @ Runtime message");
}

NoLibraries::NoLibraries() {
    if (const char* dir = std::getenv("ZEL_DATA_DIR")) {
        m_saved = dir;
    }
    const std::string empty = zel::work_path("no-data");
    std::filesystem::create_directories(empty);
    ::setenv("ZEL_DATA_DIR", empty.c_str(), 1);
}

NoLibraries::~NoLibraries() {
    if (m_saved) {
        ::setenv("ZEL_DATA_DIR", m_saved->c_str(), 1);
    } else {
        ::unsetenv("ZEL_DATA_DIR");
    }
}

_zel_face engine_face() {
    _zel_face face{};
    zel_face_copyFromDLL(&face);
    return face;
}

} // namespace zel::dialogs::test
