// See byte_io.hpp.
#include "byte_io.hpp"

#include <limits>

namespace oleaut::disp::bytes {

void reader::fail(HRESULT hr, const std::string &description) const
{
    throw com_error(hr, std::u16string(source_), utf8_to_utf16(description));
}

void reader::require(size_t at, size_t count, std::string_view what) const
{
    if (!fits(at, count))
        fail(TYPE_E_INVDATAREAD, std::string(what) + " at offset " + std::to_string(at) + " needs " +
                                     std::to_string(count) + " bytes, but the image ends at " +
                                     std::to_string(data_.size()) + "; the image is truncated or damaged.");
}

void reader::require_array(size_t at, size_t count, size_t record_size, std::string_view what) const
{
    if (record_size != 0 && count > data_.size() / record_size)
        fail(TYPE_E_INVDATAREAD, std::string(what) + ": " + std::to_string(count) + " entries of " +
                                     std::to_string(record_size) + " bytes cannot fit in an image of " +
                                     std::to_string(data_.size()) + " bytes; the count is damaged.");
    require(at, count * record_size, what);
}

WORD reader::u16(size_t at, std::string_view what) const
{
    require(at, 2, what);
    return static_cast<WORD>(data_[at] | (data_[at + 1] << 8));
}

DWORD reader::u32(size_t at, std::string_view what) const
{
    require(at, 4, what);
    return static_cast<DWORD>(data_[at]) | (static_cast<DWORD>(data_[at + 1]) << 8) |
           (static_cast<DWORD>(data_[at + 2]) << 16) | (static_cast<DWORD>(data_[at + 3]) << 24);
}

GUID reader::guid(size_t at, std::string_view what) const
{
    require(at, 16, what);
    GUID g{};
    g.Data1 = u32(at, what);
    g.Data2 = u16(at + 4, what);
    g.Data3 = u16(at + 6, what);
    for (size_t i = 0; i < 8; ++i)
        g.Data4[i] = data_[at + 8 + i];
    return g;
}

std::span<const BYTE> reader::bytes(size_t at, size_t count, std::string_view what) const
{
    require(at, count, what);
    return data_.subspan(at, count);
}

std::u16string reader::utf16(size_t at, size_t count, std::string_view what) const
{
    require_array(at, count, 2, what);
    std::u16string out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i)
        out.push_back(static_cast<char16_t>(data_[at + 2 * i] | (data_[at + 2 * i + 1] << 8)));
    return out;
}

void writer::u16(WORD v)
{
    out_.push_back(static_cast<BYTE>(v));
    out_.push_back(static_cast<BYTE>(v >> 8));
}

void writer::u32(DWORD v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out_.push_back(static_cast<BYTE>(v >> shift));
}

void writer::guid(const GUID &g)
{
    u32(g.Data1);
    u16(g.Data2);
    u16(g.Data3);
    out_.insert(out_.end(), g.Data4, g.Data4 + 8);
}

void writer::bytes(std::span<const BYTE> b) { out_.insert(out_.end(), b.begin(), b.end()); }

void writer::utf16(std::u16string_view s)
{
    for (char16_t c : s)
        u16(static_cast<WORD>(c));
}

void writer::align(size_t alignment)
{
    while (out_.size() % alignment != 0)
        out_.push_back(0);
}

void writer::patch_u16(size_t at, WORD v)
{
    out_.at(at) = static_cast<BYTE>(v);
    out_.at(at + 1) = static_cast<BYTE>(v >> 8);
}

void writer::patch_u32(size_t at, DWORD v)
{
    for (size_t i = 0; i < 4; ++i)
        out_.at(at + i) = static_cast<BYTE>(v >> (8 * i));
}

DWORD offset32(size_t value, std::u16string_view source)
{
    if (value > std::numeric_limits<DWORD>::max())
        throw com_error(TYPE_E_SIZETOOBIG, std::u16string(source),
                        u"The image would grow past 4 GiB, beyond what its 32-bit offsets can address.");
    return static_cast<DWORD>(value);
}

}  // namespace oleaut::disp::bytes
