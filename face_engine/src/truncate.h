#pragma once
// Conversion of a double to an int32 by truncation toward zero, as the engine converts every
// position and size. Values past the int32 range (and NaN) are held at the range's ends so that
// a wild scale or position never leads to an undefined conversion; they then fall outside every
// canvas and are clipped like any other far-away position.

#include <climits>

namespace zel::engine {

inline int trunc_to_int(double z) {
    if (!(z > static_cast<double>(INT_MIN))) {
        return INT_MIN;
    }
    if (z >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    return static_cast<int>(z);
}

} // namespace zel::engine
