// The IUnknown kit: the interface map of an object with two interfaces, the count of a
// self-owned object (deleted once, at zero), its live count, and a count kept by an owner.
#include <gtest/gtest.h>

#include "oleaut/unknown.hpp"

namespace {

int g_live = 0;
int g_deleted = 0;

struct live_counter {
    live_counter() noexcept { ++g_live; }
    ~live_counter() { --g_live; }
};

// Two interfaces from two bases, so each IID needs its own pointer.
class two_faced final : public oleaut::unknown<two_faced, oleaut::interfaces<IErrorInfo, ISupportErrorInfo>,
                                               oleaut::self_owned<live_counter>> {
public:
    STDMETHOD(GetGUID)(GUID *) override { return E_NOTIMPL; }
    STDMETHOD(GetSource)(BSTR *) override { return E_NOTIMPL; }
    STDMETHOD(GetDescription)(BSTR *) override { return E_NOTIMPL; }
    STDMETHOD(GetHelpFile)(BSTR *) override { return E_NOTIMPL; }
    STDMETHOD(GetHelpContext)(DWORD *) override { return E_NOTIMPL; }
    STDMETHOD(InterfaceSupportsErrorInfo)(REFIID) override { return S_OK; }

private:
    ~two_faced() override { ++g_deleted; }
};

TEST(UnknownKit, QueryInterfaceAnswersEachListedInterfaceWithItsOwnBase)
{
    auto *obj = new two_faced;
    const struct {
        const IID *iid;
        void *expected;
    } rows[] = {
        {&IID_IUnknown, static_cast<IErrorInfo *>(obj)},  // the first interface is the identity
        {&IID_IErrorInfo, static_cast<IErrorInfo *>(obj)},
        {&IID_ISupportErrorInfo, static_cast<ISupportErrorInfo *>(obj)},
    };
    for (const auto &r : rows) {
        void *got = nullptr;
        ASSERT_EQ(obj->QueryInterface(*r.iid, &got), S_OK);
        EXPECT_EQ(got, r.expected);
        EXPECT_EQ(obj->Release(), 1u) << "each answer holds one reference";
    }
    EXPECT_NE(static_cast<void *>(static_cast<IErrorInfo *>(obj)), static_cast<void *>(static_cast<ISupportErrorInfo *>(obj)));
    void *none = reinterpret_cast<void *>(1);
    EXPECT_EQ(obj->QueryInterface(IID_IDispatch, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(obj->QueryInterface(IID_IErrorInfo, nullptr), E_POINTER);
    obj->Release();
}

TEST(UnknownKit, TheLastReleaseDeletesOnceAndTheLiveCountReturnsToZero)
{
    g_deleted = 0;
    auto *obj = new two_faced;
    EXPECT_EQ(g_live, 1);
    EXPECT_EQ(obj->AddRef(), 2u);
    EXPECT_EQ(obj->Release(), 1u);
    EXPECT_EQ(g_deleted, 0);
    EXPECT_EQ(obj->Release(), 0u);
    EXPECT_EQ(g_deleted, 1);
    EXPECT_EQ(g_live, 0);
}

// Counts through its owner, as a type counts through its family.
struct owner {
    ULONG refs = 0;
    ULONG add_ref() noexcept { return ++refs; }
    ULONG release() noexcept { return --refs; }
};

class owned_part final : public oleaut::unknown<owned_part, oleaut::interfaces<IUnknown>, oleaut::owner_counted> {
public:
    explicit owned_part(owner &o) : owner_(o) {}
    owner &count_owner() noexcept { return owner_; }

private:
    owner &owner_;
};

TEST(UnknownKit, AnOwnerCountedObjectCountsThroughItsOwner)
{
    owner family;
    owned_part a(family), b(family);
    a.AddRef();
    void *p = nullptr;
    ASSERT_EQ(b.QueryInterface(IID_IUnknown, &p), S_OK);
    EXPECT_EQ(family.refs, 2u);
    EXPECT_EQ(b.Release(), 1u);
    EXPECT_EQ(a.Release(), 0u);
}

}  // namespace
