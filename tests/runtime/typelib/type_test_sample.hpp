// The sample library the type information tests describe, and helpers to read what
// the type information answers. Every test builds its objects from these tables.
#ifndef TESTS_DISPATCH_TYPE_TEST_SAMPLE_HPP
#define TESTS_DISPATCH_TYPE_TEST_SAMPLE_HPP

#include <ostream>
#include <string>
#include <vector>

#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"
#include "oleaut/dispatch/describe.hpp"
#include "oleaut/dispatch/typeinfo.hpp"

namespace type_test {

using namespace oleaut::disp;

// Everything a type library built here keeps alive: the objects and descriptor blocks
// in the runtime, and the lock they hold on this module.
inline long live_objects() { return module_live_count() + type_objects_alive(); }

inline const GUID kLibGuid = {0x5A1E0001, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
inline const GUID kSampleIid = {0x5A1E0002, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
inline const GUID kSeriesIid = {0x5A1E0003, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
inline const GUID kSampleClsid = {0x5A1E0004, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
inline const GUID kKindGuid = {0x5A1E0005, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
inline const GUID kDetachedIid = {0x5A1E0006, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};
inline const GUID kDetachedClsid = {0x5A1E0007, 0x1111, 0x4222, {0x83, 0x33, 0x44, 0x44, 0x55, 0x55, 0x66, 0x66}};

constexpr DISPID kSetOptions = 0x60030000;
constexpr DISPID kChart = 0x40030001;
constexpr DISPID kCaption = 0x40030002;
constexpr DISPID kLegacy = 0x60030003;
constexpr DISPID kAttach = 0x60030004;
constexpr DISPID kOpacity = 0x40030005;

constexpr WORD kSampleFlags =
    TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;

// A dual interface with a method taking an enumeration, an optional and a by-reference
// parameter, an object property typed "Chart", a get/put pair sharing one id, a
// vtable-only accessor, a hidden method with an object parameter, and a put-only property.
inline const interface_info kSample{
    u"_cSample",
    kSampleIid,
    kSampleFlags,
    {
        {u"SetChartOptions",
         kSetOptions,
         INVOKE_FUNC,
         {{u"kind", VT_I4, false, u"ChartKind"},
          {u"width", VT_I2},
          {u"title", VT_VARIANT, true},
          {u"status", VT_BYREF | VT_VARIANT}}},
        {u"Chart", kChart, INVOKE_PROPERTYGET, {}, VT_DISPATCH, u"Chart"},
        {u"Caption", kCaption, INVOKE_PROPERTYGET, {}, VT_BSTR},
        {u"Caption", kCaption, INVOKE_PROPERTYPUT, {{u"value", VT_BSTR}}},
        {u"LegacyHandle", kLegacy, INVOKE_PROPERTYGET, {}, VT_I4, nullptr, 0, true},
        {u"Attach",
         kAttach,
         INVOKE_FUNC,
         {{u"target", VT_DISPATCH, false, u"Chart"}, {u"opacity", VT_R8, true}},
         VT_BOOL,
         nullptr,
         FUNCFLAG_FHIDDEN},
        {u"Opacity", kOpacity, INVOKE_PROPERTYPUT, {{u"value", VT_R8}}},
    },
    u"Draws \"sample\" charts",
};

// A plain dispatch interface (not dual) that shares a member name with _cSample.
inline const interface_info kSeries{
    u"ISeries",
    kSeriesIid,
    TYPEFLAG_FDISPATCHABLE,
    {
        {u"Caption", 1, INVOKE_PROPERTYGET, {}, VT_BSTR},
        {u"Point", 2, INVOKE_PROPERTYGET, {{u"index", VT_I4}}, VT_R8},
    },
};

inline const enum_info kKind{u"ChartKind", kKindGuid, 0, {{u"kindColumn", 51}, {u"kindLine", 4}, {u"kindPie", -5}}};

inline const coclass_info kSampleClass{u"cSample", kSampleClsid, TYPEFLAG_FCANCREATE, &kSample};

// A class whose default interface the library does not list.
inline const interface_info kDetached{
    u"_cDetached", kDetachedIid, TYPEFLAG_FDISPATCHABLE, {{u"Run", 1, INVOKE_FUNC, {}}}};
inline const coclass_info kDetachedClass{u"cDetached", kDetachedClsid, 0, &kDetached};

inline const library_info kLibrary{
    u"SampleCharts", kLibGuid, 1031, 2, 5, {&kSample, &kSeries, &kSampleClass, &kKind, &kDetachedClass},
    u"Sample chart library"};

// Library indexes of the types above.
enum : UINT { kSampleIndex, kSeriesIndex, kSampleClassIndex, kKindIndex, kDetachedClassIndex, kTypeCount };

// A TYPEDESC flattened: its chain of VARTYPEs, outermost first, and the name of the type
// its VT_USERDEFINED refers to (read through GetRefTypeInfo and GetDocumentation).
struct flat_type {
    std::vector<VARTYPE> chain;
    std::string ref_name;
    bool operator==(const flat_type &) const = default;
};

inline std::string name_of(ITypeInfo *t, MEMBERID memid = MEMBERID_NIL)
{
    oleaut::bstr name;
    if (FAILED(t->GetDocumentation(memid, name.put(), nullptr, nullptr, nullptr)))
        return "<no name>";
    return name.utf8();
}

inline flat_type flatten(ITypeInfo *owner, const TYPEDESC &type)
{
    flat_type out;
    const TYPEDESC *at = &type;
    while (true) {
        out.chain.push_back(at->vt);
        if (at->vt == VT_PTR || at->vt == VT_SAFEARRAY) {
            at = at->lptdesc;
            continue;
        }
        if (at->vt == VT_USERDEFINED) {
            oleaut::com_ptr<ITypeInfo> ref;
            out.ref_name = SUCCEEDED(owner->GetRefTypeInfo(at->hreftype, ref.put())) ? name_of(ref.get())
                                                                                      : "<unresolved>";
        }
        return out;
    }
}

inline std::ostream &operator<<(std::ostream &os, const flat_type &t)
{
    for (VARTYPE vt : t.chain)
        os << vt << ' ';
    return os << '"' << t.ref_name << '"';
}

}  // namespace type_test

#endif
