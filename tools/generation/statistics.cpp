#include "statistics.h"

#include <algorithm>

namespace zelgen {

double median(std::vector<double> v) {
    if (v.empty())
        return 0.0;
    const std::size_t mid = v.size() / 2;
    std::nth_element(v.begin(), v.begin() + mid, v.end());
    if (v.size() % 2 == 1)
        return v[mid];
    const double upper = v[mid];
    return (upper + *std::max_element(v.begin(), v.begin() + mid)) / 2.0;
}

} // namespace zelgen
