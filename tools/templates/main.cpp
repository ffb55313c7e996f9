// Generates the template library: every part drawing and generation table of every set, in the
// reader's format, and on request a contact sheet per set. The output depends on nothing but this
// program, so the data can be regenerated and improved at will.
//
//   vyr_templates --data <folder> <tables>     writes <folder>/set<N>/{parts,points,tables}.vyr
//   vyr_templates --sheets <folder> <tables>   writes <folder>/templates-set<N>.png
//
// <tables> is the file of generation tables measured by the calibration tool
// (data/templates/generation-tables.txt).

#include "contact_sheet.h"
#include "data_writer.h"
#include "generation_tables.h"
#include "part_artwork.h"

#include <Magick++.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

std::vector<vyrgen::TemplateImage> set_parts(int set) {
    using namespace vyrgen;
    const SetStyle& style = style_for_set(set);
    std::vector<TemplateImage> parts;
    for (auto&& group : {eye_templates(style), brow_templates(style), nose_templates(style),
                         mouth_templates(style)})
        parts.insert(parts.end(), group.begin(), group.end());
    if (set == kGlassesSet) {
        const auto glasses = glasses_templates();
        parts.insert(parts.end(), glasses.begin(), glasses.end());
    }
    return parts;
}

int usage() {
    std::fprintf(stderr, "usage: vyr_templates (--data | --sheets) <folder> <tables>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return usage();
    const std::string mode = argv[1];
    const std::string folder = argv[2];
    if (mode != "--data" && mode != "--sheets")
        return usage();
    try {
        vyrgen::use_generation_tables(argv[3]);
        if (mode == "--sheets")
            Magick::InitializeMagick(argv[0]);
        const auto glasses = vyrgen::glasses_templates();
        for (const int set : vyrgen::kSets) {
            const auto parts = set_parts(set);
            if (mode == "--data") {
                vyrgen::write_set(folder, set, parts);
            } else {
                std::vector<vyrgen::TemplateImage> own;
                for (const auto& part : parts)
                    if (part.name.rfind("GLASSES", 0) != 0)
                        own.push_back(part);
                const std::string title = std::string("Part templates, ") +
                                          vyrgen::style_for_set(set).title +
                                          (set == vyrgen::kGlassesSet ? "" : "; glasses of set 6");
                vyrgen::write_contact_sheet(
                    set, folder + "/templates-set" + std::to_string(set) + ".png", title, own,
                    glasses);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vyr_templates: %s\n", error.what());
        return 1;
    }
    return 0;
}
