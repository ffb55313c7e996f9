#pragma once
/// @file
/// The composition library `zeledit2`: puts the editor's head picture on a body and in front of
/// a background taken from the picture libraries, on a 600 x 800 canvas; moves, rotates and
/// scales the layers in fixed steps; writes the composed picture as a BMP file; and keeps a
/// one-level undo of the layer records.
///
/// Conventions of every export:
/// - The library keeps one composition in library-wide state (four layer records, their undo
///   copies, four 720 x 960 pixel arrays, the variant counters of the libraries). It is not
///   reentrant: one caller thread at a time.
/// - Offsets count columns from the left and rows from the BOTTOM of the canvas, as every pixel
///   array of the system does.
/// - Picture libraries live in the `libraries` folder of the data folder (zel::data_folder()):
///   body number NN, variant MM is `libraries/bodyNN/bodyNN-MM.zif`, background
///   `bkgdNN/bkgdNN-MM.zif`, each a JPEG picture enciphered whole with the picture cipher under the
///   library key.
/// - Deciphered pictures are written to the private work folder (zel::work_folder()) as
///   `zif_tmp`, `zif_body` and `zif_bkgd` with the picture's own extension; they are overwritten
///   on each use and never deleted.
/// - Every path is built with a bound: a path that does not fit its field is refused (the call
///   fails), never cut short into the name of another file.

#include <zel/composition_export.h>
#include <zel/imaging.h>

/// @name Layer identities, actions and directions
/// @{
constexpr int ZEL2_HEAD = 50;
constexpr int ZEL2_BODY = 51;
constexpr int ZEL2_BKGD = 52;
constexpr int ZEL2_HEAD_AND_BODY = 53; ///< accepted by the actions only
constexpr int ZEL2_RESULT = 56;
/// @}

/// One layer of the composition (head, body, background) or the composed result: where its
/// picture comes from, its probed size, where and how large it is pasted, its rotation and its
/// key colour. A plain record: copying it copies every field.
class ZEL_COMPOSITION_EXPORT zeleditObject {
public:
    static constexpr int dir_capacity = 1025;  ///< csDir: 1024 characters and NUL
    static constexpr int file_capacity = 1025; ///< csFile: 1024 characters and NUL
    static constexpr int ext_capacity = 11;    ///< csExt: 10 characters and NUL
    static constexpr int path_capacity = 2059; ///< csPath: 2058 characters and NUL

    /// Defaults: not loaded, head identity (50), the libraries' folder, file " ", extension
    /// "bmp", every size, offset and angle 0, scales 1.0, displayed, library index 1, key colour
    /// white. csPath is empty until makePath runs.
    zeleditObject();

    int IsLoaded;               ///< 1 once a picture has been set or probed
    int nOid;                   ///< 50 head, 51 body, 52 background, 56 result
    char csDir[dir_capacity];   ///< folder; " " means csFile holds the whole path
    char csFile[file_capacity]; ///< file name without extension
    char csExt[ext_capacity];   ///< extension without the dot
    char csPath[path_capacity]; ///< full path built by makePath; empty when refused
    int col, row;               ///< probed picture size
    int colOffset, rowOffset;   ///< paste position: column from the left, row from the bottom
    int nAngle;                 ///< rotation in degrees, positive clockwise
    int tCol, tRow;             ///< target size the picture is zoomed to before pasting
    double colScale, rowScale;  ///< factors of setScale
    int nLayer, nSLayer;        ///< layer numbers (kept, copied and persisted only)
    int bDisplay;               ///< display flag (kept, copied and persisted only)
    int nSex;                   ///< library index; for the body also the sex code 1..3
    unsigned char bgClr[3];     ///< key colour R, G, B: pixels near it are not pasted

    void setOid(int id) { nOid = id; }
    /// Copies the text into its field. A null text or one that does not fit is refused: the
    /// field is emptied (so makePath refuses too) and the result is false.
    bool setDir(const char* dir);
    bool setFile(const char* file);
    bool setExt(const char* ext);
    /// setDir then setFile; false when either was refused.
    bool setDirFile(const char* dir, const char* file);
    /// Builds csPath: "<file>.<ext>" when csDir begins with a space, else "<dir>/<file>.<ext>".
    /// Returns the length written, or -1 (csPath emptied) when csDir or csFile is empty or the
    /// path would not fit csPath.
    int makePath();
    void setSize(int cols, int rows) { col = cols, row = rows; }
    void setOffset(int cols, int rows) { colOffset = cols, rowOffset = rows; }
    void setAngle(int degrees) { nAngle = degrees; }
    void getTargetSize(int& cols, int& rows) const { cols = tCol, rows = tRow; }
    /// Stores both factors and sets the target size to the probed size times them, truncated
    /// (held at the limits of an int; 0 for a factor that is no number).
    void setScale(double cols, double rows);
    void setDisplay(int flag) { bDisplay = flag; }
    void setSex(int n) { nSex = n; }
    void setBgColor(_pixel c);
    /// Writes the key colour's R, G, B into rgb[0..2].
    void getBgColor(unsigned char* rgb) const;
    /// Shows every field in a warning box captioned "zeleditObject::msg_display()".
    void msg_display() const;
    /// Writes the record as text, one "<value>:" line per field, replacing the file whole. 0, or
    /// -10 when the file cannot be created or not all of it was written (the file is then as it
    /// was).
    int save(const char* path) const;
    /// Reads a record written by save. 0; -10 when the file cannot be opened; -11 when a line
    /// cannot be read or a string does not fit (the fields read so far stay, IsLoaded is 0).
    int load(const char* path);
};

/// @name Composer state and picture libraries
/// @{

/// Resets the composition: variant counters to "none chosen", the canvas to the background's
/// key colour, the head to 120 x 240 at (200, 460), the body to 300 x 400 at (120, 160), both
/// unrotated at scale 1.0, the background key colour to grey 192. Picture paths, loaded flags
/// and probed sizes stay.
ZEL_COMPOSITION_EXPORT void clear_zeledit2();
/// Deciphers the picture of layer id (50, 51, 52 or 56) into the probe file zif_tmp and probes
/// it. 1 with the size stored and the layer marked loaded; 0 (record unchanged) for an unknown
/// id, a missing or unreadable picture, or one larger than the composer's 720 x 960 arrays.
ZEL_COMPOSITION_EXPORT int zel2_image_available(int id);
/// Head picture: folder, file (its extension is cut off) and extension; marks the head loaded.
ZEL_COMPOSITION_EXPORT void zel2_set_head_file(const char* dir, const char* file, const char* ext);
/// Body picture: folder, file and extension as given; marks the body loaded.
ZEL_COMPOSITION_EXPORT void zel2_set_body_file(const char* dir, const char* file, const char* ext);
/// Background picture: folder, file and extension as given (the loaded flag is unchanged).
ZEL_COMPOSITION_EXPORT void zel2_set_bkgd_file(const char* dir, const char* file, const char* ext);
/// zel2_set_head_file, then the body's library index = n, the head's size from probing the
/// head picture (0 x 0 when that fails) and its key colour from the picture's corners (when
/// they agree).
ZEL_COMPOSITION_EXPORT void zel2_set_head(const char* dir, const char* file, const char* ext,
                                          int n);
/// Loads the current variant of body library index (0..4) into the body layer. 0, or -1 when
/// the index or variant cannot be written as two digits or the picture cannot be probed.
ZEL_COMPOSITION_EXPORT int zel2_current_body(int index);
/// Steps the variant counter (next: +1, 100 becomes 0; previous: -1, exactly -1 becomes 0)
/// and loads it: the result of zel2_current_body.
ZEL_COMPOSITION_EXPORT int zel2_next_body(int index);
ZEL_COMPOSITION_EXPORT int zel2_previous_body(int index);
/// Step and load; when that fails, wraps to variant 00 and loads it. 0 or -1.
ZEL_COMPOSITION_EXPORT int zel2_get_next_body(int index);
ZEL_COMPOSITION_EXPORT int zel2_get_previous_body(int index);
/// The same for background library index (0..9).
ZEL_COMPOSITION_EXPORT int zel2_current_bkgd(int index);
ZEL_COMPOSITION_EXPORT int zel2_next_bkgd(int index);
ZEL_COMPOSITION_EXPORT int zel2_previous_bkgd(int index);
ZEL_COMPOSITION_EXPORT int zel2_get_next_bkgd(int index);
ZEL_COMPOSITION_EXPORT int zel2_get_previous_bkgd(int index);

/// @}
/// @name Composition and layer actions
/// Actions: 1 move (directions 1 up, 2 down, 3 left, 4 right; 5 pixels; row offset 0..680,
/// column offset 0..450), 2 rotate (1 counter-clockwise, 2 clockwise; 5 degrees), 3 scale
/// (1 enlarge x1.05 while the target is under 600 x 800, 2 reduce x0.95 while both sides stay
/// at 20 pixels or more, the smallest that an enlargement still grows).
/// @{

/// Paints the canvas with the background's key colour, then the background picture (when
/// flagBkgd is set and the background is loaded; a failure there is not fatal), the body (when
/// flagBody is set) and the head, each zoomed to its target size, rotated and pasted by key
/// colour at its offsets; writes the 600 x 800 canvas as a BMP file to out. 1, or 0 at the
/// first failing step.
ZEL_COMPOSITION_EXPORT int zel2_compose_save(int flagBkgd, int flagBody, const char* out);
/// One action on layer id (50, 51, 52, 56). 0 done (a refused enlargement or an unknown scale
/// direction change nothing and also give 0); -1 unknown id; -43 unknown action, or unknown
/// move or rotate direction.
ZEL_COMPOSITION_EXPORT int zel2_single_action(int id, int action, int dir);
/// zel2_single_action, for id 53 on the head and then the body (the body's result counts).
ZEL_COMPOSITION_EXPORT int zel2_action(int id, int action, int dir);
/// Moves layer id (twice when twice is non-zero) and recomposes into out with the flags of
/// kind (2: background, and the body unless id is 50; 10: body only; 11: background and body;
/// any other kind: body only). Layer 53 is loaded when head and body both are.
/// 0 done; -41 layer not loaded (nothing changed); the action's error (the records as the
/// actions left them, nothing composed); -1 compose failed (the records keep the change).
ZEL_COMPOSITION_EXPORT int zel2_move_save(int kind, int id, int dir, const char* out, int twice);
/// As zel2_move_save with the rotate action; kind 2: background and body, any other kind: body
/// only.
ZEL_COMPOSITION_EXPORT int zel2_rotate_save(int kind, int id, int dir, const char* out, int twice);
/// As zel2_move_save with the scale action; kinds as zel2_rotate_save.
ZEL_COMPOSITION_EXPORT int zel2_scale_save(int kind, int id, int dir, const char* out, int twice);
/// Background key colour = c (the colour of the canvas where no background picture lies),
/// then composes the body and head without the background picture into out. 0 or -1.
ZEL_COMPOSITION_EXPORT int zel2_set_bg_clr(_pixel c, const char* out);
/// Steps body library index forward (forward non-zero) or back with wrap-around, marks the body
/// loaded and composes (flagBkgd, body, head) into out: the result of zel2_compose_save; 0 when
/// the step fails (out keeps the previous picture, and the body layer and the library's variant
/// counter stay as they were, so that later steps compose the picture shown).
ZEL_COMPOSITION_EXPORT int zel2_select_body_save(int flagBkgd, int index, const char* out,
                                                 int forward);
/// The same for background library index, composing (background, flagBody, head).
ZEL_COMPOSITION_EXPORT int zel2_select_bkgd_save(int flagBody, int index, const char* out,
                                                 int forward);
/// Copies the head, body, background and result records into their undo copies.
ZEL_COMPOSITION_EXPORT void zel2_save4undone();
/// Copies the undo copies back into the live records (pixels and files are not restored).
ZEL_COMPOSITION_EXPORT void zel2_call4undone();

/// @}
