#include "portrait_marks.h"

#include <zel/imaging.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

namespace {

constexpr int kMaxCols = 720;
constexpr int kMaxRows = 960;
// How close to the backdrop a pixel must be to count as backdrop (sum of channel differences).
constexpr int kBackdropDistance = 45;

using Points = std::map<std::string, std::pair<int, int>>;

// The reference points of the line whose first field is the photo's file name.
Points reference_points(const std::string& referenceFile, const std::string& photoName) {
    Points points;
    std::ifstream list(referenceFile);
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string file;
        fields >> file;
        if (file != photoName)
            continue;
        std::string field;
        while (fields >> field) {
            const auto eq = field.find('=');
            const auto comma = field.find(',');
            if (eq == std::string::npos || comma == std::string::npos ||
                field.find(',', comma + 1) != std::string::npos)
                continue;
            points[field.substr(0, eq)] = {std::atoi(field.c_str() + eq + 1),
                                           std::atoi(field.c_str() + comma + 1)};
        }
    }
    return points;
}

// A photo read as the libraries read it, rows bottom first; looked at from the top.
class Photo {
public:
    explicit Photo(const std::string& file) : pixels_(ppm_allocarray(kMaxCols, kMaxRows)) {
        if (pixels_ != nullptr &&
            fget_pixels(pixels_, &cols_, &rows_, file.c_str(), kMaxCols, kMaxRows) != 1)
            rows_ = 0;
    }
    ~Photo() { ppm_freearray(pixels_, kMaxRows); }
    Photo(const Photo&) = delete;
    Photo& operator=(const Photo&) = delete;

    bool ok() const { return pixels_ != nullptr && rows_ > 0; }
    int cols() const { return cols_; }
    int rows() const { return rows_; }
    const _pixel& at(int x, int y) const { return pixels_[rows_ - 1 - y][x]; }

    _pixel mean_patch(int cx, int cy, int radius) const {
        long sum[3] = {0, 0, 0};
        long n = 0;
        for (int y = std::max(cy - radius, 0); y <= std::min(cy + radius, rows_ - 1); ++y) {
            for (int x = std::max(cx - radius, 0); x <= std::min(cx + radius, cols_ - 1); ++x) {
                sum[0] += at(x, y).r;
                sum[1] += at(x, y).g;
                sum[2] += at(x, y).b;
                ++n;
            }
        }
        return {static_cast<unsigned char>(sum[0] / n), static_cast<unsigned char>(sum[1] / n),
                static_cast<unsigned char>(sum[2] / n), 0};
    }

private:
    _pixel** pixels_;
    int cols_ = 0;
    int rows_ = 0;
};

int distance(const _pixel& a, const _pixel& b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

} // namespace

bool mark_portrait(const std::string& photoFile, const std::string& referenceFile,
                   PortraitMarks& marks) {
    const std::string name = photoFile.substr(photoFile.rfind('/') + 1);
    const Points ref = reference_points(referenceFile, name);
    for (const char* key : {"chin", "lbrow_mid", "rbrow_mid", "leye_out", "leye_in", "nose_tip"})
        if (ref.count(key) == 0)
            return false;
    const Photo photo(photoFile);
    if (!photo.ok())
        return false;
    marks.cols = photo.cols();
    marks.rows = photo.rows();
    const auto [chinX, chinY] = ref.at("chin");
    marks.chin = {chinX, chinY, 1, 0};
    // Up the chin's column from the brows to the first pixel like the backdrop at the picture's
    // left edge on that row (backdrops are often shaded from top to bottom).
    int top = std::min(ref.at("lbrow_mid").second, ref.at("rbrow_mid").second);
    while (top > 0 &&
           distance(photo.at(chinX, top), photo.mean_patch(3, top, 2)) > kBackdropDistance)
        --top;
    marks.headTop = {chinX, top, 1, 0};
    marks.skin = photo.mean_patch((ref.at("leye_out").first + ref.at("leye_in").first) / 2,
                                  ref.at("nose_tip").second, 2);
    marks.background = photo.mean_patch(6, ref.at("leye_out").second, 3);
    return true;
}
