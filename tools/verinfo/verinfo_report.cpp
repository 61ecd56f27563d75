// See verinfo_report.hpp.
#include "verinfo_report.hpp"

#include <cstdio>

#include "oleaut/utf.hpp"

namespace verinfo {

namespace {

// Windows' names for the numbered resource types a library may carry.
std::string type_text(const oleaut::disp::resource_id &type)
{
    if (type.is_number() && type.number() == oleaut::disp::resource_type_version)
        return "VERSION (16)";
    return type.text();
}

std::string four_part(DWORD ms, DWORD ls)
{
    return std::to_string(ms >> 16) + "." + std::to_string(ms & 0xFFFF) + "." + std::to_string(ls >> 16) + "." +
           std::to_string(ls & 0xFFFF);
}

std::string hex4(unsigned v)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", v & 0xFFFF);
    return text;
}

}  // namespace

std::string resource_listing(std::span<const oleaut::disp::resource> resources)
{
    std::string out = "resources:\n";
    for (const oleaut::disp::resource &r : resources)
        out += "  " + type_text(r.type) + "  " + r.name.text() + "  " + std::to_string(r.data.size()) + " bytes\n";
    return out;
}

std::string version_listing(const oleaut::disp::version_info &info)
{
    std::string out;
    out += "file version: " + four_part(info.fixed.dwFileVersionMS, info.fixed.dwFileVersionLS) + "\n";
    out += "product version: " + four_part(info.fixed.dwProductVersionMS, info.fixed.dwProductVersionLS) + "\n";
    for (const oleaut::disp::version_string_table &table : info.string_tables) {
        out += "string table " + oleaut::utf16_to_utf8(table.key) + ":\n";
        for (const auto &[key, value] : table.strings)
            out += "  " + oleaut::utf16_to_utf8(key) + " = \"" + oleaut::utf16_to_utf8(value) + "\"\n";
    }
    for (DWORD t : info.translations)
        out += "translation: " + hex4(t) + " " + hex4(t >> 16) + "\n";
    return out;
}

}  // namespace verinfo
