#pragma once
// A scaled size truncated toward zero as an int, for every product of a size and a factor.

#include <climits>
#include <cmath>

namespace zel::composition {

// A product past what an int holds is held at its limit, and one that is no number gives no
// size, rather than an undefined conversion.
inline int truncated_size(double size) {
    if (std::isnan(size))
        return 0;
    if (size >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (size <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(size);
}

} // namespace zel::composition
