// Variant lifetime: initialise, clear, copy. Conversions live in the conversion
// module; this file only owns and releases what a VARIANT holds.
#include "oleaut.h"
#include "variant_types.h"

using oleaut::detail::is_valid_variant_type;

STDAPI_(void) VariantInit(VARIANTARG *pvarg)
{
    if (!pvarg)
        return;
    pvarg->vt = VT_EMPTY;
    pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
}

STDAPI VariantClear(VARIANTARG *pvarg)
{
    if (!pvarg)
        return E_INVALIDARG;
    VARTYPE vt = pvarg->vt;
    if (!is_valid_variant_type(vt))
        return DISP_E_BADVARTYPE;
    if (vt & VT_BYREF) {
        // The referenced value belongs to someone else.
    } else if (vt & VT_ARRAY) {
        HRESULT hr = SafeArrayDestroy(pvarg->parray);
        if (FAILED(hr))
            return hr;
    } else if (vt == VT_BSTR) {
        SysFreeString(pvarg->bstrVal);
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        if (pvarg->punkVal)
            pvarg->punkVal->Release();
    }
    VariantInit(pvarg);
    return S_OK;
}

namespace {

// Copies a value that is not a reference into a cleared destination.
HRESULT copy_value(VARIANTARG *dest, const VARIANTARG *src)
{
    VARIANT tmp = *src;
    VARTYPE vt = src->vt;
    if (vt & VT_ARRAY) {
        if (src->parray) {
            HRESULT hr = SafeArrayCopy(src->parray, &tmp.parray);
            if (FAILED(hr))
                return hr;
        }
    } else if (vt == VT_BSTR) {
        if (src->bstrVal) {
            tmp.bstrVal = SysAllocStringByteLen(reinterpret_cast<const char *>(src->bstrVal),
                                                SysStringByteLen(src->bstrVal));
            if (!tmp.bstrVal)
                return E_OUTOFMEMORY;
        }
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        if (src->punkVal)
            src->punkVal->AddRef();
    }
    *dest = tmp;
    return S_OK;
}

}  // namespace

STDAPI VariantCopy(VARIANTARG *pvargDest, const VARIANTARG *pvargSrc)
{
    if (!pvargDest || !pvargSrc)
        return E_INVALIDARG;
    if (pvargDest == pvargSrc)
        return S_OK;
    if (!is_valid_variant_type(pvargSrc->vt))
        return DISP_E_BADVARTYPE;
    HRESULT hr = VariantClear(pvargDest);
    if (FAILED(hr))
        return hr;
    if (pvargSrc->vt & VT_BYREF) {
        *pvargDest = *pvargSrc;  // a reference copies as the same reference
        return S_OK;
    }
    return copy_value(pvargDest, pvargSrc);
}

STDAPI VariantCopyInd(VARIANT *pvarDest, const VARIANTARG *pvargSrc)
{
    if (!pvarDest || !pvargSrc)
        return E_INVALIDARG;
    if (!(pvargSrc->vt & VT_BYREF))
        return VariantCopy(pvarDest, pvargSrc);
    if (!is_valid_variant_type(pvargSrc->vt))
        return DISP_E_BADVARTYPE;
    if (!pvargSrc->byref)
        return E_INVALIDARG;

    // Build the dereferenced value first: the source may be the destination.
    VARIANT value;
    VariantInit(&value);
    VARTYPE base = pvargSrc->vt & ~VT_BYREF;
    if (base == VT_VARIANT) {
        const VARIANT *inner = pvargSrc->pvarVal;
        if (inner->vt == (VT_BYREF | VT_VARIANT))
            return E_INVALIDARG;  // a reference to a reference to a variant is not followed
        if (!is_valid_variant_type(inner->vt))
            return DISP_E_BADVARTYPE;
        value = *inner;
    } else if (base & VT_ARRAY) {
        value.vt = base;
        value.parray = *pvargSrc->pparray;
    } else {
        value.vt = base;
        switch (oleaut::detail::element_size(base & VT_TYPEMASK)) {
        case 1: value.bVal = *pvargSrc->pbVal; break;
        case 2: value.iVal = *pvargSrc->piVal; break;
        case 4: value.lVal = *pvargSrc->plVal; break;
        case 8: value.llVal = *pvargSrc->pllVal; break;  // also BSTR, IUnknown*, IDispatch*
        default:
            value.decVal = *pvargSrc->pdecVal;  // DECIMAL overlays vt: set it again below
            value.vt = VT_DECIMAL;
        }
    }
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = (value.vt & VT_BYREF) ? (copy = value, S_OK) : copy_value(&copy, &value);
    if (FAILED(hr))
        return hr;
    if (pvarDest != pvargSrc) {
        hr = VariantClear(pvarDest);
        if (FAILED(hr)) {
            VariantClear(&copy);
            return hr;
        }
    }
    *pvarDest = copy;
    return S_OK;
}
