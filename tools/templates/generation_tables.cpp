#include "generation_tables.h"

#include <filesystem>
#include <fstream>
#include <locale>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace vyrgen {
namespace {

constexpr char kHeader[] = "zel-generation-tables 1";
// The face engine reads at most this many modes of the face shape.
constexpr std::size_t kMostModes = 4;

std::optional<GenerationTables> g_tables;

const GenerationTables& tables() {
    if (!g_tables)
        throw std::runtime_error("no generation tables were given");
    return *g_tables;
}

// Ranges of "SEARCH_RANGE" that are rows measured from the box top: the children's set
// takes them lower, since a child's features sit lower in the head than an adult's.
constexpr int kRowsFromTop[] = {2, 3, 11, 12, 19, 20};
constexpr double kChildLower = 0.05;
constexpr int kChildSet = 3;
constexpr int kEyeHeightSet = 0; // fuzzy set of the eye line's height above the chin

class Lines {
public:
    explicit Lines(const std::string& path) : path_(path), in_(path) {
        if (!in_)
            throw std::runtime_error("cannot read " + path);
    }
    // The next line that is not empty or a comment, split into words; false at the end.
    bool next(std::vector<std::string>& words) {
        std::string line;
        while (std::getline(in_, line)) {
            ++number_;
            if (line.empty() || line[0] == ';')
                continue;
            std::istringstream split(line);
            split.imbue(std::locale::classic());
            words.clear();
            for (std::string w; split >> w;)
                words.push_back(w);
            if (!words.empty())
                return true;
        }
        return false;
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(path_ + ":" + std::to_string(number_) + ": " + what);
    }
    double number(const std::string& word) const {
        std::istringstream in(word);
        in.imbue(std::locale::classic());
        double v = 0;
        if (!(in >> v) || !in.eof())
            fail("'" + word + "' is not a number");
        return v;
    }
    std::int32_t integer(const std::string& word) const {
        const double v = number(word);
        if (v != static_cast<std::int32_t>(v))
            fail("'" + word + "' is not an integer");
        return static_cast<std::int32_t>(v);
    }

private:
    std::string path_;
    std::ifstream in_;
    int number_ = 0;
};

template <std::size_t N>
void read_values(const Lines& lines, const std::vector<std::string>& words, std::size_t first,
                 std::array<double, N>& out) {
    if (words.size() != first + N)
        lines.fail(words[0] + " needs " + std::to_string(N) + " values");
    for (std::size_t i = 0; i < N; ++i)
        out[i] = lines.number(words[first + i]);
}

} // namespace

GenerationTables read_generation_tables(const std::string& path) {
    Lines lines(path);
    std::vector<std::string> words;
    if (!lines.next(words) || words.size() != 2 || words[0] + " " + words[1] != kHeader)
        lines.fail(std::string("the first line must be '") + kHeader + "'");
    GenerationTables t;
    bool range = false, thick = false;
    std::array<bool, 12> fuzzy{};
    while (lines.next(words)) {
        if (words[0] == "range") {
            read_values(lines, words, 1, t.range);
            range = true;
        } else if (words[0] == "shape") {
            std::array<double, 21> v{};
            read_values(lines, words, 1, v);
            t.shape = v;
        } else if (words[0] == "model_mean" || words[0] == "model_spread") {
            std::array<double, 21> v{};
            read_values(lines, words, 1, v);
            (words[0] == "model_mean" ? t.modelMean : t.modelSpread) = v;
        } else if (words[0] == "model_rest") {
            std::array<double, 21> v{};
            read_values(lines, words, 1, v);
            t.modelRest = v;
        } else if (words[0] == "model_mode") {
            if (t.modelModes.size() == kMostModes)
                lines.fail("at most " + std::to_string(kMostModes) + " model_mode lines");
            read_values(lines, words, 1, t.modelModes.emplace_back());
        } else if (words[0] == "line_rules" || words[0] == "upper_lip" || words[0] == "lower_lip") {
            std::array<double, 21> v{};
            read_values(lines, words, 1, v);
            (words[0] == "line_rules"  ? t.lineRules
             : words[0] == "upper_lip" ? t.upperLip
                                       : t.lowerLip) = v;
        } else if (words[0] == "thick") {
            read_values(lines, words, 1, t.thickness);
            thick = true;
        } else if (words[0] == "fuzzy") {
            std::array<double, 10> v{};
            if (words.size() < 2)
                lines.fail("fuzzy needs its number");
            const std::int32_t k = lines.integer(words[1]);
            if (k < 0 || k >= 12)
                lines.fail("fuzzy sets are numbered 0 to 11");
            read_values(lines, words, 2, v);
            std::copy(v.begin(), v.begin() + 7, t.fuzzy[k].p.begin());
            std::copy(v.begin() + 7, v.end(), t.fuzzy[k].value.begin());
            fuzzy[k] = true;
        } else if (words[0] == "points") {
            if (words.size() != 4)
                lines.fail("points needs a name, a reference size and a count");
            PointTemplate p{words[1], lines.integer(words[2]), {}};
            const std::int32_t count = lines.integer(words[3]);
            for (std::int32_t i = 0; i < count; ++i) {
                if (!lines.next(words) || words.size() != 3)
                    lines.fail("a point is x y weight");
                p.points.push_back(
                    {lines.integer(words[0]), lines.integer(words[1]), lines.integer(words[2])});
            }
            t.points.push_back(std::move(p));
        } else {
            lines.fail("unknown entry '" + words[0] + "'");
        }
    }
    for (bool seen : fuzzy)
        if (!seen)
            lines.fail("all twelve fuzzy sets are needed");
    if (!range || !thick || t.points.empty())
        lines.fail("range, thick and the point templates are needed");
    if (t.modelMean.has_value() != t.modelSpread.has_value())
        lines.fail("model_mean and model_spread come together");
    if (t.modelRest.has_value() != !t.modelModes.empty() ||
        (t.modelRest.has_value() && !t.modelMean.has_value()))
        lines.fail("model_rest and model_mode come together, with model_mean");
    return t;
}

void write_generation_tables(const std::string& path, const GenerationTables& t,
                             const std::vector<std::string>& comments) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(6);
    text << kHeader << '\n';
    for (const std::string& c : comments)
        text << "; " << c << '\n';
    text << "range";
    for (const double v : t.range)
        text << ' ' << v;
    if (t.shape) {
        text << "\nshape";
        for (const double v : *t.shape)
            text << ' ' << v;
    }
    for (const auto& [name, values] :
         {std::pair{"model_mean", &t.modelMean}, std::pair{"model_spread", &t.modelSpread}}) {
        if (!*values)
            continue;
        text << '\n' << name;
        for (const double v : **values)
            text << ' ' << v;
    }
    if (t.modelRest) {
        text << "\nmodel_rest";
        for (const double v : *t.modelRest)
            text << ' ' << v;
    }
    for (const auto& mode : t.modelModes) {
        text << "\nmodel_mode";
        for (const double v : mode)
            text << ' ' << v;
    }
    text << "\nthick";
    for (const double v : t.thickness)
        text << ' ' << v;
    for (const auto& [name, values] :
         {std::pair{"line_rules", &t.lineRules}, std::pair{"upper_lip", &t.upperLip},
          std::pair{"lower_lip", &t.lowerLip}}) {
        if (!*values)
            continue;
        text << '\n' << name;
        for (const double v : **values)
            text << ' ' << v;
    }
    text << '\n';
    for (std::size_t k = 0; k < t.fuzzy.size(); ++k) {
        text << "fuzzy " << k;
        for (const double v : t.fuzzy[k].p)
            text << ' ' << v;
        for (const double v : t.fuzzy[k].value)
            text << ' ' << v;
        text << '\n';
    }
    for (const PointTemplate& p : t.points) {
        text << "points " << p.name << ' ' << p.reference_size << ' ' << p.points.size() << '\n';
        for (const WeightedPoint& w : p.points)
            text << w.x << ' ' << w.y << ' ' << w.weight << '\n';
    }
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text.str();
        if (!out.flush())
            throw std::runtime_error("cannot write " + temp);
    }
    std::filesystem::rename(temp, path);
}

void use_generation_tables(const std::string& path) {
    g_tables = read_generation_tables(path);
}

std::array<std::int32_t, 6> standard_face_box() {
    // 420 x 580, the face box (cheek to cheek, top of the head to the chin) of a frontal
    // portrait that fills a 720 x 960 picture the usual way.
    return {359, 469, 150, 569, 180, 759};
}

std::vector<PointTemplate> point_templates(int /*set*/) {
    return tables().points;
}

std::array<double, 21> search_range(int set) {
    std::array<double, 21> r = tables().range;
    if (set == kChildSet)
        for (const int i : kRowsFromTop)
            r[i] += kChildLower;
    return r;
}

std::optional<std::array<double, 21>> face_shape(int /*set*/) {
    return tables().shape;
}

std::optional<std::array<double, 21>> shape_model_mean(int /*set*/) {
    return tables().modelMean;
}

std::optional<std::array<double, 21>> shape_model_spread(int /*set*/) {
    return tables().modelSpread;
}

std::optional<std::array<double, 21>> shape_model_rest(int /*set*/) {
    return tables().modelRest;
}

std::vector<std::array<double, 21>> shape_model_modes(int /*set*/) {
    return tables().modelModes;
}

std::optional<std::array<double, 21>> line_rules(int /*set*/) {
    return tables().lineRules;
}

std::optional<std::array<double, 21>> upper_lip(int /*set*/) {
    return tables().upperLip;
}

std::optional<std::array<double, 21>> lower_lip(int /*set*/) {
    return tables().lowerLip;
}

std::array<double, 30> thickness_values(int /*set*/) {
    return tables().thickness;
}

std::array<FuzzySet, 12> fuzzy_sets(int set) {
    std::array<FuzzySet, 12> f = tables().fuzzy;
    if (set == kChildSet) {
        for (double& p : f[kEyeHeightSet].p)
            p -= kChildLower;
        for (double& v : f[kEyeHeightSet].value)
            v -= kChildLower;
    }
    return f;
}

} // namespace vyrgen
