// What the Windows build compiles into quillet.dll: the IDL dump of the type library and
// the resource script, written from the component's tables. Where MinGW-w64's widl and
// windres are installed, both are compiled as the Windows build compiles them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "automation/quillet_object.hpp"
#include "automation/resources.hpp"
#include "automation/type_library.hpp"
#include "automation/windows_resource_script.hpp"
#include "oleaut/dispatch/typeinfo.hpp"
#include "runtime/typelib/widl_compile.hpp"

namespace {

std::string quillet_idl() { return oleaut::disp::dump_idl(quillet::quillet_type_library().get()); }

struct words_case {
    std::vector<BYTE> bytes;
    const char *words;
};

TEST(WindowsResourceScript, RawDataIsLittleEndianWords)
{
    const words_case cases[] = {
        {{}, "{  }"},
        {{0x10, 0x00}, "{ 0x0010 }"},
        {{0x31, 0x7A, 0x0E, 0x5B}, "{ 0x7A31, 0x5B0E }"},
    };
    for (const words_case &c : cases)
        EXPECT_EQ(quillet::raw_data_words(c.bytes), c.words);
    EXPECT_THROW(quillet::raw_data_words({1, 2, 3}), oleaut::com_error) << "a byte would be lost";
}

TEST(WindowsResourceScript, HasTheTypeLibraryTheInterfaceIdAndTheVersion)
{
    const std::string rc = quillet::windows_resource_script("quillet.tlb");
    EXPECT_NE(rc.find("1 TYPELIB \"quillet.tlb\"\n"), std::string::npos) << rc;
    // The same 20 bytes as libquillet.so's resource: length 16, then the GUID as stored.
    EXPECT_NE(rc.find("_IID_CQUILLET CUSTOM " +
                      quillet::raw_data_words(quillet::interface_id_resource(quillet::IID__cQuillet))),
              std::string::npos);
    EXPECT_NE(rc.find("{ 0x0010, 0x0000, 0x7A31, 0x5B0E, 0x3C2D, 0x4F19, 0xE4A6, 0xC271, 0xA0D9, 0x01B0 }"),
              std::string::npos);
    for (const char *line : {"FILEVERSION 1,0,0,0\n", "PRODUCTVERSION 1,0,0,0\n", "FILEOS 0x40004L\n",
                             "FILETYPE 0x2L\n", "BLOCK \"040904B0\"\n", "VALUE \"FileVersion\", \"1.00\"\n",
                             "VALUE \"OriginalFilename\", \"Quillet.dll\"\n", "VALUE \"OLESelfRegister\", \"\"\n",
                             "VALUE \"Translation\", 0x0409, 0x04B0\n"})
        EXPECT_NE(rc.find(line), std::string::npos) << line << rc;
}

TEST(WindowsResourceScript, QuotesAreDoubled)
{
    oleaut::disp::version_info v;
    v.string_tables.push_back({OLESTR("040904B0"), {{OLESTR("Comments"), OLESTR("say \"hi\"")}}});
    EXPECT_NE(quillet::version_info_statement(v).find("VALUE \"Comments\", \"say \"\"hi\"\"\"\n"), std::string::npos);
}

// The interface is declared slot by slot in the member list's order, the vtable-only
// accessor included, so the compiled interface has the table cQuillet implements.
TEST(WindowsIdl, DeclaresTheInterfaceInMemberListOrder)
{
    const std::string idl = quillet_idl();
    const size_t start = idl.find("interface _cQuillet : IDispatch {");
    ASSERT_NE(start, std::string::npos) << idl;
    size_t at = start;
    for (const oleaut::disp::member_info &m : quillet::cQuillet::dispatch_table().info().members) {
        const std::string name = " " + oleaut::utf16_to_utf8(m.name) + "(";
        at = idl.find(name, at + 1);
        ASSERT_NE(at, std::string::npos) << name << " out of order in\n" << idl;
        const size_t line_start = idl.rfind('\n', at);
        const std::string line = idl.substr(line_start, at - line_start);
        EXPECT_EQ(line.find("restricted, hidden") != std::string::npos, m.vtable_only) << line;
    }
    EXPECT_NE(idl.find("[id(0x40030002), propget] HRESULT oQuillet([out, retval] IDispatch** result);"),
              std::string::npos);
    EXPECT_NE(idl.find("HRESULT ExportToGif([in] BSTR strFileName, [out, retval] VARIANT* result);"),
              std::string::npos);
    EXPECT_NE(idl.find("[in, out] VARIANT* strMainTitle"), std::string::npos);
    EXPECT_NE(idl.find("[default] interface _cQuillet;"), std::string::npos);
}

TEST(WindowsIdl, CompilesWithWidlAndTheScriptWithWindres)
{
    if (const std::string why = widl_compile::widl_unavailable(); !why.empty())
        GTEST_SKIP() << "cannot compile the dump: " << why;
    std::string messages;
    ASSERT_EQ(widl_compile::compile_to_typelib(quillet_idl(), messages), 0) << messages;
    EXPECT_EQ(messages.find("warning"), std::string::npos) << messages;
    if (std::system("command -v x86_64-w64-mingw32-windres >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "x86_64-w64-mingw32-windres is not on PATH";

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "windows-resources-test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "quillet.idl") << quillet_idl();
    std::ofstream(dir / "quillet.rc") << quillet::windows_resource_script("quillet.tlb");
    const std::string d = dir.string();
    const std::string widl = std::string(widl_compile::kWidl) + " -I " + widl_compile::include_dir() + " -L " +
                             widl_compile::stdole_dir() + " -t -o " + d + "/quillet.tlb " + d + "/quillet.idl";
    const std::string windres =
        "x86_64-w64-mingw32-windres -I " + d + " -i " + d + "/quillet.rc -o " + d + "/quillet_res.o";
    EXPECT_EQ(std::system((widl + " 2>/dev/null").c_str()), 0);
    EXPECT_EQ(std::system(windres.c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "quillet_res.o"));
    std::filesystem::remove_all(dir);
}

}  // namespace
