#pragma once
// Tiny part templates for every part code, with a standard face of 100 x 150, so that a face
// built from them can be checked pixel by pixel: a face box of 100 x 150 draws them 1:1.

#include "test_templates.h"

namespace zel::engine::testing {

// Eyes (5 x 3 ring, anchored at the inner corner), brows (6 x 2 bar), noses (3 x 4), mouths
// (7 x 1 line) and the glasses under set 6; "STD_FACE" is 100 x 150.
void add_builder_templates(FakeTemplates& templates, int set);

// The standard box: 100 x 150 from 0, 0.
FaceBox standard_box();

// eye_height 0.5, eye_space 0.3, eye_nose 0.4, nose_mouth 0.3, eye_brow 0.2; codes eye 2 1 3,
// brow 1, nose 2, mouth 1 2. With the standard box: E 75, S 30, B 15, N 30, M 22.
FaceMeasures sample_measures();

} // namespace zel::engine::testing
