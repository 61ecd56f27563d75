// com_ptr<T>: owns one reference to a COM interface, released by RAII.
// No implicit conversions and no operator&: use put() to receive an out
// pointer (it releases what was held first, visibly).
#ifndef OLEAUT_COM_PTR_HPP
#define OLEAUT_COM_PTR_HPP

#include <utility>

#include "../oleaut.h"

namespace oleaut {

template <class T>
class com_ptr {
public:
    com_ptr() noexcept = default;
    com_ptr(std::nullptr_t) noexcept {}
    // Takes a new reference to p (AddRef).
    explicit com_ptr(T *p) noexcept : p_(p)
    {
        if (p_)
            p_->AddRef();
    }
    com_ptr(const com_ptr &o) noexcept : com_ptr(o.p_) {}
    com_ptr(com_ptr &&o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ~com_ptr() { reset(); }

    com_ptr &operator=(const com_ptr &o) noexcept
    {
        com_ptr(o).swap(*this);
        return *this;
    }
    com_ptr &operator=(com_ptr &&o) noexcept
    {
        com_ptr(std::move(o)).swap(*this);
        return *this;
    }

    // Adopts a reference the caller already owns (no AddRef).
    static com_ptr attach(T *p) noexcept
    {
        com_ptr r;
        r.p_ = p;
        return r;
    }
    // Gives up ownership without releasing.
    [[nodiscard]] T *detach() noexcept { return std::exchange(p_, nullptr); }

    void reset() noexcept
    {
        if (T *p = std::exchange(p_, nullptr))
            p->Release();
    }
    // Releases what is held and answers the slot for an out parameter.
    T **put() noexcept
    {
        reset();
        return &p_;
    }
    void **put_void() noexcept { return reinterpret_cast<void **>(put()); }

    T *get() const noexcept { return p_; }
    T *operator->() const noexcept { return p_; }
    T &operator*() const noexcept { return *p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    void swap(com_ptr &o) noexcept { std::swap(p_, o.p_); }

    // QueryInterface for U; an empty pointer if this is empty or U is not offered.
    template <class U>
    com_ptr<U> query() const noexcept
    {
        com_ptr<U> r;
        if (p_)
            p_->QueryInterface(OLEAUT_UUIDOF(U), r.put_void());
        return r;
    }

    // Hands out a new reference (AddRef) through an out parameter.
    HRESULT copy_to(T **out) const noexcept
    {
        if (!out)
            return E_POINTER;
        *out = p_;
        if (p_)
            p_->AddRef();
        return S_OK;
    }

private:
    T *p_ = nullptr;
};

}  // namespace oleaut

#endif
