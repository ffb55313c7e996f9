// Builds the starter face files from their face-edge drawings and measures, through the face
// engine's own builder and writers, so that they are exactly what the engine itself would save.
//
// Usage: zel_starter_faces <folder of face-edge drawings (PNG)> <output folder>

#include "starter_faces.h"

#include "builder/face_builder.h"
#include "face_state.h"
#include "file/bw_buffer.h"

#include <Magick++.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

using zel::engine::BwBuffer;

// The drawing as a face edge: ink where the picture is dark. Row 0 becomes the top. The
// drawings are PNG, which the image library does not read, so Magick reads them here.
bool read_drawing(const std::string& path, BwBuffer& edge) {
    constexpr int cols = 720;
    constexpr int rows = 960;
    std::vector<unsigned char> red(static_cast<std::size_t>(cols) * rows);
    try {
        Magick::Image picture(path);
        if (picture.columns() != cols || picture.rows() != rows)
            return false;
        picture.write(0, 0, cols, rows, "R", Magick::CharPixel, red.data());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.what());
        return false;
    }
    edge.reset(cols, rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            edge.row_table()[r][c] = red[static_cast<std::size_t>(r) * cols + c] < 128 ? 0 : 1;
    return true;
}

FaceBox box_of(const zelfaces::StarterFace& face) {
    FaceBox box;
    box.box_record_init();
    box.box_set_side(0, face.minx);
    box.box_set_side(1, face.maxx);
    box.box_set_side(2, face.miny);
    box.box_set_side(3, face.maxy);
    return box;
}

// The landmarks a generator would have measured: the parts' anchor points.
void set_landmarks(zel::engine::FaceObject& object) {
    _zel_face scratch{};
    zel::engine::face_record_init(&scratch);
    BwBuffer drawing(object.colSize, object.rowSize);
    if (face_record_build(&scratch, drawing.row_table(), object.colSize, object.rowSize, object.sex,
                          &object.box, &object.measures, 0) != 0)
        return;
    FaceLandmarks marks;
    marks.face_landmarks_init();
    for (int side = 0; side < 2; ++side) {
        const _zel_object& eye = scratch.parts[side == 0 ? kSlotLeftEye : kSlotRightEye];
        marks.set_eye_point(side == 0 ? 1 : 0, side, eye.lx, eye.ly);
    }
    marks.set_nose_point(2, scratch.parts[kSlotNose].lx, scratch.parts[kSlotNose].ly);
    marks.set_mouth_point(3, scratch.parts[kSlotMouth].lx, scratch.parts[kSlotMouth].ly);
    object.face_set_landmarks(&marks);
}

bool write_version1(const std::string& name) {
    zel::engine::FaceObject& object = zel::engine::face_object();
    // The drawing as the editor would hand it over: face edge and parts, bottom row first.
    BwBuffer drawing(object.colSize, object.rowSize);
    if (object.face_get_bwimage(drawing.row_table()) != 0 ||
        face_build_from_parts(drawing.row_table(), object.colSize, object.rowSize, object.sex,
                              &object.box, &object.measures, 0) != 0)
        return false;
    BwBuffer handedOver;
    handedOver.copy_from(drawing.row_table(), object.colSize, object.rowSize, /*flip=*/true);
    std::vector<char> path(name.begin(), name.end());
    path.push_back('\0');
    return SaveCartoonInZEL(handedOver.row_table(), path.data()) == 1;
}

bool write_version2(const zelfaces::StarterFace& face, const std::string& name) {
    using namespace zel::engine;
    _zel_face& current = current_face();
    face_record_init(&current);
    if (face_build_render(face_object(), current) != 0)
        return false;
    if (face.glasses)
        face_glasses(40);
    if (face.colouredMouth)
        face_color(7, _pixel{255 - 190, 255 - 40, 255 - 60, 0}); // a red the engine stores
    std::vector<char> path(name.begin(), name.end());
    path.push_back('\0');
    return face_savezel2(path.data()) == 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <drawings folder> <output folder>\n", argv[0]);
        return 2;
    }
    Magick::InitializeMagick(argv[0]);
    const std::string drawings = argv[1];
    const std::string output = argv[2];
    if (zel::engine::face_alloc_clrimage() != 1)
        return 1;
    for (const zelfaces::StarterFace& face : zelfaces::starter_faces()) {
        BwBuffer edge;
        const std::string drawing = drawings + "/" + face.drawing + ".png";
        if (!read_drawing(drawing, edge)) {
            std::fprintf(stderr, "%s: cannot read a 720 x 960 drawing\n", drawing.c_str());
            return 1;
        }
        zel::engine::FaceObject& object = zel::engine::face_object();
        object.face_set_image(face.set, edge.cols(), edge.rows());
        const FaceBox box = box_of(face);
        object.face_set_outline(&box);
        object.face_set_measures(&face.measures);
        object.face_set_bwimage(edge.row_table());
        set_landmarks(object);
        const std::string name = output + "/" + face.file;
        const bool written =
            face.version == 1 ? write_version1(name) : write_version2(face, name + ".zel");
        if (!written) {
            std::fprintf(stderr, "%s.zel: the face could not be built or written\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
