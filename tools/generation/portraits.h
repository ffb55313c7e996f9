#pragma once
// Portraits with reference landmarks, and the user's part of caricature generation played for
// them: the photo shrunk to the working size, the chin and head-top marks, the picked skin and
// background colours. Shared by the accuracy and calibration tools.
//
// Reference files hold one line per photo: its file name, then key=value words whose values
// are numbers separated by commas ("leye_out=77,122", "box=51,79,176,203", "faces=1"); points
// are pixels, x from the left, y from the top.

#include <zel/face_engine.h>
#include <zel/imaging.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zelgen {

struct Point {
    double x = 0.0;
    double y = 0.0;
};

struct Reference {
    std::string file;
    std::map<std::string, std::vector<double>> values;

    bool has_point(const std::string& key) const;
    // The point of key (two values); throws when missing.
    Point point(const std::string& key) const;
};

// Reads a reference file; throws std::runtime_error naming the line of a malformed entry.
std::vector<Reference> read_references(const std::string& path);

// The nine points of the landmark search against their reference keys, in the order the
// tools report them.
struct LandmarkKey {
    const char* key;
    int (*get_x)(const FaceLandmarks&);
    int (*get_y)(const FaceLandmarks&);
};
const std::vector<LandmarkKey>& landmark_keys();

// Distance between the midpoints of each eye's two corners.
double inter_ocular(const Reference& ref, double scale);

// A photo as the image library holds it (rows bottom first), shrunk to fit 720 x 960.
class Photo {
public:
    // Reads path; false when the picture cannot be read (the reason went to the message
    // handler).
    bool load(const std::string& path);
    int cols() const { return cols_; }
    int rows() const { return rows_; }
    // Delivered size over stored size: reference points are multiplied by it.
    double scale() const { return scale_; }
    _pixel** bottom_up() const { return pixels_.get(); }
    // Pixel at column x, row y counted from the top.
    _pixel at(int x, int y) const;

private:
    struct Free {
        int rows;
        void operator()(_pixel** p) const { ppm_freearray(p, rows); }
    };
    std::unique_ptr<_pixel*, Free> pixels_{nullptr, Free{0}};
    int cols_ = 0;
    int rows_ = 0;
    double scale_ = 1.0;
};

// What the user hands GetCartoon besides the photo.
struct UserMarks {
    vyPointTag chin{};
    vyPointTag headTop{};
    _pixel skin{};
    _pixel background{};
};

// Chin = the reference chin; head top = the first row above the head, on the chin's column,
// whose colour is the background's, looked for from the eyes upwards (row 0 when the head
// reaches the top); skin from the cheeks between the outer eye corners and the mouth corners;
// background from the top corners.
UserMarks play_user(const Photo& photo, const Reference& ref);

// The result of one GetCartoon run for a photo.
struct Generation {
    bool made = false;
    std::string message;                // the messages the run showed, when it failed
    std::vector<unsigned char> drawing; // cols x rows, row 0 at the top, 1 white, 0 ink
};

// Runs GetCartoon on the photo with the marks; the messages it shows are collected, not shown.
Generation generate(const Photo& photo, const UserMarks& marks, int sex, const std::string& name);

} // namespace zelgen
