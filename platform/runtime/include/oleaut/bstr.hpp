// bstr: owns one BSTR. A null BSTR and an empty one are different values here,
// as they are to automation (a null string argument is not an empty string).
#ifndef OLEAUT_BSTR_HPP
#define OLEAUT_BSTR_HPP

#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "../oleaut.h"
#include "utf.hpp"

namespace oleaut {

class bstr {
public:
    bstr() noexcept = default;  // null
    explicit bstr(oleaut::ostring_view s) : b_(alloc(s.data(), s.size())) {}
    explicit bstr(const OLECHAR *s) : b_(s ? alloc(s, std::char_traits<OLECHAR>::length(s)) : nullptr) {}
    explicit bstr(std::string_view utf8) : bstr(oleaut::ostring_view(utf8_to_utf16(utf8))) {}
    explicit bstr(const char *utf8) : b_(nullptr)
    {
        if (utf8)
            *this = bstr(std::string_view(utf8));
    }
    bstr(const bstr &o) : b_(o.b_ ? alloc(o.b_, SysStringLen(o.b_)) : nullptr) {}
    bstr(bstr &&o) noexcept : b_(std::exchange(o.b_, nullptr)) {}
    ~bstr() { SysFreeString(b_); }
    bstr &operator=(const bstr &o)
    {
        bstr(o).swap(*this);
        return *this;
    }
    bstr &operator=(bstr &&o) noexcept
    {
        bstr(std::move(o)).swap(*this);
        return *this;
    }

    // Adopts a BSTR the caller owns.
    static bstr attach(BSTR b) noexcept
    {
        bstr r;
        r.b_ = b;
        return r;
    }
    // A copy of someone else's BSTR (null stays null).
    static bstr copy_of(BSTR b) { return b ? bstr(oleaut::ostring_view(b, SysStringLen(b))) : bstr(); }
    [[nodiscard]] BSTR detach() noexcept { return std::exchange(b_, nullptr); }
    // Frees what is held and answers the slot for an out parameter.
    BSTR *put() noexcept
    {
        SysFreeString(std::exchange(b_, nullptr));
        return &b_;
    }

    BSTR get() const noexcept { return b_; }
    bool is_null() const noexcept { return b_ == nullptr; }
    UINT length() const noexcept { return SysStringLen(b_); }
    oleaut::ostring_view view() const noexcept { return b_ ? oleaut::ostring_view(b_, length()) : oleaut::ostring_view(); }
    oleaut::ostring str() const { return oleaut::ostring(view()); }
    std::string utf8() const { return utf16_to_utf8(view()); }
    void swap(bstr &o) noexcept { std::swap(b_, o.b_); }

    friend bool operator==(const bstr &a, const bstr &b) noexcept { return a.view() == b.view(); }

private:
    static BSTR alloc(const OLECHAR *s, size_t n)
    {
        BSTR b = SysAllocStringLen(s, static_cast<UINT>(n));
        if (!b)
            throw std::bad_alloc();
        return b;
    }
    BSTR b_ = nullptr;
};

}  // namespace oleaut

#endif
