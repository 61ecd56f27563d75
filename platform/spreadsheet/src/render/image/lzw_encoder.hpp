// The LZW compression of GIF image data (variable code width from min_code_size + 1
// up to 12 bits, clear code when the table is full, codes packed from the low bit),
// returned already cut into GIF's sub-blocks.
//
// giflib's own encoder looks every pixel up in a hash table behind a function call,
// which made it the slowest step of an export (about 2 ms for an 800 x 450 chart).
// Here the string table is a dense array indexed by (prefix code, next index): one
// load per pixel. The array (4096 codes x 2^min_code_size entries, 2 MB for 8-bit
// indexes) is borrowed from a pool for one call and kept zeroed by undoing exactly the
// entries each table generation filled, so no call pays for clearing 2 MB. Runs of one
// index, most of a chart, skip even that load: their length is measured eight indexes
// at a time and the strings that repeat one index are kept by length (another 2 MB of
// address space, of which only the pages runs reach are used). Codes are listed while
// matching and packed into bits in a second, branch-free loop, since a code's width
// follows from its place in its table generation. giflib still writes the file around
// the compressed data (EGifPutCode).
#ifndef SHEETHOST_RENDER_LZW_ENCODER_HPP
#define SHEETHOST_RENDER_LZW_ENCODER_HPP

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sheethost::render {

// The compressed stream of `indexes` (each below 2^min_code_size) as GIF image data
// sub-blocks: each led by its length (1..255), then the zero-length block that ends
// them. min_code_size is 2..8 as GIF requires.
std::vector<uint8_t> lzw_compress(const uint8_t *indexes, size_t count, int min_code_size);

}  // namespace sheethost::render

#endif
