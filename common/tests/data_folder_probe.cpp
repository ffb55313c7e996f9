// The data folder as a shared library's own copy of the lookup finds it.
#include "zel/common/data_folder.h"

#include <cstring>

extern "C" __attribute__((visibility("default"))) void zel_probe_data_folder(char* out, int size) {
    const std::string folder = zel::data_folder();
    std::strncpy(out, folder.c_str(), static_cast<std::size_t>(size) - 1);
    out[size - 1] = '\0';
}
