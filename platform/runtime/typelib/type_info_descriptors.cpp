// Descriptor blocks: each FUNCDESC, VARDESC, TYPEATTR and TLIBATTR is one task-memory
// allocation, laid out so that every pointer inside it points into the same block.
#include <cstring>
#include <new>

#include "type_descriptors.hpp"
#include "type_object_count.hpp"
#include "type_errors.hpp"

namespace oleaut::disp {

void elem_shape::push(VARTYPE vt)
{
    if (depth == max_depth)
        throw com_error(E_INVALIDARG, u"type information",
                        u"A declared type nests pointers and arrays deeper than the type information can show.");
    chain[depth++] = vt;
}

elem_shape elem_shape::pointer_to() const
{
    elem_shape out;
    out.push(VT_PTR);
    for (uint8_t i = 0; i < depth; ++i)
        out.push(chain[i]);
    out.href = href;
    return out;
}

namespace {

// Every part of a block is a multiple of the strictest alignment, so the parts can
// follow each other without padding.
static_assert(sizeof(ELEMDESC) % alignof(TYPEDESC) == 0);
static_assert(sizeof(FUNCDESC) % alignof(ELEMDESC) == 0);
static_assert(sizeof(VARDESC) % alignof(VARIANT) == 0);

void *alloc_block(size_t size)
{
    void *p = CoTaskMemAlloc(size);
    if (!p)
        throw std::bad_alloc();
    std::memset(p, 0, size);
    type_object_added();
    return p;
}

// Writes shape into tdesc, taking the nested TYPEDESCs it needs from pool.
void write_typedesc(const elem_shape &shape, TYPEDESC &tdesc, TYPEDESC *&pool)
{
    TYPEDESC *at = &tdesc;
    for (uint8_t i = 0; i < shape.depth; ++i) {
        at->vt = shape.chain[i];
        if (i + 1 < shape.depth) {
            at->lptdesc = pool++;
            at = at->lptdesc;
        }
    }
    if (shape.depth == 0)
        at->vt = VT_EMPTY;
    else if (at->vt == VT_USERDEFINED)
        at->hreftype = shape.href;
}

}  // namespace

FUNCDESC *new_func_desc(const func_layout &layout)
{
    const size_t n = layout.params.size();
    const size_t nested = (n + 1) * (elem_shape::max_depth - 1);
    const size_t size = sizeof(FUNCDESC) + n * sizeof(ELEMDESC) + nested * sizeof(TYPEDESC);
    auto *block = static_cast<unsigned char *>(alloc_block(size));

    auto *fd = reinterpret_cast<FUNCDESC *>(block);
    auto *params = reinterpret_cast<ELEMDESC *>(block + sizeof(FUNCDESC));
    auto *pool = reinterpret_cast<TYPEDESC *>(block + sizeof(FUNCDESC) + n * sizeof(ELEMDESC));

    fd->memid = layout.memid;
    fd->lprgscode = nullptr;
    fd->lprgelemdescParam = n ? params : nullptr;
    fd->funckind = layout.funckind;
    fd->invkind = layout.invkind;
    fd->callconv = CC_STDCALL;
    fd->cParams = static_cast<SHORT>(n);
    fd->cParamsOpt = 0;  // only a vararg function sets it; optional parameters carry PARAMFLAG_FOPT
    fd->oVft = layout.vtable_offset;
    fd->cScodes = 0;
    fd->wFuncFlags = layout.flags;
    write_typedesc(layout.result, fd->elemdescFunc.tdesc, pool);
    for (size_t i = 0; i < n; ++i) {
        write_typedesc(layout.params[i], params[i].tdesc, pool);
        params[i].paramdesc.pparamdescex = nullptr;
        params[i].paramdesc.wParamFlags = layout.params[i].param_flags;
    }
    return fd;
}

VARDESC *new_const_var_desc(MEMBERID memid, LONG value)
{
    auto *block = static_cast<unsigned char *>(alloc_block(sizeof(VARDESC) + sizeof(VARIANT)));
    auto *vd = reinterpret_cast<VARDESC *>(block);
    auto *val = reinterpret_cast<VARIANT *>(block + sizeof(VARDESC));
    val->vt = VT_I4;
    val->lVal = value;
    vd->memid = memid;
    vd->lpstrSchema = nullptr;
    vd->lpvarValue = val;
    vd->elemdescVar.tdesc.vt = VT_I4;
    vd->wVarFlags = 0;
    vd->varkind = VAR_CONST;
    return vd;
}

TYPEATTR *new_type_attr(const TYPEATTR &value)
{
    auto *attr = static_cast<TYPEATTR *>(alloc_block(sizeof(TYPEATTR)));
    *attr = value;
    return attr;
}

TLIBATTR *new_lib_attr(const TLIBATTR &value)
{
    auto *attr = static_cast<TLIBATTR *>(alloc_block(sizeof(TLIBATTR)));
    *attr = value;
    return attr;
}

void free_descriptor(void *block) noexcept
{
    if (!block)
        return;
    CoTaskMemFree(block);
    type_object_removed();
}

}  // namespace oleaut::disp
