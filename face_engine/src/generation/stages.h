#pragma once
// The stages of caricature generation in the order GetCartoon runs them, and the work records
// they share. Inside a run every image is held top-down (row index = y, 0 at the top of the
// photograph) and every point, box and landmark uses those coordinates.
//
// Each stage returns 0 or an engine code (engine_codes.h); GetCartoon stops at the first
// non-zero one. The landmark, feature-line and part-choice stages are defined by their own
// files; a stage that is not built yet fails with kMissing.

#include "model/face_object.h"
#include "model/image_holders.h"

#include <zel/face_engine.h>

namespace zel::engine {

// The work records of one run. GetCartoon creates them in member order and they are released
// in reverse order on every way out, so a stage never frees what it was handed.
struct CartoonWork {
    ClrImage photo;  // the photograph, rows turned top-down, kind kClrKindRgb
    ClrImage hsv;    // the same pixels as hue, saturation, luma, kind kClrKindHsv
    BwImage drawing; // the line drawing: 1 white, 0 ink
    FaceBox box;     // set by segmentation, adjusted between the stages
    FaceLandmarks landmarks;

    CartoonWork() = default;
    CartoonWork(const CartoonWork&) = delete;
    CartoonWork& operator=(const CartoonWork&) = delete;
    ~CartoonWork() {
        drawing.bwimage_free();
        hsv.clrimage_free();
        photo.clrimage_free();
    }
};

// Fills the holders of work from the photograph (rows bottom first, cols x rows): the photo
// turned top-down, its HSV form, and a drawing of the same size. 0, or -2 out of memory (what
// was made is released with work).
int cartoon_work_setup(CartoonWork& work, _pixel** photo, int cols, int rows);

// Segmentation and line drawing: the skin and background masks from the picked colours, the
// face box from the skin region that reaches the chin, the drawing of the face region.
// 0; -1 when no skin region reaches the chin (the box could not be set); -2 out of memory;
// -13 a region list overflowed or the face region holds no skin (each with a message).
int segmentation_stage(CartoonWork& work, _pixel skin, _pixel background, const vyPointTag& chin);

// Lowers the box top a little before the landmark search (the change stays in the box).
void face_box_lower_top(FaceBox& box);
// Eye corners, nose points and mouth corners in the luma (byte 2) of hsv, inside windows that
// are fractions of box. 0, -21 a search range or template not readable, -2 out of memory.
int landmark_search(int set, const FaceBox& box, _pixel** hsv, int cols, int rows,
                    FaceLandmarks& landmarks);
// Eye, brow and mouth lines around the landmarks found. 0, -21, -2, -13.
int feature_line_search(int set, _pixel** hsv, int cols, int rows, const FaceBox& box,
                        FaceLandmarks& landmarks);
// Measures the face, chooses part templates by fuzzy rules, stores the records in object and
// draws the chosen parts into drawing (cols x rows). 0, -21, or the face builder's code.
int part_choose(FaceObject& object, unsigned char** drawing, int cols, int rows, const FaceBox& box,
                const FaceLandmarks& landmarks, int set);

// The stage drivers: they take rows and sizes out of the work records and hand on the stage's
// result unchanged. The landmark driver first lowers the box top.
int landmark_stage(CartoonWork& work, int set);
int feature_line_stage(CartoonWork& work, int set);
int part_choice_stage(CartoonWork& work, FaceObject& object, int set);

} // namespace zel::engine
