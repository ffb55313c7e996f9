// Feeds arbitrary bytes to the three template data readers as a data file on disk reaches them;
// the first byte picks the reader (parts, points, tables), the rest is the file.
//
// Besides not crashing, whatever a reader accepts must keep the promises the exports rely on:
// drawings as large as their size says and holding only ink and paper, location boxes in order
// and inside their drawing, point lists of one length within the capacity the engine passes.
//
// Not run by scripts/fuzz.sh; by hand, on a corpus seeded with the bundled data files, each
// behind its reader's byte (0 parts.vyr, 1 points.vyr, 2 tables.vyr):
//   cmake --preset fuzz -B build/fuzz && cmake --build build/fuzz --target template_data_fuzzer
//   build/fuzz/vyresrc/template_data_fuzzer -max_len=262144 CORPUS

#include "data_files.h"

#include "vyresrc/vyresrc.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace vyresrc;

void require(bool promise) {
    if (!promise)
        std::abort();
}

void check(const TemplateSet& set) {
    for (const auto& [name, loc] : set.locations) {
        require(name.size() >= 1 && name.size() <= kMaxNameLength);
        for (const std::int32_t word : loc)
            require(is_coordinate(word));
        require(loc[kLocFirstCol] <= loc[kLocLastCol] && loc[kLocFirstRow] <= loc[kLocLastRow]);
    }
    for (const auto& [name, drawing] : set.drawings) {
        const auto loc = set.locations.find(name);
        require(loc != set.locations.end());
        require(drawing.cols >= 1 && drawing.rows >= 1);
        require(drawing.pixels.size() ==
                static_cast<std::size_t>(drawing.cols) * static_cast<std::size_t>(drawing.rows));
        for (const unsigned char pixel : drawing.pixels)
            require(pixel <= 1);
        require(loc->second[kLocFirstCol] >= 0 && loc->second[kLocLastCol] < drawing.cols);
        require(loc->second[kLocFirstRow] >= 0 && loc->second[kLocLastRow] < drawing.rows);
    }
    for (const auto& [name, points] : set.points) {
        require(points.reference_size >= 1);
        require(!points.x.empty() && points.x.size() <= static_cast<std::size_t>(kBinCapacity));
        require(points.y.size() == points.x.size() && points.weight.size() == points.x.size());
        for (std::size_t i = 0; i < points.x.size(); ++i)
            require(is_coordinate(points.x[i]) && is_coordinate(points.y[i]));
    }
}

// The file each input is written to, one per process (libFuzzer's jobs run side by side), gone
// when the process ends.
struct InputFile {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("vyresrc-fuzz-" + std::to_string(::getpid()) + ".vyr"))
                           .string();
    ~InputFile() { std::remove(path.c_str()); }
};

const std::string& input_path() {
    static const InputFile file;
    return file.path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    static void (*const readers[])(LineReader&, TemplateSet&) = {read_parts_file, read_points_file,
                                                                 read_tables_file};
    const auto reader = readers[data[0] % 3];
    {
        std::ofstream out(input_path(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    LineReader in(input_path());
    TemplateSet set;
    try {
        reader(in, set);
    } catch (const ParseError&) {
        return 0;
    }
    check(set);
    return 0;
}
