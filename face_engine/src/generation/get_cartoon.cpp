// GetCartoon: the entry of caricature generation and the order of its stages.

#include "builder/face_builder.h"
#include "engine_codes.h"
#include "face_state.h"
#include "generation/cartoon.h"
#include "generation/stages.h"

#include <cstdio>
#include <new>

namespace zel::engine {
namespace {

// The refusals of the stages that have no message of their own.
void show_no_skin_at_chin() {
    vyMessage("No skin region reaching the chin has been found.\n"
              "Please make sure that the skin color was picked on the face and the chin's "
              "position on the chin.\n");
}

// A stage that ran out of memory says so, as the set-up does; its other refusals have shown
// their own message where one exists.
int shown_if_out_of_memory(int result) {
    if (result == kNoMemory)
        vyMessage("Out of memory!");
    return result;
}

void show_unusable_box(const FaceBox& box) {
    char text[256];
    std::snprintf(text, sizeof text,
                  "The face found (%d by %d) is too small or not inside the image.\n"
                  "Please check the chin's position, the top of the head and the face's sides.\n",
                  box.maxy - box.miny + 1, box.maxx - box.minx + 1);
    vyMessage(text);
}

int run_cartoon(int sex, const char* colourFileName, _pixel** photo, int cols, int rows,
                _pixel skin, _pixel background, vyPointTag chin, vyPointTag headTop,
                const vyPointSetTag& points, unsigned char** out) {
    // Asked on every run: a canvas whose first set-up failed is never there.
    if (face_alloc_clrimage() == 0)
        return 0;
    if (cartoon_check_input(colourFileName, photo, cols, rows, out, skin) != kOk)
        return 0;
    if (cartoon_check_head(chin, headTop, cols, rows) != kOk)
        return 0;
    if (cartoon_check_sides(points, cols) != kOk)
        return 0;

    CartoonWork work;
    if (cartoon_work_setup(work, photo, cols, rows) != kOk) {
        vyMessage("Out of memory!");
        return 0;
    }
    work.box.box_record_init();
    generation_state().face_bottom_y = chin.y;
    if (const int result = segmentation_stage(work, skin, background, chin); result != kOk) {
        if (result == kFail)
            show_no_skin_at_chin();
        shown_if_out_of_memory(result);
        return 0;
    }
    if (!cartoon_box_usable(work.box, cols, rows)) {
        show_unusable_box(work.box);
        return 0;
    }
    cartoon_set_landmarks(sex, chin, headTop, points, work.box, cols);
    if (!cartoon_box_usable(work.box, cols, rows)) {
        show_unusable_box(work.box);
        return 0;
    }

    work.landmarks.face_landmarks_init();
    if (shown_if_out_of_memory(landmark_stage(work, sex)) != kOk)
        return 0;
    if (shown_if_out_of_memory(feature_line_stage(work, sex)) != kOk)
        return 0;
    cartoon_store_landmarks(points, work.landmarks);
    cartoon_fit_parts(sex, work.box, work.landmarks);

    // The part choice fills an object of the run's own: a photo or a sex code refused at any
    // stage leaves the caller's face, current face and face object alike, as it was. The face
    // edge takes the segmentation's drawing from the face object in the build.
    FaceObject generated;
    generated.face_set_image(sex, cols, rows);
    if (part_choice_stage(work, generated, sex) != kOk)
        return 0;
    _zel_face& face = current_face();
    face_record_init(&face);
    FaceObject& object = face_object();
    if (object.face_take_generated(generated) != kOk)
        return 0;
    // Rendered before the drawing goes out, so that a failed run leaves the caller's array
    // as it was.
    if (face_build_render(object, face) != kOk)
        return 0;
    if (work.drawing.bwimage_copy_flipped(out) != kOk)
        return 0;
    return 1;
}

} // namespace

int cartoon_work_setup(CartoonWork& work, _pixel** photo, int cols, int rows) {
    work.photo.clrimage_init(cols, rows, 255);
    if (work.photo.clrimage_copy_in_flipped(kClrKindRgb, photo) != kOk)
        return kNoMemory;
    work.hsv.clrimage_init(cols, rows, 255);
    if (work.hsv.clrimage_copy_in(kClrKindHsv, work.photo.pixels) != kOk)
        return kNoMemory;
    face_rgb2hvs(work.photo.pixels, cols, rows, work.hsv.pixels);
    work.drawing.bwimage_set_size(cols, rows);
    if (work.drawing.bwimage_alloc() != kOk)
        return kNoMemory;
    return kOk;
}

int landmark_stage(CartoonWork& work, int set) {
    face_box_lower_top(work.box);
    return landmark_search(set, work.box, work.hsv.pixels, work.hsv.cols, work.hsv.rows,
                           work.landmarks);
}

int feature_line_stage(CartoonWork& work, int set) {
    return feature_line_search(set, work.hsv.pixels, work.hsv.cols, work.hsv.rows, work.box,
                               work.landmarks);
}

int part_choice_stage(CartoonWork& work, FaceObject& object, int set) {
    return part_choose(object, work.drawing.pixels, work.drawing.cols, work.drawing.rows, work.box,
                       work.landmarks, set);
}

} // namespace zel::engine

int GetCartoon(int sex, char* colourFileName, _pixel** photo, int cols, int rows, _pixel& skin,
               _pixel& background, vyPointTag& chin, vyPointTag& headTop, vyPointSetTag& points,
               unsigned char** out) {
    try {
        return zel::engine::run_cartoon(sex, colourFileName, photo, cols, rows, skin, background,
                                        chin, headTop, points, out);
    } catch (const std::bad_alloc&) {
        // The work records were released on the way out; the run failed for want of memory.
        vyMessage("Out of memory!");
        return 0;
    }
}
