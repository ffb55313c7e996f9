#include "file/text_fields.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace zel::engine {
namespace {

TEST(FileTextFields, IntReportsWhetherTheLineIsUsedUp) {
    std::size_t pos = 0;
    int value = 42;
    EXPECT_EQ(text_field_int("", pos, value), kFieldUsedUp);
    EXPECT_EQ(value, 42) << "an empty line stores nothing";

    pos = 0;
    EXPECT_EQ(text_field_int("7:", pos, value), kFieldUsedUp);
    EXPECT_EQ(value, 7);

    pos = 0;
    EXPECT_EQ(text_field_int("7:8:", pos, value), kFieldMore);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(text_field_int("7:8:", pos, value), kFieldUsedUp);
    EXPECT_EQ(value, 8);
}

TEST(FileTextFields, IntReadsAsAtoiDoesButRefusesOverflow) {
    std::size_t pos = 0;
    int value = 0;
    EXPECT_EQ(text_field_int("  -12abc:x:", pos, value), kFieldMore);
    EXPECT_EQ(value, -12);
    EXPECT_EQ(text_field_int("  -12abc:x:", pos, value), kFieldUsedUp);
    EXPECT_EQ(value, 0) << "no digits reads 0";

    for (const char* line : {"2147483647:", "-2147483648:"}) {
        pos = 0;
        EXPECT_NE(text_field_int(line, pos, value), kFieldBad) << line;
    }
    for (const char* line : {"2147483648:", "-2147483649:", "99999999999999999999999:"}) {
        pos = 0;
        value = 5;
        EXPECT_EQ(text_field_int(line, pos, value), kFieldBad) << line;
        EXPECT_EQ(value, 5) << line;
    }
}

TEST(FileTextFields, StringsAreBoundedByTheirField) {
    char name[20] = "old";
    std::size_t pos = 0;
    EXPECT_EQ(text_field_str("EYE222:1:", pos, name, sizeof name), kFieldMore);
    EXPECT_STREQ(name, "EYE222");

    pos = 0;
    EXPECT_EQ(text_field_str("ABCDEFGHIJKLMNOPQRS:", pos, name, sizeof name), kFieldUsedUp);
    EXPECT_STREQ(name, "ABCDEFGHIJKLMNOPQRS") << "19 characters fit";

    pos = 0;
    EXPECT_EQ(text_field_str("ABCDEFGHIJKLMNOPQRST:1:", pos, name, sizeof name), kFieldBad);
    EXPECT_STREQ(name, "");
}

TEST(FileTextFields, DoublesReadAndWriteTheSameInAnyLocale) {
    // The editor's toolkit sets the user's locale; a decimal comma must not leak into files.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool comma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    std::string out;
    text_put_double(out, 1.0);
    text_put_double(out, 1.05);
    text_put_double(out, 0.857375);
    text_put_double(out, 1.2762815625);
    text_put_double(out, 0.00001);
    text_put_double(out, 0.1234567);
    EXPECT_EQ(out, "1:1.05:0.857375:1.27628:1e-005:0.123457:");

    std::size_t pos = 0;
    double value = 0;
    const std::string line = "1.05: +2.5:1e-005:abc:";
    EXPECT_EQ(text_field_double(line, pos, value), kFieldMore);
    EXPECT_EQ(value, 1.05);
    text_field_double(line, pos, value);
    EXPECT_EQ(value, 2.5);
    text_field_double(line, pos, value);
    EXPECT_EQ(value, 0.00001);
    text_field_double(line, pos, value);
    EXPECT_EQ(value, 0.0);
    std::setlocale(LC_ALL, previous.c_str());
    if (!comma)
        GTEST_LOG_(INFO) << "no German locale here; checked in the C locale only";
}

TEST(FileTextFields, DoublesOutOfRangeAreRefusedAndNonFiniteOnesReadAsSuch) {
    std::size_t pos = 0;
    double value = 3;
    EXPECT_EQ(text_field_double("1e999:", pos, value), kFieldBad);
    pos = 0;
    EXPECT_NE(text_field_double("inf:", pos, value), kFieldBad);
    EXPECT_TRUE(std::isinf(value)) << "the callers check finiteness before any conversion";
}

TEST(FileTextFields, LinesEndAtLineFeedOrCrLfAndOverlongLinesSpoilTheReader) {
    TextReader reader("a:\r\nb:\n\nc:");
    std::string_view line;
    EXPECT_EQ(text_read_line(reader, line), 0);
    EXPECT_EQ(line, "a:");
    text_read_line(reader, line);
    EXPECT_EQ(line, "b:");
    text_read_line(reader, line);
    EXPECT_EQ(line, "");
    text_read_line(reader, line);
    EXPECT_EQ(line, "c:");
    EXPECT_EQ(text_read_line(reader, line), -12);
    EXPECT_TRUE(reader.good());

    const std::string longest(254, '1');
    const std::string text = longest + "\n" + longest + "1\nnext:\n";
    TextReader bounded(text);
    text_read_line(bounded, line);
    EXPECT_EQ(line.size(), 254u);
    EXPECT_TRUE(bounded.good());
    text_read_line(bounded, line);
    EXPECT_FALSE(bounded.good());
    EXPECT_EQ(line, "");
    text_read_line(bounded, line);
    EXPECT_EQ(line, "") << "nothing after an overlong line is taken";
}

} // namespace
} // namespace zel::engine
