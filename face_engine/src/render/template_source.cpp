// Reads from the template library: location records and template bitmaps. Nothing is cached;
// every placement opens and closes its template.

#include "render/placement.h"

#include "engine_codes.h"

#include <vyresrc/vyresrc.h>

namespace zel::engine {
namespace {

TemplateReader g_reader{OpenBWresource, CloseBWresource, ReadLocResource};

} // namespace

TemplateReader set_template_reader(const TemplateReader& reader) {
    const TemplateReader previous = g_reader;
    g_reader.open = reader.open != nullptr ? reader.open : OpenBWresource;
    g_reader.close = reader.close != nullptr ? reader.close : CloseBWresource;
    g_reader.read_location =
        reader.read_location != nullptr ? reader.read_location : ReadLocResource;
    return previous;
}

int read_part_location(int set, const char* name, PartLocation* out) {
    std::int32_t words[vyresrc::kLocWords] = {};
    if (name == nullptr || out == nullptr || g_reader.read_location(set, name, words) == 0) {
        return kMissing;
    }
    out->ax = words[vyresrc::kLocAnchorCol];
    out->ay = words[vyresrc::kLocAnchorRow];
    out->c0 = words[vyresrc::kLocFirstCol];
    out->c1 = words[vyresrc::kLocLastCol];
    out->r0 = words[vyresrc::kLocFirstRow];
    out->r1 = words[vyresrc::kLocLastRow];
    return kOk;
}

TemplateBitmap::TemplateBitmap(int set, const char* name) {
    int cols = 0;
    int rows = 0;
    if (name != nullptr) {
        rows_ = g_reader.open(set, name, &cols, &rows);
    }
    if (rows_ != nullptr) {
        view_ = TemplateView{rows_, cols, rows};
    }
}

TemplateBitmap::~TemplateBitmap() {
    if (rows_ != nullptr) {
        g_reader.close(rows_, view_.rowCount);
    }
}

} // namespace zel::engine
