// The one IUnknown implementation every COM object here is written with: an interface
// map for QueryInterface, a reference count, and what the last Release does. A class
// names the interfaces it implements and writes only their own methods:
//
//   class error_info final
//       : public oleaut::unknown<error_info, oleaut::interfaces<IErrorInfo, ICreateErrorInfo>> {
//       ... IErrorInfo and ICreateErrorInfo methods ...
//   };
//
// QueryInterface answers IID_IUnknown with the first listed interface (the object's
// identity) and each listed interface's IID (oleaut_uuid_of) with that base, so a class
// with several bases hands out the right pointer for each. An IID known only at run time
// (a dual interface described by a table) is answered by the class's own
// `void *interface_for(REFIID) noexcept`, when it has one.
//
// Who owns the object is the third argument:
//   self_owned<Live>  on the heap, starts with one reference (its creator's), deleted once
//                     when the count reaches zero. Live is an empty base that counts the
//                     object while it exists: disp::module_counted for a server's
//                     DllCanUnloadNow, a test's own counter, or nothing (the default).
//   caller_owned      on the stack or in static storage: counted (from the number given to
//                     the constructor), never deleted.
//   owner_counted     AddRef/Release go to `count_owner()` of the class (anything with
//                     add_ref() and release() answering the new count): types that live and
//                     die with their family, a server object that counts as a lock.
#ifndef OLEAUT_UNKNOWN_HPP
#define OLEAUT_UNKNOWN_HPP

#include <atomic>
#include <concepts>
#include <type_traits>

#include "../oleaut.h"

namespace oleaut {

template <class... Interfaces>
struct interfaces {};

struct no_live_count {};

template <class Live = no_live_count>
struct self_owned {};
struct caller_owned {};
struct owner_counted {};

namespace unknown_detail {

// The count a self- or caller-owned object keeps; an owner-counted object keeps none.
template <class Ownership>
class count_storage {
protected:
    explicit count_storage(ULONG initial) noexcept : refs_(initial) {}
    std::atomic<ULONG> refs_;
};
template <>
class count_storage<owner_counted> {
protected:
    explicit count_storage(ULONG) noexcept {}
};

template <class Ownership>
struct live_base_of {
    using type = no_live_count;
};
template <class Live>
struct live_base_of<self_owned<Live>> {
    using type = Live;
};

template <class Derived>
concept answers_more_iids = requires(Derived &d, REFIID riid) {
    { d.interface_for(riid) } -> std::convertible_to<void *>;
};

}  // namespace unknown_detail

template <class Derived, class Interfaces, class Ownership = self_owned<>>
class unknown;

template <class Derived, class First, class... Rest, class Ownership>
class unknown<Derived, interfaces<First, Rest...>, Ownership>
    : public First,
      public Rest...,
      private unknown_detail::count_storage<Ownership>,
      private unknown_detail::live_base_of<Ownership>::type {
public:
    unknown(const unknown &) = delete;
    unknown &operator=(const unknown &) = delete;

    STDMETHOD(QueryInterface)(REFIID riid, void **ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = find(riid);
        if (!*ppv)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHOD_(ULONG, AddRef)() override
    {
        if constexpr (std::is_same_v<Ownership, owner_counted>)
            return static_cast<Derived &>(*this).count_owner().add_ref();
        else
            return this->refs_.fetch_add(1, std::memory_order_relaxed) + 1;
    }
    STDMETHOD_(ULONG, Release)() override
    {
        if constexpr (std::is_same_v<Ownership, owner_counted>) {
            return static_cast<Derived &>(*this).count_owner().release();
        } else {
            const ULONG left = this->refs_.fetch_sub(1, std::memory_order_acq_rel) - 1;
            if constexpr (!std::is_same_v<Ownership, caller_owned>) {
                if (left == 0)
                    delete this;  // the destructor is virtual: this destroys the whole Derived
            }
            return left;
        }
    }

    // The object as IUnknown (its identity), without a reference.
    IUnknown *identity() noexcept { return static_cast<First *>(this); }

protected:
    // A self-owned object starts with its creator's reference; a caller-owned one with
    // whatever count its owner wants to see.
    explicit unknown(ULONG initial_refs = 1) noexcept : unknown_detail::count_storage<Ownership>(initial_refs) {}
    virtual ~unknown() = default;

    // The current count, for objects that keep one (tests compare it).
    ULONG ref_count() const noexcept
        requires(!std::is_same_v<Ownership, owner_counted>)
    {
        return this->refs_.load(std::memory_order_relaxed);
    }

private:
    void *find(REFIID riid) noexcept
    {
        if (IsEqualIID(riid, IID_IUnknown))
            return static_cast<First *>(this);
        void *found = listed<First>(riid);
        ((found = found ? found : listed<Rest>(riid)), ...);
        if constexpr (unknown_detail::answers_more_iids<Derived>) {
            if (!found)
                found = static_cast<Derived &>(*this).interface_for(riid);
        }
        return found;
    }
    template <class I>
    void *listed(REFIID riid) noexcept
    {
        if constexpr (requires { oleaut_uuid_of<I>::value(); }) {
            if (IsEqualIID(riid, oleaut_uuid_of<I>::value()))
                return static_cast<I *>(this);
        }
        return nullptr;
    }
};

}  // namespace oleaut

#endif
