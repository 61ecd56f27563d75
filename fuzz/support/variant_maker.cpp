#include "support/variant_maker.hpp"

#include <cstring>
#include <vector>

namespace fuzz_support {

namespace {

constexpr VARTYPE kScalarTypes[] = {VT_EMPTY, VT_NULL, VT_I2,   VT_I4,      VT_R4,     VT_R8,  VT_CY,
                                    VT_DATE,  VT_BSTR, VT_DISPATCH, VT_ERROR, VT_BOOL, VT_UNKNOWN, VT_DECIMAL,
                                    VT_I1,    VT_UI1,  VT_UI2,  VT_UI4,     VT_I8,     VT_UI8, VT_INT,
                                    VT_UINT};

// Types an array may hold.
constexpr VARTYPE kElementTypes[] = {VT_I2,   VT_I4, VT_R8,      VT_BSTR, VT_BOOL, VT_VARIANT,
                                     VT_UI1, VT_I8, VT_DECIMAL, VT_DATE, VT_CY,   VT_DISPATCH};

// Types no VARIANT may hold (or that this runtime does not know), whose payload means
// nothing as a pointer: a caller's mistake that must be refused, not followed.
constexpr VARTYPE kForeignTypes[] = {15, VT_VARIANT, VT_VOID, VT_HRESULT, VT_FILETIME, 0x0FFF, 0x1003};

// Doubles that conversions treat specially, which random bits rarely hit.
constexpr double kEdgeDoubles[] = {0.0, -0.0, 0.5, -0.5, 1.5, 2.5, 32767.5, 32768.0, -32768.5, 2147483647.5,
                                   9.2233720368547758e18, 1e308, -1e308, 5e-324, 922337203685477.5807,
                                   __builtin_inf(), -__builtin_inf(), __builtin_nan("")};

constexpr int kMaxDepth = 3;

double pick_double(FuzzedDataProvider &in)
{
    if (in.ConsumeBool())
        return in.PickValueInArray(kEdgeDoubles);
    double d;
    uint64_t bits = in.ConsumeIntegral<uint64_t>();
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

}  // namespace

VARTYPE pick_scalar_type(FuzzedDataProvider &in) { return in.PickValueInArray(kScalarTypes); }

BSTR make_bstr(FuzzedDataProvider &in, size_t max_units)
{
    const size_t units = in.ConsumeIntegralInRange<size_t>(0, max_units);
    std::u16string text;
    if (in.ConsumeBool()) {
        // ASCII-range text: digits, signs, separators and letters as a parser expects them.
        for (char c : in.ConsumeBytesAsString(units))
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c) & 0x7F));
    } else {
        std::vector<uint8_t> bytes = in.ConsumeBytes<uint8_t>(units * 2);
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

variant_maker::~variant_maker()
{
    for (VARIANT &v : owned_)
        VariantClear(&v);
}

VARIANT &variant_maker::keep(VARIANT v)
{
    owned_.push_back(v);
    return owned_.back();
}

VARIANT variant_maker::make() { return make_kept(0); }

VARIANT &variant_maker::make_kept(int depth)
{
    switch (depth < kMaxDepth ? in_.ConsumeIntegralInRange<int>(0, 15) : 0) {
    case 13:
        return keep(make_array());
    case 14:
        return keep(make_reference(depth));
    case 15: {
        VARIANT v;
        std::memset(&v, 0, sizeof v);
        v.vt = in_.PickValueInArray(kForeignTypes);
        return keep(v);
    }
    default:
        return keep(make_scalar(pick_scalar_type(in_)));
    }
}

VARIANT variant_maker::make_scalar(VARTYPE vt)
{
    VARIANT v;
    std::memset(&v, 0, sizeof v);
    switch (vt) {
    case VT_I1: v.cVal = in_.ConsumeIntegral<char>(); break;
    case VT_UI1: v.bVal = in_.ConsumeIntegral<BYTE>(); break;
    case VT_I2: v.iVal = in_.ConsumeIntegral<SHORT>(); break;
    case VT_UI2: v.uiVal = in_.ConsumeIntegral<USHORT>(); break;
    case VT_BOOL: {
        // Mostly the two proper values; sometimes any other bit pattern, as careless clients pass.
        const VARIANT_BOOL proper[] = {VARIANT_TRUE, VARIANT_FALSE};
        v.boolVal = in_.ConsumeBool() ? in_.PickValueInArray(proper) : in_.ConsumeIntegral<VARIANT_BOOL>();
        break;
    }
    case VT_I4:
    case VT_INT: v.lVal = in_.ConsumeIntegral<LONG>(); break;
    case VT_UI4:
    case VT_UINT: v.ulVal = in_.ConsumeIntegral<ULONG>(); break;
    case VT_ERROR: {
        const SCODE common[] = {DISP_E_PARAMNOTFOUND, S_OK, E_FAIL};
        v.scode = in_.ConsumeBool() ? in_.PickValueInArray(common) : in_.ConsumeIntegral<SCODE>();
        break;
    }
    case VT_R4: {
        // From bits: narrowing a double that does not fit a float would be undefined here.
        uint32_t bits = in_.ConsumeIntegral<uint32_t>();
        std::memcpy(&v.fltVal, &bits, sizeof v.fltVal);
        break;
    }
    case VT_R8:
    case VT_DATE: v.dblVal = pick_double(in_); break;
    case VT_I8: v.llVal = in_.ConsumeIntegral<LONGLONG>(); break;
    case VT_UI8: v.ullVal = in_.ConsumeIntegral<ULONGLONG>(); break;
    case VT_CY: v.cyVal.int64 = in_.ConsumeIntegral<LONGLONG>(); break;
    case VT_DECIMAL:
        // Any bits, invalid scales and signs included: the runtime must refuse those itself.
        v.decVal.scale = in_.ConsumeBool() ? in_.ConsumeIntegralInRange<BYTE>(0, 28) : in_.ConsumeIntegral<BYTE>();
        v.decVal.sign = in_.ConsumeBool() ? (in_.ConsumeBool() ? 0x80 : 0) : in_.ConsumeIntegral<BYTE>();
        v.decVal.Hi32 = in_.ConsumeIntegral<ULONG>();
        v.decVal.Lo64 = in_.ConsumeIntegral<ULONGLONG>();
        break;
    case VT_BSTR: v.bstrVal = in_.ConsumeIntegralInRange<int>(0, 15) == 0 ? nullptr : make_bstr(in_); break;
    case VT_DISPATCH:
    case VT_UNKNOWN: v.pdispVal = objects_ ? objects_() : nullptr; break;
    default: break;  // VT_EMPTY, VT_NULL: no payload
    }
    v.vt = vt;  // after the payload: a DECIMAL's first field overlays vt
    return v;
}

VARIANT variant_maker::make_array()
{
    VARIANT v;
    VariantInit(&v);
    const VARTYPE element = in_.PickValueInArray(kElementTypes);
    v.vt = VT_ARRAY | element;
    if (in_.ConsumeIntegralInRange<int>(0, 7) == 0) {
        v.parray = nullptr;  // an array variant without an array
        return v;
    }
    SAFEARRAYBOUND bounds[2];
    const UINT dims = in_.ConsumeIntegralInRange<UINT>(1, 2);
    ULONG total = 1;
    for (UINT d = 0; d < dims; ++d) {
        bounds[d].cElements = in_.ConsumeIntegralInRange<ULONG>(0, 4);
        bounds[d].lLbound = in_.ConsumeIntegralInRange<LONG>(-2, 2);
        total *= bounds[d].cElements;
    }
    v.parray = SafeArrayCreate(element, dims, bounds);
    if (!v.parray)
        return v;
    for (ULONG i = 0; i < total; ++i) {
        // Indexes in the array's own order: first dimension fastest.
        LONG index[2] = {bounds[0].lLbound + static_cast<LONG>(dims == 1 ? i : i % bounds[0].cElements),
                         dims == 2 ? bounds[1].lLbound + static_cast<LONG>(i / bounds[0].cElements) : 0};
        // Built by hand rather than with make(): PutElement copies, and the maker must not
        // keep (and clear twice) what the array now owns.
        VARIANT value = element == VT_VARIANT ? make_scalar(pick_scalar_type(in_)) : make_scalar(element);
        void *slot = nullptr;
        switch (element) {
        case VT_BSTR: slot = value.bstrVal; break;
        case VT_DISPATCH: slot = value.pdispVal; break;
        case VT_VARIANT: slot = &value; break;
        case VT_DECIMAL: slot = &value.decVal; break;
        default: slot = &value.llVal; break;
        }
        SafeArrayPutElement(v.parray, index, slot);
        VariantClear(&value);
    }
    return v;
}

VARIANT variant_maker::make_reference(int depth)
{
    VARIANT ref;
    VariantInit(&ref);
    if (in_.ConsumeBool()) {
        // A reference to a whole variant, which may itself be anything (a reference too).
        ref.vt = VT_BYREF | VT_VARIANT;
        ref.pvarVal = in_.ConsumeIntegralInRange<int>(0, 7) == 0 ? nullptr : &make_kept(depth + 1);
        return ref;
    }
    // A typed reference: it points into a value the maker keeps.
    VARIANT &target = in_.ConsumeIntegralInRange<int>(0, 3) == 0 ? keep(make_array())
                                                                 : keep(make_scalar(pick_scalar_type(in_)));
    const bool null_pointer = in_.ConsumeIntegralInRange<int>(0, 7) == 0;
    if (target.vt == VT_EMPTY || target.vt == VT_NULL) {
        ref.vt = VT_BYREF | VT_VARIANT;  // no typed reference to nothing exists
        ref.pvarVal = null_pointer ? nullptr : &target;
        return ref;
    }
    ref.vt = VT_BYREF | target.vt;
    if (null_pointer)
        ref.byref = nullptr;
    else if (target.vt == VT_DECIMAL)
        ref.pdecVal = &target.decVal;
    else
        ref.byref = &target.llVal;  // every other payload starts at the same place
    return ref;
}

}  // namespace fuzz_support
