// The resource directory of a library's ".oleres" section: what is written reads back,
// names match as Windows matches them, a directory laid out by hand from its
// documentation reads, and damaged directories are refused.
#include <gtest/gtest.h>

#include <functional>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/resources.hpp"
#include "support/raw_resource_images.hpp"

namespace {

using namespace oleaut::disp;
using bytes = std::vector<uint8_t>;
using test_support::get_le;
using test_support::put_le;

std::vector<resource> sample_resources()
{
    std::vector<resource> r;
    r.push_back({u"TYPELIB", 1, {1, 2, 3}});
    r.push_back({u"CUSTOM", u"_IID_CQUILLET", bytes(20, 0xAB)});
    r.push_back({resource_type_version, 1, {}});
    r.push_back({u"TYPELIB", 2, {9}});
    return r;
}

std::string listing(const std::vector<resource> &resources)
{
    std::string out;
    for (const resource &r : resources)
        out += (r.type.is_number() ? "#" : "") + r.type.text() + "/" + (r.name.is_number() ? "#" : "") +
               r.name.text() + "=" + std::to_string(r.data.size()) + ":" +
               std::string(r.data.begin(), r.data.end()) + ";";
    return out;
}

TEST(ResourceDirectory, ReadsBackWhatWasWritten)
{
    const std::vector<resource> written = sample_resources();
    EXPECT_EQ(listing(read_resource_directory(write_resource_directory(written))), listing(written));
}

TEST(ResourceDirectory, DataStartsOnFourByteBoundaries)
{
    const bytes dir = write_resource_directory(sample_resources());
    for (size_t i = 0; i < sample_resources().size(); ++i)
        EXPECT_EQ(get_le(dir, 12 + 16 * i + 8, 4) % 4, 0u) << "resource " << i;
}

TEST(ResourceDirectory, ReadsADirectoryLaidOutFromItsDocumentation)
{
    const bytes dir = test_support::raw_resource_directory(
        {{{u"TYPELIB", 0}, {u"", 1}, {'a', 'b'}}, {{u"", 16}, {u"Name", 0}, {'x'}}});
    const std::vector<resource> read = read_resource_directory(dir);
    EXPECT_EQ(listing(read), "TYPELIB/#1=2:ab;#16/Name=1:x;");
}

TEST(ResourceDirectory, SectionPaddingAfterTheDirectoryIsIgnored)
{
    bytes dir = write_resource_directory(sample_resources());
    dir.resize(dir.size() + 13, 0);
    EXPECT_EQ(listing(read_resource_directory(dir)), listing(sample_resources()));
}

struct lookup_case {
    const char *name;
    resource_id type;
    resource_id id;
    int expected;  // index into sample_resources(), or -1
};

class ResourceLookup : public ::testing::TestWithParam<lookup_case> {};

TEST_P(ResourceLookup, FindsByTypeAndName)
{
    const std::vector<resource> resources = sample_resources();
    const resource *found = find_resource(resources, GetParam().type, GetParam().id);
    if (GetParam().expected < 0)
        EXPECT_EQ(found, nullptr);
    else
        EXPECT_EQ(found, &resources[static_cast<size_t>(GetParam().expected)]);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, ResourceLookup,
    ::testing::Values(lookup_case{"typelib_1", u"TYPELIB", 1, 0}, lookup_case{"typelib_2", u"TYPELIB", 2, 3},
                      lookup_case{"type_in_other_case", u"typeLib", 1, 0},
                      lookup_case{"name_in_other_case", u"custom", u"_iid_cQuillet", 1},
                      lookup_case{"version_by_number", resource_type_version, 1, 2},
                      lookup_case{"number_is_not_its_digits", u"16", 1, -1},
                      lookup_case{"missing_number", u"TYPELIB", 3, -1},
                      lookup_case{"name_is_not_a_number", u"TYPELIB", u"1", -1}),
    [](const auto &info) { return std::string(info.param.name); });

struct refused_set {
    const char *name;
    std::vector<resource> resources;
    const char *says;
};

class RefusedResources : public ::testing::TestWithParam<refused_set> {};

TEST_P(RefusedResources, AreNotWritten)
{
    try {
        write_resource_directory(GetParam().resources);
        FAIL() << "the resources were written";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), E_INVALIDARG);
        EXPECT_NE(oleaut::utf16_to_utf8(e.description()).find(GetParam().says), std::string::npos)
            << oleaut::utf16_to_utf8(e.description());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sets, RefusedResources,
    ::testing::Values(refused_set{"number_zero", {{u"TYPELIB", WORD{0}, {}}}, "is the number 0"},
                      refused_set{"empty_name", {{u"", 1, {}}}, "is an empty name"},
                      refused_set{"duplicate_in_other_case", {{u"TYPELIB", 1, {}}, {u"typelib", 1, {}}},
                                  "(typelib, 1) is given twice"}),
    [](const auto &info) { return std::string(info.param.name); });

struct damage {
    const char *name;
    std::function<void(bytes &)> apply;
    const char *says;
};

// The sample directory: entries at 12 + 16 * i (type, name, data offset, data size).
const damage kDamages[] = {
    {"too_short", [](bytes &b) { b.resize(11); }, "too short"},
    {"wrong_magic", [](bytes &b) { b[1] = 'X'; }, "does not start with \"QRES\""},
    {"other_version", [](bytes &b) { put_le(b, 4, 2, 2); }, "format version 2"},
    {"size_past_section", [](bytes &b) { put_le(b, 8, b.size() + 1, 4); }, "says it is"},
    {"size_below_header", [](bytes &b) { put_le(b, 8, 4, 4); }, "says it is 4 bytes"},
    {"entries_past_size", [](bytes &b) { put_le(b, 6, 0xFFFF, 2); }, "The entry table"},
    {"data_past_end", [](bytes &b) { put_le(b, 12 + 8, b.size() - 1, 4); }, "Resource 0's data"},
    {"data_size_huge", [](bytes &b) { put_le(b, 12 + 12, 0xFFFFFFFF, 4); }, "Resource 0's data"},
    {"name_offset_past_end", [](bytes &b) { put_le(b, 12, 0x80000000u | 0x7FFFFFF0u, 4); }, "Resource 0's type"},
    {"name_length_past_end",
     [](bytes &b) { put_le(b, get_le(b, 12, 4) & 0x7FFFFFFF, 0xFFFF, 2); }, "Resource 0's type"},
    {"empty_name", [](bytes &b) { put_le(b, get_le(b, 12, 4) & 0x7FFFFFFF, 0, 2); }, "is an empty name"},
    {"number_zero", [](bytes &b) { put_le(b, 12 + 4, 0, 4); }, "is the number 0"},
    {"number_too_large", [](bytes &b) { put_le(b, 12 + 4, 0x10000, 4); }, "is the number 65536"},
    {"duplicate", [](bytes &b) { put_le(b, 12 + 3 * 16 + 4, 1, 4); }, "(TYPELIB, 1) appears twice"},
};

class DamagedDirectory : public ::testing::TestWithParam<damage> {};

TEST_P(DamagedDirectory, IsRefusedWithItsReason)
{
    bytes dir = write_resource_directory(sample_resources());
    GetParam().apply(dir);
    try {
        read_resource_directory(dir);
        FAIL() << "the damaged directory was read";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), TYPE_E_INVDATAREAD) << e.what();
        EXPECT_NE(oleaut::utf16_to_utf8(e.description()).find(GetParam().says), std::string::npos)
            << oleaut::utf16_to_utf8(e.description());
    }
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedDirectory, ::testing::ValuesIn(kDamages),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(DamagedDirectory, EveryTruncationIsRefused)
{
    const bytes dir = write_resource_directory(sample_resources());
    for (size_t length = 0; length < dir.size(); ++length)
        EXPECT_THROW(read_resource_directory(std::span(dir.data(), length)), oleaut::com_error) << length;
}

}  // namespace
