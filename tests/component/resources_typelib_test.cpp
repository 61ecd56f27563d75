// The type library libquillet.so carries, read with LoadTypeLib from the built file:
// what a client that never loads the component sees.
#include <gtest/gtest.h>

#include "automation/type_library.hpp"
#include "oleaut/bstr.hpp"
#include "oleaut/com_ptr.hpp"

namespace {

oleaut::com_ptr<ITypeLib> load_embedded(const std::u16string &suffix = u"")
{
    oleaut::com_ptr<ITypeLib> lib;
    const std::u16string path = oleaut::utf8_to_utf16(QUILLET_LIB) + suffix;
    EXPECT_EQ(LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib.put()), S_OK);
    return lib;
}

std::string guid_text(const GUID &g)
{
    OLECHAR text[40] = {};
    StringFromGUID2(g, text, 40);
    return oleaut::utf16_to_utf8(text);
}

TEST(EmbeddedTypeLibrary, IsQuilletVersion17ForLocale1033)
{
    oleaut::com_ptr<ITypeLib> lib = load_embedded();
    ASSERT_TRUE(lib);
    TLIBATTR *attr = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(guid_text(attr->guid), "{5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B000}");
    EXPECT_EQ(attr->lcid, 1033u);
    EXPECT_EQ(attr->wMajorVerNum, 17);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    lib->ReleaseTLibAttr(attr);
    oleaut::bstr name;
    ASSERT_EQ(lib->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.utf8(), "Quillet");
    EXPECT_EQ(lib->GetTypeInfoCount(), 4u);
}

struct expected_type {
    const char *name;
    TYPEKIND kind;
    WORD flags;
    WORD functions;
    WORD constants;
    const char *guid;
};

const expected_type kTypes[] = {
    // dispatchable 0x1000 | oleautomation 0x100 | nonextensible 0x80 | dual 0x40 | hidden 0x10
    {"_cQuillet", TKIND_DISPATCH, 0x11D0, 9, 0, "{5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B001}"},
    {"cQuillet", TKIND_COCLASS, TYPEFLAG_FCANCREATE, 0, 0, "{5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B002}"},
    {"xlChartType", TKIND_ENUM, 0, 0, 20, "{5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B003}"},
    {"xlChartFillEffect", TKIND_ENUM, 0, 0, 25, "{5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B004}"},
};

class EmbeddedType : public ::testing::TestWithParam<size_t> {};

TEST_P(EmbeddedType, HasItsNameKindFlagsAndMembers)
{
    const expected_type &want = kTypes[GetParam()];
    oleaut::com_ptr<ITypeLib> lib = load_embedded();
    ASSERT_TRUE(lib);
    oleaut::com_ptr<ITypeInfo> type;
    ASSERT_EQ(lib->GetTypeInfo(static_cast<UINT>(GetParam()), type.put()), S_OK);
    oleaut::bstr name;
    ASSERT_EQ(type->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.utf8(), want.name);
    TYPEATTR *attr = nullptr;
    ASSERT_EQ(type->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, want.kind);
    EXPECT_EQ(attr->wTypeFlags, want.flags);
    EXPECT_EQ(attr->cFuncs, want.functions);
    EXPECT_EQ(attr->cVars, want.constants);
    EXPECT_EQ(guid_text(attr->guid), want.guid);
    type->ReleaseTypeAttr(attr);
}

INSTANTIATE_TEST_SUITE_P(InOrder, EmbeddedType, ::testing::Range<size_t>(0, 4),
                         [](const auto &info) { return std::string(kTypes[info.param].name); });

struct expected_constant {
    UINT type;
    UINT index;
    const char *name;
    LONG value;
};

class EmbeddedConstant : public ::testing::TestWithParam<expected_constant> {};

TEST_P(EmbeddedConstant, HasItsNameAndValue)
{
    oleaut::com_ptr<ITypeLib> lib = load_embedded();
    ASSERT_TRUE(lib);
    oleaut::com_ptr<ITypeInfo> type;
    ASSERT_EQ(lib->GetTypeInfo(GetParam().type, type.put()), S_OK);
    VARDESC *var = nullptr;
    ASSERT_EQ(type->GetVarDesc(GetParam().index, &var), S_OK);
    EXPECT_EQ(var->varkind, VAR_CONST);
    EXPECT_EQ(var->lpvarValue->vt, VT_I4);
    EXPECT_EQ(var->lpvarValue->lVal, GetParam().value);
    oleaut::bstr name;
    ASSERT_EQ(type->GetDocumentation(var->memid, name.put(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.utf8(), GetParam().name);
    type->ReleaseVarDesc(var);
}

INSTANTIATE_TEST_SUITE_P(Enumerations, EmbeddedConstant,
                         ::testing::Values(expected_constant{2, 0, "xlColumnClustered", 51},
                                           expected_constant{2, 2, "xl3DColumn", -4100},
                                           expected_constant{2, 19, "xlPyramidColClustered", 106},
                                           expected_constant{3, 0, "msoGradientEarlySunset", 1},
                                           expected_constant{3, 24, "msoPresetGradientMixed", -2}));

TEST(EmbeddedTypeLibrary, IsTheLibraryTheComponentBuildsFromItsTables)
{
    // A stale resource (a table changed, the library not rebuilt) shows up here.
    oleaut::com_ptr<ITypeLib> lib = load_embedded();
    ASSERT_TRUE(lib);
    EXPECT_EQ(oleaut::disp::dump_idl(lib.get()), oleaut::disp::dump_idl(quillet::quillet_type_library().get()));
}

TEST(EmbeddedTypeLibrary, IsResourceNumberOne)
{
    EXPECT_TRUE(load_embedded(u"\\1"));
    oleaut::com_ptr<ITypeLib> lib;
    const std::u16string second = oleaut::utf8_to_utf16(QUILLET_LIB) + u"\\2";
    EXPECT_EQ(LoadTypeLibEx(second.c_str(), REGKIND_NONE, lib.put()), TYPE_E_CANTLOADLIBRARY);
}

}  // namespace
