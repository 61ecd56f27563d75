// dump_idl: libraries rendered through their COM interfaces, compared with the IDL
// their descriptions declare.
#include <gtest/gtest.h>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/module.hpp"
#include "oleaut/dispatch/typeinfo.hpp"
#include "type_test_sample.hpp"
#include "widl_compile.hpp"

namespace {

using namespace type_test;

// What the sample descriptions declare: the enumeration comes first, so that the
// interface can name it; the dual interface is declared from its vtable side, HRESULT
// results with the declared result as [out, retval]; the vtable-only accessor keeps its
// slot as [restricted, hidden]; the get/put pair shares its id, the put's value is "rhs";
// "Chart", which the library does not declare, is the IDispatch it arrives as; the class
// names the dual interface as an interface.
const char *const kSampleIdl =
    R"(import "oaidl.idl";

[uuid(5A1E0001-1111-4222-8333-444455556666), version(2.5), lcid(1031), helpstring("Sample chart library")] library SampleCharts {
    importlib("stdole2.tlb");
    typedef [uuid(5A1E0005-1111-4222-8333-444455556666)] enum ChartKind {
        kindColumn = 51,
        kindLine = 4,
        kindPie = -5
    } ChartKind;
    [uuid(5A1E0002-1111-4222-8333-444455556666), helpstring("Draws \"sample\" charts"), hidden, dual, nonextensible, oleautomation] interface _cSample : IDispatch {
        [id(0x60030000)] HRESULT SetChartOptions([in] ChartKind kind, [in] short width, [in, optional] VARIANT title, [in, out] VARIANT* status);
        [id(0x40030001), propget] HRESULT Chart([out, retval] IDispatch** result);
        [id(0x40030002), propget] HRESULT Caption([out, retval] BSTR* result);
        [id(0x40030002), propput] HRESULT Caption([in] BSTR rhs);
        [id(0x60030003), propget, restricted, hidden] HRESULT LegacyHandle([out, retval] long* result);
        [id(0x60030004), hidden] HRESULT Attach([in] IDispatch* target, [in, optional] double opacity, [out, retval] VARIANT_BOOL* result);
        [id(0x40030005), propput] HRESULT Opacity([in] double value);
    };
    [uuid(5A1E0003-1111-4222-8333-444455556666)] dispinterface ISeries {
        properties:
        methods:
            [id(0x00000001), propget] BSTR Caption();
            [id(0x00000002), propget] double Point([in] long index);
    };
    [uuid(5A1E0004-1111-4222-8333-444455556666)] coclass cSample {
        [default] interface _cSample;
    };
    [uuid(5A1E0007-1111-4222-8333-444455556666), noncreatable] coclass cDetached {
        [default] dispinterface _cDetached;
    };
};
)";

TEST(IdlDump, SampleLibraryMatchesItsDescriptions)
{
    const long live = live_objects();
    EXPECT_EQ(dump_idl(make_type_library(kLibrary).get()), kSampleIdl);
    EXPECT_EQ(live_objects(), live) << "every descriptor read was released";
}

TEST(IdlDump, IndexedPropertyPutNamesItsIndexAndValue)
{
    const interface_info items{u"IItems",
                               kSeriesIid,
                               TYPEFLAG_FDISPATCHABLE,
                               {{u"Item", DISPID_VALUE, INVOKE_PROPERTYGET, {{u"index", VT_I4}}, VT_VARIANT},
                                {u"Item",
                                 DISPID_VALUE,
                                 INVOKE_PROPERTYPUT,
                                 {{u"index", VT_I4}, {u"value", VT_VARIANT}}},
                                {u"_NewEnum", DISPID_NEWENUM, INVOKE_FUNC, {}, VT_UNKNOWN, nullptr,
                                 FUNCFLAG_FRESTRICTED | FUNCFLAG_FHIDDEN}}};
    const library_info lib{u"Items", kLibGuid, 1033, 1, 0, {&items}};
    EXPECT_EQ(dump_idl(make_type_library(lib).get()),
              "import \"oaidl.idl\";\n\n"
              "[uuid(5A1E0001-1111-4222-8333-444455556666), version(1.0), lcid(1033)] library Items {\n"
              "    importlib(\"stdole2.tlb\");\n"
              "    [uuid(5A1E0003-1111-4222-8333-444455556666)] dispinterface IItems {\n"
              "        properties:\n"
              "        methods:\n"
              "            [id(0x00000000), propget] VARIANT Item([in] long index);\n"
              "            [id(0x00000000), propput] void Item([in] long index, [in] VARIANT rhs);\n"
              "            [id(0xfffffffc), restricted, hidden] IUnknown* _NewEnum();\n"
              "    };\n"
              "};\n");
}

struct type_word_case {
    VARTYPE vt;
    const char16_t *type_name;
    const char *shown;  // "[attributes] type" as the parameter is declared
};

TEST(IdlDump, EachDeclaredTypeHasItsIdlWord)
{
    const type_word_case cases[] = {
        {VT_I2, nullptr, "[in] short"},
        {VT_I4, nullptr, "[in] long"},
        {VT_R4, nullptr, "[in] float"},
        {VT_R8, nullptr, "[in] double"},
        {VT_CY, nullptr, "[in] CURRENCY"},
        {VT_DATE, nullptr, "[in] DATE"},
        {VT_BSTR, nullptr, "[in] BSTR"},
        {VT_DISPATCH, nullptr, "[in] IDispatch*"},
        {VT_ERROR, nullptr, "[in] SCODE"},
        {VT_BOOL, nullptr, "[in] VARIANT_BOOL"},
        {VT_VARIANT, nullptr, "[in] VARIANT"},
        {VT_UNKNOWN, nullptr, "[in] IUnknown*"},
        {VT_DECIMAL, nullptr, "[in] DECIMAL"},
        {VT_I1, nullptr, "[in] char"},
        {VT_UI1, nullptr, "[in] unsigned char"},
        {VT_UI2, nullptr, "[in] unsigned short"},
        {VT_UI4, nullptr, "[in] unsigned long"},
        {VT_I8, nullptr, "[in] int64"},
        {VT_UI8, nullptr, "[in] uint64"},
        {VT_INT, nullptr, "[in] int"},
        {VT_UINT, nullptr, "[in] unsigned int"},
        {VT_BYREF | VT_BSTR, nullptr, "[in, out] BSTR*"},
        {VT_ARRAY | VT_VARIANT, nullptr, "[in] SAFEARRAY(VARIANT)"},
        {VT_DISPATCH, u"Range", "[in] Range*"},
        {VT_UNKNOWN, u"IStream", "[in] IStream*"},
        {VT_I4, u"XlAxisType", "[in] XlAxisType"},
    };
    for (const type_word_case &c : cases) {
        SCOPED_TRACE(c.shown);
        const interface_info probe{u"IProbe",
                                   kSeriesIid,
                                   TYPEFLAG_FDISPATCHABLE,
                                   {{u"Probe", 1, INVOKE_FUNC, {{u"arg", c.vt, false, c.type_name}}}}};
        const library_info lib{u"Probes", kLibGuid, 1033, 1, 0, {&probe}};
        const std::string text = dump_idl(make_type_library(lib).get());
        const std::string line = std::string("[id(0x00000001)] void Probe(") + c.shown + " arg);\n";
        EXPECT_NE(text.find(line), std::string::npos) << text;
    }
}

TEST(IdlDump, EmptyLibraryWithoutDocumentation)
{
    const library_info lib{u"Empty", kLibGuid, 1033, 3, 1, {}};
    EXPECT_EQ(dump_idl(make_type_library(lib).get()),
              "import \"oaidl.idl\";\n\n"
              "[uuid(5A1E0001-1111-4222-8333-444455556666), version(3.1), lcid(1033)] library Empty {\n"
              "    importlib(\"stdole2.tlb\");\n"
              "};\n");
}

TEST(IdlDump, VtableOnlyMembersKeepTheirSlotsFirstAndLast)
{
    // Slots 7 and 9 are left out of the type information; the text declares all three.
    const interface_info edges{u"_cEdges",
                               kSampleIid,
                               kSampleFlags,
                               {{u"Handle", 0x60030000, INVOKE_PROPERTYGET, {}, VT_I4, nullptr, 0, true},
                                {u"Width", 0x60030001, INVOKE_PROPERTYPUT, {{u"value", VT_I2}}},
                                {u"Attach", 0x60030002, INVOKE_FUNC, {{u"target", VT_BYREF | VT_VARIANT}}, VT_EMPTY,
                                 nullptr, 0, true}}};
    const library_info lib{u"Edges", kLibGuid, 1033, 1, 0, {&edges}};
    const std::string text = dump_idl(make_type_library(lib).get());
    EXPECT_NE(text.find("interface _cEdges : IDispatch {\n"
                        "        [id(0x60030000), propget, restricted, hidden] HRESULT Handle([out, retval] long* result);\n"
                        "        [id(0x60030001), propput] HRESULT Width([in] short value);\n"
                        "        [id(0x60030002), restricted, hidden] HRESULT Attach([in, out] VARIANT* target);\n"
                        "    };\n"),
              std::string::npos)
        << text;
}

TEST(IdlDump, DualLibraryCompilesWithWidl)
{
    if (const std::string why = widl_compile::widl_unavailable(); !why.empty())
        GTEST_SKIP() << "cannot compile the dump: " << why;
    // The sample's dual interface, its enumeration and its class: every name declared.
    const library_info lib{u"SampleCharts", kLibGuid, 1031, 2, 5, {&kSample, &kSampleClass, &kKind}};
    const std::string idl = dump_idl(make_type_library(lib).get());
    std::string messages;
    EXPECT_EQ(widl_compile::compile_to_typelib(idl, messages), 0) << messages << "\n" << idl;
    EXPECT_EQ(messages.find("warning"), std::string::npos) << messages;
}

TEST(IdlDump, UndeclaredTypeFailsToCompile)
{
    if (const std::string why = widl_compile::widl_unavailable(); !why.empty())
        GTEST_SKIP() << "cannot compile the dump: " << why;
    // The check itself: a class whose interface the library does not declare is refused.
    const library_info lib{u"Detached", kLibGuid, 1033, 1, 0, {&kDetachedClass}};
    std::string messages;
    EXPECT_NE(widl_compile::compile_to_typelib(dump_idl(make_type_library(lib).get()), messages), 0);
}

TEST(IdlDump, NoLibraryIsAnError)
{
    try {
        (void)dump_idl(nullptr);
        FAIL() << "a null library was rendered";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), E_POINTER);
        EXPECT_FALSE(e.description().empty());
    }
}

}  // namespace
