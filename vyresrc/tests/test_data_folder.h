#pragma once
// A private data folder for reader tests: writes template files and points $ZEL_DATA_DIR at it
// for the life of the object.

#include "zel/testing/test_env.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vyresrc::testing {

// A small valid set: one eye drawing 4 x 3 with its location record, the standard face box, one
// point template and the tables.
inline const char* const kValidParts = "vyresrc-parts 1\n"
                                       "; comment\n"
                                       "part EYE222 4 3 3 1 0 3 0 2\n"
                                       "..##\n"
                                       ".#.#\n"
                                       "###.\n"
                                       "loc STD_FACE 359 469 150 569 180 759\n";
inline const char* const kValidPoints = "vyresrc-points 1\n"
                                        "points EYE_LEFT_IN 580 3\n"
                                        "-5 0 -2\n"
                                        "9 1 1\n"
                                        "0 12 2\n";
inline std::string valid_tables() {
    std::ostringstream text;
    text << "vyresrc-tables 1\nrange SEARCH_RANGE";
    for (int i = 0; i < 21; ++i)
        text << " 0." << i + 10;
    text << "\nthick";
    for (int i = 0; i < 30; ++i)
        text << ' ' << i << ".5";
    text << '\n';
    for (int k = 0; k < 12; ++k) {
        text << "fuzzy " << k;
        for (int i = 0; i < 10; ++i)
            text << ' ' << k * 100 + i;
        text << '\n';
    }
    return text.str();
}

class TestDataFolder {
public:
    explicit TestDataFolder(const std::string& name)
        : m_root(zel::testing::work_dir() + "/" + name) {
        std::filesystem::create_directories(m_root + "/templates");
        if (const char* previous = std::getenv("ZEL_DATA_DIR"))
            m_previous = previous;
        ::setenv("ZEL_DATA_DIR", m_root.c_str(), 1);
    }
    ~TestDataFolder() {
        if (m_previous.empty())
            ::unsetenv("ZEL_DATA_DIR");
        else
            ::setenv("ZEL_DATA_DIR", m_previous.c_str(), 1);
    }
    TestDataFolder(const TestDataFolder&) = delete;
    TestDataFolder& operator=(const TestDataFolder&) = delete;

    std::string path(int set, const std::string& file) const {
        return m_root + "/templates/set" + std::to_string(set) + "/" + file;
    }
    void write(int set, const std::string& file, const std::string& text) const {
        std::filesystem::create_directories(m_root + "/templates/set" + std::to_string(set));
        std::ofstream(path(set, file), std::ios::binary) << text;
    }
    void write_valid_set(int set) const {
        write(set, "parts.vyr", kValidParts);
        write(set, "points.vyr", kValidPoints);
        write(set, "tables.vyr", valid_tables());
    }

private:
    std::string m_root;
    std::string m_previous;
};

} // namespace vyresrc::testing
