#include "picture_fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace zel::imaging::test;

TEST(ImagingCipher, EachByteIsComplementedAndKeyedCyclically) {
    const std::string src = work_file("plain");
    const std::string dst = work_file("ciphered");
    write_bytes(src, std::string("\x00\x00\x00\xff\x10", 5));
    ASSERT_EQ(zic_encypt(src.c_str(), dst.c_str(), "AB", 2), 0);
    EXPECT_EQ(read_bytes(dst), std::string("\xbe\xbd\xbe\x42\xae", 5));
    ASSERT_EQ(zic_encypt(src.c_str(), dst.c_str(), "\x0f", 1), 0);
    EXPECT_EQ(read_bytes(dst)[0], '\xf0');
}

TEST(ImagingCipher, DecipheringRestoresALargeFileByteForByte) {
    std::string plain(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < plain.size(); ++i)
        plain[i] = static_cast<char>(i * 131 + i / 7);
    const std::string src = work_file("big");
    write_bytes(src, plain);
    ASSERT_EQ(zic_encypt(src.c_str(), work_file("big.zif").c_str(), "tq8HM", 5), 0);
    const std::string ciphered = read_bytes(work_file("big.zif"));
    ASSERT_EQ(ciphered.size(), plain.size());
    // Key position runs on across the buffer boundaries.
    const std::size_t at = 1024 * 1024 + 3;
    EXPECT_EQ(ciphered[at], static_cast<char>(~plain[at] ^ "tq8HM"[at % 5]));
    ASSERT_EQ(zic_decypt(work_file("big.zif").c_str(), work_file("back").c_str(), "tq8HM", 5), 0);
    EXPECT_EQ(read_bytes(work_file("back")), plain);
}

TEST(ImagingCipher, EmptyMissingAndBadArguments) {
    const std::string empty = work_file("empty");
    write_bytes(empty, "");
    EXPECT_EQ(zic_decypt(empty.c_str(), work_file("out").c_str(), "k", 1), 0);
    EXPECT_EQ(read_bytes(work_file("out")), "");
    EXPECT_EQ(zic_decypt(work_file("missing").c_str(), work_file("never").c_str(), "k", 1), -11);
    EXPECT_FALSE(std::filesystem::exists(work_file("never")));
    EXPECT_EQ(zic_decypt(empty.c_str(), work_file("no/dir/x").c_str(), "k", 1), -11);
    EXPECT_EQ(zic_encypt(empty.c_str(), work_file("out").c_str(), "k", 0), -11);
    EXPECT_EQ(zic_encypt(empty.c_str(), work_file("out").c_str(), nullptr, 1), -11);
    EXPECT_EQ(zic_encypt(nullptr, work_file("out").c_str(), "k", 1), -11);
}

// Opening dst empties it before src is read: a src that is dst, or no file to read, must leave
// dst as it was.
TEST(ImagingCipher, ASourceThatIsTheTargetOrNoFileIsRefusedAndTheTargetKept) {
    const std::string file = work_file("same.zel");
    write_bytes(file, "kept");
    const std::string link = work_file("same-link.zel");
    std::filesystem::remove(link);
    std::filesystem::create_symlink(file, link);
    EXPECT_EQ(zic_encypt(file.c_str(), file.c_str(), "k", 1), -11);
    EXPECT_EQ(zic_decypt(link.c_str(), file.c_str(), "k", 1), -11);
    EXPECT_EQ(read_bytes(file), "kept");
    const std::string folder = work_file("a-folder");
    std::filesystem::create_directories(folder);
    EXPECT_EQ(zic_decypt(folder.c_str(), file.c_str(), "k", 1), -11);
    EXPECT_EQ(read_bytes(file), "kept");
}
