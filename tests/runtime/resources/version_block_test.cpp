// The version block: laid out as Windows documents VS_VERSIONINFO (checked byte by
// byte at the documented positions), read back field for field, and refused when its
// lengths do not fit.
#include <gtest/gtest.h>

#include <functional>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/version_block.hpp"
#include "support/elf_file_builder.hpp"

namespace {

using namespace oleaut::disp;
using bytes = std::vector<uint8_t>;
using test_support::get_le;
using test_support::put_le;

version_info sample()
{
    version_info v;
    v.fixed.dwFileVersionMS = 0x00010002;
    v.fixed.dwFileVersionLS = 0x00030004;
    v.fixed.dwProductVersionMS = 0x00050006;
    v.fixed.dwFileFlags = 0x2;
    v.string_tables.push_back({u"040904B0", {{u"FileVersion", u"1.00"}, {u"OLESelfRegister", u""}}});
    v.string_tables.push_back({u"040704b0", {{u"ProductName", u"Grafik \u00e4"}}});
    v.translations = {0x04B00409, 0x04B00407};
    return v;
}

// The UTF-16 key at `at`, up to its NUL.
std::u16string key_at(const bytes &b, size_t at)
{
    std::u16string key;
    for (; get_le(b, at, 2) != 0; at += 2)
        key.push_back(static_cast<char16_t>(get_le(b, at, 2)));
    return key;
}

TEST(VersionBlock, RootIsVsVersionInfoWithTheFixedPartAtOffset40)
{
    const bytes b = write_version_block(sample());
    EXPECT_EQ(get_le(b, 0, 2), b.size()) << "wLength covers the whole block";
    EXPECT_EQ(get_le(b, 2, 2), 52u) << "wValueLength is sizeof(VS_FIXEDFILEINFO)";
    EXPECT_EQ(get_le(b, 4, 2), 0u) << "the fixed part is binary";
    EXPECT_EQ(key_at(b, 6), u"VS_VERSION_INFO");
    // 6 header bytes + 32 bytes of key and NUL = 38, padded to 40.
    EXPECT_EQ(get_le(b, 38, 2), 0u);
    EXPECT_EQ(get_le(b, 40, 4), 0xFEEF04BDu);
    EXPECT_EQ(get_le(b, 44, 4), 0x00010000u) << "dwStrucVersion";
    EXPECT_EQ(get_le(b, 48, 4), 0x00010002u) << "dwFileVersionMS";
    EXPECT_EQ(get_le(b, 52, 4), 0x00030004u) << "dwFileVersionLS";
    EXPECT_EQ(get_le(b, 64, 4), 0x3Fu) << "dwFileFlagsMask";
    EXPECT_EQ(get_le(b, 72, 4), 0x00040004u) << "dwFileOS: VOS_NT_WINDOWS32";
    EXPECT_EQ(get_le(b, 76, 4), 2u) << "dwFileType: VFT_DLL";
    // The first child, StringFileInfo, follows the 52 bytes at 92.
    EXPECT_EQ(key_at(b, 92 + 6), u"StringFileInfo");
    EXPECT_EQ(get_le(b, 92 + 2, 2), 0u);
    EXPECT_EQ(get_le(b, 92 + 4, 2), 1u);
}

// Walks the tree the way any reader of version resources does, collecting
// "key:wValueLength:wType" for every node, depth-first.
void walk(const bytes &b, size_t at, size_t end, std::vector<std::string> &out)
{
    while (at < end) {
        const size_t length = get_le(b, at, 2), value_length = get_le(b, at + 2, 2), type = get_le(b, at + 4, 2);
        const std::u16string key = key_at(b, at + 6);
        out.push_back(oleaut::utf16_to_utf8(key) + ":" + std::to_string(value_length) + ":" + std::to_string(type));
        size_t value = (at + 6 + 2 * (key.size() + 1) + 3) & ~size_t{3};
        const size_t value_bytes = type == 1 ? 2 * value_length : value_length;
        walk(b, (value + value_bytes + 3) & ~size_t{3}, at + length, out);
        at = (at + length + 3) & ~size_t{3};
    }
}

TEST(VersionBlock, NodesCarryTheDocumentedKeysLengthsAndTypes)
{
    const bytes b = write_version_block(sample());
    std::vector<std::string> nodes;
    walk(b, 0, b.size(), nodes);
    const std::vector<std::string> expected = {
        "VS_VERSION_INFO:52:0", "StringFileInfo:0:1",
        "040904B0:0:1",         "FileVersion:5:1",  // "1.00" and its NUL, in UTF-16 units
        "OLESelfRegister:1:1",                      // only the NUL
        "040704b0:0:1",         "ProductName:9:1",
        "VarFileInfo:0:1",      "Translation:8:0",  // two DWORDs, in bytes
    };
    EXPECT_EQ(nodes, expected);
}

TEST(VersionBlock, TranslationHoldsLanguageThenCodePage)
{
    version_info v;
    v.translations = {0x04B00409};
    const bytes b = write_version_block(v);
    const bytes tail(b.end() - 4, b.end());
    EXPECT_EQ(tail, (bytes{0x09, 0x04, 0xB0, 0x04}));
}

TEST(VersionBlock, ReadsBackWhatWasWritten) { EXPECT_EQ(read_version_block(write_version_block(sample())), sample()); }

TEST(VersionBlock, FindsAStringInAnyTable)
{
    const version_info v = read_version_block(write_version_block(sample()));
    ASSERT_NE(v.find(u"ProductName"), nullptr);
    EXPECT_EQ(*v.find(u"ProductName"), u"Grafik \u00e4");
    ASSERT_NE(v.find(u"OLESelfRegister"), nullptr);
    EXPECT_EQ(*v.find(u"OLESelfRegister"), u"");
    EXPECT_EQ(v.find(u"CompanyName"), nullptr);
}

TEST(VersionBlock, SkipsNodesItDoesNotKnow)
{
    version_info v = sample();
    bytes b = write_version_block(v);
    // Renaming VarFileInfo makes it a node this reader does not know: it is skipped.
    // The Var node is 32 bytes of header and key plus its DWORDs; its parent's header
    // and key take 32 more.
    const size_t at = b.size() - (32 + 4 * v.translations.size()) - 32;
    ASSERT_EQ(key_at(b, at + 6), u"VarFileInfo");
    put_le(b, at + 6, 'W', 2);
    v.translations.clear();
    EXPECT_EQ(read_version_block(b), v);
}

TEST(VersionBlock, RefusesABadTableKey)
{
    version_info v;
    v.string_tables.push_back({u"0409", {}});
    EXPECT_THROW(write_version_block(v), oleaut::com_error);
}

struct damage {
    const char *name;
    std::function<void(bytes &)> apply;
    const char *says;
};

const damage kDamages[] = {
    {"empty", [](bytes &b) { b.clear(); }, "A node's length"},
    {"root_longer_than_block", [](bytes &b) { put_le(b, 0, b.size() + 4, 2); }, "only"},
    {"root_shorter_than_header", [](bytes &b) { put_le(b, 0, 4, 2); }, "says it is 4 bytes"},
    {"fixed_part_too_long", [](bytes &b) { put_le(b, 2, 0xF000, 2); }, "does not fit"},
    {"fixed_part_short",
     [](bytes &b) {
         // A block with no children, so that the shorter value leaves nothing misread.
         b = write_version_block(version_info{});
         put_le(b, 0, 88, 2);
         put_le(b, 2, 48, 2);
         b.resize(88);
     },
     "48 bytes instead of 52"},
    {"no_signature", [](bytes &b) { put_le(b, 40, 0, 4); }, "signature"},
    {"other_root_key", [](bytes &b) { put_le(b, 6, 'X', 2); }, "XS_VERSION_INFO"},
    {"child_longer_than_parent", [](bytes &b) { put_le(b, 92, 0xFFF0, 2); }, "bytes are left for it"},
    {"key_without_nul", [](bytes &b) { b.resize(20); put_le(b, 0, 20, 2); }, "no terminating NUL"},
};

class DamagedVersionBlock : public ::testing::TestWithParam<damage> {};

TEST_P(DamagedVersionBlock, IsRefusedWithItsReason)
{
    bytes b = write_version_block(sample());
    GetParam().apply(b);
    try {
        read_version_block(b);
        FAIL() << "the damaged block was read";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), TYPE_E_INVDATAREAD) << e.what();
        EXPECT_NE(oleaut::utf16_to_utf8(e.description()).find(GetParam().says), std::string::npos)
            << oleaut::utf16_to_utf8(e.description());
    }
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedVersionBlock, ::testing::ValuesIn(kDamages),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(DamagedVersionBlock, NoSingleByteDamageEscapesTheBlock)
{
    const bytes pristine = write_version_block(sample());
    for (size_t at = 0; at < pristine.size(); ++at) {
        bytes b = pristine;
        b[at] ^= 0xFF;
        try {
            read_version_block(b);
        } catch (const oleaut::com_error &e) {
            EXPECT_EQ(e.hr(), TYPE_E_INVDATAREAD) << "byte " << at << ": " << e.what();
        }
    }
}

}  // namespace
