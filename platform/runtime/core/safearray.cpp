// Safe arrays. The VARTYPE of the elements is kept in a hidden header just before
// the descriptor (FADF_HAVEVARTYPE), and the bounds are stored in reverse order of
// the dimensions, as the platform does; indexes passed by callers list dimension 1
// first.
#include <cstdlib>
#include <cstring>
#include <new>

#include "oleaut.h"
#include "variant_types.h"

using oleaut::detail::element_size;

namespace {

// Room for the VARTYPE before the descriptor, keeping the descriptor aligned.
constexpr size_t kHeader = alignof(std::max_align_t);

size_t descriptor_size(UINT dims) { return sizeof(SAFEARRAY) + (dims - 1) * sizeof(SAFEARRAYBOUND); }

VARTYPE *vartype_slot(SAFEARRAY *psa)
{
    return reinterpret_cast<VARTYPE *>(reinterpret_cast<unsigned char *>(psa) - kHeader);
}

// Bounds of dimension d (0-based, dimension 1 first).
const SAFEARRAYBOUND &bound(const SAFEARRAY *psa, UINT d) { return psa->rgsabound[psa->cDims - 1 - d]; }

bool element_count(const SAFEARRAY *psa, size_t *out)
{
    size_t n = 1;
    for (UINT d = 0; d < psa->cDims; ++d) {
        size_t c = psa->rgsabound[d].cElements;
        if (c && n > SIZE_MAX / c)
            return false;
        n *= c;
    }
    *out = n;
    return true;
}

USHORT features_for(VARTYPE vt)
{
    USHORT f = FADF_HAVEVARTYPE;
    switch (vt) {
    case VT_BSTR: f |= FADF_BSTR; break;
    case VT_UNKNOWN: f |= FADF_UNKNOWN; break;
    case VT_DISPATCH: f |= FADF_DISPATCH; break;
    case VT_VARIANT: f |= FADF_VARIANT; break;
    default: break;
    }
    return f;
}

SAFEARRAY *allocate_descriptor(VARTYPE vt, UINT dims)
{
    unsigned char *block = static_cast<unsigned char *>(std::calloc(1, kHeader + descriptor_size(dims)));
    if (!block)
        return nullptr;
    SAFEARRAY *psa = reinterpret_cast<SAFEARRAY *>(block + kHeader);
    *vartype_slot(psa) = vt;
    psa->cDims = static_cast<USHORT>(dims);
    psa->fFeatures = features_for(vt);
    psa->cbElements = element_size(vt);
    return psa;
}

void free_descriptor(SAFEARRAY *psa) { std::free(reinterpret_cast<unsigned char *>(psa) - kHeader); }

// Releases what each element owns, leaving the bytes zeroed.
void clear_elements(SAFEARRAY *psa, size_t count)
{
    unsigned char *p = static_cast<unsigned char *>(psa->pvData);
    if (!p)
        return;
    for (size_t i = 0; i < count; ++i, p += psa->cbElements) {
        if (psa->fFeatures & FADF_BSTR) {
            SysFreeString(*reinterpret_cast<BSTR *>(p));
        } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
            if (IUnknown *u = *reinterpret_cast<IUnknown **>(p))
                u->Release();
        } else if (psa->fFeatures & FADF_VARIANT) {
            VariantClear(reinterpret_cast<VARIANT *>(p));
        }
    }
    std::memset(psa->pvData, 0, count * psa->cbElements);
}

HRESULT offset_of(SAFEARRAY *psa, const LONG *idx, size_t *out)
{
    size_t offset = 0, stride = 1;
    for (UINT d = 0; d < psa->cDims; ++d) {
        const SAFEARRAYBOUND &b = bound(psa, d);
        int64_t rel = static_cast<int64_t>(idx[d]) - b.lLbound;
        if (rel < 0 || rel >= static_cast<int64_t>(b.cElements))
            return DISP_E_BADINDEX;
        offset += static_cast<size_t>(rel) * stride;
        stride *= b.cElements;
    }
    *out = offset * psa->cbElements;
    return S_OK;
}

// Stores a copy of the value at src into the element at dst (which holds nothing).
HRESULT copy_element_in(const SAFEARRAY *psa, void *dst, const void *src)
{
    if (psa->fFeatures & FADF_BSTR) {
        BSTR s = *static_cast<const BSTR *>(src);
        BSTR copy = nullptr;
        if (s && !(copy = SysAllocStringByteLen(reinterpret_cast<const char *>(s), SysStringByteLen(s))))
            return E_OUTOFMEMORY;
        *static_cast<BSTR *>(dst) = copy;
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown *u = *static_cast<IUnknown *const *>(src);
        if (u)
            u->AddRef();
        *static_cast<IUnknown **>(dst) = u;
    } else if (psa->fFeatures & FADF_VARIANT) {
        VARIANT *v = static_cast<VARIANT *>(dst);
        VariantInit(v);
        return VariantCopy(v, static_cast<const VARIANT *>(src));
    } else {
        std::memcpy(dst, src, psa->cbElements);
    }
    return S_OK;
}

}  // namespace

STDAPI_(SAFEARRAY *) SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND *rgsabound)
{
    if (!cDims || cDims > 0xFFFF || !rgsabound || !element_size(vt))
        return nullptr;
    SAFEARRAY *psa = allocate_descriptor(vt, cDims);
    if (!psa)
        return nullptr;
    for (UINT d = 0; d < cDims; ++d)
        psa->rgsabound[cDims - 1 - d] = rgsabound[d];
    size_t count = 0;
    if (!element_count(psa, &count) || count > SIZE_MAX / psa->cbElements ||
        !(psa->pvData = std::calloc(count ? count : 1, psa->cbElements))) {
        free_descriptor(psa);
        return nullptr;
    }
    return psa;
}

STDAPI_(SAFEARRAY *) SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements)
{
    SAFEARRAYBOUND b{cElements, lLbound};
    return SafeArrayCreate(vt, 1, &b);
}

STDAPI SafeArrayDestroy(SAFEARRAY *psa)
{
    if (!psa)
        return S_OK;
    if (psa->cLocks)
        return DISP_E_ARRAYISLOCKED;
    size_t count = 0;
    if (element_count(psa, &count))
        clear_elements(psa, count);
    std::free(psa->pvData);
    free_descriptor(psa);
    return S_OK;
}

STDAPI SafeArrayCopy(SAFEARRAY *psa, SAFEARRAY **ppsaOut)
{
    if (!ppsaOut)
        return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (!psa)
        return S_OK;
    VARTYPE vt = VT_EMPTY;
    HRESULT hr = SafeArrayGetVartype(psa, &vt);
    if (FAILED(hr))
        return hr;
    SAFEARRAY *copy = allocate_descriptor(vt, psa->cDims);
    if (!copy)
        return E_OUTOFMEMORY;
    std::memcpy(copy->rgsabound, psa->rgsabound, psa->cDims * sizeof(SAFEARRAYBOUND));
    size_t count = 0;
    element_count(psa, &count);
    copy->pvData = std::calloc(count ? count : 1, psa->cbElements);
    if (!copy->pvData) {
        free_descriptor(copy);
        return E_OUTOFMEMORY;
    }
    const unsigned char *src = static_cast<const unsigned char *>(psa->pvData);
    unsigned char *dst = static_cast<unsigned char *>(copy->pvData);
    for (size_t i = 0; i < count; ++i) {
        hr = copy_element_in(copy, dst + i * copy->cbElements, src + i * psa->cbElements);
        if (FAILED(hr)) {
            SafeArrayDestroy(copy);
            return hr;
        }
    }
    *ppsaOut = copy;
    return S_OK;
}

STDAPI_(UINT) SafeArrayGetDim(SAFEARRAY *psa) { return psa ? psa->cDims : 0; }

STDAPI_(UINT) SafeArrayGetElemsize(SAFEARRAY *psa) { return psa ? psa->cbElements : 0; }

STDAPI SafeArrayGetVartype(SAFEARRAY *psa, VARTYPE *pvt)
{
    if (!psa || !pvt)
        return E_INVALIDARG;
    if (!(psa->fFeatures & FADF_HAVEVARTYPE))
        return E_INVALIDARG;
    *pvt = *vartype_slot(psa);
    return S_OK;
}

STDAPI SafeArrayGetLBound(SAFEARRAY *psa, UINT nDim, LONG *plLbound)
{
    if (!psa || !plLbound)
        return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    *plLbound = bound(psa, nDim - 1).lLbound;
    return S_OK;
}

STDAPI SafeArrayGetUBound(SAFEARRAY *psa, UINT nDim, LONG *plUbound)
{
    if (!psa || !plUbound)
        return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND &b = bound(psa, nDim - 1);
    *plUbound = static_cast<LONG>(static_cast<int64_t>(b.lLbound) + b.cElements - 1);
    return S_OK;
}

STDAPI SafeArrayLock(SAFEARRAY *psa)
{
    if (!psa)
        return E_INVALIDARG;
    if (psa->cLocks == 0xFFFF)
        return E_UNEXPECTED;
    ++psa->cLocks;
    return S_OK;
}

STDAPI SafeArrayUnlock(SAFEARRAY *psa)
{
    if (!psa)
        return E_INVALIDARG;
    if (!psa->cLocks)
        return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

STDAPI SafeArrayAccessData(SAFEARRAY *psa, void **ppvData)
{
    if (!psa || !ppvData)
        return E_INVALIDARG;
    HRESULT hr = SafeArrayLock(psa);
    if (FAILED(hr))
        return hr;
    *ppvData = psa->pvData;
    return S_OK;
}

STDAPI SafeArrayUnaccessData(SAFEARRAY *psa) { return SafeArrayUnlock(psa); }

STDAPI SafeArrayPtrOfIndex(SAFEARRAY *psa, LONG *rgIndices, void **ppvData)
{
    if (!psa || !rgIndices || !ppvData)
        return E_INVALIDARG;
    size_t off = 0;
    HRESULT hr = offset_of(psa, rgIndices, &off);
    if (FAILED(hr))
        return hr;
    *ppvData = static_cast<unsigned char *>(psa->pvData) + off;
    return S_OK;
}

STDAPI SafeArrayGetElement(SAFEARRAY *psa, LONG *rgIndices, void *pv)
{
    if (!psa || !rgIndices || !pv)
        return E_INVALIDARG;
    void *elem = nullptr;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &elem);
    if (FAILED(hr))
        return hr;
    return copy_element_in(psa, pv, elem);
}

STDAPI SafeArrayPutElement(SAFEARRAY *psa, LONG *rgIndices, void *pv)
{
    if (!psa || !rgIndices)
        return E_INVALIDARG;
    void *elem = nullptr;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &elem);
    if (FAILED(hr))
        return hr;
    // Object and string elements take a null pointer as "nothing"; values need data.
    bool pointer_elem = psa->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH);
    if (!pv && !pointer_elem)
        return E_INVALIDARG;
    unsigned char scratch[sizeof(VARIANT)] = {};
    // Build the new element before releasing the old one, so a failure leaves it intact.
    // A string or object element is passed as the pointer itself, anything else by address.
    hr = pointer_elem ? copy_element_in(psa, scratch, &pv) : copy_element_in(psa, scratch, pv);
    if (FAILED(hr))
        return hr;
    SAFEARRAY one = *psa;
    one.pvData = elem;
    clear_elements(&one, 1);
    std::memcpy(elem, scratch, psa->cbElements);
    return S_OK;
}
