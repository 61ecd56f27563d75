// VariantChangeType(Ex): reads the source (following a reference, or asking an
// object for its value), converts into a temporary with the rule for the
// target type, and only on success replaces the destination, so a failure
// leaves the destination as it was and the source may be the destination.
//
// Every LCID is read as 1033 (English, United States); the platform runs in
// that locale everywhere.
#include <cstring>
#include <string>

#include "conv_error.h"
#include "conv_targets.h"
#include "core/variant_types.h"

namespace oleaut::conv {
namespace {

using detail::element_size;
using detail::is_valid_variant_type;

bool is_object(VARTYPE vt) { return vt == VT_DISPATCH || vt == VT_UNKNOWN; }

bool is_valid_target(VARTYPE vt)
{
    if (vt & ~(VT_TYPEMASK | VT_ARRAY))
        return false;  // a reference or a vector is never a conversion target
    if (vt & VT_ARRAY)
        return is_valid_variant_type(vt);
    return vt == VT_EMPTY || vt == VT_NULL || (vt != VT_VARIANT && element_size(vt) != 0);
}

// A shallow, non-owning view of the value src holds, with a reference followed.
HRESULT dereference(const VARIANT &src, VARIANT *view)
{
    if (!(src.vt & VT_BYREF)) {
        *view = src;
        return S_OK;
    }
    if (!src.byref)
        return E_INVALIDARG;
    const VARTYPE base = src.vt & ~VT_BYREF;
    if (base == VT_VARIANT) {
        const VARIANT &inner = *src.pvarVal;
        if (inner.vt == (VT_BYREF | VT_VARIANT))
            return E_INVALIDARG;  // a reference to a reference to a variant is not followed
        if (!is_valid_variant_type(inner.vt))
            return DISP_E_BADVARTYPE;
        return dereference(inner, view);
    }
    std::memset(view, 0, sizeof *view);
    if (base & VT_ARRAY) {
        view->parray = *src.pparray;
    } else if (base == VT_DECIMAL) {
        view->decVal = *src.pdecVal;  // DECIMAL overlays vt, which is set below
    } else {
        std::memcpy(&view->llVal, src.byref, element_size(base));
    }
    view->vt = base;
    return S_OK;
}

struct Request {
    const char16_t *function;
    LCID lcid;
    USHORT flags;
    VARTYPE to;
};

HRESULT change_type(const Request &req, const VARIANT &src, VARIANT *result, bool *reported);

// Publishes what an object's Invoke reported and answers its error number.
HRESULT report_invoke_exception(const Request &req, EXCEPINFO &ei)
{
    if (ei.pfnDeferredFillIn)
        ei.pfnDeferredFillIn(&ei);
    const HRESULT code = ei.scode ? ei.scode : static_cast<HRESULT>(0x800A0000u | ei.wCode);
    std::u16string description = u"Reading the default value (DISPID_VALUE) of an object to convert it to ";
    description += type_name(req.to);
    description += u" failed";
    if (ei.bstrDescription) {
        description += u": ";
        description += ei.bstrDescription;
    }
    if (ei.bstrSource) {
        description += u" (source: ";
        description += ei.bstrSource;
        description += u")";
    }
    SysFreeString(ei.bstrSource);
    SysFreeString(ei.bstrDescription);
    SysFreeString(ei.bstrHelpFile);
    return report_failure(code, req.function, description);
}

// An object converts to a value through its default member, read as a property.
HRESULT default_value(const Request &req, const VARIANT &view, VARIANT *result, bool *reported)
{
    if (req.flags & VARIANT_NOVALUEPROP)
        return DISP_E_TYPEMISMATCH;
    IDispatch *disp = nullptr;
    if (view.vt == VT_DISPATCH) {
        disp = view.pdispVal;
        if (disp)
            disp->AddRef();
    } else if (view.punkVal) {
        view.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(&disp));
    }
    if (!disp)
        return DISP_E_TYPEMISMATCH;  // no object, or one without IDispatch: it has no value

    DISPPARAMS none{};
    EXCEPINFO ei{};
    UINT arg_err = 0;
    VARIANT value;
    VariantInit(&value);
    HRESULT hr = disp->Invoke(DISPID_VALUE, IID_NULL, req.lcid, DISPATCH_PROPERTYGET, &none, &value, &ei, &arg_err);
    disp->Release();
    if (hr == DISP_E_EXCEPTION) {
        *reported = true;
        return report_invoke_exception(req, ei);
    }
    if (FAILED(hr))
        return hr;
    // The value is converted like any other source; an object as the value of
    // an object is not followed further.
    Request inner = req;
    inner.flags |= VARIANT_NOVALUEPROP;
    hr = change_type(inner, value, result, reported);
    VariantClear(&value);
    return hr;
}

HRESULT object_to_object(const VARIANT &view, VARTYPE to, VARIANT *result)
{
    IUnknown *obj = view.punkVal;
    void *converted = nullptr;
    if (obj) {
        HRESULT hr = obj->QueryInterface(to == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &converted);
        if (FAILED(hr) || !converted)
            return DISP_E_TYPEMISMATCH;  // the object has no IDispatch
    }
    result->vt = to;
    result->byref = converted;
    return S_OK;
}

HRESULT store_scalar(const Request &req, const Scalar &s, VARIANT *result)
{
    HRESULT hr = E_UNEXPECTED;
    if (const IntegerType *t = find_integer_type(req.to)) {
        i128 v = 0;
        hr = to_integer(s, *t, &v);
        if (SUCCEEDED(hr))
            store_integer(*result, *t, v);
    } else {
        switch (req.to) {
        case VT_R4:
            hr = to_r4(s, &result->fltVal);
            break;
        case VT_R8:
            hr = to_r8(s, &result->dblVal);
            break;
        case VT_CY:
            hr = to_cy(s, &result->cyVal);
            break;
        case VT_DATE:
            hr = to_date(s, 0, &result->date);
            break;
        case VT_BOOL:
            hr = to_bool(s, &result->boolVal);
            break;
        case VT_DECIMAL: {
            DECIMAL d;
            hr = to_decimal(s, &d);
            if (SUCCEEDED(hr))
                result->decVal = d;  // overlays vt, which is set below
            break;
        }
        case VT_BSTR: {
            std::u16string text;
            const BoolText bools =
                (req.flags & (VARIANT_ALPHABOOL | VARIANT_LOCALBOOL)) ? BoolText::Words : BoolText::Number;
            hr = to_text(s, 0, bools, &text);
            if (SUCCEEDED(hr)) {
                result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
                if (!result->bstrVal)
                    hr = E_OUTOFMEMORY;
            }
            break;
        }
        default:
            hr = DISP_E_TYPEMISMATCH;  // Empty, Null, Error and objects are not made from values
            break;
        }
    }
    if (SUCCEEDED(hr))
        result->vt = req.to;
    return hr;
}

HRESULT change_type(const Request &req, const VARIANT &src, VARIANT *result, bool *reported)
{
    if (!is_valid_variant_type(src.vt))
        return DISP_E_BADVARTYPE;
    VARIANT view;
    HRESULT hr = dereference(src, &view);
    if (FAILED(hr))
        return hr;
    const VARTYPE from = view.vt;

    if (from == req.to)
        return VariantCopy(result, &view);  // exactly as held: a Boolean 1 stays 1, a null string stays null
    if ((from & VT_ARRAY) || (req.to & VT_ARRAY))
        return DISP_E_TYPEMISMATCH;  // arrays convert neither to other types nor element by element
    if (is_object(from))
        return is_object(req.to) ? object_to_object(view, req.to, result)
                                 : default_value(req, view, result, reported);

    Scalar s;
    hr = read_scalar(view, &s);
    if (FAILED(hr))
        return hr;
    return store_scalar(req, s, result);
}

// Writes the source value as text for a failure message, when it has a simple one.
std::u16string describe_value(const VARIANT &src, bool *is_text)
{
    VARIANT view;
    Scalar s;
    std::u16string text;
    *is_text = false;
    if (FAILED(dereference(src, &view)) || FAILED(read_scalar(view, &s)) || s.shape == Shape::Empty)
        return text;
    if (FAILED(to_text(s, 0, BoolText::Words, &text)))
        text.clear();
    *is_text = s.shape == Shape::String;
    return text;
}

VARTYPE source_type(const VARIANT &src)
{
    VARIANT view;
    return SUCCEEDED(dereference(src, &view)) ? view.vt : src.vt;
}

HRESULT change_type_entry(const char16_t *function, VARIANTARG *dest, const VARIANTARG *src, LCID lcid,
                          USHORT flags, VARTYPE vt)
{
    if (!dest || !src)
        return report_failure(E_INVALIDARG, function,
                              u"The destination or source VARIANT pointer is null; both must point to a VARIANT.");
    if (!is_valid_target(vt))
        return report_failure(DISP_E_BADVARTYPE, ConversionFailure{function, src->vt, vt, {}});

    const Request req{function, lcid, flags, vt};
    VARIANT result;
    VariantInit(&result);
    bool reported = false;
    HRESULT hr = change_type(req, *src, &result, &reported);
    if (SUCCEEDED(hr)) {
        // Commit: only now is the destination given up. It may be the source,
        // whose value the result no longer depends on.
        hr = VariantClear(dest);
        if (SUCCEEDED(hr)) {
            *dest = result;
            return S_OK;
        }
        VariantClear(&result);
        return report_failure(hr, function, u"The destination VARIANT could not be cleared to receive the result.");
    }
    if (reported)
        return hr;
    bool is_text = false;
    const std::u16string value = describe_value(*src, &is_text);
    return report_failure(hr, ConversionFailure{function, source_type(*src), vt, value, is_text});
}

}  // namespace
}  // namespace oleaut::conv

STDAPI VariantChangeTypeEx(VARIANTARG *pvargDest, const VARIANTARG *pvarSrc, LCID lcid, USHORT wFlags, VARTYPE vt)
{
    return oleaut::conv::change_type_entry(u"VariantChangeTypeEx", pvargDest, pvarSrc, lcid, wFlags, vt);
}

STDAPI VariantChangeType(VARIANTARG *pvargDest, const VARIANTARG *pvarSrc, USHORT wFlags, VARTYPE vt)
{
    return oleaut::conv::change_type_entry(u"VariantChangeType", pvargDest, pvarSrc, LOCALE_USER_DEFAULT, wFlags,
                                           vt);
}
