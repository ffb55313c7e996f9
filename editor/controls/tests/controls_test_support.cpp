#include "controls_test_support.h"

#include "bitmap_rows.h"

#include "zel/common/work_folder.h"

#include <vector>

namespace zel::controls::test {

HBITMAP make_bitmap(int width, int height, const std::function<void(CDC&)>& paint) {
    CWindowDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen.m_hDC, width, height);
    CBitmap* old = dc.SelectObject(CBitmap::FromHandle(bitmap));
    paint(dc);
    dc.SelectObject(old);
    return bitmap;
}

void save_bmp(HBITMAP bitmap, const std::string& path) {
    BITMAP bm;
    ::GetObject(bitmap, sizeof bm, &bm);
    const int w = bm.bmWidth, h = bm.bmHeight;
    // Rows from the bottom up, as the file keeps them.
    const std::vector<BYTE> rows = read_bitmap_rows(bitmap, w, h, 24, false);
    if (rows.empty()) {
        return;
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return;
    }
    auto put = [f](DWORD v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            std::fputc(int((v >> (8 * i)) & 0xFF), f);
        }
    };
    put(0x4D42, 2);
    put(DWORD(54 + rows.size()), 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(DWORD(w), 4);
    put(DWORD(h), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(DWORD(rows.size()), 4);
    put(0, 4);
    put(0, 4);
    put(0, 4);
    put(0, 4);
    std::fwrite(rows.data(), 1, rows.size(), f);
    std::fclose(f);
}

void register_picture(UINT kind, UINT id, HBITMAP bitmap) {
    const std::string path =
        zel::work_path("picture_" + std::to_string(kind) + "_" + std::to_string(id) + ".bmp");
    save_bmp(bitmap, path);
    zel::platform::register_image_file(kind, id, path);
}

COLORREF pixel(HBITMAP bitmap, int x, int y) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(CBitmap::FromHandle(bitmap));
    const COLORREF c = dc.GetPixel(x, y);
    dc.SelectObject(old);
    return c;
}

void register_test_toolbar() {
    zel::platform::register_toolbar(kTestToolbar, 16, 16, {701, 0, 702, 703});
}

} // namespace zel::controls::test
