// The component as clients reach it: late-bound through GetIDsOfNames and Invoke the way a
// script engine calls, and activated by ProgID from its registered library.
#include <dlfcn.h>

#include <cstdlib>

#include "comutil.hpp"
#include "component_fixture.hpp"

namespace {

using component_test::fixture;
using oleaut::bstr;
using oleaut::com_ptr;
using oleaut::variant;

using AutomationSurface = fixture;

DISPID id_of(IDispatch *d, const char16_t *name)
{
    LPOLESTR n = const_cast<LPOLESTR>(name);
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(d->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_EN_US, &id), S_OK) << oleaut::utf16_to_utf8(name);
    return id;
}

// A client asks ISupportErrorInfo before it trusts the error info a failed call left.
TEST_F(AutomationSurface, SupportsErrorInfoForItsOwnInterfacesOnly)
{
    auto q = create();
    com_ptr<ISupportErrorInfo> support = q.query<ISupportErrorInfo>();
    ASSERT_TRUE(support);
    const struct {
        const char *what;
        const IID *iid;
        HRESULT expected;
    } rows[] = {
        {"_cQuillet", &quillet::IID__cQuillet, S_OK},
        {"IDispatch", &IID_IDispatch, S_OK},
        {"IUnknown", &IID_IUnknown, S_FALSE},
        {"ISupportErrorInfo", &IID_ISupportErrorInfo, S_FALSE},
        {"IClassFactory", &IID_IClassFactory, S_FALSE},
        {"IID_NULL", &IID_NULL, S_FALSE},
    };
    for (const auto &r : rows)
        EXPECT_EQ(support->InterfaceSupportsErrorInfo(*r.iid), r.expected) << r.what;
}

TEST_F(AutomationSurface, NamesInAnyCaseAnswerTheFixedIds)
{
    auto q = create();
    const std::pair<const char16_t *, DISPID> rows[] = {
        {u"oQuillet", 0x40030002},         {u"OQUILLET", 0x40030002},         {u"setchartoptions", 0x60030002},
        {u"AddDataSeries", 0x60030003},    {u"SetChartTitles", 0x60030004},   {u"SETXAXISHEADINGS", 0x60030005},
        {u"SetBackgroundEffect", 0x60030006}, {u"exporttogif", 0x60030007}, {u"Reset", 0x60030008},
    };
    for (const auto &[name, id] : rows)
        EXPECT_EQ(id_of(q.get(), name), id) << oleaut::utf16_to_utf8(name);
}

// A script engine passes its variables by reference and calls with METHOD | PROPERTYGET.
HRESULT script_call(IDispatch *d, const char16_t *member, std::vector<variant> &vars, VARIANT *result,
                    EXCEPINFO *ei = nullptr)
{
    std::vector<VARIANT> args;
    for (auto it = vars.rbegin(); it != vars.rend(); ++it)
        args.push_back(variant::byref(&*it));
    DISPPARAMS dp{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return d->Invoke(id_of(d, member), IID_NULL, LOCALE_EN_US, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &dp, result,
                     ei, nullptr);
}

TEST_F(AutomationSurface, AScriptBuildsAndExportsAChart)
{
    auto q = create();
    auto rs = recordset(numbers(3));
    std::vector<variant> add = {variant::unknown(rs.get()), variant::str(u"Sales"), variant::str(u"North"),
                                variant::boolean(true), variant::i2(-1)};
    variant none;
    ASSERT_EQ(script_call(q.get(), u"AddDataSeries", add, none.put()), S_OK);
    std::vector<variant> options = {variant::str(u"51"), variant::i4(400), variant::r8(300)};
    ASSERT_EQ(script_call(q.get(), u"SetChartOptions", options, none.put()), S_OK);
    EXPECT_EQ(calls_of("ChartType").back(), "Chart#8.put ChartType(I4 51)");
    std::vector<variant> titles = {variant::str(u"Sales"), variant::null(), variant()};
    ASSERT_EQ(script_call(q.get(), u"SetChartTitles", titles, none.put()), S_OK);
    std::vector<variant> file = {variant::str(u"out.gif")};
    variant result;
    ASSERT_EQ(script_call(q.get(), u"ExportToGif", file, result.put()), S_OK);
    EXPECT_EQ(result.vt, VT_I2);
    EXPECT_EQ(result.iVal, 1);
}

TEST_F(AutomationSurface, ErrorsArriveAsExceptionInfo)
{
    auto q = create();
    std::vector<variant> file = {variant::str(u"out.gif")};
    variant result = variant::i4(5);
    EXCEPINFO ei{};
    ASSERT_EQ(script_call(q.get(), u"ExportToGif", file, result.put(), &ei), DISP_E_EXCEPTION);
    EXPECT_EQ(ei.scode, static_cast<SCODE>(0x800403E9));
    EXPECT_EQ(bstr::attach(ei.bstrSource).str(), u"Quillet.cQuillet");
    EXPECT_EQ(bstr::attach(ei.bstrDescription).str(), u"No data series in chart");
    SysFreeString(ei.bstrHelpFile);
    EXPECT_EQ(result.vt, VT_EMPTY);
}

TEST_F(AutomationSurface, NullRecordsetReachesTheMembersOwnCheck)
{
    auto q = create();
    std::vector<variant> add = {variant::dispatch(nullptr), variant::str(u"Sales"), variant::str(u""),
                                variant::boolean(false), variant::boolean(false)};
    EXCEPINFO ei{};
    variant none;
    ASSERT_EQ(script_call(q.get(), u"AddDataSeries", add, none.put(), &ei), DISP_E_EXCEPTION);
    EXPECT_EQ(bstr::attach(ei.bstrDescription).str(), u"Invalid recordset or column name");
    SysFreeString(ei.bstrSource);
    SysFreeString(ei.bstrHelpFile);
    EXPECT_TRUE(log_entries().empty());
}

TEST_F(AutomationSurface, OQuilletGetAndSetByReferenceShareAnIdButLetIsRefused)
{
    auto q = create();
    com_ptr<IDispatch> other = com_ptr<IDispatch>::attach(host_->make_chart());
    variant value = variant::dispatch(other.get());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS dp{&value, &put, 1, 1};
    EXPECT_EQ(q->Invoke(0x40030002, IID_NULL, LOCALE_EN_US, DISPATCH_PROPERTYPUT, &dp, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(q->Invoke(0x40030002, IID_NULL, LOCALE_EN_US, DISPATCH_PROPERTYPUTREF, &dp, nullptr, nullptr, nullptr),
              S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    variant got;
    ASSERT_EQ(q->Invoke(0x40030002, IID_NULL, LOCALE_EN_US, DISPATCH_PROPERTYGET, &none, got.put(), nullptr, nullptr),
              S_OK);
    EXPECT_EQ(got.pdispVal, other.get());
}

TEST_F(AutomationSurface, ActivatedByProgIdAndUnloadedWhenTheLastObjectGoes)
{
    ASSERT_EQ(std::system(REGSVR_PATH " -s " QUILLET_LIB), 0);
    {
        com_ptr<IDispatch> q = oleaut::rt::create_object(u"Quillet.cQuillet");
        EXPECT_EQ(host_->applications_created, 1);
        com_ptr<IClassFactory> factory;
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(u"Quillet.cQuillet", &clsid), S_OK);
        ASSERT_EQ(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.put_void()), S_OK);
        IUnknown *aggregate = nullptr;
        EXPECT_EQ(factory->CreateInstance(q.get(), IID_IUnknown, reinterpret_cast<void **>(&aggregate)),
                  CLASS_E_NOAGGREGATION);
        ASSERT_EQ(factory->LockServer(TRUE), S_OK);
        factory.reset();
        q.reset();
        CoFreeUnusedLibraries();
        void *still = dlopen(QUILLET_LIB, RTLD_NOW | RTLD_NOLOAD);
        EXPECT_NE(still, nullptr) << "a server lock keeps the library";
        if (still)
            dlclose(still);
        ASSERT_EQ(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.put_void()), S_OK);
        ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    }
    CoFreeUnusedLibraries();
    EXPECT_EQ(dlopen(QUILLET_LIB, RTLD_NOW | RTLD_NOLOAD), nullptr) << "the library was not unloaded";
    EXPECT_TRUE(host_->quit_called);
}

}  // namespace
