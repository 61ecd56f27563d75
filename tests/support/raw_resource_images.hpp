// Resource directories and type library images assembled byte by byte from their
// documented layouts (oleaut/dispatch/resources.hpp and typelib_format.hpp), without
// the toolkit's writers: tests that use them check that the readers accept what the
// documentation describes, and they serve programs that do not link the toolkit.
#ifndef TEST_SUPPORT_RAW_RESOURCE_IMAGES_HPP
#define TEST_SUPPORT_RAW_RESOURCE_IMAGES_HPP

#include <cstdint>
#include <string>
#include <vector>

#include "oleaut.h"
#include "support/elf_file_builder.hpp"

namespace test_support {

inline void append_le(std::vector<uint8_t> &out, uint64_t value, size_t width)
{
    for (size_t i = 0; i < width; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void append_guid(std::vector<uint8_t> &out, const GUID &g)
{
    append_le(out, g.Data1, 4);
    append_le(out, g.Data2, 2);
    append_le(out, g.Data3, 2);
    out.insert(out.end(), g.Data4, g.Data4 + 8);
}

inline void align_to(std::vector<uint8_t> &out, size_t n)
{
    while (out.size() % n)
        out.push_back(0);
}

// A resource type or name: a number when `name` is empty.
struct raw_id {
    std::u16string name;
    uint16_t number = 0;
};

struct raw_resource {
    raw_id type;
    raw_id name;
    std::vector<uint8_t> data;
};

inline std::vector<uint8_t> raw_resource_directory(const std::vector<raw_resource> &resources)
{
    std::vector<uint8_t> out = {'Q', 'R', 'E', 'S'};
    append_le(out, 1, 2);
    append_le(out, resources.size(), 2);
    append_le(out, 0, 4);  // size, patched below
    const size_t entries = out.size();
    out.resize(out.size() + 16 * resources.size());
    auto id_field = [&](const raw_id &id) -> uint32_t {
        if (id.name.empty())
            return id.number;
        align_to(out, 2);
        const auto at = static_cast<uint32_t>(out.size());
        append_le(out, id.name.size(), 2);
        for (char16_t c : id.name)
            append_le(out, c, 2);
        return 0x80000000u | at;
    };
    for (size_t i = 0; i < resources.size(); ++i) {
        put_le(out, entries + 16 * i, id_field(resources[i].type), 4);
        put_le(out, entries + 16 * i + 4, id_field(resources[i].name), 4);
    }
    for (size_t i = 0; i < resources.size(); ++i) {
        align_to(out, 4);
        put_le(out, entries + 16 * i + 8, out.size(), 4);
        put_le(out, entries + 16 * i + 12, resources[i].data.size(), 4);
        out.insert(out.end(), resources[i].data.begin(), resources[i].data.end());
    }
    put_le(out, 8, out.size(), 4);
    return out;
}

// An interface of a raw image: no members, which is all registration looks at.
struct raw_interface {
    std::u16string name;
    GUID iid{};
    uint16_t flags = TYPEFLAG_FDISPATCHABLE;
};

struct raw_library {
    std::u16string name = u"Raw";
    GUID guid{};
    uint32_t lcid = 0;
    uint16_t major = 1;
    uint16_t minor = 0;
    std::vector<raw_interface> interfaces;
};

// A type library image holding the library and its interfaces, all listed.
inline std::vector<uint8_t> raw_typelib_image(const raw_library &lib)
{
    std::vector<std::u16string> strings = {lib.name};
    for (const raw_interface &i : lib.interfaces)
        strings.push_back(i.name);

    std::vector<uint8_t> out = {'Q', 'T', 'L', 'B'};
    append_le(out, 1, 2);  // format 1.0
    append_le(out, 0, 2);
    append_le(out, 0, 4);  // image size, patched below
    append_le(out, 64, 4);
    append_le(out, strings.size(), 4);
    append_le(out, 0, 4);  // type table, patched below
    append_le(out, lib.interfaces.size(), 4);
    append_le(out, lib.interfaces.size(), 4);
    append_le(out, 0, 4);           // name: string 0
    append_le(out, 0xFFFFFFFF, 4);  // no doc string
    append_guid(out, lib.guid);
    append_le(out, lib.lcid, 4);
    append_le(out, lib.major, 2);
    append_le(out, lib.minor, 2);

    const size_t table = out.size();
    out.resize(out.size() + 8 * strings.size());
    for (size_t i = 0; i < strings.size(); ++i) {
        put_le(out, table + 8 * i, out.size(), 4);
        put_le(out, table + 8 * i + 4, strings[i].size(), 4);
        for (char16_t c : strings[i])
            append_le(out, c, 2);
    }
    align_to(out, 4);
    put_le(out, 20, out.size(), 4);
    const size_t types = out.size();
    out.resize(out.size() + 4 * lib.interfaces.size());
    for (size_t i = 0; i < lib.interfaces.size(); ++i) {
        put_le(out, types + 4 * i, out.size(), 4);
        append_le(out, 1, 2);  // interface
        append_le(out, lib.interfaces[i].flags, 2);
        append_le(out, i + 1, 4);  // its name
        append_guid(out, lib.interfaces[i].iid);
        append_le(out, 0xFFFFFFFF, 4);  // no doc string
        append_le(out, 0, 4);           // no members
    }
    put_le(out, 8, out.size(), 4);
    return out;
}

}  // namespace test_support

#endif
