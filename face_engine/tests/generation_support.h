#pragma once
// Helpers of the generation tests: the messages the engine showed, and masks and pictures
// drawn as text or filled with one value.

#include "test_templates.h"

#include <zel/face_engine.h>

#include <memory>
#include <string>
#include <vector>

namespace zel::engine::testing {

// Collects every message the libraries show while it lives.
class MessageLog {
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    const std::vector<std::string>& texts() const;
    // The last message, or "" when none was shown.
    std::string last() const;
    void clear();
};

// A face box with these sides, its centre and extent set as box_set_side sets them.
FaceBox box_of(int minx, int maxx, int miny, int maxy);

// A top-down mask of art's size: 1 where art shows one, else 0.
std::unique_ptr<Bits> mask_from_art(const std::vector<std::string>& art, char one = '#');
// A mask of cols x rows filled with value.
std::unique_ptr<Bits> filled_mask(int cols, int rows, unsigned char value);
// A mask as text, '#' for 1 and '.' otherwise (as_art shows a drawing's ink instead).
std::vector<std::string> mask_art(const Bits& mask);
// Colour rows filled with one colour.
std::unique_ptr<Picture> filled_picture(int cols, int rows, _pixel colour);

} // namespace zel::engine::testing
