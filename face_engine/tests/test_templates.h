#pragma once
// A small template reader of the tests' own: templates drawn as text ('#' ink, '.' paper) with
// their location records, installed in place of the template library so that a case can be
// checked pixel by pixel. Counts the reads, so tests can tell that a part was skipped.

#include "face_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zel::engine::testing {

struct FakeTemplate {
    int set = 0;
    std::string name;
    std::vector<std::string> art; // row 0 at the top
    PartLocation loc;
    bool hasBitmap = true;
};

class FakeTemplates {
public:
    // Installs the reader; it is removed again when the object is destroyed.
    FakeTemplates();
    ~FakeTemplates();
    FakeTemplates(const FakeTemplates&) = delete;
    FakeTemplates& operator=(const FakeTemplates&) = delete;

    // Adds a template whose location box is tight around its ink, anchored at ax, ay.
    void add(int set, const std::string& name, std::vector<std::string> art, int ax, int ay);
    // Adds a location record without a bitmap.
    void add_location_only(int set, const std::string& name, PartLocation loc);
    // Gives a template added before another location record.
    void relocate(int set, const std::string& name, PartLocation loc);

    int opens() const;
    int location_reads() const;
    int open_without_close() const;
};

// A process-wide engine with its canvas set up and the part model reset; the tests' template
// reader is installed for the test's life.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;

    _zel_face& face() { return current_face(); }
    _zel_object& part(int slot) { return current_face().parts[slot]; }
    // Marks a part loaded at lx, ly with the given template name under set 1.
    void place(int slot, const char* name, int lx, int ly, double scale = 1.0);

    FakeTemplates templates;
};

// Arrays of the image library for the life of a test.
struct Picture {
    Picture(int c, int r) : cols(c), rows(r), pixels(ppm_allocarray(c, r)) {}
    ~Picture() { ppm_freearray(pixels, rows); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    int cols;
    int rows;
    _pixel** pixels;
};

struct Bits {
    Bits(int c, int r) : cols(c), rows(r), bits(pbm_allocarray(c, r)) {}
    ~Bits() { pbm_freearray(bits, rows); }
    Bits(const Bits&) = delete;
    Bits& operator=(const Bits&) = delete;
    int cols;
    int rows;
    unsigned char** bits;
};

// Bytes of a bilevel array as text rows ('#' for 0, '.' otherwise).
std::vector<std::string> as_art(unsigned char** rows, int cols, int rowCount);

} // namespace zel::engine::testing
