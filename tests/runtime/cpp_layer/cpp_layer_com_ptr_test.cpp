// com_ptr: every way of getting, copying, moving and dropping a pointer leaves the
// reference count exactly where ownership says it must be.
#include <gtest/gtest.h>

#include <utility>

#include "oleaut/com_ptr.hpp"
#include "runtime/cpp_layer/cpp_layer_counted.hpp"

namespace {

using cpp_layer_test::counted_dispatch;
using cpp_layer_test::lifetime;
using oleaut::com_ptr;

TEST(ComPtr, ConstructingFromRawPointerTakesAReference)
{
    lifetime life;
    IDispatch *raw = counted_dispatch::create(life);
    {
        com_ptr<IDispatch> p(raw);
        EXPECT_EQ(life.refs, 2);
        EXPECT_EQ(p.get(), raw);
        EXPECT_TRUE(p);
    }
    EXPECT_EQ(life.refs, 1);
    raw->Release();
    EXPECT_TRUE(life.destroyed);
    EXPECT_EQ(life.over_released, 0);
}

TEST(ComPtr, AttachAdoptsAndDetachGivesUp)
{
    lifetime life;
    auto p = com_ptr<IDispatch>::attach(counted_dispatch::create(life));
    EXPECT_EQ(life.refs, 1);
    IDispatch *raw = p.detach();
    EXPECT_FALSE(p);
    EXPECT_EQ(life.refs, 1);
    auto q = com_ptr<IDispatch>::attach(raw);
    q.reset();
    EXPECT_TRUE(life.destroyed);
    EXPECT_EQ(life.over_released, 0);
}

TEST(ComPtr, CopyAddsAndMoveTransfers)
{
    lifetime life;
    auto a = com_ptr<IDispatch>::attach(counted_dispatch::create(life));
    com_ptr<IDispatch> b(a);
    EXPECT_EQ(life.refs, 2);
    com_ptr<IDispatch> c(std::move(b));
    EXPECT_EQ(life.refs, 2);
    EXPECT_FALSE(b);
    EXPECT_EQ(c.get(), a.get());
    com_ptr<IDispatch> d;
    d = c;
    EXPECT_EQ(life.refs, 3);
    d = std::move(c);
    EXPECT_EQ(life.refs, 2);
    a.reset();
    d.reset();
    EXPECT_TRUE(life.destroyed);
    EXPECT_EQ(life.over_released, 0);
}

TEST(ComPtr, AssignmentReleasesWhatWasHeld)
{
    lifetime first, second;
    auto a = com_ptr<IDispatch>::attach(counted_dispatch::create(first));
    auto b = com_ptr<IDispatch>::attach(counted_dispatch::create(second));
    a = b;
    EXPECT_TRUE(first.destroyed);
    EXPECT_EQ(second.refs, 2);
    a = nullptr;
    EXPECT_EQ(second.refs, 1);
}

TEST(ComPtr, SelfAssignmentKeepsTheCount)
{
    lifetime life;
    auto a = com_ptr<IDispatch>::attach(counted_dispatch::create(life));
    com_ptr<IDispatch> &alias = a;
    a = alias;
    EXPECT_EQ(life.refs, 1);
    a = std::move(alias);
    EXPECT_EQ(life.refs, 1);
    EXPECT_TRUE(a);
}

TEST(ComPtr, PutReleasesFirst)
{
    lifetime old_one, new_one;
    auto p = com_ptr<IDispatch>::attach(counted_dispatch::create(old_one));
    IDispatch **slot = p.put();
    EXPECT_TRUE(old_one.destroyed);
    EXPECT_EQ(*slot, nullptr);
    *slot = counted_dispatch::create(new_one);
    EXPECT_EQ(new_one.refs, 1);
    p.reset();
    EXPECT_TRUE(new_one.destroyed);
}

TEST(ComPtr, QueryAnswersOfferedInterfacesOnly)
{
    lifetime life;
    auto p = com_ptr<IDispatch>::attach(counted_dispatch::create(life));
    {
        com_ptr<IUnknown> u = p.query<IUnknown>();
        ASSERT_TRUE(u);
        EXPECT_EQ(life.refs, 2);
        com_ptr<IErrorInfo> none = p.query<IErrorInfo>();
        EXPECT_FALSE(none);
        EXPECT_EQ(life.refs, 2);
    }
    EXPECT_EQ(life.refs, 1);
    com_ptr<IDispatch> empty;
    EXPECT_FALSE(empty.query<IUnknown>());
}

TEST(ComPtr, CopyToHandsOutANewReference)
{
    lifetime life;
    auto p = com_ptr<IDispatch>::attach(counted_dispatch::create(life));
    IDispatch *out = nullptr;
    ASSERT_EQ(p.copy_to(&out), S_OK);
    EXPECT_EQ(out, p.get());
    EXPECT_EQ(life.refs, 2);
    out->Release();
    EXPECT_EQ(p.copy_to(nullptr), E_POINTER);

    com_ptr<IDispatch> empty;
    out = reinterpret_cast<IDispatch *>(1);
    ASSERT_EQ(empty.copy_to(&out), S_OK);
    EXPECT_EQ(out, nullptr);
}

TEST(ComPtr, SwapExchangesWithoutCounting)
{
    lifetime a_life, b_life;
    auto a = com_ptr<IDispatch>::attach(counted_dispatch::create(a_life));
    auto b = com_ptr<IDispatch>::attach(counted_dispatch::create(b_life));
    IDispatch *a_raw = a.get();
    a.swap(b);
    EXPECT_EQ(b.get(), a_raw);
    EXPECT_EQ(a_life.refs, 1);
    EXPECT_EQ(b_life.refs, 1);
}

}  // namespace
