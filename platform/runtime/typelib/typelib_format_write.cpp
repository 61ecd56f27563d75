// Writes a library description as a type library image (format: typelib_format.hpp).
// The records are written first into a body of their own, so that the string table,
// whose size is known only once every name has been seen, can precede them.
#include <map>

#include "resources/byte_io.hpp"
#include "oleaut/dispatch/typelib_format.hpp"
#include "type_library_build.hpp"
#include "typelib_format_layout.hpp"

namespace oleaut::disp {

namespace {

using namespace typelib_layout;

[[noreturn]] void refuse(HRESULT hr, const std::string &why)
{
    throw com_error(hr, kSource, utf8_to_utf16(why));
}

void check_count(size_t count, size_t limit, const std::string &what)
{
    if (count > limit)
        refuse(TYPE_E_SIZETOOBIG, what + " has " + std::to_string(count) + " entries; the type information can "
                                                                            "hold at most " +
                                       std::to_string(limit) + ".");
}

// Every distinct string once, in the order first seen.
class string_table {
public:
    DWORD index_of(const char16_t *s)
    {
        if (!s)
            return kNoString;
        auto [at, added] = index_.try_emplace(std::u16string(s), static_cast<DWORD>(strings_.size()));
        if (added)
            strings_.push_back(&at->first);
        return at->second;
    }
    DWORD required(const char16_t *s, const std::string &what)
    {
        if (!s)
            refuse(E_INVALIDARG, what + " has no name; every type, member and constant must be named.");
        return index_of(s);
    }
    const std::vector<const std::u16string *> &in_order() const noexcept { return strings_; }

private:
    std::map<std::u16string, DWORD> index_;
    std::vector<const std::u16string *> strings_;
};

class image_writer {
public:
    explicit image_writer(const library_info &lib) : lib_(lib) {}

    std::vector<BYTE> write()
    {
        collect_records();
        std::vector<size_t> record_offsets;
        for (const type_entry &record : records_) {
            body_.align(4);
            record_offsets.push_back(body_.size());
            std::visit([&](const auto *d) { write_record(*d); }, record);
        }
        return assemble(record_offsets);
    }

private:
    // The listed types in order, then the default interfaces of classes that the
    // library does not list, each once.
    void collect_records()
    {
        check_count(lib_.types.size(), kMaxTypes, "The library");
        for (size_t i = 0; i < lib_.types.size(); ++i) {
            const bool null = std::visit([](const auto *d) { return d == nullptr; }, lib_.types[i]);
            if (null)
                refuse(E_INVALIDARG, "The library's type entry " + std::to_string(i) + " is a null description.");
            records_.push_back(lib_.types[i]);
        }
        for (const type_entry &listed : lib_.types) {
            const auto *const *cls = std::get_if<const coclass_info *>(&listed);
            if (!cls || !(*cls)->default_interface)
                continue;
            if (record_of((*cls)->default_interface) == kNoType)
                records_.emplace_back((*cls)->default_interface);
        }
        check_count(records_.size(), kMaxTypes, "The library with the interfaces its classes refer to");
    }

    DWORD record_of(const interface_info *iface) const
    {
        for (size_t i = 0; i < records_.size(); ++i) {
            const auto *const *candidate = std::get_if<const interface_info *>(&records_[i]);
            if (candidate && *candidate == iface)
                return static_cast<DWORD>(i);
        }
        return kNoType;
    }

    void write_head(type_kind kind, WORD flags, const char16_t *name, const GUID &guid)
    {
        body_.u16(kind);
        body_.u16(flags);
        body_.u32(strings_.required(name, "A type"));
        body_.guid(guid);
    }

    void write_record(const interface_info &iface)
    {
        write_head(kInterface, iface.type_flags, iface.name, iface.iid);
        const std::string owner = "Interface '" + utf16_to_utf8(iface.name ? iface.name : u"") + "'";
        check_count(iface.members.size(), kMaxMembers, owner);
        body_.u32(strings_.index_of(iface.doc));
        body_.u32(static_cast<DWORD>(iface.members.size()));
        for (const member_info &m : iface.members) {
            body_.u32(strings_.required(m.name, "A member of " + owner));
            body_.u32(static_cast<DWORD>(m.id));
            body_.u16(static_cast<WORD>(m.kind));
            body_.u16(m.result);
            body_.u32(strings_.index_of(m.result_type_name));
            body_.u16(m.func_flags);
            body_.u16(m.vtable_only ? kMemberVtableOnly : 0);
            check_count(m.params.size(), kMaxParams, "Member '" + utf16_to_utf8(m.name) + "' of " + owner);
            body_.u32(static_cast<DWORD>(m.params.size()));
            for (const param &p : m.params) {
                body_.u32(strings_.index_of(p.name));
                body_.u16(p.type);
                body_.u16(p.optional ? kParamOptional : 0);
                body_.u32(strings_.index_of(p.type_name));
            }
        }
    }

    void write_record(const coclass_info &cls)
    {
        write_head(kClass, cls.type_flags, cls.name, cls.clsid);
        body_.u32(cls.default_interface ? record_of(cls.default_interface) : kNoType);
    }

    void write_record(const enum_info &e)
    {
        write_head(kEnumeration, e.type_flags, e.name, e.guid);
        check_count(e.constants.size(), kMaxConstants, "Enumeration '" + utf16_to_utf8(e.name ? e.name : u"") + "'");
        body_.u32(static_cast<DWORD>(e.constants.size()));
        for (const enum_info::constant &c : e.constants) {
            body_.u32(strings_.required(c.name, "A constant of an enumeration"));
            body_.u32(static_cast<DWORD>(c.value));
        }
    }

    // Header, string table, characters, type table, then the records.
    std::vector<BYTE> assemble(const std::vector<size_t> &record_offsets)
    {
        const DWORD name = strings_.required(lib_.name, "The library");
        const DWORD doc = strings_.index_of(lib_.doc);
        const auto &strings = strings_.in_order();

        bytes::writer out;
        out.bytes(typelib_image_magic);
        out.u16(kFormatMajor);
        out.u16(kFormatMinor);
        const size_t size_field = out.size();
        out.u32(0);
        out.u32(kHeaderSize);
        out.u32(static_cast<DWORD>(strings.size()));
        const size_t type_table_field = out.size();
        out.u32(0);
        out.u32(static_cast<DWORD>(records_.size()));
        out.u32(static_cast<DWORD>(lib_.types.size()));
        out.u32(name);
        out.u32(doc);
        out.guid(lib_.guid);
        out.u32(lib_.lcid);
        out.u16(lib_.major);
        out.u16(lib_.minor);

        const size_t entries = out.size();
        for (size_t i = 0; i < strings.size(); ++i) {
            out.u32(0);
            out.u32(bytes::offset32(strings[i]->size(), kSource));
        }
        for (size_t i = 0; i < strings.size(); ++i) {
            out.patch_u32(entries + i * kStringEntrySize, bytes::offset32(out.size(), kSource));
            out.utf16(*strings[i]);
        }

        out.align(4);
        out.patch_u32(type_table_field, bytes::offset32(out.size(), kSource));
        const size_t body_start = out.size() + records_.size() * kTypeEntrySize;
        for (size_t offset : record_offsets)
            out.u32(bytes::offset32(body_start + offset, kSource));
        out.bytes(body_.data());
        out.patch_u32(size_field, bytes::offset32(out.size(), kSource));
        return out.take();
    }

    const library_info &lib_;
    std::vector<type_entry> records_;
    string_table strings_;
    bytes::writer body_;
};

}  // namespace

std::vector<BYTE> encode_type_library_image(const library_info &lib) { return image_writer(lib).write(); }

}  // namespace oleaut::disp
