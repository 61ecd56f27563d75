// Type information of dispatch interfaces, enumerations and classes built from the
// sample descriptions: attributes, functions, names, ids, references and lifetime.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "oleaut/dispatch/module.hpp"
#include "oleaut/dispatch/typeinfo.hpp"
#include "oleaut/unknown.hpp"
#include "type_test_sample.hpp"

namespace {

using namespace type_test;
using oleaut::bstr;
using oleaut::com_ptr;

// Every test starts and ends with the same number of live objects of the toolkit: all
// type objects and all descriptor blocks handed out have been released.
class TypeInfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        live_at_start_ = live_objects();
        lib_ = make_type_library(kLibrary);
        ASSERT_TRUE(lib_);
    }
    void TearDown() override
    {
        lib_.reset();
        EXPECT_EQ(live_objects(), live_at_start_) << "a type object or descriptor was not released";
    }
    com_ptr<ITypeInfo> listed(UINT index)
    {
        com_ptr<ITypeInfo> t;
        EXPECT_EQ(lib_->GetTypeInfo(index, t.put()), S_OK);
        return t;
    }
    static com_ptr<ITypeInfo> ref_info(ITypeInfo *from, HREFTYPE href)
    {
        com_ptr<ITypeInfo> t;
        EXPECT_EQ(from->GetRefTypeInfo(href, t.put()), S_OK);
        return t;
    }
    static com_ptr<ITypeInfo> impl_info(ITypeInfo *from, UINT index)
    {
        HREFTYPE href = 0;
        EXPECT_EQ(from->GetRefTypeOfImplType(index, &href), S_OK);
        return ref_info(from, href);
    }

    long live_at_start_ = 0;
    com_ptr<ITypeLib> lib_;
};

// The TYPEATTR of a type, copied out and released.
TYPEATTR attr_of(ITypeInfo *t)
{
    TYPEATTR *raw = nullptr;
    EXPECT_EQ(t->GetTypeAttr(&raw), S_OK);
    TYPEATTR copy = raw ? *raw : TYPEATTR{};
    t->ReleaseTypeAttr(raw);
    return copy;
}

std::vector<std::string> names_for(ITypeInfo *t, MEMBERID memid, UINT max = 10)
{
    std::vector<BSTR> raw(std::max(max, 1u), nullptr);  // never a null array, even for max 0
    UINT count = 99;
    EXPECT_EQ(t->GetNames(memid, raw.data(), max, &count), S_OK);
    std::vector<std::string> out;
    for (UINT i = 0; i < count && i < max; ++i)
        out.push_back(bstr::attach(raw[i]).utf8());
    return out;
}

// ---- dispatch interface ---------------------------------------------------------------

TEST_F(TypeInfoTest, DispatchAttributesComeFromTheDescriptionAndTheLibrary)
{
    const TYPEATTR a = attr_of(listed(kSampleIndex).get());
    EXPECT_TRUE(IsEqualGUID(a.guid, kSampleIid));
    EXPECT_EQ(a.lcid, 1031u);
    EXPECT_EQ(a.typekind, TKIND_DISPATCH);
    EXPECT_EQ(a.cFuncs, 6) << "seven members, one of them vtable-only";
    EXPECT_EQ(a.cVars, 0);
    EXPECT_EQ(a.cImplTypes, 1);
    EXPECT_EQ(a.wTypeFlags, kSampleFlags);
    EXPECT_EQ(a.cbSizeVft, 7 * sizeof(void *));
    EXPECT_EQ(a.wMajorVerNum, 2);
    EXPECT_EQ(a.wMinorVerNum, 5);
    EXPECT_EQ(a.memidConstructor, MEMBERID_NIL);
    EXPECT_EQ(a.memidDestructor, MEMBERID_NIL);
}

TEST_F(TypeInfoTest, StandaloneInfoHasDefaultLocaleAndNoVersion)
{
    com_ptr<ITypeInfo> t = make_type_info(kSeries);
    const TYPEATTR a = attr_of(t.get());
    EXPECT_EQ(a.lcid, 1033u);
    EXPECT_EQ(a.wMajorVerNum, 0);
    EXPECT_EQ(a.wMinorVerNum, 0);
    EXPECT_EQ(a.cFuncs, 2);
    EXPECT_EQ(name_of(t.get()), "ISeries");
}

struct param_case {
    flat_type type;
    USHORT flags;
};

struct func_case {
    const char *name;
    MEMBERID memid;
    INVOKEKIND invkind;
    WORD func_flags;
    flat_type result;
    std::vector<param_case> params;
};

const std::vector<func_case> kSampleFuncs = {
    {"SetChartOptions",
     kSetOptions,
     INVOKE_FUNC,
     0,
     {{VT_VOID}, ""},
     {{{{VT_USERDEFINED}, "ChartKind"}, PARAMFLAG_FIN},
      {{{VT_I2}, ""}, PARAMFLAG_FIN},
      {{{VT_VARIANT}, ""}, PARAMFLAG_FIN | PARAMFLAG_FOPT},
      {{{VT_PTR, VT_VARIANT}, ""}, PARAMFLAG_FIN | PARAMFLAG_FOUT}}},
    {"Chart", kChart, INVOKE_PROPERTYGET, 0, {{VT_PTR, VT_USERDEFINED}, "Chart"}, {}},
    {"Caption", kCaption, INVOKE_PROPERTYGET, 0, {{VT_BSTR}, ""}, {}},
    {"Caption", kCaption, INVOKE_PROPERTYPUT, 0, {{VT_VOID}, ""}, {{{{VT_BSTR}, ""}, PARAMFLAG_FIN}}},
    {"Attach",
     kAttach,
     INVOKE_FUNC,
     FUNCFLAG_FHIDDEN,
     {{VT_BOOL}, ""},
     {{{{VT_PTR, VT_USERDEFINED}, "Chart"}, PARAMFLAG_FIN}, {{{VT_R8}, ""}, PARAMFLAG_FIN | PARAMFLAG_FOPT}}},
    {"Opacity", kOpacity, INVOKE_PROPERTYPUT, 0, {{VT_VOID}, ""}, {{{{VT_R8}, ""}, PARAMFLAG_FIN}}},
};

TEST_F(TypeInfoTest, EachFunctionDescribesItsMember)
{
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    for (UINT i = 0; i < kSampleFuncs.size(); ++i) {
        const func_case &c = kSampleFuncs[i];
        SCOPED_TRACE(c.name);
        FUNCDESC *f = nullptr;
        ASSERT_EQ(t->GetFuncDesc(i, &f), S_OK);
        EXPECT_EQ(f->memid, c.memid);
        EXPECT_EQ(f->invkind, c.invkind);
        EXPECT_EQ(f->funckind, FUNC_DISPATCH);
        EXPECT_EQ(f->callconv, CC_STDCALL);
        EXPECT_EQ(f->cParamsOpt, 0) << "optional parameters are flagged, not counted";
        EXPECT_EQ(f->wFuncFlags, c.func_flags);
        EXPECT_EQ(flatten(t.get(), f->elemdescFunc.tdesc), c.result);
        ASSERT_EQ(f->cParams, static_cast<SHORT>(c.params.size()));
        for (size_t p = 0; p < c.params.size(); ++p) {
            SCOPED_TRACE("parameter " + std::to_string(p));
            EXPECT_EQ(flatten(t.get(), f->lprgelemdescParam[p].tdesc), c.params[p].type);
            EXPECT_EQ(f->lprgelemdescParam[p].paramdesc.wParamFlags, c.params[p].flags);
        }
        EXPECT_EQ(name_of(t.get(), f->memid), c.name);
        t->ReleaseFuncDesc(f);
    }
    FUNCDESC *past = reinterpret_cast<FUNCDESC *>(1);
    EXPECT_EQ(t->GetFuncDesc(static_cast<UINT>(kSampleFuncs.size()), &past), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(past, nullptr);
}

TEST_F(TypeInfoTest, VtableOnlyMemberIsAbsent)
{
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    for (UINT i = 0; i < attr_of(t.get()).cFuncs; ++i) {
        FUNCDESC *f = nullptr;
        ASSERT_EQ(t->GetFuncDesc(i, &f), S_OK);
        EXPECT_NE(f->memid, kLegacy);
        t->ReleaseFuncDesc(f);
    }
    BSTR names[2] = {};
    UINT count = 7;
    EXPECT_EQ(t->GetNames(kLegacy, names, 2, &count), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(t->GetDocumentation(kLegacy, nullptr, nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);
}

struct names_case {
    MEMBERID memid;
    UINT max;
    std::vector<std::string> names;
};

TEST_F(TypeInfoTest, GetNamesListsMemberThenParameters)
{
    const names_case cases[] = {
        {kSetOptions, 10, {"SetChartOptions", "kind", "width", "title", "status"}},
        {kSetOptions, 2, {"SetChartOptions", "kind"}},
        {kSetOptions, 0, {}},
        {kChart, 10, {"Chart"}},
        {kCaption, 10, {"Caption"}},
        {kAttach, 10, {"Attach", "target", "opacity"}},
        // A property put's value is not listed.
        {kOpacity, 10, {"Opacity"}},
    };
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    for (const names_case &c : cases) {
        SCOPED_TRACE(std::to_string(c.memid) + " max " + std::to_string(c.max));
        EXPECT_EQ(names_for(t.get(), c.memid, c.max), c.names);
    }
}

struct ids_case {
    std::vector<std::u16string> names;
    HRESULT hr;
    std::vector<MEMBERID> ids;
};

TEST_F(TypeInfoTest, GetIDsOfNamesMatchesMembersAndParametersWithoutCase)
{
    const ids_case cases[] = {
        {{u"setchartoptions"}, S_OK, {kSetOptions}},
        {{u"SETCHARTOPTIONS", u"Width", u"STATUS"}, S_OK, {kSetOptions, 1, 3}},
        {{u"caption"}, S_OK, {kCaption}},
        {{u"Attach", u"opacity", u"target"}, S_OK, {kAttach, 1, 0}},
        {{u"SetChartOptions", u"nope", u"kind"}, DISP_E_UNKNOWNNAME, {kSetOptions, MEMBERID_NIL, 0}},
        {{u"Nothing", u"kind"}, DISP_E_UNKNOWNNAME, {MEMBERID_NIL, MEMBERID_NIL}},
        {{u"LegacyHandle"}, DISP_E_UNKNOWNNAME, {MEMBERID_NIL}},
        {{u"Opacity", u"value"}, DISP_E_UNKNOWNNAME, {kOpacity, MEMBERID_NIL}},
    };
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    for (const ids_case &c : cases) {
        SCOPED_TRACE(oleaut::utf16_to_utf8(c.names[0]) + " +" + std::to_string(c.names.size() - 1));
        std::vector<LPOLESTR> names;
        for (const std::u16string &n : c.names)
            names.push_back(const_cast<LPOLESTR>(n.c_str()));
        std::vector<MEMBERID> ids(names.size(), 12345);
        EXPECT_EQ(t->GetIDsOfNames(names.data(), static_cast<UINT>(names.size()), ids.data()), c.hr);
        EXPECT_EQ(ids, c.ids);
    }
}

TEST_F(TypeInfoTest, UnknownNameIsReportedWithAnErrorInfo)
{
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    LPOLESTR name = const_cast<LPOLESTR>(u"Colour");
    MEMBERID id = 0;
    ASSERT_EQ(t->GetIDsOfNames(&name, 1, &id), DISP_E_UNKNOWNNAME);
    com_ptr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    bstr source, description;
    info->GetSource(source.put());
    info->GetDescription(description.put());
    EXPECT_EQ(source.utf8(), "_cSample");
    EXPECT_NE(description.utf8().find("Colour"), std::string::npos) << description.utf8();
}

TEST_F(TypeInfoTest, DocumentationOfTypeAndMember)
{
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    bstr name, doc;
    DWORD context = 7;
    BSTR file = reinterpret_cast<BSTR>(1);
    ASSERT_EQ(t->GetDocumentation(MEMBERID_NIL, name.put(), doc.put(), &context, &file), S_OK);
    EXPECT_EQ(name.utf8(), "_cSample");
    EXPECT_EQ(doc.utf8(), "Draws \"sample\" charts");
    EXPECT_EQ(context, 0u);
    EXPECT_EQ(file, nullptr);
    ASSERT_EQ(t->GetDocumentation(kAttach, name.put(), doc.put(), nullptr, nullptr), S_OK);
    EXPECT_EQ(name.utf8(), "Attach");
    EXPECT_TRUE(doc.is_null());
}

TEST_F(TypeInfoTest, ParameterTypesResolveToTheRightTypes)
{
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    FUNCDESC *f = nullptr;
    ASSERT_EQ(t->GetFuncDesc(0, &f), S_OK);
    com_ptr<ITypeInfo> kind = ref_info(t.get(), f->lprgelemdescParam[0].tdesc.hreftype);
    t->ReleaseFuncDesc(f);
    EXPECT_EQ(kind.get(), listed(kKindIndex).get()) << "the library's own enumeration, not a copy";

    ASSERT_EQ(t->GetFuncDesc(1, &f), S_OK);
    com_ptr<ITypeInfo> chart = ref_info(t.get(), f->elemdescFunc.tdesc.lptdesc->hreftype);
    t->ReleaseFuncDesc(f);
    const TYPEATTR a = attr_of(chart.get());
    EXPECT_EQ(a.typekind, TKIND_DISPATCH);
    EXPECT_EQ(a.cFuncs, 0);
    EXPECT_EQ(name_of(chart.get()), "Chart");
    EXPECT_EQ(name_of(impl_info(chart.get(), 0).get()), "IDispatch");

    com_ptr<ITypeInfo> none;
    EXPECT_EQ(t->GetRefTypeInfo(0, none.put()), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(t->GetRefTypeInfo(0x7fff, none.put()), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_FALSE(none);
}

TEST_F(TypeInfoTest, DispatchDerivesFromIDispatchWhichDerivesFromIUnknown)
{
    com_ptr<ITypeInfo> base = impl_info(listed(kSeriesIndex).get(), 0);
    const TYPEATTR a = attr_of(base.get());
    EXPECT_EQ(name_of(base.get()), "IDispatch");
    EXPECT_TRUE(IsEqualGUID(a.guid, IID_IDispatch));
    EXPECT_EQ(a.typekind, TKIND_INTERFACE);
    com_ptr<ITypeInfo> unknown = impl_info(base.get(), 0);
    EXPECT_TRUE(IsEqualGUID(attr_of(unknown.get()).guid, IID_IUnknown));
    EXPECT_EQ(attr_of(unknown.get()).cImplTypes, 0);

    INT flags = -1;
    EXPECT_EQ(listed(kSeriesIndex)->GetImplTypeFlags(0, &flags), S_OK);
    EXPECT_EQ(flags, 0);
    HREFTYPE href = 0;
    EXPECT_EQ(listed(kSeriesIndex)->GetRefTypeOfImplType(static_cast<UINT>(-1), &href), TYPE_E_ELEMENTNOTFOUND)
        << "only a dual interface has another side";
}

TEST_F(TypeInfoTest, DualInterfaceAnswersItsVtableSide)
{
    com_ptr<ITypeInfo> disp = listed(kSampleIndex);
    com_ptr<ITypeInfo> vtbl = impl_info(disp.get(), static_cast<UINT>(-1));
    const TYPEATTR a = attr_of(vtbl.get());
    EXPECT_EQ(a.typekind, TKIND_INTERFACE);
    EXPECT_TRUE(IsEqualGUID(a.guid, kSampleIid));
    EXPECT_EQ(a.cFuncs, 6);
    EXPECT_EQ(a.cbSizeVft, (7 + 7) * sizeof(void *)) << "the vtable-only member keeps its slot";
    EXPECT_EQ(impl_info(vtbl.get(), static_cast<UINT>(-1)).get(), disp.get());

    // Attach follows the vtable-only accessor: slot 7 + 5, result as [out, retval].
    FUNCDESC *f = nullptr;
    ASSERT_EQ(vtbl->GetFuncDesc(4, &f), S_OK);
    EXPECT_EQ(f->memid, kAttach);
    EXPECT_EQ(f->funckind, FUNC_PUREVIRTUAL);
    EXPECT_EQ(f->oVft, static_cast<SHORT>(12 * sizeof(void *)));
    EXPECT_EQ(flatten(vtbl.get(), f->elemdescFunc.tdesc), (flat_type{{VT_HRESULT}, ""}));
    ASSERT_EQ(f->cParams, 3);
    EXPECT_EQ(flatten(vtbl.get(), f->lprgelemdescParam[2].tdesc), (flat_type{{VT_PTR, VT_BOOL}, ""}));
    EXPECT_EQ(f->lprgelemdescParam[2].paramdesc.wParamFlags, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
    vtbl->ReleaseFuncDesc(f);

    ASSERT_EQ(vtbl->GetFuncDesc(1, &f), S_OK);
    EXPECT_EQ(flatten(vtbl.get(), f->lprgelemdescParam[0].tdesc),
              (flat_type{{VT_PTR, VT_PTR, VT_USERDEFINED}, "Chart"}));
    vtbl->ReleaseFuncDesc(f);
    // On the vtable side a property put lists its value.
    EXPECT_EQ(names_for(vtbl.get(), kOpacity), (std::vector<std::string>{"Opacity", "value"}));

    ITypeLib *containing = nullptr;
    UINT index = 99;
    ASSERT_EQ(vtbl->GetContainingTypeLib(&containing, &index), S_OK);
    EXPECT_EQ(containing, lib_.get());
    EXPECT_EQ(index, kSampleIndex);
    containing->Release();
}

// An IDispatch that records the call it receives.
// It lives on the test's stack: whatever the count, it is never freed.
class recording_dispatch
    : public oleaut::unknown<recording_dispatch, oleaut::interfaces<IDispatch>, oleaut::caller_owned> {
public:
    DISPID last_id = 0;
    IID last_iid{};
    LCID last_lcid = 0;
    WORD last_flags = 0;
    int calls = 0;

    STDMETHOD(GetTypeInfoCount)(UINT *n) override
    {
        *n = 0;
        return S_OK;
    }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
    STDMETHOD(Invoke)(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS *, VARIANT *result, EXCEPINFO *,
                      UINT *) override
    {
        ++calls;
        last_id = id;
        last_iid = riid;
        last_lcid = lcid;
        last_flags = flags;
        if (result) {
            result->vt = VT_I4;
            result->lVal = 42;
        }
        return S_OK;
    }
};

TEST_F(TypeInfoTest, InvokeForwardsKnownMembersThroughIDispatch)
{
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    recording_dispatch target;
    DISPPARAMS none{};
    VARIANT result{};
    ASSERT_EQ(t->Invoke(static_cast<IDispatch *>(&target), kCaption, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                        nullptr),
              S_OK);
    EXPECT_EQ(target.calls, 1);
    EXPECT_EQ(target.last_id, kCaption);
    EXPECT_TRUE(IsEqualIID(target.last_iid, IID_NULL));
    EXPECT_EQ(target.last_lcid, 1033u);
    EXPECT_EQ(target.last_flags, DISPATCH_PROPERTYGET);
    EXPECT_EQ(result.lVal, 42);

    EXPECT_EQ(t->Invoke(&target, kLegacy, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(t->Invoke(&target, kOpacity, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND)
        << "Opacity can only be put";
    EXPECT_EQ(t->Invoke(nullptr, kCaption, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(target.calls, 1);
}

TEST_F(TypeInfoTest, ContainingLibraryOfListedStandaloneAndImportedTypes)
{
    for (UINT i = 0; i < kTypeCount; ++i) {
        ITypeLib *containing = nullptr;
        UINT index = 99;
        ASSERT_EQ(listed(i)->GetContainingTypeLib(&containing, &index), S_OK);
        EXPECT_EQ(containing, lib_.get());
        EXPECT_EQ(index, i);
        containing->Release();
    }
    ITypeLib *containing = reinterpret_cast<ITypeLib *>(1);
    EXPECT_EQ(make_type_info(kSeries)->GetContainingTypeLib(&containing, nullptr), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(containing, nullptr);
    com_ptr<ITypeInfo> idispatch = impl_info(listed(kSeriesIndex).get(), 0);
    EXPECT_EQ(idispatch->GetContainingTypeLib(&containing, nullptr), TYPE_E_ELEMENTNOTFOUND);
}

TEST_F(TypeInfoTest, SlotsWithoutMeaningHereAnswerNotImplemented)
{
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    const std::vector<std::pair<const char *, std::function<HRESULT()>>> slots = {
        {"GetTypeComp", [&] { ITypeComp *c = nullptr; return t->GetTypeComp(&c); }},
        {"GetDllEntry", [&] { return t->GetDllEntry(kAttach, INVOKE_FUNC, nullptr, nullptr, nullptr); }},
        {"AddressOfMember", [&] { void *p = nullptr; return t->AddressOfMember(kAttach, INVOKE_FUNC, &p); }},
        {"CreateInstance", [&] { void *p = nullptr; return t->CreateInstance(nullptr, IID_IDispatch, &p); }},
        {"GetMops", [&] { BSTR b = nullptr; return t->GetMops(kAttach, &b); }},
        {"Invoke on an enumeration",
         [&] { return listed(kKindIndex)->Invoke(nullptr, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr); }},
    };
    for (const auto &[name, call] : slots) {
        SCOPED_TRACE(name);
        SetErrorInfo(0, nullptr);
        EXPECT_EQ(call(), E_NOTIMPL);
        com_ptr<IErrorInfo> info;
        EXPECT_EQ(GetErrorInfo(0, info.put()), S_OK) << "the failure explains itself";
    }
}

TEST_F(TypeInfoTest, QueryInterfaceOffersITypeInfoOnly)
{
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    EXPECT_EQ(t.query<IUnknown>().get(), static_cast<IUnknown *>(t.get()));
    EXPECT_TRUE(t.query<ITypeInfo>());
    EXPECT_FALSE(t.query<IDispatch>());
    EXPECT_FALSE(t.query<ITypeLib>());
}

// ---- enumeration ----------------------------------------------------------------------

TEST_F(TypeInfoTest, EnumerationHasOneConstantPerValue)
{
    com_ptr<ITypeInfo> t = listed(kKindIndex);
    const TYPEATTR a = attr_of(t.get());
    EXPECT_EQ(a.typekind, TKIND_ENUM);
    EXPECT_TRUE(IsEqualGUID(a.guid, kKindGuid));
    EXPECT_EQ(a.cVars, 3);
    EXPECT_EQ(a.cFuncs, 0);
    EXPECT_EQ(a.cImplTypes, 0);

    for (UINT i = 0; i < kKind.constants.size(); ++i) {
        SCOPED_TRACE(i);
        VARDESC *v = nullptr;
        ASSERT_EQ(t->GetVarDesc(i, &v), S_OK);
        EXPECT_EQ(v->memid, static_cast<MEMBERID>(0x40000000 + i));
        EXPECT_EQ(v->varkind, VAR_CONST);
        EXPECT_EQ(v->elemdescVar.tdesc.vt, VT_I4);
        ASSERT_NE(v->lpvarValue, nullptr);
        EXPECT_EQ(v->lpvarValue->vt, VT_I4);
        EXPECT_EQ(v->lpvarValue->lVal, kKind.constants[i].value);
        EXPECT_EQ(names_for(t.get(), v->memid),
                  std::vector<std::string>{oleaut::utf16_to_utf8(kKind.constants[i].name)});
        t->ReleaseVarDesc(v);
    }
    VARDESC *past = nullptr;
    EXPECT_EQ(t->GetVarDesc(3, &past), TYPE_E_ELEMENTNOTFOUND);
    FUNCDESC *f = nullptr;
    EXPECT_EQ(t->GetFuncDesc(0, &f), TYPE_E_ELEMENTNOTFOUND);

    LPOLESTR name = const_cast<LPOLESTR>(u"KINDLINE");
    MEMBERID id = 0;
    EXPECT_EQ(t->GetIDsOfNames(&name, 1, &id), S_OK);
    EXPECT_EQ(id, 0x40000001);
}

// ---- class --------------------------------------------------------------------------

TEST_F(TypeInfoTest, ClassImplementsItsDefaultInterface)
{
    com_ptr<ITypeInfo> t = listed(kSampleClassIndex);
    const TYPEATTR a = attr_of(t.get());
    EXPECT_EQ(a.typekind, TKIND_COCLASS);
    EXPECT_TRUE(IsEqualGUID(a.guid, kSampleClsid));
    EXPECT_EQ(a.cImplTypes, 1);
    EXPECT_EQ(a.wTypeFlags, TYPEFLAG_FCANCREATE);
    INT flags = 0;
    ASSERT_EQ(t->GetImplTypeFlags(0, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    EXPECT_EQ(t->GetImplTypeFlags(1, &flags), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(impl_info(t.get(), 0).get(), listed(kSampleIndex).get()) << "the library's entry, not a copy";
}

TEST_F(TypeInfoTest, ClassWhoseInterfaceIsNotListedStillDescribesIt)
{
    com_ptr<ITypeInfo> iface = impl_info(listed(kDetachedClassIndex).get(), 0);
    EXPECT_EQ(name_of(iface.get()), "_cDetached");
    EXPECT_EQ(attr_of(iface.get()).cFuncs, 1);
    ITypeLib *containing = nullptr;
    EXPECT_EQ(iface->GetContainingTypeLib(&containing, nullptr), TYPE_E_ELEMENTNOTFOUND);
}

// ---- declared types -------------------------------------------------------------------

struct declared_case {
    VARTYPE vt;
    const char16_t *type_name;
    flat_type shown;
    TYPEKIND ref_kind;  // of the referenced type, when there is one
};

TEST_F(TypeInfoTest, DeclaredTypesAreShownAsIdlWouldDeclareThem)
{
    const declared_case cases[] = {
        {VT_I2, nullptr, {{VT_I2}, ""}, TKIND_MAX},
        {VT_I4, nullptr, {{VT_I4}, ""}, TKIND_MAX},
        {VT_R8, nullptr, {{VT_R8}, ""}, TKIND_MAX},
        {VT_CY, nullptr, {{VT_CY}, ""}, TKIND_MAX},
        {VT_DATE, nullptr, {{VT_DATE}, ""}, TKIND_MAX},
        {VT_DECIMAL, nullptr, {{VT_DECIMAL}, ""}, TKIND_MAX},
        {VT_UI1, nullptr, {{VT_UI1}, ""}, TKIND_MAX},
        {VT_DISPATCH, nullptr, {{VT_DISPATCH}, ""}, TKIND_MAX},
        {VT_UNKNOWN, nullptr, {{VT_UNKNOWN}, ""}, TKIND_MAX},
        {VT_BYREF | VT_VARIANT, nullptr, {{VT_PTR, VT_VARIANT}, ""}, TKIND_MAX},
        {VT_BYREF | VT_BSTR, nullptr, {{VT_PTR, VT_BSTR}, ""}, TKIND_MAX},
        {VT_ARRAY | VT_BSTR, nullptr, {{VT_SAFEARRAY, VT_BSTR}, ""}, TKIND_MAX},
        {VT_DISPATCH, u"Range", {{VT_PTR, VT_USERDEFINED}, "Range"}, TKIND_DISPATCH},
        {VT_UNKNOWN, u"IStream", {{VT_PTR, VT_USERDEFINED}, "IStream"}, TKIND_INTERFACE},
        {VT_I4, u"XlAxisType", {{VT_USERDEFINED}, "XlAxisType"}, TKIND_ENUM},
        {VT_ARRAY | VT_DISPATCH, u"Range", {{VT_SAFEARRAY, VT_PTR, VT_USERDEFINED}, "Range"}, TKIND_DISPATCH},
    };
    for (const declared_case &c : cases) {
        SCOPED_TRACE(::testing::Message() << "vt " << c.vt);
        const interface_info iface{u"IProbe", kSeriesIid, TYPEFLAG_FDISPATCHABLE,
                                   {{u"Probe", 1, INVOKE_FUNC, {{u"arg", c.vt, false, c.type_name}}}}};
        com_ptr<ITypeInfo> t = make_type_info(iface);
        FUNCDESC *f = nullptr;
        ASSERT_EQ(t->GetFuncDesc(0, &f), S_OK);
        const TYPEDESC &arg = f->lprgelemdescParam[0].tdesc;
        EXPECT_EQ(flatten(t.get(), arg), c.shown);
        if (c.ref_kind != TKIND_MAX) {
            const TYPEDESC *inner = &arg;
            while (inner->vt != VT_USERDEFINED)
                inner = inner->lptdesc;
            EXPECT_EQ(attr_of(ref_info(t.get(), inner->hreftype).get()).typekind, c.ref_kind);
        }
        t->ReleaseFuncDesc(f);
    }
}

// ---- lifetime -------------------------------------------------------------------------

TEST_F(TypeInfoTest, UnreleasedDescriptorsCountAsLiveObjects)
{
    com_ptr<ITypeInfo> t = listed(kSampleIndex);
    const long before = live_objects();
    FUNCDESC *f = nullptr;
    TYPEATTR *a = nullptr;
    VARDESC *v = nullptr;
    ASSERT_EQ(t->GetFuncDesc(0, &f), S_OK);
    ASSERT_EQ(t->GetTypeAttr(&a), S_OK);
    ASSERT_EQ(listed(kKindIndex)->GetVarDesc(0, &v), S_OK);
    EXPECT_EQ(live_objects(), before + 3);
    t->ReleaseFuncDesc(f);
    t->ReleaseTypeAttr(a);
    listed(kKindIndex)->ReleaseVarDesc(v);
    EXPECT_EQ(live_objects(), before);
}

TEST_F(TypeInfoTest, ATypeKeepsItsLibraryAlive)
{
    com_ptr<ITypeInfo> t = listed(kSampleClassIndex);
    lib_.reset();
    ITypeLib *containing = nullptr;
    ASSERT_EQ(t->GetContainingTypeLib(&containing, nullptr), S_OK);
    com_ptr<ITypeLib> back = com_ptr<ITypeLib>::attach(containing);
    EXPECT_EQ(back->GetTypeInfoCount(), kTypeCount);
    EXPECT_EQ(name_of(impl_info(t.get(), 0).get()), "_cSample");
    t.reset();
    EXPECT_GT(live_objects(), live_at_start_);
    back.reset();
    EXPECT_EQ(live_objects(), live_at_start_);
}

}  // namespace
