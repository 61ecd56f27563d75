// render_idl (dump_idl to clients): a library rendered as IDL-like text, one
// declaration per line, in the library's order. Everything is read back through ITypeLib and ITypeInfo, so the text
// shows what a client of the type information sees, not what the tables say.
#include "type_library_build.hpp"
#include "oleaut/variant.hpp"
#include "type_idl.hpp"

namespace oleaut::disp {

namespace {

using namespace idl;

constexpr const char *kIndent = "    ";

// uuid and helpstring first, then the flag words; GUID_NULL is left out.
std::vector<std::string> head_words(const GUID &guid, const documentation &doc)
{
    std::vector<std::string> words;
    if (!IsEqualGUID(guid, GUID_NULL))
        words.push_back("uuid(" + guid_text(guid) + ")");
    if (doc.has_doc)
        words.push_back("helpstring(" + quoted(utf8_to_utf16(doc.doc)) + ")");
    return words;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const char *invoke_word(INVOKEKIND kind)
{
    switch (kind) {
    case INVOKE_PROPERTYGET: return "propget";
    case INVOKE_PROPERTYPUT: return "propput";
    case INVOKE_PROPERTYPUTREF: return "propputref";
    default: return nullptr;
    }
}

// One function: "[id(0x00000001), propget] BSTR Name([in] short index);"
std::string function_line(ITypeInfo *t, UINT index)
{
    func_desc f(t, index);
    const documentation doc = document(t, f->memid);
    std::vector<std::string> words{id_attribute(f->memid)};
    if (const char *kind = invoke_word(f->invkind))
        words.emplace_back(kind);
    words = words + func_flag_words(f->wFuncFlags);
    if (doc.has_doc)
        words.push_back("helpstring(" + quoted(utf8_to_utf16(doc.doc)) + ")");

    const std::vector<std::string> names = names_of(t, f->memid, static_cast<UINT>(f->cParams) + 1);
    std::string line = attribute_list(words) + type_text(t, f->elemdescFunc.tdesc) + " " + doc.name + "(";
    for (SHORT i = 0; i < f->cParams; ++i) {
        const ELEMDESC &p = f->lprgelemdescParam[i];
        std::string name;
        if (static_cast<size_t>(i) + 1 < names.size())
            name = names[i + 1];
        else if (i + 1 == f->cParams && (f->invkind == INVOKE_PROPERTYPUT || f->invkind == INVOKE_PROPERTYPUTREF))
            name = "rhs";  // a property's value has no name of its own
        else
            name = "p" + std::to_string(i);
        line += (i ? ", " : "") + attribute_list(param_flag_words(p.paramdesc.wParamFlags)) + type_text(t, p.tdesc) +
                " " + name;
    }
    return line + ");";
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
    const documentation doc = document(t, MEMBERID_NIL);
    out += kIndent + attribute_list(head_words(attr->guid, doc) + type_flag_words(attr->wTypeFlags, attr->typekind)) +
           "dispinterface " + doc.name + " {\n";
    out += std::string(kIndent) + kIndent + "properties:\n";
    for (UINT i = 0; i < attr->cVars; ++i)
        out += std::string(kIndent) + kIndent + kIndent + property_line(t, i) + "\n";
    out += std::string(kIndent) + kIndent + "methods:\n";
    for (UINT i = 0; i < attr->cFuncs; ++i)
        out += std::string(kIndent) + kIndent + kIndent + function_line(t, i) + "\n";
    out += std::string(kIndent) + "};\n";
}

void coclass(ITypeInfo *t, const TYPEATTR *attr, std::string &out)
{
    const documentation doc = document(t, MEMBERID_NIL);
    out += kIndent + attribute_list(head_words(attr->guid, doc) + type_flag_words(attr->wTypeFlags, attr->typekind)) +
           "coclass " + doc.name + " {\n";
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        check(t->GetImplTypeFlags(i, &flags));
        check(t->GetRefTypeOfImplType(i, &ref));
        com_ptr<ITypeInfo> impl;
        check(t->GetRefTypeInfo(ref, impl.put()));
        const type_attr impl_attr(impl.get());
        const char *keyword = impl_attr->typekind == TKIND_DISPATCH ? "dispinterface " : "interface ";
        out += std::string(kIndent) + kIndent + attribute_list(impl_flag_words(flags)) + keyword +
               document(impl.get(), MEMBERID_NIL).name + ";\n";
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
    const documentation doc = document(t, MEMBERID_NIL);
    out += std::string(kIndent) + "typedef " +
           attribute_list(head_words(attr->guid, doc) + type_flag_words(attr->wTypeFlags, attr->typekind)) + "enum {\n";
    for (UINT i = 0; i < attr->cVars; ++i) {
        var_desc v(t, i);
        out += std::string(kIndent) + kIndent + document(t, v->memid).name + " = " + constant_value(*v->lpvarValue) +
               (i + 1 < attr->cVars ? ",\n" : "\n");
    }
    out += std::string(kIndent) + "} " + doc.name + ";\n";
}

void any_type(ITypeInfo *t, std::string &out)
{
    const type_attr attr(t);
    switch (attr->typekind) {
    case TKIND_DISPATCH: dispinterface(t, attr.operator->(), out); break;
    case TKIND_COCLASS: coclass(t, attr.operator->(), out); break;
    case TKIND_ENUM: enumeration(t, attr.operator->(), out); break;
    default:
        // Kinds the descriptions cannot produce are named, not dropped silently.
        out += std::string(kIndent) + "// " + document(t, MEMBERID_NIL).name + ": type kind " +
               std::to_string(attr->typekind) + " is not rendered\n";
        break;
    }
}

}  // namespace

std::string render_idl(ITypeLib *lib)
{
    if (!lib)
        throw com_error(E_POINTER, u"dump_idl", u"No type library was given to render.");
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

    std::string out = attribute_list(words) + "library " + name.utf8() + " {\n";
    const UINT count = lib->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        com_ptr<ITypeInfo> t;
        check(lib->GetTypeInfo(i, t.put()));
        any_type(t.get(), out);
    }
    return out + "};\n";
}

}  // namespace oleaut::disp
