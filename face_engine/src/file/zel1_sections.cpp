#include "file/zel1_sections.h"

#include "engine_codes.h"
#include "file/face_file_limits.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace zel::engine {
namespace {

// One compact section line, its values taken left to right. Each value but the last must be
// followed by at least two more characters (a further value and its ':').
class SectionLine {
public:
    explicit SectionLine(TextReader& reader) { text_read_line(reader, m_line); }

    bool empty() const { return m_line.empty(); }

    bool take_int(std::int32_t& value, bool last) {
        if (m_pos >= m_line.size())
            return false;
        int parsed = 0;
        const int report = text_field_int(m_line, m_pos, parsed);
        if (report == kFieldBad)
            return false;
        value = parsed;
        return last || report == kFieldMore;
    }

    bool take_double(double& value, bool last) {
        if (m_pos >= m_line.size())
            return false;
        const int report = text_field_double(m_line, m_pos, value);
        return report != kFieldBad && (last || report == kFieldMore);
    }

    bool skip_marker() {
        std::int32_t marker = 0;
        return take_int(marker, false);
    }

private:
    std::string_view m_line;
    std::size_t m_pos = 0;
};

bool section_may_start(const TextReader& reader) {
    return reader.good() && !reader.at_end();
}

int read_ints(TextReader& reader, std::initializer_list<std::int32_t*> values, bool marker) {
    SectionLine line(reader);
    if (line.empty() || (marker && !line.skip_marker()))
        return kRefused;
    std::size_t left = values.size();
    for (std::int32_t* value : values) {
        if (!line.take_int(*value, --left == 0))
            return kRefused;
    }
    return kOk;
}

void write_ints(std::string& out, std::initializer_list<std::int32_t> values, bool line_end) {
    for (const std::int32_t value : values)
        text_put_int(out, value);
    if (line_end)
        out += '\n';
}

bool measure_fits(double value) {
    return std::isfinite(value) && std::fabs(value) <= kMaxMeasure;
}

bool code_fits(std::int32_t code) {
    return code >= kMinPartCode && code <= kMaxPartCode;
}

// The colours in the order of the colour line (brow, eye, nose, mouth, background, edge,
// face), which is not the order the landmark record keeps them in.
template <class Marks>
auto colour_by_index(Marks& marks, int index) -> decltype(&marks.brow_color) {
    switch (index) {
    case 1:
        return &marks.brow_color;
    case 2:
        return &marks.eye_color;
    case 3:
        return &marks.nose_color;
    case 4:
        return &marks.mouth_color;
    case 5:
        return &marks.bkgnd_color;
    case 6:
        return &marks.edge_color;
    case 7:
        return &marks.face_color;
    default:
        return nullptr;
    }
}

} // namespace

void outline_write(const FaceBox& box, std::string& out) {
    write_ints(
        out,
        {box.minx, box.maxx, box.miny, box.maxy, box.centerx, box.centery, box.width, box.height},
        true);
}

int outline_read(FaceBox& box, TextReader& reader) {
    if (!section_may_start(reader))
        return kFileError;
    return read_ints(reader,
                     {&box.minx, &box.maxx, &box.miny, &box.maxy, &box.centerx, &box.centery,
                      &box.width, &box.height},
                     true);
}

int colour_write(std::string& out, int index, _pixel colour) {
    if (index < 1 || index > 7)
        return kRefused;
    write_ints(out, {colour.r, colour.g, colour.b}, index == 7);
    return kOk;
}

int colours_read(FaceLandmarks& marks, TextReader& reader) {
    if (!section_may_start(reader))
        return kFileError;
    SectionLine line(reader);
    if (line.empty())
        return kRefused;
    // Each component is stored once its check has passed; a failed read keeps those before it.
    for (int i = 0; i < 21; ++i) {
        std::int32_t value = 0;
        if (!line.take_int(value, i == 20))
            return kRefused;
        _pixel* colour = colour_by_index(marks, i / 3 + 1);
        unsigned char* component[] = {&colour->r, &colour->g, &colour->b};
        *component[i % 3] = static_cast<unsigned char>(value & 0xff);
    }
    return kOk;
}

void eye_write(std::string& out, const FaceLandmarks::Eye& eye, int half) {
    if (half != kHalfSecond)
        write_ints(out, {eye.in_x, eye.in_y, eye.out_x, eye.out_y}, false);
    if (half != kHalfFirst)
        write_ints(out, {eye.top_x, eye.top_y, eye.bottom_x, eye.bottom_y}, true);
}

int eye_read(TextReader& reader, FaceLandmarks::Eye& eye, int half) {
    if (half == kHalfFirst)
        return read_ints(reader, {&eye.in_x, &eye.in_y, &eye.out_x, &eye.out_y}, false);
    if (half == kHalfSecond)
        return read_ints(reader, {&eye.top_x, &eye.top_y, &eye.bottom_x, &eye.bottom_y}, false);
    return read_ints(reader,
                     {&eye.in_x, &eye.in_y, &eye.out_x, &eye.out_y, &eye.top_x, &eye.top_y,
                      &eye.bottom_x, &eye.bottom_y},
                     false);
}

void mouth_write(std::string& out, const FaceLandmarks::Mouth& mouth, int half) {
    if (half != kHalfSecond)
        write_ints(out, {mouth.l_x, mouth.l_y, mouth.r_x, mouth.r_y}, false);
    if (half != kHalfFirst)
        write_ints(out, {mouth.top_x, mouth.top_y, mouth.bottom_x, mouth.bottom_y}, true);
}

int mouth_read(TextReader& reader, FaceLandmarks::Mouth& mouth, int half) {
    if (half == kHalfFirst)
        return read_ints(reader, {&mouth.l_x, &mouth.l_y, &mouth.r_x, &mouth.r_y}, false);
    if (half == kHalfSecond)
        return read_ints(reader, {&mouth.top_x, &mouth.top_y, &mouth.bottom_x, &mouth.bottom_y},
                         false);
    return read_ints(reader,
                     {&mouth.l_x, &mouth.l_y, &mouth.r_x, &mouth.r_y, &mouth.top_x, &mouth.top_y,
                      &mouth.bottom_x, &mouth.bottom_y},
                     false);
}

void brow_write(std::string& out, const FaceLandmarks::Brow& brow) {
    write_ints(out, {brow.top_x, brow.top_y, brow.bottom_x, brow.bottom_y}, true);
}

int brow_read(TextReader& reader, FaceLandmarks::Brow& brow) {
    return read_ints(reader, {&brow.top_x, &brow.top_y, &brow.bottom_x, &brow.bottom_y}, false);
}

void nose_write(std::string& out, const FaceLandmarks::Nose& nose) {
    write_ints(out, {nose.center_x, nose.center_y, nose.l_x, nose.l_y, nose.r_x, nose.r_y}, true);
}

int nose_read(TextReader& reader, FaceLandmarks::Nose& nose) {
    return read_ints(reader,
                     {&nose.center_x, &nose.center_y, &nose.l_x, &nose.l_y, &nose.r_x, &nose.r_y},
                     false);
}

void positions_write(const FaceLandmarks& marks, std::string& out) {
    for (int index = 1; index <= 7; ++index)
        colour_write(out, index, *colour_by_index(marks, index));
    brow_write(out, marks.brows[0]);
    brow_write(out, marks.brows[1]);
    eye_write(out, marks.eyes[0], kHalfBoth);
    eye_write(out, marks.eyes[1], kHalfBoth);
    mouth_write(out, marks.mouth, kHalfBoth);
    nose_write(out, marks.nose);
}

int positions_read(FaceLandmarks& marks, TextReader& reader) {
    if (!section_may_start(reader))
        return kFileError;
    const bool ok =
        colours_read(marks, reader) == kOk && brow_read(reader, marks.brows[0]) == kOk &&
        brow_read(reader, marks.brows[1]) == kOk &&
        eye_read(reader, marks.eyes[0], kHalfBoth) == kOk &&
        eye_read(reader, marks.eyes[1], kHalfBoth) == kOk &&
        mouth_read(reader, marks.mouth, kHalfBoth) == kOk && nose_read(reader, marks.nose) == kOk;
    return ok ? kOk : kRefused;
}

void measures_write(const FaceMeasures& m, std::string& out) {
    for (const double value : {m.eye_height, m.eye_space, m.eye_nose, m.nose_mouth, m.eye_brow})
        text_put_double(out, value);
    write_ints(out,
               {m.brow_thick, m.eye_size, m.eye_shape, m.eye_slant, m.nose_shape, m.mouth_size,
                m.lips_thick},
               true);
}

int measures_read(FaceMeasures& m, TextReader& reader) {
    if (!section_may_start(reader))
        return kFileError;
    SectionLine line(reader);
    if (line.empty() || !line.skip_marker())
        return kRefused;
    // Values are stored as they are parsed, the refused one included; the whole-file reader
    // reads into a record of its own and drops it on any refusal.
    for (double* value : {&m.eye_height, &m.eye_space, &m.eye_nose, &m.nose_mouth, &m.eye_brow}) {
        // Checked before the builder turns any of them into a position.
        if (!line.take_double(*value, false) || !measure_fits(*value))
            return kRefused;
    }
    std::int32_t* codes[] = {&m.brow_thick, &m.eye_size,   &m.eye_shape, &m.eye_slant,
                             &m.nose_shape, &m.mouth_size, &m.lips_thick};
    for (std::int32_t* code : codes) {
        // Each code becomes one digit of a template name.
        if (!line.take_int(*code, code == codes[6]) || !code_fits(*code))
            return kRefused;
    }
    return kOk;
}

} // namespace zel::engine
