#pragma once
// The artwork of every part drawing, drawn from a set's style. Each function returns finished
// templates named as the face engine asks for them.

#include "set_style.h"
#include "template_image.h"

#include <vector>

namespace vyrgen {

// EYE111 .. EYE333: size, shape, slant.
std::vector<TemplateImage> eye_templates(const SetStyle& style);
// BROW1 .. BROW3 (thickness), BROW_HPY, BROW_SAD, BROW_ANGRY.
std::vector<TemplateImage> brow_templates(const SetStyle& style);
// NOSE1 .. NOSE3 (narrow to wide).
std::vector<TemplateImage> nose_templates(const SetStyle& style);
// MOUTH11 .. MOUTH33 (size, lip thickness), MOUTH_HPY, MOUTH_SAD, MOUTH_ANGRY.
std::vector<TemplateImage> mouth_templates(const SetStyle& style);
// GLASSES_STD, GLASSES_RND, GLASSES_REC, at half the face scale.
std::vector<TemplateImage> glasses_templates();

// A raster big enough for any part, origin in the middle.
Raster part_raster();

} // namespace vyrgen
