#include "template_library.h"

#include "data_files.h"

#include "zel/common/data_folder.h"

#include <cstdio>
#include <sys/stat.h>

namespace vyresrc {
namespace {

// Set numbers are small codes (1, 2, 3, 6); anything else is absent without a look at the disk,
// so a caller looping over odd numbers cannot grow the cache.
constexpr int kMaxSetNumber = 99;

bool is_folder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void report(const std::string& path, const std::string& why) {
    std::fprintf(stderr, "vyresrc: %s: %s; its templates are absent\n", path.c_str(), why.c_str());
}

// Reads one data file into a fresh copy of `set`, so a damaged file leaves nothing of itself.
void read_file(const std::string& path, void (*reader)(LineReader&, TemplateSet&),
               TemplateSet& set) {
    LineReader in(path);
    if (!in.is_open()) {
        report(path, "cannot be opened");
        return;
    }
    TemplateSet scratch = set;
    try {
        reader(in, scratch);
    } catch (const ParseError& error) {
        report(path, error.message);
        return;
    }
    set = std::move(scratch);
}

std::unique_ptr<TemplateSet> load_set(const std::string& folder) {
    auto set = std::make_unique<TemplateSet>();
    read_file(folder + "/" + std::string(kPartsFile), read_parts_file, *set);
    read_file(folder + "/" + std::string(kPointsFile), read_points_file, *set);
    read_file(folder + "/" + std::string(kTablesFile), read_tables_file, *set);
    return set;
}

} // namespace

TemplateLibrary& TemplateLibrary::instance() {
    static TemplateLibrary library;
    return library;
}

void TemplateLibrary::check_folder() {
    std::string folder = zel::data_path("templates");
    if (folder == m_templates_folder)
        return;
    m_sets.clear();
    m_templates_folder = std::move(folder);
    if (!is_folder(m_templates_folder))
        report(m_templates_folder, "no such folder");
}

const TemplateSet* TemplateLibrary::find_set(int set) {
    if (set < 0 || set > kMaxSetNumber)
        return nullptr;
    check_folder();
    auto it = m_sets.find(set);
    if (it == m_sets.end()) {
        const std::string folder = m_templates_folder + "/set" + std::to_string(set);
        std::unique_ptr<TemplateSet> loaded;
        if (is_folder(folder))
            loaded = load_set(folder);
        it = m_sets.emplace(set, std::move(loaded)).first;
    }
    return it->second.get();
}

} // namespace vyresrc
