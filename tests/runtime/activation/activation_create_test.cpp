// CoCreateInstance and CoGetClassObject against the test server and against the ways
// a registration can be wrong.
#include <gtest/gtest.h>

#include <thread>

#include "oleaut/com_ptr.hpp"
#include "support/registry_access.hpp"
#include "support/temp_registry.hpp"
#include "support/test_server_registration.hpp"

using namespace test_support;
using oleaut::com_ptr;

namespace {

// {0F0F0F0F-1234-5678-9ABC-DEF012345678}: a class the tests register by hand.
constexpr CLSID kHandMadeClsid = {0x0F0F0F0F, 0x1234, 0x5678, {0x9A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56, 0x78}};
constexpr const char16_t *kHandMadeInproc = u"CLSID\\{0F0F0F0F-1234-5678-9ABC-DEF012345678}\\InprocServer32";

class Activation : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CoInitialize(nullptr), S_OK); }
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        CoUninitialize();
    }
    // CoCreateInstance of the hand-made class; its error info's description in *why.
    HRESULT create_hand_made(std::string *why)
    {
        SetErrorInfo(0, nullptr);
        com_ptr<IUnknown> unk;
        HRESULT hr = CoCreateInstance(kHandMadeClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, unk.put_void());
        EXPECT_FALSE(unk) << "a failed activation must not hand out an object";
        *why = error_info_description();
        return hr;
    }
    temp_registry registry;
};

DISPID dispid_of(IDispatch *d, const char16_t *name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_EN_US, &id), S_OK);
    return id;
}

LONG invoke_i4(IDispatch *d, DISPID id, WORD flags, std::vector<VARIANT> args = {}, DISPID *named = nullptr)
{
    DISPPARAMS params{args.data(), named, static_cast<UINT>(args.size()), named ? 1u : 0u};
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(d->Invoke(id, IID_NULL, LOCALE_EN_US, flags, &params, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    return result.lVal;
}

VARIANT i4(LONG v)
{
    VARIANT x;
    VariantInit(&x);
    x.vt = VT_I4;
    x.lVal = v;
    return x;
}

TEST_F(Activation, CreatesByProgIdAndCallsThroughIDispatch)
{
    ASSERT_EQ(register_test_server(), S_OK);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(test_server::kCounterProgId, &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, test_server::kCounterClsid));
    com_ptr<IDispatch> counter;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, counter.put_void()), S_OK);
    ASSERT_TRUE(counter);
    DISPID increment = dispid_of(counter.get(), u"increment");
    DISPID value = dispid_of(counter.get(), u"VALUE");
    EXPECT_EQ(invoke_i4(counter.get(), increment, DISPATCH_METHOD), 1);
    EXPECT_EQ(invoke_i4(counter.get(), increment, DISPATCH_METHOD), 2);
    DISPID put = DISPID_PROPERTYPUT;
    std::vector<VARIANT> forty{i4(40)};
    DISPPARAMS put_params{forty.data(), &put, 1, 1};
    ASSERT_EQ(counter->Invoke(value, IID_NULL, LOCALE_EN_US, DISPATCH_PROPERTYPUT, &put_params, nullptr, nullptr,
                              nullptr),
              S_OK);
    EXPECT_EQ(invoke_i4(counter.get(), increment, DISPATCH_METHOD, {i4(2)}), 42);
    EXPECT_EQ(invoke_i4(counter.get(), value, DISPATCH_PROPERTYGET), 42);
}

TEST_F(Activation, ClassObjectIsAClassFactory)
{
    ASSERT_EQ(register_test_server(), S_OK);
    com_ptr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(test_server::kCounterClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               factory.put_void()),
              S_OK);
    com_ptr<IDispatch> a, b;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, a.put_void()), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, b.put_void()), S_OK);
    EXPECT_NE(a.get(), b.get());
}

TEST_F(Activation, ServerRefusalsPassThrough)
{
    ASSERT_EQ(register_test_server(), S_OK);
    com_ptr<IUnknown> unk;
    IUnknown *outer = reinterpret_cast<IUnknown *>(0x10);
    EXPECT_EQ(CoCreateInstance(test_server::kCounterClsid, outer, CLSCTX_INPROC_SERVER, IID_IUnknown, unk.put_void()),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(test_server::kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IID_ITypeLib, unk.put_void()),
              E_NOINTERFACE);
    EXPECT_FALSE(unk);
}

TEST_F(Activation, ProgIdFromClsidAnswersTaskMemory)
{
    ASSERT_EQ(register_test_server(), S_OK);
    LPOLESTR progid = nullptr;
    ASSERT_EQ(ProgIDFromCLSID(test_server::kCounterClsid, &progid), S_OK);
    EXPECT_EQ(std::u16string(progid), test_server::kCounterProgId);
    CoTaskMemFree(progid);
    EXPECT_EQ(ProgIDFromCLSID(kHandMadeClsid, &progid), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(progid, nullptr);
}

TEST_F(Activation, VersionIndependentProgIdFollowsCurVer)
{
    ASSERT_EQ(register_test_server(), S_OK);
    ASSERT_EQ(put_string(u"QuilletTest.Any\\CurVer", nullptr, test_server::kCounterProgId), ERROR_SUCCESS);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"QuilletTest.Any", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, test_server::kCounterClsid));
}

TEST_F(Activation, UnknownProgIdIsAClassStringError)
{
    CLSID clsid{};
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(CLSIDFromProgID(u"No.Such.Thing", &clsid), CO_E_CLASSSTRING);
    std::string why = error_info_description();
    EXPECT_NE(why.find("No.Such.Thing"), std::string::npos) << why;
    EXPECT_NE(why.find(registry.path()), std::string::npos) << why;
}

class MalformedClsid : public Activation, public ::testing::WithParamInterface<const char16_t *> {};

TEST_P(MalformedClsid, RegisteredUnderAProgIdIsAClassStringError)
{
    ASSERT_EQ(put_string(u"Bad.Registration\\CLSID", nullptr, GetParam()), ERROR_SUCCESS);
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Bad.Registration", &clsid), CO_E_CLASSSTRING);
}

TEST_P(MalformedClsid, AsAClassStringIsRefused)
{
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromString(GetParam(), &clsid), CO_E_CLASSSTRING);
}

INSTANTIATE_TEST_SUITE_P(Shapes, MalformedClsid,
                         ::testing::Values(u"not a guid", u"{6B3F2A51-8C4D-4E7A-9F12-3D5C7B9E1A4}",
                                           u"6B3F2A51-8C4D-4E7A-9F12-3D5C7B9E1A42", u"{6B3F2A51-8C4D-4E7A-9F12-3D5C7B9E1A4Z}",
                                           u"{6B3F2A51_8C4D-4E7A-9F12-3D5C7B9E1A42}", u""));

TEST_F(Activation, UnregisteredClassIsClassNotRegistered)
{
    std::string why;
    EXPECT_EQ(create_hand_made(&why), REGDB_E_CLASSNOTREG);
    EXPECT_NE(why.find("{0F0F0F0F-1234-5678-9ABC-DEF012345678}"), std::string::npos) << why;
}

TEST_F(Activation, OutOfProcessContextIsClassNotRegistered)
{
    ASSERT_EQ(register_test_server(), S_OK);
    com_ptr<IUnknown> unk;
    EXPECT_EQ(CoCreateInstance(test_server::kCounterClsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, unk.put_void()),
              REGDB_E_CLASSNOTREG);
}

struct broken_registration_case {
    const char *label;
    std::string library;  // what InprocServer32 names; empty: a junk file made by the test
    HRESULT expected;
    const char *explanation;  // must appear in the error info's description
};

class BrokenRegistration : public Activation, public ::testing::WithParamInterface<broken_registration_case> {};

TEST_P(BrokenRegistration, FailsWithTheWindowsCodeAndSaysWhy)
{
    const broken_registration_case &c = GetParam();
    std::string library = c.library;
    if (library.empty()) {
        library = registry.dir() + "/junk.so";
        write_file(library, "this is not a shared library");
    }
    ASSERT_EQ(put_string(kHandMadeInproc, nullptr, std::u16string(library.begin(), library.end())), ERROR_SUCCESS);
    std::string why;
    EXPECT_EQ(create_hand_made(&why), c.expected);
    EXPECT_NE(why.find(library), std::string::npos) << why;
    EXPECT_NE(why.find(c.explanation), std::string::npos) << why;
}

INSTANTIATE_TEST_SUITE_P(
    Causes, BrokenRegistration,
    ::testing::Values(broken_registration_case{"library_missing", "/nonexistent/libgone.so",
                                               HRESULT_FROM_WIN32(126), "does not exist"},
                      broken_registration_case{"no_DllGetClassObject", OLEAUT_LIBRARY_PATH, CO_E_ERRORINDLL,
                                               "DllGetClassObject"},
                      broken_registration_case{"not_a_library", "", CO_E_ERRORINDLL, "could not be loaded"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(Activation, EmptyLibraryPathIsClassNotRegistered)
{
    ASSERT_EQ(put_string(kHandMadeInproc, nullptr, u""), ERROR_SUCCESS);
    std::string why;
    EXPECT_EQ(create_hand_made(&why), REGDB_E_CLASSNOTREG);
}

TEST_F(Activation, DamagedRegistryIsReadRegDbNamingFileAndLine)
{
    registry.set_text("[CLSID]\n\n\ngarbage\n");
    std::string why;
    EXPECT_EQ(create_hand_made(&why), REGDB_E_READREGDB);
    EXPECT_NE(why.find(registry.path()), std::string::npos) << why;
    EXPECT_NE(why.find("line 4"), std::string::npos) << why;
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Any.Thing", &clsid), REGDB_E_READREGDB);
}

TEST_F(Activation, NullOutPointersAreRefused)
{
    EXPECT_EQ(CoCreateInstance(kHandMadeClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(CoGetClassObject(kHandMadeClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, nullptr), E_INVALIDARG);
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(nullptr, &clsid), E_INVALIDARG);
    EXPECT_EQ(ProgIDFromCLSID(kHandMadeClsid, nullptr), E_INVALIDARG);
}

TEST_F(Activation, ThreadThatNeverInitialisedIsRefused)
{
    ASSERT_EQ(register_test_server(), S_OK);
    HRESULT hr = S_OK;
    std::thread([&] {
        com_ptr<IUnknown> unk;
        hr = CoCreateInstance(test_server::kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, unk.put_void());
    }).join();
    EXPECT_EQ(hr, CO_E_NOTINITIALIZED);
}

}  // namespace
