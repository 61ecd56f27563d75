// Writes a VS_VERSIONINFO block (layout: version_block.hpp).
#include <functional>

#include "byte_io.hpp"
#include "oleaut/dispatch/version_block.hpp"

namespace oleaut::disp {

namespace {

constexpr char16_t kSource[] = u"Version block";
constexpr WORD kBinary = 0;
constexpr WORD kText = 1;

[[noreturn]] void refuse(HRESULT hr, const std::string &why) { throw com_error(hr, kSource, utf8_to_utf16(why)); }

WORD length16(size_t n, const std::string &what)
{
    if (n > 0xFFFF)
        refuse(E_INVALIDARG, what + " would be " + std::to_string(n) + " bytes; a version node holds at most 65535.");
    return static_cast<WORD>(n);
}

bool is_table_key(std::u16string_view key)
{
    if (key.size() != 8)
        return false;
    for (char16_t c : key)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    return true;
}

class block_writer {
public:
    // One node: header, key, value, then what `children` writes, each child aligned.
    void node(std::u16string_view key, WORD type, std::span<const BYTE> value, WORD value_length,
              const std::function<void()> &children = {})
    {
        out_.align(4);
        const size_t start = out_.size();
        out_.u16(0);
        out_.u16(value_length);
        out_.u16(type);
        out_.utf16(key);
        out_.u16(0);
        out_.align(4);
        out_.bytes(value);
        if (children)
            children();
        out_.patch_u16(start, length16(out_.size() - start, "The node '" + utf16_to_utf8(key) + "'"));
    }

    void text_node(std::u16string_view key, std::u16string_view text)
    {
        bytes::writer value;
        value.utf16(text);
        value.u16(0);
        node(key, kText, value.data(), length16(text.size() + 1, "The value of '" + utf16_to_utf8(key) + "'"));
    }

    std::vector<BYTE> take() { return out_.take(); }

private:
    bytes::writer out_;
};

std::vector<BYTE> fixed_part(const fixed_file_info &f)
{
    bytes::writer w;
    for (DWORD v : {f.dwSignature, f.dwStrucVersion, f.dwFileVersionMS, f.dwFileVersionLS, f.dwProductVersionMS,
                    f.dwProductVersionLS, f.dwFileFlagsMask, f.dwFileFlags, f.dwFileOS, f.dwFileType,
                    f.dwFileSubtype, f.dwFileDateMS, f.dwFileDateLS})
        w.u32(v);
    return w.take();
}

}  // namespace

std::vector<BYTE> write_version_block(const version_info &info)
{
    for (const version_string_table &table : info.string_tables)
        if (!is_table_key(table.key))
            refuse(E_INVALIDARG, "The string table key '" + utf16_to_utf8(table.key) +
                                     "' is not 8 hex digits (language and code page, as \"040904B0\").");

    block_writer w;
    const std::vector<BYTE> fixed = fixed_part(info.fixed);
    w.node(u"VS_VERSION_INFO", kBinary, fixed, static_cast<WORD>(fixed.size()), [&] {
        if (!info.string_tables.empty()) {
            w.node(u"StringFileInfo", kText, {}, 0, [&] {
                for (const version_string_table &table : info.string_tables)
                    w.node(table.key, kText, {}, 0, [&] {
                        for (const auto &[key, value] : table.strings)
                            w.text_node(key, value);
                    });
            });
        }
        if (!info.translations.empty()) {
            w.node(u"VarFileInfo", kText, {}, 0, [&] {
                bytes::writer pairs;
                for (DWORD t : info.translations)
                    pairs.u32(t);
                w.node(u"Translation", kBinary, pairs.data(), length16(pairs.size(), "The translation list"));
            });
        }
    });
    return w.take();
}

}  // namespace oleaut::disp
