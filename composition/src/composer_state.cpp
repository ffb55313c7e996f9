// The composer's library-wide state and its reset.

#include "composer_state.h"

#include <cstdio>
#include <cstring>

namespace zel::composition {

namespace {

// The default placement of a layer: unrotated, unscaled, its target size at its offsets.
void place(zeleditObject& record, int id, int colOffset, int rowOffset, int tCol, int tRow) {
    record.setOid(id);
    record.setOffset(colOffset, rowOffset);
    record.tCol = tCol;
    record.tRow = tRow;
    record.setAngle(0);
    record.colScale = record.rowScale = 1.0;
}

void reset(ComposerState& s) {
    for (int& variant : s.bodyVariant)
        variant = no_variant;
    for (int& variant : s.bkgdVariant)
        variant = no_variant;

    const _pixel key{s.bkgd.bgClr[0], s.bkgd.bgClr[1], s.bkgd.bgClr[2], 0};
    set_imgcolor(s.canvas.rows(), canvas_cols, canvas_rows, key);

    place(s.head, ZEL2_HEAD, 200, 460, 120, 240);
    place(s.body, ZEL2_BODY, 120, 160, 300, 400);

    s.bkgd.setOid(ZEL2_BKGD);
    s.bkgd.setBgColor(_pixel{192, 192, 192, 0});

    s.result.setOid(ZEL2_RESULT);
}

ComposerState& set_up() {
    static ComposerState composer;
    reset(composer);
    return composer;
}

} // namespace

ComposerState& state() {
    // Set up on the first call rather than at load time, so that the data and work folders
    // are looked up in the environment the program has set by then.
    static ComposerState& composer = set_up();
    return composer;
}

zeleditObject* layer(int id) {
    ComposerState& s = state();
    switch (id) {
    case ZEL2_HEAD:
        return &s.head;
    case ZEL2_BODY:
        return &s.body;
    case ZEL2_BKGD:
        return &s.bkgd;
    case ZEL2_RESULT:
        return &s.result;
    default:
        return nullptr;
    }
}

int num_text(int n, int kind, char* out) {
    // A negative number is refused before the kind is looked at.
    if (n < 0)
        return -1;
    if (kind < 1 || kind > 3)
        return -43;
    static constexpr int limits[] = {0, 10, 100, 1000};
    if (n >= limits[kind])
        return -1;
    // n has at most kind digits here, so out receives exactly kind digits and the NUL.
    char digits[16];
    std::snprintf(digits, sizeof digits, "%0*d", kind, n);
    std::memcpy(out, digits, static_cast<std::size_t>(kind) + 1);
    return 0;
}

} // namespace zel::composition

using namespace zel::composition;

void clear_zeledit2() {
    reset(state());
}
