#include "automation/arguments.hpp"

#include "host_errors.hpp"
#include "model/number_text.hpp"
#include "oleaut/variant_view.hpp"

namespace sheethost::automation {

namespace {

oleaut::variant converted(const VARIANT &v, VARTYPE to, std::u16string_view what, const char16_t *kind)
{
    oleaut::variant out;
    HRESULT hr = oleaut::variant_view(v).convert(out, to, VARIANT_ALPHABOOL);
    if (hr == DISP_E_OVERFLOW)
        raise_host_error(host_error::invalid_argument,
                         std::u16string(what) + u" is out of range: " + describe(v));
    if (FAILED(hr))
        raise_host_error(host_error::invalid_argument,
                         std::u16string(what) + u" must be " + kind + u", not " + describe(v));
    return out;
}

}  // namespace

bool is_left_out(const VARIANT &v)
{
    return oleaut::variant_view(v).missing();
}

long whole_number(const VARIANT &v, std::u16string_view what)
{
    return converted(v, VT_I4, what, u"a whole number").lVal;
}

double real_number(const VARIANT &v, std::u16string_view what)
{
    return converted(v, VT_R8, what, u"a number").dblVal;
}

bool truth(const VARIANT &v, std::u16string_view what)
{
    return converted(v, VT_BOOL, what, u"True or False").boolVal != VARIANT_FALSE;
}

std::u16string text_of(const VARIANT &v, std::u16string_view what)
{
    return bstr_text(converted(v, VT_BSTR, what, u"text").bstrVal);
}

std::u16string bstr_text(BSTR b) { return b ? std::u16string(b, SysStringLen(b)) : std::u16string(); }

std::u16string describe(const VARIANT &v)
{
    const oleaut::variant_view view(v);
    const VARIANT &d = view.value();
    if (d.vt & VT_ARRAY)
        return u"an array";
    switch (d.vt) {
    case VT_EMPTY:
        return u"Empty";
    case VT_NULL:
        return u"Null";
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return d.punkVal ? u"an object" : u"Nothing";
    case VT_ERROR:
        return is_left_out(d) ? u"nothing (left out)" : u"an error value";
    case VT_BSTR:
        return u"\"" + bstr_text(d.bstrVal) + u"\"";
    default:
        break;
    }
    oleaut::variant s;
    if (SUCCEEDED(VariantChangeTypeEx(&s, &d, LOCALE_EN_US, VARIANT_ALPHABOOL, VT_BSTR)))
        return bstr_text(s.bstrVal);
    return u"a value of type " + model::integer_text(d.vt);
}

item_key item_key_of(const VARIANT &v, std::u16string_view what)
{
    const oleaut::variant_view view(v);
    const VARIANT &d = view.value();
    item_key key;
    if (d.vt == VT_BSTR) {
        key.by_name = true;
        key.name = bstr_text(d.bstrVal);
        key.shown = u"\"" + key.name + u"\"";
        return key;
    }
    key.position = whole_number(d, what);
    key.shown = model::integer_text(key.position);
    return key;
}

}  // namespace sheethost::automation
