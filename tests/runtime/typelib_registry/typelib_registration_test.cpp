// RegisterTypeLib, UnRegisterTypeLib, QueryPathOfRegTypeLib and LoadRegTypeLib against
// a private registry: the keys Windows writes, removal of exactly those keys, and the
// rules by which a registered version and locale are chosen.
#include "typelib_test_support.hpp"

namespace {

using namespace typelib_test;
using test_support::raw_interface;
using test_support::raw_library;

const GUID kLibId = {0x7E57AB1E, 0x0002, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x02}};
const GUID kDualIid = {0x7E57AB1E, 0x0003, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x03}};
const GUID kDispIid = {0x7E57AB1E, 0x0004, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x04}};

constexpr char16_t kLibKey[] = u"TypeLib\\{7E57AB1E-0002-4000-8000-000000000002}";
constexpr char16_t kDualKey[] = u"Interface\\{7E57AB1E-0003-4000-8000-000000000003}";
constexpr char16_t kDispKey[] = u"Interface\\{7E57AB1E-0004-4000-8000-000000000004}";

raw_library library(const char16_t *name, uint16_t major, uint16_t minor, uint32_t lcid)
{
    raw_library lib;
    lib.name = name;
    lib.guid = kLibId;
    lib.major = major;
    lib.minor = minor;
    lib.lcid = lcid;
    lib.interfaces = {
        {u"IDualThing", kDualIid, TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE},
        // Every interface of an image is a dispinterface, whatever its flags.
        {u"DThing", kDispIid, 0},
    };
    return lib;
}

// Unrelated registrations, as any registry has, that nothing here may touch.
const char kSeed[] =
    "[CLSID\\{11111111-2222-3333-4444-555555555555}]\n@=\"Other class\"\n\n"
    "[Interface\\{66666666-7777-8888-9999-AAAAAAAAAAAA}]\n@=\"IOther\"\n\n"
    "[Interface\\{66666666-7777-8888-9999-AAAAAAAAAAAA}\\TypeLib]\n"
    "@=\"{7E57AB1E-0002-4000-8000-000000000002}\"\n\"Version\"=\"5.0\"\n\n"
    "[TypeLib\\{BBBBBBBB-CCCC-DDDD-EEEE-FFFFFFFFFFFF}\\1.0\\0\\win32]\n@=\"/usr/lib/other.so\"\n";

class TypeLibRegistration : public TypeLibFixture {
protected:
    void SetUp() override
    {
        registry_.set_text(kSeed);
        // One change through the registry, so that the file is in the registry's own spelling.
        ASSERT_EQ(test_support::put_string(u"CLSID", u"Touched", u"x"), ERROR_SUCCESS);
        seeded_ = registry_.text();
    }

    // Registers the library from a file of its own, as its server would.
    std::string register_library(const raw_library &lib, const std::string &file, const char16_t *help = nullptr)
    {
        const std::string path = write_image(file, lib);
        oleaut::com_ptr<ITypeLib> loaded;
        EXPECT_EQ(LoadTypeLibEx(u16(path).c_str(), REGKIND_NONE, loaded.put()), S_OK);
        EXPECT_EQ(RegisterTypeLib(loaded.get(), u16(path).c_str(), help), S_OK)
            << test_support::error_info_description();
        return path;
    }

    std::string seeded_;
};

TEST_F(TypeLibRegistration, WritesTheLibraryKeysWithHexadecimalVersionAndLocale)
{
    const std::string path = register_library(library(u"Things", 17, 10, 1033), "things.tlb", u"/help/dir");
    const std::u16string version = std::u16string(kLibKey) + u"\\11.a";
    EXPECT_EQ(registry_string(version), u"Things");
    EXPECT_EQ(registry_string(version + u"\\409\\win32"), u16(path));
    EXPECT_EQ(registry_string(version + u"\\FLAGS"), u"0");
    EXPECT_EQ(registry_string(version + u"\\HELPDIR"), u"/help/dir");
    EXPECT_FALSE(registry_has_key(std::u16string(kLibKey) + u"\\17.10")) << "versions are hexadecimal";
}

TEST_F(TypeLibRegistration, WritesTheAutomationInterfacesWithTheirMarshaler)
{
    register_library(library(u"Things", 17, 0, 1033), "things.tlb");
    const std::u16string dual = kDualKey, disp = kDispKey;
    EXPECT_EQ(registry_string(dual), u"IDualThing");
    EXPECT_EQ(registry_string(dual + u"\\ProxyStubClsid32"), u"{00020424-0000-0000-C000-000000000046}");
    EXPECT_EQ(registry_string(dual + u"\\ProxyStubClsid"), u"{00020424-0000-0000-C000-000000000046}");
    EXPECT_EQ(registry_string(dual + u"\\TypeLib"), u"{7E57AB1E-0002-4000-8000-000000000002}");
    EXPECT_EQ(registry_string(dual + u"\\TypeLib", u"Version"), u"11.0");
    EXPECT_EQ(registry_string(disp), u"DThing");
    EXPECT_EQ(registry_string(disp + u"\\ProxyStubClsid32"), u"{00020420-0000-0000-C000-000000000046}");
    EXPECT_EQ(registry_string(disp + u"\\TypeLib", u"Version"), u"11.0");
}

TEST_F(TypeLibRegistration, HelpDirectoryIsEmptyWhenNoneIsGiven)
{
    register_library(library(u"Things", 1, 0, 0), "things.tlb");
    EXPECT_EQ(registry_string(std::u16string(kLibKey) + u"\\1.0\\HELPDIR"), u"");
}

TEST_F(TypeLibRegistration, UnregisteringLeavesTheRegistryAsItWas)
{
    register_library(library(u"Things", 17, 0, 1033), "things.tlb");
    ASSERT_NE(registry_.text(), seeded_);
    ASSERT_EQ(UnRegisterTypeLib(kLibId, 17, 0, 1033, SYS_WIN32), S_OK) << test_support::error_info_description();
    EXPECT_EQ(registry_.text(), seeded_);
}

TEST_F(TypeLibRegistration, AnotherVersionKeepsTheLibraryKey)
{
    register_library(library(u"Old", 1, 0, 0), "old.tlb");
    register_library(library(u"New", 2, 0, 0), "new.tlb");
    ASSERT_EQ(UnRegisterTypeLib(kLibId, 2, 0, 0, SYS_WIN32), S_OK);
    EXPECT_TRUE(registry_has_key(std::u16string(kLibKey) + u"\\1.0\\0\\win32"));
    EXPECT_FALSE(registry_has_key(std::u16string(kLibKey) + u"\\2.0"));
    // The interfaces were registered for 2.0 last; they go with it, and 1.0 stays.
    EXPECT_FALSE(registry_has_key(kDualKey));
    ASSERT_EQ(UnRegisterTypeLib(kLibId, 1, 0, 0, SYS_WIN32), S_OK);
    EXPECT_EQ(registry_.text(), seeded_);
}

TEST_F(TypeLibRegistration, AnotherLocaleKeepsTheVersionAndItsInterfaces)
{
    register_library(library(u"Neutral", 3, 0, 0), "neutral.tlb");
    register_library(library(u"English", 3, 0, 1033), "english.tlb");
    ASSERT_EQ(UnRegisterTypeLib(kLibId, 3, 0, 1033, SYS_WIN32), S_OK);
    EXPECT_FALSE(registry_has_key(std::u16string(kLibKey) + u"\\3.0\\409"));
    EXPECT_TRUE(registry_has_key(std::u16string(kLibKey) + u"\\3.0\\0\\win32"));
    EXPECT_TRUE(registry_has_key(kDualKey));
    ASSERT_EQ(UnRegisterTypeLib(kLibId, 3, 0, 0, SYS_WIN32), S_OK);
    EXPECT_EQ(registry_.text(), seeded_);
}

TEST_F(TypeLibRegistration, UnregisteringWhatIsNotRegisteredSaysWhichKeyIsMissing)
{
    EXPECT_EQ(UnRegisterTypeLib(kLibId, 4, 2, 0, SYS_WIN32), TYPE_E_LIBNOTREGISTERED);
    EXPECT_NE(test_support::error_info_description().find("TypeLib\\{7E57AB1E-0002-4000-8000-000000000002}\\4.2"),
              std::string::npos);
    register_library(library(u"Things", 4, 2, 0), "things.tlb");
    EXPECT_EQ(UnRegisterTypeLib(kLibId, 4, 2, 0, SYS_WIN64), TYPE_E_LIBNOTREGISTERED);
    EXPECT_NE(test_support::error_info_description().find("\\4.2\\0\\win64"), std::string::npos);
    EXPECT_EQ(UnRegisterTypeLib(kLibId, 4, 2, 0, static_cast<SYSKIND>(9)), E_INVALIDARG);
}

TEST_F(TypeLibRegistration, RegisterRefusesMissingArguments)
{
    EXPECT_EQ(RegisterTypeLib(nullptr, u"/x", nullptr), E_INVALIDARG);
    const std::string path = write_image("x.tlb", library(u"X", 1, 0, 0));
    oleaut::com_ptr<ITypeLib> lib;
    ASSERT_EQ(LoadTypeLibEx(u16(path).c_str(), REGKIND_NONE, lib.put()), S_OK);
    EXPECT_EQ(RegisterTypeLib(lib.get(), nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(RegisterTypeLib(lib.get(), u"", nullptr), E_INVALIDARG);
    EXPECT_EQ(registry_.text(), seeded_);
}

struct version_request {
    const char *name;
    WORD major, minor;
    const char *expected;  // the library loaded, or null for TYPE_E_LIBNOTREGISTERED
};

class RegisteredVersion : public TypeLibRegistration, public ::testing::WithParamInterface<version_request> {};

TEST_P(RegisteredVersion, FollowsTheMajorAndTheClosestMinorAbove)
{
    register_library(library(u"v1.0", 1, 0, 0), "v10.tlb");
    register_library(library(u"v1.2", 1, 2, 0), "v12.tlb");
    register_library(library(u"v1.10", 1, 10, 0), "v110.tlb");
    register_library(library(u"v2.0", 2, 0, 0), "v20.tlb");
    oleaut::com_ptr<ITypeLib> lib;
    const HRESULT hr = LoadRegTypeLib(kLibId, GetParam().major, GetParam().minor, 0, lib.put());
    if (!GetParam().expected) {
        EXPECT_EQ(hr, TYPE_E_LIBNOTREGISTERED);
        EXPECT_NE(test_support::error_info_description().find("1.0, 1.2, 1.a, 2.0"), std::string::npos)
            << test_support::error_info_description();
        return;
    }
    ASSERT_EQ(hr, S_OK) << test_support::error_info_description();
    EXPECT_EQ(library_name(lib.get()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Requests, RegisteredVersion,
                         ::testing::Values(version_request{"exact_1_0", 1, 0, "v1.0"},
                                           version_request{"above_1_1_takes_greatest", 1, 1, "v1.10"},
                                           version_request{"exact_1_2", 1, 2, "v1.2"},
                                           version_request{"exact_1_10", 1, 10, "v1.10"},
                                           version_request{"minor_beyond", 1, 11, nullptr},
                                           version_request{"exact_2_0", 2, 0, "v2.0"},
                                           version_request{"other_major", 3, 0, nullptr}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(TypeLibRegistration, LocaleFallsBackToItsLanguageThenToNeutral)
{
    register_library(library(u"US English", 1, 0, 0x409), "us.tlb");
    oleaut::com_ptr<ITypeLib> lib;
    ASSERT_EQ(LoadRegTypeLib(kLibId, 1, 0, 0x409, lib.put()), S_OK);
    EXPECT_EQ(library_name(lib.get()), "US English");
    EXPECT_EQ(LoadRegTypeLib(kLibId, 1, 0, 0x809, lib.put()), TYPE_E_LIBNOTREGISTERED);
    EXPECT_NE(test_support::error_info_description().find("locale 2057"), std::string::npos);

    register_library(library(u"English", 1, 0, 0x9), "en.tlb");
    ASSERT_EQ(LoadRegTypeLib(kLibId, 1, 0, 0x809, lib.put()), S_OK);
    EXPECT_EQ(library_name(lib.get()), "English");

    register_library(library(u"Neutral", 1, 0, 0), "neutral.tlb");
    ASSERT_EQ(LoadRegTypeLib(kLibId, 1, 0, 0x407, lib.put()), S_OK);
    EXPECT_EQ(library_name(lib.get()), "Neutral");
}

TEST_F(TypeLibRegistration, QueryPathAnswersTheRegisteredFile)
{
    const std::string path = register_library(library(u"Things", 6, 1, 0), "things.tlb");
    oleaut::bstr found;
    ASSERT_EQ(QueryPathOfRegTypeLib(kLibId, 6, 1, 0, found.put()), S_OK);
    EXPECT_EQ(found.utf8(), path);
    EXPECT_EQ(QueryPathOfRegTypeLib(kLibId, 6, 1, 0, nullptr), E_INVALIDARG);
}

TEST_F(TypeLibRegistration, ARegisteredFileThatIsGoneFailsToLoad)
{
    const std::string path = register_library(library(u"Gone", 7, 0, 0), "gone.tlb");
    std::filesystem::remove(path);
    oleaut::com_ptr<ITypeLib> lib;
    EXPECT_EQ(LoadRegTypeLib(kLibId, 7, 0, 0, lib.put()), TYPE_E_CANTLOADLIBRARY);
    EXPECT_NE(test_support::error_info_description().find(path), std::string::npos);
}

}  // namespace
