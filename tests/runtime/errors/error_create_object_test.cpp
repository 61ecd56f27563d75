// OaRtCreateObject: whatever makes activation fail, the caller sees the one error a
// script sees for it, 429 "ActiveX component can't create object".
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "oleaut.h"
#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"
#include "support/temp_registry.hpp"
#include "support/test_server_ids.h"

namespace {

using oleaut::bstr;

class CreateObject : public ::testing::Test {
protected:
    void SetUp() override { OaRtErrClear(); }
    void TearDown() override { OaRtErrClear(); }

    static void expect_cant_create_object_error()
    {
        EXPECT_EQ(OaRtErrNumber(), OART_E_CANTCREATEOBJECT);
        bstr d, s, def;
        OaRtErrDescription(d.put());
        OaRtErrSource(s.put());
        OaRtGetDefaultSource(def.put());
        EXPECT_EQ(d.str(), u"ActiveX component can't create object");
        EXPECT_EQ(s.str(), def.str());
        oleaut::com_ptr<IErrorInfo> info;
        ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
        bstr published;
        info->GetDescription(published.put());
        EXPECT_EQ(published.str(), u"ActiveX component can't create object");
    }
};

struct bad_prog_id {
    const char *name;
    const char16_t *prog_id;
};

class CreateObjectOf : public CreateObject, public ::testing::WithParamInterface<bad_prog_id> {};

TEST_P(CreateObjectOf, BadProgIdIsCantCreateObject)
{
    IDispatch *d = reinterpret_cast<IDispatch *>(1);
    EXPECT_EQ(OaRtCreateObject(GetParam().prog_id, &d), OART_E_CANTCREATEOBJECT);
    EXPECT_EQ(d, nullptr);
    expect_cant_create_object_error();
}

INSTANTIATE_TEST_SUITE_P(ProgIds, CreateObjectOf,
                         ::testing::Values(bad_prog_id{"Unknown", u"Quillet.NoSuchClass.42"},
                                           bad_prog_id{"Empty", u""}, bad_prog_id{"Null", nullptr},
                                           bad_prog_id{"Malformed", u"{not-a-guid"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(CreateObject, NullOutPointerIsReported)
{
    EXPECT_EQ(OaRtCreateObject(u"Quillet.NoSuchClass.42", nullptr), E_POINTER);
    EXPECT_EQ(OaRtErrNumber(), E_POINTER);
    bstr d;
    OaRtErrDescription(d.put());
    EXPECT_FALSE(d.str().empty());
}

// The test server registered in a private registry, with this thread in an apartment.
class RegisteredServer : public CreateObject {
protected:
    void SetUp() override
    {
        CreateObject::SetUp();
        library_ = dlopen(TEST_SERVER_PATH, RTLD_NOW);
        ASSERT_NE(library_, nullptr) << dlerror();
        auto register_server = reinterpret_cast<LPFNREGISTERSERVER>(dlsym(library_, "DllRegisterServer"));
        ASSERT_NE(register_server, nullptr);
        ASSERT_EQ(register_server(), S_OK);
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        initialized_ = true;
    }
    void TearDown() override
    {
        if (initialized_)
            CoUninitialize();
        if (library_)
            dlclose(library_);
        CreateObject::TearDown();
    }

    // Registers prog_id for a class whose library is not there.
    static void register_broken_class(const char16_t *prog_id)
    {
        const std::u16string clsid = u"{0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9}";
        set_default(u"CLSID\\" + clsid + u"\\InprocServer32", u"/nonexistent/libgone.so");
        set_default(std::u16string(prog_id) + u"\\CLSID", clsid);
    }

private:
    static void set_default(const std::u16string &key_path, const std::u16string &value)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(char16_t))),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    test_support::temp_registry registry_;
    void *library_ = nullptr;
    bool initialized_ = false;
};

TEST_F(RegisteredServer, RegisteredProgIdGivesItsDispatch)
{
    oleaut::com_ptr<IDispatch> d;
    ASSERT_EQ(OaRtCreateObject(test_server::kCounterProgId, d.put()), S_OK);
    EXPECT_TRUE(d);
    EXPECT_EQ(OaRtErrNumber(), 0) << "success leaves the current error alone";
}

TEST_F(RegisteredServer, MissingLibraryIsCantCreateObject)
{
    register_broken_class(u"QuilletTest.Gone");
    IDispatch *d = nullptr;
    EXPECT_EQ(OaRtCreateObject(u"QuilletTest.Gone", &d), OART_E_CANTCREATEOBJECT);
    EXPECT_EQ(d, nullptr);
    expect_cant_create_object_error();
}

TEST_F(RegisteredServer, ThreadOutsideAnyApartmentIsCantCreateObject)
{
    HRESULT hr = S_OK;
    LONG number = 0;
    std::thread([&] {
        IDispatch *d = nullptr;
        hr = OaRtCreateObject(test_server::kCounterProgId, &d);
        number = OaRtErrNumber();
        if (d)
            d->Release();
    }).join();
    EXPECT_EQ(hr, OART_E_CANTCREATEOBJECT);
    EXPECT_EQ(number, OART_E_CANTCREATEOBJECT);
}

}  // namespace
