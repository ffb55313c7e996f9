// Text persistence of a layer record. Each line is one value followed by ':'; the key colour
// bytes are written as numbers so that every byte value, a line end or ':' included, reads
// back.

#include "record_text.h"
#include "zel/common/file_replace.h"
#include "zel/composition.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace zel::composition {
namespace {

// The text of a field: from position up to the next ':' or the end.
std::string field_text(const char* text, int& position) {
    const char* start = text + position;
    const char* colon = std::strchr(start, ':');
    const std::size_t length = colon ? static_cast<std::size_t>(colon - start) : std::strlen(start);
    position += static_cast<int>(length) + (colon ? 1 : 0);
    return std::string(start, length);
}

int rest_is_short(const char* text, int position) {
    return std::strlen(text + position) < 2 ? 1 : 0;
}

} // namespace

int parse_int_field(const char* text, int& position, int& out) {
    const long value = std::strtol(field_text(text, position).c_str(), nullptr, 10);
    out = static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
    return rest_is_short(text, position);
}

int parse_double_field(const char* text, int& position, double& out) {
    out = std::strtod(field_text(text, position).c_str(), nullptr);
    return rest_is_short(text, position);
}

} // namespace zel::composition

namespace {

class RecordReader {
public:
    explicit RecordReader(std::ifstream& in) : m_in(in) {}

    bool next_int(int& out) {
        if (!next_line())
            return false;
        int position = 0;
        zel::composition::parse_int_field(m_line.c_str(), position, out);
        return true;
    }
    bool next_double(double& out) {
        if (!next_line())
            return false;
        int position = 0;
        zel::composition::parse_double_field(m_line.c_str(), position, out);
        return true;
    }
    bool next_flag(int& out) {
        int value = 0;
        if (!next_int(value))
            return false;
        out = value != 0 ? 1 : 0;
        return true;
    }
    bool next_byte(unsigned char& out) {
        int value = 0;
        if (!next_int(value))
            return false;
        out = static_cast<unsigned char>(value);
        return true;
    }
    // A string field is the whole line without its closing ':', since folders may hold ':'.
    bool next_string(char* field, int capacity) {
        if (!next_line())
            return false;
        if (!m_line.empty() && m_line.back() == ':')
            m_line.pop_back();
        if (m_line.size() >= static_cast<std::size_t>(capacity))
            return false;
        std::memcpy(field, m_line.c_str(), m_line.size() + 1);
        return true;
    }

private:
    bool next_line() {
        if (!std::getline(m_in, m_line))
            return false;
        if (!m_line.empty() && m_line.back() == '\r')
            m_line.pop_back();
        return true;
    }

    std::ifstream& m_in;
    std::string m_line;
};

} // namespace

int zeleditObject::save(const char* path) const {
    if (path == nullptr)
        return -10;
    // The record replaces the file whole, so a save the disk cannot take leaves the record
    // saved before it instead of a cut-off one.
    const bool saved = zel::replace_file(path, [this](const std::string& sibling) {
        std::ofstream out(sibling);
        if (!out)
            return false;
        out.precision(17);
        out << nOid << ":\n"
            << csDir << ":\n"
            << csFile << ":\n"
            << csExt << ":\n"
            << col << ":\n"
            << row << ":\n"
            << colOffset << ":\n"
            << rowOffset << ":\n"
            << nAngle << ":\n"
            << tCol << ":\n"
            << tRow << ":\n"
            << colScale << ":\n"
            << rowScale << ":\n"
            << nLayer << ":\n"
            << nSLayer << ":\n"
            << (bDisplay ? 1 : 0) << ":\n"
            << nSex << ":\n";
        for (const unsigned char byte : bgClr)
            out << static_cast<int>(byte) << ":\n";
        // A full disk shows only when the stream's buffer reaches the file.
        out.close();
        return !out.fail();
    });
    return saved ? 0 : -10;
}

int zeleditObject::load(const char* path) {
    if (path == nullptr)
        return -10;
    std::ifstream in(path);
    if (!in)
        return -10;
    IsLoaded = 0;
    RecordReader r(in);
    if (!r.next_int(nOid) || !r.next_string(csDir, dir_capacity) ||
        !r.next_string(csFile, file_capacity) || !r.next_string(csExt, ext_capacity) ||
        !r.next_int(col) || !r.next_int(row) || !r.next_int(colOffset) || !r.next_int(rowOffset) ||
        !r.next_int(nAngle) || !r.next_int(tCol) || !r.next_int(tRow) || !r.next_double(colScale) ||
        !r.next_double(rowScale) || !r.next_int(nLayer) || !r.next_int(nSLayer) ||
        !r.next_flag(bDisplay) || !r.next_int(nSex) || !r.next_byte(bgClr[0]) ||
        !r.next_byte(bgClr[1]) || !r.next_byte(bgClr[2]))
        return -11;
    IsLoaded = 1;
    return 0;
}
