// render_idl (dump_idl to clients): a library rendered as IDL that widl compiles where
// every type the library names is one of its own or an automation base, one declaration
// per line. Everything is read back through ITypeLib and ITypeInfo, so the text shows
// what a client of the type information sees, not what the tables say. Enumerations come
// first and classes last, because IDL declares a type before it is used.
#include "type_library_build.hpp"
#include "oleaut/variant.hpp"
#include "type_idl.hpp"

namespace oleaut::disp {

namespace {

using namespace idl;

const char *invoke_word(INVOKEKIND kind)
{
    switch (kind) {
    case INVOKE_PROPERTYGET: return "propget";
    case INVOKE_PROPERTYPUT: return "propput";
    case INVOKE_PROPERTYPUTREF: return "propputref";
    default: return nullptr;
    }
}

std::string param_name(const FUNCDESC &f, SHORT i, const std::vector<std::string> &names)
{
    if (static_cast<size_t>(i) + 1 < names.size() && !names[i + 1].empty())
        return names[i + 1];
    if (f.lprgelemdescParam[i].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)
        return "result";
    // A property's value has no name of its own; on a vtable it sits before any result.
    const bool put = f.invkind == INVOKE_PROPERTYPUT || f.invkind == INVOKE_PROPERTYPUTREF;
    if (put && i + 1 == f.cParams)
        return "rhs";
    return "p" + std::to_string(i);
}

// One variable of a dispatch interface: "[id(0x00000001)] long Count;"
std::string property_line(ITypeInfo *t, UINT index)
{
    var_desc v(t, index);
    return attribute_list({id_attribute(v->memid)}) + type_text(t, v->elemdescVar.tdesc) + " " +
           document(t, v->memid).name + ";";
}

void dispinterface(ITypeInfo *t, const TYPEATTR *attr, std::string &out)
{
    const std::string in2 = std::string(kIndent) + kIndent;
    out += kIndent + attribute_list(head_words(t, *attr)) + "dispinterface " + document(t, MEMBERID_NIL).name +
           " {\n";
    out += in2 + "properties:\n";
    for (UINT i = 0; i < attr->cVars; ++i)
        out += in2 + kIndent + property_line(t, i) + "\n";
    out += in2 + "methods:\n";
    for (UINT i = 0; i < attr->cFuncs; ++i)
        out += in2 + kIndent + function_line(t, i) + "\n";
    out += std::string(kIndent) + "};\n";
}

void coclass(ITypeInfo *t, const TYPEATTR *attr, std::string &out)
{
    out += kIndent + attribute_list(head_words(t, *attr)) + "coclass " + document(t, MEMBERID_NIL).name + " {\n";
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        check(t->GetImplTypeFlags(i, &flags));
        check(t->GetRefTypeOfImplType(i, &ref));
        com_ptr<ITypeInfo> impl;
        check(t->GetRefTypeInfo(ref, impl.put()));
        const type_attr impl_attr(impl.get());
        // A dual interface is declared as an interface, so the class names it as one.
        const bool dispatch_only = impl_attr->typekind == TKIND_DISPATCH && !(impl_attr->wTypeFlags & TYPEFLAG_FDUAL);
        out += std::string(kIndent) + kIndent + attribute_list(impl_flag_words(flags)) +
               (dispatch_only ? "dispinterface " : "interface ") + document(impl.get(), MEMBERID_NIL).name + ";\n";
    }
    out += std::string(kIndent) + "};\n";
}

std::string constant_value(const VARIANT &value)
{
    if (value.vt == VT_I4)
        return std::to_string(value.lVal);
    return oleaut::variant(value).to_bstr().utf8();
}

void enumeration(ITypeInfo *t, const TYPEATTR *attr, std::string &out)
{
    // The tag repeats the name: without one widl gives the GUID to two types and warns.
    const std::string name = document(t, MEMBERID_NIL).name;
    out += std::string(kIndent) + "typedef " + attribute_list(head_words(t, *attr)) + "enum " + name + " {\n";
    for (UINT i = 0; i < attr->cVars; ++i) {
        var_desc v(t, i);
        out += std::string(kIndent) + kIndent + document(t, v->memid).name + " = " + constant_value(*v->lpvarValue) +
               (i + 1 < attr->cVars ? ",\n" : "\n");
    }
    out += std::string(kIndent) + "} " + name + ";\n";
}

// Where a kind goes in the text: enumerations, then interfaces, then classes.
int rank_of(TYPEKIND kind)
{
    switch (kind) {
    case TKIND_ENUM: return 0;
    case TKIND_COCLASS: return 2;
    default: return 1;
    }
}

void any_type(ITypeInfo *t, const declared_names &declared, std::string &out)
{
    const type_attr attr(t);
    switch (attr->typekind) {
    case TKIND_DISPATCH:
        if (attr->wTypeFlags & TYPEFLAG_FDUAL)
            dual_interface(t, declared, out);
        else
            dispinterface(t, attr.operator->(), out);
        break;
    case TKIND_COCLASS: coclass(t, attr.operator->(), out); break;
    case TKIND_ENUM: enumeration(t, attr.operator->(), out); break;
    default:
        // Kinds the descriptions cannot produce are named, not dropped silently.
        out += std::string(kIndent) + "// " + document(t, MEMBERID_NIL).name + ": type kind " +
               std::to_string(attr->typekind) + " is not rendered\n";
        break;
    }
}

std::string library_head(ITypeLib *lib)
{
    TLIBATTR *raw = nullptr;
    check(lib->GetLibAttr(&raw));
    const TLIBATTR attr = *raw;
    lib->ReleaseTLibAttr(raw);

    bstr name, doc;
    check(lib->GetDocumentation(-1, name.put(), doc.put(), nullptr, nullptr));
    std::vector<std::string> words{"uuid(" + guid_text(attr.guid) + ")",
                                   "version(" + std::to_string(attr.wMajorVerNum) + "." +
                                       std::to_string(attr.wMinorVerNum) + ")",
                                   "lcid(" + std::to_string(attr.lcid) + ")"};
    if (!doc.is_null())
        words.push_back("helpstring(" + quoted(doc.view()) + ")");
    // IDispatch, VARIANT and BSTR are declared by oaidl.idl; the library refers to the
    // automation types of stdole2.tlb instead of copying them.
    return "import \"oaidl.idl\";\n\n" + attribute_list(words) + "library " + name.utf8() + " {\n" + kIndent +
           "importlib(\"stdole2.tlb\");\n";
}

}  // namespace

namespace idl {

std::string function_line(ITypeInfo *t, UINT index, const declared_names *declared)
{
    func_desc f(t, index);
    const documentation doc = document(t, f->memid);
    std::vector<std::string> words{id_attribute(f->memid)};
    if (const char *kind = invoke_word(f->invkind))
        words.emplace_back(kind);
    const std::vector<std::string> flags = func_flag_words(f->wFuncFlags);
    words.insert(words.end(), flags.begin(), flags.end());
    if (doc.has_doc)
        words.push_back("helpstring(" + quoted(utf8_to_utf16(doc.doc)) + ")");

    const std::vector<std::string> names = names_of(t, f->memid, static_cast<UINT>(f->cParams) + 1);
    std::string line = attribute_list(words) + type_text(t, f->elemdescFunc.tdesc, declared) + " " + doc.name + "(";
    for (SHORT i = 0; i < f->cParams; ++i) {
        const ELEMDESC &p = f->lprgelemdescParam[i];
        line += (i ? ", " : "") + attribute_list(param_flag_words(p.paramdesc.wParamFlags)) +
                type_text(t, p.tdesc, declared) + " " + param_name(*f.operator->(), i, names);
    }
    return line + ");";
}

}  // namespace idl

std::string render_idl(ITypeLib *lib)
{
    if (!lib)
        throw com_error(E_POINTER, u"dump_idl", u"No type library was given to render.");
    std::string out = library_head(lib);

    const UINT count = lib->GetTypeInfoCount();
    std::vector<com_ptr<ITypeInfo>> types(count);
    declared_names declared;
    for (UINT i = 0; i < count; ++i) {
        check(lib->GetTypeInfo(i, types[i].put()));
        declared.push_back(document(types[i].get(), MEMBERID_NIL).name);
    }
    for (int rank = 0; rank <= 2; ++rank) {
        for (UINT i = 0; i < count; ++i) {
            TYPEKIND kind = TKIND_MAX;
            check(lib->GetTypeInfoType(i, &kind));
            if (rank_of(kind) == rank)
                any_type(types[i].get(), declared, out);
        }
    }
    return out + "};\n";
}

}  // namespace oleaut::disp
