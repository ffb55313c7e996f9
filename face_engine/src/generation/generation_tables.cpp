#include "generation/generation_tables.h"

#include <vyresrc/vyresrc.h>

namespace zel::engine {
namespace {

GenerationTableReader g_tables{ReadBinTemplate, face_readsearchrange, read_thick_file,
                               ReadFuzzyResource};

} // namespace

GenerationTableReader set_generation_table_reader(const GenerationTableReader& reader) {
    const GenerationTableReader previous = g_tables;
    g_tables.read_points = reader.read_points != nullptr ? reader.read_points : ReadBinTemplate;
    g_tables.read_range = reader.read_range != nullptr ? reader.read_range : face_readsearchrange;
    g_tables.read_thickness =
        reader.read_thickness != nullptr ? reader.read_thickness : read_thick_file;
    g_tables.read_fuzzy = reader.read_fuzzy != nullptr ? reader.read_fuzzy : ReadFuzzyResource;
    return previous;
}

const GenerationTableReader& generation_tables() {
    return g_tables;
}

} // namespace zel::engine
