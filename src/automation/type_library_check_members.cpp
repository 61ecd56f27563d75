// An interface's members compared slot by slot: the vtable side must declare each member
// of the description in its slot (a member kept out of Invoke may be left out, or shown
// restricted), and the dispatch side must offer every member Invoke offers.
#include <algorithm>

#include "automation/type_library_check.hpp"
#include "oleaut/com_ptr.hpp"

namespace quillet::check {

namespace {

using oleaut::disp::interface_info;
using oleaut::disp::member_info;

// IUnknown's and IDispatch's functions, which a compiled library lists on a dual
// interface's dispatch side.
bool inherited(const std::string &name)
{
    for (const char *n : {"QueryInterface", "AddRef", "Release", "GetTypeInfoCount", "GetTypeInfo", "GetIDsOfNames",
                          "Invoke"})
        if (name == n)
            return true;
    return false;
}

UINT vtable_slots(ITypeInfo *t, UINT pointer_size = sizeof(void *))
{
    TYPEATTR *attr = nullptr;
    if (FAILED(t->GetTypeAttr(&attr)))
        return 0;
    const UINT slots = attr->cbSizeVft / pointer_size;
    t->ReleaseTypeAttr(attr);
    return slots;
}

std::string hex(DISPID id)
{
    static const char digits[] = "0123456789abcdef";
    std::string out = "0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        out += digits[(static_cast<unsigned long>(id) >> shift) & 0xF];
    return out;
}

// The vtable entry's parameters as words, the declared result as a trailing "T*".
std::vector<std::string> described_params(const member_info &m)
{
    std::vector<std::string> out;
    for (const oleaut::disp::param &p : m.params)
        out.push_back(described_word(p.type, p.type_name));
    if (m.result != VT_EMPTY)
        out.push_back(described_word(m.result, m.result_type_name) + "*");
    return out;
}

void compare_function(ITypeInfo *t, const FUNCDESC &f, const member_info &m, const std::string &where,
                      std::vector<std::string> &out)
{
    const std::string want_name = oleaut::utf16_to_utf8(m.name);
    if (name_of(t, f.memid) != want_name)
        out.push_back(where + ": named " + name_of(t, f.memid) + ", the description says " + want_name);
    if (f.memid != m.id)
        out.push_back(where + ": dispatch id " + hex(f.memid) + ", the description says " + hex(m.id));
    if (f.invkind != m.kind)
        out.push_back(where + ": invoke kind " + std::to_string(f.invkind) + ", the description says " +
                      std::to_string(m.kind));
    if (type_word(t, f.elemdescFunc.tdesc) != "HRESULT")
        out.push_back(where + ": answers " + type_word(t, f.elemdescFunc.tdesc) + ", not HRESULT");
    const std::vector<std::string> want = described_params(m);
    if (static_cast<size_t>(f.cParams) != want.size()) {
        out.push_back(where + ": " + std::to_string(f.cParams) + " parameters, the description says " +
                      std::to_string(want.size()));
        return;
    }
    for (size_t i = 0; i < want.size(); ++i) {
        const ELEMDESC &p = f.lprgelemdescParam[i];
        const std::string got = type_word(t, p.tdesc);
        if (got != want[i])
            out.push_back(where + ": parameter " + std::to_string(i + 1) + " is " + got +
                          ", the description says " + want[i]);
        const bool retval = (p.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) != 0;
        if (retval != (m.result != VT_EMPTY && i + 1 == want.size()))
            out.push_back(where + ": parameter " + std::to_string(i + 1) + (retval ? " is" : " is not") +
                          " the result");
    }
}

void compare_vtable(ITypeInfo *vtable, const interface_info &want, const std::string &name,
                    std::vector<std::string> &out)
{
    HREFTYPE base_ref = 0;
    oleaut::com_ptr<ITypeInfo> base;
    if (FAILED(vtable->GetRefTypeOfImplType(0, &base_ref)) || FAILED(vtable->GetRefTypeInfo(base_ref, base.put()))) {
        out.push_back(name + ": the interface has no base");
        return;
    }
    const UINT first = vtable_slots(base.get());
    UINT highest = 0;
    std::vector<bool> seen(want.members.size());
    TYPEATTR *attr = nullptr;
    const UINT count = SUCCEEDED(vtable->GetTypeAttr(&attr)) ? attr->cFuncs : 0;
    if (attr)
        vtable->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC *f = nullptr;
        if (FAILED(vtable->GetFuncDesc(i, &f)))
            continue;
        const UINT slot = static_cast<UINT>(f->oVft) / sizeof(void *);
        highest = std::max(highest, slot);
        const std::string where = name + " slot " + std::to_string(slot) + " (" + name_of(vtable, f->memid) + ")";
        if (slot < first || slot - first >= want.members.size()) {
            out.push_back(where + ": the description has no member in this slot");
        } else {
            const member_info &m = want.members[slot - first];
            seen[slot - first] = true;
            compare_function(vtable, *f, m, where, out);
            if (m.vtable_only && !(f->wFuncFlags & FUNCFLAG_FRESTRICTED))
                out.push_back(where + ": kept out of Invoke, but not restricted");
        }
        vtable->ReleaseFuncDesc(f);
    }
    // A 32-bit library read by a 64-bit process has its function offsets in this process's
    // pointers but its table size in 4-byte ones (Wine).
    UINT slots = vtable_slots(vtable);
    if (count > 0 && slots <= highest)
        slots = vtable_slots(vtable, 4);
    if (slots != first + want.members.size())
        out.push_back(name + ": " + std::to_string(slots) + " interface-table slots, the description has " +
                      std::to_string(first + want.members.size()));
    for (size_t k = 0; k < want.members.size(); ++k)
        if (!seen[k] && !want.members[k].vtable_only)
            out.push_back(name + " slot " + std::to_string(first + k) + " (" +
                          oleaut::utf16_to_utf8(want.members[k].name) + "): missing");
}

// Every member Invoke offers is on the dispatch side, and nothing else is but the
// inherited functions and restricted members kept out of Invoke.
void compare_dispatch(ITypeInfo *dispatch, const interface_info &want, const std::string &name,
                      std::vector<std::string> &out)
{
    TYPEATTR *attr = nullptr;
    const UINT count = SUCCEEDED(dispatch->GetTypeAttr(&attr)) ? attr->cFuncs : 0;
    if (attr)
        dispatch->ReleaseTypeAttr(attr);
    std::vector<bool> seen(want.members.size());
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC *f = nullptr;
        if (FAILED(dispatch->GetFuncDesc(i, &f)))
            continue;
        const std::string fname = name_of(dispatch, f->memid);
        auto match = std::find_if(want.members.begin(), want.members.end(), [&](const member_info &m) {
            return m.id == f->memid && m.kind == f->invkind;
        });
        if (match != want.members.end() && (!match->vtable_only || (f->wFuncFlags & FUNCFLAG_FRESTRICTED)))
            seen[static_cast<size_t>(match - want.members.begin())] = true;
        else if (!inherited(fname))
            out.push_back(name + " (dispatch): " + fname + " " + hex(f->memid) + " kind " +
                          std::to_string(f->invkind) + " is not a member Invoke offers");
        dispatch->ReleaseFuncDesc(f);
    }
    for (size_t k = 0; k < want.members.size(); ++k)
        if (!seen[k] && !want.members[k].vtable_only)
            out.push_back(name + " (dispatch): " + oleaut::utf16_to_utf8(want.members[k].name) + " " +
                          hex(want.members[k].id) + " kind " + std::to_string(want.members[k].kind) + " is missing");
}

}  // namespace

void compare_interface(ITypeInfo *dispatch, ITypeInfo *vtable, const interface_info &want,
                       std::vector<std::string> &out)
{
    const std::string name = oleaut::utf16_to_utf8(want.name);
    if (vtable)
        compare_vtable(vtable, want, name, out);
    else if (want.type_flags & TYPEFLAG_FDUAL)
        out.push_back(name + ": dual, but the library has no interface side");
    if (dispatch)
        compare_dispatch(dispatch, want, name, out);
}

}  // namespace quillet::check
