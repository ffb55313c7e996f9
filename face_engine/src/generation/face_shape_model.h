#pragma once
// The nine landmarks as one face shape. The pair limits and the eye corners' set judge points
// against their partners only; a point that matched a look-alike (a nostril's shadow beside
// the nose wing, the jaw's edge beside a mouth corner) while the rest of the face is right
// passes them. Every face's nine points lie close to one mean shape once it is moved, turned
// and scaled onto them, so the mean shape is fitted to the points found, from the subset that
// agrees best, and a point lying many of its spreads away from where the fit puts it is chosen
// again, near that place.

#include "generation/landmark_pairs.h"

#include <array>
#include <functional>
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

// The mean of each of the nine points (in the order of the landmark search's points) and how
// far faces stray from it along each axis; the misfit beyond which a point is chosen again,
// and how much a candidate's score is worth against its misfit.
struct ShapeModel {
    std::array<ShapeOffset, kShapePoints> mean{};
    std::array<ShapeOffset, kShapePoints> spread{};
    double misfitLimit = 0.0;
    double misfitWeight = 0.0;
};

// The tables hold the model as two ranges of 21 values: the means x, y per point, then the
// spreads x, y per point followed by the misfit limit and weight.
inline constexpr char kShapeMeanRange[] = "SHAPE_MEAN";
inline constexpr char kShapeSpreadRange[] = "SHAPE_SPREAD";
ShapeModel shape_model_from_ranges(const double mean[21], const double spread[21]);
void shape_model_to_ranges(const ShapeModel& model, double mean[21], double spread[21]);

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

// The placement of the model on points and how far each point lies from where it puts it,
// in spreads; valid false when no placement could be made (coincident points).
struct ShapeFit {
    bool valid = false;
    ShapePlacement placement;
    std::array<double, kShapePoints> misfit{};
};

// Fits the model to the nine points robustly: of the placements through every two points far
// enough apart in the model, at every stretch a face may have, the one whose middle misfit is
// least, then refined by least squares on the points within the misfit limit.
ShapeFit fit_face_shape(const ShapeModel& model,
                        const std::array<PointCandidate, kShapePoints>& points);

// How far a position lies from where placement puts the model's point, in spreads.
double shape_misfit(const ShapeModel& model, const ShapePlacement& placement, int point, double x,
                    double y);

// Candidates for a point near a picture position: (point, x, y, radius in pixels).
using ShapeCandidateSource =
    std::function<std::vector<PointCandidate>(int point, double x, double y, double radius)>;

// Fits the model and, for each point beyond the misfit limit, takes among the point itself
// and the candidates the source gives the one of greatest score less the misfit weight times
// its misfit; then once more with the shape placed on the mended points. Points are left
// alone when the model or the fit is unusable, when they are the two corners of an eye moved
// whole across the face (a turned head's far eye), when most of them lie beyond the limit, or
// when the fit needed the least or the most stretch a face may have.
// Returns how many times a point moved.
int mend_face_shape(const ShapeModel& model, std::array<PointCandidate, kShapePoints>& points,
                    const ShapeCandidateSource& source);

} // namespace zel::engine
