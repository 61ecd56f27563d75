// GIF's LZW with a dense, reused string table and a shortcut through runs; see
// lzw_encoder.hpp.
#include "render/image/lzw_encoder.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <mutex>

namespace sheethost::render {

namespace {

constexpr uint32_t kMaxCodes = 4096;
constexpr size_t kBlockBytes = 255;  // the most data one GIF sub-block holds

// Packs codes of one width, least significant bit first, into bytes sized for the
// longest possible stream and 8 more. Every code stores all eight bytes of the bit
// buffer and moves on by the whole bytes it held: no branch on how many bits wait.
class code_packer {
public:
    explicit code_packer(uint8_t *out) : start_(out), at_(out) {}
    void put(const uint16_t *codes, size_t count, int width)
    {
        for (size_t k = 0; k < count; ++k) {
            bits_ |= static_cast<uint64_t>(codes[k]) << filled_;
            filled_ += width;
            uint64_t stored = bits_;
            if constexpr (std::endian::native == std::endian::big)
                stored = __builtin_bswap64(stored);
            std::memcpy(at_, &stored, 8);
            at_ += filled_ >> 3;
            bits_ >>= filled_ & ~7;
            filled_ &= 7;
        }
    }
    // The length in bytes: the last put stored the partial byte already.
    size_t length() const { return static_cast<size_t>(at_ - start_) + (filled_ > 0 ? 1 : 0); }

private:
    uint8_t *start_, *at_;
    uint64_t bits_ = 0;
    int filled_ = 0;
};

// Packs the listed codes (a clear code, then generations each ending with a clear code
// or the end code; `clears` holds where each generation starts). A code's width is
// known from its place in its generation: the decoder widens once the code it is about
// to assign no longer fits, one assignment behind, and every code but the last of a
// generation assigns one. So the code at place j goes out in the width that holds
// first_code + j - 1, at least min_code_size + 1 and at most 12 bits.
size_t pack_codes(const uint16_t *codes, size_t count, const std::vector<uint32_t> &starts, int min_code_size,
                  uint8_t *out)
{
    const size_t first_code = (size_t{1} << min_code_size) + 2;
    code_packer packer(out);
    packer.put(codes, 1, min_code_size + 1);  // the opening clear code
    for (size_t g = 0; g < starts.size(); ++g) {
        const size_t start = starts[g], end = g + 1 < starts.size() ? starts[g + 1] : count;
        size_t at = start;
        for (int width = min_code_size + 1; at < end; ++width) {
            // Places j with first_code + j - 1 < 2^width, or all the rest at 12 bits.
            size_t last = width == 12 ? end : std::min(end, start + (size_t{1} << width) + 1 - first_code);
            packer.put(codes + at, last - at, width);
            at = last;
        }
    }
    return packer.length();
}

// The stream cut into GIF sub-blocks, each led by its length, and the zero-length block.
std::vector<uint8_t> in_blocks(const uint8_t *stream, size_t length)
{
    std::vector<uint8_t> out;
    out.reserve(length + (length + kBlockBytes - 1) / kBlockBytes + 1);
    for (size_t at = 0; at < length; at += kBlockBytes) {
        size_t n = std::min(kBlockBytes, length - at);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), stream + at, stream + at + n);
    }
    out.push_back(0);
    return out;
}

// How many of in[0, limit) equal `symbol` before the first that does not, eight at a
// time; `available` (at least limit) indexes may be read.
size_t run_length(const uint8_t *in, size_t limit, size_t available, uint8_t symbol)
{
    const uint64_t pattern = 0x0101010101010101ull * symbol;
    size_t n = 0;
    for (; n < limit && n + 8 <= available; n += 8) {
        uint64_t word;
        std::memcpy(&word, in + n, 8);
        if (uint64_t differ = word ^ pattern) {
            int bit = std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ);
            return std::min(limit, n + static_cast<size_t>(bit / 8));
        }
    }
    if (n >= limit)
        return limit;
    limit = std::min(limit, available);
    while (n < limit && in[n] == symbol)
        ++n;
    return n;
}

// next[(prefix << symbol_bits) | symbol] is the code of that string, 0 when absent
// (0 is never an added code: added codes start after the end code). The filled
// entries are listed so they can be zeroed again. Strings that repeat one symbol are
// kept apart instead: runs[(s << 12) + k - 1] is the code of s repeated k times, for k
// up to run_count[s]. (runs is left uninitialised but for k = 1, so only the pages that
// runs reach take memory.) codes, starts and stream hold the codes listed, where each
// table generation starts among them, and the codes packed.
struct string_table {
    std::vector<uint16_t> next;
    std::unique_ptr<uint16_t[]> runs;
    std::array<uint16_t, 256> run_count;
    std::array<uint32_t, kMaxCodes> filled;
    uint32_t filled_count = 0;
    std::vector<uint16_t> codes;
    std::vector<uint32_t> starts;
    std::vector<uint8_t> stream;

    string_table() : runs(new uint16_t[256 * kMaxCodes])
    {
        for (uint32_t s = 0; s < 256; ++s)
            runs[s * kMaxCodes] = static_cast<uint16_t>(s);
        run_count.fill(1);
    }
    void clear()
    {
        for (uint32_t i = 0; i < filled_count; ++i)
            next[filled[i]] = 0;
        filled_count = 0;
        run_count.fill(1);
    }
};

// Zeroed tables waiting for the next compression, one per compression that ran at the
// same time. Process-wide rather than thread_local: glibc keeps a library that has a
// thread_local with a destructor loaded until every thread that touched it ends, so a
// client that exported once on its main thread could never unload the host with
// CoFreeUnusedLibraries. A plain static is destroyed when the library unloads.
class table_pool {
public:
    std::unique_ptr<string_table> take()
    {
        std::lock_guard guard(lock_);
        if (tables_.empty())
            return std::make_unique<string_table>();
        std::unique_ptr<string_table> t = std::move(tables_.back());
        tables_.pop_back();
        return t;
    }
    void give_back(std::unique_ptr<string_table> t) noexcept
    {
        std::lock_guard guard(lock_);
        try {
            tables_.push_back(std::move(t));
        } catch (...) {
            // No room to keep it: the table is freed, and a later call makes a new one.
        }
    }

private:
    std::mutex lock_;
    std::vector<std::unique_ptr<string_table>> tables_;
};

table_pool &pool()
{
    static table_pool instance;
    return instance;
}

// Borrows a table for one compression and gives it back zeroed however it ends.
struct table_lease {
    std::unique_ptr<string_table> owned = pool().take();
    string_table &table = *owned;
    ~table_lease()
    {
        table.clear();
        pool().give_back(std::move(owned));
    }
};

// The codes of one compression. Each match is found in two steps: first the run of its
// first symbol, measured by comparing bytes and looked up in runs at once (a chart is
// mostly long runs of one colour), then the rest through the dense table, one load
// per index. The codes come out exactly as a plain one-index-at-a-time coder's would;
// they are only listed here, and packed into bits afterwards by pack_codes.
class lzw_matcher {
public:
    lzw_matcher(string_table &table, int min_code_size)
        : table_(table), codes_(table.codes.data()), symbol_bits_(min_code_size),
          clear_code_(1u << min_code_size), next_code_(clear_code_ + 2)
    {
    }

    // How many codes were left in table.codes.
    size_t match_all(const uint8_t *in, size_t count)
    {
        *codes_++ = static_cast<uint16_t>(clear_code_);
        table_.starts.assign(1, 1);
        for (size_t at = 0; at < count;) {
            const uint8_t first = in[at];
            uint16_t *runs = &table_.runs[first * kMaxCodes];
            size_t repeat = 1;  // most matches in text and edges start without a run
            if (at + 1 == count || in[at + 1] == first) {
                const size_t longest = table_.run_count[first];  // `first` repeated 1..longest times
                repeat = run_length(in + at, longest + 1, count - at, first);
                if (repeat > longest) {  // the longest run in the table, then one more `first`
                    *codes_++ = runs[longest - 1];
                    if (uint32_t code = add()) {
                        runs[longest] = static_cast<uint16_t>(code);
                        table_.run_count[first] = static_cast<uint16_t>(longest + 1);
                    }
                    at += longest;
                    continue;
                }
            }
            at = extend(in, at + repeat, count, runs[repeat - 1]);
        }
        *codes_++ = static_cast<uint16_t>(clear_code_ + 1);  // the end code
        return static_cast<size_t>(codes_ - table_.codes.data());
    }

private:
    // Follows the dense table from `prefix` over in[i...], lists the longest string
    // found and adds it extended by the index after it. A run is never followed by its
    // own symbol here, so the table needs no entries for runs. Returns where the next
    // match starts.
    size_t extend(const uint8_t *in, size_t i, size_t count, uint32_t prefix)
    {
        const uint16_t *next = table_.next.data();
        const int bits = symbol_bits_;
        for (; i < count; ++i) {
            uint32_t code = next[(prefix << bits) | in[i]];
            if (code == 0)
                break;
            prefix = code;
        }
        *codes_++ = static_cast<uint16_t>(prefix);
        if (i < count) {
            uint32_t slot = (prefix << bits) | in[i];
            if (uint32_t code = add()) {
                table_.next[slot] = static_cast<uint16_t>(code);
                table_.filled[table_.filled_count++] = slot;
            }
        }
        return i;
    }

    // The code for the string just listed plus one index, or 0 when the table is full:
    // then a new generation starts. (Keeping a full table instead, GIF's "deferred
    // clear", made chart pictures larger.)
    uint32_t add()
    {
        if (next_code_ < kMaxCodes - 1)
            return next_code_++;
        *codes_++ = static_cast<uint16_t>(clear_code_);
        table_.starts.push_back(static_cast<uint32_t>(codes_ - table_.codes.data()));
        table_.clear();
        next_code_ = clear_code_ + 2;
        return 0;
    }

    string_table &table_;
    uint16_t *codes_;
    const int symbol_bits_;
    const uint32_t clear_code_;
    uint32_t next_code_;
};

}  // namespace

std::vector<uint8_t> lzw_compress(const uint8_t *indexes, size_t count, int min_code_size)
{
    table_lease lease;
    string_table &table = lease.table;
    size_t needed = static_cast<size_t>(kMaxCodes) << min_code_size;
    if (table.next.size() < needed)
        table.next.assign(needed, 0);  // grows once per table; zero from then on
    // Every match takes at least one index; a table generation adds a code for every
    // match but its last, until the codes run out, so a clear code comes at most once
    // per `adds` indexes; and the first clear and the end code besides. Each code is 12
    // bits at most.
    const size_t adds = kMaxCodes - 1 - ((size_t{1} << min_code_size) + 2);
    size_t most_codes = count + count / adds + 4;
    if (table.codes.size() < most_codes)
        table.codes.resize(most_codes);
    size_t codes = lzw_matcher(table, min_code_size).match_all(indexes, count);
    if (table.stream.size() < codes * 12 / 8 + 16)
        table.stream.resize(codes * 12 / 8 + 16);
    size_t length = pack_codes(table.codes.data(), codes, table.starts, min_code_size, table.stream.data());
    return in_blocks(table.stream.data(), length);
}

}  // namespace sheethost::render
