#pragma once
/// @file
/// The image library `zelImageDLL`: pixel arrays, picture files read and written through
/// Magick++ (BMP, JPEG, PSD, TGA), the bitmap header record, the picture cipher and the
/// warning box.
///
/// Conventions of every export:
/// - A pixel array is a table of row pointers, one separately allocated row per picture line.
///   Row 0 is the BOTTOM line of the picture, column 0 the left edge. Sizes travel beside the
///   array as columns and rows. Arrays are allocated and released only with the allocate and
///   free pairs below, by whoever allocated them; the library never keeps a caller's pointer.
/// - Picture, load, save and compose functions return 1 for success and 0 for failure; the
///   pixel-file and cipher functions return 0 for success and -11 for a file or memory failure.
/// - No exception ever leaves the library.
/// - Work files ("zeledittmpx.bmp", "tmp_rtt.bmp") live in the private work folder
///   (zel::work_folder()), never in the current folder. The library is not reentrant: one
///   caller thread at a time.

#include <zel/imaging_export.h>

#include <cstdint>

/// A colour pixel: red, green, blue and a spare byte, in this order. Operations read and write
/// only r, g and b; the spare byte is never changed by fills and pastes. Passed by value it
/// travels as one 32-bit word with r in the lowest byte (0x00BBGGRR for a spare byte of 0).
struct _pixel {
    unsigned char r;
    unsigned char g;
    unsigned char b;
    unsigned char spare;
};
static_assert(sizeof(_pixel) == 4, "_pixel must be one 32-bit word");

/// The in-memory bitmap header record: the 14-byte file header and the 40-byte information
/// header fields in their file order (unpacked), then a palette pointer (4-byte entries, or
/// null). Plain fields, no constructor.
struct _BmpHeader {
    std::uint16_t type; ///< "BM" = 19778 in files
    std::uint32_t file_size;
    std::uint16_t reserved1;
    std::uint16_t reserved2;
    std::uint32_t data_offset;
    std::uint32_t info_size; ///< 40
    std::int32_t width;      ///< columns of the stored picture
    std::int32_t height;     ///< rows of the stored picture
    std::uint16_t planes;
    std::uint16_t bit_count;
    std::uint32_t compression;
    std::uint32_t image_size;
    std::int32_t x_resolution;
    std::int32_t y_resolution;
    std::uint32_t colors_used;
    std::uint32_t colors_important;
    unsigned char* palette; ///< colors_used entries of 4 bytes, or null; owned by the caller
};

/// @name Pixel arrays
/// @{

/// A new colour array of rows rows of cols pixels (contents undefined). Null when cols or rows
/// is not positive or any part cannot be allocated (then nothing stays allocated).
/// Release with ppm_freearray (arr, rows).
ZEL_IMAGING_EXPORT _pixel** ppm_allocarray(int cols, int rows);
/// A new grey array (one byte a pixel, 0..255); as ppm_allocarray. Release with pgm_freearray.
ZEL_IMAGING_EXPORT unsigned char** pgm_allocarray(int cols, int rows);
/// A new bilevel array (one byte a pixel, 1 white, 0 black); as pgm_allocarray.
/// Release with pbm_freearray.
ZEL_IMAGING_EXPORT unsigned char** pbm_allocarray(int cols, int rows);
/// Frees rows 0..rows-1, then the table. Null is ignored; rows must be the allocated count.
ZEL_IMAGING_EXPORT void ppm_freearray(_pixel** arr, int rows);
ZEL_IMAGING_EXPORT void pgm_freearray(unsigned char** arr, int rows);
ZEL_IMAGING_EXPORT void pbm_freearray(unsigned char** arr, int rows);

/// @}
/// @name Colour operations
/// @{

/// Sets r, g, b of every pixel to c. 0 when arr is null or a size is negative, else 1.
ZEL_IMAGING_EXPORT int set_imgcolor(_pixel** arr, int cols, int rows, _pixel c);
/// In every row, replaces the run of pixels exactly equal to `from` that starts at the left
/// edge, and then (when that run did not reach the last column) the run that starts at the
/// right edge, by `to`. Enclosed pixels of colour `from` stay. 0 on bad input as above, else 1.
ZEL_IMAGING_EXPORT int set_imgBGcolor(_pixel** arr, int cols, int rows, _pixel from, _pixel to);
/// Key-colour paste: src row 0, column 0 lands on dst row y, column x; src pixels near the key
/// (|dr| + |dg| + |db| <= 35) are skipped, the part of src outside dst is cut off.
/// 0 when dst or src is null, x or y is negative, x >= dstCols or y >= dstRows; else 1.
ZEL_IMAGING_EXPORT int imageCompose(_pixel** dst, int dstCols, int dstRows, _pixel** src,
                                    int srcCols, int srcRows, _pixel key, int x, int y);
/// Span paste: per source row, every pixel from the first to before the last pixel that is not
/// near the key is copied, key-coloured or not. Rows without such a span are skipped.
/// Same checks and results as imageCompose.
ZEL_IMAGING_EXPORT int imageCompose_head(_pixel** dst, int dstCols, int dstRows, _pixel** src,
                                         int srcCols, int srcRows, _pixel key, int x, int y);
/// Hue (0..255 for 0..360 degrees; 0 for grey), saturation (0..255) and luma
/// 0.299 R + 0.587 G + 0.114 B (at most 255) of p, each truncated toward zero.
ZEL_IMAGING_EXPORT void pixel2hsv(_pixel p, int& h, int& s, int& v);
/// dst[r][c] takes r = hue, g = saturation, b = luma of src[r][c] (spare untouched).
/// dst must be at least cols x rows; src and dst may be the same array.
ZEL_IMAGING_EXPORT void face_rgb2hvs(_pixel** src, int cols, int rows, _pixel** dst);

/// @}
/// @name Drawing and bilevel utilities
/// @{

/// Outline of the rectangle columns x0..x1, rows y0..y1 (inclusive) in colour R, G, B (low
/// bytes); pixels outside cols x rows are skipped. Returns 0.
ZEL_IMAGING_EXPORT int face_ppmsquare(_pixel** arr, int cols, int rows, int x0, int x1, int y0,
                                      int y1, int R, int G, int B);
/// Cross of half-length 10 centred on column x, row y, clipped to the array. Returns 0.
ZEL_IMAGING_EXPORT int face_ppmcross(_pixel** arr, int cols, int rows, int x, int y, int R, int G,
                                     int B);
/// Sets every byte of arr to the low byte of value.
ZEL_IMAGING_EXPORT void face_pbmclear(unsigned char** arr, int cols, int rows, int value);
/// A new array (release with pbm_freearray) whose row i is row rows-1-i of arr. Null when arr
/// is null, cols or rows is not positive, or allocation fails.
ZEL_IMAGING_EXPORT unsigned char** retflipBIT(unsigned char** arr, int cols, int rows);
/// Reverses the row order of arr in place (row contents move; the row pointers stay).
/// 0; -11 when arr is null or cols or rows is not positive (arr unchanged).
ZEL_IMAGING_EXPORT int BITflip(unsigned char** arr, int cols, int rows);

/// @}
/// @name Picture files
/// Listed formats (extension matched without regard to case): "BMP", "JPG", "JPEG", "PSD",
/// "TGA". An extension is what follows the last '.' of a path (a '.' at index 0 does not
/// count); one longer than 10 characters is refused everywhere. Readers decode a file by its
/// content as BMP, JPEG or PSD, or as TGA when its extension says so; anything else (PNG, vector
/// and script formats included) cannot be read. A file whose header claims more pixel data than
/// the file holds is refused before it is decoded. Pictures that are shrunk on reading are
/// decoded already reduced to about twice their delivered size (a JPEG by its decoder's
/// scaling, an uncompressed 24-bit BMP by averaging boxes of pixels), then zoomed; the
/// delivered size is that of a zoom of the whole picture, the pixels within a few levels.
/// @{

/// Cuts path at its last '.' in place and copies the extension (NUL-terminated) into ext,
/// which must hold 11 bytes. A path without an extension or with one longer than 10 characters
/// is left unchanged. Returns -1 in every case.
ZEL_IMAGING_EXPORT int take_off_ext(char* path, char* ext);
/// Reads the picture at path into arr, shrunk (aspect kept) to at most maxCols x maxRows;
/// *cols, *rows receive the delivered size. arr must hold maxCols x maxRows. 1, or 0 (null
/// argument, unreadable file: message box, picture under 2 x 2).
ZEL_IMAGING_EXPORT int fget_pixels(_pixel** arr, int* cols, int* rows, const char* path,
                                   int maxCols, int maxRows);
/// Reads the picture at path into arr at exactly cols x rows: rotated by angle degrees first
/// (new corners cleaned up to the picture's own corner colour), zoomed with its aspect kept,
/// then the top line and the right edge repeated to fill. arr must hold cols x rows; the
/// rotation works in the library's own memory and through the work file "tmp_rtt.bmp".
/// 1, or 0 (null argument, target under 2 x 2, unreadable file, picture under 3 x 3 when
/// rotated).
ZEL_IMAGING_EXPORT int fget_set_pixels(_pixel** arr, const char* path, int cols, int rows,
                                       int angle);
/// Loads a BMP, JPEG, PSD or TGA picture (by extension) into arr, shrunk to at most
/// maxCols x maxRows, and fills *hdr from the BMP header; its width and height are always the
/// picture's stored size. Other formats are converted to BMP through the work file
/// "zeledittmpx.bmp", which holds the picture already shrunk. Result of fget_pixels, or 0.
ZEL_IMAGING_EXPORT int LoadImageFromFile(_pixel** arr, const char* path, int* cols, int* rows,
                                         _BmpHeader* hdr, int maxCols, int maxRows);
/// LoadImageFromFile with the working maximum of 720 x 960.
ZEL_IMAGING_EXPORT int LoadGeneralImage(_pixel** arr, const char* path, int* cols, int* rows,
                                        _BmpHeader* hdr);
/// Reads src and writes it to dst in the Magick format magickName. 1, or 0.
ZEL_IMAGING_EXPORT int imageFmtConvert(const char* src, const char* dst, const char* magickName);
/// Writes arr (cols x rows) in the listed format ext ("bmp", "JPG", ...: any case) to name with
/// its extension replaced by ext as given. 1 when written; 0 for a null argument, a
/// non-positive size, an unlisted ext or a write failure. A work file is written in place; any
/// other file is replaced whole (zel::replace_file: a failed save leaves the old picture, the
/// file's mode and group stay, a link is written through, a file the user may not write is
/// refused).
ZEL_IMAGING_EXPORT int save_pixels(_pixel** arr, int cols, int rows, const char* name,
                                   const char* ext);
/// Probes a picture file: 1 with its stored size, else 0 (message box when it cannot be read).
/// The whole file is decoded (a JPEG at its decoder's smallest scale). *cols and *rows are set
/// to 0 first.
ZEL_IMAGING_EXPORT int image_available(const char* path, int* cols, int* rows);
/// The background colour of a picture of up to 720 x 960 (at least 5 x 5): *out takes the
/// pixel at row 1, column 1; 1 when the pixel at row rows-2, column cols-2 equals it, else 0.
/// A larger picture is refused by its header, before it is decoded, without a message.
ZEL_IMAGING_EXPORT int image_get_bkgnd_color(const char* path, _pixel* out);
/// Copies the picture src to dst, converting to the format of dst's extension. 1 when written,
/// 0 when src cannot be probed or dst cannot be written.
ZEL_IMAGING_EXPORT int imagefile_copy(const char* dst, const char* src);
/// Reads path into the library's shared picture. 1; 0 for a null path, an extension missing or
/// longer than 10 characters, or an unreadable file.
ZEL_IMAGING_EXPORT int Mimage_read(const char* path);
/// Reads src into the shared picture and writes it to dst (or to dst + ".bmp" when dst has no
/// usable extension). 1; 0 for null arguments, a src without a usable extension, or a Magick
/// failure.
ZEL_IMAGING_EXPORT int Mimage_save(const char* dst, const char* src);

/// @}
/// @name BMP-backed pixel-array files
/// name is a file name WITHOUT extension: the file is "<name>.bmp".
/// @{

/// A new colour array holding the picture of "<name>.bmp" shrunk (aspect kept) to at most
/// 720 x 960; *cols, *rows receive its size, which is also the size the array is allocated
/// at (release with ppm_freearray (arr, *rows)), and *maxval 255. Null when the file cannot be
/// read (message box "Error in reading a BMP file()"), is under 2 x 2, or memory runs out.
ZEL_IMAGING_EXPORT _pixel** face_ppmin(const char* name, int* cols, int* rows,
                                       unsigned char* maxval);
/// A new grey array (delivered size; release with pgm_freearray) of the R bytes, or null.
ZEL_IMAGING_EXPORT unsigned char** face_pgmin(const char* name, int* cols, int* rows,
                                              unsigned char* maxval);
/// A new bilevel array (delivered size; release with pbm_freearray): 1 where R >= 254, or null.
ZEL_IMAGING_EXPORT unsigned char** face_pbmin(const char* name, int* cols, int* rows);
/// Writes arr to "<name>.bmp". 0, or -11 when it cannot be written. maxval is not used.
ZEL_IMAGING_EXPORT int face_ppmout(const char* name, _pixel** arr, int cols, int rows,
                                   unsigned char maxval);
/// Writes a grey array to "<name>.bmp" (r = g = b = the grey value). 0 or -11.
ZEL_IMAGING_EXPORT int face_pgmout(const char* name, unsigned char** grey, int cols, int rows);
/// Writes a bilevel array (1 white, 0 black) as "<name>.bmp". 0 or -11.
ZEL_IMAGING_EXPORT int face_pbmout(const char* name, unsigned char** bits, int cols, int rows);
/// Writes a text dump of arr to path: "Column: %d, Row: %d" then one line per pixel.
ZEL_IMAGING_EXPORT void ppm_save_ascii(_pixel** arr, int cols, int rows, const char* path);

/// @}
/// @name Picture cipher
/// Byte i of dst = (NOT byte i of src) XOR key[i mod keyLen]; the same call enciphers and
/// deciphers. 0 when the whole of src was transformed; -11 when src cannot be read, dst cannot
/// be written, key is null or keyLen < 1. src is checked first: a missing src, one that is no
/// regular file (a folder, a pipe) or one that is dst itself leaves dst untouched.
/// @{

ZEL_IMAGING_EXPORT int zic_encypt(const char* src, const char* dst, const char* key, int keyLen);
ZEL_IMAGING_EXPORT int zic_decypt(const char* src, const char* dst, const char* key, int keyLen);

/// @}
/// @name Warning box
/// @{

/// Shows text in a modal warning box captioned "Program At-Run-Time Message" through the
/// current message handler. A null text shows an empty message.
ZEL_IMAGING_EXPORT void vyMessage(const char* text);

namespace zel {

/// What kind of box a message asks for: the warning box of vyMessage, or the plain OK box of
/// the picture readers' error messages.
enum class MessageIcon { none, warning };

/// Shows one modal message. The libraries cannot open windows themselves: the editor installs
/// a handler that shows a real message box. Must not throw.
using MessageHandler = void (*)(const char* caption, const char* text, MessageIcon icon);

/// Installs handler for every message of the libraries (vyMessage and the picture readers'
/// error boxes) and returns the previous one. Null restores the default, which writes caption
/// and text to standard error.
ZEL_IMAGING_EXPORT MessageHandler set_message_handler(MessageHandler handler);

/// Shows one message through the current handler, for the other libraries' own boxes that
/// have a caption of their own. Null caption or text shows an empty string.
ZEL_IMAGING_EXPORT void show_message(const char* caption, const char* text, MessageIcon icon);

} // namespace zel

/// @}
