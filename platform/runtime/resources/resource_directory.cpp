// The resource directory a library's ".oleres" section holds (format: resources.hpp):
// writing it at build time, reading it back from a file that may be damaged.
#include <map>

#include "byte_io.hpp"
#include "oleaut/dispatch/resources.hpp"

namespace oleaut::disp {

namespace {

constexpr char16_t kSource[] = u"Resource directory";
constexpr BYTE kMagic[4] = {'Q', 'R', 'E', 'S'};
constexpr WORD kVersion = 1;
constexpr size_t kHeaderSize = 12;
constexpr size_t kEntrySize = 16;
constexpr DWORD kNameBit = 0x80000000u;
constexpr size_t kMaxNameChars = 0xFFFF;

bool ascii_equal_nocase(std::u16string_view a, std::u16string_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'a' && x <= u'z')
            x = static_cast<char16_t>(x - 32);
        if (y >= u'a' && y <= u'z')
            y = static_cast<char16_t>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

[[noreturn]] void refuse(const std::string &why) { throw com_error(E_INVALIDARG, kSource, utf8_to_utf16(why)); }

void check_id(const resource_id &id, const std::string &what)
{
    if (id.is_number() && id.number() == 0)
        refuse(what + " is the number 0; resource numbers run from 1 to 65535.");
    if (!id.is_number() && id.name().empty())
        refuse(what + " is an empty name.");
    if (!id.is_number() && id.name().size() > kMaxNameChars)
        refuse(what + " is a name of " + std::to_string(id.name().size()) + " characters; at most " +
               std::to_string(kMaxNameChars) + " fit.");
}

}  // namespace

bool resource_id::matches(const resource_id &other) const noexcept
{
    if (is_number() != other.is_number())
        return false;
    return is_number() ? number_ == other.number_ : ascii_equal_nocase(name_, other.name_);
}

std::string resource_id::text() const { return is_number() ? std::to_string(number_) : utf16_to_utf8(name_); }

std::vector<BYTE> write_resource_directory(std::span<const resource> resources)
{
    if (resources.size() > 0xFFFF)
        refuse("A directory holds at most 65535 resources; " + std::to_string(resources.size()) + " were given.");
    for (size_t i = 0; i < resources.size(); ++i) {
        const std::string what = "Resource " + std::to_string(i);
        check_id(resources[i].type, what + "'s type");
        check_id(resources[i].name, what + "'s name");
        for (size_t j = 0; j < i; ++j)
            if (resources[j].type.matches(resources[i].type) && resources[j].name.matches(resources[i].name))
                refuse("The resource (" + resources[i].type.text() + ", " + resources[i].name.text() +
                       ") is given twice.");
    }

    bytes::writer out;
    out.bytes(kMagic);
    out.u16(kVersion);
    out.u16(static_cast<WORD>(resources.size()));
    out.u32(0);  // the size, once known
    const size_t entries = out.size();
    for (size_t i = 0; i < resources.size() * 4; ++i)
        out.u32(0);

    // Each distinct name once; an entry refers to it by offset.
    std::map<std::u16string, DWORD> names;
    auto id_field = [&](const resource_id &id) -> DWORD {
        if (id.is_number())
            return id.number();
        auto [at, added] = names.try_emplace(id.name(), 0);
        if (added) {
            out.align(2);
            at->second = bytes::offset32(out.size(), kSource);
            out.u16(static_cast<WORD>(id.name().size()));
            out.utf16(id.name());
        }
        return kNameBit | at->second;
    };
    for (size_t i = 0; i < resources.size(); ++i) {
        const size_t entry = entries + i * kEntrySize;
        out.patch_u32(entry, id_field(resources[i].type));
        out.patch_u32(entry + 4, id_field(resources[i].name));
    }
    for (size_t i = 0; i < resources.size(); ++i) {
        out.align(4);
        const size_t entry = entries + i * kEntrySize;
        out.patch_u32(entry + 8, bytes::offset32(out.size(), kSource));
        out.patch_u32(entry + 12, bytes::offset32(resources[i].data.size(), kSource));
        out.bytes(resources[i].data);
    }
    out.patch_u32(8, bytes::offset32(out.size(), kSource));
    return out.take();
}

namespace {

resource_id read_id(const bytes::reader &in, DWORD field, const std::string &what)
{
    if (!(field & kNameBit)) {
        if (field == 0 || field > 0xFFFF)
            in.fail(TYPE_E_INVDATAREAD, what + " is the number " + std::to_string(field) +
                                            "; resource numbers run from 1 to 65535.");
        return resource_id(static_cast<WORD>(field));
    }
    const size_t at = field & ~kNameBit;
    const WORD length = in.u16(at, what + "'s length");
    if (length == 0)
        in.fail(TYPE_E_INVDATAREAD, what + " is an empty name.");
    return resource_id(in.utf16(at + 2, length, what));
}

}  // namespace

std::vector<resource> read_resource_directory(std::span<const BYTE> directory)
{
    const bytes::reader in(directory, kSource);
    if (!in.fits(0, kHeaderSize))
        in.fail(TYPE_E_INVDATAREAD, "The resource section is " + std::to_string(directory.size()) +
                                        " bytes long, too short for a resource directory.");
    const auto magic = in.bytes(0, 4, "The magic number");
    if (!std::equal(magic.begin(), magic.end(), kMagic))
        in.fail(TYPE_E_INVDATAREAD, "The resource section does not start with \"QRES\".");
    const WORD version = in.u16(4, "The format version");
    if (version != kVersion)
        in.fail(TYPE_E_INVDATAREAD, "The resource directory has format version " + std::to_string(version) +
                                        "; this reader knows version " + std::to_string(kVersion) + ".");
    const WORD count = in.u16(6, "The entry count");
    const DWORD size = in.u32(8, "The directory size");
    if (size > directory.size() || size < kHeaderSize)
        in.fail(TYPE_E_INVDATAREAD, "The directory says it is " + std::to_string(size) +
                                        " bytes long, but the section holds " + std::to_string(directory.size()) +
                                        ".");
    // From here on nothing may be read past the size the directory declares.
    const bytes::reader dir(directory.first(size), kSource);
    dir.require_array(kHeaderSize, count, kEntrySize, "The entry table");

    std::vector<resource> out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = kHeaderSize + i * kEntrySize;
        const std::string what = "Resource " + std::to_string(i);
        resource r{read_id(dir, dir.u32(entry, what), what + "'s type"),
                   read_id(dir, dir.u32(entry + 4, what), what + "'s name"),
                   {}};
        const DWORD data = dir.u32(entry + 8, what + "'s data offset");
        const DWORD length = dir.u32(entry + 12, what + "'s data size");
        const auto payload = dir.bytes(data, length, what + "'s data");
        r.data.assign(payload.begin(), payload.end());
        for (const resource &earlier : out)
            if (earlier.type.matches(r.type) && earlier.name.matches(r.name))
                dir.fail(TYPE_E_INVDATAREAD,
                         "The resource (" + r.type.text() + ", " + r.name.text() + ") appears twice.");
        out.push_back(std::move(r));
    }
    return out;
}

const resource *find_resource(std::span<const resource> resources, const resource_id &type,
                              const resource_id &name) noexcept
{
    for (const resource &r : resources)
        if (r.type.matches(type) && r.name.matches(name))
            return &r;
    return nullptr;
}

std::vector<resource> read_library_resources(const std::string &path)
{
    const std::vector<BYTE> section = read_elf_section(path, resource_section_name);
    try {
        return read_resource_directory(section);
    } catch (const com_error &e) {
        // The directory knows nothing of the file it came from; the person reading does.
        throw com_error(e.hr(), e.source(), utf8_to_utf16("'" + path + "': ") + e.description());
    }
}

}  // namespace oleaut::disp
