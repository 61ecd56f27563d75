// Damaged type library images: each damage is refused with the documented HRESULT and a
// description naming what is wrong, and no damage makes the reader look outside the
// image (these tests run under AddressSanitizer too).
#include <gtest/gtest.h>

#include <functional>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/typeinfo.hpp"
#include "oleaut/dispatch/typelib_format.hpp"
#include "support/elf_file_builder.hpp"
#include "type_test_sample.hpp"

namespace {

using namespace oleaut::disp;
using bytes = std::vector<uint8_t>;
using test_support::get_le;
using test_support::put_le;

// Offsets inside the sample library's image, found through its own tables.
struct image_map {
    explicit image_map(const bytes &image) : image_(image) {}
    size_t string_table() const { return get_le(image_, 12, 4); }
    size_t type_table() const { return get_le(image_, 20, 4); }
    size_t record(size_t i) const { return get_le(image_, type_table() + 4 * i, 4); }
    // The sample's interface _cSample (record 0): its first member and first parameter.
    size_t first_member() const { return record(type_test::kSampleIndex) + 32; }
    size_t first_param() const { return first_member() + 24; }

private:
    const bytes &image_;
};

struct damage {
    const char *name;
    std::function<void(bytes &, const image_map &)> apply;
    HRESULT hr;
    const char *says;
};

const damage kDamages[] = {
    {"empty", [](bytes &b, const image_map &) { b.clear(); }, TYPE_E_INVDATAREAD, "too short"},
    {"three_bytes", [](bytes &b, const image_map &) { b.resize(3); }, TYPE_E_INVDATAREAD, "too short"},
    {"wrong_magic", [](bytes &b, const image_map &) { b[0] = 'X'; }, TYPE_E_UNSUPFORMAT, "not a type library image"},
    {"newer_format", [](bytes &b, const image_map &) { put_le(b, 4, 2, 2); }, TYPE_E_UNSUPFORMAT,
     "format version 2.0"},
    {"header_cut", [](bytes &b, const image_map &) { b.resize(40); }, TYPE_E_INVDATAREAD, "The header"},
    {"one_byte_short", [](bytes &b, const image_map &) { b.pop_back(); }, TYPE_E_INVDATAREAD, "truncated"},
    {"one_byte_long", [](bytes &b, const image_map &) { b.push_back(0); }, TYPE_E_INVDATAREAD, "bytes were read"},
    {"string_table_past_end", [](bytes &b, const image_map &) { put_le(b, 12, b.size(), 4); }, TYPE_E_INVDATAREAD,
     "The string table"},
    {"string_count_huge", [](bytes &b, const image_map &) { put_le(b, 16, 0xFFFFFFFF, 4); }, TYPE_E_INVDATAREAD,
     "the count is damaged"},
    {"string_offset_past_end", [](bytes &b, const image_map &m) { put_le(b, m.string_table(), 0xFFFFFFF0, 4); },
     TYPE_E_INVDATAREAD, "String 0"},
    {"string_length_huge", [](bytes &b, const image_map &m) { put_le(b, m.string_table() + 4, 0x7FFFFFFF, 4); },
     TYPE_E_INVDATAREAD, "String 0"},
    {"string_with_nul",
     [](bytes &b, const image_map &m) { put_le(b, get_le(b, m.string_table(), 4), 0, 2); }, TYPE_E_INVDATAREAD,
     "NUL character"},
    {"library_name_out_of_range", [](bytes &b, const image_map &) { put_le(b, 32, 0x00FFFFFF, 4); },
     TYPE_E_INVDATAREAD, "names string 16777215"},
    {"library_name_missing", [](bytes &b, const image_map &) { put_le(b, 32, 0xFFFFFFFF, 4); }, TYPE_E_INVDATAREAD,
     "The library name at offset 32 is missing"},
    {"type_count_huge", [](bytes &b, const image_map &) { put_le(b, 24, 0x10000, 4); }, TYPE_E_INVDATAREAD,
     "declares 65536 types"},
    {"more_listed_than_held", [](bytes &b, const image_map &) { put_le(b, 28, get_le(b, 24, 4) + 1, 4); },
     TYPE_E_INVDATAREAD, "lists 7 types but holds only 6"},
    {"type_table_past_end", [](bytes &b, const image_map &) { put_le(b, 20, b.size() - 2, 4); }, TYPE_E_INVDATAREAD,
     "The type table"},
    {"record_offset_past_end", [](bytes &b, const image_map &m) { put_le(b, m.type_table(), 0xFFFFFFF0, 4); },
     TYPE_E_INVDATAREAD, "Type record 0"},
    {"unknown_kind", [](bytes &b, const image_map &m) { put_le(b, m.record(0), 7, 2); }, TYPE_E_INVDATAREAD,
     "has kind 7"},
    {"member_count_huge", [](bytes &b, const image_map &m) { put_le(b, m.record(0) + 28, 0xFFFF, 4); },
     TYPE_E_INVDATAREAD, "members"},
    {"member_count_beyond_limit", [](bytes &b, const image_map &m) { put_le(b, m.record(0) + 28, 0x10000, 4); },
     TYPE_E_INVDATAREAD, "declares 65536 members"},
    {"invoke_kind_3", [](bytes &b, const image_map &m) { put_le(b, m.first_member() + 8, 3, 2); },
     TYPE_E_INVDATAREAD, "invoke kind 3"},
    {"member_flag_undefined", [](bytes &b, const image_map &m) { put_le(b, m.first_member() + 18, 0x8001, 2); },
     TYPE_E_INVDATAREAD, "undefined member flags 0x8001"},
    {"member_name_out_of_range", [](bytes &b, const image_map &m) { put_le(b, m.first_member(), 0x7FFFFFFF, 4); },
     TYPE_E_INVDATAREAD, "member 0's name"},
    {"param_count_beyond_limit", [](bytes &b, const image_map &m) { put_le(b, m.first_member() + 20, 0x8000, 4); },
     TYPE_E_INVDATAREAD, "declares 32768 parameters"},
    {"param_count_past_end", [](bytes &b, const image_map &m) { put_le(b, m.first_member() + 20, 0x7FFF, 4); },
     TYPE_E_INVDATAREAD, "parameters"},
    {"param_flag_undefined", [](bytes &b, const image_map &m) { put_le(b, m.first_param() + 6, 0x0002, 2); },
     TYPE_E_INVDATAREAD, "undefined parameter flags 0x2"},
    {"class_default_out_of_range",
     [](bytes &b, const image_map &m) { put_le(b, m.record(type_test::kSampleClassIndex) + 24, 77, 4); },
     TYPE_E_INVDATAREAD, "names type record 77"},
    {"class_default_not_an_interface",
     [](bytes &b, const image_map &m) {
         put_le(b, m.record(type_test::kSampleClassIndex) + 24, type_test::kKindIndex, 4);
     },
     TYPE_E_INVDATAREAD, "not an interface"},
    {"constant_count_huge", [](bytes &b, const image_map &m) { put_le(b, m.record(type_test::kKindIndex) + 24, 0xFFFF, 4); },
     TYPE_E_INVDATAREAD, "constants"},
};

class DamagedImage : public ::testing::TestWithParam<damage> {};

TEST_P(DamagedImage, IsRefusedWithItsReason)
{
    bytes image = write_type_library_image(type_test::kLibrary);
    const bytes pristine = image;
    GetParam().apply(image, image_map(pristine));
    try {
        read_type_library_image(image);
        FAIL() << "the damaged image was read";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), GetParam().hr) << e.what();
        EXPECT_EQ(oleaut::utf16_to_utf8(e.source()), "Type library image");
        EXPECT_NE(oleaut::utf16_to_utf8(e.description()).find(GetParam().says), std::string::npos)
            << oleaut::utf16_to_utf8(e.description());
    }
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedImage, ::testing::ValuesIn(kDamages),
                         [](const auto &info) { return std::string(info.param.name); });

// Reads an image that may be damaged: it is either refused with one of the two format
// errors or read, and what is read builds type information or is refused in turn.
void read_or_refuse(const bytes &image)
{
    try {
        oleaut::com_ptr<ITypeLib> lib = load_type_library_image(image);
        EXPECT_LE(lib->GetTypeInfoCount(), 0xFFFFu);
    } catch (const oleaut::com_error &e) {
        EXPECT_TRUE(e.hr() == TYPE_E_INVDATAREAD || e.hr() == TYPE_E_UNSUPFORMAT || e.hr() == E_INVALIDARG)
            << e.what();
    }
}

TEST(DamagedImage, EveryTruncationIsRefused)
{
    const bytes image = write_type_library_image(type_test::kLibrary);
    for (size_t length = 0; length < image.size(); ++length) {
        try {
            read_type_library_image(std::span(image.data(), length));
            ADD_FAILURE() << "a prefix of " << length << " bytes was read";
        } catch (const oleaut::com_error &e) {
            EXPECT_TRUE(e.hr() == TYPE_E_INVDATAREAD || e.hr() == TYPE_E_UNSUPFORMAT) << e.what();
        }
    }
}

TEST(DamagedImage, NoSingleByteDamageEscapesTheImage)
{
    const bytes pristine = write_type_library_image(type_test::kLibrary);
    for (size_t at = 0; at < pristine.size(); ++at) {
        for (uint8_t value : {uint8_t{0x00}, uint8_t{0x7F}, uint8_t{0xFF}}) {
            bytes image = pristine;
            image[at] = value;
            SCOPED_TRACE("byte " + std::to_string(at) + " = " + std::to_string(value));
            read_or_refuse(image);
        }
    }
}

}  // namespace
