// The checks GetCartoon makes before it touches the photograph, and the generation state they
// store. Every refusal is shown in the warning box.

#include "engine_codes.h"
#include "generation/cartoon.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace zel::engine {
namespace {

// The photograph's size limits, columns by rows.
constexpr int kMinCols = 100;
constexpr int kMinRows = 150;
constexpr int kMaxCols = 720;
constexpr int kMaxRows = 960;

// A skin colour whose channels all lie closer than this is grey: it tells skin from nothing.
constexpr int kMinSkinChannelGap = 5;

template <typename... Args> void show(const char* format, Args... args) {
    char text[256];
    std::snprintf(text, sizeof text, format, args...);
    vyMessage(text);
}

} // namespace

GenerationState& generation_state() {
    static GenerationState state;
    return state;
}

int cartoon_check_input(const char* colourFileName, _pixel** photo, int cols, int rows,
                        unsigned char** out, _pixel skin) {
    if (photo == nullptr) {
        vyMessage("No input image has been found for creating caricuture!");
        return kFail;
    }
    if (cols < kMinCols || rows < kMinRows) {
        show("The input image's size (%d by %d) is under the limit (%d by %d ).", rows, cols,
             kMinRows, kMinCols);
        return kFail;
    }
    if (cols > kMaxCols || rows > kMaxRows) {
        show("The input image's size (%d by %d) is over the limit (%d by %d ).", rows, cols,
             kMaxRows, kMaxCols);
        return kFail;
    }
    if (colourFileName == nullptr) {
        vyMessage("The file name of the color image has not been specified!");
        return kFail;
    }
    if (out == nullptr) {
        // No drawing goes back to the caller, but the run needs one of that size itself.
        unsigned char** probe = pbm_allocarray(cols, rows);
        if (probe == nullptr) {
            vyMessage("Out of memory!");
            return kFail;
        }
        pbm_freearray(probe, rows);
    }
    const int r = skin.r;
    const int g = skin.g;
    const int b = skin.b;
    if (std::abs(r - g) < kMinSkinChannelGap && std::abs(r - b) < kMinSkinChannelGap &&
        std::abs(g - b) < kMinSkinChannelGap) {
        vyMessage("The skin color was not selected properly.\n"
                  "Please make sure that your photo is not a black/white or gray picture.\n");
        return kFail;
    }
    return kOk;
}

int cartoon_check_head(vyPointTag chin, vyPointTag headTop, int cols, int rows) {
    if (chin.x < 1 || chin.x > cols - 1 || chin.y < 0 || chin.y > rows - 1) {
        show("The chin's position (%d,%d) was not correctly specified.\n", chin.x, chin.y);
        return kBadBlock;
    }
    if (headTop.y < 0 || headTop.y > rows - 1) {
        show("The position of the top of the head (%d,%d) was not correctly specified.\n",
             headTop.x, headTop.y);
        return kBadBlock;
    }
    if (headTop.y >= chin.y) {
        vyMessage("Please follow the instruction on 'Quinlet'\n"
                  "to specify the chin's position and the top of the head.");
        return kBadBlock;
    }
    GenerationState& state = generation_state();
    state.chin_x = chin.x;
    state.head_top_y = headTop.y;
    state.chin_y = chin.y;
    return kOk;
}

int cartoon_check_sides(const vyPointSetTag& points, int cols) {
    const vyPointTag& left = points.point[0];
    const vyPointTag& right = points.point[1];
    for (const vyPointTag* side : {&left, &right}) {
        if (side->used != 0 && (side->x < 0 || side->x > cols - 1)) {
            show("The face's side (%d) was not correctly specified.\n", side->x);
            return kBadBlock;
        }
    }
    if (left.used != 0 && right.used != 0 && left.x >= right.x) {
        vyMessage("The face's left side must lie left of its right side.\n");
        return kBadBlock;
    }
    return kOk;
}

} // namespace zel::engine
