// The layout of functions and element types as the type information reports them,
// computed once from the descriptions when a library is built, so that answering
// GetFuncDesc is a copy into one allocation and never a second look at the tables.
#ifndef OLEAUT_DISPATCH_TYPE_LAYOUT_HPP
#define OLEAUT_DISPATCH_TYPE_LAYOUT_HPP

#include <array>
#include <cstdint>
#include <vector>

#include "oleaut.h"

namespace oleaut::disp {

// One element type: a chain of VARTYPEs, outermost first (VT_PTR -> VT_USERDEFINED for
// "Chart*"), whose innermost VT_USERDEFINED refers to another type through href.
struct elem_shape {
    // A by-reference array of object pointers returned through a pointer is the deepest
    // chain a description can produce: VT_PTR, VT_SAFEARRAY, VT_PTR, VT_USERDEFINED.
    static constexpr size_t max_depth = 4;

    std::array<VARTYPE, max_depth> chain{};
    uint8_t depth = 0;
    HREFTYPE href = 0;
    USHORT param_flags = 0;

    // Appends the next inner type; throws com_error when the chain is already full.
    void push(VARTYPE vt);
    // The same type behind one more pointer (an [out, retval] slot).
    elem_shape pointer_to() const;
};

struct func_layout {
    MEMBERID memid = MEMBERID_NIL;
    INVOKEKIND invkind = INVOKE_FUNC;
    FUNCKIND funckind = FUNC_DISPATCH;
    SHORT vtable_offset = 0;
    WORD flags = 0;
    elem_shape result;
    std::vector<elem_shape> params;
};

}  // namespace oleaut::disp

#endif
