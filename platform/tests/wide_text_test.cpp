// Wide texts to and from the program's UTF-8 text.

#include "zel/platform/wide_text.h"

#include <gtest/gtest.h>

namespace {

TEST(PlatformWideTextTest, EveryLengthOfCharacterRoundTrips) {
    // One to four bytes: "a", "é", "€", and a character beyond the basic plane.
    const char* text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    const std::wstring wide = zel::platform::widen(text);
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_EQ(wide[0], L'a');
    EXPECT_EQ(wide[1], wchar_t(0xE9));
    EXPECT_EQ(wide[2], wchar_t(0x20AC));
    EXPECT_EQ(wide[3], wchar_t(0x1F600));
    EXPECT_EQ(zel::platform::narrow(wide), text);
    EXPECT_EQ(zel::platform::narrow(L"&File\tCtrl+F"), "&File\tCtrl+F");
}

TEST(PlatformWideTextTest, NoTextAndBrokenTextStayInBounds) {
    EXPECT_TRUE(zel::platform::widen(nullptr).empty());
    EXPECT_TRUE(zel::platform::widen("").empty());
    EXPECT_TRUE(zel::platform::narrow(L"").empty());
    // A stray continuation byte and a sequence cut short by the end become U+FFFD; nothing is
    // read past the terminator.
    const std::wstring broken = zel::platform::widen("x\x80y\xE2\x82");
    ASSERT_GE(broken.size(), 4u);
    EXPECT_EQ(broken[0], L'x');
    EXPECT_EQ(broken[1], wchar_t(0xFFFD));
    EXPECT_EQ(broken[2], L'y');
    EXPECT_EQ(broken.back(), wchar_t(0xFFFD));
}

} // namespace
