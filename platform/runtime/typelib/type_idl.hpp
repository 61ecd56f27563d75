// Pieces of the IDL-like rendering of a type library, each read through the COM
// interfaces only (ITypeLib, ITypeInfo), never from the descriptions. Failures of the
// interfaces are thrown as com_error.
#ifndef OLEAUT_DISPATCH_TYPE_IDL_HPP
#define OLEAUT_DISPATCH_TYPE_IDL_HPP

#include <string>
#include <string_view>
#include <vector>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/idl_words.hpp"

namespace oleaut::disp::idl {

// Descriptor blocks borrowed from a type info and handed back by its Release* on scope exit.
class type_attr {
public:
    explicit type_attr(ITypeInfo *t) : t_(t) { check(t->GetTypeAttr(&a_)); }
    type_attr(const type_attr &) = delete;
    type_attr &operator=(const type_attr &) = delete;
    ~type_attr() { t_->ReleaseTypeAttr(a_); }
    const TYPEATTR *operator->() const noexcept { return a_; }

private:
    ITypeInfo *t_;
    TYPEATTR *a_ = nullptr;
};

class func_desc {
public:
    func_desc(ITypeInfo *t, UINT index) : t_(t) { check(t->GetFuncDesc(index, &f_)); }
    func_desc(const func_desc &) = delete;
    func_desc &operator=(const func_desc &) = delete;
    ~func_desc() { t_->ReleaseFuncDesc(f_); }
    const FUNCDESC *operator->() const noexcept { return f_; }

private:
    ITypeInfo *t_;
    FUNCDESC *f_ = nullptr;
};

class var_desc {
public:
    var_desc(ITypeInfo *t, UINT index) : t_(t) { check(t->GetVarDesc(index, &v_)); }
    var_desc(const var_desc &) = delete;
    var_desc &operator=(const var_desc &) = delete;
    ~var_desc() { t_->ReleaseVarDesc(v_); }
    const VARDESC *operator->() const noexcept { return v_; }

private:
    ITypeInfo *t_;
    VARDESC *v_ = nullptr;
};

// "11111111-2222-3333-4444-555555555555", upper-case, no braces.
std::string guid_text(const GUID &guid);
// A string literal for an attribute: helpstring("say \"hi\"").
std::string quoted(std::u16string_view text);
// "0x60030002".
std::string id_attribute(MEMBERID id);

// The name and doc string of a type (memid MEMBERID_NIL) or of one of its members.
struct documentation {
    std::string name;
    std::string doc;
    bool has_doc = false;
};
documentation document(ITypeInfo *t, MEMBERID memid);
// GetNames for a member: its name, then as many parameter names as the type lists.
std::vector<std::string> names_of(ITypeInfo *t, MEMBERID memid, UINT max_names);

// The names of the types a library lists: an interface named anywhere else is foreign
// to it, and a compilable declaration can only name it by its base (IDispatch, IUnknown).
using declared_names = std::vector<std::string>;

// A type as IDL writes it ("short", "VARIANT*", "Chart*", "SAFEARRAY(BSTR)"); named
// types are looked up through `owner`'s GetRefTypeInfo. With `declared`, an interface
// the library does not list is written as the base it is known by ("IDispatch*").
std::string type_text(ITypeInfo *owner, const TYPEDESC &type, const declared_names *declared = nullptr);
using oleaut::disp::vartype_word;  // the IDL word of a plain variant type, or nullptr

// One function: "[id(0x00000001), propget] BSTR Name([in] short index);". A result
// parameter without a name of its own is "result", a property's value "rhs".
std::string function_line(ITypeInfo *t, UINT index, const declared_names *declared = nullptr);

// A dual interface as the interface IDL declares ("interface _cX : IDispatch { ... };"),
// read from its vtable side: every slot after IDispatch's in order, HRESULT results.
// `disp` is the dispatch side the library lists.
void dual_interface(ITypeInfo *disp, const declared_names &declared, std::string &out);
// The declaration of an interface-table slot the type information leaves out (a member
// kept in the vtable for binary compatibility, never offered to Invoke): written from the
// runtime's own description as [restricted, hidden]. Throws when `vtable_side` is not
// one of the runtime's types or `slot` is not such a member.
std::string vtable_only_line(ITypeInfo *vtable_side, UINT slot, const declared_names &declared);

inline constexpr const char *kIndent = "    ";

// Attribute words in a fixed order, to append after uuid/helpstring.
std::vector<std::string> type_flag_words(WORD flags, TYPEKIND kind);
std::vector<std::string> func_flag_words(WORD flags);
std::vector<std::string> param_flag_words(USHORT flags);
std::vector<std::string> impl_flag_words(INT flags);

// A type's leading words: uuid (left out for GUID_NULL) and helpstring, then its flags.
std::vector<std::string> head_words(ITypeInfo *t, const TYPEATTR &attr);

// "[a, b, c] " for a non-empty list, "" for an empty one.
std::string attribute_list(const std::vector<std::string> &words);

}  // namespace oleaut::disp::idl

#endif
