#pragma once
// The starter faces shipped with the editor: for each, the face-edge drawing it is built on, its
// template set, face box and measures, and what is chosen beyond them.

#include <zel/face_engine.h>

#include <vector>

namespace zelfaces {

struct StarterFace {
    const char* file;           // face file name, without ".zel"
    const char* drawing;        // face-edge drawing, without ".png"
    int set;                    // template set: 1 man, 2 woman, 3 child
    int version;                // face-file version written
    int minx, maxx, miny, maxy; // face box: cheek to cheek, top of the head to the chin
    FaceMeasures measures;
    bool glasses = false;
    bool colouredMouth = false;
};

const std::vector<StarterFace>& starter_faces();

} // namespace zelfaces
