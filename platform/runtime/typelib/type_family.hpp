// The types that refer to each other: a library's types, or one standalone interface,
// together with the types they import (IDispatch, IUnknown, "Chart" ...). The family is
// one reference-counted unit: a reference to any of its types keeps all of them, and
// the library, alive, which is what lets GetRefTypeInfo and GetContainingTypeLib hand
// out the same objects every time without reference cycles.
#ifndef OLEAUT_DISPATCH_TYPE_FAMILY_HPP
#define OLEAUT_DISPATCH_TYPE_FAMILY_HPP

#include <atomic>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "type_info_base.hpp"

namespace oleaut::disp {

class type_family : private type_object_counted {
public:
    type_family(LCID lcid, WORD major, WORD minor) noexcept : lcid_(lcid), major_(major), minor_(minor) {}
    type_family(const type_family &) = delete;
    type_family &operator=(const type_family &) = delete;
    virtual ~type_family() = default;

    ULONG add_ref() noexcept { return ++refs_; }
    ULONG release() noexcept;

    LCID lcid() const noexcept { return lcid_; }
    WORD major() const noexcept { return major_; }
    WORD minor() const noexcept { return minor_; }

    // GetContainingTypeLib for a type of this family.
    virtual HRESULT containing_library(const type_info_base &type, ITypeLib **lib, UINT *index);

    // Creates a type that this family owns and destroys with itself.
    template <class T, class... Args>
    T &own(Args &&...args)
    {
        auto made = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T &ref = *made;
        owned_.push_back(std::move(made));
        return ref;
    }

    // The hreftype under which the family's types refer to `type` (the same each time).
    // Hreftypes are small positive numbers; 0 is never issued.
    HREFTYPE reference_to(const type_info_base &type);
    type_info_base *resolve(HREFTYPE href) const noexcept;

    // The type a declared type name stands for: a type this family lists with that name
    // (an enumeration when `wanted` is TKIND_ENUM, any other kind otherwise), else an
    // imported type of kind `wanted` that knows only its name.
    type_info_base &named_type(std::u16string_view name, TYPEKIND wanted);
    // The imported IDispatch every dispatch interface derives from.
    type_info_base &idispatch();

    // Something the family's types point into (a description read from a file) that
    // must live exactly as long as the family.
    void keep_alive(std::shared_ptr<const void> owner) noexcept { owner_ = std::move(owner); }

protected:
    virtual type_info_base *find_listed(std::u16string_view name, TYPEKIND wanted) const;

private:
    type_info_base &imported(std::u16string_view name, TYPEKIND kind, const GUID &guid);

    // Declared first, so destroyed last: after every type that points into it.
    std::shared_ptr<const void> owner_;
    std::atomic<ULONG> refs_{0};
    LCID lcid_;
    WORD major_, minor_;
    std::vector<std::unique_ptr<type_info_base>> owned_;
    std::vector<const type_info_base *> references_;  // hreftype - 1 -> type
    std::vector<type_info_base *> imports_;
};

}  // namespace oleaut::disp

#endif
