#pragma once
// Generation tables held in memory and installed in place of the template library's, so that
// the calibration can try tables on the portraits without writing them out.

#include "generation_tables.h"

namespace zelgen {

// Rounds every value of tables as the tables file stores it (six significant digits), so that
// what is measured with tables in memory is what the template sets will give.
void round_as_stored(vyrgen::GenerationTables& tables);

class TablesInUse {
public:
    // Installs tables (kept by reference: they must outlive the object); every set reads them.
    explicit TablesInUse(const vyrgen::GenerationTables& tables);
    ~TablesInUse();
    TablesInUse(const TablesInUse&) = delete;
    TablesInUse& operator=(const TablesInUse&) = delete;
};

} // namespace zelgen
