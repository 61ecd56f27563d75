// Reads a VS_VERSIONINFO block (layout: version_block.hpp). The block is parsed as a
// tree of generic nodes first, each bounded by its parent, and only then interpreted,
// so no interpretation can look outside the node it reads.
#include "byte_io.hpp"
#include "oleaut/dispatch/version_block.hpp"

namespace oleaut::disp {

namespace {

constexpr char16_t kSource[] = u"Version block";
constexpr size_t kNodeHeader = 6;
// VS_VERSIONINFO > StringFileInfo > StringTable > String is the deepest a block goes.
constexpr int kMaxDepth = 4;
constexpr size_t kFixedSize = 52;

size_t align4(size_t n) { return (n + 3) & ~size_t{3}; }

struct node {
    std::u16string key;
    WORD type = 0;
    WORD value_length = 0;
    std::span<const BYTE> value;  // the declared value, clipped to the node
    std::vector<node> children;
};

class node_parser {
public:
    explicit node_parser(std::span<const BYTE> block) : in_(block, kSource) {}

    node root()
    {
        size_t end = 0;
        return parse(0, in_.size(), 1, &end);
    }

    [[noreturn]] void fail(const std::string &why) const { in_.fail(TYPE_E_INVDATAREAD, why); }

private:
    // The node at `at`, which must end by `limit`; *end receives where it ends.
    node parse(size_t at, size_t limit, int depth, size_t *end)
    {
        const WORD length = in_.u16(at, "A node's length");
        if (length < kNodeHeader || length > limit - at)
            fail("The node at offset " + std::to_string(at) + " says it is " + std::to_string(length) +
                 " bytes long, but only " + std::to_string(limit - at) + " bytes are left for it.");
        const size_t node_end = at + length;
        node n;
        n.value_length = in_.u16(at + 2, "A node's value length");
        n.type = in_.u16(at + 4, "A node's type");
        size_t pos = at + kNodeHeader;
        while (true) {
            if (pos + 2 > node_end)
                fail("The key of the node at offset " + std::to_string(at) + " has no terminating NUL.");
            const char16_t c = static_cast<char16_t>(in_.u16(pos, "A node's key"));
            pos += 2;
            if (c == 0)
                break;
            n.key.push_back(c);
        }
        pos = std::min(align4(pos), node_end);
        const size_t value_bytes = n.type == 1 ? size_t{n.value_length} * 2 : n.value_length;
        if (value_bytes > node_end - pos)
            fail("The value of '" + utf16_to_utf8(n.key) + "' (" + std::to_string(value_bytes) +
                 " bytes) does not fit in its node.");
        n.value = in_.bytes(pos, value_bytes, "A node's value");
        pos = align4(pos + value_bytes);
        while (pos < node_end) {
            if (depth == kMaxDepth)
                fail("The node '" + utf16_to_utf8(n.key) + "' has children deeper than any version block nests.");
            size_t child_end = 0;
            n.children.push_back(parse(pos, node_end, depth + 1, &child_end));
            pos = align4(child_end);
        }
        *end = node_end;
        return n;
    }

    bytes::reader in_;
};

DWORD dword_at(std::span<const BYTE> bytes, size_t at)
{
    return static_cast<DWORD>(bytes[at]) | (static_cast<DWORD>(bytes[at + 1]) << 8) |
           (static_cast<DWORD>(bytes[at + 2]) << 16) | (static_cast<DWORD>(bytes[at + 3]) << 24);
}

// A String's text: its UTF-16 value up to the first NUL.
std::u16string text_of(const node &n)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < n.value.size(); i += 2) {
        const auto c = static_cast<char16_t>(n.value[i] | (n.value[i + 1] << 8));
        if (c == 0)
            break;
        text.push_back(c);
    }
    return text;
}

fixed_file_info fixed_of(const node &root, const node_parser &parser)
{
    if (root.value.size() != kFixedSize)
        parser.fail("The fixed file information is " + std::to_string(root.value.size()) + " bytes instead of " +
                    std::to_string(kFixedSize) + ".");
    fixed_file_info f;
    DWORD *fields[] = {&f.dwSignature,     &f.dwStrucVersion,     &f.dwFileVersionMS, &f.dwFileVersionLS,
                       &f.dwProductVersionMS, &f.dwProductVersionLS, &f.dwFileFlagsMask, &f.dwFileFlags,
                       &f.dwFileOS,        &f.dwFileType,         &f.dwFileSubtype,   &f.dwFileDateMS,
                       &f.dwFileDateLS};
    for (size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = dword_at(root.value, i * 4);
    if (f.dwSignature != version_signature)
        parser.fail("The fixed file information does not start with the signature 0xFEEF04BD.");
    return f;
}

}  // namespace

const std::u16string *version_info::find(std::u16string_view key) const noexcept
{
    for (const version_string_table &table : string_tables)
        for (const auto &[name, value] : table.strings)
            if (name == key)
                return &value;
    return nullptr;
}

version_info read_version_block(std::span<const BYTE> block)
{
    node_parser parser(block);
    const node root = parser.root();
    if (root.key != u"VS_VERSION_INFO")
        parser.fail("The block's key is '" + utf16_to_utf8(root.key) + "' instead of 'VS_VERSION_INFO'.");

    version_info info;
    info.fixed = fixed_of(root, parser);
    for (const node &child : root.children) {
        if (child.key == u"StringFileInfo") {
            for (const node &table : child.children) {
                version_string_table t{table.key, {}};
                for (const node &s : table.children)
                    t.strings.emplace_back(s.key, text_of(s));
                info.string_tables.push_back(std::move(t));
            }
        } else if (child.key == u"VarFileInfo") {
            for (const node &var : child.children)
                if (var.key == u"Translation")
                    for (size_t i = 0; i + 4 <= var.value.size(); i += 4)
                        info.translations.push_back(dword_at(var.value, i));
        }
    }
    return info;
}

}  // namespace oleaut::disp
