#pragma once
// A contact sheet of template set `set`: sample faces put together from its parts the way the face
// builder places them at the set's typical proportions, then every drawing at 1:1 with its name
// and a red mark at its anchor.

#include "template_image.h"

#include <string>
#include <vector>

namespace vyrgen {

void write_contact_sheet(int set, const std::string& png_path, const std::string& title,
                         const std::vector<TemplateImage>& parts,
                         const std::vector<TemplateImage>& glasses);

} // namespace vyrgen
