// Little-endian reading and writing of the binary images the toolkit stores in files
// (type library images, resource directories, version blocks). The reader checks
// every access against the image it was given, so a damaged or hostile file can make
// a read fail but can never make it leave the buffer: offsets and lengths are
// compared by subtraction, never by an addition that could wrap.
#ifndef OLEAUT_DISPATCH_BYTE_IO_HPP
#define OLEAUT_DISPATCH_BYTE_IO_HPP

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "oleaut/com_error.hpp"

namespace oleaut::disp::bytes {

class reader {
public:
    // `source` names the kind of image in error messages ("Type library image").
    reader(std::span<const BYTE> data, std::u16string_view source) noexcept : data_(data), source_(source) {}

    size_t size() const noexcept { return data_.size(); }
    bool fits(size_t at, size_t count) const noexcept { return at <= data_.size() && count <= data_.size() - at; }

    // Each read names what it reads, so that the error says which field is damaged.
    WORD u16(size_t at, std::string_view what) const;
    DWORD u32(size_t at, std::string_view what) const;
    GUID guid(size_t at, std::string_view what) const;
    std::span<const BYTE> bytes(size_t at, size_t count, std::string_view what) const;
    // `count` UTF-16 code units.
    std::u16string utf16(size_t at, size_t count, std::string_view what) const;

    // Fails unless `count` records of `record_size` bytes from `at` lie inside the image:
    // the check a count must pass before anything is reserved for it.
    void require_array(size_t at, size_t count, size_t record_size, std::string_view what) const;

    // Throws com_error(hr, source, description).
    [[noreturn]] void fail(HRESULT hr, const std::string &description) const;

private:
    void require(size_t at, size_t count, std::string_view what) const;

    std::span<const BYTE> data_;
    std::u16string_view source_;
};

class writer {
public:
    size_t size() const noexcept { return out_.size(); }

    void u16(WORD v);
    void u32(DWORD v);
    void guid(const GUID &g);
    void bytes(std::span<const BYTE> b);
    void utf16(std::u16string_view s);  // the characters only, no terminator
    // Zero bytes up to the next multiple of `alignment`.
    void align(size_t alignment);

    // Overwrites a field written earlier (a length or offset known only later).
    void patch_u16(size_t at, WORD v);
    void patch_u32(size_t at, DWORD v);

    std::vector<BYTE> take() noexcept { return std::move(out_); }
    const std::vector<BYTE> &data() const noexcept { return out_; }

private:
    std::vector<BYTE> out_;
};

// The offset as a field value; throws com_error(TYPE_E_SIZETOOBIG) past 4 GiB.
DWORD offset32(size_t value, std::u16string_view source);

}  // namespace oleaut::disp::bytes

#endif
