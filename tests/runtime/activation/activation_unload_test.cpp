// Reference counting across the server boundary: objects made through CoCreateInstance
// die on their last Release, and CoFreeUnusedLibraries unloads a server exactly when
// its DllCanUnloadNow agrees.
#include <gtest/gtest.h>

#include "oleaut/com_ptr.hpp"
#include "support/temp_registry.hpp"
#include "support/test_server_registration.hpp"

using namespace test_support;
using oleaut::com_ptr;

namespace {

class ServerUnload : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        ASSERT_EQ(register_test_server(), S_OK);
        ASSERT_FALSE(test_server_loaded()) << "an earlier test left the server loaded";
    }
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        CoUninitialize();
    }
    com_ptr<IDispatch> create()
    {
        com_ptr<IDispatch> d;
        EXPECT_EQ(CoCreateInstance(test_server::kCounterClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   d.put_void()),
                  S_OK);
        return d;
    }
    static void use(IDispatch *d)
    {
        DISPPARAMS none{};
        VARIANT result;
        VariantInit(&result);
        EXPECT_EQ(d->Invoke(test_server::kDispidIncrement, IID_NULL, LOCALE_EN_US, DISPATCH_METHOD, &none, &result,
                            nullptr, nullptr),
                  S_OK);
    }
    temp_registry registry;
};

TEST_F(ServerUnload, CreateUseReleaseLeavesNothingAliveAndUnloads)
{
    {
        com_ptr<IDispatch> counter = create();
        ASSERT_TRUE(counter);
        use(counter.get());
        com_ptr<IUnknown> extra = counter.query<IUnknown>();
        EXPECT_EQ(test_server_counter(test_server::kLiveObjectsExport), 1);
    }
    EXPECT_EQ(test_server_counter(test_server::kLiveObjectsExport), 0);
    EXPECT_EQ(test_server_counter(test_server::kServerLocksExport), 0) << "the class factory was not released";
    EXPECT_TRUE(test_server_loaded());
    CoFreeUnusedLibraries();
    EXPECT_FALSE(test_server_loaded());
}

TEST_F(ServerUnload, LiveObjectKeepsTheServerLoaded)
{
    com_ptr<IDispatch> counter = create();
    CoFreeUnusedLibraries();
    ASSERT_TRUE(test_server_loaded());
    use(counter.get());  // still callable
    counter.reset();
    CoFreeUnusedLibraries();
    EXPECT_FALSE(test_server_loaded());
}

TEST_F(ServerUnload, HeldFactoryAndServerLockKeepTheServerLoaded)
{
    com_ptr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(test_server::kCounterClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               factory.put_void()),
              S_OK);
    CoFreeUnusedLibraries();
    EXPECT_TRUE(test_server_loaded()) << "unloaded under a held class object";
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.reset();
    CoFreeUnusedLibraries();
    EXPECT_TRUE(test_server_loaded()) << "unloaded under a server lock";
    // Unlock through a fresh class object, as a client would.
    ASSERT_EQ(CoGetClassObject(test_server::kCounterClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               factory.put_void()),
              S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    factory.reset();
    CoFreeUnusedLibraries();
    EXPECT_FALSE(test_server_loaded());
}

TEST_F(ServerUnload, ServerIsReloadedAfterBeingUnloaded)
{
    create().reset();
    CoFreeUnusedLibraries();
    ASSERT_FALSE(test_server_loaded());
    com_ptr<IDispatch> again = create();
    ASSERT_TRUE(again);
    use(again.get());
}

TEST_F(ServerUnload, LastUninitializeUnloadsWhatCanGo)
{
    create().reset();
    ASSERT_TRUE(test_server_loaded());
    CoUninitialize();  // the process's only apartment closes
    EXPECT_FALSE(test_server_loaded());
    ASSERT_EQ(CoInitialize(nullptr), S_OK);  // for TearDown
}

}  // namespace
