#include "file/work_files.h"

#include <zel/common/work_folder.h>

namespace zel::engine {

std::string load_work_name() {
    return zel::work_path("zelprord1r");
}

std::string save_work_name() {
    return zel::work_path("zelprord1s");
}

} // namespace zel::engine
