#pragma once
// Figures the tools report over many portraits.

#include <vector>

namespace zelgen {

// The median, the mean of the two middle values for an even count; 0 for none.
double median(std::vector<double> v);

} // namespace zelgen
