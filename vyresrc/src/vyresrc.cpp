// The seven exports: look the entry up in the loaded set and hand out a copy.

#include "vyresrc/vyresrc.h"

#include "template_library.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>

using vyresrc::TemplateLibrary;
using vyresrc::TemplateSet;

namespace {

// The row table and the pixels share one block, so closing cannot go wrong whatever row count
// the caller hands back.
unsigned char** copy_drawing(const vyresrc::Drawing& drawing) {
    const std::size_t rows = static_cast<std::size_t>(drawing.rows);
    const std::size_t cols = static_cast<std::size_t>(drawing.cols);
    void* block = std::malloc(rows * sizeof(unsigned char*) + rows * cols);
    if (!block)
        return nullptr;
    auto** table = static_cast<unsigned char**>(block);
    auto* pixels = reinterpret_cast<unsigned char*>(table + rows);
    std::memcpy(pixels, drawing.pixels.data(), rows * cols);
    for (std::size_t r = 0; r < rows; ++r)
        table[r] = pixels + r * cols;
    return table;
}

template <typename Map> auto* find_entry(const Map& map, const char* name) {
    using Value = const typename Map::mapped_type;
    if (!name)
        return static_cast<Value*>(nullptr);
    const auto it = map.find(name);
    return it == map.end() ? static_cast<Value*>(nullptr) : &it->second;
}

// Runs `use` on the set's data and turns a failure of the standard library (memory, a line too
// long for a string, the lock) into "absent": nothing may leave the library as an exception.
template <typename Result, typename Use> Result read_set(int set, Result absent, Use&& use) {
    try {
        return TemplateLibrary::instance().with_set(
            set, [&](const TemplateSet* data) { return data ? use(*data) : absent; });
    } catch (const std::exception&) {
        return absent;
    }
}

} // namespace

unsigned char** OpenBWresource(int set, const char* name, int* cols, int* rows) {
    if (!cols || !rows)
        return nullptr;
    return read_set<unsigned char**>(set, nullptr, [&](const TemplateSet& data) {
        const auto* drawing = find_entry(data.drawings, name);
        if (!drawing)
            return static_cast<unsigned char**>(nullptr);
        unsigned char** bitmap = copy_drawing(*drawing);
        if (bitmap) {
            *cols = drawing->cols;
            *rows = drawing->rows;
        }
        return bitmap;
    });
}

void CloseBWresource(unsigned char** bitmap, int /*rows*/) {
    std::free(bitmap);
}

int ReadLocResource(int set, const char* name, std::int32_t loc[6]) {
    if (!loc)
        return 0;
    return read_set(set, 0, [&](const TemplateSet& data) {
        const auto* record = find_entry(data.locations, name);
        if (!record)
            return 0;
        std::copy(record->begin(), record->end(), loc);
        return 1;
    });
}

int ReadBinTemplate(int set, const char* name, std::int32_t* header, std::int32_t* x,
                    std::int32_t* y, std::int32_t* weight, int capacity) {
    if (!header || !x || !y || !weight || capacity < 1)
        return 0;
    return read_set(set, 0, [&](const TemplateSet& data) {
        const auto* points = find_entry(data.points, name);
        if (!points || points->x.size() > static_cast<std::size_t>(capacity))
            return 0;
        const auto [min_x, max_x] = std::minmax_element(points->x.begin(), points->x.end());
        const auto [min_y, max_y] = std::minmax_element(points->y.begin(), points->y.end());
        std::fill(header, header + vyresrc::kBinHeaderWords, 0);
        header[vyresrc::kBinHeaderSet] = set;
        header[vyresrc::kBinHeaderSpreadCols] = *max_x - *min_x + 1;
        header[vyresrc::kBinHeaderSpreadRows] = *max_y - *min_y + 1;
        header[vyresrc::kBinHeaderPositive] = static_cast<std::int32_t>(std::count_if(
            points->weight.begin(), points->weight.end(), [](std::int32_t w) { return w > 0; }));
        header[vyresrc::kBinHeaderPointCount] = static_cast<std::int32_t>(points->x.size());
        header[vyresrc::kBinHeaderReferenceSize] = points->reference_size;
        std::copy(points->x.begin(), points->x.end(), x);
        std::copy(points->y.begin(), points->y.end(), y);
        std::copy(points->weight.begin(), points->weight.end(), weight);
        return 1;
    });
}

int ReadFuzzyResource(int set, void* buffer, int count) {
    if (!buffer || count < 1 || count > vyresrc::kFuzzyRecords)
        return 0;
    return read_set(set, 0, [&](const TemplateSet& data) {
        if (!data.fuzzy)
            return 0;
        auto* out = static_cast<unsigned char*>(buffer);
        std::memset(out, 0, static_cast<std::size_t>(count) * vyresrc::kFuzzyRecordBytes);
        for (int k = 0; k < count; ++k) {
            const auto& fuzzy = (*data.fuzzy)[k];
            unsigned char* record = out + k * vyresrc::kFuzzyRecordBytes;
            std::memcpy(record + 56, fuzzy.p.data(), sizeof(double) * fuzzy.p.size());
            std::memcpy(record + 120, fuzzy.value.data(), sizeof(double) * fuzzy.value.size());
        }
        return 1;
    });
}

int face_readsearchrange(int set, const char* name, double range[21]) {
    if (!range)
        return 0;
    return read_set(set, 0, [&](const TemplateSet& data) {
        const auto* values = find_entry(data.ranges, name);
        if (!values)
            return 0;
        std::copy(values->begin(), values->end(), range);
        return 1;
    });
}

int read_thick_file(int set, double thick[30]) {
    if (!thick)
        return 0;
    return read_set(set, 0, [&](const TemplateSet& data) {
        if (!data.thickness)
            return 0;
        std::copy(data.thickness->begin(), data.thickness->end(), thick);
        return 1;
    });
}
