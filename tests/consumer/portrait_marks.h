#pragma once
// A portrait of the project's test data marked as a user marks a photo for caricature
// generation, from its line of reference points (reference_landmarks.txt): the chin at the
// reference chin, the head top at the first backdrop pixel above the brows on the chin's
// column, the skin picked on the cheek below the left eye and the background beside the head at
// the eye line (the rules of the face engine's own portrait tests, here through the installed
// libraries alone).

#include <zel/face_engine.h>

#include <string>

struct PortraitMarks {
    _pixel skin{};
    _pixel background{};
    vyPointTag chin{};
    vyPointTag headTop{};
    int cols = 0; ///< the photo's size as the libraries read it
    int rows = 0;
};

// False when the photo or its reference points cannot be read.
bool mark_portrait(const std::string& photoFile, const std::string& referenceFile,
                   PortraitMarks& marks);
