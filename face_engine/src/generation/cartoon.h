#pragma once
// GetCartoon's own operations: the input checks with their messages, the process-wide
// generation state, and the box adjustments made between the stages.

#include <zel/face_engine.h>

namespace zel::engine {

// Set by the head checks of the last run and read by the segmentation; kept until the next.
struct GenerationState {
    int chin_x = 0;
    int head_top_y = 0;
    int chin_y = 0;
    int face_bottom_y = 0; // the face region's bottom row (a copy of chin_y stored by the run)
};
GenerationState& generation_state();

// The smallest face box a run goes on with, in both directions.
inline constexpr int kMinFaceBoxSide = 16;

// Photo, size, file name, memory for the drawing, skin colour. 0, or -1 after a message.
int cartoon_check_input(const char* colourFileName, _pixel** photo, int cols, int rows,
                        unsigned char** out, _pixel skin);
// Chin and head top inside the picture, head above chin; on success stores them as the
// generation state. 0, or -20 after a message.
int cartoon_check_head(vyPointTag chin, vyPointTag headTop, int cols, int rows);
// Used side points 0 and 1 inside the picture's columns and the left one left of the right
// one. 0, or -20 after a message.
int cartoon_check_sides(const vyPointSetTag& points, int cols);

// Box set-up before the landmark search: bottom at the chin, the sides checked against the
// head's marks, sides from used points 0 and 1, then the height/width limit.
void cartoon_set_landmarks(int sex, vyPointTag chin, vyPointTag headTop,
                           const vyPointSetTag& points, FaceBox& box, int cols);
// The segmented box's sides checked against the head from chin to head top: a box narrower
// than a face can be takes a face's usual width, and one whose centre lies far off the chin's
// column is centred on it; the sides stay inside the picture's cols. 1 when the box changed,
// else 0 (also when the head top is not above the chin).
int cartoon_box_fit_head(vyPointTag chin, vyPointTag headTop, int cols, FaceBox& box);
// For sexes 1..3 a box taller than 1.8 times its width keeps its bottom and takes that height.
// 1 when the box changed, else 0.
int cartoon_limit_box_ratio(int sex, FaceBox& box);
// Used points 2..16 replace the landmarks the searches found.
void cartoon_store_landmarks(const vyPointSetTag& points, FaceLandmarks& landmarks);
// For sexes 1..3 the box top is lowered so that the eye line sits at least a fixed share of
// the height above the chin. 1 when the box changed, else 0.
int cartoon_fit_parts(int sex, FaceBox& box, const FaceLandmarks& landmarks);
// True when the box lies inside the picture and spans at least kMinFaceBoxSide both ways.
bool cartoon_box_usable(const FaceBox& box, int cols, int rows);

} // namespace zel::engine
