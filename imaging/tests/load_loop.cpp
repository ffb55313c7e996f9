// imaging_load_loop <picture> <count> <red> <green> <blue>
//
// Loads one picture count times through LoadGeneralImage, as the editor's photo command does,
// and checks each time that the middle pixel shows the picture's own colour. Prints the
// number of wrong pictures and of failed loads; exits 0 only when there are none. Started
// twice at once by the tests, it shows whether two programs share their work files.

#include "zel/imaging.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool near(int a, int b) {
    return std::abs(a - b) <= 8;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s picture count red green blue\n", argv[0]);
        return 2;
    }
    const int count = std::atoi(argv[2]);
    const int red = std::atoi(argv[3]);
    const int green = std::atoi(argv[4]);
    const int blue = std::atoi(argv[5]);
    _pixel** arr = ppm_allocarray(720, 960);
    if (arr == nullptr)
        return 2;
    int wrong = 0;
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        int cols = 0;
        int rows = 0;
        _BmpHeader hdr{};
        if (LoadGeneralImage(arr, argv[1], &cols, &rows, &hdr) != 1) {
            ++failed;
            continue;
        }
        const _pixel middle = arr[rows / 2][cols / 2];
        if (!near(middle.r, red) || !near(middle.g, green) || !near(middle.b, blue))
            ++wrong;
    }
    ppm_freearray(arr, 960);
    std::printf("%d wrong, %d failed\n", wrong, failed);
    return wrong == 0 && failed == 0 ? 0 : 1;
}
