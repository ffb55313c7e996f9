#include "portraits.h"

#include <zel/imaging.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zel::engine::testing {
namespace {

constexpr int kMaxCols = 720;
constexpr int kMaxRows = 960;

const std::string kDir = ZEL_PORTRAIT_DIR;

// How close to the picked background a pixel must be to count as backdrop when the head top
// is marked (sum of channel differences).
constexpr int kBackdropDistance = 45;

int distance(const _pixel& a, const _pixel& b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

} // namespace

std::vector<std::string> portrait_names() {
    return {"A000366", "B001252", "D000617", "G000546", "O000085"};
}

Portrait::Portrait(const std::string& name) : name_(name) {
    std::ifstream list(kDir + "/reference_landmarks.txt");
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string file;
        fields >> file;
        if (file != name + ".jpg")
            continue;
        std::string field;
        while (fields >> field) {
            const auto eq = field.find('=');
            if (eq == std::string::npos)
                continue;
            const std::string key = field.substr(0, eq);
            std::vector<int> values;
            std::istringstream numbers(field.substr(eq + 1));
            std::string number;
            while (std::getline(numbers, number, ','))
                values.push_back(std::atoi(number.c_str()));
            if (key == "box")
                box_ = values;
            else if (values.size() == 2)
                ref_[key] = {values[0], values[1]};
        }
    }
    _pixel** rows = ppm_allocarray(kMaxCols, kMaxRows);
    const std::string path = kDir + "/" + name + ".jpg";
    if (rows != nullptr &&
        fget_pixels(rows, &cols_, &rowCount_, path.c_str(), kMaxCols, kMaxRows) == 1) {
        rows_ = rows;
    } else {
        ppm_freearray(rows, kMaxRows);
    }
}

Portrait::~Portrait() {
    ppm_freearray(rows_, kMaxRows);
}

std::pair<int, int> Portrait::ref(const std::string& key) const {
    const auto it = ref_.find(key);
    return it == ref_.end() ? std::pair{-1, -1} : it->second;
}

_pixel Portrait::mean_patch(int cx, int cy, int radius) const {
    long sum[3] = {0, 0, 0};
    long n = 0;
    for (int y = std::max(cy - radius, 0); y <= std::min(cy + radius, rowCount_ - 1); ++y) {
        for (int x = std::max(cx - radius, 0); x <= std::min(cx + radius, cols_ - 1); ++x) {
            sum[0] += at(x, y).r;
            sum[1] += at(x, y).g;
            sum[2] += at(x, y).b;
            ++n;
        }
    }
    _pixel p{};
    p.r = static_cast<unsigned char>(sum[0] / n);
    p.g = static_cast<unsigned char>(sum[1] / n);
    p.b = static_cast<unsigned char>(sum[2] / n);
    return p;
}

vyPointTag Portrait::chin() const {
    const auto [x, y] = ref("chin");
    return {x, y, 1, 0};
}

vyPointTag Portrait::head_top() const {
    // Up the chin's column from the brows to the first pixel that looks like the backdrop
    // at the picture's left edge on the same row (backdrops are often shaded from top to
    // bottom).
    const int x = ref("chin").first;
    int y = std::min(ref("lbrow_mid").second, ref("rbrow_mid").second);
    while (y > 0 && distance(at(x, y), mean_patch(3, y, 2)) > kBackdropDistance)
        --y;
    return {x, y, 1, 0};
}

_pixel Portrait::skin() const {
    // The cheek below the left eye, at the height of the nose tip.
    const int x = (ref("leye_out").first + ref("leye_in").first) / 2;
    return mean_patch(x, ref("nose_tip").second, 2);
}

_pixel Portrait::background() const {
    // Beside the head, near the picture's left edge, at the eye line.
    return mean_patch(6, ref("leye_out").second, 3);
}

CartoonCall::CartoonCall(Portrait& p)
    : portrait(p), skin(p.skin()), background(p.background()), chin(p.chin()),
      headTop(p.head_top()) {}

int CartoonCall::run(unsigned char** out) {
    return GetCartoon(sex, name, portrait.bottom_up(), portrait.cols(), portrait.rows(), skin,
                      background, chin, headTop, points, out);
}

void write_contact_sheet(const std::string& path, const std::vector<const Portrait*>& photos,
                         const std::vector<std::vector<unsigned char>>& drawings) {
    if (photos.empty())
        return;
    int cellCols = 0;
    int cellRows = 0;
    for (const Portrait* p : photos) {
        cellCols = std::max(cellCols, p->cols());
        cellRows = std::max(cellRows, p->rows());
    }
    const int gap = 4;
    const int cols = 3 * cellCols + 4 * gap;
    const int rows = static_cast<int>(photos.size()) * (cellRows + gap) + gap;
    _pixel** sheet = ppm_allocarray(cols, rows);
    if (sheet == nullptr)
        return;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            sheet[y][x] = _pixel{96, 96, 96, 0};
    // The sheet's rows are handed to the writer bottom first like every picture.
    auto put = [&](int x, int y, _pixel p) { sheet[rows - 1 - y][x] = p; };
    for (std::size_t i = 0; i < photos.size(); ++i) {
        const Portrait& p = *photos[i];
        const int top = gap + static_cast<int>(i) * (cellRows + gap);
        for (int y = 0; y < p.rows(); ++y) {
            for (int x = 0; x < p.cols(); ++x) {
                put(gap + x, top + y, p.at(x, y));
                const unsigned char v = drawings[i][static_cast<std::size_t>(y) * p.cols() + x];
                const unsigned char g = v != 0 ? 255 : 0;
                put(2 * gap + cellCols + x, top + y, _pixel{g, g, g, 0});
                // The drawing over the photo, so that a person sees where the lines fall.
                const _pixel& c = p.at(x, y);
                const _pixel over = v != 0 ? _pixel{static_cast<unsigned char>(c.r / 2 + 64),
                                                    static_cast<unsigned char>(c.g / 2 + 64),
                                                    static_cast<unsigned char>(c.b / 2 + 64), 0}
                                           : _pixel{255, 0, 0, 0};
                put(3 * gap + 2 * cellCols + x, top + y, over);
            }
        }
    }
    save_pixels(sheet, cols, rows, path.c_str(), "bmp");
    ppm_freearray(sheet, rows);
}

} // namespace zel::engine::testing
