#include "set_style.h"

#include <stdexcept>
#include <string>

namespace vyrgen {
namespace {

SetStyle man() {
    SetStyle s;
    s.set = 1;
    s.title = "set 1 (man)";
    s.eye_width = {62, 72, 84};
    s.eye_open = {0.26, 0.38, 0.52};
    s.eye_slant = {-0.13, 0.0, 0.13};
    s.iris = 0.19;
    s.lid_stroke = 3.4;
    s.lower_stroke = 2.2;
    s.crease = true;
    s.brow_length = 88;
    s.brow_thick = {5, 9, 14};
    s.brow_arch = 0.10;
    s.brow_peak = 0.62;
    s.brow_tail = 0.08;
    s.nose_half_width = {26, 33, 41};
    s.nose_height = 96;
    s.nose_stroke = 3.0;
    s.mouth_width = {118, 144, 172};
    s.upper_lip = {0.05, 0.075, 0.10};
    s.lower_lip = {0.07, 0.10, 0.14};
    s.lip_line_stroke = 3.4;
    s.lip_stroke = 2.6;
    s.stroke = 3.0;
    return s;
}

SetStyle woman() {
    SetStyle s;
    s.set = 2;
    s.title = "set 2 (woman)";
    s.eye_width = {64, 74, 86};
    s.eye_open = {0.30, 0.42, 0.56};
    s.eye_slant = {-0.12, 0.0, 0.14};
    s.iris = 0.19;
    s.lid_stroke = 3.8;
    s.lower_stroke = 2.0;
    s.lashes = true;
    s.crease = true;
    s.brow_length = 88;
    s.brow_thick = {3.5, 5.5, 8};
    s.brow_arch = 0.20;
    s.brow_peak = 0.58;
    s.brow_tail = 0.10;
    s.nose_half_width = {21, 26, 32};
    s.nose_height = 84;
    s.nose_stroke = 2.6;
    s.mouth_width = {108, 128, 150};
    s.upper_lip = {0.08, 0.11, 0.14};
    s.lower_lip = {0.11, 0.15, 0.19};
    s.lip_line_stroke = 3.2;
    s.lip_stroke = 2.6;
    s.full_lips = true;
    s.stroke = 2.6;
    return s;
}

SetStyle child() {
    SetStyle s;
    s.set = 3;
    s.title = "set 3 (child)";
    s.eye_width = {68, 78, 90};
    s.eye_open = {0.42, 0.56, 0.70};
    s.eye_slant = {-0.10, 0.0, 0.10};
    s.iris = 0.25;
    s.lid_stroke = 3.2;
    s.lower_stroke = 2.0;
    s.brow_length = 80;
    s.brow_thick = {4, 6.5, 9.5};
    s.brow_arch = 0.16;
    s.brow_peak = 0.52;
    s.brow_tail = 0.06;
    s.nose_half_width = {15, 19, 23};
    s.nose_height = 40;
    s.nose_stroke = 2.6;
    s.nose_bridge = false;
    s.mouth_width = {74, 90, 106};
    s.upper_lip = {0.06, 0.085, 0.11};
    s.lower_lip = {0.09, 0.12, 0.16};
    s.lip_line_stroke = 3.0;
    s.lip_stroke = 2.4;
    s.stroke = 2.6;
    return s;
}

SetStyle neutral() {
    SetStyle s = man();
    s.set = 6;
    s.title = "set 6 (no sex given; glasses)";
    s.eye_width = {63, 73, 85};
    s.eye_open = {0.28, 0.40, 0.54};
    s.lid_stroke = 3.4;
    s.brow_thick = {4.5, 7.5, 11};
    s.brow_arch = 0.14;
    s.nose_half_width = {24, 30, 37};
    s.nose_height = 90;
    s.mouth_width = {112, 136, 162};
    s.upper_lip = {0.06, 0.09, 0.12};
    s.lower_lip = {0.08, 0.12, 0.16};
    return s;
}

} // namespace

const SetStyle& style_for_set(int set) {
    static const SetStyle styles[] = {man(), woman(), child(), neutral()};
    for (const SetStyle& style : styles) {
        if (style.set == set)
            return style;
    }
    throw std::invalid_argument("no style for set " + std::to_string(set));
}

} // namespace vyrgen
