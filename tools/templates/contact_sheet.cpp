#include "contact_sheet.h"

#include "face_preview.h"

#include <Magick++.h>

#include <algorithm>

namespace vyrgen {
namespace {

constexpr const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kSheetWidth = 1400;
constexpr int kCellWidth = 175;
constexpr int kLabelHeight = 22;
constexpr int kMargin = 12;
constexpr int kFaceScaleDiv = 2; // sample faces at half size

const Magick::Color kInk("black");
const Magick::Color kPaper("white");
const Magick::Color kAnchor("red");

void label(Magick::Image& sheet, const std::string& text, int x, int y, int w, int h,
           double points) {
    sheet.fontPointsize(points);
    sheet.fillColor(kInk);
    sheet.annotate(text, Magick::Geometry(w, h, x, y), MagickCore::NorthGravity);
}

void put_template(Magick::Image& sheet, const TemplateImage& t, int x, int y) {
    for (int r = 0; r < t.rows; ++r) {
        for (int c = 0; c < t.cols; ++c) {
            if (t.at(c, r))
                sheet.pixelColor(x + c, y + r, kInk);
        }
    }
    // A small cross at the anchor.
    const int ax = x + t.loc[0];
    const int ay = y + t.loc[1];
    for (int d = -4; d <= 4; ++d) {
        sheet.pixelColor(ax + d, ay, kAnchor);
        sheet.pixelColor(ax, ay + d, kAnchor);
    }
}

struct Row {
    std::vector<const TemplateImage*> items;
    int height = 0;
};

// Cells are at least kCellWidth wide and wider for wide drawings, so nothing overlaps.
int cell_width(const TemplateImage& t) {
    return std::max(kCellWidth, t.cols + 24);
}

std::vector<Row> layout(const std::vector<const TemplateImage*>& all) {
    std::vector<Row> rows;
    int x = 0;
    for (const TemplateImage* t : all) {
        if (rows.empty() || x + cell_width(*t) > kSheetWidth - 2 * kMargin) {
            rows.emplace_back();
            x = 0;
        }
        rows.back().items.push_back(t);
        rows.back().height = std::max(rows.back().height, t->rows + kLabelHeight + 24);
        x += cell_width(*t);
    }
    return rows;
}

} // namespace

void write_contact_sheet(int set, const std::string& png_path, const std::string& title,
                         const std::vector<TemplateImage>& parts,
                         const std::vector<TemplateImage>& glasses) {
    std::vector<const TemplateImage*> all;
    for (const TemplateImage& t : parts)
        all.push_back(&t);
    for (const TemplateImage& t : glasses)
        all.push_back(&t);
    const std::vector<Row> rows = layout(all);

    const std::vector<PreviewFace> faces = {
        {"EYE222", "BROW2", "NOSE2", "MOUTH22", ""},
        {"EYE222", "BROW_HPY", "NOSE2", "MOUTH_HPY", ""},
        {"EYE222", "BROW_SAD", "NOSE2", "MOUTH_SAD", ""},
        {"EYE222", "BROW_ANGRY", "NOSE2", "MOUTH_ANGRY", ""},
        {"EYE111", "BROW1", "NOSE1", "MOUTH11", ""},
        {"EYE333", "BROW3", "NOSE3", "MOUTH33", "GLASSES_STD"},
    };
    const char* captions[] = {"neutral: EYE222 BROW2 NOSE2 MOUTH22",
                              "happy",
                              "sad",
                              "angry",
                              "EYE111 BROW1 NOSE1 MOUTH11",
                              "EYE333 BROW3 NOSE3 MOUTH33 GLASSES_STD"};
    const int face_w = 720 / kFaceScaleDiv;
    // Only the band of the canvas around the standard face box is shown.
    const int band_top = 150;
    const int face_h = (800 - band_top) / kFaceScaleDiv;
    const int faces_per_row = (kSheetWidth - 2 * kMargin) / face_w;
    const int face_rows = (static_cast<int>(faces.size()) + faces_per_row - 1) / faces_per_row;

    int height = kMargin + 40 + face_rows * (face_h + kLabelHeight) + 3 * kMargin;
    for (const Row& row : rows)
        height += row.height;
    height += kMargin;

    Magick::Image sheet(Magick::Geometry(kSheetWidth, height), kPaper);
    sheet.font(kFont);
    label(sheet, title, 0, kMargin, kSheetWidth, 36, 22);
    int y = kMargin + 40;

    for (std::size_t i = 0; i < faces.size(); ++i) {
        int cols = 0, rows_ = 0;
        const auto canvas = compose_face(set, parts, glasses, faces[i], cols, rows_);
        const int fx = kMargin + static_cast<int>(i % faces_per_row) * face_w;
        const int fy = y + static_cast<int>(i / faces_per_row) * (face_h + kLabelHeight);
        // Half size: a pixel is ink when any of the four it stands for is.
        for (int r = 0; r < face_h; ++r) {
            for (int c = 0; c < face_w; ++c) {
                bool ink = false;
                for (int k = 0; k < kFaceScaleDiv * kFaceScaleDiv; ++k)
                    ink = ink ||
                          canvas[static_cast<std::size_t>(band_top + r * kFaceScaleDiv + k / 2) *
                                     cols +
                                 c * kFaceScaleDiv + k % 2];
                if (ink)
                    sheet.pixelColor(fx + c, fy + r, kInk);
            }
        }
        label(sheet, captions[i], fx, fy + face_h, face_w, kLabelHeight, 11);
    }
    y += face_rows * (face_h + kLabelHeight) + 2 * kMargin;

    for (const Row& row : rows) {
        int x = kMargin;
        for (const TemplateImage* t : row.items) {
            const int w = cell_width(*t);
            put_template(sheet, *t, x + (w - t->cols) / 2, y + 4);
            label(sheet, t->name, x, y + t->rows + 8, w, kLabelHeight, 12);
            x += w;
        }
        y += row.height;
    }

    // No time stamps, so regenerating unchanged artwork gives the same file.
    sheet.strip();
    sheet.defineValue("png", "exclude-chunks", "date,time");
    sheet.write(png_path);
}

} // namespace vyrgen
