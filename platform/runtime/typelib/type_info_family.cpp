// A family of types: shared reference count, the hreftype table, and the types that are
// imported by name.
#include <algorithm>

#include "type_errors.hpp"
#include "type_family.hpp"
#include "type_info_kinds.hpp"

namespace oleaut::disp {

ULONG type_family::release() noexcept
{
    ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT type_family::containing_library(const type_info_base &type, ITypeLib **lib, UINT *index)
{
    if (lib)
        *lib = nullptr;
    if (index)
        *index = 0;
    return type_failure(TYPE_E_ELEMENTNOTFOUND, type.name(),
                        "'" + name_utf8(type.name()) + "' belongs to no type library.");
}

HREFTYPE type_family::reference_to(const type_info_base &type)
{
    auto at = std::find(references_.begin(), references_.end(), &type);
    if (at == references_.end())
        at = references_.insert(references_.end(), &type);
    return static_cast<HREFTYPE>(at - references_.begin()) + 1;
}

type_info_base *type_family::resolve(HREFTYPE href) const noexcept
{
    if (href == 0 || href > references_.size())
        return nullptr;
    // The table holds const pointers only so that reference_to accepts any type; every
    // entry is a type this family owns and may hand out.
    return const_cast<type_info_base *>(references_[href - 1]);
}

type_info_base &type_family::named_type(std::u16string_view name, TYPEKIND wanted)
{
    if (type_info_base *listed = find_listed(name, wanted))
        return *listed;
    return imported(name, wanted, GUID_NULL);
}

type_info_base &type_family::idispatch() { return imported(u"IDispatch", TKIND_INTERFACE, IID_IDispatch); }

type_info_base *type_family::find_listed(std::u16string_view, TYPEKIND) const { return nullptr; }

type_info_base &type_family::imported(std::u16string_view name, TYPEKIND kind, const GUID &guid)
{
    for (type_info_base *t : imports_)
        if (t->kind() == kind && names_equal(t->name(), name))
            return *t;
    imported_type_info &made = own<imported_type_info>(name, kind, guid);
    imports_.push_back(&made);
    // Every interface derives from IUnknown and every dispatch interface from IDispatch,
    // so even a type known only by name can answer its base.
    if (kind == TKIND_DISPATCH)
        made.set_base(reference_to(idispatch()));
    else if (kind == TKIND_INTERFACE && !IsEqualIID(guid, IID_IUnknown))
        made.set_base(reference_to(imported(u"IUnknown", TKIND_INTERFACE, IID_IUnknown)));
    return made;
}

}  // namespace oleaut::disp
