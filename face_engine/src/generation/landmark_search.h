#pragma once
// Landmark search of caricature generation: the nine facial points (four eye corners, three
// nose points, two mouth corners) found by matching weighted point templates against the
// brightness of the photograph inside search windows that are fractions of the face box.
// Pictures are the generation's HSV rows (byte 2 luma, byte 1 saturation), row 0 at the top.
//
// Every window is clipped to the picture before it is searched, and a point that no position
// of its window scores keeps its previous value; a point never set before (still at 0, 0 as the
// landmark record is constructed) takes its window's centre instead, so that the windows built
// around it stay on the face.

#include "generation/landmark_pairs.h"
#include "generation/stages.h"

#include <zel/face_engine.h>

namespace zel::engine {

// A search window: columns x0..x1 and rows y0..y1, inclusive.
struct SearchWindow {
    int x0 = 0;
    int x1 = 0;
    int y0 = 0;
    int y1 = 0;

    // The part of the window inside cols x rows (empty when x0 > x1 or y0 > y1).
    SearchWindow clipped(int cols, int rows) const;
    bool empty() const { return x0 > x1 || y0 > y1; }
    // The centre of the window, held inside cols x rows.
    void centre(int cols, int rows, int& x, int& y) const;
};

// The stage itself (face_box_lower_top, landmark_search) is declared with the other stages.

// The nine points in the order of the search.
enum LandmarkPoint : int {
    kEyeLeftIn,
    kEyeRightIn,
    kEyeLeftOut,
    kEyeRightOut,
    kNoseCentre,
    kNoseLeft,
    kNoseRight,
    kMouthLeft,
    kMouthRight,
};
// The name of the point's template ("EYE_LEFT_IN" ...).
const char* landmark_template_name(LandmarkPoint which);

// The nose's templates are measured on portraits turned upright by their eye line and matched
// turned as the eye line found: on a head tilted ten degrees an upright template reads its
// outer points a sixth of their distance from the point away from where the face has them,
// and the nose, searched right after the eyes, is the first point to know the tilt. The eyes' own
// templates stay upright (searched before any eye line is known, and turned by it once found they
// took fewer true corners on portraits not calibrated on), and so do the mouth corners' (turned,
// their search on the calibration portraits lost corners).
bool template_follows_eye_line(LandmarkPoint which);
// The tilt in radians of the line from the left eye's middle (lx, ly) to the right one's, in
// picture rows (positive: the right eye lower); 0 unless the right eye lies right of the left.
double eye_line_tilt(double lx, double ly, double rx, double ry);
// The angle in radians by which the template of point which is turned on the face whose eye
// corners lm holds (0 for the templates that stay upright).
double template_angle(const FaceLandmarks& lm, LandmarkPoint which);
// The offset (x, y) of a template, scaled by scale and turned by angle radians, rounded as the
// search reads it: upright, a half added and truncated toward zero; turned, to the nearest.
void turned_offset(double x, double y, double scale, double angle, int& dx, int& dy);

// The band whose saturation gives the mouth line: columns x0..x1 - 1, rows y0..y1 - 1. Its
// rows start below the nose centre found before it (noseRow), whatever the ranges say: above
// it the nostrils, as saturated as the lips, would take the line in many faces.
struct MouthBand {
    int x0;
    int x1;
    int y0;
    int y1;
};
MouthBand mouth_band(const FaceBox& box, const double r[21], int noseRow);

// The search window of a point from the face box and the 21 search ranges r, before clipping.
// The second inner eye corner, the outer corners and the nose wings are searched around points
// found before them (read from found); the mouth corners around mouthLine, within the band.
SearchWindow landmark_window(LandmarkPoint which, const FaceBox& box, const double r[21],
                             const FaceLandmarks& found, int mouthLine);

// The best position of the point template name (set) in columns xFrom..xTo, rows yFrom..yTo
// (clipped to the picture), the template scaled to size: the position whose brightness
// differences correlate best with the template's weights. outX, outY are left as they are when
// no position scores. 0, or -21 when the template is not readable.
int landmark_match_template(_pixel** hsv, int cols, int rows, int set, const char* name, int xFrom,
                            int xTo, int yFrom, int yTo, int& outX, int& outY, int size);
// The correlation of the point template name at every position of window (clipped to the
// picture; an empty map when nothing is left), the template turned by angle radians. 0, -21
// the template is not readable, -2 out of memory.
int landmark_score_window(_pixel** hsv, int cols, int rows, int set, const char* name,
                          const SearchWindow& window, int size, ScoreMap& map, double angle = 0.0);
// As landmark_match_template; found tells whether a position scored.
int landmark_match_window(_pixel** hsv, int cols, int rows, int set, const char* name,
                          const SearchWindow& window, int size, int& outX, int& outY, bool& found);

// The row of the mouth line: the row of greatest smoothed saturation summed over columns
// xFrom..xTo - 1 and rows yFrom..yTo - 1 (the part inside the picture). A band under five rows,
// or one without saturation, gives yFrom. 0, or -2 out of memory.
int mouth_line_projection(_pixel** hsv, int cols, int rows, int xFrom, int xTo, int yFrom, int yTo,
                          int& outY);

// Writes the nine points as text ("left_eye in_x:%d" ...) to the file named, nothing else.
// 0, or -11 when the file cannot be opened.
int landmark_dump(const char* file, const FaceLandmarks& landmarks);

} // namespace zel::engine
