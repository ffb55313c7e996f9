// The resource library: its status after every call, resources of a compiled resource file,
// long strings read whole, a text without end read no further than a string can be, and calls
// from several threads.

#include "zel/controls/resource_library.h"

#include "controls_test_support.h"

#include "zel/common/work_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace zel::controls::test;

namespace {

// Strings of the test library: 1 has 300 characters, 2 more than any string resource holds, 6
// has 300 bytes with a three-byte letter at bytes 253 to 255.
constexpr UINT kLongString = 1, kEndlessString = 2, kLetterAtTheCut = 6;
constexpr WORD kBitmap = 3, kIcon = 4, kDialogRecord = 5;

std::string digits(std::size_t count) {
    std::string s;
    while (s.size() < count) {
        s += "0123456789";
    }
    s.resize(count);
    return s;
}

class FreedBehindItsBack : public CResourceLibrary {
public:
    using CResourceLibrary::CResourceLibrary;
    void free_module() { ::FreeLibrary(m_module); }
};

struct LibraryFixture : ::testing::Test {
    void SetUp() override { ensure_app(); }
};

} // namespace

TEST_F(LibraryFixture, EveryCallWithoutALibraryReportsOne) {
    CResourceLibrary lib;
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryOk);
    EXPECT_EQ(lib.LoadImage(MAKEINTRESOURCE(kBitmap), IMAGE_BITMAP, 0, 0, 0), nullptr);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryNotLoaded);
    char buffer[8] = "x";
    EXPECT_EQ(lib.LoadString(kLongString, buffer, sizeof buffer), 0);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryNotLoaded);
    CString text;
    EXPECT_EQ(lib.LoadString(kLongString, &text), 0);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryNotLoaded);
    EXPECT_EQ(lib.FindResource(MAKEINTRESOURCE(kDialogRecord), RT_DIALOG), nullptr);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryNotLoaded);
    EXPECT_EQ(lib.LoadDialogResource(kDialogRecord), nullptr);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryNotLoaded);
    // Releasing nothing is fine.
    EXPECT_EQ(lib.Free(), CResourceLibrary::kLibraryOk);
}

TEST_F(LibraryFixture, LoadingReportsMissingFilesAndASecondLibrary) {
    CResourceLibrary lib(zel::work_path("none.rcc").c_str());
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryNotFound);
    EXPECT_EQ(lib.Load(zel::work_path("no/such/folder.rcc").c_str(), 0),
              CResourceLibrary::kLibraryNotFound);
    const std::string junk = zel::work_path("junk.rcc");
    { std::ofstream(junk) << "not a resource file"; }
    EXPECT_EQ(lib.Load(junk.c_str(), 0), CResourceLibrary::kLibraryNotFound);

    ASSERT_EQ(lib.Load(ZEL_TEST_LIBRARY, LOAD_LIBRARY_AS_DATAFILE), CResourceLibrary::kLibraryOk);
    // A second library is refused and the first one stays.
    EXPECT_EQ(lib.Load(junk.c_str(), 0), CResourceLibrary::kLibraryAlreadyLoaded);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryAlreadyLoaded);
    HANDLE picture = lib.LoadImage(MAKEINTRESOURCE(kBitmap), IMAGE_BITMAP, 0, 0, 0);
    EXPECT_NE(picture, nullptr);
    ::DeleteObject(picture);

    EXPECT_EQ(lib.Free(), CResourceLibrary::kLibraryOk);
    EXPECT_EQ(lib.LoadImage(MAKEINTRESOURCE(kBitmap), IMAGE_BITMAP, 0, 0, 0), nullptr);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryNotLoaded);
}

TEST_F(LibraryFixture, ALibraryThatCannotBeReleasedIsKept) {
    FreedBehindItsBack lib(ZEL_TEST_LIBRARY);
    ASSERT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryOk);
    lib.free_module();
    EXPECT_EQ(lib.Free(), CResourceLibrary::kLibraryNotFreed);
    EXPECT_EQ(lib.Load(ZEL_TEST_LIBRARY, 0), CResourceLibrary::kLibraryAlreadyLoaded);
}

TEST_F(LibraryFixture, PicturesAndRawResourcesOfTheLibrary) {
    CResourceLibrary lib(ZEL_TEST_LIBRARY, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryOk);

    auto bitmap = static_cast<HBITMAP>(
        lib.LoadImage(MAKEINTRESOURCE(kBitmap), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryOk);
    BITMAP bm{};
    ::GetObject(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 48);
    EXPECT_EQ(bm.bmHeight, 16);
    ::DeleteObject(bitmap);
    EXPECT_EQ(lib.LoadImage(MAKEINTRESOURCE(99), IMAGE_BITMAP, 0, 0, 0), nullptr);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryResourceFailed);

    HICON icon = lib.LoadIcon(MAKEINTRESOURCE(kIcon), 16, 16);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryOk);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    ::GetObject(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);

    HRSRC found = lib.FindResource(MAKEINTRESOURCE(kDialogRecord), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    HGLOBAL data = lib.LoadResource(found);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::memcmp(::LockResource(data), "dialog record", 13), 0);
    EXPECT_EQ(lib.LoadDialogResource(kDialogRecord), data);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryOk);
    EXPECT_EQ(lib.LoadDialogResource(6), nullptr);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryResourceFailed);
    EXPECT_EQ(lib.LoadResource(nullptr), nullptr);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryResourceFailed);
}

TEST_F(LibraryFixture, StringsAreReadWholeOrCutToTheBuffer) {
    CResourceLibrary lib(ZEL_TEST_LIBRARY, LOAD_LIBRARY_AS_DATAFILE);
    char buffer[8];
    EXPECT_EQ(lib.LoadString(kLongString, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "0123456");
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryOk);
    EXPECT_EQ(lib.LoadString(77, buffer, sizeof buffer), 0);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryResourceFailed);

    CString text("old");
    EXPECT_EQ(lib.LoadString(kLongString, &text), 300);
    EXPECT_EQ(text.str(), digits(300));
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryOk);
    EXPECT_EQ(lib.LoadString(77, &text), 0);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryResourceFailed);
    EXPECT_EQ(lib.LoadString(kLongString, nullptr), 0);
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryNoString);

    // A letter that does not fit the first buffer is left out of it whole, which leaves more
    // room free than a cut between single-byte letters: the text is still read on.
    EXPECT_EQ(lib.LoadString(kLetterAtTheCut, &text), 300);
    EXPECT_EQ(text.str(), digits(253) + "\u20AC" + digits(44));
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryOk);

    // A text longer than any string resource stops growing the buffer at the largest one.
    EXPECT_EQ(lib.LoadString(kEndlessString, &text), CResourceLibrary::kLongestString - 1);
    EXPECT_EQ(text.str(), digits(CResourceLibrary::kLongestString - 1));
    EXPECT_EQ(lib.GetStatus(), CResourceLibrary::kLibraryResourceFailed);
}

TEST_F(LibraryFixture, SeveralThreadsShareOneLibrary) {
    CResourceLibrary lib(ZEL_TEST_LIBRARY, LOAD_LIBRARY_AS_DATAFILE);
    std::vector<int> wrong(4, 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < wrong.size(); ++t) {
        threads.emplace_back([&lib, &wrong, t] {
            for (int i = 0; i < 25; ++i) {
                CString text;
                lib.LoadString(kLongString, &text);
                wrong[t] += text.str() == digits(300) ? 0 : 1;
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}
