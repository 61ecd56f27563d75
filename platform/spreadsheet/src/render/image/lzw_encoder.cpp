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

// Collects codes of varying width, least significant bit first, 32 bits at a time into
// words that the caller sized for the longest possible stream, so a code costs no
// bounds check.
class code_writer {
public:
    explicit code_writer(uint32_t *words) : start_(words), at_(words) {}
    void put(uint32_t code, int width)
    {
        bits_ |= static_cast<uint64_t>(code) << filled_;
        filled_ += width;
        if (filled_ >= 32) {
            *at_++ = little_endian(static_cast<uint32_t>(bits_));
            bits_ >>= 32;
            filled_ -= 32;
        }
    }
    // The stream's length in bytes, once its last bits are stored.
    size_t finish()
    {
        *at_ = little_endian(static_cast<uint32_t>(bits_));
        return static_cast<size_t>(at_ - start_) * 4 + static_cast<size_t>(filled_ + 7) / 8;
    }

private:
    static uint32_t little_endian(uint32_t w)
    {
        if constexpr (std::endian::native == std::endian::big)
            w = __builtin_bswap32(w);
        return w;
    }
    uint32_t *start_, *at_;
    uint64_t bits_ = 0;
    int filled_ = 0;
};

// The stream cut into GIF sub-blocks, each led by its length, and the zero-length block.
std::vector<uint8_t> in_blocks(const uint8_t *stream, size_t length)
{
    std::vector<uint8_t> out(length + (length + kBlockBytes - 1) / kBlockBytes + 1);
    uint8_t *to = out.data();
    for (size_t at = 0; at < length; at += kBlockBytes) {
        size_t n = std::min(kBlockBytes, length - at);
        *to++ = static_cast<uint8_t>(n);
        std::memcpy(to, stream + at, n);
        to += n;
    }
    *to = 0;
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
// runs reach take memory.) words holds the codes before they are cut into blocks.
struct string_table {
    std::vector<uint16_t> next;
    std::unique_ptr<uint16_t[]> runs;
    std::array<uint16_t, 256> run_count;
    std::array<uint32_t, kMaxCodes> filled;
    uint32_t filled_count = 0;
    std::vector<uint32_t> words;

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

// One compression. Each match is found in two steps: first the run of its first
// symbol, measured by comparing bytes and looked up in runs at once (a chart is
// mostly long runs of one colour), then the rest through the dense table, one load
// per index. The codes come out exactly as a plain one-index-at-a-time coder's would.
class lzw_coder {
public:
    lzw_coder(string_table &table, int min_code_size)
        : table_(table), writer_(table.words.data()), symbol_bits_(min_code_size),
          clear_code_(1u << min_code_size)
    {
        restart();
    }

    // The length in bytes of the stream left in table.words.
    size_t compress(const uint8_t *in, size_t count)
    {
        emit(clear_code_);
        for (size_t at = 0; at < count;) {
            const uint8_t first = in[at];
            uint16_t *runs = &table_.runs[first * kMaxCodes];
            const size_t longest = table_.run_count[first];  // `first` repeated 1..longest times
            const size_t repeat = run_length(in + at, longest + 1, count - at, first);
            if (repeat > longest) {  // the longest run in the table, then one more `first`
                emit(runs[longest - 1]);
                if (uint32_t code = add()) {
                    runs[longest] = static_cast<uint16_t>(code);
                    table_.run_count[first] = static_cast<uint16_t>(longest + 1);
                }
                at += longest;
            } else {
                at = extend(in, at + repeat, count, runs[repeat - 1]);
            }
        }
        emit(clear_code_ + 1);  // the end code
        return writer_.finish();
    }

private:
    // Follows the dense table from `prefix` over in[i...], emits the longest string found
    // and adds it extended by the index after it. A run is never followed by its own
    // symbol here, so the table needs no entries for runs. Returns where the next match
    // starts.
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
        emit(prefix);
        if (i < count) {
            uint32_t slot = (prefix << bits) | in[i];
            if (uint32_t code = add()) {
                table_.next[slot] = static_cast<uint16_t>(code);
                table_.filled[table_.filled_count++] = slot;
            }
        }
        return i;
    }

    // Emitting a code may widen the following ones: the decoder widens once the code
    // it is about to assign no longer fits, and it is one assignment behind.
    void emit(uint32_t code)
    {
        writer_.put(code, width_);
        if (next_code_ >= widen_at_) {
            ++width_;
            widen_at_ = width_ < 12 ? 1u << width_ : UINT32_MAX;
        }
    }

    // The code for the string just emitted plus one index, or 0 when the table is full:
    // then a new generation starts. (Keeping a full table instead, GIF's "deferred
    // clear", made chart pictures larger.)
    uint32_t add()
    {
        if (next_code_ < kMaxCodes - 1)
            return next_code_++;
        emit(clear_code_);
        table_.clear();
        restart();
        return 0;
    }

    void restart()
    {
        width_ = symbol_bits_ + 1;
        widen_at_ = 1u << width_;
        next_code_ = clear_code_ + 2;
    }

    string_table &table_;
    code_writer writer_;
    const int symbol_bits_;
    const uint32_t clear_code_;
    int width_ = 0;
    uint32_t widen_at_ = 0, next_code_ = 0;
};

}  // namespace

std::vector<uint8_t> lzw_compress(const uint8_t *indexes, size_t count, int min_code_size)
{
    table_lease lease;
    string_table &table = lease.table;
    size_t needed = static_cast<size_t>(kMaxCodes) << min_code_size;
    if (table.next.size() < needed)
        table.next.assign(needed, 0);  // grows once per table; zero from then on
    // Every match takes at least one index and its code at most 12 bits; clear codes
    // come once per 4093 codes, and the first clear and the end code besides.
    size_t codes = count + count / (kMaxCodes - 3) + 4;
    if (table.words.size() < codes * 12 / 32 + 2)
        table.words.resize(codes * 12 / 32 + 2);
    size_t length = lzw_coder(table, min_code_size).compress(indexes, count);
    return in_blocks(reinterpret_cast<const uint8_t *>(table.words.data()), length);
}

}  // namespace sheethost::render
