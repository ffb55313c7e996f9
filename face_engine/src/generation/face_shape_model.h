#pragma once
// The nine landmarks as one face shape. The pair limits and the eye corners' set judge points
// against their partners only; a point that matched a look-alike (a nostril's shadow beside
// the nose wing, the jaw's edge beside a mouth corner) while the rest of the face is right
// passes them. Every face's nine points lie close to one mean shape once it is moved, turned
// and scaled onto them, so the mean shape is fitted to the points found, from the subset that
// agrees best, and a point lying many of its spreads away from where the fit puts it is chosen
// again, near that place.
//
// Faces do not stray from the mean shape point by point: a turned head moves the nose and the
// mouth sideways against the eyes and brings the far half's points nearer the middle, a long
// nose lowers all three nose points, a wide mouth moves both corners outwards. The model may
// hold such ways faces vary together (measured on the calibration portraits as the directions
// in which their shapes vary most), each with how far faces go along it; each point is then
// expected where the shape, bent along them to fit the other points, puts it, and judged by
// how far faces stray from that place.

#include "generation/landmark_pairs.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace zel::engine {

inline constexpr int kShapePoints = 9;

// A position in the face's own frame: origin the middle between the eyes' middles, x along
// the line from the left eye's middle to the right one's, y downwards square to it, one unit
// the distance of the eyes' middles.
struct ShapeOffset {
    double x = 0.0;
    double y = 0.0;
};

// A way faces vary together: how far each point moves per unit, and how far faces go along
// it (the spread of their units).
struct ShapeMode {
    std::array<ShapeOffset, kShapePoints> move{};
    double spread = 0.0;
};
// The model holds at most this many modes.
inline constexpr int kShapeModes = 4;

// The mean of each of the nine points (in the order of the landmark search's points) and how
// far faces stray from it along each axis; the misfit beyond which a point is chosen again,
// and how much a candidate's score is worth against its misfit. With modes, rest is how far
// faces stray from the mean shape once it is bent along them to fit.
struct ShapeModel {
    std::array<ShapeOffset, kShapePoints> mean{};
    std::array<ShapeOffset, kShapePoints> spread{};
    double misfitLimit = 0.0;
    double misfitWeight = 0.0;
    std::vector<ShapeMode> modes;
    std::array<ShapeOffset, kShapePoints> rest{};
};

// The tables hold the model as two ranges of 21 values: the means x, y per point, then the
// spreads x, y per point followed by the misfit limit and weight.
inline constexpr char kShapeMeanRange[] = "SHAPE_MEAN";
inline constexpr char kShapeSpreadRange[] = "SHAPE_SPREAD";
ShapeModel shape_model_from_ranges(const double mean[21], const double spread[21]);
void shape_model_to_ranges(const ShapeModel& model, double mean[21], double spread[21]);
// Mode k (from 0) is the range "SHAPE_MODE1" ...: the moves x, y per point, then its spread;
// "SHAPE_REST" holds the rest spreads x, y per point.
inline constexpr char kShapeRestRange[] = "SHAPE_REST";
std::string shape_mode_range(int k);
ShapeMode shape_mode_from_range(const double range[21]);
void shape_mode_to_range(const ShapeMode& mode, double range[21]);
std::array<ShapeOffset, kShapePoints> shape_rest_from_range(const double range[21]);
void shape_rest_to_range(const std::array<ShapeOffset, kShapePoints>& rest, double range[21]);

// Picture position = (a x - b y' + tx, b x + a y' + ty) of a position (x, y) of the face frame,
// with y' = stretch y: faces are longer or shorter against their eyes' distance than the mean
// face, and a shape that may not stretch takes a short face's eyes for misplaced (or its mouth,
// when the nose and mouth outvote the eyes).
struct ShapePlacement {
    double a = 1.0;
    double b = 0.0;
    double tx = 0.0;
    double ty = 0.0;
    double stretch = 1.0;

    double scale() const;
    void place(const ShapeOffset& o, double& x, double& y) const;
    // The position of the face frame that lands on picture position (x, y).
    ShapeOffset unplace(double x, double y) const;
};

// The least-squares placement of mean, stretched by stretch, on the picture positions at,
// each pair weighted by weight; false when they give none (no weight, or every weighted
// position in one place).
bool place_shape(const std::array<ShapeOffset, kShapePoints>& mean,
                 const std::array<ShapeOffset, kShapePoints>& at,
                 const std::array<double, kShapePoints>& weight, ShapePlacement& out,
                 double stretch = 1.0);

// The placement of the model on points and how far each point lies from where it is expected,
// in spreads; valid false when no placement could be made (coincident points). expected is
// each point's place in the face frame and spreadInverse the inverse of how faces stray about
// it there (xx, xy, yy): the mean and its spreads, or with modes the shape bent to fit the
// other points within the limit, with the spread of the rest and of the bending.
struct ShapeFit {
    bool valid = false;
    ShapePlacement placement;
    std::array<double, kShapePoints> misfit{};
    std::array<ShapeOffset, kShapePoints> expected{};
    std::array<std::array<double, 3>, kShapePoints> spreadInverse{};

    // How far picture position (x, y) lies from where point is expected, in spreads.
    double misfit_at(int point, double x, double y) const;
    // Where point is expected, in the picture.
    void expected_in_picture(int point, double& x, double& y) const;
    // How far faces stray from that place at most in any direction, in pixels.
    double reach(int point) const;
};

// Fits the model to the nine points robustly: of the placements through every two points far
// enough apart in the model, at every stretch a face may have, the one whose middle misfit is
// least, then refined by least squares on the points within the misfit limit; with modes the
// shape is then bent along them and placed again on those points, and each point judged
// against the shape that fits the others.
ShapeFit fit_face_shape(const ShapeModel& model,
                        const std::array<PointCandidate, kShapePoints>& points);

// How far a position lies from where placement puts the model's mean point, in spreads.
double shape_misfit(const ShapeModel& model, const ShapePlacement& placement, int point, double x,
                    double y);

// Candidates for a point near a picture position: (point, x, y, radius in pixels).
using ShapeCandidateSource =
    std::function<std::vector<PointCandidate>(int point, double x, double y, double radius)>;

// Fits the model and, for each point beyond the misfit limit, takes among the point itself
// and the candidates the source gives the one of greatest score less the misfit weight times
// its misfit. Points are left alone when the model or the fit is unusable, when they are the
// two corners of an eye moved whole across the face (a turned head's far eye), when most of
// them lie beyond the limit, or when the fit needed the least or the most stretch a face may
// have. Returns how many points moved.
int mend_face_shape(const ShapeModel& model, std::array<PointCandidate, kShapePoints>& points,
                    const ShapeCandidateSource& source);

} // namespace zel::engine
