#include "test_templates.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>

namespace zel::engine::testing {
namespace {

struct Library {
    std::map<std::pair<int, std::string>, FakeTemplate> entries;
    int opens = 0;
    int closes = 0;
    int locationReads = 0;
};

Library& library() {
    static Library lib;
    return lib;
}

const FakeTemplate* find(int set, const char* name) {
    auto it = library().entries.find({set, name});
    return it == library().entries.end() ? nullptr : &it->second;
}

unsigned char** fake_open(int set, const char* name, int* cols, int* rows) {
    const FakeTemplate* t = find(set, name);
    if (t == nullptr || !t->hasBitmap) {
        return nullptr;
    }
    ++library().opens;
    const int h = static_cast<int>(t->art.size());
    const int w = static_cast<int>(t->art[0].size());
    unsigned char** bitmap = pbm_allocarray(w, h);
    for (int r = 0; r < h; ++r) {
        for (int c = 0; c < w; ++c) {
            bitmap[r][c] = t->art[r][c] == '#' ? 0 : 1;
        }
    }
    *cols = w;
    *rows = h;
    return bitmap;
}

void fake_close(unsigned char** bitmap, int rows) {
    ++library().closes;
    pbm_freearray(bitmap, rows);
}

int fake_location(int set, const char* name, std::int32_t loc[6]) {
    ++library().locationReads;
    const FakeTemplate* t = find(set, name);
    if (t == nullptr) {
        return 0;
    }
    const PartLocation& l = t->loc;
    const std::int32_t words[6] = {l.ax, l.ay, l.c0, l.c1, l.r0, l.r1};
    std::copy(words, words + 6, loc);
    return 1;
}

TemplateReader g_previous;

} // namespace

FakeTemplates::FakeTemplates() {
    library() = Library{};
    g_previous = set_template_reader(TemplateReader{fake_open, fake_close, fake_location});
}

FakeTemplates::~FakeTemplates() {
    set_template_reader(g_previous);
    library() = Library{};
}

void FakeTemplates::add(int set, const std::string& name, std::vector<std::string> art, int ax,
                        int ay) {
    FakeTemplate t;
    t.set = set;
    t.name = name;
    PartLocation loc{ax, ay, 1 << 20, -1, 1 << 20, -1};
    for (int r = 0; r < static_cast<int>(art.size()); ++r) {
        for (int c = 0; c < static_cast<int>(art[r].size()); ++c) {
            if (art[r][c] == '#') {
                loc.c0 = std::min(loc.c0, c);
                loc.c1 = std::max(loc.c1, c);
                loc.r0 = std::min(loc.r0, r);
                loc.r1 = std::max(loc.r1, r);
            }
        }
    }
    t.art = std::move(art);
    t.loc = loc;
    library().entries[{set, name}] = std::move(t);
}

void FakeTemplates::add_location_only(int set, const std::string& name, PartLocation loc) {
    FakeTemplate t;
    t.set = set;
    t.name = name;
    t.loc = loc;
    t.hasBitmap = false;
    library().entries[{set, name}] = std::move(t);
}

void FakeTemplates::relocate(int set, const std::string& name, PartLocation loc) {
    library().entries.at({set, name}).loc = loc;
}

int FakeTemplates::opens() const {
    return library().opens;
}
int FakeTemplates::location_reads() const {
    return library().locationReads;
}
int FakeTemplates::open_without_close() const {
    return library().opens - library().closes;
}

void EngineTest::SetUp() {
    ASSERT_EQ(face_alloc_clrimage(), 1);
    face_record_init(&current_face());
    // Every test starts from the same small face: 40 x 30, nothing loaded.
    current_face().colSize = 40;
    current_face().rowSize = 30;
}

void EngineTest::place(int slot, const char* name, int lx, int ly, double scale) {
    _zel_object& p = current_face().parts[slot];
    std::strcpy(p.name, name);
    p.IsLoaded = 1;
    p.Gender = 1;
    p.lx = lx;
    p.ly = ly;
    p.Scale = scale;
}

std::vector<std::string> as_art(unsigned char** rows, int cols, int rowCount) {
    std::vector<std::string> art;
    for (int r = 0; r < rowCount; ++r) {
        std::string line;
        for (int c = 0; c < cols; ++c) {
            line += rows[r][c] == 0 ? '#' : '.';
        }
        art.push_back(line);
    }
    return art;
}

} // namespace zel::engine::testing
