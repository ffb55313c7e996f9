#pragma once
// The process-wide store of template sets. A set is read from
// <data folder>/templates/set<N>/ the first time it is asked for and kept from then on; a set
// without a folder is absent. When the data folder changes (tests point $ZEL_DATA_DIR
// elsewhere) everything loaded so far is dropped and read anew from the new folder.

#include "template_set.h"

#include <memory>
#include <mutex>
#include <string>

namespace vyresrc {

class TemplateLibrary {
public:
    static TemplateLibrary& instance();

    // Calls `use` with the set's data, or with null when the set is absent, under the library's
    // lock (the data stays valid only inside the call).
    template <typename Use> auto with_set(int set, Use&& use) {
        std::lock_guard lock(m_mutex);
        return use(find_set(set));
    }

private:
    const TemplateSet* find_set(int set);
    void check_folder();

    std::mutex m_mutex;
    std::string m_templates_folder;
    std::unordered_map<int, std::unique_ptr<TemplateSet>> m_sets;
};

} // namespace vyresrc
