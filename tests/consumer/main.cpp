// Makes the caricature of a portrait through the installed libraries, saves it as a face file,
// loads the file back and checks that the loaded face is the one saved: the same parts, placed
// and scaled the same, drawn to the same colour face.
//   caricature <photo> <reference_landmarks.txt> <folder for the face file>
#include "caricature.h"
#include "portrait_marks.h"

#include <zel/face_engine.h>
#include <zel/imaging.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    if (!ok) {
        std::fprintf(stderr, "caricature: %s\n", what.c_str());
        ++failures;
    }
}

// The current face's part records (the engine keeps the pictures).
_zel_face current_parts() {
    _zel_face face{};
    zel_face_copyFromDLL(&face);
    return face;
}

void check_same_parts(const _zel_face& saved, const _zel_face& loaded) {
    check(loaded.nSex == saved.nSex, "the loaded face has another template set");
    for (int slot = 0; slot < kZelFaceParts; ++slot) {
        const _zel_object& a = saved.parts[slot];
        const _zel_object& b = loaded.parts[slot];
        const std::string part = "part " + std::to_string(a.nOid) + " (" + a.name + ")";
        check(std::strcmp(a.name, b.name) == 0, part + " loaded as " + b.name);
        check(a.IsLoaded == b.IsLoaded && a.Display == b.Display, part + " shown otherwise");
        check(a.lx == b.lx && a.ly == b.ly, part + " loaded at another place");
        check(std::fabs(a.Scale - b.Scale) < 1e-5, part + " loaded at another scale");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: caricature <photo> <reference points> <folder>\n");
        return 2;
    }
    PortraitMarks marks;
    if (!mark_portrait(argv[1], argv[2], marks)) {
        std::fprintf(stderr, "caricature: cannot read %s or its reference points\n", argv[1]);
        return 1;
    }
    if (!make_caricature(argv[1], marks.skin, marks.background, marks.chin, marks.headTop)) {
        std::fprintf(stderr, "caricature: no caricature made of %s\n", argv[1]);
        return 1;
    }
    const int cols = marks.cols, rows = marks.rows;
    const _zel_face saved = current_parts();
    check(saved.colSize == cols && saved.rowSize == rows, "the face is not the photo's size");
    for (int slot = 0; slot < kZelFaceParts; ++slot)
        check((saved.parts[slot].IsLoaded != 0) == (slot != kSlotGlasses),
              "part " + std::to_string(saved.parts[slot].nOid) + " loaded wrongly");
    _pixel** savedFace = ppm_allocarray(cols, rows);
    int w = 0, h = 0;
    check(face_compose_clr(savedFace, &w, &h) == 1, "the caricature cannot be drawn");

    std::string name = std::string(argv[3]) + "/caricature";
    check(face_savezel2(name.data()) == 1, "the face file cannot be saved");
    // Forget the face so that what is checked next comes from the file.
    const _zel_face blank{};
    zel_face_copyToDLL(&blank);
    check(zel_object_loaded(4) == 0, "the face was not forgotten");

    const std::string saved_file = std::string(argv[3]) + "/caricature.zel";
    std::string file = saved_file; // the load cuts the extension off its argument
    _pixel** loadedFace = ppm_allocarray(cols, rows);
    unsigned char** drawing = pbm_allocarray(cols, rows);
    w = h = 0;
    check(face_loadzel2(file.data(), drawing, loadedFace, &w, &h) == 1,
          "cannot load " + saved_file);
    check(w == cols && h == rows, "the loaded face has another size");
    check_same_parts(saved, current_parts());
    int differing = 0, ink = 0;
    for (int y = 0; y < rows && w == cols && h == rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            differing += std::memcmp(&savedFace[y][x], &loadedFace[y][x], 3) != 0 ? 1 : 0;
            ink += drawing[y][x] == 0 ? 1 : 0;
        }
    }
    check(differing == 0, std::to_string(differing) + " pixels of the loaded face differ");
    check(ink > cols * rows / 100, "the loaded drawing is nearly blank");
    ppm_freearray(savedFace, rows);
    ppm_freearray(loadedFace, rows);
    pbm_freearray(drawing, rows);
    if (failures == 0)
        std::printf("caricature: %s made (eyes %s, nose %s, mouth %s), saved to %s and loaded "
                    "back the same\n",
                    argv[1], saved.parts[kSlotLeftEye].name, saved.parts[kSlotNose].name,
                    saved.parts[kSlotMouth].name, saved_file.c_str());
    return failures == 0 ? 0 : 1;
}
