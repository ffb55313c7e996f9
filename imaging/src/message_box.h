#pragma once
// The library's message boxes all go through the one replaceable handler.

#include "zel/imaging.h"

namespace zel::imaging {

void show_message(const char* caption, const char* text, MessageIcon icon);

} // namespace zel::imaging
