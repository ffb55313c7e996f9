#pragma once
/// @file
/// The part-template reader: part drawings, their location records and the tuning tables of
/// caricature generation, each looked up under a template set (the face's sex code: 1 man,
/// 2 woman, 3 child, 6 a face that nobody has given a sex, and the glasses).
///
/// The data lives in the data folder (zel::data_path("templates/...")). It is read and parsed
/// once, on the first call, and kept in memory for the life of the process; every call hands out
/// a copy. A data file that is missing or damaged makes its entries absent (one line on standard
/// error names the file); an unknown set or name is absent. No call ever throws.
///
/// Calls may come from any thread; a lock keeps them one at a time.
///
/// Conventions of the bundled data, which the face engine relies on:
/// - Row 0 of every drawing is its top. Ink is 0, paper is 1.
/// - The location record's box is tight around the ink of the drawing.
/// - Eyes and brows are drawn as the part on the picture's left: their inner end (towards the
///   nose) is at the box's last column. The right ones are mirrored by the renderer.
/// - Anchors: eyes, the inner corner, on the eye line; brows, the inner end of the brow's bottom
///   edge; nose, its axis at the nose base (the bottom of the nostrils); mouth, the centre of the
///   line between the lips; glasses, the bridge centre on the eye line, drawn at half size since
///   they are placed at twice the face scale.
/// - All brows of a set share one box width.
/// - "STD_FACE" is a location record only: the face box of a typical 720 x 960 portrait; a face
///   box of that size draws every template 1:1.

#include <cstdint>

#include <vyresrc/vyresrc_export.h>

namespace vyresrc {

/// Words of a location record, in this order.
inline constexpr int kLocAnchorCol = 0; ///< column of the anchor (placed at a part's lx)
inline constexpr int kLocAnchorRow = 1; ///< row of the anchor (placed at a part's ly)
inline constexpr int kLocFirstCol = 2;  ///< first column of the drawn box (inclusive)
inline constexpr int kLocLastCol = 3;   ///< last column of the drawn box (inclusive)
inline constexpr int kLocFirstRow = 4;  ///< first row of the drawn box (inclusive)
inline constexpr int kLocLastRow = 5;   ///< last row of the drawn box (inclusive)
inline constexpr int kLocWords = 6;

/// Header of a point template as ReadBinTemplate fills it: kBinHeaderWords words. The search
/// relies on the fifth and sixth; the first four describe the template. Nothing is written past
/// the sixth, so a header that reaches as far as the reference size is large enough.
inline constexpr int kBinHeaderWords = 6;
inline constexpr int kBinHeaderSet = 0;           ///< the template set it was read under
inline constexpr int kBinHeaderSpreadCols = 1;    ///< columns spanned by the offsets
inline constexpr int kBinHeaderSpreadRows = 2;    ///< rows spanned by the offsets
inline constexpr int kBinHeaderPositive = 3;      ///< number of points with a positive weight
inline constexpr int kBinHeaderPointCount = 4;    ///< the fifth word: number of points used
inline constexpr int kBinHeaderReferenceSize = 5; ///< the sixth word: size the offsets match
/// Array size the face engine hands to ReadBinTemplate.
inline constexpr int kBinCapacity = 1000;

/// Fuzzy set records: ReadFuzzyResource writes kFuzzyRecords records of kFuzzyRecordBytes.
inline constexpr int kFuzzyRecordBytes = 144;
inline constexpr int kFuzzyRecords = 12;

inline constexpr int kSearchRangeValues = 21; ///< values of "SEARCH_RANGE"
inline constexpr int kThicknessValues = 30;   ///< values of the thickness table

} // namespace vyresrc

/// Opens the part drawing `name` of template set `set`.
/// @param cols receives its width, @param rows its height (both untouched when absent).
/// @return a new table of `rows` row pointers, each row `cols` bytes, 0 = ink, 1 = paper; row 0
///         is the top. Null when the set, the name or the drawing is absent, or a pointer
///         argument is null. Release it with CloseBWresource.
VYRESRC_EXPORT unsigned char** OpenBWresource(int set, const char* name, int* cols, int* rows);

/// Releases a drawing from OpenBWresource; `rows` is the row count it handed out. Null is
/// ignored.
VYRESRC_EXPORT void CloseBWresource(unsigned char** bitmap, int rows);

/// Reads the location record `name` of set `set` (every part drawing has one; "STD_FACE" is a
/// record without a drawing) into `loc` (kLocWords words: anchor column, anchor row, first
/// column, last column, first row, last row).
/// @return non-zero when found; 0 when absent (then `loc` is untouched).
VYRESRC_EXPORT int ReadLocResource(int set, const char* name, std::int32_t loc[6]);

/// Reads the landmark point template `name` of set `set` ("EYE_LEFT_IN", "EYE_RIGHT_IN",
/// "EYE_LEFT_OUT", "EYE_RIGHT_OUT", "NOSE_CENTER", "NOSE_LEFT", "NOSE_RIGHT", "MOUTH_LEFT",
/// "MOUTH_RIGHT").
/// @param header receives kBinHeaderWords words (point count at kBinHeaderPointCount, reference
///        size at kBinHeaderReferenceSize).
/// @param x, y, weight receive one x offset, y offset (rows grow downward) and integer weight
///        per point; each array holds `capacity` entries.
/// @return non-zero when found; 0 when absent, when a pointer is null or when the template has
///         more points than `capacity` (then nothing is written).
VYRESRC_EXPORT int ReadBinTemplate(int set, const char* name, std::int32_t* header, std::int32_t* x,
                                   std::int32_t* y, std::int32_t* weight, int capacity);

/// Writes the first `count` (1 to kFuzzyRecords) fuzzy set records of set `set` into `buffer`,
/// kFuzzyRecordBytes each, back to back, native byte order: doubles p0..p6 at offsets 56..104,
/// v_low, v_mid, v_high at 120, 128, 136; all other bytes 0.
/// @return non-zero when found; 0 when absent, `buffer` is null or `count` is out of range.
VYRESRC_EXPORT int ReadFuzzyResource(int set, void* buffer, int count);

/// Reads the kSearchRangeValues fractions named `name` ("SEARCH_RANGE") of set `set`.
/// @return non-zero when found; 0 when absent (`range` untouched).
VYRESRC_EXPORT int face_readsearchrange(int set, const char* name, double range[21]);

/// Reads the kThicknessValues thickness values of set `set`.
/// @return non-zero when found; 0 when absent (`thick` untouched).
VYRESRC_EXPORT int read_thick_file(int set, double thick[30]);
