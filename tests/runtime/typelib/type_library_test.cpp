// ITypeLib over the sample library description: attributes, the listed types in order,
// lookups by index, GUID and name, and documentation.
#include <gtest/gtest.h>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/module.hpp"
#include "oleaut/dispatch/typeinfo.hpp"
#include "type_test_sample.hpp"

namespace {

using namespace type_test;
using oleaut::bstr;
using oleaut::com_ptr;

class TypeLibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        live_at_start_ = live_objects();
        lib_ = make_type_library(kLibrary);
        ASSERT_TRUE(lib_);
    }
    void TearDown() override
    {
        lib_.reset();
        EXPECT_EQ(live_objects(), live_at_start_) << "a type object or descriptor was not released";
    }
    ITypeInfo *listed_raw(UINT index)
    {
        com_ptr<ITypeInfo> t;
        EXPECT_EQ(lib_->GetTypeInfo(index, t.put()), S_OK);
        return t.get();  // the library keeps it alive
    }

    long live_at_start_ = 0;
    com_ptr<ITypeLib> lib_;
};

TEST_F(TypeLibraryTest, LibraryAttributesComeFromTheDescription)
{
    const long before = live_objects();
    TLIBATTR *a = nullptr;
    ASSERT_EQ(lib_->GetLibAttr(&a), S_OK);
    EXPECT_EQ(live_objects(), before + 1) << "an outstanding attribute block counts";
    EXPECT_TRUE(IsEqualGUID(a->guid, kLibGuid));
    EXPECT_EQ(a->lcid, 1031u);
    EXPECT_EQ(a->syskind, SYS_WIN32);
    EXPECT_EQ(a->wMajorVerNum, 2);
    EXPECT_EQ(a->wMinorVerNum, 5);
    EXPECT_EQ(a->wLibFlags, 0);
    lib_->ReleaseTLibAttr(a);
    EXPECT_EQ(live_objects(), before);
}

struct listed_case {
    UINT index;
    TYPEKIND kind;
    const GUID *guid;
    const char *name;
    const char *doc;  // null: none
};

const listed_case kListed[] = {
    {kSampleIndex, TKIND_DISPATCH, &kSampleIid, "_cSample", "Draws \"sample\" charts"},
    {kSeriesIndex, TKIND_DISPATCH, &kSeriesIid, "ISeries", nullptr},
    {kSampleClassIndex, TKIND_COCLASS, &kSampleClsid, "cSample", nullptr},
    {kKindIndex, TKIND_ENUM, &kKindGuid, "ChartKind", nullptr},
    {kDetachedClassIndex, TKIND_COCLASS, &kDetachedClsid, "cDetached", nullptr},
};

TEST_F(TypeLibraryTest, ListsTheTypesInTheDescriptionsOrder)
{
    ASSERT_EQ(lib_->GetTypeInfoCount(), kTypeCount);
    for (const listed_case &c : kListed) {
        SCOPED_TRACE(c.name);
        TYPEKIND kind = TKIND_MAX;
        ASSERT_EQ(lib_->GetTypeInfoType(c.index, &kind), S_OK);
        EXPECT_EQ(kind, c.kind);

        com_ptr<ITypeInfo> first, second, by_guid;
        ASSERT_EQ(lib_->GetTypeInfo(c.index, first.put()), S_OK);
        ASSERT_EQ(lib_->GetTypeInfo(c.index, second.put()), S_OK);
        EXPECT_EQ(first.get(), second.get()) << "the same object each time";
        ASSERT_EQ(lib_->GetTypeInfoOfGuid(*c.guid, by_guid.put()), S_OK);
        EXPECT_EQ(by_guid.get(), first.get());
        EXPECT_EQ(name_of(first.get()), c.name);

        bstr name, doc;
        ASSERT_EQ(lib_->GetDocumentation(static_cast<INT>(c.index), name.put(), doc.put(), nullptr, nullptr), S_OK);
        EXPECT_EQ(name.utf8(), c.name);
        EXPECT_EQ(doc.is_null(), c.doc == nullptr);
        if (c.doc) {
            EXPECT_EQ(doc.utf8(), c.doc);
        }
    }
}

TEST_F(TypeLibraryTest, LibraryDocumentationIsIndexMinusOne)
{
    bstr name, doc;
    DWORD context = 5;
    BSTR file = reinterpret_cast<BSTR>(1);
    ASSERT_EQ(lib_->GetDocumentation(-1, name.put(), doc.put(), &context, &file), S_OK);
    EXPECT_EQ(name.utf8(), "SampleCharts");
    EXPECT_EQ(doc.utf8(), "Sample chart library");
    EXPECT_EQ(context, 0u);
    EXPECT_EQ(file, nullptr);
}

TEST_F(TypeLibraryTest, IndexesAndGuidsOutsideTheLibraryAreNotFound)
{
    com_ptr<ITypeInfo> t;
    TYPEKIND kind = TKIND_ENUM;
    EXPECT_EQ(lib_->GetTypeInfo(kTypeCount, t.put()), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_FALSE(t);
    EXPECT_EQ(lib_->GetTypeInfoType(kTypeCount, &kind), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(lib_->GetDocumentation(static_cast<INT>(kTypeCount), nullptr, nullptr, nullptr, nullptr),
              TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(lib_->GetDocumentation(-2, nullptr, nullptr, nullptr, nullptr), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_EQ(lib_->GetTypeInfoOfGuid(kDetachedIid, t.put()), TYPE_E_ELEMENTNOTFOUND)
        << "a class's unlisted interface is not one of the library's types";
    EXPECT_EQ(lib_->GetTypeInfoOfGuid(IID_IDispatch, t.put()), TYPE_E_ELEMENTNOTFOUND);
    EXPECT_FALSE(t);

    com_ptr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    bstr source;
    info->GetSource(source.put());
    EXPECT_EQ(source.utf8(), "SampleCharts");
}

struct is_name_case {
    std::u16string asked;
    BOOL found;
    std::u16string spelled;  // the buffer afterwards
};

TEST_F(TypeLibraryTest, IsNameFindsTypesAndMembersAndRespellsTheBuffer)
{
    const is_name_case cases[] = {
        {u"_csample", TRUE, u"_cSample"},
        {u"CHARTKIND", TRUE, u"ChartKind"},
        {u"caption", TRUE, u"Caption"},
        {u"KINDPIE", TRUE, u"kindPie"},
        {u"setChartOptions", TRUE, u"SetChartOptions"},
        {u"status", FALSE, u"status"},  // a parameter, not a member
        {u"LegacyHandle", FALSE, u"LegacyHandle"},
        {u"Run", FALSE, u"Run"},  // a member of an interface the library does not list
        {u"nothing", FALSE, u"nothing"},
    };
    for (const is_name_case &c : cases) {
        SCOPED_TRACE(oleaut::utf16_to_utf8(c.asked));
        std::u16string buffer = c.asked;
        BOOL found = -1;
        ASSERT_EQ(lib_->IsName(buffer.data(), 0, &found), S_OK);
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(buffer, c.spelled);
    }
}

struct find_case {
    std::u16string asked;
    USHORT capacity;
    std::vector<std::pair<UINT, MEMBERID>> hits;  // (library index, member id)
};

TEST_F(TypeLibraryTest, FindNameAnswersEachTypeAndMemberOnce)
{
    const find_case cases[] = {
        {u"CAPTION", 5, {{kSampleIndex, kCaption}, {kSeriesIndex, 1}}},
        {u"caption", 1, {{kSampleIndex, kCaption}}},
        {u"chartkind", 5, {{kKindIndex, MEMBERID_NIL}}},
        {u"kindline", 5, {{kKindIndex, 0x40000001}}},
        {u"chart", 5, {{kSampleIndex, kChart}}},
        {u"nothing", 5, {}},
        {u"caption", 0, {}},
    };
    for (const find_case &c : cases) {
        SCOPED_TRACE(oleaut::utf16_to_utf8(c.asked) + " capacity " + std::to_string(c.capacity));
        std::u16string buffer = c.asked;
        std::vector<ITypeInfo *> infos(5, nullptr);
        std::vector<MEMBERID> ids(5, 777);
        USHORT found = c.capacity;
        ASSERT_EQ(lib_->FindName(buffer.data(), 0, infos.data(), ids.data(), &found), S_OK);
        ASSERT_EQ(found, c.hits.size());
        for (USHORT i = 0; i < found; ++i) {
            EXPECT_EQ(infos[i], listed_raw(c.hits[i].first));
            EXPECT_EQ(ids[i], c.hits[i].second);
            infos[i]->Release();
        }
        if (found) {
            EXPECT_TRUE(names_equal(buffer, c.asked) && buffer != c.asked) << "respelled in the library's case";
        }
    }
}

TEST_F(TypeLibraryTest, QueryInterfaceAndUnsupportedSlots)
{
    EXPECT_EQ(lib_.query<IUnknown>().get(), static_cast<IUnknown *>(lib_.get()));
    EXPECT_TRUE(lib_.query<ITypeLib>());
    EXPECT_FALSE(lib_.query<ITypeInfo>());
    ITypeComp *comp = reinterpret_cast<ITypeComp *>(1);
    EXPECT_EQ(lib_->GetTypeComp(&comp), E_NOTIMPL);
    EXPECT_EQ(comp, nullptr);
}

TEST_F(TypeLibraryTest, NullArgumentsAreRefused)
{
    EXPECT_EQ(lib_->GetLibAttr(nullptr), E_INVALIDARG);
    EXPECT_EQ(lib_->GetTypeInfo(0, nullptr), E_INVALIDARG);
    EXPECT_EQ(lib_->GetTypeInfoType(0, nullptr), E_INVALIDARG);
    EXPECT_EQ(lib_->GetTypeInfoOfGuid(kSampleIid, nullptr), E_INVALIDARG);
    BOOL found = FALSE;
    EXPECT_EQ(lib_->IsName(nullptr, 0, &found), E_INVALIDARG);
    USHORT count = 1;
    EXPECT_EQ(lib_->FindName(nullptr, 0, nullptr, nullptr, &count), E_INVALIDARG);
}

TEST(TypeLibraryBuild, NullTypeEntryIsRefusedWithTheLibraryAsSource)
{
    const long live = live_objects();
    const library_info broken{u"Broken", kLibGuid, 1033, 1, 0, {&kSeries, static_cast<const enum_info *>(nullptr)}};
    try {
        (void)make_type_library(broken);
        FAIL() << "a null description was accepted";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), E_INVALIDARG);
        EXPECT_EQ(oleaut::utf16_to_utf8(e.source()), "Broken");
        EXPECT_NE(oleaut::utf16_to_utf8(e.description()).find("entry 1"), std::string::npos);
    }
    EXPECT_EQ(live_objects(), live) << "the half-built library was freed";
}

TEST(TypeLibraryReferences, NamedTypesPreferTheLibrarysOwnTypes)
{
    // "iseries" names the listed interface (names match without case); "chartkind" as an
    // object type does not name the enumeration, so it becomes an imported dispatch type.
    const interface_info user{u"IUser",
                              kDetachedIid,
                              TYPEFLAG_FDISPATCHABLE,
                              {{u"Series", 1, INVOKE_PROPERTYGET, {}, VT_DISPATCH, u"iseries"},
                               {u"Odd", 2, INVOKE_PROPERTYGET, {}, VT_DISPATCH, u"chartkind"}}};
    const library_info lib_desc{u"Refs", kLibGuid, 1033, 1, 0, {&kSeries, &user, &kKind}};
    com_ptr<ITypeLib> lib = make_type_library(lib_desc);
    com_ptr<ITypeInfo> series, user_info;
    ASSERT_EQ(lib->GetTypeInfo(0, series.put()), S_OK);
    ASSERT_EQ(lib->GetTypeInfo(1, user_info.put()), S_OK);

    const auto result_ref = [&](UINT index) {
        FUNCDESC *f = nullptr;
        EXPECT_EQ(user_info->GetFuncDesc(index, &f), S_OK);
        const HREFTYPE href = f->elemdescFunc.tdesc.lptdesc->hreftype;
        user_info->ReleaseFuncDesc(f);
        com_ptr<ITypeInfo> t;
        EXPECT_EQ(user_info->GetRefTypeInfo(href, t.put()), S_OK);
        return t;
    };
    EXPECT_EQ(result_ref(0).get(), series.get());
    com_ptr<ITypeInfo> odd = result_ref(1);
    TYPEATTR *a = nullptr;
    ASSERT_EQ(odd->GetTypeAttr(&a), S_OK);
    EXPECT_EQ(a->typekind, TKIND_DISPATCH);
    odd->ReleaseTypeAttr(a);
    EXPECT_EQ(name_of(odd.get()), "chartkind");
}

}  // namespace

namespace {

// The objects live in the runtime, but they point into this module's tables: while
// any is alive, the lock passed with them keeps this module from unloading.
TEST(TypeLibraryOwner, TypeInformationKeepsItsModuleLoaded)
{
    const long before = module_live_count();
    com_ptr<ITypeLib> lib = make_type_library(kLibrary);
    com_ptr<ITypeInfo> info;
    ASSERT_EQ(lib->GetTypeInfo(0, info.put()), S_OK);
    lib.reset();
    EXPECT_EQ(module_live_count(), before + 1) << "a type info keeps its library, and the library its module";
    info.reset();
    EXPECT_EQ(module_live_count(), before);
}

TEST(TypeLibraryOwner, EntryPointsRefuseMissingArguments)
{
    ITypeLib *lib = nullptr;
    EXPECT_EQ(OaRtCreateTypeLib(nullptr, nullptr, &lib), E_POINTER);
    EXPECT_EQ(lib, nullptr);
    EXPECT_EQ(OaRtCreateTypeLib(&kLibrary, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(OaRtLoadTypeLibImage(nullptr, 4, &lib), E_POINTER);
}

}  // namespace
