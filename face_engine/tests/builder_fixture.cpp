#include "builder_fixture.h"

#include <string>

namespace zel::engine::testing {

void add_builder_templates(FakeTemplates& templates, int set) {
    templates.add_location_only(set, "STD_FACE", PartLocation{0, 0, 0, 99, 0, 149});
    for (int a = 1; a <= 3; ++a) {
        templates.add(set, "BROW" + std::to_string(a), {"######", "######"}, 5, 1);
        templates.add(set, "NOSE" + std::to_string(a), {".#.", ".#.", "#.#", "###"}, 1, 3);
        for (int b = 1; b <= 3; ++b) {
            templates.add(set, "MOUTH" + std::to_string(a) + std::to_string(b), {"#######"}, 3, 0);
            for (int c = 1; c <= 3; ++c)
                templates.add(set,
                              "EYE" + std::to_string(a) + std::to_string(b) + std::to_string(c),
                              {"#####", "#...#", "#####"}, 4, 1);
        }
    }
    templates.add(6, "GLASSES_STD", {"###.###"}, 3, 0);
}

FaceBox standard_box() {
    FaceBox box;
    box.box_set_side(0, 0);
    box.box_set_side(1, 99);
    box.box_set_side(2, 0);
    box.box_set_side(3, 149);
    return box;
}

FaceMeasures sample_measures() {
    return FaceMeasures{0.5, 0.3, 0.4, 0.3, 0.2, 1, 2, 1, 3, 2, 1, 2};
}

} // namespace zel::engine::testing
