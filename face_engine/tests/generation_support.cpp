#include "generation_support.h"

namespace zel::engine::testing {
namespace {

std::vector<std::string>& log() {
    static std::vector<std::string> texts;
    return texts;
}

void record(const char*, const char* text, zel::MessageIcon) {
    log().push_back(text != nullptr ? text : "");
}

zel::MessageHandler g_previous = nullptr;

} // namespace

MessageLog::MessageLog() {
    log().clear();
    g_previous = zel::set_message_handler(record);
}

MessageLog::~MessageLog() {
    zel::set_message_handler(g_previous);
}

const std::vector<std::string>& MessageLog::texts() const {
    return log();
}

std::string MessageLog::last() const {
    return log().empty() ? std::string() : log().back();
}

void MessageLog::clear() {
    log().clear();
}

FaceBox box_of(int minx, int maxx, int miny, int maxy) {
    FaceBox box;
    box.box_set_side(0, minx);
    box.box_set_side(1, maxx);
    box.box_set_side(2, miny);
    box.box_set_side(3, maxy);
    return box;
}

std::unique_ptr<Bits> mask_from_art(const std::vector<std::string>& art, char one) {
    const int rows = static_cast<int>(art.size());
    const int cols = rows > 0 ? static_cast<int>(art[0].size()) : 0;
    auto m = std::make_unique<Bits>(cols, rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            m->bits[y][x] = art[y][x] == one ? 1 : 0;
    return m;
}

std::unique_ptr<Bits> filled_mask(int cols, int rows, unsigned char value) {
    auto m = std::make_unique<Bits>(cols, rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            m->bits[y][x] = value;
    return m;
}

std::vector<std::string> mask_art(const Bits& mask) {
    std::vector<std::string> art(static_cast<std::size_t>(mask.rows), std::string(mask.cols, '.'));
    for (int y = 0; y < mask.rows; ++y)
        for (int x = 0; x < mask.cols; ++x)
            if (mask.bits[y][x] == 1)
                art[y][x] = '#';
    return art;
}

std::unique_ptr<Picture> filled_picture(int cols, int rows, _pixel colour) {
    auto p = std::make_unique<Picture>(cols, rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            p->pixels[y][x] = colour;
    return p;
}

} // namespace zel::engine::testing
