#pragma once
// Writes a template set in the reader's text format (see vyresrc/src/data_files.h): parts.vyr,
// points.vyr and tables.vyr in <folder>/set<N>/. Each file is written beside its final name and
// renamed into place, so an interrupted run never leaves half a file for the reader.

#include "generation_tables.h"
#include "template_image.h"

#include <string>
#include <vector>

namespace vyrgen {

void write_set(const std::string& folder, int set, const std::vector<TemplateImage>& parts);

} // namespace vyrgen
