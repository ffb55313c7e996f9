#pragma once
// Rendering of the part model: placement of part templates on the colour canvas or on a
// bilevel drawing, drawing all parts of a face, the redraw of the current face and the
// conversions that hand it out. Inside the engine row 0 is the top of the face.

#include <zel/face_engine.h>

#include <cstdint>

namespace zel::engine {

// Location record of a template: anchor column and row, first and last column, first and last
// row of the drawn box (inclusive). The anchor is the template point placed at a part's lx, ly.
struct PartLocation {
    std::int32_t ax = 0;
    std::int32_t ay = 0;
    std::int32_t c0 = 0;
    std::int32_t c1 = 0;
    std::int32_t r0 = 0;
    std::int32_t r1 = 0;
};

// Reads the location record of name under set. 0, or -21 when absent (or name is null).
int read_part_location(int set, const char* name, PartLocation* out);

// Where templates come from: the template library, unless a test installs a small reader of
// its own to isolate a case. The three calls keep the template library's contracts.
struct TemplateReader {
    unsigned char** (*open)(int set, const char* name, int* cols, int* rows);
    void (*close)(unsigned char** bitmap, int rows);
    int (*read_location)(int set, const char* name, std::int32_t loc[6]);
};
// Installs reader (null members fall back to the template library) and returns the previous.
TemplateReader set_template_reader(const TemplateReader& reader);

// Places the template name (set) on a bilevel drawing of cols x rows at anchor lx, ly with the
// location record already read: ink paints 0, or 1 when erase is non-zero. 0, -2 template
// missing.
int part_place_template(unsigned char** drawing, int cols, int rows, int set, const char* name,
                        int lx, int ly, const PartLocation& loc, double scale, int mirror,
                        int erase);

// Renders one part on a colour canvas of cols x rows in its colour: reads its location record
// under its Gender and name, then places its template. 0, -21, -2.
int part_render(const _zel_object& part, _pixel** canvas, int cols, int rows, int mirror);

// Draws every shown and loaded part of face into canvas (face edge first, then eyes, brows,
// nose, mouth, glasses; the glasses' Gender becomes 6). The face edge is drawn from its own
// bitmap, which must be the 720 x 960 face-edge holder. 0, or -1 on a null record or canvas,
// a size past the canvas, or the first part that fails (later parts not drawn).
int face_draw_parts(_zel_face* face, _pixel** canvas);

// Fills the current face's canvas with the background colour and draws its parts. 0 and
// bDrawn = 1, or -1 (bDrawn unchanged).
int face_redraw();

// Copies the current colour face into clr (all four bytes) with its rows reversed; *w, *h take
// the face size. 0 while the face has never been drawn (w, h untouched), else 1.
int get_clrface(_pixel** clr, int* w, int* h);
// Reverses the rows of clr (cols x rows) in place through a scratch array; left as it is when
// the scratch array cannot be had. 0, or -1 when nothing was reversed.
int face_get_clrimage(_pixel** clr, int cols, int rows);
// Writes the current colour face as a BMP picture (rows in picture-file order) under file.
// 0, or -1 when there is no canvas or the face size is zero or past the canvas; the write's
// own result is not reported.
int face_save_image(const char* file);
// Each drawing value b becomes the grey pixel 192 b (spare 0).
void face_bw_to_clr(unsigned char** bw, _pixel** clr, int cols, int rows);

// True when a face's colSize x rowSize lies within the 720 x 960 canvas (zero allowed).
bool face_size_fits(const _zel_face& face);

} // namespace zel::engine
