// A description written as a type library image and read back must be the same
// description, field for field, and must make the same type information.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/typeinfo.hpp"
#include "oleaut/dispatch/typelib_format.hpp"
#include "type_test_sample.hpp"

namespace {

using namespace oleaut::disp;

std::string text(const char16_t *s) { return s ? "\"" + oleaut::utf16_to_utf8(s) + "\"" : "null"; }

std::string guid(const GUID &g)
{
    char out[64];
    std::snprintf(out, sizeof out, "%08X-%04X-%04X-%02X%02X%02X%02X%02X%02X%02X%02X", g.Data1, g.Data2, g.Data3,
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return out;
}

std::string describe(const interface_info &i)
{
    std::string out = "interface " + text(i.name) + " " + guid(i.iid) + " flags " + std::to_string(i.type_flags) +
                      " doc " + text(i.doc) + "\n";
    for (const member_info &m : i.members) {
        out += "  member " + text(m.name) + " id " + std::to_string(m.id) + " kind " + std::to_string(m.kind) +
               " result " + std::to_string(m.result) + " " + text(m.result_type_name) + " flags " +
               std::to_string(m.func_flags) + (m.vtable_only ? " vtable-only" : "") + "\n";
        for (const param &p : m.params)
            out += "    param " + text(p.name) + " type " + std::to_string(p.type) +
                   (p.optional ? " optional " : " ") + text(p.type_name) + "\n";
    }
    return out;
}

// Every field of a description as text; a class's default interface is named by its
// position in the library, or written out when the library does not list it.
std::string describe(const library_info &lib)
{
    std::string out = "library " + text(lib.name) + " " + guid(lib.guid) + " lcid " + std::to_string(lib.lcid) +
                      " version " + std::to_string(lib.major) + "." + std::to_string(lib.minor) + " doc " +
                      text(lib.doc) + "\n";
    for (const type_entry &t : lib.types) {
        if (auto *i = std::get_if<const interface_info *>(&t)) {
            out += describe(**i);
        } else if (auto *e = std::get_if<const enum_info *>(&t)) {
            out += "enum " + text((*e)->name) + " " + guid((*e)->guid) + " flags " +
                   std::to_string((*e)->type_flags) + "\n";
            for (const enum_info::constant &c : (*e)->constants)
                out += "  " + text(c.name) + " = " + std::to_string(c.value) + "\n";
        } else {
            const coclass_info &c = *std::get<const coclass_info *>(t);
            out += "class " + text(c.name) + " " + guid(c.clsid) + " flags " + std::to_string(c.type_flags) +
                   " default ";
            size_t listed = lib.types.size();
            for (size_t k = 0; k < lib.types.size(); ++k)
                if (auto *i = std::get_if<const interface_info *>(&lib.types[k]); i && *i == c.default_interface)
                    listed = k;
            if (!c.default_interface)
                out += "none\n";
            else if (listed < lib.types.size())
                out += "listed " + std::to_string(listed) + "\n";
            else
                out += "unlisted " + describe(*c.default_interface);
        }
    }
    return out;
}

const GUID kGuid = {0x0BADF00D, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

// Descriptions that stretch what the format must carry.
const interface_info kOdd{u"\u00c9l\u00e8ve\U0001F4C8",  // non-ASCII and a surrogate pair
                          kGuid,
                          0xFFFF,
                          {
                              {u"Same", INT_MIN, INVOKE_PROPERTYPUTREF, {{nullptr, VT_BYREF | VT_VARIANT}}, VT_EMPTY},
                              {u"Same", INT_MAX, INVOKE_FUNC, {{u"", VT_BSTR, true, u"Same"}}, VT_I4, u"", 0xFFFF, true},
                              {u"NoParams", 0, INVOKE_PROPERTYGET, {}, VT_ARRAY | VT_VARIANT},
                          },
                          u""};
const enum_info kExtremes{u"Extremes", kGuid, 0, {{u"lowest", INT_MIN}, {u"highest", INT_MAX}, {u"zero", 0}}};
const enum_info kEmptyEnum{u"Nothing", GUID_NULL, TYPEFLAG_FHIDDEN, {}};
const coclass_info kNoDefault{u"Bare", kGuid, 0, nullptr};

const library_info kEmpty{u"Empty", GUID_NULL, 0, 0, 0, {}};
const library_info kOddLibrary{u"Odd", kGuid, 0xFFFFFFFF, 0xFFFF, 0xFFFF, {&kOdd, &kExtremes, &kEmptyEnum, &kNoDefault},
                               u"with \"quotes\" and\nlines"};

struct round_trip_case {
    const char *name;
    const library_info *lib;
};

class RoundTrip : public ::testing::TestWithParam<round_trip_case> {};

TEST_P(RoundTrip, ReadsBackTheSameDescription)
{
    const library_info &original = *GetParam().lib;
    const std::vector<BYTE> image = write_type_library_image(original);
    const std::shared_ptr<const library_info> read = read_type_library_image(image);
    EXPECT_EQ(describe(*read), describe(original));
}

TEST_P(RoundTrip, MakesTheSameTypeInformation)
{
    const library_info &original = *GetParam().lib;
    const std::vector<BYTE> image = write_type_library_image(original);
    EXPECT_EQ(oleaut::disp::dump_idl(load_type_library_image(image).get()),
              oleaut::disp::dump_idl(make_type_library(original).get()));
}

TEST_P(RoundTrip, WritingIsDeterministic)
{
    // Builds must produce the same library bytes from the same tables.
    EXPECT_EQ(write_type_library_image(*GetParam().lib), write_type_library_image(*GetParam().lib));
}

INSTANTIATE_TEST_SUITE_P(Libraries, RoundTrip,
                         ::testing::Values(round_trip_case{"sample", &type_test::kLibrary},
                                           round_trip_case{"empty", &kEmpty}, round_trip_case{"odd", &kOddLibrary}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TypeLibraryImage, StartsWithMagicAndFormatVersion)
{
    const std::vector<BYTE> image = write_type_library_image(type_test::kLibrary);
    ASSERT_GE(image.size(), 64u);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 4), "QTLB");
    EXPECT_EQ(image[4] | (image[5] << 8), 1);
    EXPECT_EQ(image[8] | (image[9] << 8) | (image[10] << 16) | (image[11] << 24), static_cast<int>(image.size()));
}

TEST(TypeLibraryImage, LibraryOutlivesTheImageAndTheDescription)
{
    oleaut::com_ptr<ITypeInfo> type;
    {
        std::vector<BYTE> image = write_type_library_image(type_test::kLibrary);
        oleaut::com_ptr<ITypeLib> lib = load_type_library_image(image);
        ASSERT_EQ(lib->GetTypeInfo(type_test::kSampleIndex, type.put()), S_OK);
        std::fill(image.begin(), image.end(), BYTE{0xEE});
    }
    // Only the type info is left; its names live in the description the library owns.
    EXPECT_EQ(type_test::name_of(type.get()), "_cSample");
    EXPECT_EQ(type_test::name_of(type.get(), type_test::kSetOptions), "SetChartOptions");
    oleaut::com_ptr<ITypeLib> containing;
    UINT index = 99;
    ASSERT_EQ(type->GetContainingTypeLib(containing.put(), &index), S_OK);
    EXPECT_EQ(index, type_test::kSampleIndex);
    oleaut::bstr name;
    ASSERT_EQ(containing->GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(name.utf8(), "SampleCharts");
}

struct refused_description {
    const char *name;
    library_info lib;
    HRESULT hr;
    const char *says;
};

const interface_info kNamelessMember{u"I", kGuid, 0, {{nullptr, 1, INVOKE_FUNC, {}}}};
const enum_info kNamelessConstant{u"E", kGuid, 0, {{nullptr, 1}}};
const interface_info kTooManyParams{
    u"Wide", kGuid, 0, {{u"Call", 1, INVOKE_FUNC, std::vector<param>(0x8000, param{u"p", VT_I4})}}};

class RefusedDescription : public ::testing::TestWithParam<refused_description> {};

TEST_P(RefusedDescription, IsNotWritten)
{
    try {
        write_type_library_image(GetParam().lib);
        FAIL() << "the description was written";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), GetParam().hr);
        EXPECT_NE(oleaut::utf16_to_utf8(e.description()).find(GetParam().says), std::string::npos)
            << oleaut::utf16_to_utf8(e.description());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Descriptions, RefusedDescription,
    ::testing::Values(
        refused_description{"nameless_library", {nullptr, kGuid, 0, 1, 0, {}}, E_INVALIDARG, "The library has no name"},
        refused_description{"null_entry", {u"L", kGuid, 0, 1, 0, {static_cast<const enum_info *>(nullptr)}},
                            E_INVALIDARG, "entry 0 is a null description"},
        refused_description{"nameless_member", {u"L", kGuid, 0, 1, 0, {&kNamelessMember}}, E_INVALIDARG, "no name"},
        refused_description{"nameless_constant", {u"L", kGuid, 0, 1, 0, {&kNamelessConstant}}, E_INVALIDARG,
                            "no name"},
        refused_description{"too_many_parameters", {u"L", kGuid, 0, 1, 0, {&kTooManyParams}}, TYPE_E_SIZETOOBIG,
                            "32768 entries"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
