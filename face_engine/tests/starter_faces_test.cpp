// The starter faces shipped with the editor load, render and save with the real template
// library. Their pictures are left in the test output folder for a person to look at.

#include "face_state.h"
#include "file/face_file_io.h"
#include "file/zel2_text.h"
#include "file/zel_cipher.h"

#include <zel/common/data_folder.h>
#include <zel/testing/test_env.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace zel::engine {
namespace {

struct Starter {
    const char* file;
    int set;
    int version;
    bool glasses;
};

void PrintTo(const Starter& starter, std::ostream* out) {
    *out << starter.file;
}

class StarterFaces : public ::testing::TestWithParam<Starter> {
protected:
    void SetUp() override {
        bw = pbm_allocarray(720, 960);
        clr = ppm_allocarray(720, 960);
    }
    void TearDown() override {
        pbm_freearray(bw, 960);
        ppm_freearray(clr, 960);
    }
    int load(const std::string& path) {
        std::vector<char> name(path.begin(), path.end());
        name.push_back('\0');
        return face_loadzel2a(name.data(), bw, clr, &w, &h, &kind);
    }
    unsigned char** bw = nullptr;
    _pixel** clr = nullptr;
    int w = 0;
    int h = 0;
    int kind = 0;
};

TEST_P(StarterFaces, LoadsRendersAndSavesBackAsItWas) {
    const Starter& starter = GetParam();
    const std::string source = zel::data_path(std::string("faces/") + starter.file + ".zel");
    ASSERT_GT(file_size(source), 0) << source;

    // The stored file is enciphered with the default key and holds the expected version.
    const std::string plain = zel::testing::work_dir() + "/plain";
    ASSERT_EQ(zel_is_enciphered(source), 1);
    ASSERT_EQ(zel_cipher_copy(source, zel_file_name(plain), "wplk"), 0);
    EXPECT_EQ(zel_probe_version(plain.c_str()), starter.version);

    ASSERT_EQ(load(source), 1);
    EXPECT_EQ(w, 720);
    EXPECT_EQ(h, 960);
    EXPECT_EQ(kind, starter.set);
    const _zel_face& face = current_face();
    for (int slot = 0; slot < kZelFaceParts; ++slot)
        EXPECT_EQ(face.parts[slot].IsLoaded, slot == kSlotGlasses ? starter.glasses : true) << slot;
    // Eyes, brows, nose and mouth sit inside the face, in their order from top to bottom, and
    // the eyes mirror each other about the face's centre.
    const _zel_object* p = face.parts;
    EXPECT_LT(p[kSlotLeftBrow].ly, p[kSlotLeftEye].ly);
    EXPECT_LT(p[kSlotLeftEye].ly, p[kSlotNose].ly);
    EXPECT_LT(p[kSlotNose].ly, p[kSlotMouth].ly);
    EXPECT_LT(p[kSlotLeftEye].lx, p[kSlotNose].lx);
    EXPECT_GT(p[kSlotRightEye].lx, p[kSlotNose].lx);
    EXPECT_NEAR(p[kSlotNose].lx - p[kSlotLeftEye].lx, p[kSlotRightEye].lx - p[kSlotNose].lx, 1);

    // A person looks at these.
    const std::string picture = zel::testing::output_dir() + "/starter-" + starter.file;
    EXPECT_EQ(save_pixels(clr, w, h, (picture + "-colour.bmp").c_str(), "bmp"), 1);
    EXPECT_EQ(face_pbmout((picture + "-drawing").c_str(), bw, w, h), 0);

    // Saved again by the engine, it reads back record for record.
    _zel_face before{};
    ASSERT_EQ(zel_face_copyFromDLL(&before), 0);
    std::vector<unsigned char> drawing(720 * 960);
    for (int r = 0; r < 960; ++r)
        std::memcpy(&drawing[r * 720], bw[r], 720);
    std::string copy = zel::testing::work_dir() + "/copy.zel";
    std::vector<char> name(copy.begin(), copy.end());
    name.push_back('\0');
    ASSERT_EQ(face_savezel2(name.data()), 1);
    ASSERT_EQ(load(copy), 1);
    _zel_face after{};
    ASSERT_EQ(zel_face_copyFromDLL(&after), 0);
    EXPECT_EQ(after.nSex, before.nSex);
    for (int slot = 0; slot < kZelFaceParts; ++slot) {
        EXPECT_STREQ(after.parts[slot].name, before.parts[slot].name);
        EXPECT_EQ(after.parts[slot].lx, before.parts[slot].lx);
        EXPECT_EQ(after.parts[slot].ly, before.parts[slot].ly);
        EXPECT_NEAR(after.parts[slot].Scale, before.parts[slot].Scale, 1e-5);
    }
    for (int r = 0; r < 960; ++r)
        ASSERT_EQ(std::memcmp(&drawing[r * 720], bw[r], 720), 0) << r;
}

INSTANTIATE_TEST_SUITE_P(Shipped, StarterFaces,
                         ::testing::Values(Starter{"man", 1, 1, false},
                                           Starter{"man-glasses", 1, 2, true},
                                           Starter{"woman", 2, 2, false},
                                           Starter{"child", 3, 2, false}),
                         [](const ::testing::TestParamInfo<Starter>& tested) {
                             std::string name = tested.param.file;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

} // namespace
} // namespace zel::engine
