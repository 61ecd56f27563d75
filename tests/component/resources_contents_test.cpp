// The resources in libquillet.so's file, read without loading it, and the verinfo tool
// that shows them to a person.
#include <gtest/gtest.h>

#include "automation/resources.hpp"
#include "automation/type_library.hpp"
#include "oleaut/dispatch/typelib_format.hpp"
#include "support/run_process.hpp"

namespace {

using oleaut::disp::resource;

std::vector<resource> embedded() { return oleaut::disp::read_library_resources(QUILLET_LIB); }

TEST(EmbeddedResources, AreTheTypeLibraryTheInterfaceIdAndTheVersion)
{
    const std::vector<resource> resources = embedded();
    ASSERT_EQ(resources.size(), 3u);
    EXPECT_EQ(resources[0].type.text(), "TYPELIB");
    EXPECT_EQ(resources[0].name.text(), "1");
    EXPECT_TRUE(resources[0].name.is_number());
    EXPECT_EQ(resources[1].type.text(), "CUSTOM");
    EXPECT_EQ(resources[1].name.text(), "_IID_CQUILLET");
    EXPECT_TRUE(resources[2].type.is_number());
    EXPECT_EQ(resources[2].type.number(), 16);  // RT_VERSION
    EXPECT_EQ(resources[2].name.text(), "1");
}

TEST(EmbeddedResources, InterfaceIdIsItsLengthThenTheGuidAsWindowsStoresIt)
{
    const std::vector<resource> resources = embedded();
    const resource *iid = oleaut::disp::find_resource(resources, u"CUSTOM", u"_IID_CQUILLET");
    ASSERT_NE(iid, nullptr);
    // {5B0E7A31-3C2D-4F19-A6E4-71C2D9A0B001}: Data1..Data3 little-endian, Data4 as is.
    const std::vector<BYTE> expected = {0x10, 0x00, 0x00, 0x00, 0x31, 0x7A, 0x0E, 0x5B, 0x2D, 0x3C,
                                        0x19, 0x4F, 0xA6, 0xE4, 0x71, 0xC2, 0xD9, 0xA0, 0xB0, 0x01};
    EXPECT_EQ(iid->data, expected);
}

TEST(EmbeddedResources, TypeLibraryIsTheImageOfTheTables)
{
    const std::vector<resource> resources = embedded();
    const resource *typelib = oleaut::disp::find_resource(resources, u"TYPELIB", 1);
    ASSERT_NE(typelib, nullptr);
    EXPECT_EQ(typelib->data, oleaut::disp::write_type_library_image(quillet::quillet_library_info()));
}

TEST(EmbeddedResources, VersionBlockHasTheFixedVersionOfADll)
{
    const std::vector<resource> resources = embedded();
    const resource *version = oleaut::disp::find_resource(resources, oleaut::disp::resource_type_version, 1);
    ASSERT_NE(version, nullptr);
    const oleaut::disp::version_info info = oleaut::disp::read_version_block(version->data);
    EXPECT_EQ(info.fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(info.fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(info.fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(info.fixed.dwFileType, 2u);  // VFT_DLL
    EXPECT_EQ(info.translations, std::vector<DWORD>{0x04B00409});
}

TEST(Verinfo, ListsTheResourcesAndTheVersionStrings)
{
    const test_support::process_result r = test_support::run_process({VERINFO_PATH, QUILLET_LIB});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string expected_tail =
        "string table 040904B0:\n"
        "  FileVersion = \"1.00\"\n"
        "  ProductVersion = \"1.00\"\n"
        "  ProductName = \"Quillet\"\n"
        "  InternalName = \"Quillet\"\n"
        "  OriginalFilename = \"Quillet.dll\"\n"
        "  OLESelfRegister = \"\"\n"
        "translation: 0409 04B0\n";
    ASSERT_GE(r.out.size(), expected_tail.size());
    EXPECT_EQ(r.out.substr(r.out.size() - expected_tail.size()), expected_tail) << r.out;
    EXPECT_EQ(r.out.rfind("resources:\n  TYPELIB  1  ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\n  CUSTOM  _IID_CQUILLET  20 bytes\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n  VERSION (16)  1  "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nfile version: 1.0.0.0\nproduct version: 1.0.0.0\n"), std::string::npos) << r.out;
}

TEST(Verinfo, PrintsTheTypeLibraryAsIdl)
{
    const test_support::process_result r = test_support::run_process({VERINFO_PATH, "--typelib", QUILLET_LIB});
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.out, oleaut::disp::dump_idl(quillet::quillet_type_library().get()));
}

struct verinfo_failure {
    const char *name;
    std::vector<std::string> args;  // after the program; "{text}" is replaced by a text file
    int exit_code;
    const char *says;
};

class VerinfoFailure : public ::testing::TestWithParam<verinfo_failure> {};

TEST_P(VerinfoFailure, PrintsNumberSourceAndDescription)
{
    const std::string dir = test_support::make_temp_directory();
    const std::string text_file = dir + "/notes.txt";
    test_support::write_file(text_file, "not a library\n");
    std::vector<std::string> argv = {VERINFO_PATH};
    for (const std::string &a : GetParam().args)
        argv.push_back(a == "{text}" ? text_file : a);
    const test_support::process_result r = test_support::run_process(argv);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(r.exit_code, GetParam().exit_code);
    EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VerinfoFailure,
    ::testing::Values(
        verinfo_failure{"missing_file", {"/nonexistent/lib.so"}, 2,
                        "verinfo: error 0x80070002 (Library file): '/nonexistent/lib.so': cannot open it"},
        verinfo_failure{"not_elf", {"{text}"}, 2, "error 0x800700C1 (Library file):"},
        verinfo_failure{"no_resources", {FAKE_HOST_PATH}, 2, "error 0x80070714 (Library file):"},
        verinfo_failure{"typelib_of_no_resources", {"--typelib", FAKE_HOST_PATH}, 2,
                        "error 0x80029C4A (Library file): Cannot load a type library from"},
        verinfo_failure{"no_library", {}, 1, "verinfo: no library given"},
        verinfo_failure{"unknown_option", {"--bogus", QUILLET_LIB}, 1, "unknown option '--bogus'"},
        verinfo_failure{"two_libraries", {QUILLET_LIB, QUILLET_LIB}, 1, "give one library only"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
