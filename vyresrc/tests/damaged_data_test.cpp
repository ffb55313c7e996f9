// A damaged or missing data file makes its entries absent, says so once on standard error naming
// the file, and leaves the set's other files usable.

#include "test_data_folder.h"

#include "vyresrc/vyresrc.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using vyresrc::testing::kValidParts;
using vyresrc::testing::kValidPoints;
using vyresrc::testing::TestDataFolder;
using vyresrc::testing::valid_tables;

struct Damage {
    const char* label;
    const char* file;
    std::string text;
};

std::string with_fuzzy_line_dropped() {
    std::string text = valid_tables();
    const auto at = text.find("fuzzy 11");
    return text.substr(0, at);
}

std::string not_finite_thickness() {
    std::string text = "vyresrc-tables 1\nthick";
    for (int i = 0; i < 29; ++i)
        text += " 0.1";
    return text + " inf\n";
}

std::vector<Damage> damages() {
    const std::string parts = kValidParts;
    return {
        {"EmptyFile", "parts.vyr", ""},
        {"WrongMagic", "parts.vyr", "vyresrc-points 1\n"},
        {"FutureVersion", "parts.vyr", "vyresrc-parts 2\n"},
        {"DrawingEndsEarly", "parts.vyr", parts.substr(0, parts.find("###."))},
        {"RowTooShort", "parts.vyr", "vyresrc-parts 1\npart EYE222 4 1 0 0 0 3 0 0\n###\n"},
        {"StrayCharacter", "parts.vyr", "vyresrc-parts 1\npart EYE222 4 1 0 0 0 3 0 0\n#x##\n"},
        {"BoxOutsideDrawing", "parts.vyr", "vyresrc-parts 1\npart EYE222 4 1 0 0 0 4 0 0\n####\n"},
        {"BoxUpsideDown", "parts.vyr", "vyresrc-parts 1\nloc STD_FACE 0 0 5 4 0 1\n"},
        {"HugeDrawing", "parts.vyr", "vyresrc-parts 1\npart EYE222 99999 1 0 0 0 3 0 0\n"},
        {"NameTwice", "parts.vyr", parts + "loc EYE222 0 0 0 0 0 0\n"},
        {"NameTooLong", "parts.vyr", "vyresrc-parts 1\nloc ABCDEFGHIJKLMNOPQRST 0 0 0 0 0 0\n"},
        {"UnknownEntry", "parts.vyr", parts + "picture X\n"},
        {"NotANumber", "parts.vyr", "vyresrc-parts 1\nloc STD_FACE 0 0 0 x 0 0\n"},
        {"TooManyPoints", "points.vyr", "vyresrc-points 1\npoints EYE_LEFT_IN 580 1001\n"},
        {"PointListShort", "points.vyr", "vyresrc-points 1\npoints EYE_LEFT_IN 580 2\n1 2 3\n"},
        {"ZeroReference", "points.vyr", "vyresrc-points 1\npoints EYE_LEFT_IN 0 1\n1 2 3\n"},
        // Offsets at both ends of the int range would overflow the template's spread.
        {"OffsetOutOfRange", "points.vyr",
         "vyresrc-points 1\npoints EYE_LEFT_IN 580 2\n-2147483648 0 1\n2147483647 0 -1\n"},
        {"WeightOutOfRange", "points.vyr", "vyresrc-points 1\npoints EYE_LEFT_IN 580 1\n1 2 256\n"},
        {"LocationOutOfRange", "parts.vyr",
         "vyresrc-parts 1\nloc STD_FACE -2147483648 0 0 2147483647 0 1\n"},
        {"RangeTooShort", "tables.vyr", "vyresrc-tables 1\nrange SEARCH_RANGE 0.1 0.2\n"},
        {"NotFinite", "tables.vyr", not_finite_thickness()},
        {"FuzzyIncomplete", "tables.vyr", with_fuzzy_line_dropped()},
        // Cut short inside the last number, which still reads as a (wrong) number.
        {"CutInLastWeight", "points.vyr", "vyresrc-points 1\npoints EYE_LEFT_IN 580 1\n1 2 2"},
        {"CutInLastValue", "tables.vyr", valid_tables().substr(0, valid_tables().size() - 2)},
    };
}

class DamagedFile : public ::testing::TestWithParam<Damage> {};

bool present(int set, const std::string& file) {
    std::int32_t loc[6];
    std::int32_t header[vyresrc::kBinHeaderWords];
    std::vector<std::int32_t> x(1000), y(1000), w(1000);
    double thick[30];
    if (file == "parts.vyr")
        return ReadLocResource(set, "STD_FACE", loc) != 0;
    if (file == "points.vyr")
        return ReadBinTemplate(set, "EYE_LEFT_IN", header, x.data(), y.data(), w.data(), 1000) != 0;
    return read_thick_file(set, thick) != 0;
}

TEST_P(DamagedFile, LeavesItsEntriesOutAndSaysSoOnce) {
    const Damage& damage = GetParam();
    TestDataFolder data(std::string("damaged-") + damage.label);
    data.write_valid_set(7);
    data.write(7, damage.file, damage.text);

    ::testing::internal::CaptureStderr();
    for (const char* file : {"parts.vyr", "points.vyr", "tables.vyr"})
        EXPECT_EQ(present(7, file), file != std::string(damage.file)) << file;
    EXPECT_FALSE(present(7, damage.file)); // asked again: no second message
    const std::string err = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find(data.path(7, damage.file)), std::string::npos) << err;
}

INSTANTIATE_TEST_SUITE_P(Reader, DamagedFile, ::testing::ValuesIn(damages()),
                         [](const auto& tested) { return std::string(tested.param.label); });

TEST(Reader, MissingFileIsReportedAndTheOthersStillRead) {
    TestDataFolder data("missing");
    data.write(7, "parts.vyr", kValidParts);
    data.write(7, "tables.vyr", valid_tables());
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(present(7, "parts.vyr"));
    EXPECT_FALSE(present(7, "points.vyr"));
    EXPECT_TRUE(present(7, "tables.vyr"));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(data.path(7, "points.vyr")), std::string::npos) << err;
}

TEST(Reader, MissingTemplateFolderIsReportedOnceAndNothingReads) {
    TestDataFolder data("no-templates");
    std::filesystem::remove_all(zel::testing::work_dir() + "/no-templates/templates");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(present(1, "parts.vyr"));
    EXPECT_FALSE(present(2, "tables.vyr"));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("no-templates/templates"), std::string::npos) << err;
}

} // namespace
