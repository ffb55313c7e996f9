#include "sample_lines.h"

#include "tables_in_use.h"

#include "engine_codes.h"
#include "generation/part_choice.h"

namespace zelgen {

LineFigures sample_line_figures(std::vector<Sample>& samples,
                                const vyrgen::GenerationTables& tables) {
    using namespace zel::engine;
    const TablesInUse use(tables);
    LineFigures figures;
    FuzzySet sets[kFuzzySets];
    if (res_read_fuzzy(1, sets) != kOk)
        return figures;
    for (Sample& s : samples) {
        FaceBox box;
        FaceLandmarks lm;
        if (!run_line_stages(s, box, lm))
            continue;
        FaceMeasures measures;
        measures.measures_record_init();
        shape_measures_compute(sets, box, lm.eyes[0], lm.eyes[1], lm.nose, lm.mouth, lm.brows[0],
                               lm.brows[1], measures);
        figures.add(lm, measures, s.ref, s.iod);
    }
    return figures;
}

} // namespace zelgen
