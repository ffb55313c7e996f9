#pragma once
// The caricature of a portrait, made through the installed libraries.

#include <zel/face_engine.h>

bool make_caricature(const char* photoFile, _pixel skin, _pixel background, vyPointTag chin,
                     vyPointTag headTop);
