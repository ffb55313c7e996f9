#pragma once
// The face object: the measurement side of the current face (picture size, template set,
// face box, landmarks, measures and the black-and-white drawing, row 0 at the top). Caricature
// generation fills it, the builder turns it into part records, the version-1 face file stores
// it. One process-wide instance (face_object() in face_state.h).

#include "model/image_holders.h"

#include <zel/face_engine.h>

#include <cstdint>

namespace zel::engine {

// Face-file keys (4 lower-case letters): the default key every save enciphers with and the
// fallback a load tries second.
inline constexpr char kDefaultFaceKey[] = "wplk";
inline constexpr char kFallbackFaceKey[] = "zrbo";

class FaceObject {
public:
    std::int32_t colSize = 0;
    std::int32_t rowSize = 0;
    std::int32_t sex = 0; // template set of every template read
    std::int32_t version = 1;
    std::int32_t Encyption = 0;
    std::int32_t bRead = 0;
    std::int32_t Reserved = 0;
    char key[5] = {'w', 'p', 'l', 'k', '\0'};
    FaceBox box;
    FaceLandmarks landmarks;
    FaceMeasures measures;
    BwImage drawing;

    FaceObject();
    ~FaceObject();
    FaceObject(const FaceObject&) = delete;
    FaceObject& operator=(const FaceObject&) = delete;

    int faceobj_get_width() const { return colSize; }
    int faceobj_get_height() const { return rowSize; }
    int faceobj_get_resource() const { return sex; }
    FaceBox* faceobj_get_box() { return &box; }
    FaceMeasures* faceobj_get_measures() { return &measures; }
    unsigned char** faceobj_get_bwimage() const { return drawing.pixels; }
    char* faceobj_get_key() { return key; }

    // Sets sex, size and the drawing's extent (no allocation).
    void face_set_image(int s, int cols, int rows);
    int face_set_outline(const FaceBox* source) { return box.box_record_copy(source); }
    int face_set_landmarks(const FaceLandmarks* source) {
        return landmarks.face_landmarks_copy(source);
    }
    int face_set_measures(const FaceMeasures* source) {
        return measures.measures_record_copy(source);
    }
    // Copies rowSize rows of colSize bytes into the drawing, allocating it first if needed.
    // -21 no extent or no source (or an extent past the drawing's rows), -2 no memory, else 0.
    int face_set_bwimage(unsigned char** source);
    // Copies the drawing into target. -21 when the drawing is empty.
    int face_get_bwimage(unsigned char** target) const;
    // Takes what a generation run stored in an object of its own: sex, size, box, landmarks,
    // measures and the drawing, copied into this object's rows. The codes of face_set_bwimage.
    int face_take_generated(const FaceObject& run);
};

} // namespace zel::engine
