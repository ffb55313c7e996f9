// picture_timing [--limit-ms N] [--pictures PATH]... [--photos FOLDER]... [CORPUS]...
//
// Times the picture readers, release build, the way the picture fuzzer calls them:
// - every input of the fuzzer's corpus folders (or single input files) goes to its reader;
//   one that is refused must be refused within the limit (default 50 ms); a picture that
//   reads must take no longer than a photograph of its stored size does through the same
//   reader (one and a half times as long and 5 ms more, for the noise of a busy machine);
// - every file given with --pictures (damaged pictures kept as regression inputs) goes to
//   every reader under its own name, with the same verdicts;
// - camera-sized photographs made here (up to 4000 x 3000, JPEG and BMP) and every file given
//   with --photos must load through the photo command's reader at the working size.
// Each reader call is timed three times (the file written beforehand) and the fastest counts.
// Prints the slowest cases and exits 1 when any verdict fails.

#include "photo_maker.h"
#include "picture_case.h"
#include "zel/common/work_folder.h"
#include "zel/imaging.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using namespace zel::imaging::fuzz;

namespace {

struct Timed {
    Outcome outcome = Outcome::refused;
    double ms = 0;
};

Timed time_case(const PictureCase& input) {
    Timed best;
    best.ms = 1e30;
    write_case(input);
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        best.outcome = read_case(input);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        best.ms = std::min(best.ms, spent.count());
    }
    return best;
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Photographs larger than this are not made; a larger picture is held against the largest
// one at its time per pixel.
constexpr long long largest_photo = 4000LL * 3000;

class Verdicts {
public:
    explicit Verdicts(double limit) : m_limit(limit) {}

    void check(const std::string& name, const PictureCase& input) {
        const Timed timed = time_case(input);
        if (timed.outcome == Outcome::refused) {
            ++m_refused;
            note(m_slowestRefusals, timed.ms, name, input);
            if (timed.ms > m_limit) {
                ++m_failures;
                std::printf("SLOW REFUSAL %8.2f ms  %-22s %s\n", timed.ms,
                            reader_name(input.reader), name.c_str());
            }
            return;
        }
        ++m_read;
        int cols = 0;
        int rows = 0;
        if (image_available(case_path(input).c_str(), &cols, &rows) != 1)
            return;
        const double allowed = 1.5 * photo_ms(input, cols, rows) + 5.0;
        note(m_slowestReads, timed.ms - allowed,
             name + " (" + std::to_string(cols) + "x" + std::to_string(rows) + ")", input);
        if (timed.ms > allowed) {
            ++m_failures;
            std::printf("SLOW READ    %8.2f ms (a photograph: %.2f)  %-22s %s\n", timed.ms,
                        (allowed - 5.0) / 1.5, reader_name(input.reader), name.c_str());
        }
    }

    void photograph(const std::string& name, const std::string& path) {
        _pixel** arr = ppm_allocarray(720, 960);
        int cols = 0;
        int rows = 0;
        _BmpHeader hdr{};
        double best = 1e30;
        bool loaded = true;
        for (int i = 0; i < 3 && loaded; ++i) {
            const auto start = std::chrono::steady_clock::now();
            loaded = LoadGeneralImage(arr, path.c_str(), &cols, &rows, &hdr) == 1;
            const std::chrono::duration<double, std::milli> spent =
                std::chrono::steady_clock::now() - start;
            best = std::min(best, spent.count());
        }
        ppm_freearray(arr, 960);
        if (!loaded)
            ++m_failures;
        std::printf("photograph %-32s %s %4dx%-4d  %8.2f ms\n", name.c_str(),
                    loaded ? "loads as" : "REFUSED ", cols, rows, best);
    }

    int report() const {
        std::printf("inputs: %d read, %d refused\n", m_read, m_refused);
        std::printf("slowest refusals:\n");
        for (const auto& [ms, what] : m_slowestRefusals)
            std::printf("  %8.2f ms  %s\n", ms, what.c_str());
        std::printf("reads closest to their allowance (ms under it when negative):\n");
        for (const auto& [ms, what] : m_slowestReads)
            std::printf("  %+8.2f ms  %s\n", ms, what.c_str());
        std::printf("%d verdicts failed\n", m_failures);
        return m_failures == 0 ? 0 : 1;
    }

private:
    using Ranking = std::vector<std::pair<double, std::string>>;

    static void note(Ranking& ranking, double value, const std::string& name,
                     const PictureCase& input) {
        ranking.emplace_back(value, std::string(reader_name(input.reader)) + " ." +
                                        input.extension + "  " + name);
        std::sort(ranking.rbegin(), ranking.rend());
        if (ranking.size() > 8)
            ranking.pop_back();
    }

    // The time the same reader takes for a photograph of cols x rows.
    double photo_ms(const PictureCase& input, int cols, int rows) {
        double perPixel = 1.0;
        if (static_cast<long long>(cols) * rows > largest_photo) {
            perPixel = static_cast<double>(cols) * rows / largest_photo;
            cols = 4000;
            rows = 3000;
        }
        const auto key = std::make_tuple(static_cast<int>(input.reader), input.angle, cols, rows);
        auto found = m_photoMs.find(key);
        if (found == m_photoMs.end()) {
            const std::string path = zel::work_path("timing_photo.jpg");
            zel::bench::write_photo(path, cols, rows, "JPEG");
            const std::string bytes = read_file(path);
            PictureCase photo = input;
            photo.extension = "jpg";
            photo.file = bytes;
            found = m_photoMs.emplace(key, time_case(photo).ms).first;
        }
        return found->second * perPixel;
    }

    double m_limit;
    int m_read = 0;
    int m_refused = 0;
    int m_failures = 0;
    Ranking m_slowestRefusals;
    Ranking m_slowestReads;
    std::map<std::tuple<int, int, int, int>, double> m_photoMs;
};

std::vector<fs::path> files_of(const fs::path& path) {
    std::vector<fs::path> files;
    if (fs::is_directory(path)) {
        for (const auto& entry : fs::directory_iterator(path))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        std::sort(files.begin(), files.end());
    } else {
        files.push_back(path);
    }
    return files;
}

void make_photographs(Verdicts& verdicts) {
    const std::pair<int, int> sizes[] = {
        {4000, 3000}, {3000, 4000}, {3264, 2448}, {1600, 1200}, {640, 480}};
    for (const auto& [cols, rows] : sizes) {
        for (const char* format : {"JPEG", "BMP3"}) {
            const std::string extension = std::string(format) == "JPEG" ? "jpg" : "bmp";
            const std::string name =
                std::to_string(cols) + "x" + std::to_string(rows) + "." + extension;
            const std::string path = zel::work_path("timing_" + name);
            if (!zel::bench::write_photo(path, cols, rows, format)) {
                std::printf("cannot write %s\n", path.c_str());
                std::exit(2);
            }
            verdicts.photograph(name, path);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    double limit = 50.0;
    std::vector<std::string> corpora;
    std::vector<std::string> pictures;
    std::vector<std::string> photos;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--limit-ms" && i + 1 < argc)
            limit = std::atof(argv[++i]);
        else if (arg == "--pictures" && i + 1 < argc)
            pictures.push_back(argv[++i]);
        else if (arg == "--photos" && i + 1 < argc)
            photos.push_back(argv[++i]);
        else
            corpora.push_back(arg);
    }
    if (zel::work_folder().empty()) {
        std::fprintf(stderr, "no work folder\n");
        return 2;
    }
    Verdicts verdicts(limit);
    make_photographs(verdicts);
    for (const std::string& folder : photos)
        for (const fs::path& file : files_of(folder))
            verdicts.photograph(file.filename().string(), file.string());
    for (const std::string& path : pictures) {
        for (const fs::path& file : files_of(path)) {
            if (file.extension().empty()) {
                std::fprintf(stderr, "%s: a picture needs its extension\n", file.c_str());
                return 2;
            }
            const std::string bytes = read_file(file);
            const std::string extension = file.extension().string().substr(1);
            for (int r = 0; r <= static_cast<int>(Reader::copy); ++r) {
                PictureCase input;
                input.reader = static_cast<Reader>(r);
                input.extension = extension;
                input.copyExtension = "bmp";
                input.file = bytes;
                verdicts.check(file.filename().string(), input);
            }
        }
    }
    for (const std::string& corpus : corpora) {
        for (const fs::path& file : files_of(corpus)) {
            const std::string bytes = read_file(file);
            const PictureCase input =
                picture_case(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            if (bytes.size() >= choice_bytes)
                verdicts.check(file.filename().string(), input);
        }
    }
    return verdicts.report();
}
