// Imported types: what a description refers to by name without defining it ("Chart",
// an enumeration of another library) and the IDispatch/IUnknown base of every dispatch
// interface. They have no members; a client learns their name, kind and base only.
#include "type_info_kinds.hpp"

namespace oleaut::disp {

namespace {
WORD imported_flags(TYPEKIND kind)
{
    return kind == TKIND_DISPATCH ? static_cast<WORD>(TYPEFLAG_FDISPATCHABLE) : WORD{0};
}
}  // namespace

imported_type_info::imported_type_info(type_family &family, std::u16string_view name, TYPEKIND kind,
                                       const GUID &guid)
    : type_info_base(family, std::u16string(name), kind, guid, imported_flags(kind), nullptr)
{
}

void imported_type_info::fill_type_attr(TYPEATTR &attr) const
{
    if (kind() == TKIND_ENUM) {
        attr.cbSizeInstance = sizeof(LONG);
        attr.cbAlignment = alignof(LONG);
        return;
    }
    attr.cbSizeInstance = sizeof(void *);
    attr.cbAlignment = alignof(void *);
    // Only the slots every such interface is known to have: IUnknown's three, and
    // IDispatch's four after them for a dispatch interface or IDispatch itself.
    const bool dispatch = kind() == TKIND_DISPATCH || IsEqualIID(guid(), IID_IDispatch);
    attr.cbSizeVft = static_cast<WORD>((dispatch ? 7 : 3) * sizeof(void *));
}

std::optional<HREFTYPE> imported_type_info::impl_type(UINT index) const
{
    return index == 0 ? base_ : std::nullopt;
}

}  // namespace oleaut::disp
