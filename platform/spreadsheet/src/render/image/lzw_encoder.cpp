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

// Writes codes of varying width, least significant bit first, straight into GIF
// sub-blocks: each block's length byte is filled in once the block is full or the
// stream ends. A block always has room for all its bytes, so a byte costs no check.
class block_writer {
public:
    block_writer(std::vector<uint8_t> &out, size_t expected_bytes) : out_(out)
    {
        out_.resize(expected_bytes + expected_bytes / kBlockBytes + kBlockBytes + 2);
        open_block(0);
    }
    void put(uint32_t code, int width)
    {
        bits_ |= code << filled_;  // fewer than 8 bits wait, and codes are 12 bits at most
        filled_ += width;
        while (filled_ >= 8) {
            byte(static_cast<uint8_t>(bits_));
            bits_ >>= 8;
            filled_ -= 8;
        }
    }
    // The last bits, the last block's length and the zero-length block that ends the data.
    void finish()
    {
        if (filled_ > 0)
            byte(static_cast<uint8_t>(bits_));
        size_t length = at_ - block_ - 1;
        out_[block_] = static_cast<uint8_t>(length);
        if (length > 0)
            out_[at_++] = 0;
        out_.resize(at_);
    }

private:
    void byte(uint8_t b)
    {
        out_[at_++] = b;
        if (at_ - block_ > kBlockBytes) {
            out_[block_] = static_cast<uint8_t>(kBlockBytes);
            open_block(at_);
        }
    }
    void open_block(size_t at)
    {
        block_ = at;
        at_ = at + 1;
        if (out_.size() < at_ + kBlockBytes + 1)  // its data and the byte after it
            out_.resize(std::max(out_.size() * 2, at_ + kBlockBytes + 1));
    }

    std::vector<uint8_t> &out_;
    size_t block_ = 0, at_ = 0;
    uint32_t bits_ = 0;
    int filled_ = 0;
};

// How many of in[0, limit) equal `symbol` before the first that does not, eight at a time.
size_t run_length(const uint8_t *in, size_t limit, uint8_t symbol)
{
    const uint64_t pattern = 0x0101010101010101ull * symbol;
    size_t n = 0;
    for (; n + 8 <= limit; n += 8) {
        uint64_t word;
        std::memcpy(&word, in + n, 8);
        if (uint64_t differ = word ^ pattern) {
            int bit = std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ);
            return n + static_cast<size_t>(bit / 8);
        }
    }
    while (n < limit && in[n] == symbol)
        ++n;
    return n;
}

// next[(prefix << symbol_bits) | symbol] is the code of that string, 0 when absent
// (0 is never an added code: added codes start after the end code). The filled
// entries are listed so they can be zeroed again. Strings that repeat one symbol are
// kept apart instead: runs[s][k] is the code of s repeated k + 2 times.
struct string_table {
    std::vector<uint16_t> next;
    std::vector<uint32_t> filled;
    std::array<std::vector<uint16_t>, 256> runs;

    void clear()
    {
        for (uint32_t slot : filled)
            next[slot] = 0;
        filled.clear();
        for (std::vector<uint16_t> &r : runs)
            r.clear();
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
// symbol, measured by comparing bytes and looked up in runs[] at once (a chart is
// mostly long runs of one colour), then the rest through the dense table, one load
// per index. The codes come out exactly as a plain one-index-at-a-time coder's would.
class lzw_coder {
public:
    lzw_coder(string_table &table, std::vector<uint8_t> &out, size_t count, int min_code_size)
        : table_(table), writer_(out, count / 8 + 64), symbol_bits_(min_code_size),
          clear_code_(1u << min_code_size), width_(min_code_size + 1), next_code_(clear_code_ + 2)
    {
    }

    void compress(const uint8_t *in, size_t count)
    {
        emit(clear_code_);
        for (size_t at = 0; at < count;)
            at = match(in, at, count);
        emit(clear_code_ + 1);  // the end code
        writer_.finish();
    }

private:
    // Emits the longest string in the table that in[at...] starts with, adds it
    // extended by the index after it, and returns where the next match starts.
    size_t match(const uint8_t *in, size_t at, size_t count)
    {
        const uint8_t first = in[at];
        std::vector<uint16_t> &runs = table_.runs[first];
        auto run_code = [&](size_t repeat) -> uint32_t { return repeat == 1 ? first : runs[repeat - 2]; };
        const size_t longest = runs.size() + 1;  // the table holds `first` repeated 1..longest times
        const size_t repeat = run_length(in + at, std::min(longest + 1, count - at), first);
        if (repeat > longest) {  // the longest run in the table, then one more `first`
            emit(run_code(longest));
            if (uint32_t code = add())
                runs.push_back(static_cast<uint16_t>(code));
            return at + longest;
        }
        // A run string is never followed by its own symbol here, so next[] needs no
        // entries for runs.
        uint32_t prefix = run_code(repeat);
        const uint16_t *next = table_.next.data();
        size_t i = at + repeat;
        for (; i < count; ++i) {
            uint16_t code = next[(prefix << symbol_bits_) | in[i]];
            if (code == 0)
                break;
            prefix = code;
        }
        emit(prefix);
        if (i < count) {
            uint32_t slot = (prefix << symbol_bits_) | in[i];
            if (uint32_t code = add()) {
                table_.next[slot] = static_cast<uint16_t>(code);
                table_.filled.push_back(slot);
            }
        }
        return i;
    }

    // Emitting a code may widen the following ones: the decoder widens once the code
    // it is about to assign no longer fits, and it is one assignment behind.
    void emit(uint32_t code)
    {
        writer_.put(code, width_);
        if (next_code_ >= (1u << width_) && width_ < 12)
            ++width_;
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
        width_ = symbol_bits_ + 1;
        next_code_ = clear_code_ + 2;
        return 0;
    }

    string_table &table_;
    block_writer writer_;
    const int symbol_bits_;
    const uint32_t clear_code_;
    int width_;
    uint32_t next_code_;
};

}  // namespace

std::vector<uint8_t> lzw_compress(const uint8_t *indexes, size_t count, int min_code_size)
{
    table_lease lease;
    size_t needed = static_cast<size_t>(kMaxCodes) << min_code_size;
    if (lease.table.next.size() < needed)
        lease.table.next.assign(needed, 0);  // grows once per table; zero from then on
    lease.table.filled.reserve(kMaxCodes);
    std::vector<uint8_t> out;
    lzw_coder coder(lease.table, out, count, min_code_size);
    coder.compress(indexes, count);
    return out;
}

}  // namespace sheethost::render
