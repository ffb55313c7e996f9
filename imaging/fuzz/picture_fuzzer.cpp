// Feeds arbitrary files to the picture readers as a user reaches them: the first bytes choose
// the reader and the file's name (picture_case), the rest is the file. Besides not crashing,
// a picture that reads must keep to the size it was asked for (run_case), and a file that is
// refused must be refused quickly: one that keeps its reader busy for longer than
// $ZEL_FUZZ_SLOW_MS milliseconds of processor time (default 500, generous for this
// instrumented build; the timing tool holds the release build to 50) is a finding.

#include "picture_case.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

double thread_milliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double slow_milliseconds() {
    const char* text = std::getenv("ZEL_FUZZ_SLOW_MS");
    const double limit = text != nullptr ? std::atof(text) : 0.0;
    return limit > 0.0 ? limit : 500.0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zel::imaging::fuzz;
    if (size < choice_bytes)
        return 0;
    static const double limit = slow_milliseconds();
    const PictureCase input = picture_case(data, size);
    const double start = thread_milliseconds();
    const Outcome outcome = run_case(input);
    const double spent = thread_milliseconds() - start;
    if (outcome == Outcome::refused && spent > limit) {
        std::fprintf(stderr, "%s took %.0f ms to refuse a file of %zu bytes named *.%s\n",
                     reader_name(input.reader), spent, input.file.size(), input.extension.c_str());
        std::abort();
    }
    return 0;
}
