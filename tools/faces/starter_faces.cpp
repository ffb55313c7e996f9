#include "starter_faces.h"

namespace zelfaces {

const std::vector<StarterFace>& starter_faces() {
    // Measures: eye line, eye spacing, eye to nose, nose to mouth, eye to brow; then the codes
    // of brow thickness, eye size, shape and slant, nose shape, mouth size and lip thickness.
    static const std::vector<StarterFace> faces = {
        // The man as caricature generation stores a face: version 1, parts kept as measures.
        {"man", "man", 1, 1, 150, 569, 180, 759,
         FaceMeasures{0.52, 0.25, 0.40, 0.18, 0.105, 3, 2, 2, 2, 2, 2, 2}},
        {"man-glasses", "man", 1, 2, 150, 569, 180, 759,
         FaceMeasures{0.52, 0.25, 0.40, 0.18, 0.105, 3, 2, 2, 2, 2, 2, 2}, true},
        {"woman", "woman", 2, 2, 170, 549, 190, 759,
         FaceMeasures{0.52, 0.26, 0.38, 0.19, 0.07, 1, 3, 2, 1, 1, 2, 3}, false, true},
        {"child", "child", 3, 2, 180, 539, 250, 739,
         FaceMeasures{0.46, 0.27, 0.36, 0.20, 0.08, 2, 3, 3, 2, 1, 1, 2}},
    };
    return faces;
}

} // namespace zelfaces
