// LoadTypeLib and LoadTypeLibEx on library files and stand-alone images: which
// resource is read, what the library reports, and the HRESULT and description of every
// way a file can fail to be a type library.
#include <functional>

#include "typelib_test_support.hpp"

namespace {

using namespace typelib_test;
using test_support::raw_library;

const GUID kLibId = {0x7E57AB1E, 0x0001, 0x4000, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};

raw_library named(const char16_t *name, uint16_t major = 1, uint16_t minor = 0, uint32_t lcid = 0)
{
    raw_library lib;
    lib.name = name;
    lib.guid = kLibId;
    lib.major = major;
    lib.minor = minor;
    lib.lcid = lcid;
    return lib;
}

class LoadTypeLibTest : public TypeLibFixture {
protected:
    // The library LoadTypeLibEx answers for `file`, by name; the failure otherwise.
    std::string load_name(const std::string &file)
    {
        oleaut::com_ptr<ITypeLib> lib;
        const HRESULT hr = LoadTypeLibEx(u16(file).c_str(), REGKIND_NONE, lib.put());
        if (FAILED(hr))
            return "failed " + std::to_string(hr) + ": " + test_support::error_info_description();
        return library_name(lib.get());
    }
};

TEST_F(LoadTypeLibTest, ReadsTheLibraryAttributes)
{
    raw_library lib = named(u"Attributes", 17, 3, 1033);
    const std::string path = write_library("attr.so", {typelib_resource(1, lib)});
    oleaut::com_ptr<ITypeLib> loaded;
    ASSERT_EQ(LoadTypeLib(u16(path).c_str(), loaded.put()), S_OK);
    const TLIBATTR attr = library_attributes(loaded.get());
    EXPECT_TRUE(IsEqualGUID(attr.guid, kLibId));
    EXPECT_EQ(attr.lcid, 1033u);
    EXPECT_EQ(attr.wMajorVerNum, 17);
    EXPECT_EQ(attr.wMinorVerNum, 3);
    EXPECT_EQ(library_name(loaded.get()), "Attributes");
}

TEST_F(LoadTypeLibTest, TakesTheFirstTypeLibResourceUnlessANumberIsAppended)
{
    const std::string path =
        write_library("two.so", {{{u"CUSTOM", 0}, {u"X", 0}, {1, 2}},
                                 typelib_resource(2, named(u"Two")),
                                 typelib_resource(1, named(u"One"))});
    EXPECT_EQ(load_name(path), "Two");
    EXPECT_EQ(load_name(path + "\\1"), "One");
    EXPECT_EQ(load_name(path + "\\2"), "Two");
    const std::string missing = load_name(path + "\\3");
    EXPECT_NE(missing.find(std::to_string(TYPE_E_CANTLOADLIBRARY)), std::string::npos) << missing;
    EXPECT_NE(missing.find("no type library resource TYPELIB 3; its TYPELIB resources are 2, 1"), std::string::npos)
        << missing;
}

TEST_F(LoadTypeLibTest, ReadsAStandAloneImage)
{
    EXPECT_EQ(load_name(write_image("alone.tlb", named(u"Alone"))), "Alone");
}

struct bad_library {
    const char *name;
    std::function<std::string(LoadTypeLibTest &)> make;  // answers the path to load
    HRESULT hr;
    const char *says;
};

class LoadTypeLibFailure : public LoadTypeLibTest, public ::testing::WithParamInterface<bad_library> {};

bytes elf_without_resources() { return test_support::build_elf({{".text", {0xC3}}}); }

const bad_library kBadLibraries[] = {
    {"missing_file", [](auto &t) { return t.dir() + "/absent.so"; }, TYPE_E_CANTLOADLIBRARY,
     "there is no such file"},
    {"directory", [](auto &t) { return t.dir(); }, TYPE_E_CANTLOADLIBRARY, "not a regular file"},
    {"text_file", [](auto &t) { return t.write("notes.txt", bytes(40, 'a')); }, TYPE_E_CANTLOADLIBRARY,
     "not an ELF file"},
    {"elf32",
     [](auto &t) {
         bytes b = elf_without_resources();
         b[EI_CLASS] = ELFCLASS32;
         return t.write("32.so", b);
     },
     TYPE_E_CANTLOADLIBRARY, "32-bit"},
    {"damaged_elf_headers",
     [](auto &t) {
         bytes b = elf_without_resources();
         test_support::put_le(b, 0x28, b.size() + 64, 8);
         return t.write("damaged.so", b);
     },
     TYPE_E_INVDATAREAD, "section headers start at offset"},
    {"no_resource_section", [](auto &t) { return t.write("plain.so", elf_without_resources()); },
     TYPE_E_CANTLOADLIBRARY, "no resource section"},
    {"damaged_directory",
     [](auto &t) { return t.write("dir.so", test_support::build_elf({{".oleres", bytes(16, 'z')}})); },
     TYPE_E_INVDATAREAD, "does not start with \"QRES\""},
    {"no_typelib_resource", [](auto &t) { return t.write_library("none.so", {{{u"CUSTOM", 0}, {u"X", 0}, {1}}}); },
     TYPE_E_CANTLOADLIBRARY, "no type library resource at all"},
    {"truncated_image",
     [](auto &t) {
         bytes image = test_support::raw_typelib_image(named(u"Cut"));
         image.resize(image.size() - 3);
         return t.write_library("cut.so", {{{u"TYPELIB", 0}, {u"", 1}, image}});
     },
     TYPE_E_INVDATAREAD, "resource TYPELIB 1: "},
    {"foreign_data_as_image",
     [](auto &t) { return t.write_library("foreign.so", {{{u"TYPELIB", 0}, {u"", 1}, bytes(80, 'M')}}); },
     TYPE_E_UNSUPFORMAT, "not a type library image"},
};

TEST_P(LoadTypeLibFailure, AnswersItsHresultAndSaysWhy)
{
    const std::string path = GetParam().make(*this);
    oleaut::com_ptr<ITypeLib> lib;
    EXPECT_EQ(LoadTypeLib(u16(path).c_str(), lib.put()), GetParam().hr);
    EXPECT_FALSE(lib);
    const std::string description = test_support::error_info_description();
    EXPECT_NE(description.find(GetParam().says), std::string::npos) << description;
    EXPECT_NE(description.find(path), std::string::npos) << "names the file: " << description;
}

INSTANTIATE_TEST_SUITE_P(Files, LoadTypeLibFailure, ::testing::ValuesIn(kBadLibraries),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LoadTypeLibTest, RefusesMissingArguments)
{
    oleaut::com_ptr<ITypeLib> lib;
    EXPECT_EQ(LoadTypeLib(nullptr, lib.put()), E_INVALIDARG);
    EXPECT_EQ(LoadTypeLib(u"", lib.put()), E_INVALIDARG);
    EXPECT_EQ(LoadTypeLib(u"/x", nullptr), E_INVALIDARG);
    EXPECT_EQ(LoadTypeLibEx(u"/x", static_cast<REGKIND>(7), lib.put()), E_INVALIDARG);
    EXPECT_NE(test_support::error_info_description().find("registration kind 7"), std::string::npos);
}

TEST_F(LoadTypeLibTest, RegistersOnlyWhenAsked)
{
    const std::string path = write_library("reg.so", {typelib_resource(1, named(u"Reg", 2, 1))});
    oleaut::com_ptr<ITypeLib> lib;
    ASSERT_EQ(LoadTypeLibEx(u16(path).c_str(), REGKIND_NONE, lib.put()), S_OK);
    ASSERT_EQ(LoadTypeLib(u16(path).c_str(), lib.put()), S_OK);  // a path: no registration either
    oleaut::bstr registered;
    EXPECT_EQ(QueryPathOfRegTypeLib(kLibId, 2, 1, 0, registered.put()), TYPE_E_LIBNOTREGISTERED);

    ASSERT_EQ(LoadTypeLibEx(u16(path).c_str(), REGKIND_REGISTER, lib.put()), S_OK);
    ASSERT_EQ(QueryPathOfRegTypeLib(kLibId, 2, 1, 0, registered.put()), S_OK);
    EXPECT_EQ(registered.utf8(), std::filesystem::canonical(path).string());
}

}  // namespace
