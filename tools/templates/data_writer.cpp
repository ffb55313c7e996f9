#include "data_writer.h"

#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <stdexcept>

namespace vyrgen {
namespace {

namespace fs = std::filesystem;

void write_atomically(const fs::path& path, const std::string& text) {
    const fs::path temp = path.string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush())
            throw std::runtime_error("cannot write " + temp.string());
    }
    fs::rename(temp, path);
}

std::string parts_text(int set, const std::vector<TemplateImage>& parts) {
    std::ostringstream text;
    text << "vyresrc-parts 1\n; part drawings of template set " << set
         << ": name, cols, rows, anchor col, anchor row, box c0 c1 r0 r1\n";
    for (const TemplateImage& part : parts) {
        text << "part " << part.name << ' ' << part.cols << ' ' << part.rows;
        for (const auto word : part.loc)
            text << ' ' << word;
        text << '\n';
        for (int r = 0; r < part.rows; ++r) {
            for (int c = 0; c < part.cols; ++c)
                text << (part.at(c, r) ? '#' : '.');
            text << '\n';
        }
    }
    text << "; the standard face box: a face box of this size draws every part 1:1\nloc STD_FACE";
    for (const auto word : standard_face_box())
        text << ' ' << word;
    text << '\n';
    return text.str();
}

std::string points_text(int set) {
    std::ostringstream text;
    text << "vyresrc-points 1\n; landmark point templates: name, reference size, count, then x y "
            "weight per point\n";
    for (const PointTemplate& t : point_templates(set)) {
        text << "points " << t.name << ' ' << t.reference_size << ' ' << t.points.size() << '\n';
        for (const WeightedPoint& p : t.points)
            text << p.x << ' ' << p.y << ' ' << p.weight << '\n';
    }
    return text.str();
}

std::string tables_text(int set) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(6);
    text << "vyresrc-tables 1\nrange SEARCH_RANGE";
    for (const double v : search_range(set))
        text << ' ' << v;
    if (const auto shape = face_shape(set)) {
        text << "\nrange FACE_SHAPE";
        for (const double v : *shape)
            text << ' ' << v;
    }
    const auto mean = shape_model_mean(set);
    const auto spread = shape_model_spread(set);
    if (mean && spread) {
        text << "\nrange SHAPE_MEAN";
        for (const double v : *mean)
            text << ' ' << v;
        text << "\nrange SHAPE_SPREAD";
        for (const double v : *spread)
            text << ' ' << v;
        if (const auto rest = shape_model_rest(set)) {
            text << "\nrange SHAPE_REST";
            for (const double v : *rest)
                text << ' ' << v;
            const auto modes = shape_model_modes(set);
            for (std::size_t k = 0; k < modes.size(); ++k) {
                text << "\nrange SHAPE_MODE" << k + 1;
                for (const double v : modes[k])
                    text << ' ' << v;
            }
        }
    }
    for (const auto& [name, values] :
         {std::pair{"LINE_RULES", line_rules(set)}, std::pair{"UPPER_LIP", upper_lip(set)},
          std::pair{"LOWER_LIP", lower_lip(set)}}) {
        if (!values)
            continue;
        text << "\nrange " << name;
        for (const double v : *values)
            text << ' ' << v;
    }
    text << "\nthick";
    for (const double v : thickness_values(set))
        text << ' ' << v;
    text << "\n; fuzzy k p0 .. p6 v_low v_mid v_high\n";
    const auto sets = fuzzy_sets(set);
    for (std::size_t k = 0; k < sets.size(); ++k) {
        text << "fuzzy " << k;
        for (const double v : sets[k].p)
            text << ' ' << v;
        for (const double v : sets[k].value)
            text << ' ' << v;
        text << '\n';
    }
    return text.str();
}

} // namespace

void write_set(const std::string& folder, int set, const std::vector<TemplateImage>& parts) {
    const fs::path dir = fs::path(folder) / ("set" + std::to_string(set));
    fs::create_directories(dir);
    write_atomically(dir / "parts.vyr", parts_text(set, parts));
    write_atomically(dir / "points.vyr", points_text(set));
    write_atomically(dir / "tables.vyr", tables_text(set));
}

} // namespace vyrgen
