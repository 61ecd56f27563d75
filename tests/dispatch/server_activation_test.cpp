// A toolkit server end to end: regsvr registers it, a client activates it by ProgID,
// calls it late-bound, releases it, and the library unloads.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "comutil.hpp"

namespace {

using oleaut::com_ptr;
using oleaut::variant;

class ServerActivation : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry_ = ::testing::TempDir() + "sample-registry-" + std::to_string(::getpid());
        ::unlink(registry_.c_str());
        ::setenv("OLEAUT_REGISTRY", registry_.c_str(), 1);
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
    }
    void TearDown() override
    {
        CoUninitialize();
        ::unlink(registry_.c_str());
    }
    int regsvr(const std::string &flags)
    {
        std::string cmd = std::string(REGSVR_PATH) + " " + flags + " " + SAMPLE_SERVER_PATH + " >/dev/null 2>&1";
        return std::system(cmd.c_str());
    }
    std::string registry_;
};

TEST_F(ServerActivation, RegisterCreateCallReleaseUnload)
{
    ASSERT_EQ(regsvr(""), 0);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"QuilletTest.Sample", &clsid), S_OK);
    {
        com_ptr<IDispatch> obj;
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, obj.put_void()), S_OK);
        LPOLESTR name = const_cast<LPOLESTR>(u"subtract");
        DISPID id = 0;
        ASSERT_EQ(obj->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_EN_US, &id), S_OK);
        VARIANT args[2] = {variant::i4(4), variant::i4(10)};
        DISPPARAMS dp{args, nullptr, 2, 0};
        variant result;
        ASSERT_EQ(obj->Invoke(id, IID_NULL, LOCALE_EN_US, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &dp, result.put(),
                              nullptr, nullptr),
                  S_OK);
        EXPECT_EQ(result.lVal, 6);
        CoFreeUnusedLibraries();  // an object is alive: the library stays
        void *still_loaded = dlopen(SAMPLE_SERVER_PATH, RTLD_NOW | RTLD_NOLOAD);
        EXPECT_NE(still_loaded, nullptr);
        if (still_loaded)
            dlclose(still_loaded);
    }
    CoFreeUnusedLibraries();
    EXPECT_EQ(dlopen(SAMPLE_SERVER_PATH, RTLD_NOW | RTLD_NOLOAD), nullptr) << "the library was not unloaded";

    ASSERT_EQ(regsvr("-u"), 0);
    EXPECT_EQ(CLSIDFromProgID(u"QuilletTest.Sample", &clsid), CO_E_CLASSSTRING);
}

}  // namespace
