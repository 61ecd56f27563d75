// Type information: every object of the host describes itself under its classic
// interface name, with an interface identity it answers to and the same member ids
// that GetIDsOfNames gives.
#include "spreadsheet/host_fixture.hpp"

namespace {

using namespace test_support;

using TypeInfoTest = HostTest;

TEST_F(TypeInfoTest, EveryObjectDescribesItself)
{
    for (const host_object &o : one_of_each_object()) {
        SCOPED_TRACE(oleaut::utf16_to_utf8(o.name));
        UINT count = 0;
        ASSERT_EQ(o.object.get()->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, 1u);
        oleaut::com_ptr<ITypeInfo> info;
        ASSERT_EQ(o.object.get()->GetTypeInfo(0, LOCALE_EN_US, info.put()), S_OK);
        ASSERT_TRUE(info);
        oleaut::bstr name;
        ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr), S_OK);
        EXPECT_EQ(name.str(), o.name);

        TYPEATTR *attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        oleaut::com_ptr<IUnknown> same;
        EXPECT_EQ(o.object.get()->QueryInterface(attr->guid, same.put_void()), S_OK);
        EXPECT_GT(attr->cFuncs, 0);
        info->ReleaseTypeAttr(attr);

        LPOLESTR member = const_cast<LPOLESTR>(o.member);
        MEMBERID from_info = 0;
        DISPID from_dispatch = 1;
        ASSERT_EQ(info->GetIDsOfNames(&member, 1, &from_info), S_OK);
        ASSERT_EQ(o.object.get()->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_EN_US, &from_dispatch), S_OK);
        EXPECT_EQ(from_info, from_dispatch);
    }
}

}  // namespace
