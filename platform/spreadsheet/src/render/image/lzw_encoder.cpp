// GIF's LZW with a dense, reused string table; see lzw_encoder.hpp.
#include "render/image/lzw_encoder.hpp"

#include <memory>
#include <mutex>

namespace sheethost::render {

namespace {

constexpr uint32_t kMaxCodes = 4096;

// Appends codes of varying width, least significant bit first.
class bit_writer {
public:
    explicit bit_writer(std::vector<uint8_t> &out) : out_(out) {}
    void put(uint32_t code, int width)
    {
        bits_ |= static_cast<uint64_t>(code) << filled_;
        filled_ += width;
        while (filled_ >= 8) {
            out_.push_back(static_cast<uint8_t>(bits_));
            bits_ >>= 8;
            filled_ -= 8;
        }
    }
    void flush()
    {
        if (filled_ > 0)
            out_.push_back(static_cast<uint8_t>(bits_));
        bits_ = 0;
        filled_ = 0;
    }

private:
    std::vector<uint8_t> &out_;
    uint64_t bits_ = 0;
    int filled_ = 0;
};

// next[(prefix << symbol_bits) | symbol] is the code of that string, 0 when absent
// (0 is never an added code: added codes start after the end code). The filled
// entries are listed so they can be zeroed again.
struct string_table {
    std::vector<uint16_t> next;
    std::vector<uint32_t> filled;

    void clear()
    {
        for (uint32_t slot : filled)
            next[slot] = 0;
        filled.clear();
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

}  // namespace

std::vector<uint8_t> lzw_compress(const uint8_t *indexes, size_t count, int min_code_size)
{
    table_lease lease;
    string_table &table = lease.table;
    const int symbol_bits = min_code_size;
    size_t needed = static_cast<size_t>(kMaxCodes) << symbol_bits;
    if (table.next.size() < needed)
        table.next.assign(needed, 0);  // grows once per table; zero from then on
    table.filled.reserve(kMaxCodes);

    std::vector<uint8_t> out;
    out.reserve(count / 8 + 64);
    bit_writer bits(out);
    const uint32_t clear_code = 1u << min_code_size, end_code = clear_code + 1;
    int width = min_code_size + 1;
    uint32_t next_code = end_code + 1;
    // Emitting a code may widen the following ones: the decoder widens once the code
    // it is about to assign no longer fits, and it is one assignment behind.
    auto emit = [&](uint32_t code) {
        bits.put(code, width);
        if (next_code >= (1u << width) && width < 12)
            ++width;
    };

    emit(clear_code);
    if (count == 0) {
        emit(end_code);
        bits.flush();
        return out;
    }
    uint16_t *next = table.next.data();
    uint32_t prefix = indexes[0];
    for (size_t i = 1; i < count; ++i) {
        uint32_t symbol = indexes[i];
        uint32_t slot = (prefix << symbol_bits) | symbol;
        if (uint16_t code = next[slot]) {
            prefix = code;
            continue;
        }
        emit(prefix);
        if (next_code >= kMaxCodes - 1) {
            // The table is full: start a new generation. (Keeping a full table
            // instead, GIF's "deferred clear", made chart pictures larger.)
            emit(clear_code);
            table.clear();
            width = min_code_size + 1;
            next_code = end_code + 1;
        } else {
            next[slot] = static_cast<uint16_t>(next_code++);
            table.filled.push_back(slot);
        }
        prefix = symbol;
    }
    emit(prefix);
    emit(end_code);
    bits.flush();
    return out;
}

}  // namespace sheethost::render
