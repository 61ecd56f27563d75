// Descriptions of automation interfaces, enumerations, classes and libraries: the one
// place where a member's name, dispatch id, invoke kind and parameter types are
// written. Invoke, GetIDsOfNames and the type information are all derived from them.
#ifndef OLEAUT_DISPATCH_DESCRIBE_HPP
#define OLEAUT_DISPATCH_DESCRIBE_HPP

#include <string_view>
#include <variant>
#include <vector>

#include "../../oleaut.h"
#include "../utf.hpp"

namespace oleaut::disp {

// One parameter. `type` is the declared VARTYPE: a scalar (VT_I2, VT_I4, VT_R8, VT_BSTR,
// VT_BOOL, VT_DECIMAL, ...), VT_VARIANT, VT_BYREF | VT_VARIANT (written back to the
// caller), or VT_DISPATCH / VT_UNKNOWN for an object. `type_name` names what the type
// information shows instead of the bare type: an enumeration of the same library
// (for VT_I4) or an imported interface such as "Chart" (for VT_DISPATCH).
struct param {
    const OLECHAR *name;
    VARTYPE type;
    bool optional = false;
    const OLECHAR *type_name = nullptr;
};

// One member. A property put or put-by-reference declares its value as its last
// parameter; a property get and a method declare their result type (VT_EMPTY: none).
struct member_info {
    const OLECHAR *name;
    DISPID id;
    INVOKEKIND kind;
    std::vector<param> params;
    VARTYPE result = VT_EMPTY;
    const OLECHAR *result_type_name = nullptr;
    WORD func_flags = 0;
    // Present in the interface table but not in the type information and refused on the
    // Invoke path (an accessor kept for binary compatibility only).
    bool vtable_only = false;
};

struct interface_info {
    const OLECHAR *name;
    GUID iid;
    WORD type_flags = TYPEFLAG_FDISPATCHABLE;
    std::vector<member_info> members;
    const OLECHAR *doc = nullptr;
};

struct enum_info {
    const OLECHAR *name;
    GUID guid;
    WORD type_flags = 0;
    struct constant {
        const OLECHAR *name;
        LONG value;
    };
    std::vector<constant> constants;
};

struct coclass_info {
    const OLECHAR *name;
    GUID clsid;
    WORD type_flags = TYPEFLAG_FCANCREATE;
    const interface_info *default_interface = nullptr;
};

using type_entry = std::variant<const interface_info *, const coclass_info *, const enum_info *>;

struct library_info {
    const OLECHAR *name;
    GUID guid;
    LCID lcid = LOCALE_EN_US;
    WORD major = 1;
    WORD minor = 0;
    std::vector<type_entry> types;  // in the order the library lists them
    const OLECHAR *doc = nullptr;
};

// Case-insensitive comparison of member and parameter names (ASCII letters fold; other
// characters compare exactly, which covers every name automation declares).
inline bool names_equal(oleaut::ostring_view a, oleaut::ostring_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        OLECHAR x = a[i], y = b[i];
        if (x >= OLESTR('A') && x <= OLESTR('Z'))
            x = static_cast<OLECHAR>(x + 32);
        if (y >= OLESTR('A') && y <= OLESTR('Z'))
            y = static_cast<OLECHAR>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace oleaut::disp

#endif
