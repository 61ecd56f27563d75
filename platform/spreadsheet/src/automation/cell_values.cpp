#include "automation/cell_values.hpp"

#include "automation/arguments.hpp"
#include "host_errors.hpp"
#include "model/number_text.hpp"

namespace sheethost::automation {

namespace {

// One element of an array as a VARIANT, whatever the array's element type.
oleaut::variant element(SAFEARRAY *psa, VARTYPE vt, LONG *index)
{
    if (vt == VT_VARIANT) {
        oleaut::variant v;
        oleaut::check(SafeArrayGetElement(psa, index, v.put()));
        return v;
    }
    void *p = nullptr;
    oleaut::check(SafeArrayPtrOfIndex(psa, index, &p));
    VARIANT view;
    VariantInit(&view);
    view.vt = static_cast<VARTYPE>(vt | VT_BYREF);
    view.byref = p;
    oleaut::variant v;
    oleaut::check(VariantCopyInd(&v, &view));
    return v;
}

}  // namespace

oleaut::variant storable_cell_value(const VARIANT &v)
{
    switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return oleaut::variant();
    case VT_BSTR:
        if (!v.bstrVal || SysStringLen(v.bstrVal) == 0)
            return oleaut::variant();
        return oleaut::variant(v);
    case VT_ERROR:
        if (is_left_out(v))
            break;
        return oleaut::variant(v);
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BOOL: case VT_DECIMAL:
        return oleaut::variant(v);
    default:
        break;
    }
    raise_host_error(host_error::invalid_argument,
                     u"A cell takes a number, a date, a boolean, an error value or text, not " + describe(v));
}

oleaut::variant make_value_array(int rows, int columns, const std::function<oleaut::variant(int, int)> &at)
{
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(rows), 1}, {static_cast<ULONG>(columns), 1}};
    SAFEARRAY *psa = SafeArrayCreate(VT_VARIANT, 2, bounds);
    if (!psa)
        throw std::bad_alloc();
    oleaut::variant out;
    out.vt = VT_ARRAY | VT_VARIANT;
    out.parray = psa;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c) {
            LONG index[2] = {r, c};
            oleaut::variant v = at(r, c);
            oleaut::check(SafeArrayPutElement(psa, index, &v));
        }
    return out;
}

std::vector<std::vector<oleaut::variant>> read_value_array(const VARIANT &v)
{
    SAFEARRAY *psa = (v.vt & VT_BYREF) ? (v.pparray ? *v.pparray : nullptr) : v.parray;
    UINT dims = psa ? SafeArrayGetDim(psa) : 0;
    VARTYPE vt = VT_EMPTY;
    if (!psa || (dims != 1 && dims != 2) || FAILED(SafeArrayGetVartype(psa, &vt)))
        raise_host_error(host_error::invalid_argument,
                         u"Range.Value takes an array of one or two dimensions, not one of " +
                             model::integer_text(dims));
    LONG low[2] = {0, 0}, high[2] = {-1, -1};
    for (UINT d = 0; d < dims; ++d) {
        oleaut::check(SafeArrayGetLBound(psa, d + 1, &low[d]));
        oleaut::check(SafeArrayGetUBound(psa, d + 1, &high[d]));
    }
    std::vector<std::vector<oleaut::variant>> table;
    if (dims == 1) {
        table.emplace_back();
        for (LONG c = low[0]; c <= high[0]; ++c)
            table.back().push_back(element(psa, vt, &c));
        return table;
    }
    for (LONG r = low[0]; r <= high[0]; ++r) {
        table.emplace_back();
        for (LONG c = low[1]; c <= high[1]; ++c) {
            LONG index[2] = {r, c};
            table.back().push_back(element(psa, vt, index));
        }
    }
    return table;
}

}  // namespace sheethost::automation
