// Reads a type library image (format: typelib_format.hpp) back into a description
// that owns everything it points to. The image comes from a file anyone can edit, so
// every offset, count and index is checked before it is used, and anything the format
// does not allow refuses the whole image.
#include <deque>

#include "resources/byte_io.hpp"
#include "oleaut/dispatch/typelib_format.hpp"
#include "type_library_build.hpp"
#include "typelib_format_layout.hpp"

namespace oleaut::disp {

namespace {

using namespace typelib_layout;

// The description and the storage its pointers point into. Deques, because they
// never move an element once it is added: the pointers handed out stay valid.
struct owned_library {
    std::deque<std::u16string> strings;
    std::deque<interface_info> interfaces;
    std::deque<coclass_info> classes;
    std::deque<enum_info> enums;
    library_info info;
};

std::string hex(DWORD v)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(v));
    return text;
}

class image_reader {
public:
    explicit image_reader(std::span<const BYTE> image) : in_(image, kSource) {}

    std::shared_ptr<const library_info> read()
    {
        read_header();
        read_strings();
        read_types();
        return std::shared_ptr<const library_info>(owned_, &owned_->info);
    }

private:
    void read_header()
    {
        if (in_.size() < sizeof typelib_image_magic)
            in_.fail(TYPE_E_INVDATAREAD, "The image is " + std::to_string(in_.size()) +
                                             " bytes long, too short to be a type library image.");
        const auto magic = in_.bytes(kMagic, sizeof typelib_image_magic, "The magic number");
        if (!std::equal(magic.begin(), magic.end(), typelib_image_magic))
            in_.fail(TYPE_E_UNSUPFORMAT, "The data does not start with \"QTLB\": it is not a type library image.");
        const WORD major = in_.u16(kVersionMajor, "The format version");
        if (major != kFormatMajor)
            in_.fail(TYPE_E_UNSUPFORMAT, "The image has format version " + std::to_string(major) + "." +
                                             std::to_string(in_.u16(kVersionMinor, "The format version")) +
                                             "; this reader knows version " + std::to_string(kFormatMajor) + ".");
        in_.require_array(0, 1, kHeaderSize, "The header");
        const DWORD declared = in_.u32(kImageSize, "The image size");
        if (declared != in_.size())
            in_.fail(TYPE_E_INVDATAREAD, "The header says the image is " + std::to_string(declared) +
                                             " bytes long, but " + std::to_string(in_.size()) +
                                             " bytes were read; the image is truncated or damaged.");
    }

    void read_strings()
    {
        const DWORD table = in_.u32(kStringTable, "The string table offset");
        const DWORD count = in_.u32(kStringCount, "The string count");
        in_.require_array(table, count, kStringEntrySize, "The string table");
        strings_.reserve(count);
        for (DWORD i = 0; i < count; ++i) {
            const size_t entry = table + size_t{i} * kStringEntrySize;
            const DWORD at = in_.u32(entry, "A string offset");
            const DWORD length = in_.u32(entry + 4, "A string length");
            std::u16string text = in_.utf16(at, length, "String " + std::to_string(i));
            if (text.find(u'\0') != std::u16string::npos)
                in_.fail(TYPE_E_INVDATAREAD, "String " + std::to_string(i) + " contains a NUL character.");
            strings_.push_back(owned_->strings.emplace_back(std::move(text)).c_str());
        }
    }

    // A string index: a name the description must have, or one it may leave out.
    const char16_t *string(size_t at, std::string_view what, bool optional)
    {
        const DWORD index = in_.u32(at, what);
        if (index == kNoString) {
            if (!optional)
                in_.fail(TYPE_E_INVDATAREAD, std::string(what) + " at offset " + std::to_string(at) + " is missing.");
            return nullptr;
        }
        if (index >= strings_.size())
            in_.fail(TYPE_E_INVDATAREAD, std::string(what) + " at offset " + std::to_string(at) + " names string " +
                                             std::to_string(index) + ", but the image has " +
                                             std::to_string(strings_.size()) + ".");
        return strings_[index];
    }

    void read_types()
    {
        library_info &lib = owned_->info;
        lib.name = string(kLibraryName, "The library name", false);
        lib.doc = string(kLibraryDoc, "The library doc string", true);
        lib.guid = in_.guid(kLibraryGuid, "The library GUID");
        lib.lcid = in_.u32(kLibraryLcid, "The library locale");
        lib.major = in_.u16(kLibraryMajor, "The library version");
        lib.minor = in_.u16(kLibraryMinor, "The library version");

        const DWORD table = in_.u32(kTypeTable, "The type table offset");
        const DWORD count = in_.u32(kTypeCount, "The type count");
        const DWORD listed = in_.u32(kListedCount, "The listed type count");
        if (count > kMaxTypes)
            in_.fail(TYPE_E_INVDATAREAD, "The image declares " + std::to_string(count) + " types; at most " +
                                             std::to_string(kMaxTypes) + " are possible.");
        if (listed > count)
            in_.fail(TYPE_E_INVDATAREAD, "The image lists " + std::to_string(listed) + " types but holds only " +
                                             std::to_string(count) + ".");
        in_.require_array(table, count, kTypeEntrySize, "The type table");

        std::vector<type_entry> records;
        std::vector<std::pair<coclass_info *, DWORD>> class_links;
        records.reserve(count);
        for (DWORD i = 0; i < count; ++i) {
            const size_t at = in_.u32(table + size_t{i} * kTypeEntrySize, "A type record offset");
            records.push_back(read_record(at, i, class_links));
        }
        for (auto [cls, index] : class_links)
            cls->default_interface = interface_at(records, index, cls->name);
        lib.types.assign(records.begin(), records.begin() + listed);
    }

    type_entry read_record(size_t at, DWORD index, std::vector<std::pair<coclass_info *, DWORD>> &class_links)
    {
        const std::string what = "Type record " + std::to_string(index);
        in_.require_array(at, 1, kTypeHeadSize, what);
        const WORD kind = in_.u16(at, what);
        const WORD flags = in_.u16(at + 2, what);
        const char16_t *name = string(at + 4, what + "'s name", false);
        const GUID guid = in_.guid(at + 8, what);
        const size_t rest = at + kTypeHeadSize;
        switch (kind) {
        case kInterface: {
            interface_info &iface = owned_->interfaces.emplace_back();
            iface.name = name;
            iface.iid = guid;
            iface.type_flags = flags;
            iface.doc = string(rest, what + "'s doc string", true);
            read_members(rest + 8, in_.u32(rest + 4, what + "'s member count"), iface, what);
            return &iface;
        }
        case kClass: {
            coclass_info &cls = owned_->classes.emplace_back(coclass_info{name, guid, flags, nullptr});
            const DWORD target = in_.u32(rest, what + "'s default interface");
            if (target != kNoType)
                class_links.emplace_back(&cls, target);
            return &cls;
        }
        case kEnumeration: {
            enum_info &e = owned_->enums.emplace_back(enum_info{name, guid, flags, {}});
            read_constants(rest + 4, in_.u32(rest, what + "'s constant count"), e, what);
            return &e;
        }
        default:
            in_.fail(TYPE_E_INVDATAREAD, what + " has kind " + std::to_string(kind) +
                                             "; the format knows 1 (interface), 2 (class) and 3 (enumeration).");
        }
    }

    void read_members(size_t at, DWORD count, interface_info &iface, const std::string &owner)
    {
        if (count > kMaxMembers)
            in_.fail(TYPE_E_INVDATAREAD, owner + " declares " + std::to_string(count) + " members; at most " +
                                             std::to_string(kMaxMembers) + " are possible.");
        // Each member takes at least its fixed part, which bounds the count by the image.
        in_.require_array(at, count, kMemberSize, owner + "'s members");
        iface.members.reserve(count);
        for (DWORD i = 0; i < count; ++i) {
            const std::string what = owner + ", member " + std::to_string(i);
            in_.require_array(at, 1, kMemberSize, what);
            member_info m{};
            m.name = string(at, what + "'s name", false);
            m.id = static_cast<DISPID>(in_.u32(at + 4, what));
            m.kind = invoke_kind(in_.u16(at + 8, what), what);
            m.result = in_.u16(at + 10, what);
            m.result_type_name = string(at + 12, what + "'s result type name", true);
            m.func_flags = in_.u16(at + 16, what);
            const WORD member_flags = in_.u16(at + 18, what);
            if (member_flags & ~kMemberVtableOnly)
                in_.fail(TYPE_E_INVDATAREAD, what + " has undefined member flags " + hex(member_flags) + ".");
            m.vtable_only = (member_flags & kMemberVtableOnly) != 0;
            const DWORD params = in_.u32(at + 20, what + "'s parameter count");
            if (params > kMaxParams)
                in_.fail(TYPE_E_INVDATAREAD, what + " declares " + std::to_string(params) +
                                                 " parameters; at most " + std::to_string(kMaxParams) +
                                                 " are possible.");
            at += kMemberSize;
            in_.require_array(at, params, kParamSize, what + "'s parameters");
            m.params.reserve(params);
            for (DWORD p = 0; p < params; ++p, at += kParamSize) {
                const std::string param_what = what + ", parameter " + std::to_string(p);
                param prm{};
                prm.name = string(at, param_what + "'s name", true);
                prm.type = in_.u16(at + 4, param_what);
                const WORD param_flags = in_.u16(at + 6, param_what);
                if (param_flags & ~kParamOptional)
                    in_.fail(TYPE_E_INVDATAREAD,
                             param_what + " has undefined parameter flags " + hex(param_flags) + ".");
                prm.optional = (param_flags & kParamOptional) != 0;
                prm.type_name = string(at + 8, param_what + "'s type name", true);
                m.params.push_back(prm);
            }
            iface.members.push_back(std::move(m));
        }
    }

    INVOKEKIND invoke_kind(WORD value, const std::string &what) const
    {
        switch (value) {
        case INVOKE_FUNC:
        case INVOKE_PROPERTYGET:
        case INVOKE_PROPERTYPUT:
        case INVOKE_PROPERTYPUTREF: return static_cast<INVOKEKIND>(value);
        default:
            in_.fail(TYPE_E_INVDATAREAD, what + " has invoke kind " + std::to_string(value) +
                                             "; only 1, 2, 4 and 8 are invoke kinds.");
        }
    }

    void read_constants(size_t at, DWORD count, enum_info &e, const std::string &owner)
    {
        if (count > kMaxConstants)
            in_.fail(TYPE_E_INVDATAREAD, owner + " declares " + std::to_string(count) + " constants; at most " +
                                             std::to_string(kMaxConstants) + " are possible.");
        in_.require_array(at, count, kConstantSize, owner + "'s constants");
        e.constants.reserve(count);
        for (DWORD i = 0; i < count; ++i, at += kConstantSize) {
            const std::string what = owner + ", constant " + std::to_string(i);
            e.constants.push_back({string(at, what + "'s name", false), static_cast<LONG>(in_.u32(at + 4, what))});
        }
    }

    const interface_info *interface_at(const std::vector<type_entry> &records, DWORD index,
                                       const char16_t *class_name) const
    {
        const std::string owner = "Class '" + utf16_to_utf8(class_name) + "'";
        if (index >= records.size())
            in_.fail(TYPE_E_INVDATAREAD, owner + " names type record " + std::to_string(index) +
                                             " as its default interface, but the image has " +
                                             std::to_string(records.size()) + ".");
        const auto *const *iface = std::get_if<const interface_info *>(&records[index]);
        if (!iface)
            in_.fail(TYPE_E_INVDATAREAD, owner + " names type record " + std::to_string(index) +
                                             " as its default interface, but that record is not an interface.");
        return *iface;
    }

    bytes::reader in_;
    std::shared_ptr<owned_library> owned_ = std::make_shared<owned_library>();
    std::vector<const char16_t *> strings_;
};

}  // namespace

std::shared_ptr<const library_info> decode_type_library_image(std::span<const BYTE> image)
{
    return image_reader(image).read();
}

}  // namespace oleaut::disp
