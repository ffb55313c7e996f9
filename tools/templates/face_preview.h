#pragma once
// Puts a face together from part drawings with the face builder's arithmetic, on the standard
// face box, so the contact sheet shows the parts as the editor will.

#include "template_image.h"

#include <string>
#include <vector>

namespace vyrgen {

struct PreviewFace {
    std::string eye, brow, nose, mouth, glasses; // empty glasses: none
};

// A 720 x 960 drawing (1 = ink), row 0 at the top, with a face outline in the standard box and
// the parts of `set` placed at that set's typical proportions.
std::vector<unsigned char> compose_face(int set, const std::vector<TemplateImage>& parts,
                                        const std::vector<TemplateImage>& glasses,
                                        const PreviewFace& face, int& cols, int& rows);

} // namespace vyrgen
