// The kinds of type information built from descriptions: dispatch interfaces (and the
// interface side of a dual one), enumerations, classes, and the imported types that
// only know their name.
#ifndef OLEAUT_DISPATCH_TYPE_INFO_KINDS_HPP
#define OLEAUT_DISPATCH_TYPE_INFO_KINDS_HPP

#include <optional>

#include "oleaut/dispatch/describe.hpp"
#include "type_family.hpp"

namespace oleaut::disp {

// How a dispatch interface's functions are shown: as dispatch members (TKIND_DISPATCH)
// or as the vtable of a dual interface (TKIND_INTERFACE: HRESULT results, the declared
// result as an [out, retval] parameter).
enum class function_form { dispatch, vtable };

class dispatch_type_info final : public type_info_base {
public:
    dispatch_type_info(type_family &family, const interface_info &iface, function_form form);

    // Computes the functions and their references; creates the interface side of a dual
    // interface. Runs once, after every type the library lists exists.
    void link();
    const interface_info &description() const noexcept { return iface_; }

protected:
    void fill_type_attr(TYPEATTR &attr) const override;
    const std::vector<func_layout> *functions() const override { return &functions_; }
    UINT impl_type_count() const override { return 1; }
    std::optional<HREFTYPE> impl_type(UINT index) const override;
    HRESULT invoke_member(void *instance, MEMBERID memid, WORD flags, DISPPARAMS *params, VARIANT *result,
                          EXCEPINFO *excep, UINT *arg_err) override;

private:
    void link_to_other_side(dispatch_type_info &other) noexcept;

    const interface_info &iface_;
    function_form form_;
    std::vector<func_layout> functions_;
    HREFTYPE base_ = 0;
    std::optional<HREFTYPE> other_side_;
};

class enum_type_info final : public type_info_base {
public:
    // Constants get member ids kFirstConstantId + their index in the description.
    static constexpr MEMBERID kFirstConstantId = 0x40000000;

    enum_type_info(type_family &family, const enum_info &desc);
    const enum_info &description() const noexcept { return desc_; }

protected:
    void fill_type_attr(TYPEATTR &attr) const override;
    UINT var_count() const override { return static_cast<UINT>(desc_.constants.size()); }
    VARDESC *make_var_desc(UINT index) const override;

private:
    const enum_info &desc_;
};

class coclass_type_info final : public type_info_base {
public:
    coclass_type_info(type_family &family, const coclass_info &desc);
    // Refers to the default interface's type: `listed` when the library lists it, else a
    // type made for it here.
    void link(dispatch_type_info *listed);
    const coclass_info &description() const noexcept { return desc_; }

protected:
    void fill_type_attr(TYPEATTR &attr) const override;
    UINT impl_type_count() const override { return default_ ? 1 : 0; }
    std::optional<HREFTYPE> impl_type(UINT index) const override;
    INT impl_type_flags(UINT index) const override;

private:
    const coclass_info &desc_;
    std::optional<HREFTYPE> default_;
};

// A type known only by name (and, for IDispatch and IUnknown, its IID): what a library
// refers to but does not define.
class imported_type_info final : public type_info_base {
public:
    imported_type_info(type_family &family, std::u16string_view name, TYPEKIND kind, const GUID &guid);
    // The interface this one derives from, if it is known.
    void set_base(HREFTYPE base) noexcept { base_ = base; }

protected:
    void fill_type_attr(TYPEATTR &attr) const override;
    UINT impl_type_count() const override { return base_ ? 1 : 0; }
    std::optional<HREFTYPE> impl_type(UINT index) const override;

private:
    std::optional<HREFTYPE> base_;
};

}  // namespace oleaut::disp

#endif
