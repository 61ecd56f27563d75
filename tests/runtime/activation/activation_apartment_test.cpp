// CoInitialize / CoInitializeEx / CoUninitialize: per-thread, counted, and one model per
// thread. Each case runs on a fresh thread so it starts outside any apartment.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "oleaut.h"

namespace {

// {0E0E0E0E-0000-0000-0000-000000000001}: never registered, so an activation attempt
// tells "may activate" (REGDB_E_CLASSNOTREG) from "not initialised".
constexpr CLSID kNeverRegistered = {0x0E0E0E0E, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};

bool may_activate()
{
    void *obj = nullptr;
    return CoGetClassObject(kNeverRegistered, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, &obj) !=
           CO_E_NOTINITIALIZED;
}

void on_fresh_thread(const std::function<void()> &body) { std::thread(body).join(); }

struct model_case {
    const char *label;
    DWORD model;
    DWORD other_model;
};

class ApartmentModel : public ::testing::TestWithParam<model_case> {};

TEST_P(ApartmentModel, RepeatedInitIsCountedAndAnotherModelIsRefused)
{
    on_fresh_thread([] {
        const model_case &c = GetParam();
        EXPECT_FALSE(may_activate());
        EXPECT_EQ(CoInitializeEx(nullptr, c.model), S_OK);
        EXPECT_EQ(CoInitializeEx(nullptr, c.model), S_FALSE);
        EXPECT_EQ(CoInitializeEx(nullptr, c.other_model), RPC_E_CHANGED_MODE);  // not counted
        EXPECT_TRUE(may_activate());
        CoUninitialize();
        EXPECT_TRUE(may_activate()) << "one CoInitializeEx is still open";
        CoUninitialize();
        EXPECT_FALSE(may_activate());
        CoUninitialize();  // unbalanced: ignored
        EXPECT_EQ(CoInitializeEx(nullptr, c.other_model), S_OK) << "a closed apartment leaves the model free";
        CoUninitialize();
    });
}

INSTANTIATE_TEST_SUITE_P(
    Models, ApartmentModel,
    ::testing::Values(model_case{"single_threaded", COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED},
                      model_case{"multithreaded", COINIT_MULTITHREADED, COINIT_APARTMENTTHREADED}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(Apartment, CoInitializeIsTheSingleThreadedModel)
{
    on_fresh_thread([] {
        EXPECT_EQ(CoInitialize(nullptr), S_OK);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE), S_FALSE);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
        CoUninitialize();
        CoUninitialize();
    });
}

TEST(Apartment, ReservedArgumentMustBeNull)
{
    on_fresh_thread([] {
        int reserved = 0;
        EXPECT_EQ(CoInitializeEx(&reserved, COINIT_MULTITHREADED), E_INVALIDARG);
        EXPECT_FALSE(may_activate());
    });
}

TEST(Apartment, ThreadsOutsideAnyApartmentUseTheImplicitMultithreadedOne)
{
    bool before = true, during = false, after = true;
    on_fresh_thread([&] { before = may_activate(); });
    std::thread mta([&] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        on_fresh_thread([&] { during = may_activate(); });
        CoUninitialize();
    });
    mta.join();
    on_fresh_thread([&] { after = may_activate(); });
    EXPECT_FALSE(before);
    EXPECT_TRUE(during);
    EXPECT_FALSE(after);
}

TEST(Apartment, ThreadEndingInsideItsApartmentLeavesIt)
{
    on_fresh_thread([] { ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK); });
    bool allowed = true;
    on_fresh_thread([&] { allowed = may_activate(); });
    EXPECT_FALSE(allowed) << "the ended thread's multithreaded apartment must be gone";
}

}  // namespace
