// Every input the picture fuzzer found (kept in data/findings, with the fuzzer's two choice
// bytes in front) goes to its reader again as the fuzzer sent it: the run aborts on any broken
// promise, and a file the reader refuses must have been refused by its header, before decoding.

#include "picture_case.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;
using namespace zel::imaging::fuzz;

TEST(ImagingFuzzFindings, EachRunsCleanlyThroughItsReader) {
    int count = 0;
    for (const auto& entry :
         fs::directory_iterator(std::string(ZEL_IMAGING_TEST_DATA) + "/findings")) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        ASSERT_GE(bytes.size(), choice_bytes);
        const PictureCase input =
            picture_case(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        run_case(input);
        ++count;
    }
    EXPECT_GE(count, 2);
}
