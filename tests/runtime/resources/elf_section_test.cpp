// Reading one section of an ELF file without loading it: the bytes of a well-formed
// file, and a reasoned refusal for every kind of file that is not one this platform
// builds or whose headers point outside it.
#include <gtest/gtest.h>

#include <functional>

#include "oleaut/com_error.hpp"
#include "oleaut/dispatch/resources.hpp"
#include "support/elf_file_builder.hpp"
#include "support/temp_registry.hpp"

namespace {

using namespace oleaut::disp;
using bytes = std::vector<uint8_t>;
using test_support::put_le;

class ElfSection : public ::testing::Test {
protected:
    ElfSection() : dir_(test_support::make_temp_directory()) {}
    ~ElfSection() override { std::filesystem::remove_all(dir_); }

    std::string write(const bytes &contents, const std::string &name = "lib.so") const
    {
        const std::string path = dir_ + "/" + name;
        test_support::write_file(path, std::string(contents.begin(), contents.end()));
        return path;
    }

    // A file with a code section, the resource section and a section after it.
    bytes sample(test_support::elf_layout *layout = nullptr) const
    {
        return test_support::build_elf({{".text", {0x90, 0x90, 0xC3}}, {".oleres", {'r', 'e', 's'}}, {".comment", {'c'}}},
                                       layout);
    }

    std::string dir_;
};

TEST_F(ElfSection, ReadsTheNamedSection)
{
    const std::string path = write(sample());
    EXPECT_EQ(read_elf_section(path, ".oleres"), (bytes{'r', 'e', 's'}));
    EXPECT_EQ(read_elf_section(path, ".comment"), (bytes{'c'}));
}

TEST_F(ElfSection, ThisTestProgramHasNoResources)
{
    try {
        read_library_resources("/proc/self/exe");
        FAIL() << "resources were found";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), resource_e_no_resources);
    }
}

struct bad_file {
    const char *name;
    std::function<void(bytes &, const test_support::elf_layout &)> damage;
    HRESULT hr;
    const char *says;
};

size_t section_header(const test_support::elf_layout &l, size_t i) { return l.section_headers + 64 * i; }

const bad_file kBadFiles[] = {
    {"empty", [](bytes &b, const auto &) { b.clear(); }, resource_e_bad_format, "only 0 bytes long"},
    {"text_file", [](bytes &b, const auto &) { b.assign({'h', 'e', 'l', 'l', 'o', '\n'}); b.resize(100, ' '); },
     resource_e_bad_format, "not an ELF file"},
    {"elf32", [](bytes &b, const auto &) { b[EI_CLASS] = ELFCLASS32; }, resource_e_bad_format, "32-bit"},
    {"big_endian", [](bytes &b, const auto &) { b[EI_DATA] = ELFDATA2MSB; }, resource_e_bad_format, "big-endian"},
    {"unknown_version", [](bytes &b, const auto &) { b[EI_VERSION] = 9; }, resource_e_bad_format, "version 9"},
    {"cut_in_header", [](bytes &b, const auto &) { b.resize(40); }, TYPE_E_INVDATAREAD, "the ELF header"},
    {"no_section_headers", [](bytes &b, const auto &) { put_le(b, 0x28, 0, 8); }, resource_e_no_resources,
     "no section headers"},
    {"section_headers_past_end", [](bytes &b, const auto &) { put_le(b, 0x28, b.size() + 8, 8); }, TYPE_E_INVDATAREAD,
     "section headers start at offset"},
    {"section_headers_offset_wraps", [](bytes &b, const auto &) { put_le(b, 0x28, ~uint64_t{0} - 7, 8); },
     TYPE_E_INVDATAREAD, "section headers start at offset"},
    {"wrong_header_size", [](bytes &b, const auto &) { put_le(b, 0x3A, 40, 2); }, TYPE_E_INVDATAREAD,
     "40 bytes each instead of 64"},
    {"too_many_sections", [](bytes &b, const auto &) { put_le(b, 0x3C, 0xFF00, 2); }, TYPE_E_INVDATAREAD,
     "declares 65280 section headers"},
    {"names_index_out_of_range", [](bytes &b, const auto &) { put_le(b, 0x3E, 40, 2); }, TYPE_E_INVDATAREAD,
     "section name table is section 40"},
    {"names_past_end",
     [](bytes &b, const auto &l) { put_le(b, section_header(l, l.names_index) + 0x18, b.size() - 2, 8); },
     TYPE_E_INVDATAREAD, "The section name table"},
    {"names_size_huge",
     [](bytes &b, const auto &l) { put_le(b, section_header(l, l.names_index) + 0x20, ~uint64_t{0}, 8); },
     TYPE_E_INVDATAREAD, "more than any section"},
    {"name_offset_outside_table", [](bytes &b, const auto &l) { put_le(b, section_header(l, 2), 0x7FFFFFFF, 4); },
     TYPE_E_INVDATAREAD, "section 2's name lies outside"},
    {"resource_section_past_end", [](bytes &b, const auto &l) { put_le(b, section_header(l, 2) + 0x18, b.size(), 8); },
     TYPE_E_INVDATAREAD, "The resource section"},
    {"resource_section_size_wraps",
     [](bytes &b, const auto &l) {
         put_le(b, section_header(l, 2) + 0x18, 0x40, 8);
         put_le(b, section_header(l, 2) + 0x20, 0x1000, 8);
     },
     TYPE_E_INVDATAREAD, "lies outside the file"},
    {"resource_section_without_bytes", [](bytes &b, const auto &l) { put_le(b, section_header(l, 2) + 4, SHT_NOBITS, 4); },
     TYPE_E_INVDATAREAD, "occupies no bytes"},
};

class BadElfFile : public ElfSection, public ::testing::WithParamInterface<bad_file> {};

TEST_P(BadElfFile, IsRefusedWithItsReason)
{
    test_support::elf_layout layout;
    bytes file = sample(&layout);
    GetParam().damage(file, layout);
    const std::string path = write(file);
    try {
        read_elf_section(path, ".oleres");
        FAIL() << "the section was read";
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), GetParam().hr) << e.what();
        const std::string description = oleaut::utf16_to_utf8(e.description());
        EXPECT_NE(description.find(GetParam().says), std::string::npos) << description;
        EXPECT_NE(description.find(path), std::string::npos) << "the message names the file: " << description;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BadElfFile, ::testing::ValuesIn(kBadFiles),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ElfSection, MissingFileAndMissingSectionAreTold)
{
    try {
        read_elf_section(dir_ + "/absent.so", ".oleres");
        FAIL();
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), resource_e_file_not_found);
        EXPECT_NE(oleaut::utf16_to_utf8(e.description()).find("No such file"), std::string::npos);
    }
    try {
        read_elf_section(write(sample()), ".absent");
        FAIL();
    } catch (const oleaut::com_error &e) {
        EXPECT_EQ(e.hr(), resource_e_no_resources);
        EXPECT_NE(oleaut::utf16_to_utf8(e.description()).find("no resource section (.absent)"), std::string::npos);
    }
}

TEST_F(ElfSection, NoSingleByteDamageOfTheHeadersEscapesTheFile)
{
    test_support::elf_layout layout;
    const bytes pristine = sample(&layout);
    // The ELF header and every section header.
    std::vector<size_t> positions;
    for (size_t at = 0; at < 64; ++at)
        positions.push_back(at);
    for (size_t at = layout.section_headers; at < pristine.size(); ++at)
        positions.push_back(at);
    for (size_t at : positions) {
        bytes file = pristine;
        file[at] ^= 0xFF;
        const std::string path = write(file, "damaged.so");
        try {
            read_elf_section(path, ".oleres");
        } catch (const oleaut::com_error &e) {
            EXPECT_TRUE(e.hr() == TYPE_E_INVDATAREAD || e.hr() == resource_e_bad_format ||
                        e.hr() == resource_e_no_resources)
                << "byte " << at << ": " << e.what();
        }
    }
}

}  // namespace
