// The words of the IDL rendering: GUIDs, string literals, types and attribute flags.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "type_idl.hpp"

namespace oleaut::disp::idl {

std::string guid_text(const GUID &guid)
{
    char text[40];
    std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", guid.Data1, guid.Data2,
                  guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
                  guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

std::string quoted(std::u16string_view text)
{
    std::string out = "\"";
    for (char c : utf16_to_utf8(text)) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string id_attribute(MEMBERID id)
{
    char text[24];
    std::snprintf(text, sizeof text, "id(0x%08x)", static_cast<unsigned>(id));
    return text;
}

documentation document(ITypeInfo *t, MEMBERID memid)
{
    bstr name, doc;
    check(t->GetDocumentation(memid, name.put(), doc.put(), nullptr, nullptr));
    return {name.utf8(), doc.utf8(), !doc.is_null()};
}

std::vector<std::string> names_of(ITypeInfo *t, MEMBERID memid, UINT max_names)
{
    std::vector<BSTR> raw(max_names, nullptr);
    UINT count = 0;
    check(t->GetNames(memid, raw.data(), max_names, &count));
    std::vector<bstr> owned;
    owned.reserve(count);  // so that taking ownership cannot throw and leak the rest
    for (UINT i = 0; i < count; ++i)
        owned.push_back(bstr::attach(raw[i]));
    std::vector<std::string> names;
    for (const bstr &b : owned)
        names.push_back(b.utf8());
    return names;
}

namespace {

template <class Flag>
std::vector<std::string> words_for(unsigned flags, std::initializer_list<std::pair<Flag, const char *>> table)
{
    std::vector<std::string> words;
    for (const auto &[flag, word] : table)
        if (flags & static_cast<unsigned>(flag))
            words.emplace_back(word);
    return words;
}

}  // namespace

namespace {

// A named type as a declaration refers to it: by its name when the library lists it (or
// it is one of the two bases), else by the base of its kind.
std::string referenced_name(ITypeInfo *named, const declared_names *declared)
{
    std::string name = document(named, MEMBERID_NIL).name;
    if (!declared || name == "IDispatch" || name == "IUnknown" ||
        std::find(declared->begin(), declared->end(), name) != declared->end())
        return name;
    const type_attr attr(named);
    if (attr->typekind == TKIND_DISPATCH)
        return "IDispatch";
    if (attr->typekind == TKIND_INTERFACE)
        return "IUnknown";
    return name;
}

}  // namespace

std::string type_text(ITypeInfo *owner, const TYPEDESC &type, const declared_names *declared)
{
    switch (type.vt) {
    case VT_PTR: return type_text(owner, *type.lptdesc, declared) + "*";
    case VT_SAFEARRAY: return "SAFEARRAY(" + type_text(owner, *type.lptdesc, declared) + ")";
    case VT_USERDEFINED: {
        com_ptr<ITypeInfo> named;
        check(owner->GetRefTypeInfo(type.hreftype, named.put()));
        return referenced_name(named.get(), declared);
    }
    default:
        if (const char *name = vartype_word(type.vt))
            return name;
        // A type IDL has no word for still shows which one it is.
        char text[24];
        std::snprintf(text, sizeof text, "VARTYPE(%u)", static_cast<unsigned>(type.vt));
        return text;
    }
}

std::vector<std::string> type_flag_words(WORD flags, TYPEKIND kind)
{
    std::vector<std::string> words = words_for<TYPEFLAGS>(
        flags, {{TYPEFLAG_FAPPOBJECT, "appobject"},
                {TYPEFLAG_FLICENSED, "licensed"},
                {TYPEFLAG_FPREDECLID, "predeclid"},
                {TYPEFLAG_FHIDDEN, "hidden"},
                {TYPEFLAG_FCONTROL, "control"},
                {TYPEFLAG_FDUAL, "dual"},
                {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"},
                {TYPEFLAG_FOLEAUTOMATION, "oleautomation"},
                {TYPEFLAG_FRESTRICTED, "restricted"},
                {TYPEFLAG_FAGGREGATABLE, "aggregatable"},
                {TYPEFLAG_FREPLACEABLE, "replaceable"},
                {TYPEFLAG_FREVERSEBIND, "reversebind"},
                {TYPEFLAG_FPROXY, "proxy"}});
    // IDL marks the classes that cannot be created, not the ones that can.
    if (kind == TKIND_COCLASS && !(flags & TYPEFLAG_FCANCREATE))
        words.emplace_back("noncreatable");
    return words;
}

std::vector<std::string> func_flag_words(WORD flags)
{
    return words_for<FUNCFLAGS>(flags, {{FUNCFLAG_FRESTRICTED, "restricted"},
                                        {FUNCFLAG_FSOURCE, "source"},
                                        {FUNCFLAG_FBINDABLE, "bindable"},
                                        {FUNCFLAG_FREQUESTEDIT, "requestedit"},
                                        {FUNCFLAG_FDISPLAYBIND, "displaybind"},
                                        {FUNCFLAG_FDEFAULTBIND, "defaultbind"},
                                        {FUNCFLAG_FHIDDEN, "hidden"},
                                        {FUNCFLAG_FUSESGETLASTERROR, "usesgetlasterror"},
                                        {FUNCFLAG_FDEFAULTCOLLELEM, "defaultcollelem"},
                                        {FUNCFLAG_FUIDEFAULT, "uidefault"},
                                        {FUNCFLAG_FNONBROWSABLE, "nonbrowsable"},
                                        {FUNCFLAG_FREPLACEABLE, "replaceable"},
                                        {FUNCFLAG_FIMMEDIATEBIND, "immediatebind"}});
}

std::vector<std::string> param_flag_words(USHORT flags)
{
    return words_for<int>(flags, {{PARAMFLAG_FIN, "in"},
                                  {PARAMFLAG_FOUT, "out"},
                                  {PARAMFLAG_FLCID, "lcid"},
                                  {PARAMFLAG_FRETVAL, "retval"},
                                  {PARAMFLAG_FOPT, "optional"}});
}

std::vector<std::string> impl_flag_words(INT flags)
{
    return words_for<int>(static_cast<unsigned>(flags), {{IMPLTYPEFLAG_FDEFAULT, "default"},
                                                         {IMPLTYPEFLAG_FSOURCE, "source"},
                                                         {IMPLTYPEFLAG_FRESTRICTED, "restricted"},
                                                         {IMPLTYPEFLAG_FDEFAULTVTABLE, "defaultvtable"}});
}

std::vector<std::string> head_words(ITypeInfo *t, const TYPEATTR &attr)
{
    const documentation doc = document(t, MEMBERID_NIL);
    std::vector<std::string> words;
    if (!IsEqualGUID(attr.guid, GUID_NULL))
        words.push_back("uuid(" + guid_text(attr.guid) + ")");
    if (doc.has_doc)
        words.push_back("helpstring(" + quoted(utf8_to_utf16(doc.doc)) + ")");
    const std::vector<std::string> flags = type_flag_words(attr.wTypeFlags, attr.typekind);
    words.insert(words.end(), flags.begin(), flags.end());
    return words;
}

std::string attribute_list(const std::vector<std::string> &words)
{
    if (words.empty())
        return "";
    std::string out = "[";
    for (size_t i = 0; i < words.size(); ++i)
        out += (i ? ", " : "") + words[i];
    return out + "] ";
}

}  // namespace oleaut::disp::idl
