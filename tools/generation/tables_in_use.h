#pragma once
// Generation tables held in memory and installed in place of the template library's, so that
// the calibration can try tables on the portraits without writing them out.

#include "generation_tables.h"

namespace zelgen {

class TablesInUse {
public:
    // Installs tables (kept by reference: they must outlive the object); every set reads them.
    explicit TablesInUse(const vyrgen::GenerationTables& tables);
    ~TablesInUse();
    TablesInUse(const TablesInUse&) = delete;
    TablesInUse& operator=(const TablesInUse&) = delete;
};

} // namespace zelgen
