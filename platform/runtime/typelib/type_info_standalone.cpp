// build_type_info: type information for one interface that no library lists. Its family
// holds the interface and what it imports; the library-wide values fall back to
// locale 1033 and version 0.0.
#include <memory>

#include "type_library_build.hpp"
#include "type_info_kinds.hpp"

namespace oleaut::disp {

com_ptr<ITypeInfo> build_type_info(const interface_info &iface, std::shared_ptr<const void> keep_alive)
{
    auto family = std::make_unique<type_family>(LOCALE_EN_US, WORD{0}, WORD{0});
    family->keep_alive(std::move(keep_alive));
    auto &info = family->own<dispatch_type_info>(iface, function_form::dispatch);
    info.link();
    // From here the family lives by its reference count, which the com_ptr starts.
    (void)family.release();
    return com_ptr<ITypeInfo>(&info);
}

}  // namespace oleaut::disp
