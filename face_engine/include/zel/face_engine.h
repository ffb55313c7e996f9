#pragma once
/// @file
/// The face engine `zeledit`: the part model of one current face, its rendering from part
/// templates into a black-and-white drawing and a colour face, the editing exports, the record
/// exchange with the editor and the face files.
///
/// Conventions of every export:
/// - Every picture or drawing handed out or taken in has row 0 at the BOTTOM of the picture
///   (the image library's pixel-array order). Inside the engine row 0 is the top of the face;
///   the exports reverse the rows on the way in and out. The whole-record copies
///   (zel_face_copyToDLL, zel_face_copyFromDLL) copy array contents as they stand.
/// - Editing exports return 0 for success or a negative code: -41 part not loaded (or no such
///   part), -43 step or direction not recognised, -1 any other failure. Picture, load and save
///   exports return 1 for success and 0 for failure.
/// - The engine keeps one current face in process-wide state, without locks: one caller thread.
/// - Part identifiers: 0 face edge, 1 background, 2 and 3 left and right brow, 4 and 5 left and
///   right eye, 6 nose, 7 mouth, 20 glasses.
/// - Stored part colour: the renderer paints a part's colour bytes unchanged; face_color stores
///   255 minus each component it is handed, so callers hand the complement of the colour they
///   want.

#include <zel/imaging.h>
#include <zel/zeledit_export.h>

#include <cstdint>

/// One part of the face. The editor copies whole records by value: keep the layout.
struct _zel_object {
    std::int32_t nOid;     ///< part identifier
    char name[20];         ///< template name, NUL-terminated (at most 19 characters)
    std::int32_t IsLoaded; ///< non-zero when the part is present
    std::int32_t lx;       ///< column of the part's anchor on the canvas
    std::int32_t ly;       ///< row of the part's anchor on the canvas (row 0 at the top)
    std::int32_t aux1;     ///< carried by copies and the face file only
    std::int32_t aux2;
    std::int32_t aux3;
    std::int32_t Display; ///< 1 drawn, 0 hidden
    std::int32_t Gender;  ///< template set under which name is looked up
    double Scale;         ///< magnification of the template on the canvas
    _pixel color;         ///< colour the template's ink is painted in (stored bytes)
    std::int32_t aux4;
    std::int32_t bmCols; ///< extent of bitmap (face edge only; 0 for the others)
    std::int32_t bmRows;
    unsigned char** bitmap; ///< face edge only: the 720 x 960 face-edge drawing, row 0 at the
                            ///< top, 1 white, 0 ink; null for every other part. Not owned.
    std::int32_t bmReady;
};

/// Number of part records in a face and of backed-up names.
inline constexpr int kZelFaceParts = 9;
inline constexpr int kZelBackupNames = 6;

/// Slots of the part records in _zel_face::parts.
enum ZelFaceSlot : int {
    kSlotLeftEye = 0,    ///< id 4
    kSlotRightEye = 1,   ///< id 5
    kSlotLeftBrow = 2,   ///< id 2
    kSlotRightBrow = 3,  ///< id 3
    kSlotNose = 4,       ///< id 6
    kSlotMouth = 5,      ///< id 7
    kSlotFaceEdge = 6,   ///< id 0
    kSlotBackground = 7, ///< id 1
    kSlotGlasses = 8,    ///< id 20
};

/// The whole part model as the editor and the engine exchange it. Keep the layout.
struct _zel_face {
    std::int32_t nSex; ///< sex code = template set: 1 man, 2 woman, 3 child, 6 not yet set
    _zel_object parts[kZelFaceParts];      ///< in slot order (ZelFaceSlot)
    std::int32_t nExpression;              ///< 50 neutral, 51..56 (see face_expression)
    char backupNames[kZelBackupNames][20]; ///< left eye, right eye, left brow, right brow,
                                           ///< nose and mouth before the first expression
    std::int32_t bBackedUp;                ///< 1 once backupNames holds a backup
    std::int32_t colSize;                  ///< canvas part in use, at most 720
    std::int32_t rowSize;                  ///< at most 960
    _pixel** clrImage;                     ///< 720 x 960 colour canvas (row 0 at the top);
                                           ///< never copied by the record copies
    std::int32_t bDrawn;                   ///< 1 after a successful redraw
};

/// @name Measurement records
/// What caricature generation measures and what a version-1 face file stores. Coordinates are
/// picture pixels, row 0 at the top of the face. Plain values; no ranges are checked.
/// @{

/// The face outline box.
struct ZELEDIT_API FaceBox {
    std::int32_t centerx = 0;
    std::int32_t centery = 0;
    std::int32_t minx = 0;
    std::int32_t maxx = 0;
    std::int32_t miny = 0;
    std::int32_t maxy = 0;
    std::int32_t width = 0;  ///< maxx - minx + 1
    std::int32_t height = 0; ///< maxy - miny + 1

    /// Labels of the labelled text form, in this order: minx, maxx, miny, maxy, centerx,
    /// centery, width, height.
    static const char* const kLabels[8];

    /// All eight values 0.
    void box_record_init();
    /// Side 0 sets minx, 1 maxx, 2 miny, any other maxy; then the centre (sum / 2, truncated
    /// toward zero) and the inclusive extent of that axis are recomputed.
    void box_set_side(int side, int value);
    /// Copies the eight values of source. -21 when source is null (nothing changed), else 0.
    int box_record_copy(const FaceBox* source);
    void box_record_free() {}
};

/// Characteristic points of each facial part, plus seven colours that only the face file
/// carries. Index 0 is the part on the left of the picture, 1 the one on the right.
struct ZELEDIT_API FaceLandmarks {
    struct Eye {
        std::int32_t in_x, in_y, out_x, out_y, top_x, top_y, bottom_x, bottom_y;
    };
    struct Brow {
        std::int32_t top_x, top_y, bottom_x, bottom_y;
    };
    struct Nose {
        std::int32_t center_x, center_y, l_x, l_y, r_x, r_y;
    };
    struct Mouth {
        std::int32_t l_x, l_y, r_x, r_y, top_x, top_y, bottom_x, bottom_y;
    };

    Eye eyes[2] = {};
    Brow brows[2] = {};
    Nose nose = {};
    Mouth mouth = {};
    _pixel brow_color = {};
    _pixel eye_color = {};
    _pixel mouth_color = {};
    _pixel nose_color = {};
    _pixel bkgnd_color = {};
    _pixel edge_color = {};
    _pixel face_color = {};

    /// Labels of the labelled text form.
    static const char* const kEyeLabels[8];
    static const char* const kBrowLabels[4];
    static const char* const kMouthLabels[8];
    static const char* const kNoseLabels[6];

    /// All 38 coordinates 0 and all seven colours 0,0,0,0.
    void face_landmarks_init();
    /// Copies the 38 coordinates of source (not the colours). -21 when source is null, else 0.
    int face_landmarks_copy(const FaceLandmarks* source);
    void face_landmarks_free() {}

    /// Eye point: side 0 (left) takes code 1 as the inner and code 0 as the outer corner, side
    /// 1 (right) the other way round; code 3 top, 4 bottom; other codes store nothing.
    void set_eye_point(int code, int side, int x, int y);
    /// Nose point: code 0 left side, 1 right side, 2 centre; other codes store nothing.
    void set_nose_point(int code, int x, int y);
    /// Mouth point: code 0 left corner, 1 right corner, 3 top, 4 bottom; others store nothing.
    void set_mouth_point(int code, int x, int y);
    /// Brow point of the left (side 0) or right (non-zero) brow: code 3 top, 4 bottom; other
    /// codes store nothing.
    void set_brow_point(int code, int side, int x, int y);

    /// The colour setters take R, G and B of colour; the stored spare byte stays as it was.
    void set_brow_color(_pixel colour);
    void set_eye_color(_pixel colour);
    void set_nose_color(_pixel colour);
    void set_mouth_color(_pixel colour);
    void set_bkgnd_color(_pixel colour);
    void set_edge_color(_pixel colour);
    void set_face_color(_pixel colour);
};

/// Part proportions and part codes.
struct ZELEDIT_API FaceMeasures {
    double eye_height = 0.0; ///< eye line, fraction of the face box height
    double eye_space = 0.0;  ///< eye spacing, fraction of the face box width
    double eye_nose = 0.0;   ///< proportions of the eye line distance
    double nose_mouth = 0.0;
    double eye_brow = 0.0;
    std::int32_t brow_thick = 1; ///< codes 1..3
    std::int32_t eye_size = 1;
    std::int32_t eye_shape = 1;
    std::int32_t eye_slant = 1;
    std::int32_t nose_shape = 1;
    std::int32_t mouth_size = 1;
    std::int32_t lips_thick = 1;

    /// Five doubles 0.0, seven codes 1.
    void measures_record_init();
    /// Copies all twelve fields of source. -21 when source is null, else 0.
    int measures_record_copy(const FaceMeasures* source);
    void measures_record_free() {}
};

/// @}
/// @name Rendering
/// @{

/// Redraws the current face and hands out its black-and-white drawing: bw[r][c] = 1 where the
/// colour face shows the background colour, else 0; rows bottom first. *w, *h take the face
/// size. bw must hold the face size (at most 720 x 960). 1, or 0 when bw is null or the redraw
/// failed (a template missing).
ZELEDIT_API int face_compose_bw(unsigned char** bw, int* w, int* h);
/// Redraws the current face (a failure is not reported) and hands out the colour face, rows
/// bottom first, all four bytes per pixel. clr must hold the face size. 1, or 0 while the face
/// has never been drawn.
ZELEDIT_API int face_compose_clr(_pixel** clr, int* w, int* h);

/// @}
/// @name Editing
/// Each edit changes the current part model only; its _save form then redraws the face and
/// writes the colour face as a BMP picture to file (rows as in any picture file). A _save form
/// returns the write step's result: 0, or -1 when the picture's scratch array cannot be had.
/// @{

/// Replaces the part's template name. -41 not loaded; -1 when name is null or does not fit the
/// 20-character field (nothing changed); else 0.
ZELEDIT_API int face_change(int id, const char* name);
/// Moves the part: step 1 up, 2 down, 3 left, 4 right; each step multiplies the position by
/// 0.97 or 1.03 (truncated toward zero); a step down or right moves it by a pixel at least, so
/// that a part moved close to the top or left edge comes back. -41 not loaded, -43 other step,
/// else 0.
ZELEDIT_API int face_move(int id, int step);
/// Scales the part: step 1 enlarges by 1.05, step 2 shrinks by 0.95. -41, -43, else 0.
ZELEDIT_API int face_scale(int id, int step);
/// Stores 255 minus each of r, g, b of colour (the spare byte as given). -41, else 0.
ZELEDIT_API int face_color(int id, _pixel colour);
/// Mode 31 shows the part, 32 hides it, any other mode changes nothing. -41, else 0.
ZELEDIT_API int face_display(int id, int mode);
/// Sets the template set under which the part is looked up. -41, else 0.
ZELEDIT_API int face_gender(int id, int set);
/// Chooses the glasses: 41 "GLASSES_RND", 42 "GLASSES_REC", any other "GLASSES_STD"; marks
/// them loaded (their display flag unchanged). Always 0.
ZELEDIT_API int face_glasses(int style);
/// Sets the expression: 50 neutral (names restored from the backup, if one was taken), 51 and
/// 54 happy, 52 sad, 53 angry (brows and mouth renamed), 55 and 56 names unchanged; the names
/// of before the first expression are backed up once. Always 0.
ZELEDIT_API int face_expression(int code);
/// Applies a move (action 1, steps 1..4) or scale (action 3, steps 1..2) step to the caller's
/// own record; any other action changes nothing. 0, -43 bad step, -1 null part.
ZELEDIT_API int face_editing(_zel_object* part, int action, int step);

/// face_change (its result ignored, so a refused name leaves the part as it was), redraw, write.
ZELEDIT_API int face_change_save(int id, const char* name, const char* file);
/// -41 when not loaded; else move, redraw, write.
ZELEDIT_API int face_move_save(int id, int step, const char* file);
/// -41 when not loaded; else scale, redraw, write.
ZELEDIT_API int face_scale_save(int id, int step, const char* file);
/// -41 when not loaded; else colour, redraw, write.
ZELEDIT_API int face_color_save(int id, _pixel colour, const char* file);
/// -41 when not loaded; else display, redraw, write.
ZELEDIT_API int face_display_save(int id, int mode, const char* file);
/// face_gender (result ignored), redraw, write.
ZELEDIT_API int face_gender_save(int id, int set, const char* file);
/// face_glasses, redraw, write.
ZELEDIT_API int face_glasses_save(int style, const char* file);
/// face_expression, redraw, write.
ZELEDIT_API int face_expression_save(int code, const char* file);

/// @}
/// @name Record exchange and small utilities
/// @{

/// Copies the caller's whole record into the current face: every scalar and name; the
/// face-edge drawing only when both records own a bitmap (within the source's bmCols x bmRows,
/// refused past 720 x 960); the canvas contents only when both records own a canvas (within
/// the source's colSize x rowSize, refused past 720 x 960). Pointers are never copied.
/// 0; -1 when source is null.
ZELEDIT_API int zel_face_copyToDLL(const _zel_face* source);
/// The same copy from the current face into the caller's record. 0; -1 when target is null.
ZELEDIT_API int zel_face_copyFromDLL(_zel_face* target);
/// The part's loaded word (non-zero = loaded); 0 for an identifier that names no part.
ZELEDIT_API int zel_object_loaded(int id);
/// Fills header for a 24-bit picture of width x height (data offset 56, file size
/// rowbytes x height + 58, rows padded to 4 bytes).
ZELEDIT_API void init_bmpheader(_BmpHeader* header, int width, int height);
/// Copies all four bytes of every pixel; nothing when either array is null.
ZELEDIT_API void pix_array_copy(_pixel** target, _pixel** source, int cols, int rows);
/// Every pixel (b0, b1, b2) becomes (b2, b0, b1) in place; the spare byte stays.
ZELEDIT_API void shift_clr_rgb2brg(_pixel** arr, int cols, int rows);
/// Every pixel (b0, b1, b2) becomes (b1, b2, b0) in place: the inverse of shift_clr_rgb2brg.
ZELEDIT_API void shift_clr_brg2rgb(_pixel** arr, int cols, int rows);
/// Cuts path at the last "." of its file name (not the name's first character) by writing a
/// NUL there; a "." in a folder's name is no extension.
ZELEDIT_API void take_off_ext(char* path);

/// @}
/// @name Face builder
/// Turns a face box and measures into parts placed on a drawing (bilevel rows, row 0 at the
/// top, cols x rows). Results: 0, -21 a location record missing, -2 a template bitmap missing.
/// @{

/// Names, places, scales and (when shown) draws every part into drawing and fills the part
/// records of face; every part but the glasses ends loaded. erase non-zero paints white.
ZELEDIT_API int face_record_build(_zel_face* face, unsigned char** drawing, int cols, int rows,
                                  int set, const FaceBox* box, const FaceMeasures* measures,
                                  int erase);
/// Draws the parts named by measures into drawing without touching any part record.
ZELEDIT_API int face_build_from_parts(unsigned char** drawing, int cols, int rows, int set,
                                      const FaceBox* box, const FaceMeasures* measures, int erase);
/// face_build_from_parts in erase mode: only the face edge stays in drawing.
ZELEDIT_API int face_build_rebuild(unsigned char** drawing, int cols, int rows, int set,
                                   const FaceBox* box, const FaceMeasures* measures);

/// @}
/// @name Face edge
/// @{

/// Takes the caller's retouched drawing (rows bottom first, width x height) as the new face
/// edge and erases from it every loaded part, so that parts are not drawn twice. 1, or 0 for a
/// null drawing, no face yet, a zero or oversized extent, a missing template or no memory; on
/// 0 the face edge stays as it was.
ZELEDIT_API int set_face_edge_inDLL(unsigned char** drawing, int width, int height);
/// Erases every loaded part of face (eyes, brows, nose, mouth, glasses) from bitmap (row 0 at
/// the top, face.colSize x face.rowSize). 0, or the first failure code.
ZELEDIT_API int face_edge_setup(_zel_face face, unsigned char** bitmap);
/// Erases (erase non-zero) or draws one part into bitmap; 0 when the part is not loaded,
/// -21 location record missing, -2 template missing.
ZELEDIT_API int part_edge_erase(_zel_object part, unsigned char** bitmap, int cols, int rows,
                                int mirror, int erase);

/// @}
/// @name Face files
/// A stored face file is the plain text of version 1 or 2 passed whole through the byte
/// cipher. Work files live in the private work folder. 1 success, 0 failure.
/// @{

/// Largest face file a load takes in; a larger file is refused for its size, unread.
inline constexpr std::uint64_t kZelMaxFaceFileBytes = 8u * 1024u * 1024u;

/// Loads a face file of either version (name: path; the file is name itself when its extension
/// is ".zel" in any case, else name with ".zel" for its extension; the extension is cut off in
/// the caller's string), renders it and hands out the drawing (bw) and the colour face (clr),
/// rows bottom first, and the face size (w, h may be null).
ZELEDIT_API int face_loadzel2(char* name, unsigned char** bw, _pixel** clr, int* w, int* h);
/// face_loadzel2, then *kind = the face's sex code (also after a failure).
ZELEDIT_API int face_loadzel2a(char* name, unsigned char** bw, _pixel** clr, int* w, int* h,
                               int* kind);
/// Loads a face file into the engine's own colour canvas; second is only tested for presence.
ZELEDIT_API int face_readzel2(char* name, char* second);
/// Saves the current part model as an enciphered version-2 face file (extension cut off in the
/// caller's string; the file is named as face_loadzel2 reads it: name itself when its
/// extension is ".zel" in any case, else "<name without extension>.zel").
ZELEDIT_API int face_savezel2(char* name);
/// Reads the plain version-1 face file "<name>.zel", builds and renders it, hands out the
/// drawing (rows bottom first) and its size.
ZELEDIT_API int GetZELCartoon(char* name, unsigned char** bw, int* w, int* h);
/// Saves the face object with the caller's drawing (rows bottom first) as an enciphered
/// version-1 face file "<name>.zel".
ZELEDIT_API int SaveCartoonInZEL(unsigned char** bw, char* name);

/// @}
/// @name Caricature generation
/// @{

/// One point marked on the photograph, in top-down coordinates: x is the column (0 at the
/// left), y the row (0 at the TOP of the picture).
struct vyPointTag {
    std::int32_t x;
    std::int32_t y;
    std::int32_t used;     ///< non-zero when the point was placed; a point not used is ignored
    std::int32_t reserved; ///< carried, never read
};

/// Number of points in a vyPointSetTag.
inline constexpr int kCartoonPoints = 17;

/// Up to seventeen points the user placed. 0 and 1: the face's left and right side (columns);
/// 2..5 left eye outer corner, inner corner, top, bottom; 6..9 right eye inner corner, outer
/// corner, top, bottom; 10..13 mouth left, right, top, bottom; 14..16 nose left, centre, right.
/// The sides are applied before the landmark search, the others replace the points it finds.
struct vyPointSetTag {
    vyPointTag point[kCartoonPoints];
};

/// Makes a caricature of a colour photograph and makes it the current face.
/// @param sex       template set of every part (1 man, 2 woman, 3 child; other codes skip the
///                  box rules of those three)
/// @param colourFileName  name of the photograph's file; must be given (the pixels come only
///                  from photo)
/// @param photo     rows x cols pixels, row 0 at the bottom; 100 x 150 to 720 x 960; only r, g
///                  and b are read. The caller keeps it.
/// @param skin, background  colours the user picked on the photograph (r, g, b read)
/// @param chin, headTop  the chin and the top of the head the user marked (x, y read, top-down)
/// @param points    further points (see vyPointSetTag)
/// @param out       the caller's rows x cols drawing (1 white, 0 ink), row 0 at the bottom; may
///                  be null. Written only when the run succeeds.
/// @return 1 when the caricature was made; 0 on any failure, whose reason was shown through
///         vyMessage where the input was refused or no usable face was found in the photo
///         (no skin region at the chin, a face box too small or outside the picture). Only a
///         successful run replaces the current face (and the face object) by the generated
///         face; a refused one leaves them as they were.
ZELEDIT_API int GetCartoon(int sex, char* colourFileName, _pixel** photo, int cols, int rows,
                           _pixel& skin, _pixel& background, vyPointTag& chin, vyPointTag& headTop,
                           vyPointSetTag& points, unsigned char** out);

/// @}
