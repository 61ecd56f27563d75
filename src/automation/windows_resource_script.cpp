#include "automation/windows_resource_script.hpp"

#include <cstdio>

#include "automation/quillet_interface.hpp"
#include "automation/resources.hpp"
#include "oleaut/com_error.hpp"

namespace quillet {

namespace {

std::string hex(DWORD value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(value));
    return text;
}

// A string literal of a resource script: a quote is written twice.
std::string rc_string(oleaut::ostring_view text)
{
    std::string out = "\"";
    for (char c : oleaut::utf16_to_utf8(text))
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// "1,0,0,0": the four numbers of a version as two DWORDs hold them.
std::string four_numbers(DWORD ms, DWORD ls)
{
    return std::to_string(ms >> 16) + "," + std::to_string(ms & 0xFFFF) + "," + std::to_string(ls >> 16) + "," +
           std::to_string(ls & 0xFFFF);
}

}  // namespace

std::string raw_data_words(const std::vector<BYTE> &bytes)
{
    if (bytes.size() % 2 != 0)
        throw oleaut::com_error(E_INVALIDARG, u"windows_resource_writer",
                                u"Raw resource data must be whole 16-bit words.");
    std::string out = "{ ";
    for (size_t i = 0; i < bytes.size(); i += 2)
        out += (i ? ", " : "") + hex(static_cast<DWORD>(bytes[i] | bytes[i + 1] << 8), 4);
    return out + " }";
}

std::string version_info_statement(const oleaut::disp::version_info &v)
{
    const oleaut::disp::fixed_file_info &f = v.fixed;
    std::string out = "1 VERSIONINFO\n";
    out += "FILEVERSION " + four_numbers(f.dwFileVersionMS, f.dwFileVersionLS) + "\n";
    out += "PRODUCTVERSION " + four_numbers(f.dwProductVersionMS, f.dwProductVersionLS) + "\n";
    out += "FILEFLAGSMASK " + hex(f.dwFileFlagsMask, 1) + "L\n";
    out += "FILEFLAGS " + hex(f.dwFileFlags, 1) + "L\n";
    out += "FILEOS " + hex(f.dwFileOS, 1) + "L\n";
    out += "FILETYPE " + hex(f.dwFileType, 1) + "L\n";
    out += "FILESUBTYPE " + hex(f.dwFileSubtype, 1) + "L\n";
    out += "BEGIN\n    BLOCK \"StringFileInfo\"\n    BEGIN\n";
    for (const auto &table : v.string_tables) {
        out += "        BLOCK " + rc_string(table.key) + "\n        BEGIN\n";
        for (const auto &[key, value] : table.strings)
            out += "            VALUE " + rc_string(key) + ", " + rc_string(value) + "\n";
        out += "        END\n";
    }
    out += "    END\n    BLOCK \"VarFileInfo\"\n    BEGIN\n        VALUE \"Translation\"";
    for (DWORD t : v.translations)
        out += ", " + hex(t & 0xFFFF, 4) + ", " + hex(t >> 16, 4);
    return out + "\n    END\nEND\n";
}

std::string windows_resource_script(std::string_view typelib_file)
{
    std::string out = "// Written by windows_resource_writer from the component's tables; do not edit.\n";
    out += "1 TYPELIB \"" + std::string(typelib_file) + "\"\n";
    out += "_IID_CQUILLET CUSTOM " + raw_data_words(interface_id_resource(IID__cQuillet)) + "\n";
    return out + version_info_statement(component_version());
}

}  // namespace quillet
