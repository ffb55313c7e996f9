#include "portraits.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zelgen {
namespace {

// A pixel counts as background when its colour lies this close to the background's (sum of
// the three channel differences): the backdrop of a portrait shades gently, hair and skin
// differ far more.
constexpr int kBackgroundTolerance = 60;
constexpr int kCornerPatch = 8;
constexpr int kCheekHalf = 3;

_pixel mean_colour(const std::vector<_pixel>& pixels) {
    long r = 0, g = 0, b = 0;
    for (const _pixel& p : pixels)
        r += p.r, g += p.g, b += p.b;
    const long n = std::max<long>(1, static_cast<long>(pixels.size()));
    return {static_cast<unsigned char>(r / n), static_cast<unsigned char>(g / n),
            static_cast<unsigned char>(b / n), 0};
}

_pixel median_colour(std::vector<_pixel> pixels) {
    if (pixels.empty())
        return {};
    auto channel = [&](auto member) {
        std::vector<unsigned char> v;
        for (const _pixel& p : pixels)
            v.push_back(p.*member);
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    return {channel(&_pixel::r), channel(&_pixel::g), channel(&_pixel::b), 0};
}

int colour_distance(_pixel a, _pixel b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// Pixels of the square of half-width half around (x, y), inside the photo.
void collect(const Photo& photo, double x, double y, int half, std::vector<_pixel>& out) {
    const int cx = static_cast<int>(std::lround(x));
    const int cy = static_cast<int>(std::lround(y));
    for (int yy = cy - half; yy <= cy + half; ++yy)
        for (int xx = cx - half; xx <= cx + half; ++xx)
            if (xx >= 0 && yy >= 0 && xx < photo.cols() && yy < photo.rows())
                out.push_back(photo.at(xx, yy));
}

std::string collected_message;

void collect_message(const char*, const char* text, zel::MessageIcon) {
    collected_message += text != nullptr ? text : "";
}

} // namespace

bool Reference::has_point(const std::string& key) const {
    const auto found = values.find(key);
    return found != values.end() && found->second.size() == 2;
}

Point Reference::point(const std::string& key) const {
    if (!has_point(key))
        throw std::runtime_error(file + ": no point " + key);
    const auto& v = values.at(key);
    return {v[0], v[1]};
}

std::vector<Reference> read_references(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::vector<Reference> all;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::istringstream words(line);
        Reference ref;
        if (!(words >> ref.file))
            continue; // an empty line
        for (std::string word; words >> word;) {
            const auto eq = word.find('=');
            if (eq == std::string::npos || eq == 0)
                throw std::runtime_error(path + ":" + std::to_string(number) + ": '" + word +
                                         "' is not key=value");
            std::vector<double> numbers;
            std::istringstream list(word.substr(eq + 1));
            for (std::string item; std::getline(list, item, ',');) {
                char* end = nullptr;
                const double v = std::strtod(item.c_str(), &end);
                if (item.empty() || *end != '\0' || !std::isfinite(v))
                    throw std::runtime_error(path + ":" + std::to_string(number) + ": '" + word +
                                             "' holds something that is not a number");
                numbers.push_back(v);
            }
            ref.values[word.substr(0, eq)] = numbers;
        }
        all.push_back(std::move(ref));
    }
    return all;
}

const std::vector<LandmarkKey>& landmark_keys() {
    static const std::vector<LandmarkKey> keys = {
        {"leye_out", [](const FaceLandmarks& l) { return l.eyes[0].out_x; },
         [](const FaceLandmarks& l) { return l.eyes[0].out_y; }},
        {"leye_in", [](const FaceLandmarks& l) { return l.eyes[0].in_x; },
         [](const FaceLandmarks& l) { return l.eyes[0].in_y; }},
        {"reye_in", [](const FaceLandmarks& l) { return l.eyes[1].in_x; },
         [](const FaceLandmarks& l) { return l.eyes[1].in_y; }},
        {"reye_out", [](const FaceLandmarks& l) { return l.eyes[1].out_x; },
         [](const FaceLandmarks& l) { return l.eyes[1].out_y; }},
        {"nose_l", [](const FaceLandmarks& l) { return l.nose.l_x; },
         [](const FaceLandmarks& l) { return l.nose.l_y; }},
        {"nose_c", [](const FaceLandmarks& l) { return l.nose.center_x; },
         [](const FaceLandmarks& l) { return l.nose.center_y; }},
        {"nose_r", [](const FaceLandmarks& l) { return l.nose.r_x; },
         [](const FaceLandmarks& l) { return l.nose.r_y; }},
        {"mouth_l", [](const FaceLandmarks& l) { return l.mouth.l_x; },
         [](const FaceLandmarks& l) { return l.mouth.l_y; }},
        {"mouth_r", [](const FaceLandmarks& l) { return l.mouth.r_x; },
         [](const FaceLandmarks& l) { return l.mouth.r_y; }},
    };
    return keys;
}

double inter_ocular(const Reference& ref, double scale) {
    const Point lo = ref.point("leye_out"), li = ref.point("leye_in");
    const Point ri = ref.point("reye_in"), ro = ref.point("reye_out");
    const double dx = (ri.x + ro.x - lo.x - li.x) / 2.0;
    const double dy = (ri.y + ro.y - lo.y - li.y) / 2.0;
    return std::hypot(dx, dy) * scale;
}

bool Photo::load(const std::string& path) {
    int storedCols = 0, storedRows = 0;
    if (image_available(path.c_str(), &storedCols, &storedRows) != 1 || storedCols < 1)
        return false;
    constexpr int kMaxCols = 720;
    constexpr int kMaxRows = 960;
    _pixel** rows = ppm_allocarray(kMaxCols, kMaxRows);
    if (rows == nullptr)
        return false;
    pixels_ = std::unique_ptr<_pixel*, Free>(rows, Free{kMaxRows});
    if (fget_pixels(rows, &cols_, &rows_, path.c_str(), kMaxCols, kMaxRows) != 1)
        return false;
    scale_ = static_cast<double>(cols_) / storedCols;
    return true;
}

_pixel Photo::at(int x, int y) const {
    return pixels_.get()[rows_ - 1 - y][x];
}

UserMarks play_user(const Photo& photo, const Reference& ref) {
    const double s = photo.scale();
    UserMarks marks;
    const Point chin = ref.point("chin");
    marks.chin = {static_cast<std::int32_t>(std::lround(chin.x * s)),
                  static_cast<std::int32_t>(std::lround(chin.y * s)), 1, 0};
    marks.chin.x = std::clamp(marks.chin.x, 0, photo.cols() - 1);
    marks.chin.y = std::clamp(marks.chin.y, 0, photo.rows() - 1);

    std::vector<_pixel> corners;
    collect(photo, kCornerPatch / 2.0, kCornerPatch / 2.0, kCornerPatch / 2, corners);
    collect(photo, photo.cols() - 1 - kCornerPatch / 2.0, kCornerPatch / 2.0, kCornerPatch / 2,
            corners);
    marks.background = mean_colour(corners);

    // Up the chin's column from the eyes, so that the walk starts inside the head: the shadow
    // under a chin can be as dark as a dark backdrop.
    marks.headTop = {marks.chin.x, 0, 1, 0};
    const double eyes = (ref.point("leye_in").y + ref.point("reye_in").y) / 2 * s;
    const int start = std::clamp(static_cast<int>(std::lround(eyes)), 0, marks.chin.y - 1);
    for (int y = start; y >= 0; --y) {
        if (colour_distance(photo.at(marks.chin.x, y), marks.background) <= kBackgroundTolerance) {
            marks.headTop.y = y;
            break;
        }
    }

    std::vector<_pixel> cheeks;
    for (const auto& [eye, mouth] : {std::pair{"leye_out", "mouth_l"}, {"reye_out", "mouth_r"}}) {
        const Point e = ref.point(eye), m = ref.point(mouth);
        collect(photo, (e.x + m.x) / 2 * s, (e.y + m.y) / 2 * s, kCheekHalf, cheeks);
    }
    marks.skin = median_colour(cheeks);
    return marks;
}

Generation generate(const Photo& photo, const UserMarks& marks, int sex, const std::string& name) {
    Generation result;
    result.drawing.assign(static_cast<std::size_t>(photo.cols()) * photo.rows(), 1);
    std::vector<unsigned char*> out(static_cast<std::size_t>(photo.rows()));
    // GetCartoon hands the drawing out bottom row first.
    for (int y = 0; y < photo.rows(); ++y)
        out[static_cast<std::size_t>(photo.rows() - 1 - y)] =
            result.drawing.data() + static_cast<std::size_t>(y) * photo.cols();
    vyPointSetTag points{};
    _pixel skin = marks.skin;
    _pixel background = marks.background;
    vyPointTag chin = marks.chin;
    vyPointTag headTop = marks.headTop;
    std::string file = name;
    collected_message.clear();
    const zel::MessageHandler previous = zel::set_message_handler(&collect_message);
    result.made = GetCartoon(sex, file.data(), photo.bottom_up(), photo.cols(), photo.rows(), skin,
                             background, chin, headTop, points, out.data()) == 1;
    zel::set_message_handler(previous);
    result.message = collected_message;
    return result;
}

} // namespace zelgen
