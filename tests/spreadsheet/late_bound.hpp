// Late-bound calls for tests, the way an automation client makes them: the member
// and any named arguments are looked up with GetIDsOfNames, the arguments go to Invoke
// as the caller's own VARIANTs (positional ones last-first, named ones first), and a
// failure comes back as the com_error the callee reported (number, source,
// description from EXCEPINFO). Works with any IDispatch, not only the host's.
//
//   late_bound app = late_bound::attach(new_application());
//   app.put(u"Visible", variant::boolean(false));
//   late_bound book = app.object(u"Workbooks").call_object(u"Add");
//   fill.call(u"OneColorGradient", {}, {{u"Style", variant::i2(1)}, {u"Variant", variant::i2(1)},
//                                       {u"Degree", variant::r8(0.231372549019608)}});
#ifndef TESTS_SPREADSHEET_LATE_BOUND_HPP
#define TESTS_SPREADSHEET_LATE_BOUND_HPP

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "oleaut/com_error.hpp"
#include "oleaut/variant.hpp"

namespace test_support {

// One named argument: the parameter's name as the callee declares it, and its value.
struct named_arg {
    std::u16string name;
    oleaut::variant value;
};

class late_bound {
public:
    late_bound() = default;
    explicit late_bound(oleaut::com_ptr<IDispatch> d) : d_(std::move(d)) {}
    // Adopts a reference the caller owns.
    static late_bound attach(IDispatch *d) { return late_bound(oleaut::com_ptr<IDispatch>::attach(d)); }
    // The object a VT_DISPATCH result holds; throws when the value is not an object.
    static late_bound from(const oleaut::variant &v)
    {
        if (v.vt != VT_DISPATCH)
            throw oleaut::com_error(DISP_E_TYPEMISMATCH, u"late_bound", u"the value is not an object");
        return late_bound(oleaut::com_ptr<IDispatch>(v.pdispVal));
    }

    IDispatch *get() const { return d_.get(); }
    explicit operator bool() const { return static_cast<bool>(d_); }
    void reset() { d_.reset(); }

    // The general call. `positional` is in declaration order.
    oleaut::variant invoke(std::u16string_view member, WORD flags, std::vector<oleaut::variant> positional = {},
                           std::vector<named_arg> named = {}, DISPID *put_id = nullptr) const
    {
        if (!d_)
            throw oleaut::com_error(E_POINTER, u"late_bound", u"call of " + std::u16string(member) + u" on Nothing");
        std::vector<std::u16string> names{std::u16string(member)};
        for (const named_arg &n : named)
            names.push_back(n.name);
        std::vector<LPOLESTR> name_ptrs;
        for (std::u16string &n : names)
            name_ptrs.push_back(n.data());
        std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
        HRESULT hr = d_->GetIDsOfNames(IID_NULL, name_ptrs.data(), static_cast<UINT>(names.size()), LOCALE_EN_US,
                                       ids.data());
        if (FAILED(hr))
            throw oleaut::com_error(hr, u"late_bound", u"unknown name among " + joined(names));

        // Named arguments first (in the order given), then the positional ones last-first.
        // The VARIANTs are the caller's, borrowed for the call, as clients pass them.
        std::vector<VARIANT> args;
        std::vector<DISPID> arg_ids;
        oleaut::variant put_value;
        if (put_id) {
            put_value = std::move(positional.back());
            positional.pop_back();
            args.push_back(put_value);
            arg_ids.push_back(*put_id);
        }
        for (size_t i = 0; i < named.size(); ++i) {
            args.push_back(named[i].value);
            arg_ids.push_back(ids[i + 1]);
        }
        for (auto it = positional.rbegin(); it != positional.rend(); ++it)
            args.push_back(*it);
        DISPPARAMS dp{args.data(), arg_ids.data(), static_cast<UINT>(args.size()), static_cast<UINT>(arg_ids.size())};
        oleaut::variant result;
        EXCEPINFO ei{};
        UINT arg_err = 0;
        hr = d_->Invoke(ids[0], IID_NULL, LOCALE_EN_US, flags, &dp, result.put(), &ei, &arg_err);
        if (FAILED(hr))
            throw oleaut::com_error::from_invoke(hr, ei);
        return result;
    }

    // Property get (with indexes, if any).
    oleaut::variant get(std::u16string_view member, std::vector<oleaut::variant> indexes = {}) const
    {
        return invoke(member, DISPATCH_PROPERTYGET, std::move(indexes));
    }
    late_bound object(std::u16string_view member, std::vector<oleaut::variant> indexes = {}) const
    {
        return from(get(member, std::move(indexes)));
    }
    // Property put: the value travels as the named argument DISPID_PROPERTYPUT.
    void put(std::u16string_view member, oleaut::variant value, std::vector<oleaut::variant> indexes = {}) const
    {
        indexes.push_back(std::move(value));
        DISPID put_id = DISPID_PROPERTYPUT;
        invoke(member, DISPATCH_PROPERTYPUT, std::move(indexes), {}, &put_id);
    }
    void put_ref(std::u16string_view member, const late_bound &value) const
    {
        DISPID put_id = DISPID_PROPERTYPUT;
        invoke(member, DISPATCH_PROPERTYPUTREF, {oleaut::variant::dispatch(value.get())}, {}, &put_id);
    }
    // Method call.
    oleaut::variant call(std::u16string_view member, std::vector<oleaut::variant> positional = {},
                         std::vector<named_arg> named = {}) const
    {
        return invoke(member, DISPATCH_METHOD, std::move(positional), std::move(named));
    }
    late_bound call_object(std::u16string_view member, std::vector<oleaut::variant> positional = {},
                           std::vector<named_arg> named = {}) const
    {
        return from(call(member, std::move(positional), std::move(named)));
    }
    // This object as an argument.
    oleaut::variant as_arg() const { return oleaut::variant::dispatch(d_.get()); }

private:
    static std::u16string joined(const std::vector<std::u16string> &names)
    {
        std::u16string out;
        for (const auto &n : names)
            out += (out.empty() ? u"" : u", ") + n;
        return out;
    }

    oleaut::com_ptr<IDispatch> d_;
};

// The com_error that f throws; a test failure (and an empty error) when it throws none.
template <class F>
oleaut::com_error error_of(F &&f)
{
    try {
        f();
    } catch (const oleaut::com_error &e) {
        return e;
    }
    ADD_FAILURE() << "the call succeeded, but a failure was expected";
    return oleaut::com_error(S_OK, u"", u"");
}

// Text of a VT_BSTR result (empty for a null string); a test failure for anything else.
inline std::u16string text(const oleaut::variant &v)
{
    EXPECT_EQ(v.vt, VT_BSTR);
    return v.vt == VT_BSTR && v.bstrVal ? std::u16string(v.bstrVal, SysStringLen(v.bstrVal)) : std::u16string();
}

}  // namespace test_support

#endif
