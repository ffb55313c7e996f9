// The face builder: names each part's template from its codes, places it relative to the face
// box, scales it by the face box against the standard face and draws it into a bilevel drawing.

#include "builder/face_builder.h"

#include "engine_codes.h"
#include "face_state.h"
#include "truncate.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace zel::engine {
namespace {

constexpr char kStandardFace[] = "STD_FACE";

bool code_fits(int code) {
    return code >= 1 && code <= 3;
}

// Everything the placers share: the target drawing, the template set, the face box, the scale
// s of the face against the standard face and the distances of step 3 (eye line E, brow B,
// nose N and mouth M offsets, eye spacing S). Any measures may come in, so the offsets are
// combined in double and held at the int range: no sum of them can overflow.
struct Geometry {
    unsigned char** drawing = nullptr;
    int cols = 0;
    int rows = 0;
    int set = 0;
    int erase = 0;
    FaceBox box;
    double s = 0.0;
    int E = 0;
    int B = 0;
    int N = 0;
    int M = 0;
    int S = 0;
};

int make_geometry(unsigned char** drawing, int cols, int rows, int set, const FaceBox& box,
                  const FaceMeasures& m, int erase, Geometry& g) {
    PartLocation standard;
    if (read_part_location(set, kStandardFace, &standard) != kOk)
        return kMissing;
    const long long standardArea = static_cast<long long>(standard.c1 - standard.c0 + 1) *
                                   static_cast<long long>(standard.r1 - standard.r0 + 1);
    const long long boxArea = static_cast<long long>(box.width) * box.height;
    if (standardArea <= 0)
        return kMissing;
    if (boxArea <= 0)
        return kFail;
    g.drawing = drawing;
    g.cols = cols;
    g.rows = rows;
    g.set = set;
    g.erase = erase;
    g.box = box;
    g.s = std::sqrt(static_cast<double>(boxArea) / static_cast<double>(standardArea));
    g.E = trunc_to_int(box.height * m.eye_height);
    g.B = trunc_to_int(g.E * m.eye_brow);
    g.N = trunc_to_int(g.E * m.eye_nose);
    g.M = trunc_to_int(g.E * m.nose_mouth);
    g.S = trunc_to_int(box.width * m.eye_space);
    return kOk;
}

// Reads the part's location record, names the part and gives it the set.
int begin_part(_zel_object& part, const std::string& name, const Geometry& g, PartLocation& loc) {
    if (name.empty() || name.size() >= sizeof part.name)
        return kMissing;
    if (read_part_location(g.set, name.c_str(), &loc) != kOk)
        return kMissing;
    std::memcpy(part.name, name.c_str(), name.size() + 1);
    part.Gender = g.set;
    return kOk;
}

int draw_part(const _zel_object& part, const PartLocation& loc, double scale, bool mirror,
              bool draw, const Geometry& g) {
    if (!draw)
        return kOk;
    return part_place_template(g.drawing, g.cols, g.rows, g.set, part.name, part.lx, part.ly, loc,
                               scale, mirror ? 1 : 0, g.erase);
}

// The inner corner (template column c1) lands S/2 beside the box centre; the anchor sits on
// the eye line. Gives the eye's width and top row for the brows.
int eye_place(_zel_object& part, const std::string& name, bool mirror, bool draw, const Geometry& g,
              int& width, int& top) {
    PartLocation loc;
    if (const int result = begin_part(part, name, g, loc); result != kOk)
        return result;
    const double offset = g.S / 2 + (loc.c1 - loc.ax) * g.s;
    part.lx = trunc_to_int(mirror ? g.box.centerx + offset : g.box.centerx - offset);
    part.ly = trunc_to_int(static_cast<double>(g.box.maxy) - g.E);
    part.Scale = g.s;
    width = trunc_to_int((loc.c1 - loc.c0 + 1) * g.s);
    top = trunc_to_int(part.ly - (loc.ay - loc.r0) * g.s);
    return draw_part(part, loc, g.s, mirror, draw, g);
}

// A brow is 1.2 times as wide as an eye, its bottom row B above the eye's top row.
int brow_place(_zel_object& part, const std::string& name, bool mirror, bool draw,
               const Geometry& g, int eyeWidth, int eyeTop) {
    PartLocation loc;
    if (const int result = begin_part(part, name, g, loc); result != kOk)
        return result;
    const int browWidth = loc.c1 - loc.c0 + 1;
    if (browWidth <= 0)
        return kMissing;
    const double bs = eyeWidth * 1.2 / browWidth;
    const double offset = (loc.c1 - loc.ax) * bs + g.S / 2;
    part.lx = trunc_to_int(mirror ? g.box.centerx + offset : g.box.centerx - offset);
    part.ly = trunc_to_int((static_cast<double>(eyeTop) - g.B) - (loc.r1 - loc.ay) * bs);
    part.Scale = bs;
    return draw_part(part, loc, bs, mirror, draw, g);
}

// The nose's last box row lies N below the eye line.
int nose_place(_zel_object& part, const std::string& name, bool draw, const Geometry& g) {
    PartLocation loc;
    if (const int result = begin_part(part, name, g, loc); result != kOk)
        return result;
    const double d = static_cast<double>(g.E) - g.N;
    part.lx = g.box.centerx;
    part.ly = trunc_to_int(g.box.maxy - d - (loc.r1 - loc.ay) * g.s);
    part.Scale = g.s;
    return draw_part(part, loc, g.s, false, draw, g);
}

// The mouth's anchor lies N + M below the eye line.
int mouth_place(_zel_object& part, const std::string& name, bool draw, const Geometry& g) {
    PartLocation loc;
    if (const int result = begin_part(part, name, g, loc); result != kOk)
        return result;
    part.lx = g.box.centerx;
    part.ly =
        trunc_to_int(static_cast<double>(g.box.maxy) - (static_cast<double>(g.E) - g.N - g.M));
    part.Scale = g.s;
    return draw_part(part, loc, g.s, false, draw, g);
}

// The glasses sit between the eyes; they are off until the user chooses them, so nothing is
// drawn.
void glasses_place(_zel_face& face) {
    const _zel_object& left = face.parts[kSlotLeftEye];
    const _zel_object& right = face.parts[kSlotRightEye];
    _zel_object& glasses = face.parts[kSlotGlasses];
    glasses.lx = trunc_to_int((static_cast<double>(left.lx) + right.lx) / 2);
    glasses.ly = trunc_to_int((static_cast<double>(left.ly) + right.ly) / 2);
    glasses.Gender = face.nSex;
}

// Places eyes, brows, (glasses,) nose and mouth in that order; a part is drawn when its
// Display is set, or always when honourDisplay is false. Stops at the first failure.
int place_parts(_zel_face& face, const FaceMeasures& m, const Geometry& g, bool honourDisplay,
                bool withGlasses) {
    auto shown = [&](int slot) { return !honourDisplay || face.parts[slot].Display != 0; };
    const std::string eye = eye_template_name(m);
    const std::string brow = brow_template_name(m);
    int eyeWidth = 0;
    int eyeTop = 0;
    int result =
        eye_place(face.parts[kSlotLeftEye], eye, false, shown(kSlotLeftEye), g, eyeWidth, eyeTop);
    if (result == kOk)
        result = eye_place(face.parts[kSlotRightEye], eye, true, shown(kSlotRightEye), g, eyeWidth,
                           eyeTop);
    if (result == kOk)
        result = brow_place(face.parts[kSlotLeftBrow], brow, false, shown(kSlotLeftBrow), g,
                            eyeWidth, eyeTop);
    if (result == kOk)
        result = brow_place(face.parts[kSlotRightBrow], brow, true, shown(kSlotRightBrow), g,
                            eyeWidth, eyeTop);
    if (result != kOk)
        return result;
    if (withGlasses)
        glasses_place(face);
    result = nose_place(face.parts[kSlotNose], nose_template_name(m), shown(kSlotNose), g);
    if (result == kOk)
        result = mouth_place(face.parts[kSlotMouth], mouth_template_name(m), shown(kSlotMouth), g);
    return result;
}

std::string format_name(const char* pattern, int a, int b = 0, int c = 0) {
    char buffer[20];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

} // namespace

std::string eye_template_name(const FaceMeasures& m) {
    if (!code_fits(m.eye_size) || !code_fits(m.eye_shape) || !code_fits(m.eye_slant))
        return {};
    return format_name("EYE%1d%1d%1d", m.eye_size, m.eye_shape, m.eye_slant);
}

std::string brow_template_name(const FaceMeasures& m) {
    return code_fits(m.brow_thick) ? format_name("BROW%1d", m.brow_thick) : std::string();
}

std::string nose_template_name(const FaceMeasures& m) {
    return code_fits(m.nose_shape) ? format_name("NOSE%1d", m.nose_shape) : std::string();
}

std::string mouth_template_name(const FaceMeasures& m) {
    if (!code_fits(m.mouth_size) || !code_fits(m.lips_thick))
        return {};
    return format_name("MOUTH%1d%1d", m.mouth_size, m.lips_thick);
}

int face_build_render(FaceObject& object, _zel_face& face) {
    const int cols = object.colSize;
    const int rows = object.rowSize;
    _zel_object& edge = face.parts[kSlotFaceEdge];
    if (cols < 1 || cols > kCanvasCols || rows < 1 || rows > kCanvasRows ||
        edge.bitmap == nullptr || face.clrImage == nullptr || object.drawing.pixels == nullptr)
        return kFail;
    // The face edge is the drawing before the parts are added.
    if (object.face_get_bwimage(edge.bitmap) != kOk)
        return kFail;
    edge.bmReady = 1;
    if (face_record_build(&face, object.drawing.pixels, cols, rows, object.sex, &object.box,
                          &object.measures, 0) != kOk)
        return kBuildFailed;
    face_bw_to_clr(object.drawing.pixels, face.clrImage, cols, rows);
    face.bDrawn = 1;
    return kOk;
}

} // namespace zel::engine

int face_record_build(_zel_face* face, unsigned char** drawing, int cols, int rows, int set,
                      const FaceBox* box, const FaceMeasures* measures, int erase) {
    using namespace zel::engine;
    if (face == nullptr || drawing == nullptr || box == nullptr || measures == nullptr)
        return kFail;
    Geometry g;
    if (const int result = make_geometry(drawing, cols, rows, set, *box, *measures, erase, g);
        result != kOk)
        return result;
    face->nSex = set;
    face->colSize = cols;
    face->rowSize = rows;
    for (const int slot : {kSlotLeftEye, kSlotRightEye, kSlotNose, kSlotMouth})
        face->parts[slot].Scale = g.s;
    face->parts[kSlotGlasses].Scale = 2 * g.s;
    if (const int result = place_parts(*face, *measures, g, true, true); result != kOk)
        return result;
    for (_zel_object& part : face->parts)
        part.IsLoaded = 1;
    face->parts[kSlotGlasses].IsLoaded = 0;
    return kOk;
}

int face_build_from_parts(unsigned char** drawing, int cols, int rows, int set, const FaceBox* box,
                          const FaceMeasures* measures, int erase) {
    using namespace zel::engine;
    if (drawing == nullptr || box == nullptr || measures == nullptr)
        return kFail;
    Geometry g;
    if (const int result = make_geometry(drawing, cols, rows, set, *box, *measures, erase, g);
        result != kOk)
        return result;
    _zel_face scratch{};
    return place_parts(scratch, *measures, g, false, false);
}

int face_build_rebuild(unsigned char** drawing, int cols, int rows, int set, const FaceBox* box,
                       const FaceMeasures* measures) {
    return face_build_from_parts(drawing, cols, rows, set, box, measures, /*erase=*/1);
}
