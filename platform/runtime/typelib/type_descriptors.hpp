// The descriptor blocks the type information hands out (FUNCDESC, VARDESC, TYPEATTR,
// TLIBATTR). Each is one task-memory allocation holding everything it points to, so
// its Release* frees exactly one block. An outstanding block counts as a live object
// of the runtime: a client that forgets a Release* shows up in type_objects_alive().
#ifndef OLEAUT_DISPATCH_TYPE_DESCRIPTORS_HPP
#define OLEAUT_DISPATCH_TYPE_DESCRIPTORS_HPP

#include "type_layout.hpp"

namespace oleaut::disp {

// Each maker throws std::bad_alloc when task memory is exhausted.
FUNCDESC *new_func_desc(const func_layout &layout);
VARDESC *new_const_var_desc(MEMBERID memid, LONG value);
TYPEATTR *new_type_attr(const TYPEATTR &value);
TLIBATTR *new_lib_attr(const TLIBATTR &value);

// Frees a block made above; null is ignored.
void free_descriptor(void *block) noexcept;

}  // namespace oleaut::disp

#endif
