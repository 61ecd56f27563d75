// A dual interface rendered as the interface IDL declares: its vtable side, slot by slot
// after the base's, so that an interface compiled from the text has the same table as
// the one the object implements. A slot the type information leaves out (a member kept
// for binary compatibility only) is declared from the runtime's description.
#include <algorithm>

#include "type_idl.hpp"
#include "type_info_kinds.hpp"

namespace oleaut::disp::idl {

namespace {

com_ptr<ITypeInfo> referenced(ITypeInfo *t, UINT impl_index)
{
    HREFTYPE ref = 0;
    check(t->GetRefTypeOfImplType(impl_index, &ref));
    com_ptr<ITypeInfo> out;
    check(t->GetRefTypeInfo(ref, out.put()));
    return out;
}

UINT slot_count(ITypeInfo *t)
{
    const type_attr attr(t);
    return attr->cbSizeVft / sizeof(void *);
}

// A declared type as IDL writes it, for a member read from its description.
std::string described_type(VARTYPE vt, const OLECHAR *type_name, const declared_names &declared)
{
    if (vt & VT_BYREF)
        return described_type(static_cast<VARTYPE>(vt & ~VT_BYREF), type_name, declared) + "*";
    if (vt & VT_ARRAY)
        return "SAFEARRAY(" + described_type(static_cast<VARTYPE>(vt & ~VT_ARRAY), type_name, declared) + ")";
    const std::string name = type_name ? utf16_to_utf8(type_name) : std::string();
    const bool listed = std::find(declared.begin(), declared.end(), name) != declared.end();
    if ((vt == VT_DISPATCH || vt == VT_UNKNOWN) && type_name && listed)
        return name + "*";
    if (vt == VT_I4 && type_name)
        return name;
    if (const char *word = vartype_word(vt == VT_EMPTY ? static_cast<VARTYPE>(VT_VOID) : vt))
        return word;
    throw com_error(E_UNEXPECTED, u"dump_idl", u"A vtable-only member has a type IDL has no word for.");
}

}  // namespace

std::string vtable_only_line(ITypeInfo *vtable_side, UINT slot, const declared_names &declared)
{
    const auto *own = dynamic_cast<const dispatch_type_info *>(vtable_side);
    const UINT base_slots = slot_count(referenced(vtable_side, 0).get());
    const std::vector<member_info> *members = own ? &own->description().members : nullptr;
    if (!members || slot < base_slots || slot - base_slots >= members->size() ||
        !(*members)[slot - base_slots].vtable_only)
        throw com_error(E_UNEXPECTED, u"dump_idl",
                        u"An interface table has a slot its type information does not describe.");
    const member_info &m = (*members)[slot - base_slots];

    std::vector<std::string> words{id_attribute(m.id)};
    if (m.kind == INVOKE_PROPERTYGET)
        words.emplace_back("propget");
    else if (m.kind == INVOKE_PROPERTYPUT)
        words.emplace_back("propput");
    else if (m.kind == INVOKE_PROPERTYPUTREF)
        words.emplace_back("propputref");
    const std::vector<std::string> flags = func_flag_words(static_cast<WORD>(m.func_flags | FUNCFLAG_FRESTRICTED |
                                                                               FUNCFLAG_FHIDDEN));
    words.insert(words.end(), flags.begin(), flags.end());

    std::string line = attribute_list(words) + "HRESULT " + utf16_to_utf8(m.name) + "(";
    for (size_t i = 0; i < m.params.size(); ++i) {
        const param &p = m.params[i];
        line += (i ? ", " : "") + std::string(p.type & VT_BYREF ? "[in, out] " : "[in] ") +
                described_type(p.type, p.type_name, declared) + " " + (p.name ? utf16_to_utf8(p.name) : "rhs");
    }
    if (m.result != VT_EMPTY)
        line += (m.params.empty() ? "" : ", ") + std::string("[out, retval] ") +
                described_type(m.result, m.result_type_name, declared) + "* result";
    return line + ");";
}

void dual_interface(ITypeInfo *disp, const declared_names &declared, std::string &out)
{
    com_ptr<ITypeInfo> vtable = referenced(disp, static_cast<UINT>(-1));
    const std::string base = document(referenced(vtable.get(), 0).get(), MEMBERID_NIL).name;
    const UINT base_slots = slot_count(referenced(vtable.get(), 0).get());
    const UINT slots = slot_count(vtable.get());
    {
        const type_attr attr(disp);
        out += kIndent + attribute_list(head_words(disp, *attr.operator->())) + "interface " +
               document(disp, MEMBERID_NIL).name + " : " + base + " {\n";
    }
    const std::string in2 = std::string(kIndent) + kIndent;
    UINT slot = base_slots;
    UINT funcs = 0;
    {
        const type_attr attr(vtable.get());
        funcs = attr->cFuncs;
    }
    for (UINT i = 0; i < funcs; ++i) {
        UINT at = 0;
        {
            func_desc f(vtable.get(), i);
            at = static_cast<UINT>(f->oVft) / sizeof(void *);
        }
        for (; slot < at; ++slot)
            out += in2 + vtable_only_line(vtable.get(), slot, declared) + "\n";
        out += in2 + function_line(vtable.get(), i, &declared) + "\n";
        slot = at + 1;
    }
    for (; slot < slots; ++slot)
        out += in2 + vtable_only_line(vtable.get(), slot, declared) + "\n";
    out += std::string(kIndent) + "};\n";
}

}  // namespace oleaut::disp::idl
