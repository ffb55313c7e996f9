// Pointing the layers at their pictures, and stepping through the body and background
// libraries.

#include "composer_state.h"
#include "work_paths.h"

#include <cstring>
#include <string>

using namespace zel::composition;

namespace {

// One picture library: the body or the background kind, and its variant counters.
struct Library {
    const char* prefix; // "body" or "bkgd": the folder and file name prefix
    int id;             // the layer the library fills
    int count;          // number of libraries of this kind
    int* variants;      // the variant counter of each library
};

Library bodies() {
    return {"body", ZEL2_BODY, body_libraries, state().bodyVariant};
}
Library backgrounds() {
    return {"bkgd", ZEL2_BKGD, bkgd_libraries, state().bkgdVariant};
}

bool valid_index(const Library& library, int index) {
    return index >= 0 && index < library.count;
}

int load_current(const Library& library, int index) {
    if (!valid_index(library, index))
        return -1;
    char nn[4];
    char mm[4];
    if (num_text(index, 2, nn) != 0 || num_text(library.variants[index], 2, mm) != 0)
        return -1;
    zeleditObject& record = *layer(library.id);
    const std::string dir = library_folder() + "/" + library.prefix + nn;
    const std::string file = std::string(library.prefix) + nn + "-" + mm;
    // A folder or name too long for the record empties its field, so makePath refuses and
    // the record names no file at all rather than a shortened or the previous one.
    const bool stored = record.setDirFile(dir.c_str(), file.c_str());
    record.setExt("jpg");
    if (record.makePath() < 0 || !stored)
        return -1;
    if (zel2_image_available(library.id) == 0)
        return -1;
    record.setSex(index);
    _pixel key{};
    if (image_get_bkgnd_color(state().probePath.c_str(), &key) == 1)
        record.setBgColor(key);
    return 0;
}

int step(const Library& library, int index, bool forward) {
    if (!valid_index(library, index))
        return -1;
    int& variant = library.variants[index];
    if (forward) {
        variant = variant + 1 == 100 ? 0 : variant + 1;
    } else {
        // From "none chosen" (-1) this gives -2, which cannot be loaded, so the caller's wrap
        // lands on variant 00.
        variant = variant - 1 == -1 ? 0 : variant - 1;
    }
    return load_current(library, index);
}

// Steps and loads; at the first variant missing on disk wraps to variant 00.
int step_with_wrap(const Library& library, int index, bool forward) {
    if (step(library, index, forward) == 0)
        return 0;
    if (!valid_index(library, index))
        return -1;
    library.variants[index] = 0;
    return load_current(library, index);
}

} // namespace

int zel2_image_available(int id) {
    zeleditObject* record = layer(id);
    if (record == nullptr)
        return 0;
    const std::string probe = decipher_layer(*record, "zif_tmp");
    if (probe.empty())
        return 0;
    state().probePath = probe;
    int cols = 0;
    int rows = 0;
    if (image_available(probe.c_str(), &cols, &rows) != 1)
        return 0;
    // Compose reads the picture into the composer's arrays.
    if (cols > array_cols || rows > array_rows)
        return 0;
    record->setSize(cols, rows);
    record->IsLoaded = 1;
    return 1;
}

void zel2_set_head_file(const char* dir, const char* file, const char* ext) {
    zeleditObject& head = state().head;
    head.setDir(dir);
    // The file name arrives with its extension, which is cut off in a copy; a name too long
    // for the field is refused as a whole.
    char name[zeleditObject::file_capacity] = "";
    const bool fits = file != nullptr && std::strlen(file) < sizeof name;
    if (fits) {
        std::memcpy(name, file, std::strlen(file) + 1);
        char cut[zeleditObject::ext_capacity];
        take_off_ext(name, cut);
    }
    head.setFile(fits ? name : nullptr);
    head.setExt(ext);
    head.makePath();
    head.IsLoaded = 1;
}

void zel2_set_body_file(const char* dir, const char* file, const char* ext) {
    zeleditObject& body = state().body;
    body.setDirFile(dir, file);
    body.setExt(ext);
    body.makePath();
    body.IsLoaded = 1;
}

void zel2_set_bkgd_file(const char* dir, const char* file, const char* ext) {
    zeleditObject& bkgd = state().bkgd;
    bkgd.setDirFile(dir, file);
    bkgd.setExt(ext);
    bkgd.makePath();
}

void zel2_set_head(const char* dir, const char* file, const char* ext, int n) {
    zel2_set_head_file(dir, file, ext);
    ComposerState& s = state();
    s.body.setSex(n);
    int cols = 0;
    int rows = 0;
    _pixel key{};
    if (s.head.csPath[0] != '\0') {
        image_available(s.head.csPath, &cols, &rows);
        if (image_get_bkgnd_color(s.head.csPath, &key) == 1)
            s.head.setBgColor(key);
    }
    s.head.setSize(cols, rows);
}

int zel2_current_body(int index) {
    return load_current(bodies(), index);
}
int zel2_next_body(int index) {
    return step(bodies(), index, true);
}
int zel2_previous_body(int index) {
    return step(bodies(), index, false);
}
int zel2_get_next_body(int index) {
    return step_with_wrap(bodies(), index, true);
}
int zel2_get_previous_body(int index) {
    return step_with_wrap(bodies(), index, false);
}

int zel2_current_bkgd(int index) {
    return load_current(backgrounds(), index);
}
int zel2_next_bkgd(int index) {
    return step(backgrounds(), index, true);
}
int zel2_previous_bkgd(int index) {
    return step(backgrounds(), index, false);
}
int zel2_get_next_bkgd(int index) {
    return step_with_wrap(backgrounds(), index, true);
}
int zel2_get_previous_bkgd(int index) {
    return step_with_wrap(backgrounds(), index, false);
}
